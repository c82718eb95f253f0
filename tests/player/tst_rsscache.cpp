#include "RssFeedCache.h"
#include "RssFeedConverter.h"
#include "RssFixture.h"
#include "../transfer/StandIn.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>
#include <QtTest>

// The feed cache against the stand-in server: feeds and pictures served on
// loopback from the fixtures, faults injected on the feed requests.
class TestRssCache : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void twelveItemFeedGivesReducedFile();
    void picturesFetchedOnceOverTwoCycles();
    void failedFeedRetriesSoonAndSparesTheOthers_data();
    void failedFeedRetriesSoonAndSparesTheOthers();
    void malformedFeedKeepsTheOldCache();
    void unwritableCacheFolderGivesOneBox();
    void refreshInTheMiddleOfACycle();
    void stalledFeedFails();
    void newListDropsFeedsNoLongerShown();

private:
    QStringList start(const QStringList &feeds);
    bool waitCycle(int timeoutMs = 15000);
    QString rss(const QString &file = QString()) const { return m_work + QStringLiteral("RSS/") + file; }
    // The cached copy of a picture the fixture feeds publish.
    QString picture(const QString &name) const
    {
        return rss(RssFeedConverter::pictureFileName(m_feeds->base() + name));
    }
    QStringList leftovers() const { return QDir(rss()).entryList({QStringLiteral("*.tmp")}, QDir::Files); }
    int requests(qint64 mark, const QString &file) const;

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
    QScopedPointer<RssFixture> m_feeds;
    QScopedPointer<RssFeedCache> m_cache;
    QScopedPointer<QSignalSpy> m_cycles;
};

void TestRssCache::init()
{
    ZO_NEED_STANDIN();
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_work = m_dir->path() + QLatin1Char('/');
    m_feeds.reset(new RssFixture(StandIn::root(), StandIn::url()));
    m_cache.reset(new RssFeedCache);
    m_cache->setWorkFolder(m_work);
    m_cycles.reset(new QSignalSpy(m_cache.data(), &RssFeedCache::cycleFinished));
}

void TestRssCache::cleanup()
{
    m_cycles.reset();
    m_cache.reset();
    if (m_feeds)
        StandIn::reset(m_feeds->folder());
}

QStringList TestRssCache::start(const QStringList &feeds)
{
    return m_cache->RssTransLocal(QStringList(QVector<QString>(feeds.size(), QStringLiteral("WIDGETRSS")).toList()),
                                  feeds);
}

bool TestRssCache::waitCycle(int timeoutMs)
{
    const int before = m_cycles->count();
    QDeadlineTimer deadline(timeoutMs);
    while (m_cycles->count() == before && !deadline.hasExpired())
        QTest::qWait(20);
    return m_cycles->count() > before;
}

int TestRssCache::requests(qint64 mark, const QString &file) const
{
    int n = 0;
    for (const QJsonObject &entry : StandIn::entries(mark, m_feeds->folder())) {
        if (entry.value(QStringLiteral("route")).toString().endsWith(QLatin1Char('/') + file))
            ++n;
    }
    return n;
}

void TestRssCache::twelveItemFeedGivesReducedFile()
{
    const QString feed = m_feeds->url(QStringLiteral("news.xml"));
    const QString name = RssFeedCache::replaceXmlPath(feed);
    const QStringList list = start({feed});
    QCOMPARE(list, QStringList{QUrl::fromLocalFile(rss(name + QStringLiteral(".xml"))).toString()});
    QVERIFY(waitCycle());
    // A picture the server does not have is skipped; the feed itself is fine.
    QCOMPARE(m_cycles->last().at(0).toBool(), true);

    QByteArray expected = RssFixture::text(qEnvironmentVariable("ZO_SOURCE_DIR")
                                           + QStringLiteral("/tests/player/rss/news.expected.xml"));
    // Each picture's copy is named after its whole address.
    const QRegularExpression local(QStringLiteral("@RSS@([^<\"]+)"));
    QString text = QString::fromUtf8(expected);
    for (QRegularExpressionMatch m = local.match(text); m.hasMatch(); m = local.match(text))
        text.replace(m.capturedStart(), m.capturedLength(), QUrl::fromLocalFile(picture(m.captured(1))).toString());
    expected = text.toUtf8();
    expected.replace("@BASE@", m_feeds->base().toUtf8());
    QCOMPARE(RssFixture::text(rss(name + QStringLiteral(".xml"))), expected);

    QStringList pictures = QDir(rss()).entryList(QDir::Files);
    pictures.removeAll(name + QStringLiteral(".xml"));
    pictures.sort();
    QStringList copies;
    for (const QString &name : QStringList{"f-the-longest-picture-name-any-newsroom-ever-gave-to-a-photo-of-its-own.png", "g.jpg",
                                           "h.png", "j.png", "k.png", "l.png", "logo.png"})
        copies.append(QFileInfo(picture(name)).fileName());
    copies.sort();
    QCOMPARE(pictures, copies);
    QCOMPARE(RssFixture::text(picture(QStringLiteral("g.jpg"))),
             RssFixture::text(qEnvironmentVariable("ZO_SOURCE_DIR") + QStringLiteral("/tests/player/rss/g.jpg")));
    QVERIFY(!m_cache->stepTimer()->isActive());
    QVERIFY(m_cache->refreshTimer()->isActive());
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RefreshMs);
}

void TestRssCache::picturesFetchedOnceOverTwoCycles()
{
    const qint64 mark = StandIn::mark();
    start({m_feeds->url(QStringLiteral("news.xml"))});
    QVERIFY(waitCycle());
    m_cache->slotRefreshRss();
    QVERIFY(waitCycle());
    QCOMPARE(requests(mark, QStringLiteral("news.xml")), 2);
    QCOMPARE(requests(mark, QStringLiteral("g.jpg")), 1);
    QCOMPARE(requests(mark, QStringLiteral("logo.png")), 1);
    // A picture that failed is asked for again by the next cycle.
    QCOMPARE(requests(mark, QStringLiteral("missing.png")), 2);
}

void TestRssCache::failedFeedRetriesSoonAndSparesTheOthers_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("not found") << "404";
    QTest::newRow("server error") << "500";
    QTest::newRow("connection closed halfway") << "close";
}

void TestRssCache::failedFeedRetriesSoonAndSparesTheOthers()
{
    QFETCH(QString, fault);
    QVERIFY(m_feeds->publish(QStringLiteral("other.xml"),
                             "<rss version=\"2.0\"><channel><item><title>Seul</title></item></channel></rss>"));
    QVERIFY(StandIn::fault(QStringLiteral("/zobox/") + m_feeds->folder() + QStringLiteral("/news.xml"), fault,
                           QString(), 1));
    const QString other = m_feeds->url(QStringLiteral("other.xml"));
    start({m_feeds->url(QStringLiteral("news.xml")), other});
    QVERIFY(waitCycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), false);
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RetryMs);
    QVERIFY(leftovers().isEmpty());
    QVERIFY(!QFileInfo::exists(rss(RssFeedCache::replaceXmlPath(m_feeds->url(QStringLiteral("news.xml"))) + ".xml")));
    QVERIFY(RssFixture::text(rss(RssFeedCache::replaceXmlPath(other) + QStringLiteral(".xml"))).contains("Seul"));

    // The retry four seconds later succeeds and sets the long interval back.
    QVERIFY(waitCycle(8000));
    QCOMPARE(m_cycles->last().at(0).toBool(), true);
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RefreshMs);
}

void TestRssCache::malformedFeedKeepsTheOldCache()
{
    const QString feed = m_feeds->url(QStringLiteral("news.xml"));
    const QString file = rss(RssFeedCache::replaceXmlPath(feed) + QStringLiteral(".xml"));
    start({feed});
    QVERIFY(waitCycle());
    const QByteArray good = RssFixture::text(file);
    QVERIFY(good.contains("<item>"));

    QVERIFY(m_feeds->publish(QStringLiteral("news.xml"),
                             RssFixture::text(qEnvironmentVariable("ZO_SOURCE_DIR")
                                              + QStringLiteral("/tests/player/rss/broken.xml"))));
    m_cache->slotRefreshRss();
    QVERIFY(waitCycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), false);
    QCOMPARE(RssFixture::text(file), good);
    QVERIFY(leftovers().isEmpty());
    // The pictures the kept file names are kept too.
    QVERIFY(QFileInfo::exists(picture(QStringLiteral("g.jpg"))));
}

void TestRssCache::unwritableCacheFolderGivesOneBox()
{
    // A file where the cache folder should be: nothing can be saved in it.
    QFile blocker(rss().chopped(1));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSignalSpy boxes(m_cache.data(), &RssFeedCache::saveFailed);
    bool timerStoppedDuringBox = false;
    connect(m_cache.data(), &RssFeedCache::saveFailed, this,
            [&] { timerStoppedDuringBox = !m_cache->stepTimer()->isActive(); });
    start({m_feeds->url(QStringLiteral("news.xml")), m_feeds->url(QStringLiteral("other.xml"))});
    QVERIFY(waitCycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), false);
    QCOMPARE(boxes.count(), 1);
    QVERIFY(timerStoppedDuringBox);
    QVERIFY(boxes.at(0).at(0).toString().startsWith(QStringLiteral("Impossible de sauvegarder le fichier ")
                                                     + rss()));
}

void TestRssCache::refreshInTheMiddleOfACycle()
{
    const QString feed = m_feeds->url(QStringLiteral("news.xml"));
    QVERIFY(StandIn::fault(QStringLiteral("/zobox/") + m_feeds->folder() + QStringLiteral("/news.xml"),
                           QStringLiteral("delay"), QString(), 1, 1500));
    const qint64 mark = StandIn::mark();
    start({feed});
    QTRY_VERIFY(m_cache->step() == 14);
    m_cache->slotRefreshRss();
    QVERIFY(waitCycle());
    QCOMPARE(m_cycles->count(), 1);
    QCOMPARE(m_cycles->last().at(0).toBool(), true);
    QVERIFY(leftovers().isEmpty());
    QVERIFY(RssFixture::text(rss(RssFeedCache::replaceXmlPath(feed) + QStringLiteral(".xml"))).contains("Agenda"));
    QCOMPARE(requests(mark, QStringLiteral("g.jpg")), 1);
}

void TestRssCache::stalledFeedFails()
{
    m_cache->setDeadline(400);
    QVERIFY(StandIn::fault(QStringLiteral("/zobox/") + m_feeds->folder() + QStringLiteral("/news.xml"),
                           QStringLiteral("noanswer"), QString(), 1, 1500));
    QElapsedTimer clock;
    clock.start();
    start({m_feeds->url(QStringLiteral("news.xml"))});
    QVERIFY(waitCycle(4000));
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(m_cycles->last().at(0).toBool(), false);
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RetryMs);
    QVERIFY(leftovers().isEmpty());
    // The stand-in's worker holding the request is free again before the
    // next test.
    QTest::qWait(1500);
}

void TestRssCache::newListDropsFeedsNoLongerShown()
{
    const QString news = m_feeds->url(QStringLiteral("news.xml"));
    start({news});
    QVERIFY(waitCycle());
    const QString newsFile = rss(RssFeedCache::replaceXmlPath(news) + QStringLiteral(".xml"));
    QVERIFY(QFileInfo::exists(newsFile));
    // Types without an RSS poster, "" and "NULL" addresses: no feed at all.
    QCOMPARE(m_cache->RssTransLocal({"WIDGETMETEO", "WIDGETRSS", "WIDGETRSS"}, {news, "", "NULL"}),
             (QStringList{"", "", ""}));
    QVERIFY(m_cache->feedList().isEmpty());
    QVERIFY(!QFileInfo::exists(newsFile));
    QVERIFY(waitCycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), true);
    // No feed uses the pictures any more.
    QVERIFY(!QFileInfo::exists(picture(QStringLiteral("g.jpg"))));
}

QTEST_GUILESS_MAIN(TestRssCache)
#include "tst_rsscache.moc"

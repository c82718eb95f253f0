#include "LoopbackHttp.h"
#include "RssFeedCache.h"
#include "RssFeedConverter.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

// The feed cache against feeds shaped like real ones, served on loopback:
// moved feeds, refused moves, pages that are no feed, a dead feed among
// good ones, pictures with odd names. Time runs on the cache's own
// schedule: each refresh its timer would fire is fired at once.
class TestRssFeedFaults : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void movedFeedIsFollowed_data();
    void movedFeedIsFollowed();
    void refusedAnswerKeepsTheOldFile_data();
    void refusedAnswerKeepsTheOldFile();
    void deadFeedAloneIsRetriedWithBackOff();
    void unsavableFeedBoxOncePerList_data();
    void unsavableFeedBoxOncePerList();
    void oddPictureNamesCleanedUp_data();
    void oddPictureNamesCleanedUp();

private:
    static QByteArray feed(const QString &title, const QString &picture = QString());
    QStringList start(const QStringList &feeds);
    bool cycle();
    // Fires the refreshes due within `spanMs` of schedule; returns the
    // intervals waited.
    QList<int> runFor(int spanMs);
    QString rss(const QString &file = QString()) const { return m_work + QStringLiteral("RSS/") + file; }
    QString xmlOf(const QString &address) const { return rss(RssFeedCache::replaceXmlPath(address) + ".xml"); }
    int failureLines(const QString &address) const;

    static QStringList s_log;
    static void keepMessage(QtMsgType, const QMessageLogContext &, const QString &text) { s_log.append(text); }

    QScopedPointer<LoopbackHttp> m_http;
    QScopedPointer<LoopbackHttp> m_https;
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
    QScopedPointer<RssFeedCache> m_cache;
    QScopedPointer<QSignalSpy> m_cycles;
};

QStringList TestRssFeedFaults::s_log;

void TestRssFeedFaults::initTestCase()
{
    const QString tls = qEnvironmentVariable("ZO_SOURCE_DIR") + QStringLiteral("/tests/player/tls/");
    m_http.reset(new LoopbackHttp);
    m_https.reset(new LoopbackHttp(tls + "loopback.crt", tls + "loopback.key"));
    QVERIFY(m_http->isListening() && m_https->isListening());
    m_https->trust();
    qInstallMessageHandler(keepMessage);
}

void TestRssFeedFaults::init()
{
    s_log.clear();
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_work = m_dir->path() + QLatin1Char('/');
    m_cache.reset(new RssFeedCache);
    m_cache->setWorkFolder(m_work);
    m_cycles.reset(new QSignalSpy(m_cache.data(), &RssFeedCache::cycleFinished));
}

void TestRssFeedFaults::cleanup()
{
    m_cycles.reset();
    m_cache.reset();
}

QByteArray TestRssFeedFaults::feed(const QString &title, const QString &picture)
{
    QString item = QStringLiteral("<item><title>%1</title><pubDate>Tue, 03 Jan 2023 08:00:00 GMT</pubDate>").arg(title);
    if (!picture.isEmpty())
        item += QStringLiteral("<enclosure url=\"%1\" type=\"image/png\"/>").arg(picture.toHtmlEscaped());
    return (QStringLiteral("<rss version=\"2.0\"><channel>") + item + QStringLiteral("</item></channel></rss>"))
        .toUtf8();
}

QStringList TestRssFeedFaults::start(const QStringList &feeds)
{
    return m_cache->RssTransLocal(QStringList(QVector<QString>(feeds.size(), QStringLiteral("WIDGETRSS")).toList()),
                                  feeds);
}

bool TestRssFeedFaults::cycle()
{
    if (!m_cycles->wait(30000))
        return false;
    // The schedule is played by runFor, never by the clock.
    m_cache->refreshTimer()->stop();
    return true;
}

QList<int> TestRssFeedFaults::runFor(int spanMs)
{
    QList<int> waited;
    int elapsed = 0;
    for (;;) {
        const int next = m_cache->refreshTimer()->interval();
        if (elapsed + next > spanMs)
            return waited;
        elapsed += next;
        waited.append(next);
        m_cache->slotRefreshRss();
        if (!cycle())
            return waited << -1;
    }
}

int TestRssFeedFaults::failureLines(const QString &address) const
{
    int n = 0;
    for (const QString &line : s_log) {
        if ((line.startsWith(QLatin1String("Http Erreur:")) || line.startsWith(QLatin1String("RSS feed failed:")))
            && line.contains(address))
            ++n;
    }
    return n;
}

void TestRssFeedFaults::movedFeedIsFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::newRow("301 moved permanently") << 301;
    QTest::newRow("302 found") << 302;
    QTest::newRow("307 temporary redirect") << 307;
    QTest::newRow("308 permanent redirect") << 308;
}

void TestRssFeedFaults::movedFeedIsFollowed()
{
    QFETCH(int, status);
    const QString from = QStringLiteral("/moved-%1").arg(status);
    m_http->redirect(from, status, m_https->url(QStringLiteral("/news-%1/").arg(status)));
    m_https->route(QStringLiteral("/news-%1/").arg(status), {200, feed("Nouvelles"), "application/rss+xml", {}});
    const QString address = m_http->url(from);
    start({address});
    QVERIFY(cycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), true);
    QVERIFY(LoopbackHttp::read(xmlOf(address)).contains("<title>Nouvelles</title>"));
    QCOMPARE(m_https->hits(QStringLiteral("/news-%1/").arg(status)), 1);
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RefreshMs);
}

void TestRssFeedFaults::refusedAnswerKeepsTheOldFile_data()
{
    QTest::addColumn<bool>("secure");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("location"); // "self": the address itself
    QTest::addColumn<QByteArray>("body");
    QTest::newRow("redirect loop") << false << 302 << "self" << QByteArray();
    QTest::newRow("https moved to http") << true << 301 << "http" << QByteArray();
    QTest::newRow("not found") << false << 404 << "" << QByteArray("<html><body>Not found</body></html>");
    QTest::newRow("HTML page instead of the feed")
        << false << 200 << "" << QByteArray("<html><head><title>Accueil</title></head><body/></html>");
    QTest::newRow("redirect without a location") << false << 301 << "" << QByteArray("<html><body/></html>");
}

void TestRssFeedFaults::refusedAnswerKeepsTheOldFile()
{
    QFETCH(bool, secure);
    QFETCH(int, status);
    QFETCH(QString, location);
    QFETCH(QByteArray, body);
    LoopbackHttp &server = secure ? *m_https : *m_http;
    const QString path = QStringLiteral("/refused-%1").arg(QTest::currentDataTag()).replace(' ', '-');
    const QString address = server.url(path);
    server.route(path, {200, feed("Ancienne"), "application/rss+xml", {}});
    start({address});
    QVERIFY(cycle());
    const QByteArray good = LoopbackHttp::read(xmlOf(address));
    QVERIFY(good.contains("Ancienne"));

    if (location == QLatin1String("self"))
        server.redirect(path, status, address);
    else if (location == QLatin1String("http"))
        server.redirect(path, status, m_http->url(path));
    else
        server.route(path, {status, body, "text/html", {}});
    if (secure)
        m_http->route(path, {200, feed("Non sûre"), "application/rss+xml", {}});
    s_log.clear();
    m_cache->slotRefreshRss();
    QVERIFY(cycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), false);
    QCOMPARE(LoopbackHttp::read(xmlOf(address)), good);
    QVERIFY(QDir(rss()).entryList({QStringLiteral("*.tmp")}, QDir::Files).isEmpty());
    QCOMPARE(failureLines(address), 1);
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RetryMs);
}

void TestRssFeedFaults::deadFeedAloneIsRetriedWithBackOff()
{
    m_http->route(QStringLiteral("/one"), {200, feed("Un"), "application/rss+xml", {}});
    m_http->route(QStringLiteral("/three"), {200, feed("Trois"), "application/rss+xml", {}});
    const QStringList feeds{m_http->url("/one"), m_http->url("/dead"), m_http->url("/three")};
    start(feeds);
    QVERIFY(cycle());
    QCOMPARE(m_cycles->last().at(0).toBool(), false);
    QVERIFY(LoopbackHttp::read(xmlOf(feeds.at(2))).contains("Trois"));

    // One minute: the dead feed is asked after 4, 8, 16 and 32 seconds, the
    // two good ones not at all.
    QCOMPARE(runFor(60000), (QList<int>{4000, 8000, 16000, 32000}));
    QCOMPARE(m_http->hits("/one"), 1);
    QCOMPARE(m_http->hits("/three"), 1);
    QCOMPARE(m_http->hits("/dead"), 5);

    // The back-off stops at the normal period, when all feeds are asked.
    runFor(RssFeedCache::RefreshMs);
    QCOMPARE(m_cache->refreshTimer()->interval(), RssFeedCache::RefreshMs);
    QCOMPARE(m_http->hits("/one"), 2);
    QCOMPARE(m_http->hits("/three"), 2);
}

void TestRssFeedFaults::unsavableFeedBoxOncePerList_data()
{
    QTest::addColumn<bool>("folderIsAFile");
    QTest::newRow("cache folder is a file") << true;
    QTest::newRow("one feed's file name too long, the other saved") << false;
}

void TestRssFeedFaults::unsavableFeedBoxOncePerList()
{
    QFETCH(bool, folderIsAFile);
    if (folderIsAFile) {
        QFile blocker(rss().chopped(1));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
    }
    m_http->route(QStringLiteral("/good"), {200, feed("Bon"), "application/rss+xml", {}});
    const QString tooLong = m_http->url(QLatin1Char('/') + QString(300, QLatin1Char('n')));
    const QStringList feeds{m_http->url("/good"), tooLong};
    QSignalSpy boxes(m_cache.data(), &RssFeedCache::saveFailed);
    start(feeds);
    QVERIFY(cycle());
    QCOMPARE(boxes.count(), 1);
    runFor(60000);
    // The same list again (the preview opened anew): the user knows.
    start(feeds);
    QVERIFY(cycle());
    QCOMPARE(boxes.count(), 1);
    // Another list is another question.
    start({tooLong});
    QVERIFY(cycle());
    QCOMPARE(boxes.count(), 2);
}

void TestRssFeedFaults::oddPictureNamesCleanedUp_data()
{
    QTest::addColumn<QString>("picture");
    QTest::newRow("query string") << "/cdn/photo.png?w=300&h=200";
    QTest::newRow("name cut to sixty characters")
        << "/cdn/" + QString(70, QLatin1Char('p')) + ".png";
    QTest::newRow("no extension") << "/cdn/photo";
}

void TestRssFeedFaults::oddPictureNamesCleanedUp()
{
    QFETCH(QString, picture);
    m_http->route(picture, {200, QByteArray("PNG"), "image/png", {}});
    const QString path = QStringLiteral("/pictures-%1").arg(QTest::currentDataTag()).replace(' ', '-');
    m_http->route(path, {200, feed("Photo", m_http->url(picture)), "application/rss+xml", {}});
    const QString address = m_http->url(path);
    start({address});
    QVERIFY(cycle());
    QCOMPARE(QDir(rss()).entryList(QDir::Files).size(), 2);
    const RssFeedConverter::Feed converted = RssFeedConverter::read(LoopbackHttp::read(xmlOf(address)));
    QCOMPARE(LoopbackHttp::read(QUrl(converted.items.value(0).value(RssFeedConverter::Picture)).toLocalFile()),
             QByteArray("PNG"));

    // The feed no longer shows the picture: its copy goes.
    m_http->route(path, {200, feed("Texte"), "application/rss+xml", {}});
    m_cache->slotRefreshRss();
    QVERIFY(cycle());
    QCOMPARE(QDir(rss()).entryList(QDir::Files), QStringList{RssFeedCache::replaceXmlPath(address) + ".xml"});
}

QTEST_GUILESS_MAIN(TestRssFeedFaults)
#include "tst_rssfeedfaults.moc"

#include "API_FACEBOOK.h"
#include "AppModel.h"
#include "LoopbackHttp.h"
#include "../common/GzipBomb.h"
#include "../common/ProcessStatus.h"
#include "RssFeedCache.h"
#include "RssFeedConverter.h"

#include <QDir>
#include <QNetworkAccessManager>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>


// The preview's live content against servers that misbehave the way outside
// sites do: a body dripped a byte at a time, a huge or compressed body, two
// feeds publishing the same picture name, services moving elsewhere. Each
// fails alone, keeps what was shown and holds neither the window nor memory.
class TestLiveContentBounds : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void dripFailsWithinDeadline_data();
    void dripFailsWithinDeadline();
    void oversizeRefused_data();
    void oversizeRefused();
    void samePictureNameInTwoFeeds();
    void serviceRedirects_data();
    void serviceRedirects();

private:
    enum Target { Feed, Picture, Weather, Likes };
    static QByteArray feed(const QString &title, const QString &picture = QString());
    static QByteArray weatherJson(double kelvin);
    static QByteArray forecastJson();
    // Starts measuring the peak; the resident size now, -1 when the system
    // cannot say.
    static qint64 resetPeak();
    static qint64 peakKb() { return processStatusKb("VmHWM:"); }

    bool runCycle(const QStringList &feeds);
    // One round of the model's requests: weather, then forecast.
    static bool weatherRound(AppModel &model, bool first);
    static bool likesRound(API_FACEBOOK &counter);
    QString rss(const QString &file = QString()) const { return m_work + QStringLiteral("RSS/") + file; }
    QString xmlOf(const QString &address) const { return rss(RssFeedCache::replaceXmlPath(address) + ".xml"); }
    static QString pictureOf(const QByteArray &convertedFeed, int item = 0);

    QScopedPointer<LoopbackHttp> m_http;
    QScopedPointer<LoopbackHttp> m_https;
    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
    QScopedPointer<RssFeedCache> m_cache;
};

void TestLiveContentBounds::initTestCase()
{
    const QString tls = qEnvironmentVariable("ZO_SOURCE_DIR") + QStringLiteral("/tests/player/tls/");
    m_http.reset(new LoopbackHttp);
    m_https.reset(new LoopbackHttp(tls + "loopback.crt", tls + "loopback.key"));
    QVERIFY(m_http->isListening() && m_https->isListening());
    m_https->trust();
    qputenv("ZOMANAGER_WEATHER_KEY", "0123456789abcdef0123456789abcdef");
    qputenv("ZOMANAGER_GRAPH_TOKEN", "1234567890123456|abcdefghijklmnopqrstuvwxyz0");
}

void TestLiveContentBounds::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_work = m_dir->path() + QLatin1Char('/');
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    qputenv("ZOMANAGER_WEATHER_URL", m_http->url("/").toUtf8());
    qputenv("ZOMANAGER_GRAPH_URL", m_http->url("/").toUtf8());
    m_cache.reset(new RssFeedCache);
    m_cache->setWorkFolder(m_work);
}

void TestLiveContentBounds::cleanup()
{
    m_cache.reset();
}

QByteArray TestLiveContentBounds::feed(const QString &title, const QString &picture)
{
    QString item = QStringLiteral("<item><title>%1</title><pubDate>Tue, 03 Jan 2023 08:00:00 GMT</pubDate>").arg(title);
    if (!picture.isEmpty())
        item += QStringLiteral("<enclosure url=\"%1\" type=\"image/jpeg\"/>").arg(picture.toHtmlEscaped());
    return (QStringLiteral("<rss version=\"2.0\"><channel>") + item + QStringLiteral("</item></channel></rss>"))
        .toUtf8();
}

QByteArray TestLiveContentBounds::weatherJson(double kelvin)
{
    return QByteArray("{\"weather\":[{\"description\":\"pluie\",\"icon\":\"10d\"}],\"main\":{\"temp\":")
           + QByteArray::number(kelvin) + ",\"humidity\":80,\"pressure\":1000},\"wind\":{\"speed\":3}}";
}

QByteArray TestLiveContentBounds::forecastJson()
{
    QByteArray list;
    for (int i = 0; i < 5; ++i) {
        list += QByteArray(i ? "," : "") + "{\"dt\":" + QByteArray::number(1765368000 + i * 10800)
                + ",\"main\":{\"temp_min\":280.15,\"temp_max\":285.15},\"weather\":[{\"icon\":\"04d\"}]}";
    }
    return "{\"list\":[" + list + "]}";
}

qint64 TestLiveContentBounds::resetPeak()
{
    return resetPeakResident() ? processStatusKb("VmRSS:") : -1;
}

bool TestLiveContentBounds::runCycle(const QStringList &feeds)
{
    QSignalSpy cycles(m_cache.data(), &RssFeedCache::cycleFinished);
    m_cache->RssTransLocal(QStringList(QVector<QString>(feeds.size(), QStringLiteral("WIDGETRSS")).toList()), feeds);
    if (!cycles.wait(60000))
        return false;
    m_cache->refreshTimer()->stop();
    return true;
}

bool TestLiveContentBounds::weatherRound(AppModel &model, bool first)
{
    QSignalSpy finished(model.findChild<QNetworkAccessManager *>(), &QNetworkAccessManager::finished);
    if (first)
        model.setZip(QStringLiteral("34000,fr"));
    else
        model.refreshWeather();
    while (finished.count() < 2) {
        if (!finished.wait(60000))
            return false;
    }
    // The forecast reply is handled after the manager's signal.
    QCoreApplication::processEvents();
    return true;
}

bool TestLiveContentBounds::likesRound(API_FACEBOOK &counter)
{
    QSignalSpy likes(&counter, &API_FACEBOOK::likesChanged);
    counter.startLikeFB();
    return likes.wait(60000);
}

QString TestLiveContentBounds::pictureOf(const QByteArray &convertedFeed, int item)
{
    return QUrl(RssFeedConverter::read(convertedFeed).items.value(item).value(RssFeedConverter::Picture)).toLocalFile();
}

void TestLiveContentBounds::dripFailsWithinDeadline_data()
{
    QTest::addColumn<int>("target");
    QTest::newRow("drip on a feed") << int(Feed);
    QTest::newRow("drip on a picture") << int(Picture);
    QTest::newRow("drip on weather") << int(Weather);
    QTest::newRow("drip on likes") << int(Likes);
}

// A byte every 200 ms renews no deadline: the request fails at its deadline
// and the others go on.
void TestLiveContentBounds::dripFailsWithinDeadline()
{
    QFETCH(int, target);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
    LoopbackHttp::Answer drip;
    drip.body = QByteArray(100000, ' ');
    drip.dripMs = 200;
    const int deadlineMs = 1500;
    if (target == Feed || target == Picture) {
        const QString slow = QLatin1Char('/') + tag + QStringLiteral("-slow");
        const QString good = QLatin1Char('/') + tag + QStringLiteral("-good");
        if (target == Feed) {
            m_http->route(slow, drip);
        } else {
            m_http->route(slow, {200, feed("Lente", m_http->url(slow + ".jpg")), "application/rss+xml", {}});
            m_http->route(slow + ".jpg", drip);
        }
        m_http->route(good, {200, feed("Bonne"), "application/rss+xml", {}});
        m_cache->setDeadline(deadlineMs);
        QVERIFY(runCycle({m_http->url(slow), m_http->url(good)}));
        QVERIFY(LoopbackHttp::read(xmlOf(m_http->url(good))).contains("Bonne"));
        QCOMPARE(QFileInfo::exists(xmlOf(m_http->url(slow))), target == Picture);
        // Nothing half-received stays.
        QCOMPARE(QDir(rss()).entryList(QDir::Files).size(), target == Picture ? 2 : 1);
        QCOMPARE(m_cache->refreshTimer()->interval(), target == Feed ? RssFeedCache::RetryMs : RssFeedCache::RefreshMs);
    } else if (target == Weather) {
        m_http->route(QStringLiteral("/data/2.5/weather"), drip);
        m_http->route(QStringLiteral("/data/2.5/forecast"), {200, forecastJson(), "application/json", {}});
        AppModel model;
        model.setDeadline(deadlineMs);
        model.setCity(QStringLiteral("Montpellier"));
        QVERIFY(weatherRound(model, true));
        // The weather failed; the forecast that follows came.
        QVERIFY(model.weather()->weatherIcon().isEmpty());
        QVERIFY(model.ready());
        QQmlListProperty<WeatherData> forecast = model.forecast();
        QCOMPARE(forecast.count(&forecast), 4);
    } else {
        m_http->route(QStringLiteral("/v3.2/https://www.facebook.com/Ma-Boutique/"), drip);
        API_FACEBOOK counter;
        counter.setDeadline(deadlineMs);
        counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/Ma-Boutique/"));
        QVERIFY(likesRound(counter));
        QCOMPARE(counter.likes(), QStringLiteral("Erreur"));
    }
}

void TestLiveContentBounds::oversizeRefused_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("announced");
    QTest::addColumn<bool>("compressed");
    QTest::newRow("oversize feed") << int(Feed) << true << false;
    QTest::newRow("oversize feed without a length") << int(Feed) << false << false;
    QTest::newRow("compressed feed bomb") << int(Feed) << true << true;
    QTest::newRow("oversize picture") << int(Picture) << false << false;
    QTest::newRow("oversize weather answer") << int(Weather) << false << false;
    QTest::newRow("oversize likes answer") << int(Likes) << true << false;
}

// A body far past its cap (valid all the same: blanks where XML and JSON
// allow them) is refused early; the last good copy stays.
void TestLiveContentBounds::oversizeRefused()
{
    QFETCH(int, target);
    QFETCH(bool, announced);
    QFETCH(bool, compressed);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
    const qint64 blanks = 96LL * 1024 * 1024;
    // Far below the body, above what the capped part may take.
    const qint64 growthKb = 40 * 1024;
    auto huge = [&](const QByteArray &head, const QByteArray &tail, const QByteArray &type) {
        LoopbackHttp::Answer answer;
        answer.contentType = type;
        answer.unannounced = !announced;
        if (compressed) {
            answer.body = gzipBomb(head, blanks * 4, tail);
            answer.contentEncoding = "gzip";
        } else {
            answer.body = head;
            answer.fill = blanks;
            answer.tail = tail;
        }
        return answer;
    };

    if (target == Feed || target == Picture) {
        const QString path = QLatin1Char('/') + tag;
        const QString other = path + QStringLiteral("-other");
        const QString address = m_http->url(path);
        m_http->route(path, {200, feed("Ancienne"), "application/rss+xml", {}});
        m_http->route(other, {200, feed("Autre"), "application/rss+xml", {}});
        QVERIFY(runCycle({address, m_http->url(other)}));
        const QByteArray good = LoopbackHttp::read(xmlOf(address));
        QVERIFY(good.contains("Ancienne"));

        if (target == Feed) {
            const QByteArray whole = feed("Énorme");
            const int cut = whole.indexOf("</channel>");
            m_http->route(path, huge(whole.left(cut), whole.mid(cut), "application/rss+xml"));
        } else {
            m_http->route(path, {200, feed("Photo", m_http->url(path + ".jpg")), "application/rss+xml", {}});
            m_http->route(path + ".jpg", huge("JFIF", QByteArray(), "image/jpeg"));
        }
        const qint64 before = resetPeak();
        QVERIFY(before > 0);
        QVERIFY(runCycle({address, m_http->url(other)}));
        QVERIFY2(peakKb() - before < growthKb, qPrintable(QString::number(peakKb() - before)));
        QVERIFY(LoopbackHttp::read(xmlOf(m_http->url(other))).contains("Autre"));
        if (target == Feed) {
            QCOMPARE(LoopbackHttp::read(xmlOf(address)), good);
            QVERIFY(m_http->lastRequest(path).contains("\r\nAccept-Encoding: identity"));
        } else {
            // The feed is shown without its picture; nothing of it is kept.
            QVERIFY(LoopbackHttp::read(xmlOf(address)).contains("Photo"));
            QVERIFY(!QFileInfo::exists(pictureOf(LoopbackHttp::read(xmlOf(address)))));
        }
        QCOMPARE(QDir(rss()).entryList(QDir::Files).size(), 2);
    } else if (target == Weather) {
        m_http->route(QStringLiteral("/data/2.5/weather"), {200, weatherJson(283.15), "application/json", {}});
        m_http->route(QStringLiteral("/data/2.5/forecast"), {200, forecastJson(), "application/json", {}});
        AppModel model;
        model.setCity(QStringLiteral("Montpellier"));
        QVERIFY(weatherRound(model, true));
        QCOMPARE(model.weather()->temperature(), QStringLiteral("10°"));
        const QByteArray warmer = weatherJson(293.15);
        m_http->route(QStringLiteral("/data/2.5/weather"), huge(warmer.left(1), warmer.mid(1), "application/json"));
        const qint64 before = resetPeak();
        QVERIFY(before > 0);
        QVERIFY(weatherRound(model, false));
        QVERIFY2(peakKb() - before < growthKb, qPrintable(QString::number(peakKb() - before)));
        QCOMPARE(model.weather()->temperature(), QStringLiteral("10°"));
    } else {
        const QString page = QStringLiteral("/v3.2/https://www.facebook.com/Ma-Boutique/");
        m_http->route(page, {200, "{\"engagement\":{\"count\":42}}", "application/json", {}});
        API_FACEBOOK counter;
        counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/Ma-Boutique/"));
        QVERIFY(likesRound(counter));
        QCOMPARE(counter.likes(), QStringLiteral("42"));
        m_http->route(page, huge("{", "\"engagement\":{\"count\":43}}", "application/json"));
        const qint64 before = resetPeak();
        QVERIFY(before > 0);
        QVERIFY(likesRound(counter));
        QVERIFY2(peakKb() - before < growthKb, qPrintable(QString::number(peakKb() - before)));
        QCOMPARE(counter.likes(), QStringLiteral("Erreur"));
    }
}

// Two sites both publish "photo.jpg": each item shows its own. A feed file
// kept from before (its feed failing now) still names its picture by the
// old rule, and that copy stays.
void TestLiveContentBounds::samePictureNameInTwoFeeds()
{
    m_http->route(QStringLiteral("/p1/photo.jpg"), {200, "premiere", "image/jpeg", {}});
    m_http->route(QStringLiteral("/p2/photo.jpg"), {200, "seconde", "image/jpeg", {}});
    m_http->route(QStringLiteral("/p1/feed"), {200, feed("Un", m_http->url("/p1/photo.jpg")), "application/rss+xml", {}});
    m_http->route(QStringLiteral("/p2/feed"), {200, feed("Deux", m_http->url("/p2/photo.jpg")), "application/rss+xml", {}});
    const QString old = m_http->url("/old/feed");
    QVERIFY(QDir().mkpath(rss()));
    {
        QFile file(xmlOf(old));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(RssFeedConverter::write(QString(), {{"Vieux", "", "", QUrl::fromLocalFile(rss("photo.jpg")).toString(), ""}}));
        QFile picture(rss("photo.jpg"));
        QVERIFY(picture.open(QIODevice::WriteOnly));
        picture.write("ancienne");
    }
    const QStringList feeds{m_http->url("/p1/feed"), m_http->url("/p2/feed"), old};
    QVERIFY(runCycle(feeds));
    QCOMPARE(LoopbackHttp::read(pictureOf(LoopbackHttp::read(xmlOf(feeds.at(0))))), QByteArray("premiere"));
    QCOMPARE(LoopbackHttp::read(pictureOf(LoopbackHttp::read(xmlOf(feeds.at(1))))), QByteArray("seconde"));
    QCOMPARE(LoopbackHttp::read(pictureOf(LoopbackHttp::read(xmlOf(old)))), QByteArray("ancienne"));
    QCOMPARE(m_http->hits("/p1/photo.jpg"), 1);
    QCOMPARE(m_http->hits("/p2/photo.jpg"), 1);
}

void TestLiveContentBounds::serviceRedirects_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<bool>("secure");
    QTest::addColumn<QString>("to"); // "same", "host" (another host name), "http"
    QTest::newRow("weather moved on its own host") << int(Weather) << false << "same";
    QTest::newRow("weather moved to another host") << int(Weather) << false << "host";
    QTest::newRow("weather moved from https to http") << int(Weather) << true << "http";
    QTest::newRow("likes moved on their own host") << int(Likes) << false << "same";
    QTest::newRow("likes moved to another host") << int(Likes) << false << "host";
    QTest::newRow("likes moved from https to http") << int(Likes) << true << "http";
}

// The services' answers are followed on their own host and scheme only;
// elsewhere the request fails and what was shown stays.
void TestLiveContentBounds::serviceRedirects()
{
    QFETCH(int, target);
    QFETCH(bool, secure);
    QFETCH(QString, to);
    LoopbackHttp &server = secure ? *m_https : *m_http;
    const QByteArray base = server.url("/").toUtf8();
    qputenv("ZOMANAGER_WEATHER_URL", base);
    qputenv("ZOMANAGER_GRAPH_URL", base);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(' ', '-');
    const QString moved = QLatin1Char('/') + tag;
    QString location;
    if (to == QLatin1String("same"))
        location = server.url(moved);
    else if (to == QLatin1String("host"))
        location = server.url(moved).replace(QLatin1String("127.0.0.1"), QLatin1String("localhost"));
    else
        location = m_http->url(moved);
    LoopbackHttp &landing = to == QLatin1String("http") ? *m_http : server;
    const bool followed = to == QLatin1String("same");

    if (target == Weather) {
        const QStringList paths{QStringLiteral("/data/2.5/weather"), QStringLiteral("/data/2.5/forecast")};
        for (const QString &path : paths)
            server.redirect(path, 301, location + path.section('/', -1));
        landing.route(moved + "weather", {200, weatherJson(283.15), "application/json", {}});
        landing.route(moved + "forecast", {200, forecastJson(), "application/json", {}});
        AppModel model;
        model.setCity(QStringLiteral("Montpellier"));
        QVERIFY(weatherRound(model, true));
        QCOMPARE(model.ready(), followed);
        QCOMPARE(model.weather()->temperature(), followed ? QStringLiteral("10°") : QString());
        QCOMPARE(landing.hits(moved + "weather"), followed ? 1 : 0);
        if (!followed) {
            // Readings once shown stay through a refused move.
            server.route(paths.at(0), {200, weatherJson(283.15), "application/json", {}});
            server.route(paths.at(1), {200, forecastJson(), "application/json", {}});
            QVERIFY(weatherRound(model, false));
            QVERIFY(model.ready());
            for (const QString &path : paths)
                server.redirect(path, 301, location + path.section('/', -1));
            QSignalSpy changed(&model, &AppModel::weatherChanged);
            QVERIFY(weatherRound(model, false));
            QCOMPARE(model.weather()->temperature(), QStringLiteral("10°"));
            QCOMPARE(changed.count(), 0);
            QQmlListProperty<WeatherData> forecast = model.forecast();
            QCOMPARE(forecast.count(&forecast), 4);
            QCOMPARE(landing.hits(moved + "weather"), 0);
        }
    } else {
        const QString page = QStringLiteral("/v3.2/https://www.facebook.com/Ma-Boutique/");
        server.redirect(page, 302, location);
        landing.route(moved, {200, "{\"engagement\":{\"count\":42}}", "application/json", {}});
        API_FACEBOOK counter;
        counter.setUrlFacebook(QStringLiteral("https://www.facebook.com/Ma-Boutique/"));
        QVERIFY(likesRound(counter));
        QCOMPARE(counter.likes(), followed ? QStringLiteral("42") : QStringLiteral("Erreur"));
        QCOMPARE(landing.hits(moved), followed ? 1 : 0);
    }
}

QTEST_GUILESS_MAIN(TestLiveContentBounds)
#include "tst_livecontentbounds.moc"

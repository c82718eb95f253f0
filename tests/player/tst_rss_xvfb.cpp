#include "../transfer/StandIn.h"
#include "PlayerFixture.h"
#include "PlayerSceneView.h"
#include "RssFeedCache.h"
#include "RssFixture.h"
#include "ZoPlayer.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"

#include <QQuickItem>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// A screen with one RSS poster on a real X server: the cache fetches the
// stand-in's feed and pictures, and the zone's news view shows them.
class TestRssXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void rssPosterShowsTheFeed();
};

void TestRssXvfb::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
}

void TestRssXvfb::rssPosterShowsTheFeed()
{
    ZO_NEED_STANDIN();
    RssFixture feeds(StandIn::root(), StandIn::url());
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(writePlayerFile(dir.path(), {
                                            {QStringLiteral("SLIDETYPE"), QStringLiteral("WIDGETRSS")},
                                            {QStringLiteral("SLIDEDELAY"), QStringLiteral("60")},
                                            {QStringLiteral("SLIDERSSADRESSE"), feeds.url(QStringLiteral("news.xml"))},
                                            {QStringLiteral("SLIDERSSDELAY"), QStringLiteral("30000")},
                                            {QStringLiteral("NUMEROECRAN"), QStringLiteral("1")},
                                            {QStringLiteral("CONFIGECRAN"), QStringLiteral("0-0-100-100")},
                                            {QStringLiteral("ROTATION2"), QStringLiteral("0")},
                                        }));
    qputenv("ZOMANAGER_WORKDIR", dir.path().toLocal8Bit());
    QScopedPointer<ZoPlayer> player(new ZoPlayer);
    player->resize(1280, 800);
    player->slotResize(1280, 800, 0);
    player->show();
    QVERIFY(QTest::qWaitForWindowExposed(player.data()));
    QSignalSpy cycles(player->rssCache(), &RssFeedCache::cycleFinished);
    player->UpdateZoPlayer();
    QVERIFY(cycles.wait(15000));
    QCOMPARE(cycles.last().at(0).toBool(), true);

    QObject *zone = player->sceneRoot()->findChild<QObject *>(QStringLiteral("ecran1"));
    auto *news = zone->findChild<QQuickItem *>(QStringLiteral("myRss"));
    QCOMPARE(news->opacity(), 1.0);
    QTRY_COMPARE_WITH_TIMEOUT(news->property("itemCount").toInt(), 7, 8000);
    QVERIFY(QUrl(news->property("channelImage").toString()).isLocalFile());
    // Let the first item's picture and the channel picture load.
    QTest::qWait(1500);
    QVERIFY(saveScreenshot(player.data(), QStringLiteral("preview-rss.png")));
    QVERIFY(saveScreenshot(player->sceneView(), QStringLiteral("preview-rss-scene.png")));
    player.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
}

QTEST_MAIN(TestRssXvfb)
#include "tst_rss_xvfb.moc"

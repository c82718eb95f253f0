#include "../console/ConsoleFixture.h"
#include "AnimationStackedWidget.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "RssFeedCache.h"
#include "ZoPlayer.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"
#include "StandIn.h"

#include <QListWidget>
#include <QPushButton>
#include <QQuickItem>
#include <QToolButton>
#include <QtTest>

// The demo account on a real X server: a screen is chosen on the panel and
// "Visualiser" shows it in the preview page; "back" returns to the panel.
class TestConsolePreviewXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void cleanupTestCase() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void visualiserShowsTheChosenScreen();
    void demoLiveContentFromLoopback();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    QTemporaryDir m_dir;
    QString m_work;
};

void TestConsolePreviewXvfb::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(m_dir.isValid());
    // The demo's news feed from the stand-in, as scripts/run serves it.
    if (StandIn::running())
        qputenv("ZO_DEMO_FEED_URL", (StandIn::url() + QStringLiteral("demo/actualites.xml")).toUtf8());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));
}

// Shows the window on the demo account and waits for its panel.
static void showPanel(ZoManager *window, AnimationStackedWidget **panelStack)
{
    window->resize(1280, 800);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    auto *stack = window->panel()->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY_WITH_TIMEOUT(stack && stack->isVisible(), 30000);
    *panelStack = stack;
}

// Presses "Visualiser" on the panel and waits for the preview page.
static void openPreview(ZoManager *window, ZoPlayer **player)
{
    QToolButton *visualiser = nullptr;
    for (QToolButton *b : window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == QLatin1String("Visualiser"))
            visualiser = b;
    }
    QVERIFY(visualiser);
    QTRY_VERIFY(visualiser->isEnabled() && visualiser->isVisible());
    QTest::mouseClick(visualiser, Qt::LeftButton);
    QTRY_COMPARE(window->stack()->currentIndex(), 13);
    QTRY_VERIFY(!window->stack()->isSliding());
    auto *shown = qobject_cast<ZoPlayer *>(window->stack()->currentWidget());
    QVERIFY(shown && shown->sceneRoot());
    *player = shown;
}

void TestConsolePreviewXvfb::visualiserShowsTheChosenScreen()
{
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    std::unique_ptr<ZoManager> window(new ZoManager);
    AnimationStackedWidget *panelStack = nullptr;
    showPanel(window.get(), &panelStack);
    QVERIFY(panelStack);
    classPrincipal *panel = window->panel();
    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    screens->setCurrentRow(0);
    QTRY_COMPARE_WITH_TIMEOUT(posters->count(), 3, 10000);
    QTRY_VERIFY(!panelStack->isSliding());
    ZoPlayer *player = nullptr;
    openPreview(window.get(), &player);
    QVERIFY(player);

    // The three posters of the screen are in the scene's zones.
    int inZones = 0;
    for (int n = 1; n <= 3; ++n) {
        QObject *zone = player->sceneRoot()->findChild<QObject *>(QStringLiteral("ecran%1").arg(n));
        if (zone->property("opacity").toReal() > 0)
            inZones += zone->property("playlistType").toStringList().size();
    }
    QCOMPARE(inZones, 3);
    auto *firstImage = player->sceneRoot()->findChild<QObject *>(QStringLiteral("ecran1"))
                           ->findChild<QQuickItem *>(QStringLiteral("myImage"));
    QTRY_VERIFY(firstImage->opacity() > 0);
    QVERIFY(firstImage->property("source").toUrl().isLocalFile());
    auto *badge = player->sceneRoot()->findChild<QQuickItem *>(QStringLiteral("myStatus"));
    QTRY_COMPARE_WITH_TIMEOUT(badge->opacity(), 0.0, 4000);
    QVERIFY(saveScreenshot(window.get(), QStringLiteral("preview-demo-screen.png")));

    QTest::mouseClick(player->findChild<QPushButton *>(QStringLiteral("playerBack")), Qt::LeftButton);
    QTRY_COMPARE(window->stack()->currentIndex(), 0);
    window.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
}

// Every item of that name in the item tree (each zone has its own scenes).
static QList<QQuickItem *> items(QQuickItem *from, const QString &name)
{
    QList<QQuickItem *> found;
    for (QQuickItem *item : from->childItems()) {
        if (item->objectName() == name)
            found.append(item);
        found += items(item, name);
    }
    return found;
}

static bool anyShows(QObject *root, const QString &name, const char *property, const QVariant &value)
{
    for (QQuickItem *item : items(qobject_cast<QQuickItem *>(root), name)) {
        if (item->property(property) == value)
            return true;
    }
    return false;
}

// The screen of the demo with news and weather shows both, from loopback.
void TestConsolePreviewXvfb::demoLiveContentFromLoopback()
{
    ZO_NEED_STANDIN();
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    qputenv("ZOMANAGER_WEATHER_URL", StandIn::url().toUtf8());
    // As scripts/run: the feeds the console offers lead to the live server.
    const QString feed = StandIn::url() + QStringLiteral("demo/actualites.xml");
    qputenv("ZOMANAGER_FEED_URL", feed.toUtf8());
    auto unset = qScopeGuard([] { qunsetenv("ZOMANAGER_FEED_URL"); });
    std::unique_ptr<ZoManager> window(new ZoManager);
    AnimationStackedWidget *panelStack = nullptr;
    showPanel(window.get(), &panelStack);
    QVERIFY(panelStack);
    classPrincipal *panel = window->panel();
    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    // Category "Restaurant".
    panel->findChild<QListWidget *>(QStringLiteral("groupList"))->setCurrentRow(1);
    QTRY_COMPARE_WITH_TIMEOUT(screens->findItems(QStringLiteral("10418"), Qt::MatchExactly).size(), 1, 10000);
    screens->setCurrentItem(screens->findItems(QStringLiteral("10418"), Qt::MatchExactly).first());
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    QTRY_COMPARE_WITH_TIMEOUT(posters->count(), 2, 10000);
    // A poster added in the demo and made a news-feed widget fetched its
    // feed off the machine.
    panel->slotAjouterSlide();
    QTRY_COMPARE(posters->count(), 3);
    QVERIFY(panel->SetSlideStringToFile(QStringLiteral("SLIDETYPE"), 2, QStringLiteral("WIDGETRSS")));
    QTRY_VERIFY(!panelStack->isSliding());
    ZoPlayer *player = nullptr;
    openPreview(window.get(), &player);
    QVERIFY(player);
    QVERIFY(!player->rssFeeds().isEmpty());
    for (const QString &address : player->rssFeeds())
        QCOMPARE(address, feed);

    QTRY_VERIFY_WITH_TIMEOUT(anyShows(player->sceneRoot(), QStringLiteral("newsList"), "count", 3), 15000);
    QTRY_VERIFY_WITH_TIMEOUT(
        anyShows(player->sceneRoot(), QStringLiteral("currentTemperature"), "text", QStringLiteral("11°")), 15000);
    auto *badge = player->sceneRoot()->findChild<QQuickItem *>(QStringLiteral("myStatus"));
    QTRY_COMPARE_WITH_TIMEOUT(badge->opacity(), 0.0, 4000);
    // The news pictures come in after the feed file.
    QTest::qWait(1000);
    QVERIFY(saveScreenshot(window.get(), QStringLiteral("preview-demo-live.png")));

    QTest::mouseClick(player->findChild<QPushButton *>(QStringLiteral("playerBack")), Qt::LeftButton);
    QTRY_COMPARE(window->stack()->currentIndex(), 0);
    QVERIFY(!player->rssCache()->refreshTimer()->isActive());
    window.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
}

QTEST_MAIN(TestConsolePreviewXvfb)
#include "tst_console_preview_xvfb.moc"

#include "AnimationStackedWidget.h"
#include "AppGlobals.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "PanelMetrics.h"
#include "classPrincipal.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// The control panel's own mechanics: relayout, sizes, keys, navigation.
class TestPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        zoInitWidgetTest();
        qRegisterMetaType<QListWidget *>();
    }
    void cleanupTestCase() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void init();
    void cleanup();

    void metrics_data();
    void metrics();
    void relayoutOncePerBurst();
    void minimumSizeFixesThePanel();
    void administrationHiddenBeforeLogin();
    void navigation_data();
    void navigation();
    void arrowKeysMoveThePosterSelection();
    void escapeKeepsThePanel();
    void switchTogglesThePages();
    void clockShowsDateAndTime();
    void workFoldersAndStartBanner();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    QScopedPointer<WorkDirFixture> m_work;
    classPrincipal *m_panel = nullptr;
};

void TestPanel::init()
{
    m_work.reset(new WorkDirFixture);
    QVERIFY(m_work->isValid());
    m_panel = new classPrincipal;
    stopStartup(m_panel);
    m_panel->slotMinimumSize(1280, 720);
    m_panel->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_panel));
}

void TestPanel::cleanup()
{
    QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | ")));
    delete m_panel;
    m_panel = nullptr;
    m_work.reset();
}

void TestPanel::administrationHiddenBeforeLogin()
{
    // Only the end of a login shows it, and only to an administrator.
    int found = 0;
    for (QToolButton *b : m_panel->findChildren<QToolButton *>()) {
        if (b->text() == QStringLiteral("Administration")) {
            ++found;
            QVERIFY(b->isHidden());
        }
    }
    QCOMPARE(found, 1);
}

void TestPanel::metrics_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<float>("ratio");
    QTest::addColumn<QList<int>>("fonts"); // list, status, caption, text
    QTest::addColumn<int>("toolIcon");

    QTest::newRow("1920x1080") << 1920 << 1080 << 1.0f << QList<int>{19, 14, 12, 10} << 54;
    QTest::newRow("1920x1080 at 1.7") << 1920 << 1080 << 1.7f << QList<int>{32, 23, 20, 17} << 54;
    QTest::newRow("1280x800 at 1.1") << 1280 << 800 << 1.1f << QList<int>{15, 11, 8, 8} << 36;
    QTest::newRow("tiny panel keeps readable fonts") << 100 << 50 << 1.0f << QList<int>{1, 1, 1, 1} << 2;
}

void TestPanel::metrics()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(float, ratio);
    QFETCH(QList<int>, fonts);
    QFETCH(int, toolIcon);

    const PanelMetrics metrics(width, height, ratio);
    QCOMPARE((QList<int>{metrics.listPointSize(), metrics.statusPointSize(), metrics.captionPointSize(),
                         metrics.textPointSize()}),
             fonts);
    QCOMPARE(metrics.toolIconSize(), QSize(toolIcon, toolIcon));
    QCOMPARE(metrics.overlayGeometry(), QRect(0, height / 3, width, height / 3));
}

void TestPanel::relayoutOncePerBurst()
{
    QSignalSpy resized(m_panel, &classPrincipal::signalResize);
    QSignalSpy resized2(m_panel, &classPrincipal::signalResize2);
    QTest::qWait(100);
    resized.clear();
    resized2.clear();

    for (int i = 0; i < 10; ++i) {
        m_panel->slotMinimumSize(1200 + i, 700);
        QTest::qWait(5);
    }
    QTRY_COMPARE(resized.count(), 2);
    QTest::qWait(100);
    // From the zone layout display during the relayout, then at its end.
    QCOMPARE(resized.count(), 2);
    QCOMPARE(resized2.count(), 1);
    QCOMPARE(resized.last(), (QList<QVariant>{1209, 700, 0}));
    QCOMPARE(resized2.last().at(0).toInt(), 1209);
}

void TestPanel::minimumSizeFixesThePanel()
{
    m_panel->slotMinimumSize(1111, 777);
    QCOMPARE(m_panel->minimumSize(), QSize(1111, 777));
    QCOMPARE(m_panel->maximumSize(), QSize(1111, 777));
    QCOMPARE(m_panel->size(), QSize(1111, 777));
    QCOMPARE(m_panel->sizeHint(), QSize(1280, 720));
}

void TestPanel::navigation_data()
{
    QTest::addColumn<QString>("slot");
    QTest::addColumn<int>("code");

    QTest::newRow("Informations") << "slotInformations" << 1;
    QTest::newRow("Statistiques") << "slotStatistiques" << 2;
    QTest::newRow("Médiathèque") << "slotMedia" << 3;
    QTest::newRow("Visualiser") << "slotPrevisualiser" << 5;
    QTest::newRow("Administration") << "slotAdministration" << 6;
    QTest::newRow("Date/Heure") << "slotCalendar" << 7;
    QTest::newRow("Réseaux") << "slotReseaux" << 8;
    QTest::newRow("Quitter") << "slotQuit" << 9;
    QTest::newRow("Alerte") << "slotAlerte" << 10;
    QTest::newRow("Spéciales") << "slotWidget" << 11;
    QTest::newRow("Orientation") << "slotOrientation" << 12;
    QTest::newRow("Tactile") << "slotTactile" << 13;
    QTest::newRow("Alimentation") << "slotPower" << 14;
}

void TestPanel::navigation()
{
    QFETCH(QString, slot);
    QFETCH(int, code);

    QSignalSpy button(m_panel, &classPrincipal::signalButton);
    QSignalSpy admin(m_panel, &classPrincipal::SignalUpdateAdmin);
    QSignalSpy orientation(m_panel, &classPrincipal::signalUpdateInfoEcran);
    QVERIFY(QMetaObject::invokeMethod(m_panel, slot.toLatin1().constData()));

    QCOMPARE(button.count(), 1);
    QCOMPARE(button.first().first().toInt(), code);
    QCOMPARE(admin.count(), code == 6 ? 1 : 0);
    QCOMPARE(orientation.count(), code == 12 ? 1 : 0);
    if (code == 12) // no poster chosen
        QCOMPARE(orientation.first().first().toInt(), -1);
    QVERIFY(m_work->mainLog().contains(("Fonction: " + slot + "()").toUtf8()));
}

void TestPanel::arrowKeysMoveThePosterSelection()
{
    auto *posters = m_panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    QVERIFY(posters);

    QTest::keyClick(m_panel, Qt::Key_Down);
    QCOMPARE(posters->currentRow(), -1); // empty list

    posters->addItems({QStringLiteral("Affiche n°1"), QStringLiteral("Affiche n°2"), QStringLiteral("Affiche n°3")});
    QTest::keyClick(m_panel, Qt::Key_Down);
    QCOMPARE(posters->currentRow(), 0);
    QTest::keyClick(m_panel, Qt::Key_Down);
    QTest::keyClick(m_panel, Qt::Key_Down);
    QTest::keyClick(m_panel, Qt::Key_Down);
    QCOMPARE(posters->currentRow(), 2);
    QTest::keyClick(m_panel, Qt::Key_Up);
    QTest::keyClick(m_panel, Qt::Key_Up);
    QTest::keyClick(m_panel, Qt::Key_Up);
    QCOMPARE(posters->currentRow(), 0);
}

void TestPanel::escapeKeepsThePanel()
{
    QTest::keyClick(m_panel, Qt::Key_Escape);
    QVERIFY(m_panel->isVisible());
}

void TestPanel::switchTogglesThePages()
{
    auto *stack = m_panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QVERIFY(stack);
    stack->show();
    QCOMPARE(stack->currentIndex(), 0);
    m_panel->slotSwitch();
    QTRY_COMPARE(stack->currentIndex(), 1);
    QTRY_VERIFY(!stack->isSliding());
    m_panel->slotSwitch();
    QTRY_COMPARE(stack->currentIndex(), 0);
}

void TestPanel::clockShowsDateAndTime()
{
    auto *clock = m_panel->findChild<QLabel *>(QStringLiteral("clockLabel"));
    QVERIFY(clock);
    QTRY_VERIFY_WITH_TIMEOUT(!clock->text().isEmpty(), 2500);
    const QRegularExpression format(QStringLiteral("^Le \\S+ \\d\\d \\S+ \\d{4}, \\d\\d:\\d\\d:\\d\\d$"));
    QVERIFY2(format.match(clock->text()).hasMatch(), qPrintable(clock->text()));
}

void TestPanel::workFoldersAndStartBanner()
{
    for (const char *name : {"DATA", "TEMP", "VIDEO", "IMAGE", "LINKS", "TEXT", "LOG"})
        QVERIFY2(QFileInfo(m_work->path(QString::fromLatin1(name))).isDir(), name);
    QVERIFY(ApplicationPath.startsWith(m_work->path()));

    // The start-up machine's first step runs before anything is read.
    QMetaObject::invokeMethod(m_panel, "slotCheckFile");
    QVERIFY(m_panel->messageOverlay()->isVisible());
    QVERIFY(m_work->mainLog().contains("*********************** DEMARRAGE DU PROGRAMME *****************************"));
}

QTEST_MAIN(TestPanel)
#include "tst_panel.moc"

#include "../console/ConsoleFixture.h"
#include "../console/DemoWindow.h"
#include "AnimationStackedWidget.h"
#include "ClassParam.h"
#include "ModalAnswerer.h"
#include "PosterPanel.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classCalendar.h"
#include "classEcran.h"
#include "classPower.h"
#include "classPrincipal.h"

#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

// The demo account on a real X server: poster 2 of the hall screen gets a
// schedule, is chosen on the panel, and each settings page is opened from
// its panel button at two window sizes and grabbed.
class SettingsPagesXvfb : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void cleanupTestCase() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void pagesShowPoster2_data();
    void pagesShowPoster2();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    QToolButton *button(const QString &text) const;
    void open(const QString &buttonText, QWidget *page);

    DemoWindow m_demo;
    QString m_work;
    ZoManager *m_window = nullptr;
};

void SettingsPagesXvfb::initTestCase()
{
    QVERIFY(m_demo.prepare());
    m_work = m_demo.work();
    ClassParam param;
    QVERIFY(param.setParamsCrypt(m_work + QStringLiteral("/server/zolink/zobox/zo_demo/10234/PLAYER.orvex"),
                                 {{"DATEDEBUT", "||01/03/2025"},
                                  {"DATEFIN", "||31/03/2025"},
                                  {"HEUREDEBUT", "||08:00:00"},
                                  {"HEUREFIN", "||12:30:00"},
                                  {"JOURSSEMAINE", "||67"},
                                  {"POWERTIME1", "12:00|14:00|6"}}));

    QVERIFY(m_demo.showFirstScreen());
    m_window = m_demo.window();
    classPrincipal *panel = m_window->panel();
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    QTRY_VERIFY(!panel->posterPanel()->selectionPending());
    posters->setCurrentRow(2);
    QTRY_VERIFY(!panel->posterPanel()->selectionPending());
    auto *calendar = m_window->findChild<classCalendar *>();
    QTRY_COMPARE(calendar->posterIndex(), 2);
}

QToolButton *SettingsPagesXvfb::button(const QString &text) const
{
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text && b->isVisible())
            return b;
    }
    return nullptr;
}

void SettingsPagesXvfb::open(const QString &buttonText, QWidget *page)
{
    QToolButton *b = button(buttonText);
    QVERIFY2(b, qPrintable(buttonText));
    QTRY_VERIFY(b->isEnabled());
    AnimationStackedWidget *stack = m_window->stack();
    // A slide in progress ignores the next request.
    QTRY_VERIFY(stack->currentIndex() == 0 && !stack->isSliding());
    b->click();
    QTRY_COMPARE(stack->currentWidget(), page);
    QTRY_VERIFY(!stack->isSliding());
    QTest::qWait(300);
}

void SettingsPagesXvfb::pagesShowPoster2_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1280x800") << QSize(1280, 800);
    QTest::newRow("1920x1080") << QSize(1920, 1080);
}

void SettingsPagesXvfb::pagesShowPoster2()
{
    QFETCH(QSize, size);
    AnimationStackedWidget *stack = m_window->stack();
    QTRY_VERIFY(!stack->isSliding());
    m_window->resize(size);
    QTRY_COMPARE(m_window->size(), size);
    QTest::qWait(1500); // the panel relays out once the burst of resizes ends
    const QString suffix = QStringLiteral("-%1x%2.png").arg(size.width()).arg(size.height());

    auto *calendar = m_window->findChild<classCalendar *>();
    open(QStringLiteral("Date/Heure"), calendar);
    QCOMPARE(calendar->startButton(PosterSchedule::Hours1)->text(), QStringLiteral("08:00:00"));
    QCOMPARE(calendar->transListJoursToString(calendar->weekdayBoxes()), QStringLiteral("67"));
    QVERIFY(calendar->isRangeOn(PosterSchedule::Dates1));
    QVERIFY(saveScreenshot(m_window, QStringLiteral("settings-calendar") + suffix));
    calendar->slotAnnuler();

    auto *ecran = m_window->findChild<classEcran *>();
    // The orientation button is captioned with the screen's layout.
    open(QStringLiteral("Paysage"), ecran);
    QCOMPARE(ecran->layout(), 0);
    QVERIFY(saveScreenshot(m_window, QStringLiteral("settings-ecran") + suffix));
    ecran->slotFermer();

    auto *power = m_window->findChild<classPower *>();
    open(QStringLiteral("Alimentation"), power);
    QVERIFY(power->isSlotOn(0) && power->isSlotOn(1));
    QCOMPARE(power->stopButton(1)->text(), QStringLiteral("14:00"));
    QVERIFY(saveScreenshot(m_window, QStringLiteral("settings-power") + suffix));
    power->slotAnnuler();
    QTRY_COMPARE(stack->currentIndex(), 0);
}

QTEST_MAIN(SettingsPagesXvfb)
#include "tst_settingspages_xvfb.moc"

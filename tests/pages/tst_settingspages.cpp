#include "ModalAnswerer.h"
#include "PageFixture.h"
#include "ZoTestInit.h"
#include "classCalendar.h"
#include "classEcran.h"
#include "classPower.h"

#include <QCheckBox>
#include <QDate>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

#include <functional>
#include <memory>

using Range = PosterSchedule::Range;
using Answer = std::function<void(ModalAnswerer &)>;
Q_DECLARE_METATYPE(Answer)
Q_DECLARE_METATYPE(ParamList)
Q_DECLARE_METATYPE(ParamTable)

namespace {

// Four posters; poster 2 has its own hours and weekdays.
ParamList fourPosters()
{
    return {{"SLIDETYPE", "|||WIDGETHEURE"},
            {"SLIDEDELAY", "8|6|10|5"},
            {"DATEDEBUT", "|||"},
            {"HEUREDEBUT", "||07:00:00|"},
            {"DATEFIN", "|||"},
            {"HEUREFIN", "||09:00:00|"},
            {"NOMAFFICHE", "Bienvenue|Café offert|Menu|Horloge"},
            {"DATEDEBUT1", "|||"},
            {"HEUREDEBUT1", "|||"},
            {"DATEFIN1", "|||"},
            {"HEUREFIN1", "|||"},
            {"JOURSSEMAINE", "|||"},
            {"JOURSSEMAINE1", "1|2|3|4"},
            {"NUMEROECRAN", "2|1|3|1"},
            {"CONFIGECRAN", "0-0-33.3-100|33.3-0-33.3-100|66.6-0-33.3-100"},
            {"ROTATION2", "0"},
            {"ECRANLARGEUR", "-1"},
            {"ECRANHAUTEUR", "-1"},
            {"POWERTIME", "08:00|12:00|1"},
            {"POWERTIME1", "14:00|18:00|5"},
            {"ID", "3"}};
}

ParamTable withChanges(ParamTable table, const ParamTable &changes)
{
    for (auto it = changes.cbegin(); it != changes.cend(); ++it)
        table.insert(it.key(), it.value());
    return table;
}

QString lineText(QDialog *d)
{
    auto *edit = d->findChild<QLineEdit *>();
    return edit ? edit->text() : QStringLiteral("<no line>");
}

} // namespace

// The three pages on a work folder of their own: what they load, what they
// refuse and what they leave in the poster list file.
class SettingsPagesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { zoInitWidgetTest(); }
    void calendarSavesOnePoster();
    void calendarTable_data();
    void calendarTable();
    void calendarRefusalWritesNothing_data();
    void calendarRefusalWritesNothing();
    void calendarEntryDialogs();
    void calendarBackKeepsEdits();
    void powerKeepsEachSlotsDays();
    void powerTable_data();
    void powerTable();
    void powerRefusalWritesNothing();
    void powerStopKeypadOpensOnStart();
    void ecranMigratesAndStoresLayout();
    void ecranUnknownLayoutIsKept();
    void ecranRefusesEmptyResolution();
    void ecranManualSize_data();
    void ecranManualSize();
    void readOnlyFile_data();
    void readOnlyFile();
};

void SettingsPagesTest::calendarSavesOnePoster()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const ParamTable before = fx.table();
    classCalendar page;
    QSignalSpy saved(&page, &classCalendar::signalUpdateSlide);
    QSignalSpy button(&page, &classCalendar::signalButton);

    page.slotCalendarIndice(2);
    QVERIFY(page.isRangeOn(PosterSchedule::Hours1));
    QCOMPARE(page.startButton(PosterSchedule::Hours1)->text(), QStringLiteral("07:00:00"));
    page.rangeButton(PosterSchedule::Hours1)->click(); // off: its weekdays stay stored
    page.rangeButton(PosterSchedule::Dates1)->click();
    ModalAnswerer answerer;
    answerer.pickDate(QDate(2025, 3, 1)).pickDate(QDate(2025, 3, 31));
    page.startButton(PosterSchedule::Dates1)->click();
    page.endButton(PosterSchedule::Dates1)->click();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(answerer.texts(), (QStringList{"Date de départ", "Date de fin"}));
    page.weekdayBoxes().at(0)->setChecked(true);
    page.weekdayBoxes().at(4)->setChecked(true);
    page.slotValider();

    QCOMPARE(saved.count(), 1);
    QCOMPARE(button.count(), 1);
    QCOMPARE(button.first().first().toInt(), 0);
    QCOMPARE(fx.table(), withChanges(before, {{"DATEDEBUT", "||01/03/2025|"},
                                              {"DATEFIN", "||31/03/2025|"},
                                              {"HEUREDEBUT", "|||"},
                                              {"HEUREFIN", "|||"},
                                              {"JOURSSEMAINE1", "1|2|15|4"}}));
}

// Edits on the page, one per string: "on <range>", "start <range> <text>",
// "end <range> <text>", "day <1-7>" (a click), ranges 0 to 3 as in Range.
void SettingsPagesTest::calendarTable_data()
{
    QTest::addColumn<ParamList>("file");
    QTest::addColumn<int>("poster");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<ParamTable>("changes");

    QTest::newRow("hour range 1 with Saturday and Sunday")
        << fourPosters() << 0
        << QStringList{"on 1", "start 1 08:00:00", "end 1 12:30:00", "day 6", "day 7"}
        << ParamTable{{"HEUREDEBUT", "08:00:00||07:00:00|"},
                      {"HEUREFIN", "12:30:00||09:00:00|"},
                      {"JOURSSEMAINE", "67|||"},
                      {"JOURSSEMAINE1", "67|2|3|4"}};
    const ParamList three{{"SLIDETYPE", "||"}, {"SLIDEDELAY", "8|6|10"}, {"ID", "1"}};
    QTest::newRow("missing keys get one entry per poster")
        << three << 1
        << QStringList{"on 0", "start 0 01/05/2025", "end 0 02/05/2025", "on 2", "start 2 01/06/2025",
                       "end 2 02/06/2025"}
        << ParamTable{{"DATEDEBUT", "|01/05/2025|"},  {"DATEFIN", "|02/05/2025|"},    {"DATEDEBUT1", "|01/06/2025|"},
                      {"DATEFIN1", "|02/06/2025|"}, {"HEUREDEBUT", "||"}, {"HEUREFIN", "||"},
                      {"HEUREDEBUT1", "||"}, {"HEUREFIN1", "||"}, {"JOURSSEMAINE1", "||"}};
    ParamList shortList = fourPosters();
    shortList[2].second = QStringLiteral("a|b"); // DATEDEBUT
    QTest::newRow("user's dates dropped on a short list")
        << shortList << 3 << QStringList{"on 0", "start 0 01/03/2025", "end 0 31/03/2025"}
        << ParamTable{{"DATEDEBUT", "a|b||01/03/2025"}, {"DATEFIN", "|||31/03/2025"}, {"JOURSSEMAINE1", "1|2|3|"}};
    // Stored as shown, as the boxes read it: played until the end date.
    QTest::newRow("start date never picked was refused")
        << fourPosters() << 1 << QStringList{"on 0", "end 0 31/03/2025"}
        << ParamTable{{"DATEDEBUT", "|00/00/0000||"}, {"DATEFIN", "|31/03/2025||"}, {"JOURSSEMAINE1", "1||3|4"}};
    QTest::newRow("second hours behind the first")
        << fourPosters() << 3
        << QStringList{"on 1", "start 1 08:00:00", "end 1 12:00:00", "on 3", "start 3 18:00:00", "end 3 19:00:00"}
        << ParamTable{{"HEUREDEBUT", "||07:00:00|08:00:00"}, {"HEUREFIN", "||09:00:00|12:00:00"},
                      {"HEUREDEBUT1", "|||18:00:00"}, {"HEUREFIN1", "|||19:00:00"}, {"JOURSSEMAINE1", "1|2|3|"}};
}

void SettingsPagesTest::calendarTable()
{
    QFETCH(ParamList, file);
    QFETCH(int, poster);
    QFETCH(QStringList, edits);
    QFETCH(ParamTable, changes);
    PageFixture fx;
    QVERIFY(fx.write(file));
    const ParamTable before = fx.table();
    classCalendar page;
    page.slotCalendarIndice(poster);
    for (const QString &edit : edits) {
        const QStringList f = edit.split(QLatin1Char(' '));
        const Range r = Range(f.at(1).toInt());
        if (f.first() == QLatin1String("on"))
            page.rangeButton(r)->click();
        else if (f.first() == QLatin1String("start"))
            page.startButton(r)->setText(f.at(2));
        else if (f.first() == QLatin1String("end"))
            page.endButton(r)->setText(f.at(2));
        else
            page.weekdayBoxes().at(f.at(1).toInt() - 1)->click();
    }
    QSignalSpy saved(&page, &classCalendar::signalUpdateSlide);
    ModalAnswerer noMessage;
    page.slotValider();
    QCOMPARE(noMessage.texts(), QStringList());
    QCOMPARE(saved.count(), 1);
    QCOMPARE(fx.table(), withChanges(before, changes));
}

void SettingsPagesTest::calendarRefusalWritesNothing_data()
{
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("escape");
    QTest::newRow("date range never edited, OK") << QStringList{"date"} << "Les dates sont identiques!!!" << false;
    QTest::newRow("date range never edited, Escape") << QStringList{"date"} << "Les dates sont identiques!!!" << true;
    // Before, Escape went on with the next range and saved the rest.
    QTest::newRow("end hour before start, Escape")
        << QStringList{"range 0 01/06/2025 02/06/2025", "hour 08:00:00 07:00:00"} << "Vérifiez l'heure de fin!!!"
        << true;
    QTest::newRow("second hour range never edited, Escape")
        << QStringList{"hour2"} << "Les heures sont identiques!!!" << true;
    // Saved without a word, then ignored by the boxes and the preview.
    QTest::newRow("hours 2 alone, OK") << QStringList{"range 3 18:00:00 20:00:00"}
                                       << "« Heure 2 » seule n'est pas lue: activez d'abord « Heure »!!!" << false;
    QTest::newRow("dates 2 alone, OK") << QStringList{"date2"}
                                       << "« Date 2 » seule n'est pas lue: activez d'abord « Date »!!!" << false;
    QTest::newRow("stored 31/04 saved again, OK") << QStringList{"range 0 01/04/2027 31/04/2027"}
                                                  << "Date de fin impossible (31/04/2027): choisissez-en une autre!!!"
                                                  << false;
}

void SettingsPagesTest::calendarRefusalWritesNothing()
{
    QFETCH(QStringList, edits);
    QFETCH(QString, message);
    QFETCH(bool, escape);
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const QByteArray before = fx.bytes();
    classCalendar page;
    page.slotCalendarIndice(1);
    for (const QString &edit : edits) {
        const QStringList f = edit.split(QLatin1Char(' '));
        if (f.first() == QLatin1String("date")) {
            page.rangeButton(PosterSchedule::Dates1)->click();
        } else if (f.first() == QLatin1String("date2")) {
            page.rangeButton(PosterSchedule::Dates2)->click();
            page.startButton(PosterSchedule::Dates2)->setText(QStringLiteral("01/06/2025"));
            page.endButton(PosterSchedule::Dates2)->setText(QStringLiteral("02/06/2025"));
        } else if (f.first() == QLatin1String("hour2")) {
            page.rangeButton(PosterSchedule::Hours2)->click();
        } else if (f.first() == QLatin1String("range")) {
            const Range r = Range(f.at(1).toInt());
            page.rangeButton(r)->click();
            page.startButton(r)->setText(f.at(2));
            page.endButton(r)->setText(f.at(3));
        } else {
            page.rangeButton(PosterSchedule::Hours1)->click();
            page.startButton(PosterSchedule::Hours1)->setText(f.at(1));
            page.endButton(PosterSchedule::Hours1)->setText(f.at(2));
        }
    }
    QSignalSpy button(&page, &classCalendar::signalButton);
    QSignalSpy saved(&page, &classCalendar::signalUpdateSlide);
    ModalAnswerer answerer;
    if (escape)
        answerer.pressKey(Qt::Key_Escape);
    else
        answerer.confirm();
    page.slotValider();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(answerer.texts(), QStringList{message});
    QCOMPARE(answerer.classNames(), QStringList{"ClassBox"});
    QCOMPARE(button.count(), 0);
    QCOMPARE(saved.count(), 0);
    QCOMPARE(fx.bytes(), before);
}

void SettingsPagesTest::calendarEntryDialogs()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    classCalendar page;
    page.slotCalendarIndice(0);
    page.rangeButton(PosterSchedule::Hours2)->click();
    page.rangeButton(PosterSchedule::Dates2)->click();
    QPushButton *start = page.startButton(PosterSchedule::Hours2);
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("25:61:00")).enterText(QStringLiteral("000000"));
    answerer.enterText(QStringLiteral("083000"));
    answerer.confirm(); // the date picker, on a button showing "00/00/0000"
    start->click();
    QCOMPARE(start->text(), QStringLiteral("00:00:00"));
    start->click();
    QCOMPARE(start->text(), QStringLiteral("00:00:00"));
    start->click();
    QCOMPARE(start->text(), QStringLiteral("08:30:00"));
    page.startButton(PosterSchedule::Dates2)->click();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(page.startButton(PosterSchedule::Dates2)->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    QCOMPARE(answerer.texts().first(), QStringLiteral("Heure de départ"));
}

void SettingsPagesTest::calendarBackKeepsEdits()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const QByteArray before = fx.bytes();
    classCalendar page;
    QSignalSpy button(&page, &classCalendar::signalButton);
    page.slotCalendarIndice(2);
    page.weekdayBoxes().at(6)->setChecked(true);
    page.rangeButton(PosterSchedule::Hours1)->click();
    QVERIFY(!page.weekdayBoxes().at(6)->isChecked()); // the hour range owns the weekdays
    page.rangeButton(PosterSchedule::Dates1)->click();
    page.slotAnnuler();
    QCOMPARE(button.count(), 1);
    QCOMPARE(fx.bytes(), before);
    QVERIFY(page.isRangeOn(PosterSchedule::Dates1));
    page.slotCalendarIndice(-1);
    QVERIFY(page.isRangeOn(PosterSchedule::Dates1));
    QCOMPARE(page.posterIndex(), 2);
}

void SettingsPagesTest::powerKeepsEachSlotsDays()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const ParamTable before = fx.table();
    classPower page;
    QSignalSpy saved(&page, &classPower::signalUpdateSlide);
    page.slotCalendarIndice(0);
    QVERIFY(page.isSlotOn(0) && page.isSlotOn(1));
    QCOMPARE(page.transListJoursToString(page.weekdayBoxes()), QStringLiteral("15"));
    page.slotValider();
    QCOMPARE(saved.count(), 1);
    QCOMPARE(fx.table(), before);

    page.weekdayBoxes().at(5)->click(); // the user chooses the days anew
    page.slotValider();
    QCOMPARE(fx.table(), withChanges(before, {{"POWERTIME", "08:00|12:00|156"}, {"POWERTIME1", "14:00|18:00|156"}}));

    page.slotCalendarIndice(1); // a reload forgets the click
    page.slotPower2();
    page.slotValider();
    QCOMPARE(fx.table(), withChanges(before, {{"POWERTIME", "08:00|12:00|156"}, {"POWERTIME1", "|"}}));
    QCOMPARE(saved.count(), 3);
}

// Edits: "switch <slot>", "start <slot> <hh:mm>", "stop <slot> <hh:mm>",
// "day <1-7>" (a click); slots 1 and 2.
void SettingsPagesTest::powerTable_data()
{
    QTest::addColumn<QString>("powerTime");
    QTest::addColumn<QString>("powerTime1");
    QTest::addColumn<QStringList>("edits");
    QTest::addColumn<QString>("savedTime");
    QTest::addColumn<QString>("savedTime1");

    QTest::newRow("Monday to Friday, slot 2 off")
        << "|" << "|"
        << QStringList{"switch 1", "start 1 08:00", "stop 1 18:30", "day 1", "day 2", "day 3", "day 4", "day 5"}
        << "08:00|18:30|12345" << "|";
    QTest::newRow("both on with the same boxes")
        << "|" << "|"
        << QStringList{"switch 1", "start 1 06:00", "stop 1 09:00", "switch 2", "start 2 17:00", "stop 2 23:00",
                       "day 3"}
        << "06:00|09:00|3" << "17:00|23:00|3";
    QTest::newRow("night slot loaded and kept") << "|" << "22:00|23:00|67" << QStringList{} << "|" << "22:00|23:00|67";
    QTest::newRow("slot 1 off keeps slot 2's days")
        << "08:00|12:00|1" << "14:00|18:00|5" << QStringList{"switch 1"} << "|" << "14:00|18:00|5";
    QTest::newRow("missing keys are created")
        << "NULL" << "NULL" << QStringList{"switch 2", "start 2 10:00", "stop 2 11:00"} << "|" << "10:00|11:00|";
}

void SettingsPagesTest::powerTable()
{
    QFETCH(QString, powerTime);
    QFETCH(QString, powerTime1);
    QFETCH(QStringList, edits);
    QFETCH(QString, savedTime);
    QFETCH(QString, savedTime1);
    PageFixture fx;
    ParamList file = fourPosters();
    file.removeAt(19); // POWERTIME
    file.removeAt(18); // POWERTIME1
    if (powerTime != QLatin1String("NULL"))
        file.append({QStringLiteral("POWERTIME"), powerTime});
    if (powerTime1 != QLatin1String("NULL"))
        file.append({QStringLiteral("POWERTIME1"), powerTime1});
    QVERIFY(fx.write(file));
    const ParamTable before = fx.table();
    classPower page;
    page.slotCalendarIndice(0);
    for (const QString &edit : edits) {
        const QStringList f = edit.split(QLatin1Char(' '));
        const int slot = f.at(1).toInt() - 1;
        if (f.first() == QLatin1String("switch"))
            page.slotButton(slot)->click();
        else if (f.first() == QLatin1String("start"))
            page.startButton(slot)->setText(f.at(2));
        else if (f.first() == QLatin1String("stop"))
            page.stopButton(slot)->setText(f.at(2));
        else
            page.weekdayBoxes().at(slot)->click();
    }
    QSignalSpy saved(&page, &classPower::signalUpdateSlide);
    page.slotValider();
    QCOMPARE(saved.count(), 1);
    QCOMPARE(fx.table(), withChanges(before, {{"POWERTIME", savedTime}, {"POWERTIME1", savedTime1}}));
}

void SettingsPagesTest::powerRefusalWritesNothing()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const QByteArray before = fx.bytes();
    classPower page;
    page.slotCalendarIndice(0);
    page.stopButton(0)->setText(QStringLiteral("07:00"));
    page.slotPower2(); // slot 2 off would be saved if the refusal went on
    QSignalSpy button(&page, &classPower::signalButton);
    ModalAnswerer answerer;
    answerer.pressKey(Qt::Key_Escape);
    page.slotValider();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(answerer.texts(), QStringList{"Alimentation: Vérifiez l'heure de fin!!!"});
    QCOMPARE(button.count(), 0);
    QCOMPARE(fx.bytes(), before);
}

void SettingsPagesTest::powerStopKeypadOpensOnStart()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    classPower page;
    page.slotCalendarIndice(0);
    QString shown;
    ModalAnswerer answerer;
    answerer.answer([&shown](QDialog *d) {
        shown = lineText(d);
        d->findChild<QLineEdit *>()->setText(QStringLiteral("25:70"));
        d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    });
    answerer.enterText(QStringLiteral("0000")).enterText(QStringLiteral("1330"));
    page.stopButton(1)->click();
    QCOMPARE(page.stopButton(1)->text(), QStringLiteral("18:00"));
    page.stopButton(1)->click();
    QCOMPARE(page.stopButton(1)->text(), QStringLiteral("18:00"));
    page.stopButton(1)->click();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(shown, QStringLiteral("14:00"));
    QCOMPARE(page.stopButton(1)->text(), QStringLiteral("13:30"));
    QCOMPARE(answerer.texts().first(), QStringLiteral("Heure d'arrêt de l'écran"));
}

void SettingsPagesTest::ecranMigratesAndStoresLayout()
{
    PageFixture fx;
    ParamList list = fourPosters();
    list.removeAt(14); // CONFIGECRAN
    list.removeAt(14); // ROTATION2
    QVERIFY(fx.write(list));
    const ParamTable before = fx.table();
    classEcran page;
    QSignalSpy sent(&page, &classEcran::signalEnvoiEcran);
    QSignalSpy button(&page, &classEcran::signalButton);
    page.slotUpdateInfoEcran(0);
    const ParamTable migrated = withChanges(before, {{"CONFIGECRAN", "0-0-100-100"}, {"NUMEROECRAN", "1|1|1|1"}});
    QCOMPARE(fx.table(), migrated);
    QCOMPARE(page.layout(), 0);
    QCOMPARE(page.modeButton()->text(), QStringLiteral("AUTO."));

    page.layoutButton(4)->click();
    page.rotationButton()->click();
    QCOMPARE(page.rotationButton()->text(), QStringLiteral("Rotation anti-horaire"));
    QCOMPARE(page.adviceLabel()->text(),
             QStringLiteral("--------Media conseillé--------\n Largeur: 1080 pixels Hauteur: 1080 pixels"));
    page.modeButton()->click();
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("1080")).enterText(QStringLiteral("1920"));
    page.widthButton()->click();
    page.heightButton()->click();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    page.slotValider();
    QCOMPARE(sent.count(), 1);
    QCOMPARE(button.count(), 1);
    QCOMPARE(fx.table(), withChanges(migrated, {{"CONFIGECRAN", "0-0-100-50|0-50-100-50"},
                                                {"ROTATION2", "-90"},
                                                {"ECRANLARGEUR", "1080"},
                                                {"ECRANHAUTEUR", "1920"}}));
    page.slotUpdateInfoEcran(0);
    QCOMPARE(page.layout(), 4);
    QCOMPARE(page.modeButton()->text(), QStringLiteral("MANUEL"));
    QVERIFY(page.widthButton()->isEnabled());
}

void SettingsPagesTest::ecranUnknownLayoutIsKept()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    classEcran page;
    page.slotUpdateInfoEcran(0);
    QCOMPARE(page.layout(), 2);
    QVERIFY(page.layoutButton(2)->isChecked());
    ParamList list = fourPosters();
    list[14].second = QStringLiteral("0-0-100-50|0-50-100-50"); // bands on a landscape screen
    list[16].second = QStringLiteral("1920");
    QVERIFY(fx.write(list));
    const ParamTable before = fx.table();
    page.slotUpdateInfoEcran(0);
    QCOMPARE(page.layout(), -1);
    QVERIFY(!page.layoutButton(2)->isChecked());
    QCOMPARE(page.heightButton()->text(), QStringLiteral("-1"));
    QCOMPARE(page.modeButton()->text(), QStringLiteral("AUTO."));
    page.slotValider();
    QCOMPARE(fx.table(), withChanges(before, {{"ECRANLARGEUR", "-1"}}));
}

void SettingsPagesTest::ecranRefusesEmptyResolution()
{
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const QByteArray before = fx.bytes();
    classEcran page;
    QSignalSpy button(&page, &classEcran::signalButton);
    page.slotUpdateInfoEcran(0);
    page.modeButton()->click();
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("0")).pressKey(Qt::Key_Escape);
    page.widthButton()->click();
    page.slotValider();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(answerer.texts().last(),
             QStringLiteral("Résolution manuelle: saisissez la largeur et la hauteur de l'écran, de 320 à 7680 pixels!!!"));
    QCOMPARE(button.count(), 0);
    QCOMPARE(fx.bytes(), before);
}

// "MANUEL" over an automatic screen (-1 on both buttons), then the keypads.
void SettingsPagesTest::ecranManualSize_data()
{
    QTest::addColumn<QStringList>("typed"); // width, height; a null string leaves the button untouched
    QTest::addColumn<QStringList>("shown"); // what each keypad opened on
    QTest::addColumn<bool>("saved");

    QTest::newRow("-1 opened as a 1-pixel width") << QStringList{"", QString()} << QStringList{""} << false;
    QTest::newRow("width typed, height left at -1")
        << QStringList{"1920", QString()} << QStringList{""} << false;
    QTest::newRow("width below 320") << QStringList{"100", "1080"} << QStringList{"", ""} << false;
    QTest::newRow("the bounds are sizes") << QStringList{"320", "7680"} << QStringList{"", ""} << true;
    QTest::newRow("full HD") << QStringList{"1920", "1080"} << QStringList{"", ""} << true;
}

void SettingsPagesTest::ecranManualSize()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, shown);
    QFETCH(bool, saved);
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const QByteArray before = fx.bytes();
    classEcran page;
    QSignalSpy button(&page, &classEcran::signalButton);
    page.slotUpdateInfoEcran(0);
    page.modeButton()->click();
    QStringList opened;
    ModalAnswerer answerer;
    for (const QString &text : typed) {
        if (text.isNull())
            continue;
        answerer.answer([&opened, text](QDialog *d) {
            opened << lineText(d);
            auto *edit = d->findChild<QLineEdit *>();
            edit->selectAll();
            edit->insert(text);
            d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
        });
    }
    if (!saved)
        answerer.confirm();
    if (!typed.at(0).isNull())
        page.widthButton()->click();
    if (!typed.at(1).isNull())
        page.heightButton()->click();
    page.slotValider();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QCOMPARE(opened, shown);
    if (saved) {
        QCOMPARE(button.count(), 1);
        QCOMPARE(fx.table().value(QStringLiteral("ECRANLARGEUR")), typed.at(0));
        QCOMPARE(fx.table().value(QStringLiteral("ECRANHAUTEUR")), typed.at(1));
        return;
    }
    QCOMPARE(answerer.texts().last(),
             QStringLiteral("Résolution manuelle: saisissez la largeur et la hauteur de l'écran, de 320 à 7680 pixels!!!"));
    QCOMPARE(button.count(), 0);
    QCOMPARE(fx.bytes(), before);
}

void SettingsPagesTest::readOnlyFile_data()
{
    QTest::addColumn<QString>("page");
    QTest::newRow("scheduling") << "calendar";
    QTest::newRow("power") << "power";
    QTest::newRow("screen") << "ecran";
}

void SettingsPagesTest::readOnlyFile()
{
    QFETCH(QString, page);
    PageFixture fx;
    QVERIFY(fx.write(fourPosters()));
    const QByteArray before = fx.bytes();
    std::unique_ptr<QWidget> widget;
    std::function<void()> validate;
    if (page == QLatin1String("calendar")) {
        auto *p = new classCalendar;
        p->slotCalendarIndice(1);
        validate = [p] { p->slotValider(); };
        widget.reset(p);
    } else if (page == QLatin1String("power")) {
        auto *p = new classPower;
        p->slotCalendarIndice(1);
        validate = [p] { p->slotValider(); };
        widget.reset(p);
    } else {
        auto *p = new classEcran;
        p->slotUpdateInfoEcran(1);
        validate = [p] { p->slotValider(); };
        widget.reset(p);
    }
    QSignalSpy button(widget.get(), SIGNAL(signalButton(int)));
    fx.setReadOnly(true);
    WithoutFileOverride noOverride;
    ModalAnswerer answerer;
    answerer.confirm();
    validate();
    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join(QLatin1Char('\n'))));
    QVERIFY2(answerer.texts().value(0).startsWith(QStringLiteral("Impossible de sauvegarder le fichier ")),
             qPrintable(answerer.texts().value(0)));
    QCOMPARE(button.count(), 0);
    QCOMPARE(fx.bytes(), before);
}

QTEST_MAIN(SettingsPagesTest)
#include "tst_settingspages.moc"

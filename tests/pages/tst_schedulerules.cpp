#include "PosterSchedule.h"
#include "PowerSchedule.h"

#include <QMap>
#include <QtTest>

using Values = QList<QPair<QString, QString>>;
using Table = QMap<QString, QString>;
Q_DECLARE_METATYPE(PosterSchedule::State)
Q_DECLARE_METATYPE(PowerSchedule::State)

namespace {

PosterSchedule::Lookup lookup(const Table &table)
{
    return [table](const QString &key) { return table.value(key, QStringLiteral("NULL")); };
}

// Four posters with every schedule key present and poster 2 partly set.
Table fourPosters()
{
    return {{"SLIDETYPE", "|||"},
            {"DATEDEBUT", "|||"},
            {"DATEFIN", "|||"},
            {"DATEDEBUT1", "01/01/2024|||"},
            {"DATEFIN1", "02/01/2024|||"},
            {"HEUREDEBUT", "||07:00:00|"},
            {"HEUREFIN", "||09:00:00|"},
            {"HEUREDEBUT1", "|||"},
            {"HEUREFIN1", "|||"},
            {"JOURSSEMAINE", "1|2|246|"},
            {"JOURSSEMAINE1", "1|2|3|4"}};
}

PosterSchedule::State schedule(std::initializer_list<PosterSchedule::RangeState> ranges, const QString &days)
{
    PosterSchedule::State s;
    int r = 0;
    for (const auto &range : ranges)
        s.ranges[r++] = range;
    s.days = days;
    return s;
}

const PosterSchedule::RangeState Off{false, "00/00/0000", "00/00/0000"};
const PosterSchedule::RangeState HoursOff{false, "00:00:00", "00:00:00"};

} // namespace

// Widget-free rules of the scheduling and power pages.
class ScheduleRulesTest : public QObject
{
    Q_OBJECT
private slots:
    void weekdays_data();
    void weekdays();
    void typedTime_data();
    void typedTime();
    void loading_data();
    void loading();
    void refusal_data();
    void refusal();
    void writes_data();
    void writes();
    void powerLoading_data();
    void powerLoading();
    void powerSaving_data();
    void powerSaving();
};

void ScheduleRulesTest::weekdays_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("checked"); // what the boxes give back
    QTest::newRow("Monday Wednesday Sunday") << "137" << "137";
    QTest::newRow("out of order and twice") << "5115" << "15";
    QTest::newRow("0 8 9 and letters check nothing") << "0a8z9" << "";
    QTest::newRow("mixed") << "x2 6-" << "26";
    QTest::newRow("full-width digits are no days") << QString::fromUtf8("\xef\xbc\x91\xef\xbc\x97" "3") << "3";
    QTest::newRow("other scripts' digits are no days") << QString::fromUtf8("\xd9\xa2\xe0\xa5\xa9" "5") << "5";
    QTest::newRow("empty") << "" << "";
}

void ScheduleRulesTest::weekdays()
{
    QFETCH(QString, stored);
    QFETCH(QString, checked);
    QCOMPARE(PosterSchedule::checksOf(stored).size(), 7);
    QCOMPARE(PosterSchedule::daysOf(PosterSchedule::checksOf(stored)), checked);
}

void ScheduleRulesTest::typedTime_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("shown"); // empty: the button keeps its text
    QTest::newRow("hour") << "08:00:00" << "hh:mm:ss" << "08:00:00";
    QTest::newRow("midnight keeps") << "00:00:00" << "hh:mm:ss" << "";
    QTest::newRow("impossible hour keeps") << "25:61:00" << "hh:mm:ss" << "";
    QTest::newRow("half typed keeps") << "08::" << "hh:mm:ss" << "";
    QTest::newRow("power time") << "07:30" << "hh:mm" << "07:30";
    QTest::newRow("power midnight keeps") << "00:00" << "hh:mm" << "";
    QTest::newRow("power impossible keeps") << "25:70" << "hh:mm" << "";
}

void ScheduleRulesTest::typedTime()
{
    QFETCH(QString, typed);
    QFETCH(QString, format);
    QFETCH(QString, shown);
    QCOMPARE(PosterSchedule::typedTime(typed, format), shown);
}

void ScheduleRulesTest::loading_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("index");
    QTest::addColumn<PosterSchedule::State>("before");
    QTest::addColumn<PosterSchedule::State>("after");

    const PosterSchedule::State shown =
        schedule({{true, "01/02/2020", "02/02/2020"}, {true, "10:00:00", "11:00:00"}, Off, HoursOff}, "7");
    Table t = fourPosters();
    QTest::newRow("poster with hours and days")
        << t << 2 << shown
        << schedule({{false, "01/02/2020", "02/02/2020"}, {true, "07:00:00", "09:00:00"},
                     {false, "00/00/0000", "00/00/0000"}, HoursOff},
                    "246");
    QTest::newRow("second date range")
        << t << 0 << shown
        << schedule({{false, "01/02/2020", "02/02/2020"}, {false, "10:00:00", "11:00:00"},
                     {true, "01/01/2024", "02/01/2024"}, HoursOff},
                    "1");
    t["DATEDEBUT"] = "05/05/2025";
    t["DATEFIN"] = "";
    QTest::newRow("start without end: off, start shown")
        << t << 0 << shown
        << schedule({{false, "05/05/2025", "02/02/2020"}, {false, "10:00:00", "11:00:00"},
                     {true, "01/01/2024", "02/01/2024"}, HoursOff},
                    "1");
    // A missing key reads "NULL": every range ends off.
    Table noEnd{{"HEUREDEBUT", "08:00:00"}, {"JOURSSEMAINE", "135"}};
    QTest::newRow("hour end missing: off, stored days shown")
        << noEnd << 0 << shown
        << schedule({{false, "01/02/2020", "02/02/2020"}, {false, "08:00:00", "11:00:00"}, Off, HoursOff}, "135");
    QTest::newRow("NULL entries count as absent")
        << Table{{"DATEDEBUT", "NULL|x"}, {"DATEFIN", "NULL|x"}} << 0 << shown
        << schedule({{false, "01/02/2020", "02/02/2020"}, {false, "10:00:00", "11:00:00"}, Off, HoursOff}, "");
    QTest::newRow("lists shorter than the poster change nothing but the days")
        << fourPosters() << 7 << shown
        << schedule({{true, "01/02/2020", "02/02/2020"}, {true, "10:00:00", "11:00:00"}, Off, HoursOff}, "");
    QTest::newRow("no poster") << fourPosters() << -1 << shown << shown;
}

void ScheduleRulesTest::loading()
{
    QFETCH(Table, table);
    QFETCH(int, index);
    QFETCH(PosterSchedule::State, before);
    QFETCH(PosterSchedule::State, after);
    const PosterSchedule::State got = PosterSchedule::loaded(before, lookup(table), index);
    for (int r = 0; r < PosterSchedule::RangeCount; ++r) {
        QCOMPARE(got.ranges[r].on, after.ranges[r].on);
        QCOMPARE(got.ranges[r].start, after.ranges[r].start);
        QCOMPARE(got.ranges[r].end, after.ranges[r].end);
    }
    QCOMPARE(got.days, after.days);
}

void ScheduleRulesTest::refusal_data()
{
    QTest::addColumn<PosterSchedule::State>("state");
    QTest::addColumn<QString>("message");
    QTest::newRow("all off") << schedule({Off, HoursOff, Off, HoursOff}, "") << "";
    QTest::newRow("date range never edited")
        << schedule({{true, "00/00/0000", "00/00/0000"}, HoursOff, Off, HoursOff}, "")
        << "Les dates sont identiques!!!";
    QTest::newRow("hour range never edited")
        << schedule({Off, {true, "00:00:00", "00:00:00"}, Off, HoursOff}, "") << "Les heures sont identiques!!!";
    // The page's own text for a start never picked: the period runs until its end.
    QTest::newRow("start date never picked was refused")
        << schedule({{true, "00/00/0000", "31/03/2025"}, HoursOff, Off, HoursOff}, "") << "";
    QTest::newRow("second start date never picked was refused")
        << schedule({{true, "01/03/2025", "31/03/2025"}, HoursOff, {true, "00/00/0000", "30/06/2025"}, HoursOff}, "")
        << "";
    QTest::newRow("end date never picked")
        << schedule({{true, "01/03/2025", "00/00/0000"}, HoursOff, Off, HoursOff}, "")
        << "Date de fin impossible (00/00/0000): choisissez-en une autre!!!";
    QTest::newRow("stored 31/04 saved again as 1 May")
        << schedule({{true, "01/04/2027", "31/04/2027"}, HoursOff, Off, HoursOff}, "")
        << "Date de fin impossible (31/04/2027): choisissez-en une autre!!!";
    QTest::newRow("stored 29/02 of a common year")
        << schedule({Off, HoursOff, {true, "29/02/2027", "10/03/2027"}, HoursOff}, "")
        << "Date de départ impossible (29/02/2027): choisissez-en une autre!!!";
    QTest::newRow("leap day is a day")
        << schedule({{true, "29/02/2028", "01/03/2028"}, HoursOff, Off, HoursOff}, "") << "";
    QTest::newRow("hours 2 alone saved then ignored")
        << schedule({Off, HoursOff, Off, {true, "18:00:00", "20:00:00"}}, "")
        << "« Heure 2 » seule n'est pas lue: activez d'abord « Heure »!!!";
    QTest::newRow("dates 2 alone saved then ignored")
        << schedule({Off, HoursOff, {true, "01/06/2027", "30/06/2027"}, HoursOff}, "")
        << "« Date 2 » seule n'est pas lue: activez d'abord « Date »!!!";
    QTest::newRow("dates 2 behind dates 1")
        << schedule({{true, "01/05/2027", "31/05/2027"}, HoursOff, {true, "01/07/2027", "31/07/2027"}, HoursOff}, "")
        << "";
    QTest::newRow("end date before start")
        << schedule({{true, "31/03/2025", "01/03/2025"}, HoursOff, Off, HoursOff}, "") << "Vérifiez la date de fin!!!";
    QTest::newRow("end hour before start")
        << schedule({Off, {true, "08:00:00", "07:00:00"}, Off, HoursOff}, "") << "Vérifiez l'heure de fin!!!";
    QTest::newRow("midnight start is a time")
        << schedule({Off, {true, "00:00:00", "06:00:00"}, Off, HoursOff}, "") << "";
    QTest::newRow("dates are checked before hours")
        << schedule({Off, {true, "09:00:00", "08:00:00"}, {true, "02/06/2025", "01/06/2025"}, HoursOff}, "")
        << "Vérifiez la date de fin!!!";
    QTest::newRow("an off range is not checked")
        << schedule({{false, "31/03/2025", "01/03/2025"}, HoursOff, Off, HoursOff}, "") << "";
}

void ScheduleRulesTest::refusal()
{
    QFETCH(PosterSchedule::State, state);
    QFETCH(QString, message);
    QCOMPARE(PosterSchedule::refusal(state), message);
}

void ScheduleRulesTest::writes_data()
{
    QTest::addColumn<Table>("table");
    QTest::addColumn<int>("index");
    QTest::addColumn<PosterSchedule::State>("state");
    QTest::addColumn<Values>("values");

    QTest::newRow("poster 2 of 4: date range 1, Monday and Friday")
        << fourPosters() << 2
        << schedule({{true, "01/03/2025", "31/03/2025"}, HoursOff, Off, HoursOff}, "15")
        << Values{{"DATEDEBUT", "||01/03/2025|"}, {"DATEFIN", "||31/03/2025|"},
                  {"DATEDEBUT1", "01/01/2024|||"}, {"DATEFIN1", "02/01/2024|||"},
                  {"HEUREDEBUT", "|||"},          {"HEUREFIN", "|||"},
                  {"HEUREDEBUT1", "|||"},         {"HEUREFIN1", "|||"},
                  {"JOURSSEMAINE1", "1|2|15|4"}};
    QTest::newRow("hour range 1 carries the weekdays")
        << fourPosters() << 0
        << schedule({Off, {true, "08:00:00", "12:30:00"}, Off, HoursOff}, "67")
        << Values{{"DATEDEBUT", "|||"},           {"DATEFIN", "|||"},
                  {"DATEDEBUT1", "|||"},          {"DATEFIN1", "|||"},
                  {"HEUREDEBUT", "08:00:00||07:00:00|"},  {"HEUREFIN", "12:30:00||09:00:00|"},
                  {"JOURSSEMAINE", "67|2|246|"},  {"HEUREDEBUT1", "|||"},
                  {"HEUREFIN1", "|||"},           {"JOURSSEMAINE1", "67|2|3|4"}};
    const Table three{{"SLIDETYPE", "||WIDGETHEURE"}, {"JOURSSEMAINE", "1|2|3"}};
    QTest::newRow("missing keys get one entry per poster")
        << three << 1 << schedule({Off, HoursOff, {true, "01/06/2025", "02/06/2025"}, HoursOff}, "")
        << Values{{"DATEDEBUT", "||"},  {"DATEFIN", "||"},   {"DATEDEBUT1", "|01/06/2025|"},
                  {"DATEFIN1", "|02/06/2025|"}, {"HEUREDEBUT", "||"}, {"HEUREFIN", "||"},
                  {"HEUREDEBUT1", "||"}, {"HEUREFIN1", "||"}, {"JOURSSEMAINE1", "||"}};
    Table shortLists = fourPosters();
    shortLists["DATEDEBUT"] = "a|b";
    shortLists["JOURSSEMAINE1"] = "";
    QTest::newRow("user's dates dropped on a short list")
        << shortLists << 2 << schedule({{true, "01/03/2025", "31/03/2025"}, HoursOff, Off, HoursOff}, "3")
        << Values{{"DATEDEBUT", "a|b|01/03/2025|"}, {"DATEFIN", "||31/03/2025|"},
                  {"DATEDEBUT1", "01/01/2024|||"},  {"DATEFIN1", "02/01/2024|||"},
                  {"HEUREDEBUT", "|||"},            {"HEUREFIN", "|||"},
                  {"HEUREDEBUT1", "|||"},           {"HEUREFIN1", "|||"},
                  {"JOURSSEMAINE1", "||3|"}};
    QTest::newRow("a poster past the posters is not written")
        << fourPosters() << 7 << schedule({Off, HoursOff, Off, HoursOff}, "3") << Values{};
    QTest::newRow("no poster writes nothing") << fourPosters() << -1 << schedule({Off, HoursOff, Off, HoursOff}, "")
                                              << Values{};
}

void ScheduleRulesTest::writes()
{
    QFETCH(Table, table);
    QFETCH(int, index);
    QFETCH(PosterSchedule::State, state);
    QFETCH(Values, values);
    QCOMPARE(PosterSchedule::writes(state, lookup(table), index), values);
}

void ScheduleRulesTest::powerLoading_data()
{
    QTest::addColumn<QString>("powerTime");
    QTest::addColumn<QString>("powerTime1");
    QTest::addColumn<QString>("slot1"); // on|start|stop, "off|start|stop"
    QTest::addColumn<QString>("slot2");
    QTest::addColumn<QString>("days");
    QTest::newRow("slot 1 off, slot 2 at night")
        << "|" << "22:00|23:00|67" << "off|06:00|07:00" << "on|22:00|23:00" << "67";
    QTest::newRow("both on: union of days")
        << "08:00|12:00|1" << "14:00|18:00|5" << "on|08:00|12:00" << "on|14:00|18:00" << "15";
    QTest::newRow("missing key keeps the slot")
        << "NULL" << "NULL" << "on|06:00|07:00" << "off|00:00|00:00" << "";
    QTest::newRow("value without bar keeps the slot")
        << "08:00" << "|" << "on|06:00|07:00" << "off|00:00|00:00" << "";
    QTest::newRow("letters and 0 8 9 check nothing")
        << "08:00|12:00|0a89" << "|" << "on|08:00|12:00" << "off|00:00|00:00" << "";
}

void ScheduleRulesTest::powerLoading()
{
    QFETCH(QString, powerTime);
    QFETCH(QString, powerTime1);
    QFETCH(QString, slot1);
    QFETCH(QString, slot2);
    QFETCH(QString, days);
    PowerSchedule::State before;
    before.times[0] = {true, "06:00", "07:00", false, QString()};
    before.times[1] = {false, "00:00", "00:00", false, QString()};
    before.days = "1234567";
    before.daysEdited = true;
    const PowerSchedule::State got = PowerSchedule::loaded(before, powerTime, powerTime1);
    const QString expected[] = {slot1, slot2};
    for (int s = 0; s < 2; ++s) {
        const QString shown = QStringLiteral("%1|%2|%3")
                                  .arg(got.times[s].on ? "on" : "off", got.times[s].start, got.times[s].stop);
        QCOMPARE(shown, expected[s]);
    }
    QCOMPARE(PosterSchedule::daysOf(PosterSchedule::checksOf(got.days)), days);
    QVERIFY(!got.daysEdited);
}

void ScheduleRulesTest::powerSaving_data()
{
    QTest::addColumn<QString>("powerTime");
    QTest::addColumn<QString>("powerTime1");
    QTest::addColumn<QString>("edit"); // "slot:on:start:stop" changes, then "days=" boxes clicked
    QTest::addColumn<QString>("message");
    QTest::addColumn<Values>("values");

    QTest::newRow("weekdays Monday to Friday, slot 2 off")
        << "|" << "|" << "0:on:08:00:18:30 days=12345" << ""
        << Values{{"POWERTIME", "08:00|18:30|12345"}, {"POWERTIME1", "|"}};
    QTest::newRow("saving without change keeps each slot's days")
        << "08:00|12:00|1" << "14:00|18:00|5" << "" << ""
        << Values{{"POWERTIME", "08:00|12:00|1"}, {"POWERTIME1", "14:00|18:00|5"}};
    QTest::newRow("clicked boxes go to both slots")
        << "08:00|12:00|1" << "14:00|18:00|5" << "days=67" << ""
        << Values{{"POWERTIME", "08:00|12:00|67"}, {"POWERTIME1", "14:00|18:00|67"}};
    QTest::newRow("slot switched on takes the boxes")
        << "08:00|12:00|1" << "|" << "1:on:14:00:18:00" << ""
        << Values{{"POWERTIME", "08:00|12:00|1"}, {"POWERTIME1", "14:00|18:00|1"}};
    QTest::newRow("slot 1 off keeps slot 2's days")
        << "08:00|12:00|1" << "14:00|18:00|5" << "0:off:08:00:12:00" << ""
        << Values{{"POWERTIME", "|"}, {"POWERTIME1", "14:00|18:00|5"}};
    QTest::newRow("never edited") << "|" << "|" << "0:on:00:00:00:00" << "Alimentation: Les heures sont identiques!!!"
                                  << Values{};
    QTest::newRow("stop before start") << "|" << "|" << "1:on:08:00:07:00"
                                       << "Alimentation: Vérifiez l'heure de fin!!!" << Values{};
}

void ScheduleRulesTest::powerSaving()
{
    QFETCH(QString, powerTime);
    QFETCH(QString, powerTime1);
    QFETCH(QString, edit);
    QFETCH(QString, message);
    QFETCH(Values, values);
    PowerSchedule::State s = PowerSchedule::loaded(PowerSchedule::State(), powerTime, powerTime1);
    for (const QString &change : edit.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (change.startsWith(QLatin1String("days="))) {
            s.days = change.mid(5);
            s.daysEdited = true;
            continue;
        }
        const QStringList f = change.split(QLatin1Char(':'));
        PowerSchedule::Slot &slot = s.times[f.at(0).toInt()];
        slot.on = f.at(1) == QLatin1String("on");
        slot.start = f.at(2) + QLatin1Char(':') + f.at(3);
        slot.stop = f.at(4) + QLatin1Char(':') + f.at(5);
    }
    QCOMPARE(PowerSchedule::refusal(s), message);
    if (message.isEmpty())
        QCOMPARE(PowerSchedule::writes(s), values);
}

QTEST_APPLESS_MAIN(ScheduleRulesTest)
#include "tst_schedulerules.moc"

#include "PosterSchedule.h"

#include <QDate>
#include <QDebug>
#include <QTime>

namespace {

const QString Null = QStringLiteral("NULL");

QStringList entries(const QString &value)
{
    return value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

// A stored entry that means "nothing here".
bool absent(const QString &entry)
{
    return entry.isEmpty() || entry == Null;
}

} // namespace

QString PosterSchedule::startKey(Range range)
{
    static const char *const names[] = {"DATEDEBUT", "HEUREDEBUT", "DATEDEBUT1", "HEUREDEBUT1"};
    return QLatin1String(names[range]);
}

QString PosterSchedule::endKey(Range range)
{
    static const char *const names[] = {"DATEFIN", "HEUREFIN", "DATEFIN1", "HEUREFIN1"};
    return QLatin1String(names[range]);
}

const QStringList &PosterSchedule::keys()
{
    static const QStringList all{
        QStringLiteral("DATEDEBUT"),   QStringLiteral("DATEFIN"),      QStringLiteral("DATEDEBUT1"),
        QStringLiteral("DATEFIN1"),    QStringLiteral("HEUREDEBUT"),   QStringLiteral("HEUREFIN"),
        QStringLiteral("JOURSSEMAINE"), QStringLiteral("HEUREDEBUT1"), QStringLiteral("HEUREFIN1"),
        QStringLiteral("JOURSSEMAINE1")};
    return all;
}

QString PosterSchedule::daysOf(const QList<bool> &checked)
{
    QString days;
    for (int i = 0; i < checked.size(); ++i) {
        if (checked.at(i)) {
            days += QString::number(i + 1);
            qDebug() << "Jours:" << days;
        }
    }
    return days;
}

QList<bool> PosterSchedule::checksOf(const QString &days)
{
    QList<bool> checked;
    for (int i = 0; i < 7; ++i)
        checked.append(false);
    // ASCII digits only: the boxes and the preview know no other.
    for (const QChar c : days) {
        if (c >= QLatin1Char('1') && c <= QLatin1Char('7'))
            checked[c.unicode() - '1'] = true;
    }
    return checked;
}

QString PosterSchedule::unite(const QString &a, const QString &b)
{
    const QList<bool> first = checksOf(a);
    const QList<bool> second = checksOf(b);
    QList<bool> both;
    for (int i = 0; i < 7; ++i)
        both.append(first.at(i) || second.at(i));
    QString days;
    for (int i = 0; i < 7; ++i) {
        if (both.at(i))
            days += QString::number(i + 1);
    }
    return days;
}

QString PosterSchedule::typedTime(const QString &typed, const QString &format)
{
    const QTime time = QTime::fromString(typed, format);
    if (!time.isValid() || time == QTime(0, 0))
        return QString();
    return time.toString(format);
}

PosterSchedule::State PosterSchedule::loaded(const State &current, const Lookup &value, int index)
{
    State state = current;
    if (index < 0)
        return state;
    state.days.clear();
    for (int r = 0; r < RangeCount; ++r) {
        RangeState &range = state.ranges[r];
        const QStringList starts = entries(value(startKey(Range(r))));
        if (index < starts.size() && !absent(starts.at(index))) {
            range.start = starts.at(index);
            range.on = true;
        }
        const QStringList ends = entries(value(endKey(Range(r))));
        if (index >= ends.size())
            continue;
        if (!absent(ends.at(index))) {
            range.end = ends.at(index);
            range.on = true;
        } else {
            range.on = false;
            if (r == Hours1)
                state.days.clear();
        }
    }
    const QStringList days = entries(value(QStringLiteral("JOURSSEMAINE")));
    if (index < days.size() && !absent(days.at(index)))
        state.days = unite(state.days, days.at(index));
    return state;
}

QString PosterSchedule::refusal(const State &state)
{
    for (const Range r : {Dates1, Dates2, Hours1, Hours2}) {
        const RangeState &range = state.ranges[r];
        if (!range.on)
            continue;
        // An unreadable text is an invalid date or time: earlier than every
        // valid one and equal to another invalid one.
        bool earlier;
        bool same;
        if (isDateRange(r)) {
            const QDate start = QDate::fromString(range.start, dateFormat());
            const QDate end = QDate::fromString(range.end, dateFormat());
            // A day that does not exist (31/04, a stored 29/02 of a common
            // year) would be read as another one: ask for a new date. A start
            // never picked stays: the period then runs until its end date.
            if (range.start != range.end) {
                if (!start.isValid() && range.start != unpickedDate())
                    return QStringLiteral("Date de départ impossible (%1): choisissez-en une autre!!!").arg(range.start);
                if (!end.isValid())
                    return QStringLiteral("Date de fin impossible (%1): choisissez-en une autre!!!").arg(range.end);
            }
            earlier = end < start;
            same = end == start;
        } else {
            const QTime start = QTime::fromString(range.start, timeFormat());
            const QTime end = QTime::fromString(range.end, timeFormat());
            earlier = end < start;
            same = end == start;
        }
        if (earlier)
            return isDateRange(r) ? QStringLiteral("Vérifiez la date de fin!!!")
                                  : QStringLiteral("Vérifiez l'heure de fin!!!");
        if (same)
            return isDateRange(r) ? QStringLiteral("Les dates sont identiques!!!")
                                  : QStringLiteral("Les heures sont identiques!!!");
        // The boxes read the second period only behind the first one: alone
        // it would be stored and never used.
        if (r == Dates2 && !state.ranges[Dates1].on)
            return QStringLiteral("« Date 2 » seule n'est pas lue: activez d'abord « Date »!!!");
        if (r == Hours2 && !state.ranges[Hours1].on)
            return QStringLiteral("« Heure 2 » seule n'est pas lue: activez d'abord « Heure »!!!");
    }
    return QString();
}

bool PosterSchedule::replaceEntry(const QString &stored, const QString &slideType, int index, const QString &entry,
                                  QString *joined)
{
    QStringList list = entries(stored);
    if (list.value(0) == Null)
        list.clear();
    // A list shorter than the posters would drop the user's entry: pad it,
    // as the widget page does; the other posters' entries stay.
    const int posters = entries(slideType).size();
    while (list.size() < posters)
        list.append(QString());
    if (index < 0 || index >= list.size())
        return false;
    list[index] = entry;
    *joined = list.join(QLatin1Char('|'));
    return true;
}

PosterSchedule::Values PosterSchedule::writes(const State &state, const Lookup &value, int index)
{
    const QString slideType = value(QStringLiteral("SLIDETYPE"));
    Values out;
    auto put = [&](const QString &key, const QString &entry) {
        QString joined;
        if (replaceEntry(value(key), slideType, index, entry, &joined))
            out.append(qMakePair(key, joined));
    };
    for (const Range r : {Dates1, Dates2, Hours1, Hours2}) {
        const RangeState &range = state.ranges[r];
        put(startKey(r), range.on ? range.start : QString());
        put(endKey(r), range.on ? range.end : QString());
        // The hour range 1 carries the weekdays; off, their entry stays.
        if (r == Hours1 && range.on)
            put(QStringLiteral("JOURSSEMAINE"), state.days);
    }
    put(QStringLiteral("JOURSSEMAINE1"), state.days);
    return out;
}

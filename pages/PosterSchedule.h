#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <functional>

// When one poster is played: two date ranges, two daily hour ranges and one
// weekday set, read from and written to the poster's entries of the ten
// schedule keys of the poster list file. No widgets: the scheduling page
// keeps a State in its buttons and boxes and asks this class what it means.
class PosterSchedule
{
public:
    enum Range { Dates1, Hours1, Dates2, Hours2, RangeCount };

    struct RangeState {
        bool on = false;
        QString start;
        QString end;
    };

    struct State {
        RangeState ranges[RangeCount];
        // Weekday set of the checked boxes, digits in ascending order.
        QString days;
    };

    using Lookup = std::function<QString(const QString &key)>;
    using Values = QList<QPair<QString, QString>>;

    static QString startKey(Range range);
    static QString endKey(Range range);
    static bool isDateRange(Range range) { return range == Dates1 || range == Dates2; }
    static QString dateFormat() { return QStringLiteral("dd/MM/yyyy"); }
    static QString timeFormat() { return QStringLiteral("hh:mm:ss"); }
    // A date button's text until a date is picked.
    static QString unpickedDate() { return QStringLiteral("00/00/0000"); }

    // The ten keys the page writes, in writing order.
    static const QStringList &keys();

    // Weekday set of seven box states (Monday first): "137" for Monday,
    // Wednesday and Sunday.
    static QString daysOf(const QList<bool> &checked);
    // The boxes a stored weekday set checks (Monday first); characters other
    // than the digits 1 to 7 check nothing.
    static QList<bool> checksOf(const QString &days);
    // Union of two weekday sets, ascending.
    static QString unite(const QString &a, const QString &b);

    // The text an hour button takes after the keypad returned `typed`, or an
    // empty string when the button keeps its text (unreadable or midnight).
    static QString typedTime(const QString &typed, const QString &format);

    // The state after loading poster `index` over `current`: the end key
    // decides whether a range is on; a key whose list is too short for the
    // poster changes nothing.
    static State loaded(const State &current, const Lookup &value, int index);

    // The message refusing the first range that cannot be saved (a second
    // range without the first, an impossible date, an end not after its
    // start), or an empty string when every range that is on can be saved.
    static QString refusal(const State &state);

    // The entries to write for poster `index`: a missing key is first made
    // one empty entry per poster (SLIDETYPE's count) and a shorter list is
    // padded to that count; lists are never lengthened past it.
    static Values writes(const State &state, const Lookup &value, int index);

    // The key's entries with entry `index` replaced, after the repair of a
    // missing or short key; false (and nothing set) when the poster is not
    // in the padded list.
    static bool replaceEntry(const QString &stored, const QString &slideType, int index, const QString &entry,
                             QString *joined);
};

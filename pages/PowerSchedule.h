#pragma once

#include <QList>
#include <QPair>
#include <QString>

// When the box switches its screen on and off: two daily slots stored in
// POWERTIME and POWERTIME1 as "start|stop|weekdays" ("|" for a slot that is
// off). No widgets: the power page keeps a State in its buttons and boxes.
class PowerSchedule
{
public:
    enum { SlotCount = 2 };

    struct Slot {
        bool on = false;
        QString start;
        QString stop;
        // The weekday set the file held for this slot at the last load; it
        // is written back unless the user changed the weekday boxes.
        bool hasStoredDays = false;
        QString storedDays;
    };

    struct State {
        Slot times[SlotCount];
        // Weekday set of the shared boxes.
        QString days;
        // The user clicked a weekday box since the last load.
        bool daysEdited = false;
    };

    using Values = QList<QPair<QString, QString>>;

    static QString key(int slot) { return slot == 0 ? QStringLiteral("POWERTIME") : QStringLiteral("POWERTIME1"); }
    static QString timeFormat() { return QStringLiteral("hh:mm"); }

    // Loads the two stored values over `current`: a slot with both times is
    // on, a slot with an empty time is off, a value without '|' (or the
    // missing key's "NULL") leaves the slot as it was. The boxes show the
    // union of both slots' weekdays.
    static State loaded(const State &current, const QString &powerTime, const QString &powerTime1);

    // The message refusing the first slot that is on and does not stop after
    // it starts, or an empty string.
    static QString refusal(const State &state);

    // Both keys as they are to be stored.
    static Values writes(const State &state);
};

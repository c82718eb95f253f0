#include "PowerSchedule.h"

#include "PosterSchedule.h"

#include <QStringList>
#include <QTime>

PowerSchedule::State PowerSchedule::loaded(const State &current, const QString &powerTime, const QString &powerTime1)
{
    State state = current;
    state.days.clear();
    state.daysEdited = false;
    const QString values[SlotCount] = {powerTime, powerTime1};
    for (int s = 0; s < SlotCount; ++s) {
        Slot &slot = state.times[s];
        const QStringList parts = values[s].split(QLatin1Char('|'), Qt::KeepEmptyParts);
        if (parts.size() < 2)
            continue;
        slot.hasStoredDays = false;
        slot.storedDays.clear();
        if (!parts.at(0).isEmpty() && !parts.at(1).isEmpty()) {
            slot.on = true;
            slot.start = parts.at(0);
            slot.stop = parts.at(1);
            if (parts.size() > 2) {
                slot.hasStoredDays = true;
                slot.storedDays = parts.at(2);
                state.days = PosterSchedule::unite(state.days, parts.at(2));
            }
        } else {
            slot.on = false;
            // Switching the first slot off unchecks every box.
            if (s == 0)
                state.days.clear();
        }
    }
    return state;
}

QString PowerSchedule::refusal(const State &state)
{
    for (const Slot &slot : state.times) {
        if (!slot.on)
            continue;
        const QTime start = QTime::fromString(slot.start, timeFormat());
        const QTime stop = QTime::fromString(slot.stop, timeFormat());
        if (stop < start)
            return QStringLiteral("Alimentation: Vérifiez l'heure de fin!!!");
        if (stop == start)
            return QStringLiteral("Alimentation: Les heures sont identiques!!!");
    }
    return QString();
}

PowerSchedule::Values PowerSchedule::writes(const State &state)
{
    Values out;
    for (int s = 0; s < SlotCount; ++s) {
        const Slot &slot = state.times[s];
        if (!slot.on) {
            out.append(qMakePair(key(s), QStringLiteral("|")));
            continue;
        }
        const QString days = slot.hasStoredDays && !state.daysEdited ? slot.storedDays : state.days;
        out.append(qMakePair(key(s), slot.start + QLatin1Char('|') + slot.stop + QLatin1Char('|') + days));
    }
    return out;
}

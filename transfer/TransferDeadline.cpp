#include "TransferDeadline.h"

#include <limits>

int TransferDeadline::ms(qint64 bytes) const
{
    constexpr qint64 most = std::numeric_limits<int>::max();
    qint64 total = qMax(0, marginMs);
    if (bytes > 0 && floorBytesPerSecond > 0) {
        // Seconds first: a hostile length must not overflow.
        const qint64 seconds = bytes / floorBytesPerSecond;
        const qint64 rest = (bytes % floorBytesPerSecond) * 1000 / floorBytesPerSecond;
        total += seconds >= most / 1000 ? most : seconds * 1000 + rest;
    }
    return int(qMin(total, most));
}

QString TransferDeadline::tooSlowText()
{
    return tr("Le serveur est trop lent: le transfert a été abandonné.");
}

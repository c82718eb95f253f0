#pragma once

#include <QCoreApplication>
#include <QString>

// How long a whole transfer may take: a fixed margin plus its size at a
// floor rate that any real slow link beats by far. A reply of unknown
// length (a scan, a status, a script's answer) has the margin alone. Past
// its deadline a transfer fails: the server is too slow. Bytes arriving
// never push a deadline back.
class TransferDeadline
{
    Q_DECLARE_TR_FUNCTIONS(TransferDeadline)
public:
    static constexpr int DefaultMarginMs = 120000;
    static constexpr qint64 DefaultFloorBytesPerSecond = 16 * 1024;

    int marginMs = DefaultMarginMs;
    qint64 floorBytesPerSecond = DefaultFloorBytesPerSecond;

    // The deadline of a transfer of `bytes` (below 0: unknown), in ms,
    // within what a timer can wait.
    int ms(qint64 bytes) const;

    // What the user is told when a transfer ran past its deadline.
    static QString tooSlowText();
};

#pragma once

#include <QByteArray>
#include <QFile>

// A size field of /proc/self/status ("VmRSS:", "VmHWM:") in kB; -1 when the
// system cannot say.
inline qint64 processStatusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Starts measuring the peak (VmHWM) again from now; false when the system cannot.
inline bool resetPeakResident()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

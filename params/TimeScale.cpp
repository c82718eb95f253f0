#include "TimeScale.h"

#include <QString>
#include <QtGlobal>

double TimeScale::factor()
{
    static const double value = [] {
        bool ok = false;
        const double read = qEnvironmentVariable("ZOMANAGER_TIME_SCALE").toDouble(&ok);
        return ok && read >= 1.0 ? read : 1.0;
    }();
    return value;
}

int TimeScale::ms(int ms)
{
    if (ms <= 0)
        return ms;
    return qMax(1, int(ms / factor()));
}

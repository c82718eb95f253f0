#include "TimeScale.h"

#include <QString>
#include <QtGlobal>

namespace {

double g_timeoutDivisor = 1.0;

int divided(int ms, double divisor)
{
    if (ms <= 0)
        return ms;
    return qMax(1, int(ms / divisor));
}

} // namespace

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
    return divided(ms, factor());
}

int TimeScale::timeoutMs(int ms)
{
    return divided(ms, g_timeoutDivisor);
}

TimeScale::ShortTimeouts::ShortTimeouts(double divisor)
    : m_previous(g_timeoutDivisor)
{
    g_timeoutDivisor = qMax(1.0, divisor);
}

TimeScale::ShortTimeouts::~ShortTimeouts()
{
    g_timeoutDivisor = m_previous;
}

#include "StartupTiming.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>

float fontRatioForDpi(double logicalDpi)
{
    const int dpi = int(logicalDpi);
    if (dpi <= 72)
        return 1.7f;
    if (dpi <= 108)
        return 1.0f;
    if (dpi <= 120)
        return 1.1f;
    if (dpi <= 144)
        return 1.2f;
    if (dpi <= 168)
        return 1.3f;
    return 1.0f;
}

void delay(int ms)
{
    // A monotonic clock: a time of day would wrap at midnight and end the
    // wait at once.
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 100);
}

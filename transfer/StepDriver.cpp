#include "StepDriver.h"

#include "HttpFileApi.h"

#include <QScopedValueRollback>
#include <QTimer>

StepDriver::StepDriver(QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_timer(timer)
{
}

void StepDriver::wakeOn(HttpFileApi *api)
{
    connect(api, &HttpFileApi::signalTransferEnded, this, &StepDriver::wake);
}

void StepDriver::restorePace()
{
    if (m_timer->interval() == 0 && m_pace > 0)
        m_timer->setInterval(m_pace);
}

void StepDriver::start()
{
    restorePace();
    m_timer->start();
    wake();
}

void StepDriver::stop()
{
    m_timer->stop();
    restorePace();
}

void StepDriver::wake()
{
    if (!m_timer->isActive() || m_timer->interval() == 0)
        return;
    m_pace = m_timer->interval();
    m_timer->start(0);
}

void StepDriver::run(const std::function<void()> &step, const std::function<int()> &position)
{
    restorePace();
    // Not again from inside one of its own dialogs.
    if (m_inRun)
        return;
    const QScopedValueRollback<bool> inRun(m_inRun, true);
    m_yield = false;
    bool moving = false;
    for (int pass = 0; pass < m_passes; ++pass) {
        const int before = position();
        step();
        const int now = position();
        moving = m_timer->isActive() && now != before && now != 0;
        if (!moving || m_yield)
            break;
    }
    if (moving || (m_yield && m_timer->isActive()))
        wake();
    m_yield = false;
}

bool StepDriver::follow(int passes, const std::function<int()> &position, const std::function<bool()> &step,
                        const std::function<bool()> &goOn)
{
    for (int pass = 0; pass < passes; ++pass) {
        const int before = position();
        if (step())
            return true;
        if (position() == before || (goOn && !goOn()))
            return false;
    }
    return false;
}

#include "StepTimeout.h"

#include "TimeScale.h"

void StepTimeout::Init(int ms)
{
    m_length = TimeScale::timeoutMs(ms);
    m_started.start();
}

void StepTimeout::InitWait(int ms)
{
    m_length = TimeScale::ms(ms);
    m_started.start();
}

bool StepTimeout::expired() const
{
    return !m_started.isValid() || m_started.elapsed() >= m_length;
}

void StepTimeout::renew()
{
    if (m_started.isValid())
        m_started.start();
}

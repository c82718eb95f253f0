#include "ReadBack.h"

void ReadBack::start()
{
    m_result = Pending;
    m_read = 1;
    m_failures = 0;
    m_waiting = false;
}

bool ReadBack::wantsRead() const
{
    return m_result == Pending && (!m_waiting || (m_wait.expired() && !(m_hold && m_hold())));
}

void ReadBack::shown(bool ok)
{
    if (m_result != Pending)
        return;
    if (!ok) {
        m_result = NotShown;
        return;
    }
    if (m_read >= 2) {
        m_result = Shown;
        return;
    }
    m_read = 2;
    m_failures = 0;
    m_waiting = true;
    m_wait.InitWait(SecondReadMs);
}

void ReadBack::failed()
{
    if (m_result != Pending)
        return;
    if (++m_failures >= Tries)
        m_result = Unchecked;
}

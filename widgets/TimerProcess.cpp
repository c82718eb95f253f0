#include "TimerProcess.h"

#include <QTimer>

TimerProcess::TimerProcess()
    : QWidget(nullptr)
    , m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    // A coarse timer may fire up to 5 % early; a time-out must not.
    m_timer->setTimerType(Qt::PreciseTimer);
}

TimerProcess::~TimerProcess() = default;

void TimerProcess::Init(int ms)
{
    disconnect(m_timer, &QTimer::timeout, this, &TimerProcess::Valid);
    m_length = ms;
    if (ms < 1) {
        m_timer->stop();
        m_expired = 1;
        return;
    }
    m_timer->setInterval(ms);
    m_timer->start();
    m_started.start();
    m_expired = 0;
    connect(m_timer, &QTimer::timeout, this, &TimerProcess::Valid);
}

void TimerProcess::Valid()
{
    m_timer->stop();
    disconnect(m_timer, &QTimer::timeout, this, &TimerProcess::Valid);
    m_expired = 1;
}

int TimerProcess::update()
{
    return m_expired == 1 ? 1 : -1;
}

QString TimerProcess::Sablier()
{
    if (m_length <= 0)
        return QString();
    const qint64 remaining = m_length - (m_started.isValid() ? m_started.elapsed() : 0);
    if (remaining >= 0)
        return QStringLiteral("(%1)").arg((remaining + 1000) / 1000);
    return tr("(OK)");
}

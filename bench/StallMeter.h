#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

// Longest gap between ticks of a 1 ms timer, beyond its interval.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // The gap still open counts too: a block that ends the measure.
    double longestMs() const
    {
        const qint64 open = m_timer.isActive() ? m_clock.nsecsElapsed() - m_last : 0;
        return double(qMax(m_longest, open)) / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

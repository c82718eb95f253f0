#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QTimer;

// One-shot time-out polled by the step machines: Init(ms) arms it and
// update() answers 1 once the time has passed, -1 while it runs.
class TimerProcess : public QWidget
{
    Q_OBJECT
public:
    TimerProcess();
    ~TimerProcess() override;

    void Init(int ms);
    int update();
    QString Sablier();

public slots:
    void Valid();

private:
    QTimer *m_timer;
    QElapsedTimer m_started;
    int m_length = 0;
    // Never armed reads as expired: a machine that polls it never waits forever.
    int m_expired = 1;
};

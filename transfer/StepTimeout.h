#pragma once

#include <QElapsedTimer>

// A time-out polled by a step machine, scaled by TimeScale. Never armed
// reads as expired, so a machine that polls it cannot wait for ever.
class StepTimeout
{
public:
    void Init(int ms);
    bool expired() const;
    // Pushes the end back by the armed length (progress was seen).
    void renew();

private:
    QElapsedTimer m_started;
    int m_length = 0;
};

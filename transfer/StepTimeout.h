#pragma once

#include <QElapsedTimer>

// A time-out polled by a step machine. Never armed reads as expired, so a
// machine that polls it cannot wait for ever.
class StepTimeout
{
public:
    // How long an answer may take: the full length (see TimeScale).
    void Init(int ms);
    // A wait between polls, shortened by ZOMANAGER_TIME_SCALE in tests.
    void InitWait(int ms);
    bool expired() const;
    // Pushes the end back by the armed length (progress was seen).
    void renew();

private:
    QElapsedTimer m_started;
    int m_length = 0;
};

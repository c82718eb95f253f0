#pragma once

// Waits of the step machines between polls, divided by ZOMANAGER_TIME_SCALE
// (read once, at first use). Unset, empty, below 1 or not a number: 1, so
// production waits are never shortened. Tests set it to run the real
// machines fast.
//
// Network time-outs (how long an answer may take) are not scaled by it: on
// a busy machine a scaled time-out fails a sound exchange. A test of a
// time-out shortens it for that test only, with ShortTimeouts.
class TimeScale
{
public:
    // The divisor of waits in force.
    static double factor();
    // A wait: `ms` divided by the factor, at least 1 for a positive wait.
    static int ms(int ms);
    // A network time-out: `ms`, divided only while a test shortens it.
    static int timeoutMs(int ms);

    // Shortens network time-outs by `divisor` (at least 1) while it lives.
    class ShortTimeouts
    {
    public:
        explicit ShortTimeouts(double divisor);
        ~ShortTimeouts();
        ShortTimeouts(const ShortTimeouts &) = delete;
        ShortTimeouts &operator=(const ShortTimeouts &) = delete;

    private:
        double m_previous;
    };
};

#pragma once

// Waits of the step machines, divided by ZOMANAGER_TIME_SCALE (read once,
// at first use). Unset, empty, below 1 or not a number: 1, so production
// waits are never shortened. Tests set it to run the real machines fast.
class TimeScale
{
public:
    // The divisor in force.
    static double factor();
    // `ms` divided by the factor, at least 1 for a positive wait.
    static int ms(int ms);
};

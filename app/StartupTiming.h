#pragma once

// Font scale for a screen's logical dots per inch, truncated to a whole
// number first (72.9 counts as 72).
float fontRatioForDpi(double logicalDpi);

// Waits `ms` milliseconds while dispatching events, so the splash paints and
// the top window's timers run meanwhile.
void delay(int ms = 2000);

#pragma once

#include <QString>

// Process-wide font scale, set once by main() from the screen density.
extern float FontRatio;

// Work folder with a trailing "/", set once by the control panel.
extern QString ApplicationPath;

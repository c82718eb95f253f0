#include "AppGlobals.h"

float FontRatio = 1.0f;
QString ApplicationPath;

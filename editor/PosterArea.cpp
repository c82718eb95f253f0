#include "PosterArea.h"

#include <algorithm>

PosterArea PosterArea::fit(int pageWidth, int pageHeight, int rotation)
{
    // The boxes' screens are 16:9; the factor is the one the boxes' layout
    // uses, not exactly 16/9.
    const double ratio = 1.778;
    PosterArea area;
    area.iconSize = pageWidth / 40;
    area.height = pageHeight - area.iconSize - 5;
    if (isPortrait(rotation))
        area.width = int(area.height / ratio);
    else
        area.width = std::min(int(area.height * ratio), pageWidth);
    return area;
}

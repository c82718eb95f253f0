#include "PosterArea.h"

#include <QtGlobal>

#include <algorithm>

namespace {

// The boxes' screens are 16:9; the factor is the one the boxes' layout
// uses, not exactly 16/9.
const double kRatio = 1.778;

} // namespace

PosterArea PosterArea::fit(int pageWidth, int pageHeight, int rotation, int barHeight)
{
    const double ratio = kRatio;
    PosterArea area;
    area.iconSize = pageWidth / 40;
    area.height = pageHeight - (barHeight < 0 ? area.iconSize + 5 : barHeight);
    if (isPortrait(rotation))
        area.width = int(area.height / ratio);
    else
        area.width = std::min(int(area.height * ratio), pageWidth);
    return area;
}

PosterArea PosterArea::fitUnbounded(int pageWidth, int pageHeight, int rotation)
{
    Q_UNUSED(pageWidth)
    PosterArea area;
    area.iconSize = 30;
    area.height = pageHeight - area.iconSize;
    area.width = isPortrait(rotation) ? int(area.height / kRatio) : int(area.height * kRatio);
    return area;
}

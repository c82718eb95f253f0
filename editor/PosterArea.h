#pragma once

// Size of the area that stands for the box's screen on an editor page of
// width x height, with the tool bar's icons above it.
struct PosterArea
{
    int iconSize = 30;
    int width = 0;
    int height = 0;

    // barHeight: the tool bar's real height; without it the bar is taken as
    // one icon high.
    static PosterArea fit(int pageWidth, int pageHeight, int rotation, int barHeight = -1);
    // The rich-text editor's area: under a fixed 30-pixel bar, not bounded
    // by the page's width.
    static PosterArea fitUnbounded(int pageWidth, int pageHeight, int rotation);
    static bool isPortrait(int rotation) { return rotation == 90 || rotation == -90; }
};

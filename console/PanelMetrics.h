#pragma once

#include <QRect>
#include <QSize>

// Sizes of the control panel's fonts, icons and message band for one panel
// size. Divisions are whole-number first, then scaled and truncated, so the
// panel looks the same at the same size on every run.
class PanelMetrics
{
public:
    PanelMetrics(int width, int height, float fontRatio);

    int listPointSize() const;
    int statusPointSize() const;
    int captionPointSize() const;
    int textPointSize() const;
    int overlayTextPointSize() const;

    QSize toolIconSize() const;
    QSize screensIconSize() const;
    QSize groupIconSize() const;
    int statusIconSize() const;
    QSize logoBox() const;

    QRect overlayGeometry() const;
    int progressBarSide() const;
    int outlinePenWidth() const;
    int dataPenWidth() const;

private:
    int scaled(int base) const;

    int m_width;
    int m_height;
    float m_fontRatio;
};

#include "PanelMetrics.h"

PanelMetrics::PanelMetrics(int width, int height, float fontRatio)
    : m_width(width)
    , m_height(height)
    , m_fontRatio(fontRatio)
{
}

int PanelMetrics::scaled(int base) const
{
    // A point size below 1 is refused by QFont; keep the text readable when
    // the panel is tiny.
    const int size = int(float(base) * m_fontRatio);
    return size > 0 ? size : 1;
}

int PanelMetrics::listPointSize() const { return scaled(m_height / 55); }
int PanelMetrics::statusPointSize() const { return scaled(m_height / 75); }
int PanelMetrics::captionPointSize() const { return scaled(m_height / 90); }
int PanelMetrics::textPointSize() const { return scaled(m_height / 100); }
int PanelMetrics::overlayTextPointSize() const { return scaled(m_height / 55); }

QSize PanelMetrics::toolIconSize() const { return QSize(m_width / 35, m_width / 35); }
QSize PanelMetrics::screensIconSize() const { return QSize(m_height / 10, m_height / 10); }
QSize PanelMetrics::groupIconSize() const { return QSize(m_height / 15, m_height / 15); }
int PanelMetrics::statusIconSize() const { return m_height / 15; }

QSize PanelMetrics::logoBox() const
{
    return QSize(int(3.26 * m_height * 0.055), int(m_height * 0.055));
}

QRect PanelMetrics::overlayGeometry() const { return QRect(0, m_height / 3, m_width, m_height / 3); }
int PanelMetrics::progressBarSide() const { return m_height / 6; }
int PanelMetrics::outlinePenWidth() const { return m_height / 30; }
int PanelMetrics::dataPenWidth() const { return m_height / 70; }

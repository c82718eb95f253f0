#pragma once

#include <QHash>
#include <QImage>
#include <QRect>
#include <QtMath>

// WCAG contrast ratio, as a reader of the grabs would judge it.
namespace ContrastRatio {

inline double luminance(QRgb c)
{
    const auto channel = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : qPow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

inline double of(QRgb a, QRgb b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// Text drawn in `area`: its most frequent colour is the ground, the pixel
// that stands out most from it is the text.
inline double text(const QImage &shot, const QRect &area)
{
    const QImage image = shot.convertToFormat(QImage::Format_RGB32);
    const QRect inside = area.intersected(image.rect());
    QHash<QRgb, int> counts;
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    }
    QRgb ground = 0;
    int most = 0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > most) {
            most = it.value();
            ground = it.key();
        }
    }
    double best = 1.0;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        best = qMax(best, of(it.key(), ground));
    return best;
}

} // namespace ContrastRatio

#include "QRoundProgressBar.h"

#include <QConicalGradient>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <utility>

namespace {

QPen outlinePen(const QBrush &brush, double width)
{
    return QPen(brush, width, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

bool sameStops(const QRoundProgressBar::ColorStops &a, const QRoundProgressBar::ColorStops &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i) {
        if (a.at(i).first != b.at(i).first || a.at(i).second != b.at(i).second)
            return false;
    }
    return true;
}

} // namespace

QRoundProgressBar::QRoundProgressBar(QWidget *parent)
    : QWidget(parent)
{
}

QRoundProgressBar::~QRoundProgressBar() = default;

QSize QRoundProgressBar::minimumSizeHint() const
{
    return QSize(32, 32);
}

int QRoundProgressBar::heightForWidth(int w) const
{
    return w;
}

bool QRoundProgressBar::hasHeightForWidth() const
{
    return true;
}

void QRoundProgressBar::normaliseRange()
{
    if (m_min > m_max)
        std::swap(m_min, m_max);
    m_value = qBound(m_min, m_value, m_max);
    m_rebuildBrush = true;
    update();
}

void QRoundProgressBar::setRange(double min, double max)
{
    m_min = min;
    m_max = max;
    normaliseRange();
}

void QRoundProgressBar::setMinimum(double min)
{
    m_min = min;
    normaliseRange();
}

void QRoundProgressBar::setMaximum(double max)
{
    m_max = max;
    normaliseRange();
}

void QRoundProgressBar::setValue(double value)
{
    if (m_value == value)
        return;
    m_value = qBound(m_min, value, m_max);
    update();
}

void QRoundProgressBar::setValue(int value)
{
    setValue(double(value));
}

void QRoundProgressBar::setNullPosition(double position)
{
    if (position == m_nullPosition)
        return;
    m_nullPosition = position;
    m_rebuildBrush = true;
    update();
}

void QRoundProgressBar::setBarStyle(BarStyle style)
{
    if (style == m_barStyle)
        return;
    m_barStyle = style;
    m_rebuildBrush = true;
    update();
}

void QRoundProgressBar::setOutlinePenWidth(double width)
{
    if (width == m_outlinePenWidth)
        return;
    m_outlinePenWidth = width;
    update();
}

void QRoundProgressBar::setDataPenWidth(double width)
{
    if (width == m_dataPenWidth)
        return;
    m_dataPenWidth = width;
    update();
}

void QRoundProgressBar::setDataColors(const ColorStops &stops)
{
    if (sameStops(stops, m_gradientData))
        return;
    m_gradientData = stops;
    m_rebuildBrush = true;
    update();
}

void QRoundProgressBar::setFormat(const QString &format)
{
    if (format == m_format)
        return;
    m_format = format;
    valueFormatChanged();
}

void QRoundProgressBar::resetFormat()
{
    m_format.clear();
    valueFormatChanged();
}

void QRoundProgressBar::setDecimals(int count)
{
    if (count < 0 || count == m_decimals)
        return;
    m_decimals = count;
    valueFormatChanged();
}

void QRoundProgressBar::valueFormatChanged()
{
    m_updateFlags = 0;
    if (m_format.contains(QLatin1String("%v")))
        m_updateFlags |= HasValue;
    if (m_format.contains(QLatin1String("%p")))
        m_updateFlags |= HasPercent;
    if (m_format.contains(QLatin1String("%m")))
        m_updateFlags |= HasMax;
    update();
}

QString QRoundProgressBar::valueToText(double value) const
{
    QString text = m_format;
    if (m_updateFlags & HasValue)
        text.replace(QLatin1String("%v"), QString::number(value, 'f', m_decimals));
    if (m_updateFlags & HasPercent) {
        // An empty range counts as complete rather than dividing by zero.
        const double range = m_max - m_min;
        const double percent = range != 0 ? (value - m_min) / range * 100 : 100;
        text.replace(QLatin1String("%p"), QString::number(percent, 'f', m_decimals));
    }
    if (m_updateFlags & HasMax)
        text.replace(QLatin1String("%m"), QString::number(m_max - m_min + 1, 'f', m_decimals));
    return text;
}

void QRoundProgressBar::paintEvent(QPaintEvent *)
{
    const int side = qMin(width(), height());
    if (side < 3)
        return;
    const double outerRadius = side;
    const QRectF baseRect(1, 1, outerRadius - 2, outerRadius - 2);

    QImage buffer(side, side, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&buffer);
    p.setRenderHint(QPainter::Antialiasing);

    rebuildDataBrushIfNeeded();
    drawBackground(p, buffer.rect());
    drawBase(p, baseRect);
    const double delta = m_value != m_min ? (m_max - m_min) / (m_value - m_min) : 0;
    drawValue(p, baseRect, m_value, delta);

    QRectF innerRect;
    double innerRadius = 0;
    calculateInnerRect(baseRect, outerRadius, innerRect, innerRadius);
    drawInnerBackground(p, innerRect);
    drawText(p, innerRect, innerRadius, m_value);
    p.end();

    QPainter painter(this);
    painter.fillRect(baseRect, palette().window());
    painter.drawImage(0, 0, buffer);
}

void QRoundProgressBar::drawBackground(QPainter &p, const QRectF &baseRect)
{
    p.fillRect(baseRect, palette().window());
}

void QRoundProgressBar::drawBase(QPainter &p, const QRectF &baseRect)
{
    switch (m_barStyle) {
    case StyleDonut:
        p.setPen(outlinePen(palette().shadow(), m_outlinePenWidth));
        p.setBrush(palette().base());
        p.drawEllipse(baseRect);
        break;
    case StyleLine: {
        const double half = m_outlinePenWidth / 2;
        p.setPen(outlinePen(palette().base(), m_outlinePenWidth));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(baseRect.adjusted(half, half, -half, -half));
        break;
    }
    default:
        p.setPen(outlinePen(palette().base(), m_outlinePenWidth));
        p.setBrush(palette().base());
        p.drawEllipse(baseRect);
        break;
    }
}

void QRoundProgressBar::drawValue(QPainter &p, const QRectF &baseRect, double value, double delta)
{
    if (value == m_min || delta == 0)
        return;
    const double arcLength = 360.0 / delta;

    if (m_barStyle == StyleExpand) {
        p.setBrush(palette().highlight());
        p.setPen(outlinePen(palette().shadow(), m_dataPenWidth));
        const double radius = (baseRect.height() / 2) / delta;
        p.drawEllipse(baseRect.center(), radius, radius);
        return;
    }

    if (m_barStyle == StyleLine) {
        const double half = m_outlinePenWidth / 2;
        const QRectF arcRect = baseRect.adjusted(half, half, -half, -half);
        p.setPen(outlinePen(palette().highlight(), m_dataPenWidth));
        p.setBrush(Qt::NoBrush);
        if (value == m_max)
            p.drawEllipse(arcRect);
        else
            p.drawArc(arcRect, int(m_nullPosition * 16), -int(arcLength * 16));
        return;
    }

    QPainterPath dataPath;
    dataPath.setFillRule(Qt::WindingFill);
    if (value == m_max) {
        dataPath.addEllipse(baseRect);
    } else {
        dataPath.moveTo(baseRect.center());
        dataPath.arcTo(baseRect, m_nullPosition, -arcLength);
        dataPath.lineTo(baseRect.center());
    }
    p.setBrush(palette().highlight());
    p.setPen(outlinePen(palette().shadow(), m_dataPenWidth));
    p.drawPath(dataPath);
}

void QRoundProgressBar::calculateInnerRect(const QRectF &, double outerRadius, QRectF &innerRect,
                                           double &innerRadius)
{
    if (m_barStyle == StyleLine || m_barStyle == StyleExpand)
        innerRadius = outerRadius - m_outlinePenWidth;
    else
        innerRadius = outerRadius * 0.75;
    const double delta = (outerRadius - innerRadius) / 2;
    innerRect = QRectF(delta, delta, innerRadius, innerRadius);
}

void QRoundProgressBar::drawInnerBackground(QPainter &p, const QRectF &innerRect)
{
    if (m_barStyle == StyleDonut) {
        p.setBrush(palette().alternateBase());
        p.drawEllipse(innerRect);
    }
}

void QRoundProgressBar::drawText(QPainter &p, const QRectF &innerRect, double innerRadius, double value)
{
    if (m_format.isEmpty())
        return;
    QFont f(font());
    f.setPixelSize(10);
    const double widest = QFontMetricsF(f).horizontalAdvance(valueToText(m_max));
    if (widest <= 0)
        return;
    const int pixelSize = int(10 * (innerRadius / widest) * 0.75);
    if (pixelSize < 1)
        return;
    f.setPixelSize(pixelSize);
    p.setFont(f);
    p.setPen(palette().text().color());
    p.drawText(innerRect, Qt::AlignCenter, valueToText(value));
}

void QRoundProgressBar::rebuildDataBrushIfNeeded()
{
    if (!m_rebuildBrush || m_gradientData.isEmpty() || m_barStyle == StyleLine)
        return;
    m_rebuildBrush = false;

    QPalette pal(palette());
    if (m_barStyle == StyleExpand) {
        QRadialGradient gradient(0.5, 0.5, 0.5, 0.5, 0.5);
        gradient.setCoordinateMode(QGradient::StretchToDeviceMode);
        for (const auto &stop : qAsConst(m_gradientData))
            gradient.setColorAt(stop.first, stop.second);
        pal.setBrush(QPalette::Highlight, gradient);
    } else {
        QConicalGradient gradient(0.5, 0.5, m_nullPosition);
        gradient.setCoordinateMode(QGradient::StretchToDeviceMode);
        for (const auto &stop : qAsConst(m_gradientData))
            gradient.setColorAt(1.0 - stop.first, stop.second);
        pal.setBrush(QPalette::Highlight, gradient);
    }
    setPalette(pal);
}

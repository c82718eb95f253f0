#include "QProgressIndicator.h"

#include <QPainter>
#include <QTimerEvent>

QProgressIndicator::QProgressIndicator(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
}

QProgressIndicator::~QProgressIndicator() = default;

bool QProgressIndicator::isAnimated() const
{
    return m_timerId != -1;
}

bool QProgressIndicator::isDisplayedWhenStopped() const
{
    return m_displayedWhenStopped;
}

QSize QProgressIndicator::sizeHint() const
{
    return QSize(50, 50);
}

int QProgressIndicator::heightForWidth(int w) const
{
    return w;
}

void QProgressIndicator::startAnimation()
{
    m_angle = 0;
    if (m_timerId == -1)
        m_timerId = startTimer(m_delay, Qt::CoarseTimer);
}

void QProgressIndicator::stopAnimation()
{
    if (m_timerId != -1)
        killTimer(m_timerId);
    m_timerId = -1;
    update();
}

void QProgressIndicator::setAnimationDelay(int delay)
{
    m_delay = delay;
    if (m_timerId != -1) {
        killTimer(m_timerId);
        m_timerId = startTimer(m_delay, Qt::CoarseTimer);
    }
}

void QProgressIndicator::setDisplayedWhenStopped(bool state)
{
    m_displayedWhenStopped = state;
    update();
}

void QProgressIndicator::setColor(const QColor &color)
{
    m_color = color;
    update();
}

void QProgressIndicator::timerEvent(QTimerEvent *event)
{
    if (event->timerId() != m_timerId) {
        QWidget::timerEvent(event);
        return;
    }
    m_angle = (m_angle + 30) % 360;
    update();
}

void QProgressIndicator::paintEvent(QPaintEvent *)
{
    if (!m_displayedWhenStopped && !isAnimated())
        return;

    const int side = qMin(width(), height());
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const int outerRadius = int((side - 1) * 0.5);
    const int innerRadius = int((side - 1) * 0.5 * 0.38);
    const int capsuleHeight = outerRadius - innerRadius;
    const int capsuleWidth = side > 32 ? int(capsuleHeight * 0.23) : int(capsuleHeight * 0.35);
    const int capsuleRadius = capsuleWidth / 2;

    for (int i = 0; i < 12; ++i) {
        QColor color = m_color;
        color.setAlphaF(1.0 - (i / 12.0));
        p.setPen(Qt::NoPen);
        p.setBrush(color);
        p.save();
        p.translate(rect().center());
        p.rotate(m_angle - i * 30.0);
        p.drawRoundedRect(-capsuleWidth / 2, -outerRadius, capsuleWidth, capsuleHeight, capsuleRadius,
                          capsuleRadius);
        p.restore();
    }
}

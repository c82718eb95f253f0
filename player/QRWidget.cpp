#include "QRWidget.h"

#include "QRPainter.h"

#include <QPainter>
#include <cstdlib>

namespace {

// The picture is rendered again only past this drift from the widget's size.
const int SizeSlack = 10;

} // namespace

QRWidget::QRWidget(QWidget *parent)
    : QWidget(parent)
{
}

void QRWidget::setQRData(QString data)
{
    if (data == m_data)
        return;
    m_needsRedraw = true;
    m_data = data;
    setToolTip(data);
    update();
    render();
}

int QRWidget::render()
{
    if (m_data.isEmpty())
        return 0;
    const int w = width();
    const int h = height();
    const int side = (h > 0 && double(w) / h > 1) ? h : w;
    if (m_needsRedraw || std::abs(m_pixmap.width() - side) > SizeSlack ||
        std::abs(m_pixmap.height() - side) > SizeSlack) {
        m_needsRedraw = false;
        m_pixmap = QPixmap(side, side);
        m_pixmap.fill(Qt::white);
        QPainter painter(&m_pixmap);
        paintQR(painter, QSize(w, h), m_data, foreground(), Qt::white);
        painter.end();
        emit qrRedraw();
    }
    return side;
}

void QRWidget::paintEvent(QPaintEvent *)
{
    const int side = render();
    if (side <= 0)
        return;
    QPainter painter(this);
    painter.drawPixmap(QRect((width() - side) / 2, (height() - side) / 2, side, side), m_pixmap);
}

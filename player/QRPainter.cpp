#include "QRPainter.h"

#include <QDebug>
#include <QPainter>
#include <QRectF>
#include <optional>
#include <qrcodegen/qrcodegen.hpp>

using qrcodegen::QrCode;

namespace {

// Text too long for any QR version gives no code and a warning.
std::optional<QrCode> encode(const QString &data, QrCode::Ecc ecc)
{
    try {
        return QrCode::encodeText(data.toUtf8().constData(), ecc);
    } catch (const std::exception &error) {
        qWarning().noquote() << "QR code not made:" << error.what();
        return std::nullopt;
    }
}

} // namespace

int paintQR(QPainter &painter, QSize size, const QString &data, QColor foreground, QColor background)
{
    Q_UNUSED(background);
    const std::optional<QrCode> code = encode(data, QrCode::Ecc::MEDIUM);
    if (!code)
        return 0;
    const int n = qMax(1, code->getSize());
    const double w = size.width();
    const double h = size.height();
    const double side = (h > 0 && w / h > 1) ? h : w;
    const double s = side / (n + 2);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QBrush(foreground, Qt::SolidPattern));
    for (int y = 0; y < n; ++y) {
        for (int x = 0; x < n; ++x) {
            if (code->getModule(x, y))
                painter.drawRect(QRectF((x + 1) * s, (y + 1) * s, s, s));
        }
    }
    return n;
}

QString asciiQR(const QString &data, QString dark, QString light)
{
    const std::optional<QrCode> code = encode(data, QrCode::Ecc::LOW);
    if (!code)
        return QString();
    QString text;
    const int n = code->getSize();
    for (int y = 0; y < n; ++y) {
        text += QLatin1Char('\n');
        for (int x = 0; x < n; ++x)
            text += code->getModule(x, y) ? dark : light;
    }
    return text;
}

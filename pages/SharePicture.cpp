#include "SharePicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPainter>

QRect SharePicture::placed(const QSize &image, const QSize &size)
{
    const QSize scaled = image.scaled(size, Qt::KeepAspectRatio);
    return QRect(QPoint((size.width() - scaled.width()) / 2, (size.height() - scaled.height()) / 2), scaled);
}

QImage SharePicture::render(const QString &picture, const QString &text, const QSize &size)
{
    QImage layers[2];
    if (!picture.isEmpty())
        layers[0].load(picture);
    if (!text.isEmpty())
        layers[1].load(text);
    if (layers[0].isNull() && layers[1].isNull())
        return QImage();
    QImage out(size, QImage::Format_RGB32);
    out.fill(Qt::black);
    QPainter painter(&out);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const QImage &layer : layers) {
        if (!layer.isNull())
            painter.drawImage(placed(layer.size(), size), layer);
    }
    return out;
}

bool SharePicture::save(const QImage &image, const QString &file)
{
    if (QFile::exists(file) && !QFile::remove(file))
        return false;
    if (image.isNull())
        return false;
    QDir().mkpath(QFileInfo(file).absolutePath());
    return image.save(file, "png");
}

#pragma once

// Pictures of 1920x1080 drawn once into a cache folder and reused by later
// runs, for the media benchmarks.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QObject>
#include <QPainter>
#include <QThreadPool>

#include "../StallMeter.h"

inline QString benchPictureName(int i)
{
    return QStringLiteral("photo-%1.jpg").arg(i, 4, 10, QLatin1Char('0'));
}

inline void drawBenchPictures(const QString &folder, int count)
{
    QDir().mkpath(folder);
    QThreadPool pool;
    for (int i = 0; i < count; ++i) {
        const QString path = folder + QLatin1Char('/') + benchPictureName(i);
        if (QFileInfo::exists(path))
            continue;
        pool.start([path, i] {
            QImage image(1920, 1080, QImage::Format_RGB32);
            QPainter p(&image);
            QLinearGradient g(0, 0, 1920, 1080);
            g.setColorAt(0, QColor::fromHsv((i * 37) % 360, 200, 230));
            g.setColorAt(1, QColor::fromHsv((i * 37 + 150) % 360, 220, 70));
            p.fillRect(image.rect(), g);
            p.setPen(Qt::white);
            p.setFont(QFont(QStringLiteral("DejaVu Sans"), 120, QFont::Bold));
            p.drawText(image.rect(), Qt::AlignCenter, QString::number(i));
            p.end();
            image.save(path + QStringLiteral(".part"), "JPG", 90);
            QFile::rename(path + QStringLiteral(".part"), path);
        });
    }
    pool.waitForDone();
}

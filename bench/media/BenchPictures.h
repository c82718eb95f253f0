#pragma once

// Pictures of 1920x1080 drawn once into a cache folder and reused by later
// runs, and the longest stall of the event loop, for the media benchmarks.

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
#include <QTimer>

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

// Longest gap between ticks of a 1 ms timer, beyond its interval.
class StallMeter : public QObject
{
public:
    StallMeter()
    {
        m_timer.setInterval(1);
        connect(&m_timer, &QTimer::timeout, this, [this] {
            const qint64 now = m_clock.nsecsElapsed();
            m_longest = qMax(m_longest, now - m_last);
            m_last = now;
        });
    }
    void start()
    {
        m_longest = 0;
        m_clock.start();
        m_last = 0;
        m_timer.start();
    }
    void stop() { m_timer.stop(); }
    // The gap still open counts too: a block that ends the measure.
    double longestMs() const
    {
        const qint64 open = m_timer.isActive() ? m_clock.nsecsElapsed() - m_last : 0;
        return double(qMax(m_longest, open)) / 1e6;
    }

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

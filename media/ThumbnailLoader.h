#pragma once

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QSet>
#include <QSize>
#include <QThreadPool>
#include <QTimer>

// Makes picture thumbnails on worker threads and keeps the latest ones (a
// few megabytes of them), so that a library of thousands of pictures opens
// without freezing the window or holding a decoded icon per file. Results
// reach the GUI thread in small batches (a few milliseconds of work per
// event-loop turn) through ready().
class ThumbnailLoader : public QObject
{
    Q_OBJECT
public:
    // `keptBytes`: the most the kept thumbnails weigh.
    explicit ThumbnailLoader(QObject *parent = nullptr, int keptBytes = 8 << 20);
    ~ThumbnailLoader() override;

    // The thumbnail when one of this file (unchanged since) and box size is
    // kept; otherwise a null image, and ready() follows later.
    QPixmap request(const QString &file, const QSize &box);
    // Drops the requests not delivered yet (a rebuilt list).
    void cancelPending();
    int pending() const { return m_queued + m_results.size(); }

    // The picture scaled into box, aspect ratio kept, smooth, centred on a
    // clear picture of box; null when it cannot be read.
    static QImage load(const QString &file, const QSize &box);
    // `image` centred on a transparent picture of `box` (empty for a null image).
    static QImage boxed(const QImage &image, const QSize &box);

signals:
    void ready(const QString &file, const QPixmap &thumbnail);

private:
    // Kept as the pixmap the list icons share, so a thumbnail is held once.
    struct Kept {
        QDateTime modified;
        qint64 bytes = -1;
        QSize box;
        QPixmap pixmap;
    };
    struct Result {
        QString file;
        QSize box;
        QImage image;
        quint64 generation;
    };

    void deliver();

    QThreadPool m_pool;
    // Weighed in kilobytes.
    QCache<QString, Kept> m_kept;
    // Files being made, with their box: asked again, not made twice.
    QSet<QString> m_making;
    QList<Result> m_results;
    QTimer m_flush;
    quint64 m_generation = 0;
    int m_queued = 0;
};

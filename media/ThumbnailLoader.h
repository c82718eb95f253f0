#pragma once

#include <QCache>
#include <QDateTime>
#include <QImage>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QHash>
#include <QSize>
#include <QThreadPool>
#include <QTimer>

#include <functional>
#include <memory>

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

    // The loader the lists of one console share: a thumbnail is made and
    // held once for every list that shows it. Made on first use, gone when
    // the last holder lets it go.
    static std::shared_ptr<ThumbnailLoader> shared();

    // The thumbnail when one of this file (unchanged since) and box size is
    // kept; otherwise a null image, and ready() follows later. A file
    // replaced since its thumbnail was asked for is made again.
    QPixmap request(const QString &file, const QSize &box);
    int pending() const { return m_queued + m_results.size(); }

    // Test seam: called on the worker thread once a picture is read, before
    // it is handed on.
    void setAfterRead(std::function<void(const QString &file)> hook) { m_afterRead = std::move(hook); }

    // The picture scaled into box, aspect ratio kept, smooth, centred on a
    // clear picture of box; null when it cannot be read.
    static QImage load(const QString &file, const QSize &box);
    // `image` centred on a transparent picture of `box` (empty for a null image).
    static QImage boxed(const QImage &image, const QSize &box);

signals:
    void ready(const QString &file, const QPixmap &thumbnail);

private:
    // What a file was when its thumbnail was asked for.
    struct Stamp {
        QDateTime modified;
        qint64 bytes = -1;
        bool operator==(const Stamp &other) const { return bytes == other.bytes && modified == other.modified; }
        bool operator!=(const Stamp &other) const { return !(*this == other); }
    };
    // Kept as the pixmap the list icons share, so a thumbnail is held once.
    struct Kept {
        Stamp stamp;
        QSize box;
        QPixmap pixmap;
    };
    struct Result {
        QString file;
        QSize box;
        Stamp stamp;
        QImage image;
    };

    static Stamp stampOf(const QString &file);

    void deliver();

    QThreadPool m_pool;
    // Weighed in kilobytes.
    QCache<QString, Kept> m_kept;
    // Files being made, by file and box, with the stamp taken before the
    // read: asked again unchanged, not made twice; asked again replaced,
    // made again, and the older picture dropped when it arrives.
    QHash<QString, Stamp> m_making;
    QList<Result> m_results;
    QTimer m_flush;
    int m_queued = 0;
    std::function<void(const QString &)> m_afterRead;
};

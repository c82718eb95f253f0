#include "ThumbnailLoader.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QThread>

namespace {

// Work done per event-loop turn when handing results on.
constexpr int kBatchMs = 8;

QString makingKey(const QString &file, const QSize &box)
{
    return file + QLatin1Char('\n') + QString::number(box.width()) + QLatin1Char('x') + QString::number(box.height());
}

} // namespace

ThumbnailLoader::ThumbnailLoader(QObject *parent, int keptBytes)
    : QObject(parent)
    , m_kept(qMax(1, keptBytes / 1024))
{
    // Leave a core to the GUI thread.
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount() - 1));
    m_flush.setInterval(0);
    m_flush.setSingleShot(true);
    connect(&m_flush, &QTimer::timeout, this, &ThumbnailLoader::deliver);
}

ThumbnailLoader::~ThumbnailLoader()
{
    m_pool.clear();
    m_pool.waitForDone();
}

QImage ThumbnailLoader::load(const QString &file, const QSize &box)
{
    QImageReader reader(file);
    reader.setAutoTransform(true);
    const QSize full = reader.size();
    if (full.isValid() && box.isValid()) {
        const QSize fit = full.scaled(box, Qt::KeepAspectRatio);
        // Let the decoder scale (JPEG decodes at a fraction of its size);
        // the image handler smooths the rest.
        if (fit.width() < full.width())
            reader.setScaledSize(fit.expandedTo(QSize(1, 1)));
    }
    QImage image = reader.read();
    if (image.isNull() || !box.isValid())
        return image;
    if (image.width() > box.width() || image.height() > box.height())
        image = image.scaled(box, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    return boxed(image, box);
}

QImage ThumbnailLoader::boxed(const QImage &image, const QSize &box)
{
    // Centred on a clear box: every row of a list then lines up its text,
    // portrait, landscape or still loading.
    QImage canvas(box, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    if (!image.isNull()) {
        QPainter painter(&canvas);
        painter.drawImage((box.width() - image.width()) / 2, (box.height() - image.height()) / 2, image);
    }
    return canvas;
}

std::shared_ptr<ThumbnailLoader> ThumbnailLoader::shared()
{
    static std::weak_ptr<ThumbnailLoader> current;
    std::shared_ptr<ThumbnailLoader> loader = current.lock();
    if (!loader) {
        loader = std::make_shared<ThumbnailLoader>();
        current = loader;
    }
    return loader;
}

ThumbnailLoader::Stamp ThumbnailLoader::stampOf(const QString &file)
{
    const QFileInfo info(file);
    return {info.lastModified(), info.exists() ? info.size() : -1};
}

QPixmap ThumbnailLoader::request(const QString &file, const QSize &box)
{
    // Taken before the read: a file replaced meanwhile is seen as changed at
    // the next request, never its old picture as the new file's.
    const Stamp stamp = stampOf(file);
    const Kept *kept = m_kept.object(file);
    if (kept && kept->box == box && kept->stamp == stamp)
        return kept->pixmap;
    const QString making = makingKey(file, box);
    const auto it = m_making.constFind(making);
    if (it != m_making.cend() && *it == stamp)
        return QPixmap();
    m_making.insert(making, stamp);

    ++m_queued;
    m_pool.start([this, file, box, stamp, afterRead = m_afterRead] {
        const QImage image = load(file, box);
        if (afterRead)
            afterRead(file);
        // The loader waits for its workers before it dies, so `this` is
        // alive; the queued call is dropped if it dies first.
        QMetaObject::invokeMethod(
            this,
            [this, file, box, stamp, image] {
                --m_queued;
                m_results.append({file, box, stamp, image});
                if (!m_flush.isActive())
                    m_flush.start();
            },
            Qt::QueuedConnection);
    });
    return QPixmap();
}

void ThumbnailLoader::deliver()
{
    QElapsedTimer spent;
    spent.start();
    while (!m_results.isEmpty() && spent.elapsed() < kBatchMs) {
        const Result r = m_results.takeFirst();
        // Only the picture of the latest stamp asked for is kept and shown:
        // one made before the file was replaced is dropped, whichever
        // arrives first.
        const auto making = m_making.find(makingKey(r.file, r.box));
        if (making == m_making.end() || *making != r.stamp)
            continue;
        m_making.erase(making);
        auto *kept = new Kept;
        kept->stamp = r.stamp;
        kept->box = r.box;
        kept->pixmap = QPixmap::fromImage(r.image);
        const QPixmap pixmap = kept->pixmap;
        const qint64 weight = qint64(r.image.sizeInBytes()) / 1024 + 1;
        m_kept.insert(r.file, kept, int(weight));
        emit ready(r.file, pixmap);
    }
    if (!m_results.isEmpty())
        m_flush.start();
}

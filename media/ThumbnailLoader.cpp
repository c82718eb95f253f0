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

QPixmap ThumbnailLoader::request(const QString &file, const QSize &box)
{
    const QFileInfo info(file);
    const Kept *kept = m_kept.object(file);
    if (kept && kept->box == box && kept->bytes == info.size() && kept->modified == info.lastModified())
        return kept->pixmap;
    const QString making = makingKey(file, box);
    if (m_making.contains(making))
        return QPixmap();
    m_making.insert(making);

    ++m_queued;
    const quint64 generation = m_generation;
    m_pool.start([this, file, box, generation] {
        const QImage image = load(file, box);
        // The loader waits for its workers before it dies, so `this` is
        // alive; the queued call is dropped if it dies first.
        QMetaObject::invokeMethod(
            this,
            [this, file, box, image, generation] {
                --m_queued;
                m_results.append({file, box, image, generation});
                if (!m_flush.isActive())
                    m_flush.start();
            },
            Qt::QueuedConnection);
    });
    return QPixmap();
}

void ThumbnailLoader::cancelPending()
{
    ++m_generation;
    // What is still being made arrives unannounced: asked again, it is
    // made again.
    m_making.clear();
    m_results.clear();
}

void ThumbnailLoader::deliver()
{
    QElapsedTimer spent;
    spent.start();
    while (!m_results.isEmpty() && spent.elapsed() < kBatchMs) {
        const Result r = m_results.takeFirst();
        m_making.remove(makingKey(r.file, r.box));
        const QFileInfo info(r.file);
        auto *kept = new Kept;
        kept->modified = info.lastModified();
        kept->bytes = info.size();
        kept->box = r.box;
        kept->pixmap = QPixmap::fromImage(r.image);
        const QPixmap pixmap = kept->pixmap;
        const qint64 weight = qint64(r.image.sizeInBytes()) / 1024 + 1;
        m_kept.insert(r.file, kept, int(weight));
        if (r.generation == m_generation)
            emit ready(r.file, pixmap);
    }
    if (!m_results.isEmpty())
        m_flush.start();
}

#include "HttpRequest.h"

#include "LocalWriteError.h"

#include <QFile>
#include <QNetworkReply>
#include <QTimer>

HttpRequest::HttpRequest(int operation, const QString &url, QNetworkReply *reply, QFile *file, Progress progress,
                         int stallMs, qint64 limit, const TransferDeadline &deadline, qint64 bytes, QObject *parent)
    : QObject(parent)
    , m_operation(operation)
    , m_url(url)
    , m_reply(reply)
    , m_file(file)
    , m_progress(progress)
    , m_watch(new QTimer(this))
    , m_deadlineTimer(new QTimer(this))
    , m_deadline(deadline)
    , m_stallMs(stallMs)
    , m_limit(limit)
{
    if (m_file)
        m_file->setParent(this);
    m_reply->setReadBufferSize(ReadBufferBytes);
    // Not restarted by each byte: the progress over a whole period counts.
    m_watch->setInterval(stallMs);
    connect(m_watch, &QTimer::timeout, this, &HttpRequest::onWatch);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpRequest::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &HttpRequest::onFinished);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &HttpRequest::onDownloadProgress);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &HttpRequest::onUploadProgress);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, &HttpRequest::onMetaData);
    m_watch->start();
    m_deadlineTimer->setSingleShot(true);
    connect(m_deadlineTimer, &QTimer::timeout, this, &HttpRequest::onDeadline);
    m_clock.start();
    armDeadline(bytes);
}

void HttpRequest::armDeadline(qint64 bytes)
{
    // Only a larger size moves it: an upload's answer is short.
    if (m_deadlineTimer->isActive() && bytes <= m_deadlineBytes)
        return;
    m_deadlineBytes = qMax(bytes, m_deadlineBytes);
    const qint64 left = qint64(m_deadline.ms(m_deadlineBytes)) - m_clock.elapsed();
    m_deadlineTimer->start(int(qMax<qint64>(0, left)));
}

HttpRequest::~HttpRequest()
{
    closeFile();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->deleteLater();
    }
}

void HttpRequest::closeFile()
{
    if (m_file && m_file->isOpen())
        m_file->close();
}

void HttpRequest::abandon()
{
    m_done = true;
    m_watch->stop();
    m_deadlineTimer->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    closeFile();
}

void HttpRequest::stop(const QString &why)
{
    if (m_failure.isEmpty())
        m_failure = why;
    if (m_reply)
        m_reply->abort();
}

void HttpRequest::onMetaData()
{
    if (m_done || !m_reply)
        return;
    // Identity was asked for: a coded body cannot be checked against its
    // length and may inflate without bound.
    const QByteArray coding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!coding.isEmpty() && coding != "identity") {
        stop(QStringLiteral("encodage de réponse refusé: ") + QString::fromLatin1(coding));
        return;
    }
    const QVariant length = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && m_limit >= 0 && length.toLongLong() > m_limit) {
        m_writeFailed = !m_file;
        m_tooLarge = true;
        stop(QStringLiteral("réponse trop longue: %1 octets annoncés").arg(length.toLongLong()));
        return;
    }
    if (length.isValid())
        armDeadline(length.toLongLong());
}

void HttpRequest::onReadyRead()
{
    if (m_done || !m_reply)
        return;
    const QByteArray chunk = m_reply->readAll();
    m_received += chunk.size();
    if (m_limit >= 0 && m_received > m_limit) {
        m_writeFailed = !m_file;
        m_tooLarge = true;
        stop(QStringLiteral("réponse trop longue: plus de %1 octets").arg(m_limit));
        return;
    }
    if (m_file) {
        // Flushed at once: an abandoned request must leave nothing buffered
        // that could land in the file of the request that replaced it.
        if (m_file->write(chunk) != chunk.size() || !m_file->flush()) {
            m_writeFailed = true;
            stop(QStringLiteral("écriture impossible: ") + LocalWriteError::reason(*m_file));
        }
        return;
    }
    m_body += chunk;
}

void HttpRequest::onDownloadProgress(qint64 done, qint64 total)
{
    if (m_done)
        return;
    if (total > 0)
        m_total = total;
    if (m_progress == Progress::Download)
        emit progress(done, total);
}

void HttpRequest::onUploadProgress(qint64 done, qint64 total)
{
    if (m_done)
        return;
    m_sent = qMax(m_sent, done);
    if (m_progress == Progress::Upload)
        emit progress(done, total);
}

void HttpRequest::onWatch()
{
    if (m_done)
        return;
    const qint64 moved = m_received + m_sent - m_seen;
    m_seen = m_received + m_sent;
    qint64 floor = FloorBytesPerSecond * m_stallMs / 1000;
    // The last bytes of a known length may be fewer than the floor.
    if (m_total > 0)
        floor = qMin(floor, m_total - m_received);
    if (moved > 0 && moved >= floor)
        return;
    m_stalled = true;
    stop(moved > 0 ? QStringLiteral("transfert trop lent: %1 octets en %2 s").arg(moved).arg(m_stallMs / 1000.0)
                   : QStringLiteral("aucune réponse depuis %1 s").arg(m_stallMs / 1000.0));
}

void HttpRequest::onDeadline()
{
    if (m_done)
        return;
    m_tooSlow = true;
    const double seconds = m_clock.elapsed() / 1000.0;
    if (m_deadlineBytes > 0)
        stop(QStringLiteral("serveur trop lent: %1 octets sur %2 en %3 s")
                 .arg(m_received + m_sent)
                 .arg(m_deadlineBytes)
                 .arg(seconds));
    else
        stop(QStringLiteral("serveur trop lent: pas de réponse complète en %1 s").arg(seconds));
}

void HttpRequest::onFinished()
{
    if (m_done)
        return;
    // Bytes that arrived with the end of the reply.
    if (m_reply->bytesAvailable() > 0)
        onReadyRead();
    m_done = true;
    m_watch->stop();
    m_deadlineTimer->stop();
    closeFile();
    emit finished(this);
}

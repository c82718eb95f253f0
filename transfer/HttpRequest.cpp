#include "HttpRequest.h"

#include <QFile>
#include <QNetworkReply>
#include <QTimer>

namespace {
// A scan or status body larger than this is not a listing.
constexpr qint64 kMaxBody = 32 * 1024 * 1024;
}

HttpRequest::HttpRequest(int operation, const QString &url, QNetworkReply *reply, QFile *file, Progress progress,
                         int stallMs, QObject *parent)
    : QObject(parent)
    , m_operation(operation)
    , m_url(url)
    , m_reply(reply)
    , m_file(file)
    , m_progress(progress)
    , m_stall(new QTimer(this))
{
    if (m_file)
        m_file->setParent(this);
    m_stall->setSingleShot(true);
    m_stall->setInterval(stallMs);
    connect(m_stall, &QTimer::timeout, this, &HttpRequest::onStall);
    connect(m_reply, &QNetworkReply::readyRead, this, &HttpRequest::onReadyRead);
    connect(m_reply, &QNetworkReply::finished, this, &HttpRequest::onFinished);
    connect(m_reply, &QNetworkReply::downloadProgress, this, &HttpRequest::onDownloadProgress);
    connect(m_reply, &QNetworkReply::uploadProgress, this, &HttpRequest::onUploadProgress);
    connect(m_reply, &QNetworkReply::metaDataChanged, m_stall, QOverload<>::of(&QTimer::start));
    m_stall->start();
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
    m_stall->stop();
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
    closeFile();
}

void HttpRequest::onReadyRead()
{
    if (m_done)
        return;
    m_stall->start();
    const QByteArray chunk = m_reply->readAll();
    m_received += chunk.size();
    if (m_file) {
        // Flushed at once: an abandoned request must leave nothing buffered
        // that could land in the file of the request that replaced it.
        if (m_file->write(chunk) != chunk.size() || !m_file->flush()) {
            m_writeFailed = true;
            m_reply->abort();
        }
        return;
    }
    if (m_body.size() + chunk.size() > kMaxBody) {
        m_writeFailed = true;
        m_reply->abort();
        return;
    }
    m_body += chunk;
}

void HttpRequest::onDownloadProgress(qint64 done, qint64 total)
{
    if (m_done)
        return;
    m_stall->start();
    if (m_progress == Progress::Download)
        emit progress(done, total);
}

void HttpRequest::onUploadProgress(qint64 done, qint64 total)
{
    if (m_done)
        return;
    m_stall->start();
    if (m_progress == Progress::Upload)
        emit progress(done, total);
}

void HttpRequest::onStall()
{
    m_stalled = true;
    if (m_reply)
        m_reply->abort();
}

void HttpRequest::onFinished()
{
    if (m_done)
        return;
    // Bytes that arrived with the end of the reply.
    if (m_reply->bytesAvailable() > 0)
        onReadyRead();
    m_done = true;
    m_stall->stop();
    closeFile();
    emit finished(this);
}

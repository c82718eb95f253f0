#pragma once

#include <QFile>
#include <QHash>
#include <QSharedPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

// A small web server on 127.0.0.1 for faults the stand-in cannot play:
// redirects of every kind, loops, an HTTPS address moving to HTTP, a body
// dripped a byte at a time, a huge body streamed without being held. Each
// route answers with a fixed status, headers and body; every request is
// counted. With a certificate it speaks HTTPS (trust() makes the client
// accept it).
class LoopbackHttp : public QTcpServer
{
public:
    struct Answer
    {
        Answer(int status = 200, const QByteArray &body = {}, const QByteArray &contentType = "application/rss+xml",
               const QByteArray &location = {})
            : status(status)
            , body(body)
            , contentType(contentType)
            , location(location)
        {
        }
        int status;
        QByteArray body;
        QByteArray contentType;
        QByteArray location;
        // One byte of the body every dripMs (the announced length is the
        // whole body's).
        int dripMs = 0;
        // Blanks streamed after the body, then `tail`; the length is
        // announced unless `unannounced` (the body then ends at the close).
        qint64 fill = 0;
        QByteArray tail;
        bool unannounced = false;
        QByteArray contentEncoding;
    };

    explicit LoopbackHttp(const QString &certificate = QString(), const QString &key = QString())
    {
        if (!certificate.isEmpty()) {
            m_certificate = QSslCertificate(read(certificate));
            m_key = QSslKey(read(key), QSsl::Rsa);
        }
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                serve(socket);
        });
    }

    QString url(const QString &path) const
    {
        return QStringLiteral("%1://127.0.0.1:%2%3")
            .arg(m_certificate.isNull() ? QStringLiteral("http") : QStringLiteral("https"))
            .arg(serverPort())
            .arg(path);
    }

    void route(const QString &path, const Answer &answer) { m_routes.insert(path, answer); }
    void redirect(const QString &path, int status, const QString &to)
    {
        Answer answer;
        answer.status = status;
        answer.location = to.toUtf8();
        answer.contentType = "text/html";
        answer.body = "<html><body><p>Moved</p></body></html>";
        m_routes.insert(path, answer);
    }
    int hits(const QString &path) const { return m_hits.value(path); }
    // The head of the last request for `path`.
    QByteArray lastRequest(const QString &path) const { return m_requests.value(path); }

    // Makes every new connection of the process trust this server.
    void trust() const
    {
        QSslConfiguration config = QSslConfiguration::defaultConfiguration();
        config.setCaCertificates(config.caCertificates() << m_certificate);
        QSslConfiguration::setDefaultConfiguration(config);
    }

    static QByteArray read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

protected:
    void incomingConnection(qintptr descriptor) override
    {
        if (m_certificate.isNull()) {
            QTcpServer::incomingConnection(descriptor);
            return;
        }
        auto *socket = new QSslSocket(this);
        socket->setSocketDescriptor(descriptor);
        socket->setLocalCertificate(m_certificate);
        socket->setPrivateKey(m_key);
        addPendingConnection(socket);
        socket->startServerEncryption();
    }

private:
    void serve(QTcpSocket *socket)
    {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            QByteArray &request = m_pending[socket];
            request += socket->readAll();
            if (!request.contains("\r\n\r\n"))
                return;
            QString path = QString::fromUtf8(request.split(' ').value(1));
            // A route without a query answers every query.
            if (!m_routes.contains(path) && m_routes.contains(path.section(QLatin1Char('?'), 0, 0)))
                path = path.section(QLatin1Char('?'), 0, 0);
            m_requests.insert(path, request.left(request.indexOf("\r\n\r\n")));
            m_pending.remove(socket);
            ++m_hits[path];
            const Answer answer = m_routes.value(path, Answer{404, "<html><body>Not found</body></html>", "text/html", {}});
            QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\nContent-Type: "
                              + answer.contentType + "\r\nConnection: close\r\n";
            if (!answer.unannounced)
                head += "Content-Length: " + QByteArray::number(answer.body.size() + answer.fill + answer.tail.size())
                        + "\r\n";
            if (!answer.location.isEmpty())
                head += "Location: " + answer.location + "\r\n";
            if (!answer.contentEncoding.isEmpty())
                head += "Content-Encoding: " + answer.contentEncoding + "\r\n";
            if (answer.dripMs > 0) {
                socket->write(head + "\r\n");
                auto *drip = new QTimer(socket);
                auto sent = QSharedPointer<int>::create(0);
                connect(drip, &QTimer::timeout, socket, [socket, drip, sent, answer] {
                    if (*sent < answer.body.size())
                        socket->write(answer.body.mid((*sent)++, 1));
                    else
                        drip->stop();
                });
                drip->start(answer.dripMs);
                return;
            }
            if (answer.fill > 0) {
                socket->write(head + "\r\n" + answer.body);
                auto left = QSharedPointer<qint64>::create(answer.fill);
                auto more = [socket, left, answer] {
                    // Held at a few chunks: a huge body is never in memory.
                    while (*left > 0 && socket->bytesToWrite() < 1024 * 1024) {
                        const qint64 chunk = qMin<qint64>(*left, 64 * 1024);
                        socket->write(QByteArray(int(chunk), ' '));
                        *left -= chunk;
                        if (*left == 0) {
                            socket->write(answer.tail);
                            socket->disconnectFromHost();
                        }
                    }
                };
                connect(socket, &QTcpSocket::bytesWritten, socket, more);
                if (auto *secure = qobject_cast<QSslSocket *>(socket))
                    connect(secure, &QSslSocket::encryptedBytesWritten, socket, more);
                more();
                return;
            }
            socket->write(head + "\r\n" + answer.body);
            socket->disconnectFromHost();
        });
    }

    QSslCertificate m_certificate;
    QSslKey m_key;
    QHash<QString, Answer> m_routes;
    QHash<QString, int> m_hits;
    QHash<QString, QByteArray> m_requests;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

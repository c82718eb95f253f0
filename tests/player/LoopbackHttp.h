#pragma once

#include <QFile>
#include <QHash>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTcpSocket>

// A small web server on 127.0.0.1 for faults the stand-in cannot play:
// redirects of every kind, loops, an HTTPS address moving to HTTP. Each
// route answers with a fixed status, headers and body; every request is
// counted. With a certificate it speaks HTTPS (trust() makes the client
// accept it).
class LoopbackHttp : public QTcpServer
{
public:
    struct Answer
    {
        int status = 200;
        QByteArray body;
        QByteArray contentType = "application/rss+xml";
        QByteArray location;
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
            const QString path = QString::fromUtf8(request.split(' ').value(1));
            m_pending.remove(socket);
            ++m_hits[path];
            const Answer answer = m_routes.value(path, Answer{404, "<html><body>Not found</body></html>", "text/html", {}});
            QByteArray head = "HTTP/1.1 " + QByteArray::number(answer.status) + " X\r\nContent-Type: "
                              + answer.contentType + "\r\nContent-Length: " + QByteArray::number(answer.body.size())
                              + "\r\nConnection: close\r\n";
            if (!answer.location.isEmpty())
                head += "Location: " + answer.location + "\r\n";
            socket->write(head + "\r\n" + answer.body);
            socket->disconnectFromHost();
        });
    }

    QSslCertificate m_certificate;
    QSslKey m_key;
    QHash<QString, Answer> m_routes;
    QHash<QString, int> m_hits;
    QHash<QTcpSocket *, QByteArray> m_pending;
};

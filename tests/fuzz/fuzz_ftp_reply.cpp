// FTP reply assembly: the whole client against a loopback server that
// answers every command with the input and then closes.
// Active mode only: a passive reply would aim the client's data connection
// at whatever port the input names, on a machine shared with other servers.
#include "FuzzSupport.h"

#include "QFtp.h"

#include <QEventLoop>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    ZoFuzz::app();
    static QTcpServer *server = [] {
        auto *s = new QTcpServer;
        s->listen(QHostAddress::LocalHost, 0);
        return s;
    }();
    if (!server->isListening())
        return 0;
    const QByteArray script(reinterpret_cast<const char *>(data), int(size));

    QFtp ftp;
    const QMetaObject::Connection accepted = QObject::connect(server, &QTcpServer::newConnection, [&script] {
        while (QTcpSocket *socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            socket->write(script);
            socket->disconnectFromHost();
        }
    });
    QEventLoop loop;
    bool finished = false;
    QObject::connect(&ftp, &QFtp::done, &loop, [&] {
        finished = true;
        loop.quit();
    });
    QObject::connect(&ftp, &QFtp::readyRead, &ftp, [&ftp] { ftp.readAll(); });

    ftp.setTransferMode(QFtp::Active);
    ftp.connectToHost(QStringLiteral("127.0.0.1"), server->serverPort());
    ftp.login(QStringLiteral("user"), QStringLiteral("secret"));
    ftp.cd(QStringLiteral("folder"));
    ftp.list();
    ftp.get(QStringLiteral("file.txt"));
    ftp.put(QByteArray("data"), QStringLiteral("up.txt"));
    ftp.rename(QStringLiteral("a"), QStringLiteral("b"));
    ftp.mkdir(QStringLiteral("m"));
    ftp.rawCommand(QStringLiteral("HELP"));
    ftp.close();

    QTimer::singleShot(3000, &loop, &QEventLoop::quit);
    loop.exec();
    QObject::disconnect(accepted);
    ZoFuzz::require(finished, "the client ends once the server has closed");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return 0;
}

#include "FakeFtpServer.h"

#include <QTimer>

FakeFtpServer::FakeFtpServer(const QHostAddress &address, QObject *parent)
    : QObject(parent)
    , passiveHost(QStringLiteral("127,0,0,1"))
{
    control.listen(address, 0);
    connect(&control, &QTcpServer::newConnection, this, [this] {
        client = control.nextPendingConnection();
        connect(client, &QTcpSocket::readyRead, this, &FakeFtpServer::controlReadyRead);
        if (!greeting.isEmpty())
            client->write(greeting);
    });
    connect(&dataListener, &QTcpServer::newConnection, this, [this] {
        adoptData(dataListener.nextPendingConnection());
        dataListener.close();
    });
}

void FakeFtpServer::adoptData(QTcpSocket *socket)
{
    data = socket;
    ++dataConnections;
    if (readBytesPerSecond > 0) {
        // A tenth of the rate ten times a second; the socket takes no more
        // meanwhile, so the client's writes wait on it.
        const qint64 slice = qMax<qint64>(1, readBytesPerSecond / 10);
        data->setReadBufferSize(slice);
        auto *slow = new QTimer(data);
        connect(slow, &QTimer::timeout, this, [this, slice] {
            if (data)
                stored += data->read(slice);
        });
        slow->start(100);
    } else {
        connect(data, &QTcpSocket::readyRead, this, [this] {
            stored += data->readAll();
            if (cutStoreAt >= 0 && stored.size() >= cutStoreAt && pendingVerb == QLatin1String("STOR"))
                data->disconnectFromHost();
        });
    }
    connect(data, &QTcpSocket::disconnected, this, [this] {
        if (data->isOpen())
            stored += data->readAll();
        if (pendingVerb == QLatin1String("STOR")) {
            pendingVerb.clear();
            send("226 Transfer complete.\r\n");
        }
        emit dataClosed();
    });
    if (!pendingVerb.isEmpty())
        startTransfer(pendingVerb);
}

void FakeFtpServer::send(const QByteArray &bytes)
{
    if (client)
        client->write(bytes);
}

void FakeFtpServer::closeControl()
{
    if (client)
        client->disconnectFromHost();
}

void FakeFtpServer::closeData()
{
    if (data)
        data->disconnectFromHost();
}

void FakeFtpServer::controlReadyRead()
{
    while (client && client->canReadLine()) {
        QString line = QString::fromLatin1(client->readLine());
        line.chop(line.endsWith(QLatin1String("\r\n")) ? 2 : 1);
        received << line;
        emit lineReceived(line);
        if (onLine && onLine(line))
            continue;
        handle(line);
    }
}

QByteArray FakeFtpServer::openPassive(bool extended)
{
    dataListener.close();
    dataListener.listen(control.serverAddress(), 0);
    const quint16 p = dataListener.serverPort();
    if (extended)
        return "229 Entering extended passive mode (|||" + QByteArray::number(p) + "|).\r\n";
    return "227 Entering passive mode (" + passiveHost.toLatin1() + ',' + QByteArray::number(p >> 8) + ','
           + QByteArray::number(p & 0xff) + ").\r\n";
}

void FakeFtpServer::startTransfer(const QString &verb)
{
    if (!data || data->state() != QAbstractSocket::ConnectedState) {
        pendingVerb = verb; // goes on when the client connects
        return;
    }
    if (verb == QLatin1String("STOR")) {
        pendingVerb = verb; // 226 on close
        return;
    }
    pendingVerb.clear();
    data->write(verb == QLatin1String("RETR") ? retrData : listData);
    if (closeDataBefore226) {
        data->disconnectFromHost();
        send("226 Transfer complete.\r\n");
    } else {
        send("226 Transfer complete.\r\n");
    }
}

void FakeFtpServer::handle(const QString &line)
{
    const QString verb = line.section(QLatin1Char(' '), 0, 0).toUpper();
    if (replies.contains(verb)) {
        send(replies.value(verb));
        return;
    }
    if (verb == QLatin1String("USER")) {
        send("331 Password required.\r\n");
    } else if (verb == QLatin1String("PASS")) {
        send("230 Logged in.\r\n");
    } else if (verb == QLatin1String("PASV")) {
        send(openPassive(false));
    } else if (verb == QLatin1String("PORT")) {
        // Active mode: connect back to the client, answer once connected.
        const QStringList n = line.section(QLatin1Char(' '), 1).split(QLatin1Char(','));
        auto *s = new QTcpSocket(this);
        connect(s, &QTcpSocket::connected, this, [this, s] {
            adoptData(s);
            send("200 Active data connection established.\r\n");
        });
        s->connectToHost(QStringList(n.mid(0, 4)).join(QLatin1Char('.')),
                         quint16(n.value(4).toUInt() * 256 + n.value(5).toUInt()));
    } else if (verb == QLatin1String("EPSV")) {
        send(openPassive(true));
    } else if (verb == QLatin1String("SIZE")) {
        send("213 " + QByteArray::number(retrData.size()) + "\r\n");
    } else if (verb == QLatin1String("STOR") || verb == QLatin1String("RETR") || verb == QLatin1String("LIST")) {
        send("150 Opening data connection.\r\n");
        startTransfer(verb);
    } else if (verb == QLatin1String("QUIT")) {
        send("221 Goodbye.\r\n");
        closeControl();
    } else if (verb == QLatin1String("RNFR")) {
        send("350 Ready for RNTO.\r\n");
    } else {
        send("200 OK.\r\n");
    }
}

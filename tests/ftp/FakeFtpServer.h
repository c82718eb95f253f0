#pragma once

#include <QByteArray>
#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

// Scripted FTP server for one client: plays canned replies and records every
// line it receives. Defaults answer a well-behaved session; `replies` and
// `onLine` override them per verb or per line.
class FakeFtpServer : public QObject
{
    Q_OBJECT

public:
    explicit FakeFtpServer(const QHostAddress &address = QHostAddress::LocalHost, QObject *parent = nullptr);

    bool isListening() const { return control.isListening(); }
    quint16 port() const { return control.serverPort(); }

    // Reply to a verb (first word, upper case); an empty value stays silent.
    QHash<QString, QByteArray> replies;
    // Called first for every line; returns true when it answered the line.
    std::function<bool(const QString &line)> onLine;

    QByteArray greeting = "220 fake server ready\r\n";
    QByteArray retrData;   // sent on RETR
    QByteArray listData;   // sent on LIST
    QString passiveHost;   // address announced in 227; the data port is real
    bool closeDataBefore226 = true;
    qint64 cutStoreAt = -1; // STOR: close the data connection once this much arrived (226 follows)
    qint64 readBytesPerSecond = 0; // STOR: read no faster than this (0: as it comes)

    QStringList received;  // every line, without its CR LF
    QByteArray stored;     // data received on STOR
    int dataConnections = 0;

    void send(const QByteArray &bytes);
    void closeControl();
    QTcpSocket *dataSocket() const { return data; }
    void closeData();

signals:
    void lineReceived(const QString &line);
    void dataClosed();

private:
    void controlReadyRead();
    void handle(const QString &line);
    QByteArray openPassive(bool extended);
    void startTransfer(const QString &verb);
    void adoptData(QTcpSocket *socket);

    QTcpServer control;
    QTcpServer dataListener;
    QPointer<QTcpSocket> client;
    QPointer<QTcpSocket> data;
    QString pendingVerb;
};

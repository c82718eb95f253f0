#pragma once

#include "QUrlInfo.h"

#include <QAbstractSocket>
#include <QByteArray>
#include <QObject>
#include <QTcpServer>

class QFtpPI;
class QHostAddress;
class QIODevice;
class QTcpSocket;

// The data connection of one FTP connection: opens it (passive: connects to
// the server; active: listens), writes uploads in chunks, hands downloads to
// their device or keeps them for reading, and turns LIST lines into entries.
class QFtpDTP : public QObject
{
    Q_OBJECT

public:
    enum ConnectState { CsHostFound, CsConnected, CsClosed, CsHostNotFound, CsConnectionRefused };
    enum { UploadChunkSize = 16384 };

    explicit QFtpDTP(QFtpPI *p, QObject *parent = nullptr);
    ~QFtpDTP() override;

    void setData(QByteArray *ba);
    void setDevice(QIODevice *dev);
    void clearData();
    // Forgets the data source when it is this one (a command that ended and
    // is being deleted); a connection arriving later then sends nothing.
    void clearDataFrom(const QByteArray *data, const QIODevice *device);
    void setBytesTotal(qint64 bytes);
    qint64 bytesTotalValue() const { return bytesTotal; }

    bool hasError() const { return !err.isNull(); }
    QString errorMessage() const { return err; }
    void clearError() { err.clear(); }

    void connectToHost(const QString &host, quint16 port);
    int setupListener(const QHostAddress &address);
    void waitForConnection();
    // Upload data goes out once the server has connected (active mode,
    // when the 1yz reply came before the connection).
    void startWriteOnConnect() { writeOnConnect = true; }

    QAbstractSocket::SocketState state() const;
    qint64 bytesAvailable() const;
    qint64 read(char *data, qint64 maxlen);
    QByteArray readAll();

    void abortConnection();

    static bool parseDir(const QByteArray &buffer, const QString &userName, QUrlInfo *info);

    void writeData();

signals:
    void listInfo(const QUrlInfo &info);
    void readyRead();
    void dataTransferProgress(qint64 done, qint64 total);
    void connectState(int state);

private slots:
    void socketConnected();
    void socketReadyRead();
    void socketError(QAbstractSocket::SocketError e);
    void socketConnectionClosed();
    void socketBytesWritten(qint64 bytes);
    void setupSocket();
    void dataReadyRead();
    void dataReadChannelFinished();

private:
    void attachSocket(QTcpSocket *s);
    void dropSocket();
    void readListing(bool closing);
    void drainToDevice();

    QTcpSocket *socket = nullptr;
    QTcpServer listener;
    QFtpPI *pi;
    QString err;
    qint64 bytesDone = 0;
    qint64 bytesTotal = 0;
    bool callWriteData = false;
    bool connected = false;
    bool writeOnConnect = false;
    bool sourceFinished = false;
    bool uploadBroken = false;

    QByteArray *ba = nullptr;
    QIODevice *dev = nullptr;
    bool isByteArray = false;

    QByteArray bytesFromSocket;
    QByteArray chunk;
    QByteArray readBuffer;
};

#pragma once

#include "QUrlInfo.h"

#include <QObject>
#include <QString>

class QIODevice;
class QFtpPrivate;

// Asynchronous FTP client. Every operation is queued and returns the id of
// its command at once; commands run one at a time from the event loop and
// report through the signals below.
class QFtp : public QObject
{
    Q_OBJECT

public:
    enum State { Unconnected, HostLookup, Connecting, Connected, LoggedIn, Closing };
    Q_ENUM(State)
    enum Error { NoError, UnknownError, HostNotFound, ConnectionRefused, NotConnected };
    Q_ENUM(Error)
    enum Command {
        None,
        SetTransferMode,
        SetProxy,
        ConnectToHost,
        Login,
        Close,
        List,
        Cd,
        Get,
        Put,
        Remove,
        Mkdir,
        Rmdir,
        Rename,
        RawCommand
    };
    Q_ENUM(Command)
    enum TransferMode { Active, Passive };
    Q_ENUM(TransferMode)
    enum TransferType { Binary, Ascii };
    Q_ENUM(TransferType)

    explicit QFtp(QObject *parent = nullptr);
    ~QFtp() override;

    int setProxy(const QString &host, quint16 port);
    int connectToHost(const QString &host, quint16 port = 21);
    int login(const QString &user = QString(), const QString &password = QString());
    int close();
    int setTransferMode(TransferMode mode);
    int list(const QString &dir = QString());
    int cd(const QString &dir);
    int get(const QString &file, QIODevice *dev = nullptr, TransferType type = Binary);
    int put(const QByteArray &data, const QString &file, TransferType type = Binary);
    // The device must outlive the command; its size is taken now for ALLO.
    int put(QIODevice *dev, const QString &file, TransferType type = Binary);
    int remove(const QString &file);
    int mkdir(const QString &dir);
    int rmdir(const QString &dir);
    int rename(const QString &oldname, const QString &newname);
    int rawCommand(const QString &command);

    qint64 bytesAvailable() const;
    qint64 read(char *data, qint64 maxlen);
    QByteArray readAll();

    int currentId() const;
    QIODevice *currentDevice() const;
    Command currentCommand() const;
    bool hasPendingCommands() const;
    void clearPendingCommands();

    int state() const;
    Error error() const;
    QString errorString() const;

public slots:
    void abort();

signals:
    void stateChanged(int state);
    void listInfo(const QUrlInfo &info);
    void readyRead();
    void dataTransferProgress(qint64 done, qint64 total);
    void rawCommandReply(int replyCode, const QString &detail);
    void commandStarted(int id);
    void commandFinished(int id, bool error);
    void done(bool error);

private slots:
    void _q_startNextCommand();
    void _q_piFinished(const QString &text);
    void _q_piError(int errorCode, const QString &text);
    void _q_piConnectState(int connectState);
    void _q_piFtpReply(int code, const QString &text);

private:
    friend class QFtpPrivate;
    QFtpPrivate *d;
};

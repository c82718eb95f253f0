#pragma once

#include "QFtpDTP.h"

#include <QObject>
#include <QStringList>
#include <QTcpSocket>

// The control connection of one FTP connection: sends the lines of one
// command at a time, assembles the server's replies and moves a small state
// machine on each reply code.
class QFtpPI : public QObject
{
    Q_OBJECT

public:
    enum State { Begin, Idle, Waiting, Success, Failure };
    enum AbortState { NoAbort, AbortStarted, WaitForAbortToFinish };
    // Bounds of what a server may send as one reply line and one whole
    // (multi-line) reply; beyond them the command fails and the connection
    // closes.
    enum { MaxReplyLine = 2048, MaxReplySize = 8192, ReadBufferSize = 65536 };

    explicit QFtpPI(QObject *parent = nullptr);
    ~QFtpPI() override;

    void connectToHost(const QString &host, quint16 port);
    bool sendCommands(const QStringList &cmds);
    bool sendCommand(const QString &cmd) { return sendCommands(QStringList(cmd)); }
    void clearPendingCommands();
    void abort();

    QString currentCommand() const { return currentCmd; }
    AbortState currentAbortState() const { return abortState; }

    bool rawCommand = false;
    bool transferConnectionExtended = true;

    QFtpDTP dtp; // the client forwards its signals

signals:
    void connectState(int state);
    void finished(const QString &text);
    void error(int code, const QString &text);
    void rawFtpReply(int code, const QString &text);

private slots:
    void hostFound();
    void connected();
    void connectionClosed();
    void delayedCloseFinished();
    void readyRead();
    void error(QAbstractSocket::SocketError e);
    void dtpConnectState(int s);

private:
    bool processReply();
    bool startNextCmd();
    void continueAfterError();
    bool passiveTarget(QString *host, quint16 *port, QString *failText) const;
    void resetConnectionState();
    void refuseReply();

    QTcpSocket commandSocket;
    QString replyText;
    int replyCode[3] = {0, 0, 0};
    State state = Begin;
    AbortState abortState = NoAbort;
    QStringList pendingCommands;
    QString currentCmd;
    bool waitForDtpToConnect = false;
    bool waitForDtpToClose = false;
    bool reading = false;
    // A greeting the state machine ignored (421 and the like), kept to
    // explain the close that normally follows it.
    QString ignoredGreeting;
    // The host name as given: the socket forgets its peer name on close.
    QString hostName;
    // Why the client itself closed the connection, for the command it ends.
    QString closeReason;
    bool connecting = false;
};

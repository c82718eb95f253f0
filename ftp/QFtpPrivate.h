#pragma once

#include "QFtp.h"
#include "QFtpPI.h"

#include <QList>
#include <QString>

class FtpCommand;

// Private state of one QFtp: its interpreter and its command queue, whose
// head is the running command.
class QFtpPrivate
{
public:
    explicit QFtpPrivate(QFtp *owner);
    ~QFtpPrivate();

    QFtpPrivate(const QFtpPrivate &) = delete;
    QFtpPrivate &operator=(const QFtpPrivate &) = delete;

    int addCommand(FtpCommand *cmd);
    // Deletes a command that left the queue; an upload device stops feeding
    // the data channel, which by then serves other commands.
    void release(FtpCommand *cmd);

    QFtpPI pi;
    QList<FtpCommand *> pending;
    bool closeWaitForStateChange = false;
    QFtp::State state = QFtp::Unconnected;
    QFtp::TransferMode transferMode = QFtp::Passive;
    QFtp::Error lastError = QFtp::NoError;
    QString errorString;
    QString host;
    quint16 port = 0;
    QString proxyHost;
    quint16 proxyPort = 0;
    QFtp *q;
};

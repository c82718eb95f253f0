#include "QFtpPrivate.h"

#include "FtpCommand.h"

#include <QIODevice>
#include <QTimer>

QFtpPrivate::QFtpPrivate(QFtp *owner)
    : q(owner)
{
}

QFtpPrivate::~QFtpPrivate()
{
    qDeleteAll(pending);
}

int QFtpPrivate::addCommand(FtpCommand *cmd)
{
    pending.append(cmd);
    // Never start from inside the queuing call: the caller connects its
    // slots after it has the id.
    if (pending.count() == 1)
        QTimer::singleShot(0, q, &QFtp::_q_startNextCommand);
    return cmd->id;
}

void QFtpPrivate::release(FtpCommand *cmd)
{
    if (cmd->command == QFtp::Put && cmd->dev())
        QObject::disconnect(cmd->dev(), nullptr, &pi.dtp, nullptr);
    // A data connection that arrives after the command ended (active mode)
    // must not read the bytes deleted with it.
    pi.dtp.clearDataFrom(cmd->ba(), cmd->dev());
    delete cmd;
}

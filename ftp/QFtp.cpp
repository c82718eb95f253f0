#include "QFtp.h"

#include "FtpCommand.h"
#include "FtpLog.h"
#include "QFtpPrivate.h"

#include <QIODevice>
#include <QVariant>

namespace {

QString passiveOrPort(QFtp::TransferMode mode)
{
    return mode == QFtp::Passive ? QStringLiteral("PASV\r\n") : QStringLiteral("PORT\r\n");
}

QString typeLine(QFtp::TransferType type)
{
    return type == QFtp::Binary ? QStringLiteral("TYPE I\r\n") : QStringLiteral("TYPE A\r\n");
}

} // namespace

QFtp::QFtp(QObject *parent)
    : QObject(parent)
    , d(new QFtpPrivate(this))
{
    qRegisterMetaType<QUrlInfo>();
    d->errorString = tr("Unknown error");

    connect(&d->pi, &QFtpPI::connectState, this, &QFtp::_q_piConnectState);
    connect(&d->pi, &QFtpPI::finished, this, &QFtp::_q_piFinished);
    connect(&d->pi, static_cast<void (QFtpPI::*)(int, const QString &)>(&QFtpPI::error), this, &QFtp::_q_piError);
    connect(&d->pi, &QFtpPI::rawFtpReply, this, &QFtp::_q_piFtpReply);

    connect(&d->pi.dtp, &QFtpDTP::readyRead, this, &QFtp::readyRead);
    connect(&d->pi.dtp, &QFtpDTP::dataTransferProgress, this, &QFtp::dataTransferProgress);
    connect(&d->pi.dtp, &QFtpDTP::listInfo, this, &QFtp::listInfo);
}

QFtp::~QFtp()
{
    abort();
    close();
    // The sockets report their close while they die: nobody must hear it.
    d->pi.disconnect(this);
    d->pi.dtp.disconnect(this);
    delete d;
}

int QFtp::connectToHost(const QString &host, quint16 port)
{
    d->pi.transferConnectionExtended = true;
    return d->addCommand(new FtpCommand(ConnectToHost, {host, QString::number(port)}));
}

int QFtp::login(const QString &user, const QString &password)
{
    const QString u = user.isNull() ? QStringLiteral("anonymous") : user;
    const QString p = password.isNull() ? QStringLiteral("anonymous@") : password;
    return d->addCommand(new FtpCommand(Login, {QLatin1String("USER ") + u + QLatin1String("\r\n"),
                                                QLatin1String("PASS ") + p + QLatin1String("\r\n")}));
}

int QFtp::close()
{
    return d->addCommand(new FtpCommand(Close, {QStringLiteral("QUIT\r\n")}));
}

int QFtp::setTransferMode(TransferMode mode)
{
    const int id = d->addCommand(new FtpCommand(SetTransferMode, QStringList()));
    d->pi.transferConnectionExtended = true;
    d->transferMode = mode;
    return id;
}

int QFtp::setProxy(const QString &host, quint16 port)
{
    return d->addCommand(new FtpCommand(SetProxy, {host, QString::number(port)}));
}

int QFtp::list(const QString &dir)
{
    QStringList cmds{QStringLiteral("TYPE A\r\n"), passiveOrPort(d->transferMode)};
    cmds << (dir.isEmpty() ? QStringLiteral("LIST\r\n") : QLatin1String("LIST ") + dir + QLatin1String("\r\n"));
    return d->addCommand(new FtpCommand(List, cmds));
}

int QFtp::cd(const QString &dir)
{
    return d->addCommand(new FtpCommand(Cd, {QLatin1String("CWD ") + dir + QLatin1String("\r\n")}));
}

int QFtp::get(const QString &file, QIODevice *dev, TransferType type)
{
    const QStringList cmds{typeLine(type), QLatin1String("SIZE ") + file + QLatin1String("\r\n"),
                           passiveOrPort(d->transferMode), QLatin1String("RETR ") + file + QLatin1String("\r\n")};
    return d->addCommand(new FtpCommand(Get, cmds, dev));
}

int QFtp::put(const QByteArray &data, const QString &file, TransferType type)
{
    const QStringList cmds{typeLine(type), passiveOrPort(d->transferMode),
                           QLatin1String("ALLO ") + QString::number(data.size()) + QLatin1String("\r\n"),
                           QLatin1String("STOR ") + file + QLatin1String("\r\n")};
    return d->addCommand(new FtpCommand(Put, cmds, data));
}

int QFtp::put(QIODevice *dev, const QString &file, TransferType type)
{
    QStringList cmds{typeLine(type), passiveOrPort(d->transferMode)};
    if (dev && !dev->isSequential())
        cmds << QLatin1String("ALLO ") + QString::number(dev->size()) + QLatin1String("\r\n");
    cmds << QLatin1String("STOR ") + file + QLatin1String("\r\n");
    return d->addCommand(new FtpCommand(Put, cmds, dev));
}

int QFtp::remove(const QString &file)
{
    return d->addCommand(new FtpCommand(Remove, {QLatin1String("DELE ") + file + QLatin1String("\r\n")}));
}

int QFtp::mkdir(const QString &dir)
{
    return d->addCommand(new FtpCommand(Mkdir, {QLatin1String("MKD ") + dir + QLatin1String("\r\n")}));
}

int QFtp::rmdir(const QString &dir)
{
    return d->addCommand(new FtpCommand(Rmdir, {QLatin1String("RMD ") + dir + QLatin1String("\r\n")}));
}

int QFtp::rename(const QString &oldname, const QString &newname)
{
    return d->addCommand(new FtpCommand(Rename, {QLatin1String("RNFR ") + oldname + QLatin1String("\r\n"),
                                                 QLatin1String("RNTO ") + newname + QLatin1String("\r\n")}));
}

int QFtp::rawCommand(const QString &command)
{
    return d->addCommand(new FtpCommand(RawCommand, {command.trimmed() + QLatin1String("\r\n")}));
}

qint64 QFtp::bytesAvailable() const
{
    return d->pi.dtp.bytesAvailable();
}

qint64 QFtp::read(char *data, qint64 maxlen)
{
    return d->pi.dtp.read(data, maxlen);
}

QByteArray QFtp::readAll()
{
    return d->pi.dtp.readAll();
}

void QFtp::abort()
{
    if (d->pending.isEmpty())
        return;
    clearPendingCommands();
    d->pi.abort();
}

int QFtp::currentId() const
{
    return d->pending.isEmpty() ? 0 : d->pending.first()->id;
}

QFtp::Command QFtp::currentCommand() const
{
    return d->pending.isEmpty() ? None : d->pending.first()->command;
}

QIODevice *QFtp::currentDevice() const
{
    if (d->pending.isEmpty())
        return nullptr;
    const FtpCommand *c = d->pending.first();
    return c->isByteArray() ? nullptr : c->dev();
}

bool QFtp::hasPendingCommands() const
{
    return d->pending.count() > 1;
}

void QFtp::clearPendingCommands()
{
    while (d->pending.count() > 1)
        delete d->pending.takeLast();
}

int QFtp::state() const
{
    return d->state;
}

QFtp::Error QFtp::error() const
{
    return d->lastError;
}

QString QFtp::errorString() const
{
    return d->errorString;
}

void QFtp::_q_startNextCommand()
{
    if (d->pending.isEmpty())
        return;
    FtpCommand *c = d->pending.first();

    d->lastError = NoError;
    d->errorString = tr("Unknown error");

    if (bytesAvailable())
        readAll(); // leftovers of an earlier download

    emit commandStarted(c->id);

    if (c->command == Login && !d->proxyHost.isEmpty()) {
        QString login = c->rawCmds.first().trimmed() + QLatin1Char('@') + d->host;
        if (d->port && d->port != 21)
            login += QLatin1Char(':') + QString::number(d->port);
        c->rawCmds[0] = login + QLatin1String("\r\n");
    }

    switch (c->command) {
    case SetTransferMode:
        _q_piFinished(QStringLiteral("Transfer mode set"));
        return;
    case SetProxy:
        d->proxyHost = c->rawCmds.value(0);
        d->proxyPort = quint16(c->rawCmds.value(1).toUInt());
        c->rawCmds.clear();
        _q_piFinished(QStringLiteral("Proxy set to ") + d->proxyHost + QLatin1Char(':')
                      + QString::number(d->proxyPort));
        return;
    case ConnectToHost:
        d->pi.setProperty("_q_networksession", property("_q_networksession"));
        if (!d->proxyHost.isEmpty()) {
            d->host = c->rawCmds.value(0);
            d->port = quint16(c->rawCmds.value(1).toUInt());
            d->pi.connectToHost(d->proxyHost, d->proxyPort);
        } else {
            d->pi.connectToHost(c->rawCmds.value(0), quint16(c->rawCmds.value(1).toUInt()));
        }
        return;
    default:
        break;
    }

    if (FtpCommand::holdsLineBreak(c->rawCmds)) {
        qCWarning(lcFtp) << "Refused command" << c->id << c->command << ": an argument holds CR or LF";
        _q_piError(UnknownError, tr("An argument holds a line break (CR or LF); nothing was sent"));
        return;
    }
    if (FtpCommand::holdsNul(c->rawCmds)) {
        qCWarning(lcFtp) << "Refused command" << c->id << c->command << ": an argument holds NUL";
        _q_piError(UnknownError, tr("An argument holds a NUL character; nothing was sent"));
        return;
    }
    // A character Latin-1 cannot hold would go out as "?": two names could
    // then write the same server file.
    if (!FtpCommand::fitsLatin1(c->rawCmds)) {
        qCWarning(lcFtp) << "Refused command" << c->id << c->command << ": an argument is not Latin-1";
        _q_piError(UnknownError, tr("A name holds characters that FTP cannot send (Latin-1 only); nothing was sent"));
        return;
    }

    if (c->command == Put) {
        if (c->isByteArray()) {
            d->pi.dtp.setData(c->ba());
            d->pi.dtp.setBytesTotal(c->ba()->size());
        } else {
            QIODevice *dev = c->dev();
            QString problem;
            if (!dev)
                problem = tr("No data to upload");
            else if (!dev->isOpen() && !dev->open(QIODevice::ReadOnly))
                problem = tr("Cannot open the data to upload: %1").arg(dev->errorString());
            else if (!dev->isReadable())
                problem = tr("The data to upload is not open for reading");
            if (!problem.isEmpty()) {
                // Going on would store an empty file in place of the real
                // one and report success, or leave the server waiting.
                _q_piError(UnknownError, problem);
                return;
            }
            d->pi.dtp.setDevice(dev);
            if (dev->isSequential()) {
                d->pi.dtp.setBytesTotal(0);
                connect(dev, SIGNAL(readyRead()), &d->pi.dtp, SLOT(dataReadyRead()), Qt::UniqueConnection);
                connect(dev, SIGNAL(readChannelFinished()), &d->pi.dtp, SLOT(dataReadChannelFinished()),
                        Qt::UniqueConnection);
            } else {
                d->pi.dtp.setBytesTotal(dev->size());
            }
        }
    } else if (c->command == Get && c->dev()) {
        d->pi.dtp.setDevice(c->dev());
    } else if (c->command == Close) {
        d->state = Closing;
        emit stateChanged(d->state);
    }
    d->pi.sendCommands(c->rawCmds);
}

void QFtp::_q_piFinished(const QString &)
{
    if (d->pending.isEmpty())
        return;
    FtpCommand *c = d->pending.first();

    if (c->command == Close && d->state != Unconnected) {
        d->closeWaitForStateChange = true;
        return;
    }
    emit commandFinished(c->id, false);
    d->pending.removeFirst();
    d->release(c);

    if (d->pending.isEmpty())
        emit done(false);
    else
        _q_startNextCommand();
}

void QFtp::_q_piError(int errorCode, const QString &text)
{
    if (d->pending.isEmpty()) {
        qCWarning(lcFtp, "QFtpPrivate::_q_piError was called without pending command!");
        return;
    }
    FtpCommand *c = d->pending.first();

    const QString line = d->pi.currentCommand();
    if (c->command == Get && line.startsWith(QLatin1String("SIZE "))) {
        d->pi.dtp.setBytesTotal(0);
        return;
    }
    if (c->command == Put && line.startsWith(QLatin1String("ALLO ")))
        return;

    d->lastError = Error(errorCode);
    switch (c->command) {
    case ConnectToHost:
        d->errorString = tr("Connecting to host failed:\n%1").arg(text);
        break;
    case Login:
        d->errorString = tr("Login failed:\n%1").arg(text);
        break;
    case List:
        d->errorString = tr("Listing directory failed:\n%1").arg(text);
        break;
    case Cd:
        d->errorString = tr("Changing directory failed:\n%1").arg(text);
        break;
    case Get:
        d->errorString = tr("Downloading file failed:\n%1").arg(text);
        break;
    case Put:
        d->errorString = tr("Uploading file failed:\n%1").arg(text);
        break;
    case Remove:
        d->errorString = tr("Removing file failed:\n%1").arg(text);
        break;
    case Mkdir:
        d->errorString = tr("Creating directory failed:\n%1").arg(text);
        break;
    case Rmdir:
        d->errorString = tr("Removing directory failed:\n%1").arg(text);
        break;
    default:
        d->errorString = text;
        break;
    }

    d->pi.clearPendingCommands();
    clearPendingCommands();
    // Nothing above may end the command; should it ever, it is not ended twice.
    if (d->pending.isEmpty() || d->pending.first() != c)
        return;

    // A Close that found no connection leaves the client unconnected, not
    // closing for good.
    if (c->command == Close && d->state == Closing && errorCode == NotConnected) {
        d->state = Unconnected;
        emit stateChanged(d->state);
    }

    emit commandFinished(c->id, true);
    d->pending.removeFirst();
    d->release(c);

    if (d->pending.isEmpty())
        emit done(true);
    else
        _q_startNextCommand();
}

void QFtp::_q_piConnectState(int connectState)
{
    const State previous = d->state;
    d->state = State(connectState);
    emit stateChanged(d->state);

    if (d->closeWaitForStateChange) {
        d->closeWaitForStateChange = false;
        _q_piFinished(tr("Connection closed"));
    } else if (d->state == Unconnected && previous == Closing && currentCommand() == Close) {
        // The server closed before answering QUIT: the close is done anyway.
        d->pi.clearPendingCommands();
        _q_piFinished(tr("Connection closed"));
    }
}

void QFtp::_q_piFtpReply(int code, const QString &text)
{
    if (currentCommand() == RawCommand) {
        d->pi.rawCommand = true;
        emit rawCommandReply(code, text);
    }
}

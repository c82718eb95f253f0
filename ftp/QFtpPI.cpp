#include "QFtpPI.h"

#include "FtpLog.h"
#include "QFtp.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QRegularExpression>
#include <QScopedValueRollback>

namespace {

const char networkSessionProperty[] = "_q_networksession";

QString ftpText(const char *text)
{
    return QCoreApplication::translate("QFtp", text);
}

// Trace form of a line: the password never leaves the client.
QString traceLine(const QString &line)
{
    if (line.startsWith(QLatin1String("PASS "), Qt::CaseInsensitive))
        return QStringLiteral("PASS ****");
    return line.trimmed();
}

} // namespace

QFtpPI::QFtpPI(QObject *parent)
    : QObject(parent)
    , dtp(this)
{
    commandSocket.setObjectName(QStringLiteral("QFtpPI_socket"));
    // Replies held while a data connection finishes wait here: a server
    // that keeps talking meanwhile is slowed down, not buffered.
    commandSocket.setReadBufferSize(ReadBufferSize);
    connect(&commandSocket, &QTcpSocket::hostFound, this, &QFtpPI::hostFound);
    connect(&commandSocket, &QTcpSocket::connected, this, &QFtpPI::connected);
    connect(&commandSocket, &QTcpSocket::disconnected, this, &QFtpPI::connectionClosed);
    connect(&commandSocket, &QTcpSocket::readyRead, this, &QFtpPI::readyRead);
    connect(&commandSocket, &QTcpSocket::errorOccurred, this,
            static_cast<void (QFtpPI::*)(QAbstractSocket::SocketError)>(&QFtpPI::error));
    connect(&dtp, &QFtpDTP::connectState, this, &QFtpPI::dtpConnectState);
}

QFtpPI::~QFtpPI()
{
    commandSocket.disconnect(this);
    dtp.disconnect(this);
}

void QFtpPI::resetConnectionState()
{
    replyText.clear();
    closeReason.clear();
    dtp.clearError();
    ignoredGreeting.clear();
    abortState = NoAbort;
    waitForDtpToConnect = false;
    waitForDtpToClose = false;
}

void QFtpPI::connectToHost(const QString &host, quint16 port)
{
    emit connectState(QFtp::HostLookup);
    resetConnectionState();
    const QVariant session = property(networkSessionProperty);
    commandSocket.setProperty(networkSessionProperty, session);
    dtp.setProperty(networkSessionProperty, session);
    hostName = host;
    connecting = true;
    commandSocket.connectToHost(host, port);
}

bool QFtpPI::sendCommands(const QStringList &cmds)
{
    if (!pendingCommands.isEmpty())
        return false;
    if (commandSocket.state() != QAbstractSocket::ConnectedState || state != Idle) {
        emit error(QFtp::NotConnected, ftpText("Not connected"));
        return true;
    }
    pendingCommands = cmds;
    startNextCmd();
    return true;
}

void QFtpPI::clearPendingCommands()
{
    pendingCommands.clear();
    currentCmd.clear();
    state = Idle;
    // A wait left over from the dropped command would stall the next one.
    // Both are dropped before the data connection is aborted: its close
    // would otherwise finish the held reply, and with it the command the
    // client is ending, from inside the abort.
    waitForDtpToConnect = false;
    if (waitForDtpToClose) {
        waitForDtpToClose = false;
        replyText.clear();
    }
    dtp.abortConnection();
}

void QFtpPI::abort()
{
    pendingCommands.clear();
    if (abortState != NoAbort)
        return;
    if (commandSocket.state() != QAbstractSocket::ConnectedState)
        return; // no reply will come to swallow
    abortState = AbortStarted;
    commandSocket.write("ABOR\r\n", 6);
    if (currentCmd.startsWith(QLatin1String("STOR ")))
        dtp.abortConnection();
}

void QFtpPI::hostFound()
{
    emit connectState(QFtp::Connecting);
}

void QFtpPI::connected()
{
    connecting = false;
    state = Begin;
    resetConnectionState();
    commandSocket.setSocketOption(QAbstractSocket::LowDelayOption, 1);
    emit connectState(QFtp::Connected);
}

void QFtpPI::connectionClosed()
{
    commandSocket.close();
    // The socket keeps what it read; a refused reply must not stay behind.
    replyText.clear();
    const bool busy = state == Begin || state == Waiting || waitForDtpToConnect || waitForDtpToClose
                      || !pendingCommands.isEmpty();
    // After QUIT the close is the expected answer; the client ends Close itself.
    const bool quitting = currentCmd.startsWith(QLatin1String("QUIT"));
    const QString greeting = state == Begin ? ignoredGreeting : QString();
    emit connectState(QFtp::Unconnected);
    if (!busy || quitting)
        return;
    QString text = closeReason.isEmpty() ? ftpText("Connection closed by host %1").arg(hostName) : closeReason;
    closeReason.clear();
    if (!greeting.isEmpty())
        text += QLatin1Char('\n') + greeting;
    qCWarning(lcFtp) << text << "while running" << traceLine(currentCmd);
    pendingCommands.clear();
    currentCmd.clear();
    emit error(QFtp::UnknownError, text);
}

void QFtpPI::delayedCloseFinished()
{
    emit connectState(QFtp::Unconnected);
}

void QFtpPI::error(QAbstractSocket::SocketError e)
{
    QString text;
    int code;
    switch (e) {
    case QAbstractSocket::HostNotFoundError:
        code = QFtp::HostNotFound;
        text = ftpText("Host %1 not found");
        break;
    case QAbstractSocket::ConnectionRefusedError:
        code = QFtp::ConnectionRefused;
        text = ftpText("Connection refused to host %1");
        break;
    case QAbstractSocket::SocketTimeoutError:
        code = QFtp::ConnectionRefused;
        text = ftpText("Connection timed out to host %1");
        break;
    default:
        // Any other failure to connect (unreachable network...) would leave
        // ConnectToHost waiting for good.
        if (!connecting || commandSocket.state() != QAbstractSocket::UnconnectedState)
            return;
        code = QFtp::ConnectionRefused;
        text = ftpText("Connection to host %1 failed: %2").arg(QStringLiteral("%1"), commandSocket.errorString());
        break;
    }
    connecting = false;
    emit connectState(QFtp::Unconnected);
    emit error(code, text.arg(hostName));
}

void QFtpPI::dtpConnectState(int s)
{
    switch (s) {
    case QFtpDTP::CsClosed:
        if (waitForDtpToClose) {
            if (processReply())
                replyText.clear();
            else
                return;
        }
        waitForDtpToClose = false;
        readyRead();
        break;
    case QFtpDTP::CsConnected:
        waitForDtpToConnect = false;
        startNextCmd();
        break;
    case QFtpDTP::CsHostNotFound:
    case QFtpDTP::CsConnectionRefused:
        if (!waitForDtpToConnect)
            break; // a socket already given up on
        waitForDtpToConnect = false;
        emit error(QFtp::ConnectionRefused, ftpText("Connection refused for data connection"));
        continueAfterError();
        break;
    default:
        break;
    }
}

void QFtpPI::readyRead()
{
    // Re-entry (a data connection closing while a reply is processed) would
    // take the next reply for the rest of the current one; the running loop
    // reads it anyway.
    if (waitForDtpToClose || reading)
        return;
    const QScopedValueRollback<bool> guard(reading, true);

    while (commandSocket.canReadLine()) {
        QString line = QString::fromLatin1(commandSocket.readLine());
        if (line.size() > MaxReplyLine) {
            refuseReply();
            return;
        }
        if (replyText.isEmpty()) {
            // ASCII digits only: digitValue() also reads "\u00B2" as 2.
            const auto digit = [&line](int i) {
                const ushort c = line.size() >= 3 ? line.at(i).unicode() : 0;
                return c >= '0' && c <= '9' ? int(c - '0') : -1;
            };
            const int d0 = digit(0);
            const int d1 = digit(1);
            const int d2 = digit(2);
            if (d0 < 1 || d0 > 5 || d1 < 0 || d1 > 5 || d2 < 0 || d2 > 9) {
                // Skip it but keep reading: a valid reply behind it in the
                // same read would otherwise wait for more data.
                qCWarning(lcFtp) << "Dropped a reply line without a valid code:" << line.trimmed();
                continue;
            }
            replyCode[0] = d0;
            replyCode[1] = d1;
            replyCode[2] = d2;
        }

        const QString code = QString::number(replyCode[0] * 100 + replyCode[1] * 10 + replyCode[2]);
        const QString endMarker = code + QLatin1Char(' ');
        const QString continuationMarker = code + QLatin1Char('-');
        while (line.left(4) != endMarker) {
            if (line.left(4) == continuationMarker)
                replyText += line.midRef(4);
            else
                replyText += line;
            if (replyText.size() > MaxReplySize) {
                refuseReply();
                return;
            }
            if (!commandSocket.canReadLine()) {
                if (commandSocket.bytesAvailable() > MaxReplyLine)
                    refuseReply();
                return;
            }
            line = QString::fromLatin1(commandSocket.readLine());
            if (line.size() > MaxReplyLine) {
                refuseReply();
                return;
            }
        }
        replyText += line.midRef(4);
        if (replyText.endsWith(QLatin1String("\r\n")))
            replyText.chop(2);

        qCDebug(lcFtp) << "<-" << code << replyText;
        if (!processReply())
            return; // held until the data connection has closed
        replyText.clear();
    }
    // No line end in sight: waiting for one would buffer without end.
    if (commandSocket.bytesAvailable() > MaxReplyLine)
        refuseReply();
}

void QFtpPI::refuseReply()
{
    qCWarning(lcFtp) << "Reply too long from" << hostName << "; closing the connection";
    replyText.clear();
    closeReason = ftpText("Reply too long from host %1").arg(hostName);
    // The close ends the running command with that reason.
    commandSocket.abort();
}

bool QFtpPI::passiveTarget(QString *host, quint16 *port, QString *failText) const
{
    const int code = replyCode[0] * 100 + replyCode[1] * 10 + replyCode[2];
    const QHostAddress peer = commandSocket.peerAddress();
    if (code == 227) {
        static const QRegularExpression address(QStringLiteral("(\\d+),(\\d+),(\\d+),(\\d+),(\\d+),(\\d+)"));
        const QRegularExpressionMatch m = address.match(replyText);
        if (!m.hasMatch()) {
            *failText = ftpText("Invalid reply to PASV: %1").arg(replyText);
            return false;
        }
        const QString announced =
            m.captured(1) + QLatin1Char('.') + m.captured(2) + QLatin1Char('.') + m.captured(3) + QLatin1Char('.') + m.captured(4);
        // Each number is one byte: a larger one would wrap to another port
        // of the host, and port 0 is no port at all.
        const uint high = m.captured(5).toUInt();
        const uint low = m.captured(6).toUInt();
        if (high > 255 || low > 255 || high * 256 + low == 0) {
            *failText = ftpText("Invalid reply to PASV: %1").arg(replyText);
            return false;
        }
        *port = quint16(high * 256 + low);
        // The data connection goes where the control connection goes: a
        // server must not aim the client at another host.
        const QHostAddress announcedAddress(announced);
        if (announcedAddress.isEqual(peer, QHostAddress::ConvertV4MappedToIPv4)) {
            *host = announced;
        } else {
            qCWarning(lcFtp) << "PASV announced" << announced << "; using the control peer" << peer.toString();
            *host = peer.toString();
        }
        return true;
    }

    // 229: "(|||port|)" with any delimiter.
    const int open = replyText.indexOf(QLatin1Char('('));
    if (open < 0 || open + 1 >= replyText.size()) {
        *failText = ftpText("Invalid reply to EPSV: %1").arg(replyText);
        return false;
    }
    const QChar delimiter = replyText.at(open + 1);
    const QStringList parts = replyText.mid(open + 1).split(delimiter, Qt::KeepEmptyParts);
    bool ok = false;
    const int number = parts.size() > 3 ? parts.at(3).toInt(&ok) : 0;
    if (!ok || number <= 0 || number > 65535) {
        *failText = ftpText("Invalid reply to EPSV: %1").arg(replyText);
        return false;
    }
    *host = peer.toString();
    *port = quint16(number);
    return true;
}

bool QFtpPI::processReply()
{
    const int code = replyCode[0] * 100 + replyCode[1] * 10 + replyCode[2];

    if (code == 226 || (code == 250 && currentCmd.startsWith(QLatin1String("RETR")))) {
        // In active mode the server's connection may still sit in the
        // listener; take it so its data is read before the command ends.
        dtp.waitForConnection();
        if (dtp.state() != QAbstractSocket::UnconnectedState) {
            waitForDtpToClose = true;
            return false;
        }
    }

    switch (abortState) {
    case AbortStarted:
        abortState = WaitForAbortToFinish;
        break;
    case WaitForAbortToFinish:
        abortState = NoAbort;
        return true;
    default:
        break;
    }

    static const State table[5] = {Waiting, Success, Idle, Failure, Failure};
    switch (state) {
    case Begin:
        if (replyCode[0] == 2) {
            state = Idle;
            emit finished(ftpText("Connected to host %1").arg(hostName));
            break;
        }
        if (replyCode[0] != 1)
            ignoredGreeting = QString::number(code) + QLatin1Char(' ') + replyText;
        return true;
    case Waiting:
        if (replyCode[0] > 5 || code == 202)
            state = Failure;
        else
            state = table[replyCode[0] - 1];
        break;
    default:
        return true;
    }

    emit rawFtpReply(code, replyText);

    QString failText;
    if (rawCommand) {
        rawCommand = false;
    } else if ((code == 227 || code == 229) && state == Success) {
        QString host;
        quint16 port = 0;
        if (passiveTarget(&host, &port, &failText)) {
            waitForDtpToConnect = true;
            dtp.connectToHost(host, port);
        } else {
            // Going on would send the transfer line with no data connection
            // and leave the command waiting on the server.
            state = Failure;
        }
    } else if (code == 230) {
        if (currentCmd.startsWith(QLatin1String("USER ")) && !pendingCommands.isEmpty()
            && pendingCommands.first().startsWith(QLatin1String("PASS ")))
            pendingCommands.removeFirst();
        emit connectState(QFtp::LoggedIn);
    } else if (code == 213) {
        if (currentCmd.startsWith(QLatin1String("SIZE ")))
            dtp.setBytesTotal(replyText.simplified().toLongLong());
    } else if (replyCode[0] == 1 && currentCmd.startsWith(QLatin1String("STOR "))) {
        dtp.waitForConnection();
        if (dtp.state() == QAbstractSocket::ConnectedState)
            dtp.writeData();
        else
            dtp.startWriteOnConnect();
    }

    switch (state) {
    case Success:
        state = Idle;
        Q_FALLTHROUGH();
    case Idle:
        if (dtp.hasError()) {
            const QString text = dtp.errorMessage();
            dtp.clearError();
            emit error(QFtp::UnknownError, text);
            continueAfterError();
        } else {
            startNextCmd();
        }
        break;
    case Waiting:
        break;
    case Failure:
        if (failText.isEmpty() && currentCmd.startsWith(QLatin1String("EPSV"))) {
            transferConnectionExtended = false;
            pendingCommands.prepend(QStringLiteral("PASV\r\n"));
        } else if (failText.isEmpty() && currentCmd.startsWith(QLatin1String("EPRT"))) {
            transferConnectionExtended = false;
            pendingCommands.prepend(QStringLiteral("PORT\r\n"));
        } else {
            // A data-side fault explains the failure better than the reply
            // that followed it.
            QString text = failText;
            if (text.isEmpty() && dtp.hasError())
                text = dtp.errorMessage();
            if (text.isEmpty())
                text = replyText;
            dtp.clearError();
            emit error(QFtp::UnknownError, text);
        }
        continueAfterError();
        break;
    default:
        break;
    }
    return true;
}

void QFtpPI::continueAfterError()
{
    // The client may already have started its next command from the error.
    if (state == Waiting)
        return;
    state = Idle;
    // When the client dropped the lines there is nothing left to finish; a
    // stray finished() would end whatever command it has started since.
    if (!pendingCommands.isEmpty())
        startNextCmd();
}

bool QFtpPI::startNextCmd()
{
    if (waitForDtpToConnect)
        return true;

    if (pendingCommands.isEmpty()) {
        currentCmd.clear();
        emit finished(replyText);
        return false;
    }

    currentCmd = pendingCommands.first();
    const QHostAddress address = commandSocket.localAddress();

    if (currentCmd.startsWith(QLatin1String("PORT"))) {
        const bool v6 = address.protocol() == QAbstractSocket::IPv6Protocol;
        QString failure;
        if ((v6 && transferConnectionExtended) || address.protocol() == QAbstractSocket::IPv4Protocol) {
            const int port = dtp.setupListener(address);
            if (port < 0) {
                failure = ftpText("Cannot listen for the data connection on %1").arg(address.toString());
            } else if (v6) {
                currentCmd = QLatin1String("EPRT |2|") + address.toString() + QLatin1Char('|')
                             + QString::number(port) + QLatin1Char('|');
            } else {
                const quint32 ip = address.toIPv4Address();
                currentCmd = QStringLiteral("PORT %1,%2,%3,%4,%5,%6")
                                 .arg((ip >> 24) & 0xff)
                                 .arg((ip >> 16) & 0xff)
                                 .arg((ip >> 8) & 0xff)
                                 .arg(ip & 0xff)
                                 .arg((port >> 8) & 0xff)
                                 .arg(port & 0xff);
            }
        } else {
            // PORT carries IPv4 only; without EPRT the line could never be
            // sent and the command would wait for good.
            failure = ftpText("Active mode on %1 needs EPRT, which the server refused").arg(address.toString());
        }
        if (!failure.isEmpty()) {
            currentCmd.clear();
            qCWarning(lcFtp) << failure;
            emit error(QFtp::UnknownError, failure);
            return false;
        }
        currentCmd += QLatin1String("\r\n");
    } else if (currentCmd.startsWith(QLatin1String("PASV")) && address.protocol() == QAbstractSocket::IPv6Protocol
               && transferConnectionExtended) {
        currentCmd = QStringLiteral("EPSV\r\n");
    }

    pendingCommands.removeFirst();
    state = Waiting;
    qCDebug(lcFtp) << "->" << traceLine(currentCmd);
    commandSocket.write(currentCmd.toLatin1());
    return true;
}

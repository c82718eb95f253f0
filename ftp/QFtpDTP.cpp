#include "QFtpDTP.h"

#include "FtpLog.h"
#include "QFtpPI.h"

#include <QCoreApplication>
#include <QDate>
#include <QHostAddress>
#include <QIODevice>
#include <QLocale>
#include <QRegularExpression>
#include <QTcpSocket>

namespace {

const char networkSessionProperty[] = "_q_networksession";

QString ftpText(const char *text)
{
    return QCoreApplication::translate("QFtp", text);
}

void fillUnix(const QRegularExpressionMatch &m, const QString &userName, QUrlInfo *info)
{
    const QString type = m.captured(1);
    const QString perms = m.captured(2);
    const QString owner = m.captured(3);
    const QString group = m.captured(4);
    QString name = m.captured(7);

    info->setDir(type == QLatin1String("d") || type == QLatin1String("l"));
    info->setFile(type == QLatin1String("-"));
    info->setSymLink(type == QLatin1String("l"));
    if (info->isSymLink()) {
        const int arrow = name.indexOf(QLatin1String(" ->"));
        if (arrow >= 0)
            name.truncate(arrow);
    }
    info->setName(name);
    info->setOwner(owner);
    info->setGroup(group);
    info->setSize(m.captured(5).toLongLong());

    QString dateText = m.captured(6);
    dateText[0] = dateText.at(0).toUpper();
    static const char *const formats[] = {"MMM dd  yyyy", "MMM dd hh:mm", "MMM  d  yyyy",
                                          "MMM  d hh:mm", "MMM  d yyyy",  "MMM dd yyyy"};
    const QLocale c = QLocale::c();
    QDateTime dt;
    for (int i = 0; i < 6 && !dt.isValid(); ++i) {
        const QString format = QLatin1String(formats[i]);
        if (i != 1 && i != 3) {
            dt = c.toDateTime(dateText, format);
            continue;
        }
        // No year in the line: the current one, or the previous one when that
        // date lies more than a day ahead. The year is parsed with the date
        // so that Feb 29 is not checked against a non-leap default year; it
        // falls back to the latest leap year.
        const QDateTime now = QDateTime::currentDateTime();
        const int year = now.date().year();
        for (int y = year; y >= year - 4 && !dt.isValid(); --y)
            dt = c.toDateTime(QString::number(y) + QLatin1Char(' ') + dateText, QLatin1String("yyyy ") + format);
        if (dt.isValid() && now.secsTo(dt) > 86400) {
            const QDate earlier(dt.date().year() - 1, dt.date().month(), dt.date().day());
            if (earlier.isValid())
                dt.setDate(earlier);
        }
    }
    if (dt.isValid())
        info->setLastModified(dt);

    static const int bits[9] = {QUrlInfo::ReadOwner, QUrlInfo::WriteOwner, QUrlInfo::ExeOwner,
                                QUrlInfo::ReadGroup, QUrlInfo::WriteGroup, QUrlInfo::ExeGroup,
                                QUrlInfo::ReadOther, QUrlInfo::WriteOther, QUrlInfo::ExeOther};
    static const char letters[] = "rwxrwxrwx";
    int permissions = 0;
    for (int i = 0; i < 9; ++i) {
        if (perms.at(i) == QLatin1Char(letters[i]))
            permissions |= bits[i];
    }
    info->setPermissions(permissions);

    const bool own = owner == userName;
    info->setReadable((permissions & QUrlInfo::ReadOther) || ((permissions & QUrlInfo::ReadOwner) && own));
    info->setWritable((permissions & QUrlInfo::WriteOther) || ((permissions & QUrlInfo::WriteOwner) && own));
}

void fillDos(const QRegularExpressionMatch &m, QUrlInfo *info)
{
    const QString name = m.captured(3);
    info->setName(name);
    info->setSymLink(name.toLower().endsWith(QLatin1String(".lnk")));
    if (m.captured(2) == QLatin1String("<DIR>")) {
        info->setFile(false);
        info->setDir(true);
    } else {
        info->setFile(true);
        info->setDir(false);
        info->setSize(m.captured(2).toLongLong());
    }

    int permissions = QUrlInfo::ReadOwner | QUrlInfo::WriteOwner | QUrlInfo::ReadGroup | QUrlInfo::WriteGroup
                      | QUrlInfo::ReadOther | QUrlInfo::WriteOther;
    if (name.contains(QLatin1Char('.'))) {
        const QString ext = name.section(QLatin1Char('.'), -1);
        if (ext == QLatin1String("exe") || ext == QLatin1String("bat") || ext == QLatin1String("com"))
            permissions |= QUrlInfo::ExeOwner | QUrlInfo::ExeGroup | QUrlInfo::ExeOther;
    }
    info->setPermissions(permissions);
    info->setReadable(true);
    info->setWritable(info->isFile());

    const QLocale c = QLocale::c();
    QDateTime dt = c.toDateTime(m.captured(1), QStringLiteral("MM-dd-yy  hh:mmAP"));
    if (dt.isValid() && dt.date().year() <= 1970)
        dt = dt.addYears(100);
    if (!dt.isValid()) // servers set to four-digit years
        dt = c.toDateTime(m.captured(1), QStringLiteral("MM-dd-yyyy  hh:mmAP"));
    info->setLastModified(dt);
}

} // namespace

QFtpDTP::QFtpDTP(QFtpPI *p, QObject *parent)
    : QObject(parent)
    , pi(p)
{
    listener.setParent(this);
    listener.setObjectName(QStringLiteral("QFtpDTP active state server"));
    connect(&listener, &QTcpServer::newConnection, this, &QFtpDTP::setupSocket);
    chunk.resize(UploadChunkSize);
}

QFtpDTP::~QFtpDTP()
{
    if (socket)
        socket->disconnect(this);
    delete socket;
}

void QFtpDTP::setData(QByteArray *data)
{
    ba = data;
    dev = nullptr;
    isByteArray = true;
}

void QFtpDTP::setDevice(QIODevice *device)
{
    dev = device;
    ba = nullptr;
    isByteArray = false;
    sourceFinished = false;
}

void QFtpDTP::clearData()
{
    isByteArray = false;
    ba = nullptr;
    dev = nullptr;
}

void QFtpDTP::clearDataFrom(const QByteArray *data, const QIODevice *device)
{
    if ((data && ba == data) || (device && dev == device)) {
        clearData();
        writeOnConnect = false;
    }
}

void QFtpDTP::setBytesTotal(qint64 bytes)
{
    bytesTotal = bytes;
    bytesDone = 0;
    emit dataTransferProgress(0, bytesTotal);
}

void QFtpDTP::attachSocket(QTcpSocket *s)
{
    socket = s;
    connect(socket, &QTcpSocket::connected, this, &QFtpDTP::socketConnected);
    connect(socket, &QTcpSocket::readyRead, this, &QFtpDTP::socketReadyRead);
    connect(socket, &QTcpSocket::errorOccurred, this, &QFtpDTP::socketError);
    connect(socket, &QTcpSocket::disconnected, this, &QFtpDTP::socketConnectionClosed);
    connect(socket, &QTcpSocket::bytesWritten, this, &QFtpDTP::socketBytesWritten);
}

// The old socket may be the one whose signal is being delivered right now
// (a 226 held until its close starts the next command), so it is released
// later instead of deleted.
void QFtpDTP::dropSocket()
{
    if (!socket)
        return;
    QTcpSocket *old = socket;
    socket = nullptr;
    old->disconnect(this);
    old->abort();
    old->deleteLater();
}

void QFtpDTP::connectToHost(const QString &host, quint16 port)
{
    bytesFromSocket.clear();
    dropSocket();
    connected = false;
    uploadBroken = false;
    writeOnConnect = false;
    auto *s = new QTcpSocket(this);
    s->setProperty(networkSessionProperty, property(networkSessionProperty));
    s->setObjectName(QStringLiteral("QFtpDTP Passive state socket"));
    attachSocket(s);
    s->connectToHost(host, port);
}

int QFtpDTP::setupListener(const QHostAddress &address)
{
    listener.setProperty(networkSessionProperty, property(networkSessionProperty));
    if (!listener.isListening() && !listener.listen(address, 0))
        return -1;
    return listener.serverPort();
}

void QFtpDTP::waitForConnection()
{
    if (listener.isListening())
        listener.waitForNewConnection(0);
}

QAbstractSocket::SocketState QFtpDTP::state() const
{
    return socket ? socket->state() : QAbstractSocket::UnconnectedState;
}

qint64 QFtpDTP::bytesAvailable() const
{
    if (socket && socket->state() == QAbstractSocket::ConnectedState)
        return socket->bytesAvailable();
    return bytesFromSocket.size();
}

qint64 QFtpDTP::read(char *data, qint64 maxlen)
{
    qint64 n;
    if (socket && socket->state() == QAbstractSocket::ConnectedState) {
        n = socket->read(data, maxlen);
    } else {
        n = qMin<qint64>(maxlen, bytesFromSocket.size());
        memcpy(data, bytesFromSocket.constData(), size_t(n));
        bytesFromSocket.remove(0, int(n));
    }
    if (n > 0)
        bytesDone += n;
    return n;
}

QByteArray QFtpDTP::readAll()
{
    QByteArray tmp;
    if (socket && socket->state() == QAbstractSocket::ConnectedState) {
        tmp = socket->readAll();
        bytesDone += tmp.size();
    } else {
        tmp = bytesFromSocket;
        bytesFromSocket.clear();
    }
    return tmp;
}

void QFtpDTP::abortConnection()
{
    callWriteData = false;
    writeOnConnect = false;
    clearData();
    if (socket)
        socket->abort();
}

bool QFtpDTP::parseDir(const QByteArray &buffer, const QString &userName, QUrlInfo *info)
{
    if (buffer.isEmpty())
        return false;
    const QString line = QString::fromLatin1(buffer).trimmed();

    // An optional '.', '+' or '@' after the mode bits (SELinux context, ACL,
    // extended attributes) would otherwise drop the entry.
    static const QRegularExpression unixPattern(QStringLiteral(
        "^([\\-dl])([a-zA-Z\\-]{9,9})[.+@]?\\s+\\d+\\s+(\\S*)\\s+(\\S*)\\s+(\\d+)\\s+(\\S+\\s+\\S+\\s+\\S+)\\s+(\\S.*)"));
    QRegularExpressionMatch m = unixPattern.match(line);
    if (m.hasMatch()) {
        fillUnix(m, userName, info);
        return true;
    }

    static const QRegularExpression dosPattern(
        QStringLiteral("^(\\d\\d-\\d\\d-\\d\\d\\d?\\d?\\ \\ \\d\\d:\\d\\d[AP]M)\\s+(<DIR>|\\d+)\\s+(\\S.*)$"));
    m = dosPattern.match(line);
    if (m.hasMatch()) {
        fillDos(m, info);
        return true;
    }
    return false;
}

void QFtpDTP::writeData()
{
    if (!socket)
        return;

    // The source is forgotten before the close: a close that completes at
    // once reports a data connection whose source was all sent.
    if (isByteArray) {
        if (ba->isEmpty())
            emit dataTransferProgress(0, bytesTotal);
        else
            socket->write(*ba);
        clearData();
        socket->close();
        return;
    }
    if (!dev)
        return;

    callWriteData = false;
    const qint64 n = dev->read(chunk.data(), chunk.size());
    if (n > 0) {
        socket->write(chunk.constData(), n);
    } else if (n < 0 && !dev->isSequential()) {
        // A plain close would let the server keep a truncated file as if
        // it were complete; a reset makes it fail the transfer.
        err = ftpText("Reading the data to upload failed: %1").arg(dev->errorString());
        qCWarning(lcFtp) << err;
        clearData();
        socket->abort();
        return;
    } else if (n < 0 || (n == 0 && (!dev->isSequential() || sourceFinished))) {
        if (bytesDone == 0 && socket->bytesToWrite() == 0)
            emit dataTransferProgress(0, bytesTotal);
        clearData();
        socket->close();
    }
    callWriteData = dev != nullptr;
}

void QFtpDTP::readListing(bool closing)
{
    const auto handle = [this](const QByteArray &line) {
        QUrlInfo entry;
        if (parseDir(line, QString(), &entry))
            emit listInfo(entry);
        else if (line.endsWith("No such file or directory\r\n"))
            err = QString::fromLatin1(line);
    };
    while (socket && socket->canReadLine())
        handle(socket->readLine());
    // A last line without its line end still names an entry.
    if (closing && socket && socket->bytesAvailable() > 0)
        handle(socket->readAll());
}

void QFtpDTP::drainToDevice()
{
    while (socket && dev && !isByteArray) {
        const qint64 available = socket->bytesAvailable();
        if (available <= 0)
            break;
        if (readBuffer.size() < available)
            readBuffer.resize(int(qMin<qint64>(available, 1 << 30)));
        const qint64 n = socket->read(readBuffer.data(), readBuffer.size());
        if (n <= 0)
            break;
        bytesDone += n;
        if (dev->write(readBuffer.constData(), n) != n) {
            // Keep going would report a download as complete while the
            // local copy misses bytes.
            err = ftpText("Writing the downloaded data failed: %1").arg(dev->errorString());
            qCWarning(lcFtp) << err;
            clearData();
            socket->abort();
            return;
        }
        emit dataTransferProgress(bytesDone, bytesTotal);
    }
}

void QFtpDTP::socketConnected()
{
    bytesDone = 0;
    connected = true;
    emit connectState(CsConnected);
}

void QFtpDTP::socketReadyRead()
{
    if (!socket)
        return;

    if (pi->currentCommand().isEmpty()) {
        socket->close();
        emit connectState(CsClosed);
        return;
    }
    if (pi->currentAbortState() == QFtpPI::AbortStarted) {
        socket->readAll();
        return;
    }
    if (pi->currentCommand().startsWith(QLatin1String("LIST"))) {
        readListing(false);
        return;
    }
    if (!isByteArray && dev) {
        drainToDevice();
    } else {
        emit dataTransferProgress(bytesDone + socket->bytesAvailable(), bytesTotal);
        emit readyRead();
    }
}

void QFtpDTP::socketError(QAbstractSocket::SocketError e)
{
    // Bytes handed to the socket were lost: the upload cannot be complete,
    // even when the whole source was read.
    if (connected && pi->currentCommand().startsWith(QLatin1String("STOR ")))
        uploadBroken = true;
    if (e == QAbstractSocket::HostNotFoundError)
        emit connectState(CsHostNotFound);
    else if (e == QAbstractSocket::ConnectionRefusedError)
        emit connectState(CsConnectionRefused);
    else if (!connected && socket && socket->state() == QAbstractSocket::UnconnectedState)
        // Any other failure to connect (time-out, unreachable network) would
        // otherwise leave the command waiting for good.
        emit connectState(CsConnectionRefused);
}

void QFtpDTP::socketConnectionClosed()
{
    const QString line = pi->currentCommand();
    const bool transferring = socket && !line.isEmpty() && pi->currentAbortState() == QFtpPI::NoAbort;
    // Bytes that were still buffered when the close arrived belong to the
    // transfer, not to whoever reads next.
    if (socket && !line.isEmpty() && pi->currentAbortState() != QFtpPI::AbortStarted) {
        if (line.startsWith(QLatin1String("LIST")))
            readListing(true);
        else if (!isByteArray && dev)
            drainToDevice();
    }
    // The server's final reply does not prove the transfer: a 226 after a
    // close in the middle of the file would leave a truncated copy counted
    // as complete, on either side.
    if (transferring && err.isNull() && line.startsWith(QLatin1String("STOR "))
        && ((isByteArray && ba) || (!isByteArray && dev) || uploadBroken)) {
        err = ftpText("The data connection closed after %1 bytes, before the whole file was sent").arg(bytesDone);
        qCWarning(lcFtp) << err;
    }
    const bool sink = !isByteArray && dev;
    if (sink)
        clearData();
    if (socket && socket->isOpen())
        bytesFromSocket = socket->readAll();
    if (transferring && err.isNull() && line.startsWith(QLatin1String("RETR ")) && bytesTotal > 0) {
        const qint64 received = bytesDone + (sink ? 0 : bytesFromSocket.size());
        if (received < bytesTotal) {
            err = ftpText("The data connection closed after %1 of %2 bytes, before the whole file arrived")
                      .arg(received)
                      .arg(bytesTotal);
            qCWarning(lcFtp) << err;
        }
    }
    emit connectState(CsClosed);
}

void QFtpDTP::socketBytesWritten(qint64 bytes)
{
    bytesDone += bytes;
    emit dataTransferProgress(bytesDone, bytesTotal);
    if (callWriteData)
        writeData();
}

void QFtpDTP::setupSocket()
{
    QTcpSocket *incoming = listener.nextPendingConnection();
    if (!incoming)
        return;
    dropSocket();
    uploadBroken = false;
    incoming->setParent(this);
    incoming->setObjectName(QStringLiteral("QFtpDTP Active state socket"));
    attachSocket(incoming);
    connected = true;
    listener.close();
    if (writeOnConnect) {
        writeOnConnect = false;
        writeData();
    }
}

void QFtpDTP::dataReadyRead()
{
    writeData();
}

void QFtpDTP::dataReadChannelFinished()
{
    sourceFinished = true;
    writeData();
}

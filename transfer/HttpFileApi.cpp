#include "HttpFileApi.h"

#include "AppGlobals.h"
#include "ClassLog.h"
#include "ClassParamS.h"
#include "FetchedFileCheck.h"
#include "HttpRequest.h"
#include "LocalWriteError.h"
#include "SideFiles.h"
#include "TransferLists.h"
#include "TransferPaths.h"
#include "classVersion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QHttpMultiPart>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslSocket>
#include <QUrl>

#include <cerrno>
#include <cstdio>

namespace {

const QString kLog = QStringLiteral("OrvexLog");

QString beforeZero(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

const char *successLine(int operation)
{
    switch (operation) {
    case HttpFileApi::OpScan: return "HTTPSCAN-->OK";
    case HttpFileApi::OpDownload: return "HTTPGETFILE-->OK";
    case HttpFileApi::OpUpload: return "HTTPPUTFILE-->OK";
    case HttpFileApi::OpRename: return "HTTPRENAMEDIR-->OK";
    case HttpFileApi::OpDeleteFile: return "HTTPREMOVEFILE-->OK";
    case HttpFileApi::OpDeleteDir: return "HTTPREMOVEDIR-->OK";
    case HttpFileApi::OpCreateDir: return "HTTPCREATEDIR-->OK";
    case HttpFileApi::OpStatus: return "HTTPSTATUSBOX-->OK";
    }
    return "";
}

QString absolute(const QString &path)
{
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

// Whether `text` holds a JSON object or array that closes: a body cut off
// inside it never does.
bool closesJson(const QByteArray &text)
{
    int depth = 0;
    bool inString = false;
    bool escaped = false;
    for (const char c : text) {
        if (inString) {
            if (escaped)
                escaped = false;
            else if (c == '\\')
                escaped = true;
            else if (c == '"')
                inString = false;
        } else if (c == '"' && depth > 0) {
            inString = true;
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if ((c == '}' || c == ']') && depth > 0 && --depth == 0) {
            return true;
        }
    }
    return false;
}

// Why a status answer is not one: a page put in its place (a proxy's, a
// portal's), or a body without a length that breaks off, as a broken
// chunked body does (Qt reads a chunk size it cannot parse as the end).
QString refusedStatus(QByteArray text, bool lengthKnown)
{
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    text = text.trimmed();
    if (text.isEmpty())
        return lengthKnown ? QString() : QStringLiteral("état des boîtiers vide sans longueur annoncée");
    const QByteArray start = text.left(16).toLower();
    if (start.startsWith("<!doctype") || start.startsWith("<html"))
        return QStringLiteral("page HTML reçue à la place de l'état des boîtiers");
    if (!lengthKnown && !closesJson(text))
        return QStringLiteral("état des boîtiers incomplet");
    return QString();
}

} // namespace

HttpFileApi::HttpFileApi(QObject *parent)
    : QObject(parent)
    , m_manager(new QNetworkAccessManager(this))
    , m_lists(new TransferLists(this))
    , m_base(classVersion().NomDeDomaine())
{
    connect(m_lists, &TransferLists::signalPresenceBox, this, &HttpFileApi::signalPresenceBox);
    setWorkFolder(ApplicationPath.isEmpty() ? ClassParamS::getNewPath(QString()) : ApplicationPath);
}

HttpFileApi::~HttpFileApi()
{
    // Before the manager goes: requests, finished ones waiting for their
    // deleteLater too, still refer to its replies.
    abortAll();
    qDeleteAll(findChildren<HttpRequest *>(QString(), Qt::FindDirectChildrenOnly));
}

void HttpFileApi::setAccountFolder(const QString &ftpPath)
{
    m_ftpPath = ftpPath;
}

void HttpFileApi::setLocalMode(bool local, const QString &localPath)
{
    m_local = local;
    m_localPath = localPath;
}

void HttpFileApi::setBaseUrl(const QString &url)
{
    m_base = url;
}

void HttpFileApi::setWorkFolder(const QString &folder)
{
    m_workFolder = folder;
    m_lists->setMediaIndex(folder.isEmpty() ? QString() : folder + QLatin1String("TEMP/MEDIA.orvex"));
}

bool HttpFileApi::doneFlag(int index) const
{
    return index >= 0 && index < DoneFlagCount && m_flags[index];
}

void HttpFileApi::setDoneFlag(int index, bool value)
{
    if (index >= 0 && index < DoneFlagCount)
        m_flags[index] = value;
}

bool HttpFileApi::lastSucceeded(int operation) const
{
    return operation >= 0 && operation <= OpStatus && m_lastOk[operation];
}

void HttpFileApi::setStatusLabel(const QString &text)
{
    // This object owns the label: the panel shows only what comes from here.
    if (text == m_statusLabel)
        return;
    m_statusLabel = text;
    emit signalStatusLabel(text);
}

QString HttpFileApi::sideFile(const QString &path)
{
    return SideFiles::of(path);
}

bool HttpFileApi::replaceFile(const QString &from, const QString &to, QString *error)
{
    // rename() puts the new file in place in one step; QFile::rename refuses
    // an existing target, and removing it first leaves a moment without it.
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return true;
    if (error)
        *error = qt_error_string(errno);
    return false;
}

bool HttpFileApi::openTransferFile(const QString &path, QString *error)
{
    discardPendingFile();
    // As QSaveFile does: a link stays, the file it points to is replaced.
    QFileInfo target(path);
    for (int depth = 0; depth < 32 && target.isSymLink(); ++depth)
        target.setFile(target.symLinkTarget());
    if (target.isDir()) {
        // Nothing can take a folder's place.
        if (error)
            *error = QStringLiteral("file to open is a directory");
        return false;
    }
    m_pendingFile = new QFile(sideFile(target.filePath()));
    m_pendingTarget = target.filePath();
    if (m_pendingFile->open(QIODevice::WriteOnly | QIODevice::Truncate))
        return true;
    if (error)
        *error = m_pendingFile->errorString();
    delete m_pendingFile;
    m_pendingFile = nullptr;
    m_pendingTarget.clear();
    return false;
}

QFile *HttpFileApi::takeTransferFile(QString *target)
{
    QFile *file = m_pendingFile;
    *target = m_pendingTarget;
    m_pendingFile = nullptr;
    m_pendingTarget.clear();
    return file;
}

void HttpFileApi::discardPendingFile()
{
    if (m_pendingFile) {
        const QString side = m_pendingFile->fileName();
        delete m_pendingFile;
        QFile::remove(side);
    }
    m_pendingFile = nullptr;
    m_pendingTarget.clear();
}

QString HttpFileApi::account() const
{
    return TransferPaths::accountFolder(m_ftpPath);
}

void HttpFileApi::log(const QString &text) const
{
    ClassLog().log(kLog, text);
}

QString HttpFileApi::relativeToWork(const QString &path) const
{
    QString work = QDir::cleanPath(m_workFolder);
    if (!work.endsWith(QLatin1Char('/')))
        work += QLatin1Char('/');
    QString relative = QDir::cleanPath(path);
    return relative.remove(work);
}

bool HttpFileApi::refused(int operation, const QString &path, bool allowed)
{
    if (allowed)
        return false;
    fail(operation, QStringLiteral("chemin refusé: ") + TransferPaths::encode(path));
    return true;
}

void HttpFileApi::scanFile(QString path)
{
    m_flags[4] = false;
    if (refused(OpScan, path, TransferPaths::isServerPath(path, account())))
        return;
    if (m_local) {
        localScan(path);
        return;
    }
    const QString url = TransferPaths::scanUrl(m_base, account(), path);
    send(OpScan, url, QLatin1String("scanFile->URL:") + TransferPaths::maskUrl(url, m_base));
}

void HttpFileApi::setNetworkAccessManager(QNetworkAccessManager *manager)
{
    if (!manager || manager == m_manager)
        return;
    abortAll();
    m_shared.clear();
    manager->setParent(this);
    delete m_manager;
    m_manager = manager;
}

QNetworkAccessManager *HttpFileApi::manager() const
{
    return m_shared ? m_shared.data() : m_manager;
}

void HttpFileApi::copyConfiguration(const HttpFileApi &other)
{
    m_ftpPath = other.m_ftpPath;
    m_local = other.m_local;
    m_localPath = other.m_localPath;
    m_base = other.m_base;
    setWorkFolder(other.m_workFolder);
    m_stallMs = other.m_stallMs;
    m_deadline = other.m_deadline;
    m_shared = other.manager();
}

void HttpFileApi::downloadFileHttp(QString serverPath, QString name)
{
    m_localWriteFailure.clear();
    m_flags[1] = false;
    m_downloadMissing = false;
    m_downloadTooLarge = false;
    m_downloadWriteFailed = false;
    m_downloadDamaged = false;
    qint64 limit = m_downloadLimit;
    m_downloadLimit = -1;
    // The name is a local path when the server path is a tree path.
    const bool tree = serverPath.startsWith(QLatin1String("/zolink/zobox/"));
    if (!TransferPaths::isDownloadPath(serverPath, account()) || (!tree && !TransferPaths::isPlainName(name))) {
        // The opened local file goes too.
        QString target;
        QFile *file = takeTransferFile(&target);
        if (file)
            target = absolute(target);
        delete file;
        fail(OpDownload, QStringLiteral("chemin refusé: ") + TransferPaths::encode(serverPath + QLatin1Char('/') + name),
             target);
        return;
    }
    if (m_local) {
        localDownload(serverPath, name);
        return;
    }
    qDebug().noquote() << "SSL version use for build: " + QSslSocket::sslLibraryBuildVersionString();
    qDebug().noquote() << "SSL version use for run-time: " + QString::number(QSslSocket::sslLibraryVersionNumber());
    qDebug() << QCoreApplication::libraryPaths();

    QString target;
    QFile *file = takeTransferFile(&target);
    // A known size (a medium's, from the index) is the deadline's from the
    // start: a longer announcement is refused, not waited for.
    const qint64 known = limit;
    const QString suffix = QFileInfo(name).suffix().toLower();
    if (limit < 0 && (suffix == QLatin1String("orvex") || suffix == QLatin1String("txt") || suffix == QLatin1String("html")))
        limit = ParamFileLimitBytes;
    const QString url = TransferPaths::downloadUrl(m_base, m_ftpPath, serverPath, name);
    const QString line = QLatin1String("downloadFileHttp->URL:") + TransferPaths::maskUrl(url, m_base);
    if (!file) {
        log(line);
        fail(OpDownload, QStringLiteral("aucun fichier local ouvert pour ") + name);
        return;
    }
    send(OpDownload, url, line, file, nullptr, limit, absolute(target), known);
}

void HttpFileApi::doUploadFileHttp(QString name, QString localFolder, QString destPath)
{
    m_localWriteFailure.clear();
    m_flags[2] = false;
    m_flags[3] = false;
    m_uploadFinal = false;
    const QString source = localFolder + name;
    // A control character or quote in the name has its own message below.
    const bool folderPart = name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
        || name == QLatin1String(".") || name == QLatin1String("..");
    if (refused(OpUpload, destPath + QLatin1Char('/') + name,
                TransferPaths::isServerPath(destPath, account()) && !folderPart))
        return;

    if (QFileInfo(source).size() >= LargeFileBytes && !m_local) {
        m_largeName = name;
        m_largeFolder = destPath;
        m_largeLocal = localFolder;
        m_flags[0] = false;
        log(QLatin1String("doUploadFileHttp->FTP:") + name);
        m_largePending = isSignalConnected(QMetaMethod::fromSignal(&HttpFileApi::signalEnvoiGrosFichier));
        emit signalEnvoiGrosFichier(name, destPath);
        return;
    }
    if (m_local) {
        localUpload(name, localFolder, destPath);
        return;
    }

    const QString url = TransferPaths::uploadUrl(m_base, account(), destPath);
    const QString line = QLatin1String("doUploadFileHttp->URL:") + TransferPaths::maskUrl(url, m_base)
        + QLatin1String("NAMEFILE:") + name;
    // The name goes into a quoted multipart header.
    for (const QChar c : name) {
        if (c.unicode() < 0x20 || c == QLatin1Char('"')) {
            // One log line, whatever the name holds.
            log(QString(line).replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')));
            setStatusLabel(tr("Nom de fichier refusé: %1").arg(name.simplified()));
            fail(OpUpload, QStringLiteral("nom de fichier refusé"));
            return;
        }
    }

    const QString readPath = source.contains(QLatin1String("/CONNEXION.txt"))
        ? localFolder + QLatin1String("CONNEXION.txt") : source;
    auto *file = new QFile(readPath);
    if (!file->open(QIODevice::ReadOnly)) {
        // Posting nothing would leave an empty file on the server.
        const QString reason = file->errorString();
        delete file;
        log(line);
        setStatusLabel(tr("Impossible de lire le fichier %1.").arg(name));
        fail(OpUpload, QStringLiteral("lecture impossible de ") + readPath + QLatin1String(": ") + reason);
        return;
    }

    auto *body = new QHttpMultiPart(QHttpMultiPart::FormDataType);
    QHttpPart part;
    part.setHeader(QNetworkRequest::ContentDispositionHeader,
                   QVariant(QLatin1String("form-data; name=\"file\"; filename=\"") + name + QLatin1Char('"')));
    part.setHeader(QNetworkRequest::ContentLengthHeader, file->size());
    part.setBodyDevice(file);
    file->setParent(body);
    body->append(part);

    setStatusLabel(tr("Envoi du fichier %1...").arg(name));
    send(OpUpload, url, line, nullptr, body, ReplyLimitBytes, QString(), file->size());
}

void HttpFileApi::renameDirFileHttp(QString oldPath, QString newPath)
{
    m_flags[8] = false;
    // Nothing to rename from or to: nothing is sent and the flag stays clear.
    if (oldPath.isEmpty() || newPath.isEmpty())
        return;
    if (refused(OpRename, oldPath + QLatin1String(" -> ") + newPath,
                TransferPaths::isServerPath(oldPath) && TransferPaths::isServerPath(newPath)
                    && !TransferPaths::isFixedTreePath(oldPath) && !TransferPaths::isFixedTreePath(newPath)))
        return;
    if (m_local) {
        localFolderCommand(OpRename, oldPath, newPath);
        return;
    }
    const QString url = TransferPaths::renameUrl(m_base, account(), oldPath, newPath);
    send(OpRename, url, QLatin1String("renameDirFileHttp->URL:") + TransferPaths::maskUrl(url, m_base));
}

void HttpFileApi::deleteFileHttp(QString path)
{
    m_flags[6] = false;
    // The account folder itself and the program's own folders are never touched.
    if (refused(OpDeleteFile, path, !path.isEmpty() && TransferPaths::isServerPath(path) && !TransferPaths::isFixedTreePath(path)))
        return;
    if (m_local) {
        localFolderCommand(OpDeleteFile, path);
        return;
    }
    const QString url = TransferPaths::deleteFileUrl(m_base, account(), path);
    send(OpDeleteFile, url, QLatin1String("deleteFileHttp->URL:") + TransferPaths::maskUrl(url, m_base));
}

void HttpFileApi::deleteDirHttp(QString path)
{
    m_flags[9] = false;
    // The account folder itself and the program's own folders are never touched.
    if (refused(OpDeleteDir, path, !path.isEmpty() && TransferPaths::isServerPath(path) && !TransferPaths::isFixedTreePath(path)))
        return;
    if (m_local) {
        localFolderCommand(OpDeleteDir, path);
        return;
    }
    const QString url = TransferPaths::deleteDirUrl(m_base, account(), path);
    send(OpDeleteDir, url, QLatin1String("deleteDirHttp->URL:") + TransferPaths::maskUrl(url, m_base));
}

void HttpFileApi::createDirHttp(QString path)
{
    m_flags[7] = false;
    // The account folder itself and the program's own folders are never touched.
    if (refused(OpCreateDir, path, !path.isEmpty() && TransferPaths::isServerPath(path) && !TransferPaths::isFixedTreePath(path)))
        return;
    if (m_local) {
        localFolderCommand(OpCreateDir, path);
        return;
    }
    const QString url = TransferPaths::createDirUrl(m_base, account(), path);
    send(OpCreateDir, url, QLatin1String("createDirHttp->URL:") + TransferPaths::maskUrl(url, m_base));
}

void HttpFileApi::statusCompte(QString accountName)
{
    m_flags[10] = false;
    const QString url = TransferPaths::statusUrl(m_base, accountName);
    send(OpStatus, url, QLatin1String("StatusCompte->URL:") + TransferPaths::maskUrl(url, m_base));
}

void HttpFileApi::abortAll()
{
    const QList<HttpRequest *> requests = m_requests;
    m_requests.clear();
    for (HttpRequest *request : requests) {
        const QString side = request->file() ? request->file()->fileName() : QString();
        request->abandon();
        delete request;
        if (!side.isEmpty())
            QFile::remove(side);
    }
    discardPendingFile();
}

void HttpFileApi::abort(int operation)
{
    const QList<HttpRequest *> requests = m_requests;
    for (HttpRequest *request : requests) {
        if (request->operation() != operation)
            continue;
        m_requests.removeOne(request);
        const QString file = request->file() ? request->file()->fileName() : QString();
        request->abandon();
        delete request;
        if (!file.isEmpty())
            QFile::remove(file);
    }
    if (operation == OpDownload)
        discardPendingFile();
}

void HttpFileApi::send(int operation, const QString &url, const QString &logLine, QFile *file,
                       QHttpMultiPart *body, qint64 limit, const QString &replaced, qint64 bytes)
{
    log(logLine);
    const QUrl target = QUrl::fromEncoded(url.toUtf8(), QUrl::StrictMode);
    if (!target.isValid() || target.scheme().isEmpty() || target.host().isEmpty()) {
        const QString reason = target.errorString().isEmpty() ? QStringLiteral("no scheme or host")
                                                              : target.errorString();
        delete file;
        delete body;
        emit signalInvalidUrl(url, reason);
        // Qt's reason quotes the URL: masked like the URL itself.
        fail(operation, TransferPaths::maskUrl(QLatin1String("URL invalide: ") + url + QLatin1String(": ") + reason, m_base),
             replaced);
        return;
    }

    // A request sent again (a retry after a time-out) replaces the one still
    // in flight: two replies must not fill the same list or file.
    const QString targetFile = file ? absolute(file->fileName()) : QString();
    const QList<HttpRequest *> requests = m_requests;
    for (HttpRequest *old : requests) {
        if (old->operation() != operation)
            continue;
        const QString oldFile = old->file() ? absolute(old->file()->fileName()) : QString();
        if (old->url() != url && (targetFile.isEmpty() || oldFile != targetFile))
            continue;
        log(QStringLiteral("Requête remplacée: ") + TransferPaths::maskUrl(old->url(), m_base));
        m_requests.removeOne(old);
        old->abandon();
        if (!oldFile.isEmpty() && oldFile != targetFile)
            QFile::remove(oldFile);
        old->deleteLater();
    }

    QNetworkRequest request(target);
    // Otherwise Qt asks for gzip and inflates out of sight, without bound.
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply *reply = body ? manager()->post(request, body) : manager()->get(request);
    if (body)
        body->setParent(reply);
    const HttpRequest::Progress progress = operation == OpDownload ? HttpRequest::Progress::Download
        : operation == OpUpload                                    ? HttpRequest::Progress::Upload
                                                                   : HttpRequest::Progress::None;
    auto *pending = new HttpRequest(operation, url, reply, file, progress, m_stallMs, limit, m_deadline, bytes, this);
    pending->setTarget(replaced);
    connect(pending, &HttpRequest::finished, this, &HttpFileApi::httpFinished);
    connect(pending, &HttpRequest::progress, this, &HttpFileApi::signalProgress);
    m_requests << pending;
}

void HttpFileApi::httpFinished(HttpRequest *request)
{
    if (!m_requests.removeOne(request))
        return;
    request->deleteLater();

    const int operation = request->operation();
    QNetworkReply *reply = request->reply();
    if (operation == OpDownload) {
        m_downloadMissing = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 404;
        m_downloadWriteFailed = request->writeFailed() && request->file();
        m_downloadTooLarge = request->tooLarge();
    }
    const QString side = request->file() ? absolute(request->file()->fileName()) : QString();
    const QString file = request->target();

    QString why = request->failure();
    if (why.isEmpty() && reply->error() != QNetworkReply::NoError) {
        why = reply->errorString();
    } else if (why.isEmpty()) {
        // Redirections are not followed: a 3xx body is not the answer.
        const QVariant statusCode = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        const int status = statusCode.toInt();
        // Qt sends a request again when its connection drops before the
        // answer; a delete sent twice finds the second time nothing left.
        const bool alreadyGone = status == 404 && (operation == OpDeleteFile || operation == OpDeleteDir);
        if (alreadyGone)
            log(QStringLiteral("Déjà supprimé sur le serveur: ") + TransferPaths::maskUrl(request->url(), m_base));
        else if (!statusCode.isValid())
            why = QStringLiteral("connexion fermée sans réponse HTTP");
        else if (status < 200 || status > 299)
            why = QStringLiteral("HTTP %1").arg(status);
        // A connection that drops mid-body can end the reply without an
        // error: the announced length tells.
        const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
        if (why.isEmpty() && !alreadyGone && length.isValid() && request->received() != length.toLongLong())
            why = QStringLiteral("réponse incomplète: %1 octets sur %2")
                      .arg(request->received())
                      .arg(length.toLongLong());
        // Qt takes a chunk size it cannot read for the last chunk: a file
        // without its length has no end that can be checked.
        if (why.isEmpty() && operation == OpDownload && !length.isValid())
            why = QStringLiteral("fichier reçu sans longueur annoncée");
    }
    if (request->writeFailed() && request->failure().isEmpty())
        why = request->file() ? QStringLiteral("écriture impossible: ") + LocalWriteError::reason(*request->file())
                              : QStringLiteral("réponse trop longue");

    if (why.isEmpty()) {
        const QByteArray body = request->body();
        if (operation == OpScan) {
            bool parsed = false;
            const QStringList names = TransferLists::transArrayToList(body, &parsed);
            if (!parsed) {
                why = QStringLiteral("réponse de liste illisible");
            } else {
                m_lists->addToListHttp(names);
                log(QLatin1String("Scan Data=") + beforeZero(body));
            }
        } else if (operation == OpStatus) {
            const int end = body.indexOf('\0');
            why = refusedStatus(end < 0 ? body : body.left(end),
                                reply->header(QNetworkRequest::ContentLengthHeader).isValid());
            if (why.isEmpty()) {
                m_statusText = beforeZero(body);
                log(QLatin1String("Status Box=") + m_statusText);
            }
        } else if (!body.isEmpty()) {
            qDebug().noquote() << "Lire Data=" + QString::fromUtf8(body.left(4096));
        }
    }

    // Only a whole, checked download takes the place of the local copy.
    if (why.isEmpty() && operation == OpDownload && !side.isEmpty() && !file.isEmpty()) {
        why = FetchedFileCheck::problem(side, file);
        m_downloadDamaged = !why.isEmpty();
    }
    QString error;
    if (why.isEmpty() && !side.isEmpty() && !file.isEmpty() && !replaceFile(side, file, &error)) {
        why = QStringLiteral("écriture impossible: ") + error;
        m_downloadWriteFailed = operation == OpDownload;
    }

    if (!why.isEmpty()) {
        // The status poll runs behind the user's work: its label is not its own.
        if (request->tooSlow() && operation != OpStatus)
            setStatusLabel(TransferDeadline::tooSlowText());
        if (request->tooLarge() && operation == OpDownload) {
            // The server's name: the local copy may be a side file.
            const QString name = QUrl::fromEncoded(request->url().toUtf8()).fileName();
            setStatusLabel(tooLargeText(name));
            fail(operation, why, file, tooLargeText(name));
            return;
        }
        // Qt's text names the host: the user is told the server's status.
        const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        fail(operation, why, file, status > 299 ? QStringLiteral("HTTP %1").arg(status) : QString());
        return;
    }
    complete(operation, true, file);
    qDebug() << "--Finish--";
}

QString HttpFileApi::tooLargeText(const QString &name)
{
    return tr("Le serveur annonce pour %1 une taille que ce fichier ne peut pas avoir: le téléchargement a été "
              "abandonné.")
        .arg(name);
}

void HttpFileApi::fail(int operation, const QString &why, const QString &file, const QString &shown)
{
    const QString line = (m_local && operation != OpStatus ? QLatin1String("------->Erreur locale:")
                                                           : QLatin1String("------->Http Erreur:"))
        + why;
    log(line);
    qDebug().noquote() << kLog + line;
    if (operation >= 0 && operation <= OpStatus)
        m_lastFailure[operation] = shown.isEmpty() ? TransferPaths::maskUrl(why, m_base) : shown;
    complete(operation, false, file);
}

QString HttpFileApi::lastFailure(int operation) const
{
    return operation >= 0 && operation <= OpStatus ? m_lastFailure[operation] : QString();
}

void HttpFileApi::endLargeUpload(bool ok)
{
    m_largePending = false;
    m_lastOk[OpUpload] = ok;
    m_uploadFinal = !ok;
    if (!ok)
        m_flags[2] = true;
    m_flags[3] = true;
    m_retries = 0;
    if (ok)
        emit signalPutFileFinish();
    emit signalTransferEnded(OpUpload, ok);
}

void HttpFileApi::complete(int operation, bool ok, const QString &file)
{
    if (ok)
        log(QLatin1String(successLine(operation)));
    if (operation >= 0 && operation <= OpStatus) {
        m_lastOk[operation] = ok;
        if (ok)
            m_lastFailure[operation].clear();
    }

    switch (operation) {
    case OpScan:
        m_flags[4] = true;
        emit signalListFichier(ok ? m_lists->transferFiles() : QStringList());
        break;
    case OpDownload:
        // A failed download leaves no file behind: neither its side file
        // nor the copy it was to replace, which the machines take for the
        // sign of a failure.
        if (!ok && !file.isEmpty()) {
            QFile::remove(sideFile(file));
            QFile::remove(file);
        }
        m_flags[1] = true;
        m_retries = 0;
        if (ok)
            setStatusLabel(QString());
        emit signalGetFileFinish();
        if (!ok && !file.isEmpty())
            emit signalSupprimerFichier(relativeToWork(file));
        break;
    case OpUpload:
        if (!ok)
            m_flags[2] = true;
        m_flags[3] = true;
        m_retries = 0;
        if (ok)
            setStatusLabel(QString());
        emit signalPutFileFinish();
        break;
    case OpRename:
        m_flags[8] = true;
        m_retries = 0;
        break;
    case OpDeleteFile:
        m_flags[6] = true;
        m_retries = 0;
        break;
    case OpDeleteDir:
        m_flags[9] = true;
        m_retries = 0;
        break;
    case OpCreateDir:
        m_flags[7] = true;
        m_retries = 0;
        if (!ok)
            qDebug() << "HTTPCREATEDIR-->NOT OK";
        emit signalMkdirFinish();
        break;
    case OpStatus:
        m_flags[10] = true;
        break;
    }
    emit signalTransferEnded(operation, ok);
}

QString HttpFileApi::localRoot(const QString &path) const
{
    // Local mode keeps to the account's own folder, like the server does;
    // only the program's fixed folders lie outside it.
    if (TransferPaths::isDownloadPath(path, account()) && path.startsWith(QLatin1String("/zolink/zobox/")))
        return QDir::cleanPath(m_localPath);
    return TransferPaths::localPath(m_localPath, account(), QString());
}

void HttpFileApi::localScan(const QString &path)
{
    const QString folder = TransferPaths::localScanPath(m_localPath, account(), path);
    log(QLatin1String("scanFile->URL:") + folder);
    if (!TransferPaths::isInside(localRoot(path), folder)) {
        fail(OpScan, QStringLiteral("chemin refusé: ") + folder);
        return;
    }
    const QDir dir(folder);
    if (!dir.exists()) {
        fail(OpScan, QLatin1String("dossier absent: ") + folder);
        return;
    }
    m_lists->addToListHttp(dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System, QDir::NoSort));
    complete(OpScan, true);
}

void HttpFileApi::localDownload(const QString &serverPath, const QString &name)
{
    const QString source = TransferPaths::localDownloadPath(m_localPath, account(), serverPath, name);
    log(QLatin1String("downloadFileHttp->URL:") + source);
    qDebug().noquote() << "URL LOCAL:" + source;

    QString target;
    QFile *file = takeTransferFile(&target);
    if (!file) {
        fail(OpDownload, QStringLiteral("aucun fichier local ouvert pour ") + name);
        return;
    }
    const QString side = file->fileName();
    delete file;
    if (!TransferPaths::isInside(localRoot(serverPath), source)) {
        fail(OpDownload, QStringLiteral("chemin refusé: ") + source, target);
        return;
    }
    // As from the server: the local copy is replaced once the new one is whole.
    QFile::remove(side);
    if (!QFileInfo(source).isFile()) {
        m_downloadMissing = !QFileInfo::exists(source);
        m_downloadWriteFailed = !m_downloadMissing;
        fail(OpDownload, QLatin1String("copie impossible de ") + source, target);
        return;
    }
    QString error;
    if (!LocalWriteError::copyInto(source, side, &error)) {
        m_downloadWriteFailed = true;
        m_localWriteFailure = LocalWriteError::text(target, error);
        fail(OpDownload, QLatin1String("copie impossible de ") + source + QLatin1String(": ") + error, target);
        return;
    }
    const QString damaged = FetchedFileCheck::problem(side, target);
    if (!damaged.isEmpty()) {
        m_downloadDamaged = true;
        fail(OpDownload, damaged, target);
        return;
    }
    if (!replaceFile(side, target, &error)) {
        m_downloadWriteFailed = true;
        m_localWriteFailure = LocalWriteError::text(target, error);
        fail(OpDownload, QLatin1String("remplacement impossible de ") + target + QLatin1String(": ") + error, target);
        return;
    }
    complete(OpDownload, true, target);
}

void HttpFileApi::localUpload(const QString &name, const QString &localFolder, const QString &destPath)
{
    const QString source = localFolder + name;
    const QString target = TransferPaths::localUploadPath(m_localPath, account(), destPath, name);
    log(QLatin1String("doUploadFileHttp->URL:") + target + QLatin1String("NAMEFILE:") + name);
    if (!TransferPaths::isInside(localRoot(destPath), target)) {
        fail(OpUpload, QStringLiteral("chemin refusé: ") + target);
        return;
    }
    // The copy in place is only replaced once the new one is whole.
    if (!QFileInfo(source).isFile()) {
        fail(OpUpload, QLatin1String("fichier absent: ") + source);
        return;
    }
    // The folder holds the old file or the new one at every moment: the
    // boxes and the other consoles read it at any time.
    const QString partial = sideFile(target);
    QFile::remove(partial);
    QString error;
    if (!LocalWriteError::copyInto(source, partial, &error) || !replaceFile(partial, target, &error)) {
        QFile::remove(partial);
        m_localWriteFailure = LocalWriteError::text(target, error);
        fail(OpUpload, QLatin1String("copie impossible vers ") + target + QLatin1String(": ") + error);
        return;
    }
    complete(OpUpload, true);
}

void HttpFileApi::localFolderCommand(int operation, const QString &path, const QString &newPath)
{
    const QString target = TransferPaths::localPath(m_localPath, account(), path);
    const QString renamed = TransferPaths::localPath(m_localPath, account(), newPath);
    switch (operation) {
    case OpRename:
        log(QLatin1String("renameDirFileHttp->URLOld:") + target + QLatin1String(" URLNew:") + renamed);
        break;
    case OpDeleteFile:
        log(QLatin1String("deleteFileHttp->URL:") + target);
        break;
    case OpDeleteDir:
        log(QLatin1String("deleteDirHttp->URL:") + target);
        break;
    default:
        log(QLatin1String("createDirHttp->URL:") + target);
        break;
    }
    const QString root = localRoot(QString());
    if (!TransferPaths::isInside(root, target) || (operation == OpRename && !TransferPaths::isInside(root, renamed))
        || (operation != OpCreateDir && target == root)) {
        fail(operation, QStringLiteral("chemin refusé: ") + target);
        return;
    }

    bool ok = true;
    switch (operation) {
    case OpRename:
        ok = QFileInfo::exists(target) && QDir().rename(target, renamed);
        break;
    case OpDeleteFile:
        ok = !QFileInfo(target).isFile() || QFile::remove(target);
        break;
    case OpDeleteDir:
        ok = !QFileInfo(target).isDir() || QDir(target).removeRecursively();
        break;
    case OpCreateDir:
        ok = QFileInfo(target).isDir() || QDir().mkdir(target);
        break;
    }
    if (!ok) {
        fail(operation, QStringLiteral("opération impossible sur ") + target);
        return;
    }
    complete(operation, true);
}

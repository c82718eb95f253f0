#pragma once

#include "TransferDeadline.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>

class HttpRequest;
class QFile;
class QHttpMultiPart;
class QNetworkAccessManager;
class TransferLists;

// The server's HTTP file API (scan, download, upload, delete, create,
// rename, account status) with the transfer state that the panel's step
// machines poll: done flags, retry counter, status text and status label.
// In local mode the same calls act on LOCALPATH at once and complete the
// same way. Owned by the control panel, which forwards its members here.
class HttpFileApi : public QObject
{
    Q_OBJECT
public:
    enum Operation {
        OpScan = 0,
        OpDownload = 1,
        OpUpload = 2,
        OpRename = 4,
        OpDeleteFile = 5,
        OpDeleteDir = 6,
        OpCreateDir = 7,
        OpStatus = 8,
    };
    static constexpr int DoneFlagCount = 12;
    // Files of this many bytes or more go to the large-file (FTP) upload.
    static constexpr qint64 LargeFileBytes = 128000000;
    static constexpr int DefaultStallMs = 60000;
    // Scans, status answers and the other scripts' replies are short lists.
    static constexpr qint64 ReplyLimitBytes = 8 * 1024 * 1024;
    // Parameter files (".orvex", ".txt", ".html") downloaded without a known
    // size: they hold kilobytes, so a longer announcement is refused at once.
    static constexpr qint64 ParamFileLimitBytes = 16 * 1024 * 1024;

    explicit HttpFileApi(QObject *parent = nullptr);
    ~HttpFileApi() override;

    // Account values read at start-up: FTPPATH, MODE "LOCAL" and LOCALPATH.
    void setAccountFolder(const QString &ftpPath);
    QString accountFolder() const { return m_ftpPath; }
    void setLocalMode(bool local, const QString &localPath);
    bool localMode() const { return m_local; }
    QString localPath() const { return m_localPath; }
    // Defaults to classVersion::NomDeDomaine().
    void setBaseUrl(const QString &url);
    QString baseUrl() const { return m_base; }
    // Work folder (ends in "/"); defaults to ApplicationPath.
    void setWorkFolder(const QString &folder);
    QString workFolder() const { return m_workFolder; }
    // A reply without progress for this long is aborted as failed.
    void setStallTimeout(int ms) { m_stallMs = ms; }
    // Every request ends by this deadline (see TransferDeadline).
    void setDeadline(const TransferDeadline &deadline) { m_deadline = deadline; }
    // Requests go through `manager` from now on (the API takes it); tests
    // hand in one whose replies they play.
    void setNetworkAccessManager(QNetworkAccessManager *manager);
    // Sends as `other` does from now on: account folder, mode, address,
    // work folder, stall time-out, deadline and network manager (shared,
    // not taken). A second API of a machine takes its whole setting so.
    void copyConfiguration(const HttpFileApi &other);

    bool doneFlag(int index) const;
    // Whether the last completed request of `operation` succeeded.
    bool lastSucceeded(int operation) const;
    // The last download found no such file (HTTP 404, or no local source),
    // as against a failed exchange.
    bool lastDownloadMissing() const { return m_downloadMissing; }
    // Why the last request of `operation` failed; empty once one succeeded.
    QString lastFailure(int operation) const;
    // The last download announced or sent more than it may hold.
    bool lastDownloadTooLarge() const { return m_downloadTooLarge; }
    // The last download failed writing its local file (a full disk).
    bool lastDownloadWriteFailed() const { return m_downloadWriteFailed; }
    // The last download arrived whole but failed the check of a fetched
    // file (FetchedFileCheck): the server answered something else than the file.
    bool lastDownloadDamaged() const { return m_downloadDamaged; }
    // In local mode, the last transfer failed writing on this computer (a
    // full disk under LOCALPATH): the text naming the disk and the file,
    // told in place of a connection problem. Empty otherwise.
    QString localWriteFailure() const { return m_localWriteFailure; }
    void setDoneFlag(int index, bool value);
    int retryCounter() const { return m_retries; }
    void setRetryCounter(int value) { m_retries = value; }
    int uploadState() const { return m_uploadState; }
    void setUploadState(int value) { m_uploadState = value; }
    int downloadState() const { return m_downloadState; }
    void setDownloadState(int value) { m_downloadState = value; }

    // Body of the last account status reply.
    QString statusText() const { return m_statusText; }
    // Text of the panel's status label; the progress overlay reads it back.
    QString statusLabel() const { return m_statusLabel; }
    void setStatusLabel(const QString &text);

    // The file handed to the large-file upload.
    QString largeFileName() const { return m_largeName; }
    QString largeFileFolder() const { return m_largeFolder; }
    QString largeFileLocalFolder() const { return m_largeLocal; }
    // The large-file upload ended: done flag 3 (and 2 on failure). A failed
    // one already told the user why and is not retried by the lists.
    void endLargeUpload(bool ok);
    bool lastUploadFinal() const { return m_uploadFinal; }
    // A file handed to the FTP machine and not ended yet: that machine bounds
    // its own waits, so the list sequences must not hand it over again.
    bool largeUploadPending() const { return m_largePending; }
    // Progress of the upload that runs outside this class (FTP).
    void reportProgress(qint64 done, qint64 total) { emit signalProgress(done, total); }

    TransferLists *lists() const { return m_lists; }
    int requestsInFlight() const { return m_requests.size(); }

    // Opens the side file that the next downloadFileHttp() writes into; the
    // file at `path` is replaced by it only once the download is whole, so a
    // kill leaves the old copy or the new one. A failed download leaves
    // neither. On failure `error` gets the reason.
    bool openTransferFile(const QString &path, QString *error = nullptr);
    // Where a download to `path` is written until it is whole.
    static QString sideFile(const QString &path);
    // Puts `from` in the place of `to` in one step: `to` is at all times the
    // old file or the new one, never missing.
    static bool replaceFile(const QString &from, const QString &to, QString *error = nullptr);
    // The size the next downloadFileHttp() may receive at most (a medium's
    // index size), which also sets its deadline; without it a parameter file
    // has ParamFileLimitBytes.
    void setDownloadLimit(qint64 bytes) { m_downloadLimit = bytes; }
    // What the user is told when a download is longer than it may be.
    static QString tooLargeText(const QString &name);

public slots:
    void scanFile(QString path);
    void downloadFileHttp(QString serverPath, QString name);
    void doUploadFileHttp(QString name, QString localFolder, QString destPath);
    void renameDirFileHttp(QString oldPath, QString newPath);
    void deleteFileHttp(QString path);
    void deleteDirHttp(QString path);
    void createDirHttp(QString path);
    void statusCompte(QString account);
    // Drops every request in flight without completing it.
    void abortAll();
    // Drops the requests of one operation; a download's partial file goes too.
    void abort(int operation);

signals:
    void signalListFichier(QStringList ListFichier);
    void signalGetFileFinish();
    void signalSupprimerFichier(QString path);
    void signalPutFileFinish();
    void signalMkdirFinish();
    void signalPresenceBox();
    void signalStatusLabel(QString text);
    // Progress of the download or upload in flight.
    void signalProgress(qint64 readBytes, qint64 totalBytes);
    // The panel shows "Invalid URL: %1: %2"; the operation has already failed.
    void signalInvalidUrl(QString url, QString error);
    // A file too large for HTTP: the FTP sequence takes over and sets done flag 3.
    void signalEnvoiGrosFichier(QString name, QString folder);
    // Any operation ended, server or local.
    void signalTransferEnded(int operation, bool ok);

private slots:
    void httpFinished(HttpRequest *request);

private:
    QString account() const;
    void log(const QString &text) const;
    // `replaced`: the file a download replaces; `bytes`: an upload's size.
    void send(int operation, const QString &url, const QString &logLine, QFile *file = nullptr,
              QHttpMultiPart *body = nullptr, qint64 limit = ReplyLimitBytes, const QString &replaced = QString(),
              qint64 bytes = -1);
    void complete(int operation, bool ok, const QString &file = QString());
    // `shown`: the reason lastFailure() gives, the masked `why` when empty.
    void fail(int operation, const QString &why, const QString &file = QString(), const QString &shown = QString());
    // Fails `operation` without sending anything unless `allowed`.
    bool refused(int operation, const QString &path, bool allowed);
    QString relativeToWork(const QString &path) const;
    // The opened side file, and the file it is to replace in `target`.
    QFile *takeTransferFile(QString *target);
    void discardPendingFile();

    // The folder local mode may touch for `path`.
    QString localRoot(const QString &path) const;
    void localScan(const QString &path);
    void localDownload(const QString &serverPath, const QString &name);
    void localUpload(const QString &name, const QString &localFolder, const QString &destPath);
    void localFolderCommand(int operation, const QString &path, const QString &newPath = QString());

    QNetworkAccessManager *manager() const;

    QNetworkAccessManager *m_manager;
    // Another API's manager, while this one sends through it.
    QPointer<QNetworkAccessManager> m_shared;
    TransferLists *m_lists;
    QList<HttpRequest *> m_requests;
    QFile *m_pendingFile = nullptr;
    QString m_pendingTarget;
    qint64 m_downloadLimit = -1;

    QString m_ftpPath;
    QString m_base;
    QString m_workFolder;
    QString m_localPath;
    bool m_local = false;
    int m_stallMs = DefaultStallMs;
    TransferDeadline m_deadline;

    bool m_flags[DoneFlagCount] = {};
    bool m_lastOk[OpStatus + 1] = {};
    bool m_downloadMissing = false;
    bool m_downloadWriteFailed = false;
    bool m_downloadDamaged = false;
    bool m_downloadTooLarge = false;
    QString m_localWriteFailure;
    QString m_lastFailure[OpStatus + 1];
    int m_retries = 0;
    int m_uploadState = 10;
    int m_downloadState = 14;
    QString m_statusText;
    QString m_statusLabel;
    QString m_largeName;
    QString m_largeFolder;
    QString m_largeLocal;
    bool m_uploadFinal = false;
    bool m_largePending = false;
};

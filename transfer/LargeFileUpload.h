#pragma once

#include "QFtp.h"
#include "StepTimeout.h"
#include "TransferDeadline.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class HttpFileApi;
#include <QFile>

// The upload of a file too large for HTTP: one FTP connection (connect, log
// in, change to the account folder), a change to the target folder and a
// binary put, one step per tick of the panel's 10 ms timer. HttpFileApi
// hands the file over from doUploadFileHttp; every end closes and frees the
// connection and sets done flag 3 (and 2 on failure) of the API.
// Widget-free: the panel shows the boxes and labels from the signals.
class LargeFileUpload : public QObject
{
    Q_OBJECT
public:
    static constexpr int CdTryMs = 5000;
    static constexpr int Tries = 3;
    // Connecting and logging in without an answer for this long fails.
    static constexpr int ConnectMs = 60000;
    // A put without progress for this long fails (the server went silent).
    static constexpr int StallMs = 60000;
    // The put as a whole ends by its deadline for the file's size, however
    // steadily a slow server reads.
    enum Step { Idle = 0, Success = 100, Failure = 110 };

    // FTPSERVEUR: "host", "host:port" or an "ftp://" URL; port 21 when none.
    struct Server {
        QString host;
        quint16 port = 21;
        bool urlForm = false;
        QString user;     // URL form only
        QString password; // URL form only
        bool valid = false;
    };
    static Server parseServer(const QString &value);
    // The server as shown to the user: never a password.
    static QString displayServer(const QString &value);
    static QString messageProblemText();
    static QString connectErrorText();

    LargeFileUpload(HttpFileApi *api, QTimer *timer, QObject *parent = nullptr);
    ~LargeFileUpload() override;

    // FTPSERVEUR, FTPLOGIN, FTPPASSWORD and FTPPATH of CONNEXION.txt.
    void setAccount(const QString &server, const QString &login, const QString &password, const QString &ftpPath);
    void setDeadline(const TransferDeadline &deadline) { m_deadline = deadline; }

    int step() const { return m_step; }
    bool running() const { return m_timer && m_timer->isActive(); }
    // The connection of the upload in flight (null when idle).
    QFtp *connection() const { return m_ftp; }

public slots:
    // The hand-over of doUploadFileHttp.
    void start(const QString &name, const QString &localFolder, const QString &folder);
    void connectToFtp();
    void EnvoiGrosFichier();
    void ftpCommandStarted(int commandId);
    void ftpCommandFinished(int commandId, bool error);
    void stateChanged(int state);

signals:
    // Modal boxes: the receivers return once the box is closed.
    void signalInformation(QString title, QString text);
    void signalConnectError(QString text);
    void signalMessageProblem(QString text);
    void signalMessageOnlyOFF();
    // The Connecter button: enabled, "Connecter", Connect.png.
    void signalConnecterReady();

private:
    void tick();
    void tickSoon();
    void finish(bool ok);
    void putFailed(const QString &why, bool tooSlow = false);
    void closePutFile();
    void releaseConnection(bool ok);
    void log(const QString &text) const;

    HttpFileApi *m_api;
    QPointer<QTimer> m_timer;
    QPointer<QFtp> m_ftp;
    QPointer<QFile> m_putFile;

    QString m_server;
    QString m_login;
    QString m_password;
    QString m_ftpPath;
    QString m_basePath;

    QString m_name;
    QString m_localFolder;
    QString m_folder;
    int m_step = Idle;
    int m_retries = 0;
    bool m_putDone = false;
    bool m_putFailed = false;
    bool m_boxOpen = false;
    StepTimeout m_wait;
    TransferDeadline m_deadline;
    StepTimeout m_putDeadline;
    qint64 m_putSize = 0;
};

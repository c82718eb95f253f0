#include "LargeFileUpload.h"

#include "ClassLog.h"
#include "HttpFileApi.h"
#include "QFtp.h"
#include "TimeScale.h"

#include <QCoreApplication>
#include <QDebug>
#include <QFile>
#include <QTimer>
#include <QUrl>

LargeFileUpload::LargeFileUpload(HttpFileApi *api, QTimer *timer, QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_timer(timer)
{
    connect(timer, &QTimer::timeout, this, &LargeFileUpload::EnvoiGrosFichier);
    connect(api, &HttpFileApi::signalEnvoiGrosFichier, this,
            [this](QString name, QString folder) { start(name, m_api->largeFileLocalFolder(), folder); });
}

LargeFileUpload::~LargeFileUpload()
{
    if (m_ftp)
        disconnect(m_ftp, nullptr, this, nullptr);
}

LargeFileUpload::Server LargeFileUpload::parseServer(const QString &value)
{
    Server server;
    const QString text = value.trimmed();
    const QUrl url(text, QUrl::StrictMode);
    if (url.isValid() && url.scheme().toLower() == QLatin1String("ftp")) {
        server.urlForm = true;
        server.host = url.host();
        server.port = quint16(url.port(21));
        server.user = QUrl::fromPercentEncoding(url.userName(QUrl::FullyEncoded).toLatin1());
        server.password = url.password();
        server.valid = !server.host.isEmpty();
        return server;
    }
    server.host = text;
    // "host:port"; a bare IPv6 address has more than one ':' and keeps 21.
    const int colon = text.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && text.indexOf(QLatin1Char(':')) == colon) {
        bool number = false;
        const uint port = text.mid(colon + 1).toUInt(&number);
        if (!number || port == 0 || port > 65535)
            return server; // not valid: a port that is not a port
        server.host = text.left(colon);
        server.port = quint16(port);
    } else if (text.startsWith(QLatin1Char('[')) && text.contains(QLatin1String("]:"))) {
        const int close = text.indexOf(QLatin1String("]:"));
        bool number = false;
        const uint port = text.mid(close + 2).toUInt(&number);
        if (!number || port == 0 || port > 65535)
            return server;
        server.host = text.mid(1, close - 1);
        server.port = quint16(port);
    }
    server.valid = !server.host.isEmpty();
    return server;
}

QString LargeFileUpload::displayServer(const QString &value)
{
    const Server server = parseServer(value);
    if (!server.urlForm)
        return value.trimmed();
    return QUrl(value.trimmed()).toDisplayString(QUrl::RemoveUserInfo);
}

QString LargeFileUpload::messageProblemText()
{
    return tr("Erreur sur l'envoi des fichiers!!!") + QLatin1Char('\n') + tr("Veuillez recommencer s.v.p...");
}

QString LargeFileUpload::connectErrorText()
{
    return tr("Problème de connexion au serveur") + QLatin1String(" | ")
        + tr("Veuillez vérifier votre connexion internet!!!");
}

void LargeFileUpload::setAccount(const QString &server, const QString &login, const QString &password,
                                 const QString &ftpPath)
{
    m_server = server;
    m_login = login;
    m_password = password;
    m_ftpPath = ftpPath;
}

void LargeFileUpload::log(const QString &text) const
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

void LargeFileUpload::start(const QString &name, const QString &localFolder, const QString &folder)
{
    if (m_ftp)
        releaseConnection(false);
    closePutFile();
    m_name = name;
    m_localFolder = localFolder;
    m_folder = folder;
    m_api->setDoneFlag(0, false);
    m_step = 0;
    m_retries = 0;
    m_putDone = false;
    m_putFailed = false;
    if (m_timer)
        m_timer->start();
}

void LargeFileUpload::connectToFtp()
{
    if (m_ftp)
        releaseConnection(false);
    m_ftp = new QFtp(parent() ? parent() : this);
    connect(m_ftp, &QFtp::commandFinished, this, &LargeFileUpload::ftpCommandFinished);
    connect(m_ftp, &QFtp::commandStarted, this, &LargeFileUpload::ftpCommandStarted);
    connect(m_ftp, &QFtp::stateChanged, this, &LargeFileUpload::stateChanged);
    connect(m_ftp, &QFtp::dataTransferProgress, this, [this](qint64 done, qint64 total) {
        m_wait.renew();
        m_api->reportProgress(done, total);
    });

    const Server server = parseServer(m_server);
    m_ftp->connectToHost(server.host, server.port);
    if (server.urlForm) {
        if (!server.user.isEmpty())
            m_ftp->login(server.user, server.password);
        else
            m_ftp->login();
    } else {
        m_ftp->login(m_login, m_password);
    }
    // Both forms remember the account folder: the target is always inside it.
    m_basePath = m_ftpPath;
    if (!m_basePath.isEmpty())
        m_ftp->cd(m_basePath);
    m_api->setStatusLabel(tr("Connexion au serveur %1...").arg(displayServer(m_server)));
}

void LargeFileUpload::EnvoiGrosFichier()
{
    // Steps that are ready follow each other in one tick: a 10 ms wait per
    // step would cost more than the transfer of a fast link.
    if (!running())
        return; // a late tick after the end must not start a new upload
    for (int guard = 0; guard < 8; ++guard) {
        const int before = m_step;
        tick();
        if (m_step == before || m_step == Idle)
            return;
    }
}

void LargeFileUpload::tickSoon()
{
    if (running())
        QMetaObject::invokeMethod(this, &LargeFileUpload::EnvoiGrosFichier, Qt::QueuedConnection);
}

void LargeFileUpload::tick()
{
    // A box opened by an FTP completion runs its own loop: wait for its answer.
    if (m_boxOpen)
        return;
    switch (m_step) {
    case 0:
        connectToFtp();
        m_wait.Init(ConnectMs);
        m_step = 1;
        return;
    case 1:
        if (m_api->doneFlag(0)) {
            m_retries = 0;
            m_step = 2;
        } else if (!m_ftp || m_wait.expired()) {
            log(QStringLiteral("-->FTP: Problème de connexion au serveur"));
            m_boxOpen = true;
            emit signalConnectError(connectErrorText());
            m_boxOpen = false;
            // A refused connection drops the client before its ConnectToHost
            // completion: the label ends here as on that completion.
            m_api->setStatusLabel(tr("Connecter sur le serveur"));
            m_step = Failure;
        }
        return;
    case 2: {
        if (!m_ftp) { // lost since the login
            m_step = Failure;
            return;
        }
        const QString path = m_basePath + QLatin1Char('/') + m_folder;
        m_ftp->cd(path);
        log(QStringLiteral("-->FTP: cd ") + m_folder);
        m_wait.Init(CdTryMs);
        m_step = 3;
        return;
    }
    case 3:
        if (m_api->doneFlag(5)) {
            m_retries = 0;
            m_step = 4;
        } else if (!m_ftp) {
            m_step = Failure;
        } else if (m_wait.expired()) {
            m_step = m_retries++ < Tries - 1 ? 2 : Failure;
            if (m_step == Failure)
                log(QStringLiteral("-->FTP: dossier introuvable: ") + m_folder);
        }
        return;
    case 4: {
        if (!m_ftp) {
            m_step = Failure;
            return;
        }
        // The file whose size sent it here, from the caller's folder.
        m_putFile = new QFile(m_localFolder + m_name, m_ftp);
        if (!m_putFile->open(QIODevice::ReadOnly)) {
            const QString text = tr("Impossible de sauvegarder le fichier %1: %2.").arg(m_name, m_putFile->errorString());
            closePutFile();
            m_boxOpen = true;
            emit signalInformation(QStringLiteral("FTP"), text);
            m_boxOpen = false;
            m_step = Failure;
            return;
        }
        log(QStringLiteral("-->FTP: put ") + m_name);
        m_ftp->put(m_putFile, m_name, QFtp::Binary);
        m_api->setStatusLabel(tr("Envoi du fichier %1...").arg(m_name));
        m_wait.Init(StallMs);
        m_putSize = m_putFile->size();
        m_putDeadline.Init(m_deadline.ms(m_putSize));
        m_step = 5;
        return;
    }
    case 5:
        if (m_putFailed) {
            m_step = Failure;
            log(QStringLiteral("-->FTP: put NOK"));
        } else if (m_putDone) {
            m_step = Success;
            log(QStringLiteral("-->FTP: put OK"));
        } else if (!m_ftp) {
            putFailed(QStringLiteral("connexion perdue"));
        } else if (m_wait.expired()) {
            putFailed(QStringLiteral("aucun progrès depuis %1 s").arg(TimeScale::timeoutMs(StallMs) / 1000.0));
        } else if (m_putDeadline.expired()) {
            putFailed(QStringLiteral("serveur trop lent: %1 octets non envoyés en %2 s")
                          .arg(m_putSize)
                          .arg(TimeScale::timeoutMs(m_deadline.ms(m_putSize)) / 1000.0),
                      true);
        }
        return;
    default:
        finish(m_step == Success);
        return;
    }
}

void LargeFileUpload::ftpCommandStarted(int)
{
    if (!m_ftp)
        return;
    static const struct {
        QFtp::Command command;
        int flag;
        const char *name;
    } kinds[] = {{QFtp::Cd, 5, "Cd"},         {QFtp::Get, 1, "Get"},       {QFtp::Put, 3, "Put"},
                 {QFtp::List, 4, "List"},     {QFtp::Remove, 6, "Remove"}, {QFtp::Mkdir, 7, "Mkdir"},
                 {QFtp::Rename, 8, "Rename"}, {QFtp::Rmdir, 9, "Rmdir"}};
    for (const auto &kind : kinds) {
        if (m_ftp->currentCommand() == kind.command) {
            m_api->setDoneFlag(kind.flag, false);
            qDebug().noquote() << QStringLiteral("ftpCommandStarted-->QFtp::") + QLatin1String(kind.name);
        }
    }
}

void LargeFileUpload::ftpCommandFinished(int, bool error)
{
    QFtp *ftp = m_ftp;
    if (!ftp)
        return;
    // The machine goes on as soon as this handler returns.
    tickSoon();
    switch (ftp->currentCommand()) {
    case QFtp::ConnectToHost:
        if (error) {
            // Later completions of this connection mean nothing.
            disconnect(ftp, &QFtp::commandFinished, this, &LargeFileUpload::ftpCommandFinished);
            log(QStringLiteral("-->FTP: Problème de connexion au serveur"));
            m_boxOpen = true;
            emit signalConnectError(connectErrorText());
            m_boxOpen = false;
            // OK or Escape: the upload ends either way.
            m_step = Failure;
        }
        m_api->setStatusLabel(tr("Connecter sur le serveur"));
        emit signalConnecterReady();
        return;
    case QFtp::Login:
        if (!error) {
            m_api->setDoneFlag(0, true);
            log(QStringLiteral("-->FTP: ConnectToHost"));
            return;
        } else {
            const QString text = ftp->errorString();
            log(QStringLiteral("-->FTP: Erreur=") + text);
            m_boxOpen = true;
            emit signalInformation(QStringLiteral("FTP"), text);
            m_boxOpen = false;
            m_step = Failure;
        }
        return;
    case QFtp::Cd:
        if (!error)
            m_api->setDoneFlag(5, true);
        else
            qDebug().noquote() << "-->FTP: cd" << ftp->errorString();
        return;
    case QFtp::Put:
        if (!error) {
            qDebug().noquote() << "-->FTP: put" << m_name;
            m_api->setStatusLabel(tr("Fichier %1 envoyé.").arg(m_name));
            closePutFile();
            m_putDone = true;
        } else {
            putFailed(ftp->errorString());
        }
        return;
    default:
        if (error)
            qDebug().noquote() << "-->FTP:" << ftp->errorString();
        return;
    }
}

void LargeFileUpload::stateChanged(int state)
{
    if (!m_ftp)
        return;
    switch (m_ftp->state()) {
    case QFtp::Unconnected:
        qDebug() << "SIGNAL-->State=Unconnected";
        emit signalConnecterReady();
        // Lost under a command: the next tick ends the upload as failed.
        if (m_step > 0 && m_step < Success && !m_boxOpen) {
            disconnect(m_ftp, nullptr, this, nullptr);
            m_ftp->deleteLater();
            m_ftp = nullptr;
            tickSoon();
        }
        break;
    case QFtp::Connected:
        qDebug() << "SIGNAL-->State=Connected";
        break;
    case QFtp::Closing:
        qDebug() << "SIGNAL-->State=Closing";
        break;
    default:
        break;
    }
    Q_UNUSED(state)
}

void LargeFileUpload::putFailed(const QString &why, bool tooSlow)
{
    if (m_putFailed)
        return;
    m_putFailed = true;
    log(QStringLiteral("-->FTP: Erreur=") + why);
    emit signalMessageOnlyOFF();
    m_api->setStatusLabel(tr("Envoi annulé du fichier %1.").arg(m_name));
    closePutFile();
    m_boxOpen = true;
    emit signalMessageProblem(tooSlow ? messageProblemText() + QLatin1Char('\n') + TransferDeadline::tooSlowText()
                                      : messageProblemText());
    m_boxOpen = false;
}

void LargeFileUpload::closePutFile()
{
    // The file belongs to the connection, which may still read from it.
    if (m_putFile)
        m_putFile->close();
    m_putFile = nullptr;
}

void LargeFileUpload::releaseConnection(bool ok)
{
    QFtp *ftp = m_ftp;
    m_ftp = nullptr;
    if (!ftp)
        return;
    disconnect(ftp, nullptr, this, nullptr);
    if (ok && ftp->state() == QFtp::LoggedIn) {
        // A polite QUIT; freed once answered, or soon anyway.
        ftp->close();
        connect(ftp, &QFtp::done, ftp, &QObject::deleteLater);
        QTimer::singleShot(TimeScale::ms(5000), ftp, &QObject::deleteLater);
    } else {
        ftp->abort();
        ftp->deleteLater();
    }
}

void LargeFileUpload::finish(bool ok)
{
    releaseConnection(ok);
    closePutFile();
    if (m_timer)
        m_timer->stop();
    m_step = Idle;
    m_api->endLargeUpload(ok);
}

#include "FolderOperations.h"

#include "ClassLog.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "TransferPaths.h"
#include "TransferSlots.h"

#include <QFile>
#include <QFileInfo>
#include <QTimer>

namespace {

const QString kDefault = QStringLiteral("/zolink/zobox/DEFAULT");

} // namespace

FolderOperations::FolderOperations(HttpFileApi *api, ListTransfers *lists, TransferSlots *transferSlots, QTimer *timer,
                                   QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_lists(lists)
    , m_slots(transferSlots)
    , m_timer(timer)
{
}

void FolderOperations::slotFolder(int Status, QString Folder, QString newFolder)
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: slotFolder()"));
    m_status = Status;
    m_folder = Folder;
    m_newFolder = newFolder;
    m_step = 0;
    // Playlist folders only, named by the login file: anything else would
    // reach outside the account or into a box's folder.
    const bool folderOk = TransferPaths::isPlaylistFolder(Folder);
    if (!folderOk || (Status == Rename && !TransferPaths::isPlaylistFolder(newFolder))) {
        const QString refused = folderOk ? newFolder : Folder;
        ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("slotFolder refusé: ") + TransferPaths::refusedText(refused));
        m_ok = false;
        emit signalInformation(tr("Dossier"), TransferPaths::refusedText(refused));
        emit signalFinished();
        return;
    }
    slotProcessFolder();
}

void FolderOperations::startCopy(const QString &name)
{
    // A stale TEMP copy must never pass for the default file.
    QFile::remove(m_work + QLatin1String("TEMP/") + name);
    m_slots->slotGetFile(kDefault, name, m_work + QLatin1String("TEMP"), name);
    m_timeout.Init(CopyMs);
}

bool FolderOperations::copyFailed(const QString &name)
{
    m_ok = false;
    m_timer->stop();
    emit signalInformation(tr("FTP"), tr("Envoi du fichier %1 impossible ou le débit internet est trop lent!!!")
                                          .arg(name));
    m_step = 100;
    m_timer->start();
    return false;
}

bool FolderOperations::uploadCopy(const QString &name)
{
    const QString local = m_work + QLatin1String("TEMP/") + name;
    if (QFileInfo(local).size() <= 0)
        return copyFailed(name);
    m_slots->slotPutFile(local, m_folder, name);
    m_timeout.Init(CopyMs);
    return true;
}

void FolderOperations::slotProcessFolder()
{
    switch (m_step) {
    case 0:
        m_timer->start();
        m_retries = 0;
        m_ok = true;
        for (int flag : {9, 7, 8, 1, 3})
            m_api->setDoneFlag(flag, false);
        emit signalMessageOnlyON(tr("Connexion en cours..."), 0, 0, false, true);
        m_step = 1;
        break;
    case 1:
        m_lists->setFolder(QString());
        m_step = 2;
        break;
    case 2:
        if (m_status == Rename)
            m_api->renameDirFileHttp(m_folder, m_newFolder);
        else if (m_status == Create)
            m_api->createDirHttp(m_folder);
        m_timeout.Init(TryMs);
        m_step = 3;
        break;
    case 3:
        if (m_status == Remove) {
            if (m_lists->RemoveDir(m_folder)) {
                m_step = 4;
                // A refused or failed removal is told, not passed over.
                m_ok = m_api->lastSucceeded(HttpFileApi::OpDeleteDir);
                if (!m_ok) {
                    m_timer->stop();
                    emit signalInformation(tr("FTP"), tr("Suppression du dossier %1 impossible!!!").arg(m_folder));
                    m_timer->start();
                }
            }
        } else if (m_status == Create || m_status == Rename) {
            if (m_api->doneFlag(m_status == Create ? 7 : 8)) {
                m_retries = 0;
                m_ok = m_api->lastSucceeded(m_status == Create ? HttpFileApi::OpCreateDir : HttpFileApi::OpRename);
                m_step = 4;
            } else if (m_timeout.expired()) {
                // Unconfirmed after three tries: goes on like a confirmed one.
                m_step = m_retries++ < 2 ? 2 : 4;
                m_ok = m_step == 2;
            }
        } else {
            // No other operation exists: end instead of waiting for ever.
            m_ok = false;
            m_step = 100;
        }
        break;
    case 4:
        m_step = m_status == Create ? 5 : 100;
        break;
    case 5:
        startCopy(QStringLiteral("PLAYER.orvex"));
        m_step = 6;
        break;
    case 6:
    case 11:
        if (m_api->doneFlag(1))
            m_step += 1;
        else if (m_timeout.expired())
            copyFailed(m_step == 6 ? QStringLiteral("PLAYER.orvex") : QStringLiteral("INFO.orvex"));
        break;
    case 7:
        m_step = 8;
        break;
    case 8:
    case 12:
        if (uploadCopy(m_step == 8 ? QStringLiteral("PLAYER.orvex") : QStringLiteral("INFO.orvex")))
            m_step += 1;
        break;
    case 9:
    case 13: {
        const QString name = m_step == 9 ? QStringLiteral("PLAYER.orvex") : QStringLiteral("INFO.orvex");
        // Failure first: a failed upload sets both flags.
        if (m_api->doneFlag(2) || (!m_api->doneFlag(3) && m_timeout.expired()))
            copyFailed(name);
        else if (m_api->doneFlag(3))
            m_step += 1;
        break;
    }
    case 10:
        startCopy(QStringLiteral("INFO.orvex"));
        m_step = 11;
        break;
    default:
        m_timer->stop();
        m_step = 0;
        emit signalMessageOnlyOFF();
        emit signalFinished();
        break;
    }
}

#include "BoxFolderDownload.h"

#include "ClassLog.h"
#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "RevisionCounters.h"
#include "StepDriver.h"
#include "TransferLists.h"
#include "TransferProgress.h"

#include <QDir>
#include <QFile>
#include <QTimer>

BoxFolderDownload::BoxFolderDownload(HttpFileApi *api, ListTransfers *lists, TransferProgress *progress,
                                     RevisionCounters *revisions, QTimer *boxTimer, QTimer *statusTimer,
                                     QObject *parent)
    : QObject(parent)
    , m_api(api)
    , m_lists(lists)
    , m_progress(progress)
    , m_revisions(revisions)
    , m_boxTimer(boxTimer)
    , m_statusTimer(statusTimer)
    , m_driver(new StepDriver(boxTimer, this))
{
    connect(api, &HttpFileApi::signalTransferEnded, this, &BoxFolderDownload::noteFailure);
    // A finished file lets the next one start at once, not on the next tick.
    m_driver->wakeOn(api);
}

bool BoxFolderDownload::running() const
{
    return m_boxTimer->isActive() || m_boxStep != 0;
}

bool BoxFolderDownload::statusBusy() const
{
    return m_statusTimer->isActive() && m_statusStep >= StatusFolder;
}

void BoxFolderDownload::start()
{
    m_boxStep = Begin;
    m_refreshInfo = true;
    m_boxTimer->start();
}

void BoxFolderDownload::noteFailure(int operation, bool ok)
{
    if (!ok && m_boxStep == Fetch && (operation == HttpFileApi::OpScan || operation == HttpFileApi::OpDownload))
        m_failure = m_api->lastFailure(operation);
}

void BoxFolderDownload::cancel()
{
    if (!running())
        return;
    if (m_boxStep > Clear)
        m_revisions->setFolderFailure(tr("chargement interrompu"));
    m_driver->stop();
    m_boxStep = Begin;
    m_lists->reset();
    m_api->abort(HttpFileApi::OpScan);
    m_api->abort(HttpFileApi::OpDownload);
    emit signalMessageOnlyOFF();
}

void BoxFolderDownload::emptyData()
{
    // A file that cannot go stays; the download replaces it if the box has it.
    const QDir data(m_work + QLatin1String("DATA/"));
    for (const QString &name : data.entryList(QDir::Files | QDir::Hidden | QDir::System))
        QFile::remove(data.filePath(name));
}

void BoxFolderDownload::slotDownloadFileBox()
{
    // Not again from inside its own error box (the driver refuses a run
    // within a run): a step run there would start the listing anew and
    // clear the failure before the stop below is reached, and every new
    // failure would open one more box.
    m_driver->run([this] { runBoxStep(); }, [this] { return m_boxStep; });
}

void BoxFolderDownload::runBoxStep()
{
    switch (m_boxStep) {
    case Begin:
        emit signalBegin();
        m_boxStep = Clear;
        break;
    case Clear:
        // The two machines share the transfer list, the folder and done flag
        // 1 with each other and with the deployments: those under way end first.
        if (statusBusy() || (m_otherRun && m_otherRun()))
            break;
        emptyData();
        m_revisions->setFolderFailure(tr("chargement en cours"));
        m_failure.clear();
        emit signalCleared();
        m_api->lists()->clearTransferFiles();
        m_api->lists()->clearSlideNames();
        emit signalMessageOnlyON(tr("Connexion en cours..."), 0, 0, false, true);
        m_boxStep = Folder;
        break;
    case Folder:
        m_lists->setFolder(m_lists->selectedBox());
        m_boxStep = Fetch;
        break;
    case Fetch:
        if (m_lists->FtpGetListFile(m_work + QLatin1String("DATA/"))) {
            m_boxStep = Arrived;
        } else if (m_lists->lastFailed() && m_lists->getStep() == 0) {
            // Told already; the user chooses the box again to retry.
            m_revisions->setFolderFailure(m_failure.isEmpty() ? tr("le serveur ne répond pas") : m_failure);
            m_driver->stop();
            m_boxStep = Begin;
            emit signalMessageOnlyOFF();
            emit signalFailed();
        }
        break;
    case Arrived: {
        emit signalMessageOnlyOFF();
        emit signalArrived(m_refreshInfo);
        m_refreshInfo = true;
        const QString box = m_lists->selectedBox();
        // What this console sent there last, kept across restarts until
        // the user is told it was replaced.
        m_replaced = box;
        m_replacedFile = m_revisions->sentReplaced(box, m_work + QLatin1String("DATA/"));
        if (!m_replacedFile.isEmpty())
            m_revisions->dropSent(box);
        m_revisions->getIDfilePlayer(box);
        m_revisions->setFolderFailure(QString());
        m_boxStep = Layout;
        break;
    }
    case Layout:
    default:
        emit signalLayout();
        m_driver->stop();
        m_boxStep = Begin;
        if (!m_replacedFile.isEmpty())
            emit signalReplaced(replacedText(m_replaced, m_replacedFile));
        break;
    }
}

void BoxFolderDownload::slotDownloadStatus()
{
    ClassLog().log(QStringLiteral("OrvexLog"), QStringLiteral("Fonction: slotDownloadStatus()"));
    m_statusStep = StatusDelay;
    m_statusTimer->start();
}

void BoxFolderDownload::endStatus(bool ok)
{
    m_statusTimer->stop();
    m_statusStep = StatusDelay;
    if (ok) {
        emit signalStatusEstMiseAJour();
        return;
    }
    // No empty report may stay for the statistics page to read.
    m_api->abort(HttpFileApi::OpDownload);
    emit signalErreurConnexion(10);
}

void BoxFolderDownload::slotDownloadFileStatus()
{
    const QString data = m_work + QLatin1String("DATA/");
    switch (m_statusStep) {
    case StatusDelay:
        m_timeoutB.InitWait(StatusDelayMs);
        m_statusStep = StatusDelayWait;
        break;
    case StatusDelayWait:
        if (m_timeoutB.expired())
            m_statusStep = StatusPrepare;
        break;
    case StatusPrepare:
        // Held while a box download or a deployment uses the transfer list
        // and the folder.
        if (running() || (m_otherRun && m_otherRun()))
            break;
        QFile::remove(data + QLatin1String("STATUS.orvex"));
        m_api->lists()->setTransferFiles({QStringLiteral("STATUS.orvex")});
        m_refreshInfo = false;
        m_statusStep = StatusFolder;
        break;
    case StatusFolder:
        m_lists->setFolder(m_lists->selectedBox());
        m_statusStep = StatusReset;
        break;
    case StatusReset:
        m_api->setDoneFlag(1, false);
        m_statusRetries = 0;
        m_statusStep = StatusDownload;
        break;
    case StatusDownload:
        if (m_api->lists()->transferFileCount() == 0) {
            endStatus(true);
            break;
        }
        if (!m_lists->downloadFile(data, true)) {
            endStatus(false);
            break;
        }
        m_timeoutA.Init(TryMs);
        m_statusStep = StatusDownloadWait;
        break;
    case StatusDownloadWait: {
        const bool arrived = m_api->doneFlag(1) && QFile::exists(data + m_api->lists()->firstTransferFile());
        // A failed download, or no answer while no transfer reports progress.
        const bool lost = m_api->doneFlag(1) ? !arrived
                                              : m_progress->transfertEnCours() == 0 && m_timeoutA.expired();
        if (arrived) {
            m_statusRetries = 0;
            m_statusStep = StatusNext;
        } else if (lost) {
            if (m_statusRetries++ < 2)
                m_statusStep = StatusDownload;
            else
                endStatus(false);
        }
        break;
    }
    case StatusNext:
        m_api->lists()->removeFirstTransferFile();
        if (m_api->lists()->transferFileCount() > 0) {
            m_statusStep = StatusFolder;
        } else {
            endStatus(true);
        }
        break;
    default:
        endStatus(false);
        break;
    }
}

QString BoxFolderDownload::replacedHead(const QString &box, const QString &file)
{
    if (file == QLatin1String("INFO.orvex"))
        return tr("Les informations de l'écran %1 de votre dernier déploiement ont été remplacées depuis par celles "
                  "d'un autre utilisateur")
            .arg(box);
    return tr("Votre dernier déploiement sur l'écran %1 a été remplacé depuis par celui d'un autre utilisateur")
        .arg(box);
}

QString BoxFolderDownload::replacedText(const QString &box, const QString &file)
{
    return replacedHead(box, file)
        + (file == QLatin1String("INFO.orvex") ? tr(": celles chargées ici sont celles du serveur.")
                                                : tr(": la liste chargée ici est celle du serveur."));
}

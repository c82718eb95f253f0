#include "ListTransfers.h"

#include "ClassLog.h"
#include "HttpFileApi.h"
#include "StepDriver.h"
#include "TransferLists.h"
#include "TransferPaths.h"
#include "TransferSlots.h"

#include <QDebug>
#include <QFile>

namespace {

void logLine(const QString &text)
{
    ClassLog().log(QStringLiteral("OrvexLog"), text);
}

bool neverUploaded(const QString &name)
{
    return name == QLatin1String("BOX.orvex") || name == QLatin1String("STAT.orvex")
        || name == QLatin1String("STATUS.orvex");
}

} // namespace

ListTransfers::ListTransfers(HttpFileApi *api, QObject *parent)
    : QObject(parent)
    , m_api(api)
{
    // Any progress proves the transfer alive.
    connect(api, &HttpFileApi::signalProgress, this, [this] { m_stall.renew(); });
}

void ListTransfers::reset()
{
    m_getStep = m_putStep = m_putOneStep = m_removeStep = m_removeDirStep = 0;
    m_retries = 0;
}

bool ListTransfers::retry()
{
    return m_retries++ < Tries - 1;
}

bool ListTransfers::runSteps(int *step, const std::function<bool()> &run)
{
    // The bound is on the bookkeeping of one call (skipped names of a long
    // list). Local mode answers inside the call: one request per call keeps
    // a long list from running in a single tick.
    int failures = m_failures;
    return StepDriver::follow(
        256, [step] { return *step; },
        [&] {
            failures = m_failures;
            m_requested = false;
            return run();
        },
        [&] { return m_failures == failures && !m_requested; });
}

bool ListTransfers::fail(int code, int *step)
{
    *step = 0;
    m_retries = 0;
    m_failed = true;
    ++m_failures;
    logLine(QStringLiteral("Transfert en échec, code %1").arg(code));
    emit sequenceFailed(code);
    return false;
}

void ListTransfers::startUpload(const QString &name, const QString &localFolder)
{
    m_api->setUploadState(11);
    m_api->doUploadFileHttp(name, localFolder, m_folder);
    m_stall.Init(StallMs);
    m_requested = true;
}

bool ListTransfers::awaitUpload(int code, int *step, int again, int done)
{
    // Failure first: a failed upload sets both flags. A stall is a failed try,
    // except while the FTP machine holds the file: it ends that upload itself.
    const bool stalled = !m_api->doneFlag(3) && !m_api->largeUploadPending() && m_stall.expired();
    if (m_api->doneFlag(2) || stalled) {
        // The FTP upload has already shown why it failed.
        if (m_api->doneFlag(2) && m_api->lastUploadFinal())
            return fail(code, step);
        if (!retry())
            return fail(code, step);
        *step = again;
    } else if (m_api->doneFlag(3)) {
        m_retries = 0;
        *step = done;
    }
    return false;
}

bool ListTransfers::FtpGetListFile(const QString &localFolder)
{
    return runSteps(&m_getStep, [&] { return getListStep(localFolder); });
}

bool ListTransfers::getListStep(const QString &localFolder)
{
    switch (m_getStep) {
    case 0:
        m_retries = 0;
        m_failed = false;
        m_api->setDoneFlag(4, false);
        m_api->setDoneFlag(1, false);
        m_getStep = 1;
        return false;
    case 1:
        // An empty or path-like name would list the account folder itself.
        if (!TransferPaths::isPlainName(selectedBox()))
            return fail(9, &m_getStep);
        // A retried scan must not add its names twice.
        m_api->lists()->clearTransferFiles();
        m_api->scanFile(selectedBox());
        m_timeout.Init(TryMs);
        m_requested = true;
        m_getStep = 2;
        return false;
    case 2:
        if (m_api->doneFlag(4) && m_api->lastSucceeded(HttpFileApi::OpScan)) {
            m_getStep = 3;
            m_retries = 0;
        } else if (m_api->doneFlag(4) || m_timeout.expired()) {
            if (!retry())
                return fail(9, &m_getStep);
            m_getStep = 1;
        }
        return false;
    case 3:
        if (m_api->lists()->transferFileCount() == 0) {
            m_getStep = 100;
            return false;
        }
        if (!downloadFile(localFolder, true))
            return fail(0, &m_getStep); // already told why
        m_stall.Init(StallMs);
        m_requested = true;
        m_getStep = 4;
        return false;
    case 4:
        if (m_api->doneFlag(1)) {
            // A failed download leaves no file behind.
            if (QFile::exists(m_downloadTarget)) {
                m_retries = 0;
                m_getStep = 5;
            } else if (retry()) {
                m_getStep = 3;
            } else {
                return fail(9, &m_getStep);
            }
        } else if (m_stall.expired()) {
            if (!retry())
                return fail(9, &m_getStep);
            m_getStep = 3;
        }
        return false;
    case 5:
        m_api->lists()->removeFirstTransferFile();
        if (m_api->lists()->transferFileCount() > 0) {
            m_api->setDoneFlag(1, false);
            m_getStep = 3;
        } else {
            m_getStep = 100;
        }
        return false;
    case 100:
        m_getStep = 0;
        return true;
    default:
        return false;
    }
}

bool ListTransfers::FtpPutListFile(const QString &localFolder)
{
    return runSteps(&m_putStep, [&] { return putListStep(localFolder); });
}

bool ListTransfers::putListStep(const QString &localFolder)
{
    switch (m_putStep) {
    case 0:
        m_retries = 0;
        m_failed = false;
        m_api->setDoneFlag(3, false);
        m_putStep = 1;
        return false;
    case 1:
        m_putStep = m_api->lists()->transferFileCount() > 0 ? 2 : 100;
        return false;
    case 2: {
        const QString name = m_api->lists()->firstTransferFile();
        if (neverUploaded(name)
            || (name == QLatin1String("INFO.orvex") && m_deployBoxes.value(0) != selectedBox())) {
            m_putStep = 12;
            return false;
        }
        if (m_onListUpload)
            m_onListUpload();
        m_putStep = 3;
        return false;
    }
    case 3:
        startUpload(m_api->lists()->firstTransferFile(), localFolder);
        m_putStep = 4;
        return false;
    case 4:
        return awaitUpload(4, &m_putStep, 3, 12);
    case 12:
        m_api->lists()->removeFirstTransferFile();
        m_putStep = m_api->lists()->transferFileCount() > 0 ? 0 : 100;
        return false;
    case 100:
        m_putStep = 0;
        return true;
    default:
        return false;
    }
}

bool ListTransfers::FtpPutOneFile(const QString &localPath, const QString &name)
{
    return runSteps(&m_putOneStep, [&] { return putOneStep(localPath, name); });
}

bool ListTransfers::putOneStep(const QString &localPath, const QString &name)
{
    logLine(QStringLiteral("indicePutOneFile=") + QString::number(m_putOneStep));
    qDebug().noquote() << "indicePutOneFile=" << m_putOneStep << "Fichier: " << localPath;
    switch (m_putOneStep) {
    case 0:
        m_retries = 0;
        m_failed = false;
        m_api->setDoneFlag(3, false);
        m_putOneStep = 1;
        return false;
    case 1:
        // Nothing to send is a caller's fault: reported, never a success.
        if (localPath.isEmpty() || name.isEmpty())
            return fail(8, &m_putOneStep);
        m_putOneStep = 2;
        return false;
    case 2:
        logLine(QStringLiteral("NewFile=") + name);
        logLine(QStringLiteral("FolderFTP=") + m_folder);
        startUpload(name, TransferSlots::localFolderOf(localPath, name));
        m_putOneStep = 3;
        return false;
    case 3:
        return awaitUpload(8, &m_putOneStep, 2, 13);
    case 13:
        m_putOneStep = 0;
        logLine(QStringLiteral("case UPLOADFINISH OK"));
        return true;
    default:
        return false;
    }
}

bool ListTransfers::FtpRemoveListFile()
{
    return runSteps(&m_removeStep, [this] { return removeListStep(); });
}

bool ListTransfers::removeListStep()
{
    switch (m_removeStep) {
    case 0:
        m_retries = 0;
        m_failed = false;
        m_api->setDoneFlag(6, false);
        m_removeStep = 1;
        return false;
    case 1:
        if (m_removals.isEmpty()) {
            m_putStep = 0;
            m_removeStep = 0;
            return true;
        }
        m_api->deleteFileHttp(m_folder + QLatin1Char('/') + m_removals.first());
        m_timeout.Init(TryMs);
        m_requested = true;
        m_removeStep = 2;
        return false;
    case 2:
        if (m_api->doneFlag(6)) {
            m_retries = 0;
            m_removals.removeFirst();
            m_api->setDoneFlag(6, false);
            m_removeStep = 1;
        } else if (m_timeout.expired()) {
            if (!retry()) {
                m_putStep = 0;
                return fail(5, &m_removeStep);
            }
            m_removeStep = 1;
        }
        return false;
    default:
        m_removeStep = 0;
        return false;
    }
}

bool ListTransfers::RemoveDir(const QString &folder)
{
    return runSteps(&m_removeDirStep, [&] { return removeDirStep(folder); });
}

bool ListTransfers::removeDirStep(const QString &folder)
{
    switch (m_removeDirStep) {
    case 0:
        m_retries = 0;
        m_failed = false;
        m_removeDirStep = 1;
        return false;
    case 1:
        m_api->lists()->clearTransferFiles();
        m_api->scanFile(QLatin1Char('/') + folder);
        m_timeout.Init(TryMs);
        m_requested = true;
        m_removeDirStep = 2;
        return false;
    case 2:
        if (m_api->doneFlag(4)) {
            m_retries = 0;
            m_removeDirStep = 3;
        } else if (m_timeout.expired()) {
            // Unlisted after three tries: the folder delete takes its files too.
            m_removeDirStep = retry() ? 1 : 5;
        }
        return false;
    case 3:
        if (m_api->lists()->transferFileCount() == 0) {
            m_removeDirStep = 5;
            return false;
        }
        m_api->deleteFileHttp(folder + QLatin1Char('/') + m_api->lists()->firstTransferFile());
        m_timeout.Init(TryMs);
        m_requested = true;
        m_removeDirStep = 4;
        return false;
    case 4:
        if (m_api->doneFlag(6)) {
            m_retries = 0;
            m_api->lists()->removeFirstTransferFile();
            m_api->setDoneFlag(6, false);
            m_removeDirStep = 3;
        } else if (m_timeout.expired()) {
            m_removeDirStep = retry() ? 3 : 5;
        }
        return false;
    case 5:
        m_folder.clear();
        m_retries = 0;
        m_removeDirStep = 6;
        return false;
    case 6:
        m_api->deleteDirHttp(folder);
        m_timeout.Init(TryMs);
        m_requested = true;
        m_removeDirStep = 7;
        return false;
    case 7:
        if (m_api->doneFlag(9)) {
            m_retries = 0;
            m_api->setDoneFlag(9, false);
            m_removeDirStep = 8;
        } else if (m_timeout.expired()) {
            m_removeDirStep = retry() ? 6 : 8;
        }
        return false;
    case 8:
        m_removeDirStep = 100;
        return false;
    default:
        m_removeDirStep = 0;
        return true;
    }
}

bool ListTransfers::downloadFile(const QString &folder, bool removeFile)
{
    const QString name = m_api->lists()->firstTransferFile();
    const QString path = folder + name;
    m_downloadTarget = path;
    if (QFile::exists(path)) {
        qDebug().noquote() << QStringLiteral("Le fichier %1 est déjà présent.").arg(path);
        if (!removeFile) {
            m_api->setDownloadState(16);
            qDebug().noquote() << QStringLiteral("Le fichier %1 n'est pas effacé.").arg(path);
            return false;
        }
        // Replaced by the download once it is whole, not emptied before.
    }
    QString error;
    if (!m_api->openTransferFile(path, &error)) {
        emit signalImpossibleSauvegarder(tr("Impossible de sauvegarder le fichier %1: %2.").arg(path, error));
        return false;
    }
    // Set first: a local-mode copy completes inside the call and empties it.
    m_api->setStatusLabel(tr("Téléchargement du fichier %1...").arg(name));
    m_api->downloadFileHttp(m_folder, name);
    return true;
}

#include "MediaDeployment.h"

#include "HttpFileApi.h"
#include "ListTransfers.h"
#include "TransferLists.h"

#include <QTimer>

namespace {

const char *const kKinds[3] = {"IMAGE", "VIDEO", "TEXT"};

} // namespace

MediaDeployment::MediaDeployment(HttpFileApi *api, ListTransfers *lists, QTimer *timer, QObject *parent)
    : JournalDeployment(timer, parent)
    , m_api(api)
    , m_lists(lists)
{
    // A transfer that ends brings the next tick forward instead of leaving
    // it up to 50 ms later: a file costs its round trip, not a tick.
    connect(api, &HttpFileApi::signalTransferEnded, this, [this] {
        if (!m_timer->isActive() || m_timer->interval() == 0)
            return;
        m_interval = m_timer->interval();
        m_timer->start(0);
    });
}

void MediaDeployment::restoreInterval()
{
    if (m_timer->interval() == 0 && m_interval > 0)
        m_timer->setInterval(m_interval);
}

void MediaDeployment::start(QStringList NewMediaImage, QStringList DeleteMediaImage, QStringList NewMediaVideo,
                            QStringList DeleteMediaVideo, QStringList NewMediaText, QStringList DeleteMediaText,
                            bool Modif)
{
    // A run that goes on has passed some of its steps: replacing its lists
    // would leave files journalled but never uploaded (or never deleted).
    const QStringList added[3] = {NewMediaImage, NewMediaVideo, NewMediaText};
    const QStringList deleted[3] = {DeleteMediaImage, DeleteMediaVideo, DeleteMediaText};
    for (int k = 0; k < 3; ++k) {
        m_queuedNew[k] += added[k];
        // Added ("KIND/name") then removed ("name") before it was sent: the
        // upload is dropped (the page does the same within one hand-on).
        for (const QString &entry : deleted[k])
            m_queuedNew[k].removeAll(QLatin1String(kKinds[k]) + QLatin1Char('/') + entry);
        m_queuedDelete[k] += deleted[k];
    }
    // A change already journalled before the running run merges (step 72)
    // goes up with it; only the lists need a run of their own.
    m_queuedModif = m_queuedModif || (Modif && !(running() && m_step <= 72));
    if (!running())
        startQueued();
}

void MediaDeployment::startQueued()
{
    bool empty = !m_queuedModif;
    for (int k = 0; k < 3; ++k) {
        m_new[k].swap(m_queuedNew[k]);
        m_delete[k].swap(m_queuedDelete[k]);
        m_queuedNew[k].clear();
        m_queuedDelete[k].clear();
        m_new[k].removeDuplicates();
        m_delete[k].removeDuplicates();
        empty = empty && m_new[k].isEmpty() && m_delete[k].isEmpty();
    }
    m_queuedModif = false;
    if (!empty)
        m_timer->start();
}

void MediaDeployment::requeueUnsent()
{
    // Before what was handed on meanwhile; a removal handed on meanwhile
    // cancels the upload, as it does for a queued one.
    for (int k = 0; k < 3; ++k) {
        const QString folder = QLatin1String(kKinds[k]) + QLatin1Char('/');
        for (const QString &name : qAsConst(m_queuedDelete[k]))
            m_new[k].removeAll(folder + name);
        m_queuedNew[k] = m_new[k] + m_queuedNew[k];
        m_queuedDelete[k] = m_delete[k] + m_queuedDelete[k];
        m_new[k].clear();
        m_delete[k].clear();
    }
}

void MediaDeployment::sequenceFailed()
{
    // The error box has been shown. Until the merge (step 72) the journal
    // still holds the records of what did not reach the server: the lists
    // wait with it for the next hand-on.
    if (!running())
        return;
    if (m_step < 72)
        requeueUnsent();
    finish();
}

void MediaDeployment::finish()
{
    // Ended before the index was read back: the journal still holds its
    // records, and the next hand-on, even an empty one, merges them.
    if (m_step != DoneStep)
        m_queuedModif = true;
    m_step = 0;
    m_timer->stop();
    restoreInterval();
    emit signalMessageOnlyOFF();
    emit signalFinished();
}

void MediaDeployment::slotProcessDeployMedia()
{
    restoreInterval();
    // Steps 10-33: deletions, 40-63: uploads; the tens give the kind.
    const int kind = (m_step / 10 - 1) % 3;
    const QString folder = QLatin1String(kind >= 0 ? kKinds[kind] : "");
    switch (m_step) {
    case 0: {
        emit signalBegin();
        const QString selected = m_selected ? m_selected() : QString();
        m_lists->setDeployBoxes(selected.isEmpty() ? QStringList() : QStringList{selected});
        m_step = 10;
        break;
    }
    case 10: case 20: case 30:
        if (m_delete[kind].isEmpty()) {
            m_step += 10;
            break;
        }
        m_lists->setFolder(folder);
        m_lists->setRemovalList(m_delete[kind]);
        m_step += 3;
        break;
    case 13: case 23: case 33:
        if (m_lists->FtpRemoveListFile()) {
            m_delete[kind].clear();
            m_step += 7;
        }
        break;
    case 40: case 50: case 60: {
        const int k = m_step / 10 - 4;
        if (m_new[k].isEmpty()) {
            m_step += 10;
            break;
        }
        m_lists->setFolder(QLatin1String(kKinds[k]));
        QStringList names;
        for (const QString &entry : qAsConst(m_new[k]))
            names << QString(entry).remove(QLatin1String(kKinds[k]) + QLatin1Char('/'));
        m_api->lists()->setTransferFiles(names);
        m_step += 3;
        break;
    }
    case 43: case 53: case 63: {
        const int k = m_step / 10 - 4;
        if (m_lists->FtpPutListFile(m_work + QLatin1String(kKinds[k]) + QLatin1Char('/'))) {
            m_new[k].clear();
            m_step += 7;
        }
        break;
    }
    case 70:
        m_lists->setFolder(QString());
        m_step = 71;
        break;
    case 71:
        if (fetchIndex())
            m_step = 72;
        break;
    case 72:
        if (mergeFetchedIndex(QStringLiteral("INFOMEDIA.orvex"), "indiceDeployMedia", MergeErrorCode))
            m_step = 73;
        break;
    case 73:
        // Another console's index may have gone up since the fetch.
        stepOn(checkBeforeUpload(), 74, 72);
        break;
    case 74:
        if (m_lists->FtpPutOneFile(indexPath(), QStringLiteral("MEDIA.orvex")))
            m_step = 76;
        break;
    case 76:
        // The run is done only once the server holds what was sent.
        stepOn(readBack(), DoneStep, 72);
        break;
    default:
        finish();
        // What was handed on meanwhile goes now; after a failure it waits
        // for the next hand-on instead.
        startQueued();
        break;
    }
}

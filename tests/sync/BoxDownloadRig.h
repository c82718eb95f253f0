#pragma once

#include "BoxFolderDownload.h"
#include "ClassParam.h"
#include "ListTransfers.h"
#include "RevisionCounters.h"
#include "TransferProgress.h"

#include <QObject>
#include <QScopedPointer>
#include <QTimer>

#include <functional>

// The box folder download as the panel wires it: list sequences, progress,
// revision counters and the two 10 ms timers over one API.
struct BoxDownloadRig
{
    ClassParam player;
    ClassParam media;
    QScopedPointer<ListTransfers> lists;
    QScopedPointer<TransferProgress> progress;
    QScopedPointer<RevisionCounters> revisions;
    QScopedPointer<QTimer> boxTimer;
    QScopedPointer<QTimer> statusTimer;
    QScopedPointer<BoxFolderDownload> download;

    void build(HttpFileApi *api, const QString &work, std::function<QString()> selectedBox)
    {
        lists.reset(new ListTransfers(api));
        lists->setSelectedBox(std::move(selectedBox));
        progress.reset(new TransferProgress(api));
        revisions.reset(new RevisionCounters(&player, &media));
        revisions->setWorkFolder(work);
        boxTimer.reset(new QTimer);
        boxTimer->setInterval(10);
        statusTimer.reset(new QTimer);
        statusTimer->setInterval(10);
        download.reset(new BoxFolderDownload(api, lists.data(), progress.data(), revisions.data(), boxTimer.data(),
                                             statusTimer.data()));
        download->setWorkFolder(work);
        QObject::connect(boxTimer.data(), &QTimer::timeout, download.data(), &BoxFolderDownload::slotDownloadFileBox);
        QObject::connect(statusTimer.data(), &QTimer::timeout, download.data(),
                         &BoxFolderDownload::slotDownloadFileStatus);
    }

    // The download goes before the sequences it calls.
    void reset()
    {
        download.reset();
        lists.reset();
    }
};

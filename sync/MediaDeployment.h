#pragma once

#include "JournalDeployment.h"

#include <QString>
#include <QStringList>
#include <functional>

class HttpFileApi;
class ListTransfers;
class QTimer;

// The media deployment: deletes on the server the media the library
// removed, uploads the new ones (each kind in the order IMAGE, VIDEO,
// TEXT), then fetches the server's media index, replays the media journal
// on it and uploads it again, merging again when another console's index
// went up meanwhile. Widget-free; the 50 ms timer is the panel's.
class MediaDeployment : public JournalDeployment
{
    Q_OBJECT
public:
    static constexpr int MergeErrorCode = 12;
    // The index went up and was read back.
    static constexpr int DoneStep = 80;

    MediaDeployment(HttpFileApi *api, ListTransfers *lists, QTimer *timer, QObject *parent = nullptr);

    void setSelectedBox(std::function<QString()> selected) { m_selected = std::move(selected); }
    int step() const { return m_step; }

public slots:
    // slotProcessDeployMediaFile: six empty lists without a change do nothing.
    // Lists handed on while a run goes on wait for the next run.
    void start(QStringList NewMediaImage, QStringList DeleteMediaImage, QStringList NewMediaVideo,
               QStringList DeleteMediaVideo, QStringList NewMediaText, QStringList DeleteMediaText, bool Modif);
    // A failed run's lists not yet sent wait for the next run; its journal
    // records stay with them.
    void sequenceFailed();
    void slotProcessDeployMedia();

private:
    // The timer's own interval again after a tick brought forward.
    void restoreInterval();
    void finish() override;
    void startQueued();
    void requeueUnsent();

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    std::function<QString()> m_selected;
    // IMAGE, VIDEO, TEXT.
    QStringList m_new[3];
    QStringList m_delete[3];
    QStringList m_queuedNew[3];
    QStringList m_queuedDelete[3];
    bool m_queuedModif = false;
    int m_interval = 0;
};

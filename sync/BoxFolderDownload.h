#pragma once

#include "StepTimeout.h"

#include <QObject>
#include <QString>
#include <functional>

class HttpFileApi;
class ListTransfers;
class QTimer;
class RevisionCounters;
class StepDriver;
class TransferProgress;

// Two machines on the selected box's server folder: the box folder download
// (DATA/ replaced by the server copy when a box is chosen) and the STATUS
// download for the statistics page. Widget-free: the panel does what the
// signals ask of its widgets. The two 10 ms timers belong to the panel.
class BoxFolderDownload : public QObject
{
    Q_OBJECT
public:
    static constexpr int StatusDelayMs = 60000;
    static constexpr int TryMs = 5000;

    // The box folder download's steps.
    enum BoxStep : int {
        Begin = 0,
        Clear = 1,   // waits for the other runs, then empties DATA/
        Folder = 2,
        Fetch = 3,   // the folder listed and downloaded
        Arrived = 4,
        Layout = 5,
    };
    // The STATUS download's steps.
    enum StatusStep : int {
        StatusDelay = 0,
        StatusDelayWait = 1,
        StatusPrepare = 2,
        StatusFolder = 3,
        StatusReset = 4,
        StatusDownload = 5,
        StatusDownloadWait = 6,
        StatusNext = 7,
    };

    BoxFolderDownload(HttpFileApi *api, ListTransfers *lists, TransferProgress *progress,
                      RevisionCounters *revisions, QTimer *boxTimer, QTimer *statusTimer,
                      QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    // The selection's message when `file` this console sent to `box` was
    // replaced since by another console's.
    static QString replacedText(const QString &box, const QString &file);
    // Its first sentence without the end, as the login's check tells it too.
    static QString replacedHead(const QString &box, const QString &file);

    int boxStep() const { return m_boxStep; }
    int statusStep() const { return m_statusStep; }
    bool running() const;
    // The STATUS download past its wait, using the shared transfer list.
    bool statusBusy() const;
    // Past its first step the box download holds the shared transfer list,
    // server folder and done flags until it ends.
    bool holdsTransfers() const { return m_boxStep >= Folder || statusBusy(); }
    // Another run on the same transfer list and folder (a deployment): both
    // downloads wait for it to end before they take them.
    void setOtherRun(std::function<bool()> busy) { m_otherRun = std::move(busy); }
    // Its step timer: a test counts its ticks.
    QTimer *timer() const { return m_boxTimer; }
    bool refreshInfo() const { return m_refreshInfo; }

public slots:
    // A new box was chosen: refresh-info flag set, download from step 0.
    void start();
    // A category change: the download stops and its request in flight is
    // dropped, so nothing more lands in DATA/.
    void cancel();
    void slotDownloadFileBox();
    void slotDownloadStatus();
    void slotDownloadFileStatus();

signals:
    // Step 0: the panel takes the poster list's handler off, disables it and
    // "Ajouter un Ecran", enables "Renommer un Ecran" and slides.
    void signalBegin();
    // Step 1, DATA/ emptied: the panel disables "Statistiques" and the poster
    // tools and empties the poster list.
    void signalCleared();
    // Step 4: the files are in; the panel puts the poster list back and,
    // when `refresh`, reloads the posters.
    void signalArrived(bool refresh);
    // Step 5: the screen layout of the new poster list.
    void signalLayout();
    // The folder could not be fetched (the error box has been shown).
    void signalFailed();
    // The box's poster list on the server is no longer the one this
    // console deployed last: the text tells the user.
    void signalReplaced(QString text);
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalMessageOnlyOFF();
    void signalStatusEstMiseAJour();
    // MessageErreurConnexion(10).
    void signalErreurConnexion(int code);

private:
    void runBoxStep();
    void emptyData();
    void endStatus(bool ok);
    // The listing or a file of the box folder failed: why.
    void noteFailure(int operation, bool ok);

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    TransferProgress *m_progress;
    RevisionCounters *m_revisions;
    QTimer *m_boxTimer;
    QTimer *m_statusTimer;
    QString m_work;

    int m_boxStep = 0;
    int m_statusStep = 0;
    int m_statusRetries = 0;
    bool m_refreshInfo = true;
    QString m_failure;
    QString m_replaced;
    QString m_replacedFile;
    StepTimeout m_timeoutA;
    StepTimeout m_timeoutB;
    std::function<bool()> m_otherRun;
    StepDriver *m_driver;
};

#pragma once

#include "StepTimeout.h"

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

class HttpFileApi;

// The resumable list transfers of the panel: list a server folder and
// download it, upload the transfer file list or one file, delete a list of
// server files, empty and delete a server folder. Each sequence keeps its
// own step, is called once per tick of its caller's timer and returns true
// once, on the tick where its whole job is done. Within one call the steps
// follow each other until one waits for the server or has just sent a
// request: a file costs one round trip, not one tick per step. A failure
// returns false, sets lastFailed() and emits sequenceFailed(code); the
// sequence is then back at its first step.
class ListTransfers : public QObject
{
    Q_OBJECT
public:
    // One try of a request; three tries in all.
    static constexpr int TryMs = 5000;
    static constexpr int Tries = 3;
    // A wait without any progress for this long is a failed try.
    static constexpr int StallMs = 60000;

    explicit ListTransfers(HttpFileApi *api, QObject *parent = nullptr);

    // The server folder the sequences work in ("FolderFTP").
    QString folder() const { return m_folder; }
    void setFolder(const QString &folder) { m_folder = folder; }
    // The box list's selected entry: the folder FtpGetListFile lists.
    void setSelectedBox(std::function<QString()> selected) { m_selected = std::move(selected); }
    QString selectedBox() const { return m_selected ? m_selected() : QString(); }
    // Boxes of a deployment; INFO.orvex is sent only when the first is the
    // selected box.
    void setDeployBoxes(const QStringList &boxes) { m_deployBoxes = boxes; }
    QStringList deployBoxes() const { return m_deployBoxes; }
    // Server names FtpRemoveListFile deletes from the front.
    void setRemovalList(const QStringList &names) { m_removals = names; }
    QStringList removalList() const { return m_removals; }

    bool FtpGetListFile(const QString &localFolder);
    bool FtpPutListFile(const QString &localFolder);
    bool FtpPutOneFile(const QString &localPath, const QString &name);
    bool FtpRemoveListFile();
    bool RemoveDir(const QString &folder);
    // Starts the download of the transfer file list's top name into
    // `folder`; false when nothing was started.
    bool downloadFile(const QString &folder, bool removeFile);

    bool lastFailed() const { return m_failed; }
    int getStep() const { return m_getStep; }
    int putStep() const { return m_putStep; }
    int putOneStep() const { return m_putOneStep; }
    int removeStep() const { return m_removeStep; }
    int removeDirStep() const { return m_removeDirStep; }
    // Back to the first step of every sequence (a cancel).
    void reset();
    // Upload of a list started by FtpPutListFile: hides the overlay's cancel button.
    void setListUploadStarted(std::function<void()> hook) { m_onListUpload = std::move(hook); }

signals:
    // Code of the connection-error box (4, 5, 8, 9); the receiver shows it
    // and stops the machines that depend on the sequence.
    void sequenceFailed(int code);
    // "Impossible de sauvegarder le fichier %1: %2."
    void signalImpossibleSauvegarder(QString text);

private:
    // Steps that need no wait run together: `run` once per step until the
    // step stays (a wait), a request went out, the job ends or fails.
    bool runSteps(int *step, const std::function<bool()> &run);
    bool getListStep(const QString &localFolder);
    bool putListStep(const QString &localFolder);
    bool putOneStep(const QString &localPath, const QString &name);
    bool removeListStep();
    bool removeDirStep(const QString &folder);
    bool fail(int code, int *step);
    // One failed try: true while another is allowed.
    bool retry();
    void startUpload(const QString &name, const QString &localFolder);
    // The wait of an upload: `again` after a failed try, `done` once sent,
    // the failure box `code` after the third try.
    bool awaitUpload(int code, int *step, int again, int done);

    HttpFileApi *m_api;
    QString m_folder;
    std::function<QString()> m_selected;
    std::function<void()> m_onListUpload;
    QStringList m_deployBoxes;
    QStringList m_removals;

    int m_getStep = 0;
    int m_putStep = 0;
    int m_putOneStep = 0;
    int m_removeStep = 0;
    int m_removeDirStep = 0;
    int m_retries = 0;
    bool m_failed = false;
    // Failures so far, and whether the running step sent a request.
    int m_failures = 0;
    bool m_requested = false;
    QString m_downloadTarget;
    StepTimeout m_timeout;
    StepTimeout m_stall;
};

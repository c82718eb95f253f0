#pragma once

#include "SlicedChecksum.h"
#include "SlicedCopy.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

// Copies the files chosen for an import into the work folder and checksums
// the copies, a slice of work per turn of the event loop. It neither indexes
// nor journals: the page does that with what it gives once it has finished,
// so that the library written then is the one on disk, with whatever
// changed meanwhile. A cancel stops it between two files: the file under
// way leaves no copy behind, the ones done are given as usual. Each turn
// ends with the file it finished (or refused), so that a request posted
// meanwhile is seen between two files.
class ImportJob : public QObject
{
    Q_OBJECT
public:
    struct Copied {
        QString path;     // in the work folder, "IMAGE/x-hhmmss.png"
        QString checksum; // of the copy
        QString source;   // the chosen file
    };
    enum Refusal { QuotaReached, NameTooLong, CopyFailed };

    // `usedBytes`: what the library counts before the import.
    ImportJob(const QString &workFolder, int type, const QStringList &chosen, qint64 usedBytes, int maxMo,
              bool ios, QObject *parent = nullptr);

    void start();
    // Stops at once (the file under way is dropped) and emits finished().
    void cancel();
    // A paused job keeps its place and does no work until resumed.
    void pause();
    void resume();
    bool running() const { return m_running; }
    bool cancelled() const { return m_cancelled; }
    int type() const { return m_type; }
    int count() const { return m_chosen.size(); }
    const QList<Copied> &copied() const { return m_copied; }

signals:
    // `done` files behind, `fileShare` (0 to 1) of the next one.
    void progress(int done, int count, double fileShare);
    // A chosen file was not imported; after QuotaReached none of the rest is.
    void refused(int refusal, const QString &chosenFile);
    void finished();

private:
    void slice();
    // Checks the next file and opens its copy; false when it was refused.
    bool openNext();
    void finish();
    // The next turn, unless the job ended or is paused.
    void resumeLater();

    QString m_work;
    int m_type;
    QStringList m_chosen;
    qint64 m_usedBytes;
    int m_maxMo;
    bool m_ios;

    QTimer m_turn;
    int m_next = 0;
    enum class Phase { Idle, Copying, Checksumming } m_phase = Phase::Idle;
    SlicedCopy m_copy;
    SlicedChecksum m_sum;
    QString m_target;
    QList<Copied> m_copied;
    bool m_running = false;
    bool m_paused = false;
    bool m_cancelled = false;
};

#pragma once

#include "ReadBack.h"

#include <QObject>
#include <QString>
#include <functional>

class HttpFileApi;
class StepDriver;
class QTimer;

// What the account and media deployments share: the fetched media index,
// checked before a local journal is replayed on it, fetched again before
// and after the upload so that another console's index is merged on rather
// than overwritten, and the end of the machine when that cannot be done or
// a file cannot be written here.
class JournalDeployment : public QObject
{
    Q_OBJECT
public:
    JournalDeployment(HttpFileApi *api, QTimer *timer, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    // One call per tick, true once the file is in place (slotTelechargerFichier).
    void setDownloader(std::function<bool(QString, QString, QString, QString)> download)
    {
        m_download = std::move(download);
    }
    // The journal merge: false keeps the journal (the index could not be written).
    void setMerge(std::function<bool(QString, QString)> merge) { m_merge = std::move(merge); }

    bool running() const;
    // Another run holding the shared transfer list and folder (a box
    // download): a run not yet begun waits for it to end.
    void setWaitWhile(std::function<bool()> busy) { m_waitWhile = std::move(busy); }
    // Its step timer: a test holds a run at a step with it.
    QTimer *timer() const { return m_timer; }

public slots:
    // A local file error inside this machine's own download: the run ends
    // once, its journal kept, with that text unless its box was shown already.
    void downloadFailed(QString text, bool told);

public:
    // An index that exists, is not empty and reads with its fingerprint.
    static bool indexReadable(const QString &path);
    // The server's index kept changing under this run: nothing is lost, the
    // journal goes again with the next run.
    static QString indexChangedText();
    // The server still held the copy fetched before the upload: the upload
    // never arrived; the journal goes again with the next run.
    static QString notArrivedText();
    // The index went up but no read of it answered (no answer, an error,
    // or an answer that is not an index): its changes are kept and checked
    // at the next fetch of the index.
    static QString uncheckedText(bool damaged);

    // Merges made again on a fresh copy before a run gives up.
    static constexpr int MergeRounds = 3;

signals:
    // Buttons off while it runs.
    void signalBegin();
    // The end: the panel puts the buttons back by its rule.
    void signalFinished();
    void signalMessageOnlyOFF();
    // The run's error box: "Le fichier media est corrompu (code: ...) !!",
    // the local file error that ended its download, a file that could not
    // be written here, or what the run could not publish.
    void signalCorrupt(QString text);
    void signalErreurConnexion(int code);

protected:
    // At step 0 while another run holds the shared transfer list.
    bool mustWait() const { return m_step == 0 && m_waitWhile && m_waitWhile(); }
    virtual void finish() = 0;
    // A file of the run could not be written here: the run ends with a box
    // naming the disk and the file, its journal as it was, nothing more sent.
    void writeFailed(const QString &file, const QString &why);
    // What the box of writeFailed() adds: where the run stopped.
    virtual QString stoppedText() const;
    // The records of `journal` this run merges, written to `copy`: the
    // whole journal here. False with the reason in `why`.
    virtual bool writeMergeCopy(const QString &journal, const QString &copy, QString *why);
    // An index read back that is not the one sent but already holds what
    // this run merged: none here.
    virtual bool showsRun(const QString &index) const
    {
        Q_UNUSED(index)
        return false;
    }
    // The merged index was read back: the merged records leave `journal`;
    // records journalled since the merge stay, numbered from 1. False with
    // the file not written and why; the journal is then as it was.
    virtual bool settleJournal(const QString &journal, QString *file, QString *why);
    // Reads of the uploaded index (ReadBack: 1 or 2) that must show it
    // before the journal is settled.
    virtual int readBacksNeeded() const { return 2; }
    int mergedCount() const { return m_mergedCount; }
    // Records kept from earlier runs replayed on the index this run sends,
    // after its journal: none here. False with the reason in `why`.
    virtual bool mergeKept(QString *why)
    {
        Q_UNUSED(why)
        return true;
    }
    // The last read-back could not be checked (uncheckedText()); its
    // answer was not an index.
    bool readBackUnchecked() const { return m_unchecked; }
    bool readBackDamaged() const { return m_damaged; }

    // Replays TEMP/<journal> on the fetched TEMP/MEDIA.orvex. A missing or
    // damaged index keeps the journal (uploaded media would otherwise leave
    // the index): the box named after `code`, or writeFailed() when a copy
    // or the merge cannot be written; the machine then ends and this
    // answers false. The journal itself stays until journalSent().
    bool mergeFetchedIndex(const QString &journal, const char *code);
    // The merged index reached the server (settleJournal); false when the
    // run ended on a file it could not write.
    bool journalSent();
    // The server's index as fetched: this console's own index.
    QString fetchedPath() const { return m_work + QLatin1String("TEMP/MEDIA.orvex"); }
    // The index this run merges and sends; this console's once read back.
    QString indexPath() const { return m_work + QLatin1String("TEMP/SEND/MEDIA.orvex"); }
    // The server's index fetched again, beside the merged one.
    QString checkPath() const { return m_work + QLatin1String("TEMP/CHECK/MEDIA.orvex"); }
    bool fetchIndex();

    // What a fetch of the server's index again tells, one call per tick.
    enum class IndexCheck {
        Pending,   // fetching, or settling between the two read-backs
        Unchanged, // still the copy merged on (before the upload), or ours (after it)
        Changed,   // another console's index came in between: merge again on it
        Ended,     // the run ended, its journal kept, with a box
        Unchecked  // read back: no try brought an index
    };
    // Just before the upload: has the server's index moved since the fetch
    // the merge was made on?
    IndexCheck checkBeforeUpload();
    // After the upload, read back by the ReadBack rule (an upload another
    // console started earlier may land late): Unchanged once the server
    // holds what was sent, or an index that already holds this run's
    // changes, the journal's merged records then gone; Ended when it still holds the copy
    // fetched before the upload. A read that brings no index is tried again,
    // ReadBack::Tries in all; then the run goes on as sent but unchecked
    // (readBackUnchecked()), its records kept for the next fetch.
    IndexCheck readBack();
    // The step after a check: `next` when the server holds the index
    // expected, the merge step `merge` when it moved, the same step otherwise.
    void stepOn(IndexCheck check, int next, int merge);
    // One call per tick: fetches the account folder's `name` (in its
    // `serverFolder`) into <work>`folder`; with a `checksum`, the copy stays
    // only when it has that checksum. A copy that cannot be written here
    // ends the run (writeFailed) and answers false.
    bool fetchFile(const QString &name, const QString &folder = QStringLiteral("TEMP/"),
                   const QString &serverFolder = QString(), const QString &checksum = QString());
    // This console's own index (TEMP/MEDIA.orvex): the merged one with what
    // `journal` still holds replayed on it (not published, or journalled
    // since the merge). False with the file not written and why; the
    // index in place is then as it was.
    bool keepLocalIndex(const QString &journal, QString *file, QString *why);

    HttpFileApi *m_api;
    QTimer *m_timer;
    // One step per tick; a step that moved on is followed at the next turn
    // of the event loop, and so is the end of a transfer.
    StepDriver *m_driver;
    QString m_work;
    std::function<bool(QString, QString, QString, QString)> m_download;
    std::function<bool(QString, QString)> m_merge;
    int m_step = 0;

private:
    std::function<bool()> m_waitWhile;
    // `readingBack`: after the upload, where the copy fetched before it
    // means the upload never arrived.
    IndexCheck checkServerIndex(const QByteArray &expected, bool readingBack);

    bool m_downloading = false;
    // The fetched index the merge was made on, and the box code of the run.
    QByteArray m_base;
    QString m_code;
    int m_rounds = 0;
    ReadBack m_readBack;
    bool m_unchecked = false;
    bool m_damaged = false;
    // How far the index went: 0 not sent, 1 sent, 2 read back.
    int m_indexStage = 0;
    // The journal as it was merged, and its record count.
    QString m_journal;
    QByteArray m_merged;
    int m_mergedCount = 0;
};

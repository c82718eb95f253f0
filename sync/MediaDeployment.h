#pragma once

#include "JournalDeployment.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>

class HttpFileApi;
class ListTransfers;
class QTimer;

// The media deployment: deletes on the server the media the library
// removed, uploads the new ones (each kind in the order IMAGE, VIDEO,
// TEXT), lists the media folders the journal adds to, then fetches the
// server's media index, replays the media journal on it and uploads it
// again, merging again when another console's index went up meanwhile.
// Before its imports go up it makes sure their names are free on the
// server: a picture or video of the same name that is not this import's
// (another console's import of the same second) makes the import take the
// next free name. Only imports whose file the server holds and that fit
// the quota are published; the records of a run stay (SentMediaRecords)
// until a later fetch of the index shows them. Widget-free; the 50 ms
// timer is the panel's.
class MediaDeployment : public JournalDeployment
{
    Q_OBJECT
public:
    // Connection error shown when a media folder could not be listed.
    static constexpr int ListErrorCode = 9;
    static constexpr int ListTries = 3;
    // The steps, numbered as the log shows them; the tens of the deletions
    // and uploads give the kind (IMAGE, VIDEO, TEXT).
    enum Step : int {
        Begin = 0,
        DeleteImages = 10,
        DeletingImages = 13,
        DeleteVideos = 20,
        DeletingVideos = 23,
        DeleteTexts = 30,
        DeletingTexts = 33,
        NamesStart = 35,      // the imports' media folders, listed before they go up
        NamesTaken = 36,      // the imports whose name the listing shows
        NamesCompare = 37,    // each compared with the server's file, renamed if another
        UploadImages = 40,
        UploadingImages = 43,
        UploadVideos = 50,
        UploadingVideos = 53,
        UploadTexts = 60,
        UploadingTexts = 63,
        ListStart = 70,       // the media folders the journals add to
        ListFolder = 68,
        ListWait = 69,
        IndexFetch = 71,
        Merge = 72,
        CheckBeforeUpload = 73,
        PutIndex = 74,
        ReadBack = 76,
        DropRefused = 77,     // imports over the quota leave the server, then the journal
        RemoveRefused = 78,
        // The index went up and was read back.
        DoneStep = 80,
    };
    // Whether a file of `type` (0 picture, 1 video) and `bytes` may join a
    // library of `usedMo` within `maxMo`.
    using QuotaRule = std::function<bool(int type, qint64 bytes, int usedMo, int maxMo)>;

    static QString notStoredText(const QStringList &paths);
    static QString overQuotaText(const QStringList &paths);
    // Files merged again (accepted once, never refused) leave the library
    // over its quota.
    static QString overQuotaKeptText(const QStringList &paths);

    MediaDeployment(HttpFileApi *api, ListTransfers *lists, QTimer *timer, QObject *parent = nullptr);

    void setSelectedBox(std::function<QString()> selected) { m_selected = std::move(selected); }
    void setQuotaRule(QuotaRule rule) { m_fits = std::move(rule); }
    // Replays administration records on an index (kept ones merged again).
    void setAdminMerge(std::function<bool(QString, QString)> merge) { m_adminMerge = std::move(merge); }
    int step() const { return m_step; }

public slots:
    // slotProcessDeployMediaFile: six empty lists without a change do nothing.
    // Lists handed on while a run goes on wait for the next run.
    void start(QStringList NewMediaImage, QStringList DeleteMediaImage, QStringList NewMediaVideo,
               QStringList DeleteMediaVideo, QStringList NewMediaText, QStringList DeleteMediaText, bool Modif);
    // A failed run's lists not yet sent wait for the next run; its journal
    // records stay with them.
    void sequenceFailed();
    // An empty hand-on: what waits for one (records to merge again) goes.
    void handOnNothing() { start({}, {}, {}, {}, {}, {}, false); }
    void slotProcessDeployMedia();
    // MEDIASIZE in Mo; 0 publishes without a quota check.
    void setQuota(int mo) { m_quotaMo = mo; }
    // The server's index fetched elsewhere (the media page's count): the
    // published records it shows are done with; those it lost make the
    // next hand-on, even an empty one, merge them again.
    void serverIndexFetched(QString index);
    // The same for an index fetched by a box deployment, whose posters are
    // cleaned against it: the media the kept records list, which the
    // posters keep; the lost ones merge again with the next hand-on.
    QStringList keptRecordsLost(QString index);

signals:
    // An import took the next free name (type 0 picture, 1 video): this
    // console's file, journal, index and posters already name it so.
    void signalMediaRenamed(int type, QString oldName, QString newName);
    // An import over the quota left the server, this console's index and
    // its work folder.
    void signalMediaWithdrawn(int type, QString name);

private:
    void runStep();
    void finish() override;
    QString stoppedText() const override;
    bool writeMergeCopy(const QString &journal, const QString &copy, QString *why) override;
    bool showsRun(const QString &index) const override;
    bool settleJournal(const QString &journal, QString *file, QString *why) override;
    bool mergeKept(QString *why) override;
    void startQueued();
    void requeueUnsent();
    // The media folders holding files the journals add.
    QStringList foldersToList() const;
    bool onServer(const QString &path) const;
    // The records that fit the quota, in order; the imports that do not go
    // to m_refused.
    QList<QStringList> withinQuota(const QList<QStringList> &records);
    bool dropRecordsOf(const QStringList &paths, QString *why);
    // The imports whose name the listing before the uploads shows taken.
    void collectTakenNames();
    // Whether the server's file of the import's name holds the import
    // itself: downloaded (no more than the import's size) and checked
    // against the import's checksum. One call per tick, true once known.
    bool compareTaken(bool *ours);
    // The import takes the next free name; false when the run ended.
    bool renameImport(const QString &path);
    // The refused imports leave this console too; false when the run ended.
    bool withdrawRefused();

    ListTransfers *m_lists;
    std::function<QString()> m_selected;
    // IMAGE, VIDEO, TEXT.
    QStringList m_new[3];
    QStringList m_delete[3];
    QStringList m_queuedNew[3];
    QStringList m_queuedDelete[3];
    bool m_queuedModif = false;

    // Listings of the server's media folders, by folder, for this run.
    HttpFileApi *m_listing;
    QStringList m_toList;
    QHash<QString, QSet<QString>> m_listed;
    int m_listTries = 0;
    // The step after the listing: the uploads or the index.
    int m_afterListing = 0;
    // The imports' names checked before the uploads, and those found taken.
    bool m_namesChecked = false;
    QStringList m_taken;
    bool m_comparing = false;
    QString m_compareSum;
    QuotaRule m_fits;
    int m_quotaMo = 0;
    // Of the last merge: imports the server lacks (kept in the journal),
    // imports over the quota (removed from the server, then from the
    // journal), published records the server lost (merged again) and those
    // whose file went meanwhile (dropped); the records merged.
    QStringList m_held;
    QStringList m_refused;
    QStringList m_again;
    QStringList m_gone;
    // Kept records another console's later change replaced; files merged
    // again that leave the library over its quota; administration records
    // the index lost.
    QStringList m_superseded;
    QStringList m_overQuota;
    QList<QStringList> m_adminAgain;
    std::function<bool(QString, QString)> m_adminMerge;
    QList<QStringList> m_published;
    int m_deleteKind = 0;
    QStringList m_notes;
    // What this run uploaded.
    QStringList m_uploaded;
    // Imports the server did not keep, sent again with the next hand-on.
    QStringList m_retryNew[3];
    bool m_retryPending = false;
};

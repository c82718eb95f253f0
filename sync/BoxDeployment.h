#pragma once

#include "ReadBack.h"
#include "StepTimeout.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPair>
#include <QString>
#include <QStringList>
#include <functional>

class ClassParam;
class HttpFileApi;
class ListTransfers;
class QTimer;
class RevisionCounters;
class StepDriver;

// The box deployment: the user chooses the target boxes; the selected box's
// server copy of PLAYER.orvex is fetched and its revision counter checked;
// the share page is published when the poster list asks for one; media the
// index no longer holds are cleared from the posters; then each chosen box
// in turn has its PLAYER.orvex and INFO.orvex checked again (a run the user
// cancels there sends the box nothing), keeps what it sends in the work
// folder, receives the files of DATA/, PLAYER.orvex last, and reads both
// back (ReadBack: a second read a short moment after the first; a read
// without an answer or with a damaged one, three times, leaves the files
// sent but unchecked, kept for the next selection or login). Whatever
// lands later is found by the check of the next deployment or selection of
// the box, after a restart too (RevisionCounters). Widget-free: the panel
// answers the hooks and shows what the signals ask. The 50 ms timer is the
// panel's.
class BoxDeployment : public QObject
{
    Q_OBJECT
public:
    static constexpr int ScanMs = 5000;
    // Tries of the server copy's fetch, and the connection error then shown.
    static constexpr int FetchTries = 3;
    static constexpr int FetchErrorCode = 9;

    // The steps, numbered as the log shows them.
    enum Step : int {
        Choose = 0,           // the box choice
        Connect = 1,
        FetchSelected = 2,    // the selected box's server copy of PLAYER.orvex
        CheckSelected = 3,    // its revision counter and checksum
        NextTarget = 4,       // every other target's server copy
        FetchTarget = 5,
        AskChanged = 6,
        Share = 40,           // the share page, when the poster list asks for one
        SharePage = 41,
        ShareFolder = 42,
        ShareFolderWait = 43,
        SharePicture = 45,
        SharePictureWait = 46,
        PutPicture = 47,
        StampPicture = 48,
        PutStampedPicture = 49,
        PutPage = 50,
        StampPage = 51,
        PutStampedPage = 52,
        IndexStart = 60,      // the account's media index as it stands now
        IndexFetch = 61,
        MediaEdits = 70,      // each target in turn from here
        NextBox = 71,
        RaiseList = 72,
        PutFiles = 73,
        BoxDone = 74,
        Rescan = 75,
        RescanWait = 78,
        Done = 80,
        ListStart = 90,       // before the box's first upload: its lists checked again
        ListFetch = 91,
        ListCheck = 92,
        PutList = 93,         // PLAYER.orvex last
        ReadBackStart = 94,   // both read back, twice
        ReadBack = 95,
        ReadBackCheck = 96,
        InfoFetch = 97,
        InfoCheck = 98,
        ReadInfo = 99,
        ReadWait = 100,
        BoxAsk = 101,
    };

    BoxDeployment(HttpFileApi *api, ListTransfers *lists, RevisionCounters *revisions, ClassParam *player,
                  QTimer *timer, QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    void setAccountName(const QString &name) { m_account = name; }
    // Text of the box list's current item: the selected box's server folder.
    void setSelectedBox(std::function<QString()> selected) { m_selected = std::move(selected); }
    // The box choice: fills the targets; false when cancelled.
    void setChooser(std::function<bool(QStringList *)> choose) { m_choose = std::move(choose); }
    // One call per tick, true once the file is in place (slotTelechargerFichier).
    void setDownloader(std::function<bool(QString, QString, QString, QString)> download)
    {
        m_download = std::move(download);
    }
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }
    // Opens the stamped share page; QDesktopServices by default.
    void setOpener(std::function<void(const QString &)> open) { m_open = std::move(open); }
    // The media this console published that the fetched index (its path)
    // may have lost to another console's late upload: the posters keep them.
    void setKeptMedia(std::function<QStringList(QString)> kept) { m_keptMedia = std::move(kept); }

    int step() const { return m_step; }
    QTimer *timer() const { return m_timer; }
    QStringList targets() const { return m_targets; }
    bool running() const;

    // Poster media the index no longer holds are cleared; entries keep their
    // places. Skipped (false) when the index cannot be read.
    // `indexPath`: the index to clean against, TEMP/MEDIA.orvex when empty.
    static bool checkPlayerVsMedia(const QString &work, const QString &indexPath = QString());
    // The keys checkPlayerVsMedia() would write, in its order; nothing is written.
    // `alsoKnown`: media kept whether the index lists them or not.
    static bool mediaEdits(const QString &work, const QString &indexPath, QList<QPair<QString, QString>> *edits,
                           const QStringList &alsoKnown = QStringList());
    // Plain files of the folder sorted by name ignoring case.
    static QStringList ListFileFromFolder(const QString &folder);
    // Drops the files a box deployment never sends and puts PLAYER.orvex last.
    static QStringList arrange(QStringList names);
    // Arguments of the box choice: the categories other than "PLAYLIST" and
    // for each one found in CATEGORYLIST its CATEGORYELEMENTS row.
    // The question naming the targets changed by another console, and the
    // conflict found when the poster list read back is not the one sent.
    static QString changedText(const QStringList &boxes);
    static QString conflictText(const QString &box);
    // The box's INFO.orvex read back is another console's.
    static QString infoConflictText(const QString &box);
    // The box's files were sent but no read-back could show them (no answer,
    // an error answer, or a `damaged` one): checked at the next selection or login.
    static QString uncheckedText(const QString &box, bool damaged);
    // The poster list read back is still the copy fetched before the send.
    static QString notArrivedText(const QString &box);
    // The selected box's folder download failed (`why`) or did not end.
    static QString notLoadedText(const QString &box, const QString &why);
    static void choiceLists(ClassParam *login, const QStringList &categoryItems, QStringList *names,
                            QStringList *elements);

public slots:
    // "Déployer": step 0, timer started.
    void start();
    // The overlay's cancel: the deployment stops; true when it ran.
    bool cancel();
    // A transfer sequence gave up (its error box has been shown).
    void sequenceFailed();
    // A local file error inside this machine's own download: the run ends
    // once (the download would otherwise start over forever), with that
    // text unless its box was shown already.
    void downloadFailed(QString text, bool told);
    void slotProcessDeploy();
    void slotSavePictureTermine() { m_pictureSaved = true; }

signals:
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalMessageOnlyOFF();
    // The overlay's deploy picture and box label; empty hides them.
    void signalDeployBox(QString box);
    void signalUpdateHDImage(int poster);
    // "Impossible de copier le fichier" and the share page errors.
    void signalError(QString text);
    // The server copy could not be fetched: MessageErreurConnexion(code).
    void signalErreurConnexion(int code);
    // Everything arrived: the success message, then the panel switches.
    void signalTermine();

private:
    void stop();
    void runStep();
    QString readPlayer(const QString &key) const;
    bool put(const QString &localPath, const QString &name, int next);
    bool copyStamped(const QString &name, const QString &stamped);
    // Fetches `box`'s PLAYER.orvex into the work folder: 1 there (or no
    // server copy), 0 pending, -1 given up (the run has ended). A
    // `readBack` fetch counts no tries: 2 when this one failed.
    int fetchPlayer(const QString &box, const QString &name = QStringLiteral("PLAYER.orvex"), bool readBack = false);
    // The read-back had no answer, or a damaged one, every try: the run ends saying so.
    void unchecked();
    // A local file of the run could not be written: the run ends, saying
    // which disk and file, before anything more is sent.
    void writeFailed(const QString &file, const QString &why);

    HttpFileApi *m_api;
    ListTransfers *m_lists;
    RevisionCounters *m_revisions;
    ClassParam *m_player;
    QTimer *m_timer;
    QString m_work;
    QString m_account;
    std::function<QString()> m_selected;
    std::function<bool(QStringList *)> m_choose;
    std::function<bool(QString, QString, QString, QString)> m_download;
    std::function<QDateTime()> m_clock;
    std::function<void(const QString &)> m_open;
    std::function<QStringList(QString)> m_keptMedia;

    int m_step = 0;
    QStringList m_targets;
    QString m_network;
    QString m_linkFolder;
    QString m_stamp;
    bool m_pictureSaved = false;
    bool m_shareOk = true;
    bool m_downloading = false;
    int m_fetchTries = 0;
    // Counter and checksum of each target's server copy as fetched at the start.
    QHash<QString, int> m_expected;
    QHash<QString, QString> m_expectedSum;
    QStringList m_changed;
    int m_checkIndex = 0;
    int m_sent = 0;
    bool m_withPlayer = false;
    bool m_withInfo = false;
    // The check before the box's first upload found another console's change.
    bool m_boxChanged = false;
    // Checksum of the server's INFO.orvex fetched before the box's uploads.
    QString m_infoBeforeSum;
    ::ReadBack m_readBack;
    // The last failed read-back try brought a damaged copy.
    bool m_readDamaged = false;
    bool m_uploaded = false;
    // Checksum of the server copy fetched just before the poster list went.
    QString m_beforeSum;
    QList<QPair<QString, QString>> m_mediaEdits;
    QStringList m_kept;
    StepTimeout m_scan;
    StepDriver *m_driver;
};

#pragma once

#include "JournalDeployment.h"
#include "ReadBack.h"

#include <QString>
#include <QStringList>
#include <functional>

class ClassParam;
class HttpFileApi;
class ListTransfers;
class QTimer;
class RevisionCounters;

// The account deployment: uploads the login file, fetches the server's
// media index, replays the administration journal on it (with the records
// of earlier runs that another console's upload took out of it) and
// uploads it again; the records read back stay kept (SentMediaRecords)
// until a later fetch of the index shows them. With the playlist flag,
// writes and uploads one PLAYLIST.orvex per box. Widget-free; the 50 ms
// timer is the panel's.
class AccountDeployment : public JournalDeployment
{
    Q_OBJECT
public:
    // Connection error shown when the server's login file could not be read.
    static constexpr int LoginFetchErrorCode = 9;

    // The steps, numbered as the log shows them ("indiceDeployLogin=").
    enum Step : int {
        Begin = 0,
        Announce = 1,
        CheckLogin = 2,       // the local login file must read
        LoginFetchStart = 20, // the server's login file, checked before the upload
        LoginFetch = 21,
        PutLogin = 3,
        ReadBackStart = 22,   // the uploaded login file read back
        ReadBack = 23,
        ReadBackSettle = 24,
        IndexFetch = 5,       // the media index with the administration journal
        Merge = 6,
        CheckBeforeUpload = 7,
        PutIndex = 8,
        IndexReadBack = 9,
        Playlists = 10,       // with the playlist flag, one PLAYLIST.orvex per box
        ReadPlaylists = 11,
        NextBox = 12,
        WritePlaylist = 13,
        BoxFolder = 14,
        PutPlaylist = 15,
        BoxDone = 16,
        Done = 100,
    };

    AccountDeployment(HttpFileApi *api, ListTransfers *lists, RevisionCounters *revisions, ClassParam *login,
                      QTimer *timer, QObject *parent = nullptr);

    int step() const { return m_step; }

    // MD5 of the server's login file as this console last downloaded or
    // uploaded it; empty skips the check before the upload.
    void setLoginReference(const QString &md5) { m_loginReference = md5; }
    QString loginReference() const { return m_loginReference; }
    // MD5 of the local login file the administration page loaded.
    void setLoginBase(const QString &md5) { m_loginBase = md5; }
    // The same, with a copy of that file: a page's edit then goes on
    // another console's newer file as the rows it changed.
    void keepLoginBase();
    static QString loginChangedText();
    // The login file read back after its upload is the copy from before
    // it, or another administrator's: the change stays to be sent.
    static QString loginNotStoredText();
    static QString loginReplacedText();
    // The login file went up but no read of it answered: it is checked
    // again at the next login, its change kept until then.
    static QString loginUncheckedText();
    // The read-back answered with bytes that are not a whole login file.
    static QString loginDamagedText();
    // The server's copy fetched before the upload is not a whole login
    // file: nothing was sent, the local file and its edit are kept.
    static QString serverLoginUnreadableText();
    // Rows this console changed that another console changed since: named.
    static QString lostRowsText(const QStringList &lost);
    // A login file that reads whole: its fingerprint holds and it has a
    // MOTDEPASSE (the login refuses a file without one).
    static bool loginFileWhole(const QString &path);

    // Creates or truncates <work>name; false (with `error`) when it cannot.
    static bool CreateFilePlaylist(const QString &work, const QString &name, QString *error = nullptr);
    // The PLAYLIST value of one PLAYERLISTTOPLAYLIST row.
    static QString playlistValue(const QString &row) { return QString(row).replace(QLatin1Char(';'), QLatin1Char('|')); }

public slots:
    // slotProcessDeployFile: from step 0; status 1 also sends the playlists.
    void start(int status);
    // The folder operations' call at their end: one step of a running
    // deployment, nothing while it is idle.
    void folderOperationEnded();
    void sequenceFailed();
    void slotProcessDeployLogin();

signals:
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalDeployBox(QString box);
    void signalInformation(QString title, QString text);
    // The login file reached the server (status 1: every box's playlists too).
    void signalDeployed(int status);
    // The server's login file changed since this console read it: nothing
    // was sent, the local file now holds the server's (loginChangedText()).
    void signalLoginChanged();
    // The login file read back from the server holds what was sent (its MD5).
    void signalLoginStored(QString md5);

private:
    void finish() override;
    QString stoppedText() const override;
    bool writeMergeCopy(const QString &journal, const QString &copy, QString *why) override;
    bool settleJournal(const QString &journal, QString *file, QString *why) override;
    // One step of the read-back of the uploaded login file.
    void runStep();
    void readBackLogin();
    // What the read-back of another console's file tells of the rows this
    // console keeps.
    enum RowsCheck {
        RowsShown,    // every one is there
        RowsNotShown, // some are not and cannot be put back (merged too often)
        RowsPutBack,  // put back on that file, which is to be sent
        RowsEnded,    // a local file could not be written: the run ended
    };
    RowsCheck checkKeptRows(const QString &fetched);
    // The rows this upload changes from the server's copy, kept in the work
    // folder until a later fetch shows them; false when the run ended.
    bool keepSentRows();
    // The rows the page changed from the copy it loaded, kept; false when
    // that copy is not there (or the run ended).
    bool keepEditedRows();
    // Rows of the login file this console sent that no fetch showed yet.
    bool keepsRows() const;
    QString basePath() const { return m_work + QLatin1String("TEMP/LoginCrypt-base.orvex"); }
    void tellLostRows();
    QString keptPath() const;
    QString loginPath() const { return m_work + QLatin1String("LoginCrypt.orvex"); }
    // The server's copy fetched before the upload, kept for the read-back.
    QString serverBeforePath() const { return m_work + QLatin1String("TEMP/LoginCrypt-serveur.orvex"); }

    ListTransfers *m_lists;
    RevisionCounters *m_revisions;
    ClassParam *m_login;
    bool m_playlists = false;
    QStringList m_serials;
    QStringList m_rows;
    QString m_loginReference;
    QString m_loginBase;
    // What the upload sent, and its read-back (ReadBack: two reads a
    // moment apart; a read with no answer, an error or a damaged file is
    // made again).
    QByteArray m_loginSent;
    ::ReadBack m_loginReadBack;
    // MD5 of a file sent whose read-back never answered: the server holding
    // it is no change by another administrator.
    QString m_loginUnchecked;
    // Rounds of rows put back on another console's file, and the rows lost.
    int m_loginRounds = 0;
    QStringList m_lostRows;
};

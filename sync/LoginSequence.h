#pragma once

#include "StepTimeout.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ClassParam;
class HttpFileApi;
class MediaAlignment;
class QTimer;
class RevisionCounters;
class SentBoxesCheck;
class SessionDialogs;

// The login machine on the panel's 1 ms login timer: fetches the login
// file, checks the user (typed or saved), offers to save the login, brings
// the media the user may see in line with the media index, applies the
// user's rights and categories and hands over to the panel. The same run
// works on the server and, through HttpFileApi's local mode, on LOCALPATH.
class LoginSequence : public QObject
{
    Q_OBJECT
public:
    static constexpr int LoginFileMs = 15000;
    static constexpr int ScanMs = 5000;
    // Longest run of steps in one tick.
    static constexpr int SliceMs = 8;

    // The box of a server file that arrived but cannot be read.
    static QString unreadableServerFile(const QString &name);

    LoginSequence(HttpFileApi *api, MediaAlignment *media, RevisionCounters *revisions, ClassParam *loginFile,
                  ClassParam *mediaIndex, ClassParam *accountFile, SessionDialogs *dialogs, QTimer *timer,
                  QObject *parent = nullptr);

    void setWorkFolder(const QString &folder) { m_work = folder; }
    void setAccount(const QString &name, const QString &localRoot, int mediaSize);
    // CONNEXION.txt was fetched from the server by the account's name: while
    // the login is refused, neither it nor the login file stays on disk.
    void setForgetRefusedAccount(bool forget) { m_forgetRefused = forget; }

    int stepIndex() const { return m_step; }
    QString user() const { return m_user; }
    QString userType() const { return m_userType; }
    // The media index arrived and was read (otherwise no local media went).
    bool mediaIndexRead() const { return m_indexRead; }

public slots:
    void slotLoginUtilisateur();
    void ErreurLoginUtilisateur(QString text);
    // The media page finished its update (done flag 11).
    void slotUpdateMediaFinish();
    // A media deployment ended: when it was the one publishing a journal
    // left by a run that did not end, what still is not published is told.
    void mediaRunEnded();

signals:
    void signalMessageOnlyON(QString text, double overall, double file, bool bars, bool spin);
    void signalMessageOnlyOFF();
    void signalMessageSimpleOFF();
    void signalUserButton(QString user);
    void SignalMediaSize(int size);
    void SignalUpdateMediaFile();
    // A listed user's play categories: the panel fills its list and opens the first.
    void signalCategories(QStringList categories);
    void signalPermission(QString rights);
    // At the end of the login: whether the user may administer the account.
    void signalAdministration(bool shown);
    // The main user: no category restriction.
    void signalHideCategories();
    void SignalUserLogin(QString User, QString Type);
    void signalUpdateMedia();
    // Step 26: the panel shows its working area.
    void signalFinished();
    // Rows of the login file this console changed that the server's copy
    // lost: an account deployment puts them back once the login is over.
    void signalLoginRowsToSend();
    // A media journal left by a run that did not end, to be published by
    // the media deployment: its imports, its removals (per kind) and its
    // merge.
    void signalLeftoverMedia(QStringList NewMediaImage, QStringList DeleteMediaImage, QStringList NewMediaVideo,
                             QStringList DeleteMediaVideo, QStringList NewMediaText, QStringList DeleteMediaText,
                             bool Modif);

private:
    void step();
    // The server's login file, just fetched, is the one left unsent.
    bool unsentOnServer() const;
    bool fetch(const QString &localFolder, const QString &name, const QString &serverFolder, const QString &sum);
    void applyRights();
    bool passwordOk() const;
    void saveLogin();
    void forgetRefusedAccount();
    // The side files a kill left behind (stale ones only: a transfer of
    // another machine may still be writing its own).
    void removeStaleSideFiles();
    void restoreAccountFile();
    // Media journal records that a killed run never published: one line
    // each for the user. `imports` gets the paths whose local copy must
    // stay, `removals` the paths removed; both optional.
    QStringList unpublishedMedia(QStringList *imports = nullptr, QStringList *removals = nullptr) const;
    // The leftover journal's imports with a local copy and its removals, as
    // the media deployment takes them; removed files are not fetched again.
    void prepareLeftover(const QStringList &imports, const QStringList &removals);

    HttpFileApi *m_api;
    MediaAlignment *m_media;
    RevisionCounters *m_revisions;
    ClassParam *m_loginFile;
    ClassParam *m_mediaIndex;
    ClassParam *m_accountFile;
    SessionDialogs *m_dialogs;
    QTimer *m_timer;
    SentBoxesCheck *m_boxCheck;
    bool m_checkingBoxes = false;
    QString m_work;
    QString m_accountName;
    QString m_localRoot;
    int m_mediaSize = 0;

    int m_step = 0;
    QString m_user;
    QString m_password;
    QString m_userType;
    bool m_administrator = false;
    bool m_typed = false;
    bool m_savedUser = false;
    bool m_savedPassword = false;
    bool m_askAgain = false;
    bool m_indexRead = false;
    bool m_fetching = false;
    bool m_forgetRefused = false;
    bool m_holdingAccountFile = false;
    QByteArray m_heldAccountFile;
    // The login file an administration change left unsent, as it was before
    // the server's copy replaced it; whether the login kept it aside.
    QByteArray m_unsent;
    bool m_unsentKept = false;
    // The rows of the login file this console keeps, against the fetched
    // copy; with `settle`, the shown ones dropped, the lost ones named and
    // the missing ones sent once the login is over.
    enum class KeptRows { None, Shown, Missing };
    KeptRows settleKeptRows(bool settle);
    QStringList m_paths;
    QStringList m_sums;
    QStringList m_sizes;
    QStringList m_kept;
    // NewMediaImage, DeleteMediaImage, NewMediaVideo, ... as handed on.
    QStringList m_leftover[6];
    bool m_leftoverPending = false;
    // The leftover journal's records as told, at the login.
    QStringList m_leftoverLines;
    bool m_publishingLeftover = false;
    QString m_folder;
    QString m_name;
    QString m_sum;
    StepTimeout m_timeout;
};

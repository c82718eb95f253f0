#pragma once

#include "StepTimeout.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QTemporaryDir;
class QTimer;

// What the procedure asks of its face: modal boxes and the end.
class AddBoxPrompts
{
public:
    virtual ~AddBoxPrompts() = default;
    // Information box with OK.
    virtual void information(const QString &title, const QString &text) = 0;
    // Entry error box; true once answered OK.
    virtual bool entryError(const QString &text) = 0;
    // The box is registered: the success message, then the application quits.
    virtual void finished() = 0;
};

// The registration of a new box by serial and code, one step per tick. It
// sends its requests as signals to the control panel and learns their end
// from the panel's end-of-transfer signals and outcomes. The box's files
// pass through a private temporary folder, never through DATA/.
class AddBoxProcedure : public QObject
{
    Q_OBJECT
public:
    static constexpr int FailureStep = 101;
    static constexpr int FinalStep = 40;
    // Waits for the server's login file: the check before anything is
    // sent, then the write of the box's rows into it.
    static constexpr int LoginCheckStep = 41;
    static constexpr int LoginWriteStep = 42;
    // The uploaded login file read back, twice a tick apart: it must list
    // the box; another console's file that does not gets the rows again.
    static constexpr int LoginReadBackStep = 43;
    static constexpr int LoginReadAgainStep = 44;
    static constexpr int LoginReadBacks = 2;
    // After the uploads, before the login file lists the box: the new box
    // folder listed, then every file sent read back from the server.
    static constexpr int VerifyListStep = 45;
    static constexpr int VerifyListWaitStep = 46;
    static constexpr int VerifyFileStep = 47;
    static constexpr int VerifyFileWaitStep = 48;
    // Uploads of the rows on a fresh copy before the procedure gives up.
    static constexpr int LoginRounds = 3;
    static constexpr int WaitMs = 20000;
    static constexpr int TickMs = 500;

    AddBoxProcedure(const QString &workFolder, AddBoxPrompts *prompts, QObject *parent = nullptr);
    ~AddBoxProcedure() override;

    void setEntries(const QString &serial, const QString &code);
    // The account folder on the server ("/zolink/zobox/zo_" + account),
    // where the new box's folder and the account's pictures are read back;
    // by default the FTPPATH of the account connection file.
    void setAccountFolder(const QString &folder) { m_accountFolder = folder; }
    int step() const { return m_step; }
    bool running() const;
    // Its step timer: a test holds a run at a step with it.
    QTimer *timer() const { return m_timer; }
    QString category() const { return m_category; }
    // The private folder of the run in progress; empty when none.
    QString passageFolder() const;

    // Reads the login file's lists, starts at step 0.
    void start();
    // Step 0, timer stopped, passage folder removed.
    void stop();
    // Runs one step.
    void tick();

public slots:
    void slotListFichier(QStringList Fichiers);
    void slotPutFileFinish();
    void slotMkdirFinish();
    void slotGetFileFinish();
    void slotPresenceBOX();
    void slotSelectionCategory(QString current);
    void slotValider();
    // Outcome of a transfer (operation codes of HttpFileApi).
    void slotTransferEnded(int operation, bool ok);

signals:
    void signalGetListFile(QString Path);
    void signalPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination);
    void signalMkdir(QString Folder);
    void signalGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination, QString fileNameDestination);
    void signalClearListFile();
    // Face of the procedure: message label text, fields shown or hidden.
    void signalMessage(QString text);
    void signalFieldsVisible(bool visible);
    // The login file read back from the server lists the box (its MD5).
    void signalLoginStored(QString md5);

private:
    enum Wait { WaitList, WaitPut, WaitMkdir, WaitGet };
    struct Transfer {
        bool get; // download from `folder` into the passage, else upload
        QString folder;
        QString name;
        QString text;
    };

    void arm();
    void request(Wait wait);
    // A waiting step: true once its request ended well; a failure or a
    // time-out shows `text` and moves to the failure step.
    bool waited(Wait wait, const QString &text);
    void fail(const QString &text);
    void checkEntries();
    bool makeValidationCopy();
    bool writeLoginFile(const QString &file);
    // The server's login file, fetched into the passage folder.
    QString serverLogin() const;
    void fetchServerLogin(int waitStep);
    // The four lists from the fetched file; false when it cannot be read.
    bool readServerLists();
    // The write tried on a copy of the fetched file: a login file that
    // cannot take the box must stop the procedure before anything reaches
    // the server.
    bool loginFileTakesBox();
    // The local login file becomes the fetched one, box included.
    bool replaceLocalLogin();
    // Writes the box's rows into the fetched file, makes it the local one
    // and uploads it; false (after the failure box) when it cannot.
    void sendLoginRows();
    // Keeps the rows the box changes from `before` until a later fetch
    // shows them; false when they cannot be kept.
    bool keepLoginRows(const QString &before);
    void dropKeptBox();
    void checkReadBack();
    void transferStep();
    // The files sent for the box: server folder, name, local copy.
    struct SentFile {
        QString folder;
        QString name;
        QString local;
    };
    QList<SentFile> sentFiles() const;
    void checkListing();
    void readBackStep();
    void checkReadBackFile();
    // Names the files the server does not hold as sent; the same add
    // completes the box.
    void failMissing();
    void clearPassage();

    QString m_work;
    AddBoxPrompts *m_prompts;
    QTimer *m_timer;
    StepTimeout m_timeout;
    std::unique_ptr<QTemporaryDir> m_passage;

    int m_step = 0;
    bool m_inTick = false;
    bool m_done[4] = {};
    bool m_ok[4] = {};
    bool m_validate = false;
    bool m_presence = false;
    bool m_pairFound = false;
    QString m_serial;
    QString m_code;
    QString m_category;
    QStringList m_listing;
    QString m_playerList;
    QString m_playerListName;
    QString m_categoryList;
    QString m_categoryElements;
    // The fetched file the rows were written on, and what went up.
    QByteArray m_loginBase;
    QByteArray m_loginSent;
    int m_readBacks = 0;
    QString m_accountFolder;
    // The validation file as it went up (its local copy goes once sent).
    QByteArray m_validationSent;
    int m_verified = 0;
    QStringList m_missing;
    int m_rounds = 0;
    // The login file's rows this run kept (KeptLoginRows).
    QStringList m_keptRows;
};

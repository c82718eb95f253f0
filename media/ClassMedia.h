#pragma once

#include "MediaLibrary.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class ImportJob;
class ListThumbnails;
class QFrame;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRoundProgressBar;
class QTimer;
class QToolButton;
class ServerMediaUsage;
class ThumbnailLoader;

// Media library page: the account's pictures ("MES IMAGES"), videos
// ("VIDEOS") and, hidden, text posters, within the account's quota. The
// index and journal rules live in MediaLibrary; the page announces every
// change to the control panel and hands the pending lists to
// synchronisation when it is left.
class ClassMedia : public QWidget
{
    Q_OBJECT
public:
    // Answers the "Ajouter" buttons with the chosen files (type 0 pictures,
    // 1 videos); tests give their own.
    using FileChooser = std::function<QStringList(int type, QWidget *parent, const QString &startFolder)>;

    explicit ClassMedia(QWidget *parent = nullptr);
    ~ClassMedia() override;

    void setFileChooser(FileChooser chooser) { m_chooser = std::move(chooser); }
    // Counts the quota on the server's index (with this console's journal
    // replayed) rather than on this console's own: fetched when the page
    // opens and before each import. Without it the own index counts.
    void setServerUsage(ServerMediaUsage *usage);
    // Chosen files waiting for the server's count before they are imported.
    bool importPending() const { return m_pendingType >= 0; }
    // Chosen files being copied and checksummed by the import job (the
    // page shows its overlay and takes no other import meanwhile).
    bool importing() const { return m_import != nullptr; }
    // Stops the import between two files: the files copied are indexed
    // and journalled before this returns, the one under way leaves nothing.
    void cancelImport();
    // While the quit question is asked the import holds still.
    void pauseImport(bool paused);
    static QString unreachableText();

    // Recomputes the used size and the quota line from the media index.
    void CalculDossierMedia2();
    // Registers a file already in the work folder: type 0 "IMAGE/x",
    // 1 "VIDEO/x", 2 "TEXT/x.png" (with "TEXT/x.txt" beside it).
    void AjouterMedia(int type, QString path);
    void SupprimerMedia(int type, int row);
    bool checkFileImage(QString name);
    bool checkFileVideo(QString name);

    int usedMo() const { return m_usedMo; }
    int maxMo() const { return m_maxMo; }
    int thumbnailsPending() const;

public slots:
    void slotUpdateMediaFile();
    void slotUpdateMediaSize(int size);
    void slotUserLogin(QString User, QString Type);
    void slotResize(int width, int height, int rotation);
    void slotFirstFileSize();
    void slotNewImageTexte(QString oldName, QString Name);
    void slotSuppImageTexte(QString Name);
    void slotAjouterVideo();
    void slotAjouterImage();
    void slotSupprimerVideo();
    void slotSupprimerImage();
    void slotAjouterPermissionImage();
    void slotAjouterPermissionVideo();
    void slotFermer();
    // The page comes into view: the quota line shows the server's count.
    void slotPageShown();
    void SlotUpdateTimeMedia();
    void SlotEnvoiFile();
    void SlotSupprimerFichierParamMedia(QString CheminMedia);
    void itemInfoChangeImage();
    void itemInfoChangeVideo();
    // The media deployment sent an import under the next free name (the
    // server held another file of its name): the lists and what waits to
    // be handed on follow.
    void slotMediaRenamed(int type, QString oldName, QString newName);
    // An import the quota refused left the server and the library.
    void slotMediaWithdrawn(int type, QString name);

signals:
    void signalButton(int code);
    void signalUpdateMediaFile();
    // type 0 picture, 1 video, 2 text picture; the file's name in its folder.
    void signalNewMedia(int type, QString nameFile);
    void signalSupprimeMedia(int type, QString NameToRemove);
    void signalMediaToSend(QStringList NewMediaImage, QStringList RemoveMediaImage, QStringList NewMediaVideo,
                           QStringList RemoveMediaVideo, QStringList NewMediaText, QStringList RemoveMediaText,
                           bool Modif);
    void signalUpdateMediaFinish();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void buildPage();
    void buildOverlay();
    QToolButton *toolButton(const QString &text, const QString &icon);
    QListWidget *listOf(int type) const;
    QSize iconSize() const;
    void rebuildList(int type);
    void appendItem(int type, const QString &name);
    ListThumbnails *thumbnailsOf(int type) const;
    void importFiles(int type);
    void importChosen(int type, const QStringList &chosen);
    void showImportProgress(int done, int count, double fileShare);
    // The importing state: the overlay with its bar over the page.
    void showImporting(bool on);
    void importRefused(int refusal, const QString &chosenFile);
    // Indexes and journals what the job copied, in one batch.
    void importFinished();
    // AjouterMedia with the checksum of the copy when the import made one;
    // `recount`: the used size is counted again at once.
    void registerMedia(int type, const QString &path, const QString &checksum, bool recount);
    void serverCounted(bool ok, qint64 bytes);
    // Undoes an import whose index or journal write failed.
    void forgetImport(int type, const QString &path);
    QString startFolder(int type) const;
    void removeCurrent(int type);
    // Takes the file (a text poster with its companion) out of the index
    // with its journal records; false, with the error shown, when they
    // could not be written: the file must then stay.
    bool forgetMedia(int type, const QString &name);
    void grantCurrent(int type);
    void itemInfoChange(int type);
    void showError(const QString &text);
    // A text poster's picture leaves the library unless a poster still
    // names it; `replaced`: a newer save of the edited poster replaces it.
    void retireTextPicture(QString Name, bool replaced);
    void showLibraryErrors();
    // Emits the pending lists and Modif, then forgets them: each change is
    // handed on once.
    void handOn();

    QString m_work;
    MediaLibrary m_library;
    // Shared with the posters panel.
    std::shared_ptr<ThumbnailLoader> m_thumbnails;
    ListThumbnails *m_pictureThumbnails;
    ListThumbnails *m_textThumbnails;
    FileChooser m_chooser;

    int m_usedMo = 0;
    int m_maxMo = 0;
    ServerMediaUsage *m_serverUsage = nullptr;
    // What the server holds beyond this console's index: the other
    // consoles' published changes since the login, as last counted.
    qint64 m_othersBytes = 0;
    bool m_serverUnreachable = false;
    int m_pendingType = -1;
    QStringList m_pendingChoice;
    ImportJob *m_import = nullptr;
    // The page was left during an import: it goes once the import is done.
    bool m_leaveAfterImport = false;
    QString userName;
    QString userType;

    QStringList NewMediaImage, RemoveMediaImage, NewMediaVideo, RemoveMediaVideo, NewMediaText, RemoveMediaText;
    bool Modif = false;
    bool sendTextNow = false;
    // Whether the last AjouterMedia indexed (or found indexed) its file.
    bool m_lastIndexed = false;
    QString oldTextName, newTextName;
    // Text posters saved while the send machine runs wait their turn.
    QList<QPair<QString, QString>> m_textQueue;

    QTimer *refreshTimer;
    int refreshStep = 0;
    QTimer *sendTimer;
    int sendStep = 0;
    int pageWidth = 1024;
    int pageHeight = 720;
    int iconDivisor = 8;

    QListWidget *listImage = nullptr;
    QListWidget *listVideo = nullptr;
    QListWidget *listText = nullptr;
    QToolButton *btAddImage = nullptr;
    QToolButton *btDeleteImage = nullptr;
    QToolButton *btRightsImage = nullptr;
    QToolButton *btAddVideo = nullptr;
    QToolButton *btDeleteVideo = nullptr;
    QToolButton *btRightsVideo = nullptr;
    QPushButton *btBack = nullptr;
    QRoundProgressBar *quotaBar = nullptr;
    QLabel *labelQuota = nullptr;
    QLabel *labelInfoImage = nullptr;
    QLabel *labelInfoVideo = nullptr;
    QLabel *titleImage = nullptr;
    QLabel *titleVideo = nullptr;
    QFrame *frameImage = nullptr;
    QFrame *frameVideo = nullptr;
    QFrame *frameQuota = nullptr;
    QLabel *labelBackground = nullptr;
    QWidget *messagePanel = nullptr;
    QLabel *labelMessage = nullptr;
    QLabel *labelMessageBackground = nullptr;
    QRoundProgressBar *importBar = nullptr;
};

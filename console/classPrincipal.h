#pragma once

#include "ClassParam.h"
#include "AccountFile.h"

#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class AnimationStackedWidget;
class AccountDeployment;
class BoxDeployment;
class CommandReport;
class BoxFolderDownload;
class BoxStatusPoller;
class ConnectionStarter;
class FolderOperations;
class HttpFileApi;
class ListTransfers;
class LargeFileUpload;
class LoginSequence;
class MediaAlignment;
class MediaDeployment;
class PanelDialogs;
class MessageOverlay;
class PosterPanel;
class QFrame;
class QKeyEvent;
class QLabel;
class QListWidget;
class QResizeEvent;
class QTimer;
class QToolButton;
class RevisionCounters;
class ScreenChooser;
class StartupSequence;
class TimerProcess;
class TransferProgress;
class TransferSlots;
class classAjoutBox;

// The control panel: page 0 of the top window and the hub every other page
// talks to. It lists the user's categories and screens, holds the chosen
// screen's posters, opens the other pages by page code and drives the long
// operations (start-up, login, downloads, deployments) as timer-driven step
// machines. The mechanics of those operations live in their own classes.
class classPrincipal : public QWidget
{
    Q_OBJECT
public:
    explicit classPrincipal(QWidget *parent = nullptr);
    ~classPrincipal() override;

    QSize sizeHint() const override;

    // Message band over the panel; `overall` and `file` are percentages.
    void MessageOnlyON(QString text, double overall, double file, bool progress, bool busy);
    void MessageOnlyOFF();
    void MessageSimple(QString text);
    void MessageSimpleOFF();

    // Work folders. RemoveFiles answers false when a file could not go.
    QString workFolder() const { return m_workFolder; }
    void CreationDossier();
    bool RemoveFiles(QString folder);

    // Shows or hides the tool buttons a user is granted by his USERPERMISSION row.
    void updateUserPermission(QString permission);

    // Categories and screens of the logged-in user.
    void updateUserToCategorie();
    void updateCategorie(QStringList entries);
    QWidget *CreateMyItem(QString name, QString serial, QString status);
    QStringList transStatusBoxToList(QString text);
    QString transListToStatusBox(QString serial);

    // Replay the media and administration journals on the media index; false
    // (journal kept) when the index could not be written.
    bool transOperationToFile(QString indexFile, QString journalFile);
    bool transOperationToFileAdmin(QString indexFile, QString journalFile);

    // Poster list of the chosen screen and its zone layout (PosterPanel).
    void AfficheINFO();
    void InfoPlayer();
    QList<QStringList> GetSlideFromFile();
    void SetSlideToFile(QList<QStringList> records);
    void UpdateSlideNumber();
    void UpdateFileNumber(int n);
    QString GetSlideStringFromFile(QString key, int index);
    bool SetSlideStringToFile(QString key, int index, QString value);
    void ActiveWidget(bool on);
    void ActiveSlide(bool on);
    void SelectFichier();
    QString transNumeroJoursToQString(QString digits);
    void UpdateMedia();
    int SelectFichierDansLaListe(QString path);
    void ImagePictureVisible(bool visible);
    void SetOpacityImage(int percent);
    void createListFile(QStringList names, QString prefix);
    void transQStringToEcran(QString rotation, QString zones);
    void InfoEcran();
    PosterPanel *posterPanel() const { return m_posters; }

    MessageOverlay *messageOverlay() const { return m_overlay; }
    QList<QToolButton *> rightsButtons() const { return m_rightsButtons; }
    bool localMode() const { return m_account.localMode; }
    int maxDisplayTime() const { return m_maxDisplayTime; }
    int maxPosterCount() const { return m_maxPosterCount; }

    // Server transfer layer: HttpFileApi holds the transfer state (done
    // flags, retry counter, lists) that the step machines poll.
    HttpFileApi *httpFileApi() const { return m_http; }
    void scanFile(QString path);
    void downloadFileHttp(QString serverPath, QString name);
    void doUploadFileHttp(QString name, QString localFolder, QString destPath);
    void renameDirFileHttp(QString oldPath, QString newPath);
    void deleteFileHttp(QString path);
    void deleteDirHttp(QString path);
    void createDirHttp(QString path);
    void statusCompte(QString account);
    void addToListHttp(QStringList names);
    static QStringList transArrayToList(QByteArray reply);
    // Modal: returns once the error box is closed.
    void MessageErreurConnexion(int code);
    void ErreurLoginUtilisateur(QString text);

    // List transfer sequences (ListTransfers): called once per tick, true
    // once the whole job is done; a failure has shown its error box.
    ListTransfers *listTransfers() const { return m_lists; }
    bool FtpGetListFile(QString localFolder);
    bool FtpPutListFile(QString localFolder);
    bool FtpPutOneFile(QString localPath, QString name);
    bool FtpRemoveListFile();
    bool RemoveDir(QString folder);
    BoxFolderDownload *boxDownload() const { return m_boxDownload; }
    BoxStatusPoller *statusPoller() const { return m_statusPoller; }
    FolderOperations *folderOperations() const { return m_folders; }
    BoxDeployment *boxDeployment() const { return m_boxDeploy; }
    AccountDeployment *accountDeployment() const { return m_accountDeploy; }
    MediaDeployment *mediaDeployment() const { return m_mediaDeploy; }
    CommandReport *commandReport() const { return m_commands; }

    // Revision counters of DATA/PLAYER.orvex and TEMP/MEDIA.orvex.
    RevisionCounters *revisions() const { return m_revisions; }
    void getIDfilePlayer();
    void getIDfileMedia();
    bool checkIDfile(QString file, int expected);
    void AjouteIDfilePlayer();
    void AjouteIDfileMedia();

    // Start-up, login and media alignment (StartupSequence, LoginSequence,
    // MediaAlignment in sync/).
    StartupSequence *startupSequence() const { return m_startup; }
    LoginSequence *loginSequence() const { return m_loginSequence; }
    bool slotTelechargerFichier(QString DossierLocal, QString FichierAtelecharge, QString DossierFTP,
                                QString FichierCHK);
    QStringList UserToList(QString user, QString key);
    void RemoveLocalFile(QString folder, QStringList keep);
    bool checkCreateFolderFtp();

signals:
    // Every resize of the panel; drives the relayout.
    void resizeEvent(QResizeEvent *e);
    void signalResize(int w, int h, int rotation);
    void signalResize2(int w, int h, int rotation);
    void signalButton(int code);
    void SignalUpdateAdmin(QListWidget *List);
    void signalUpdateInfoEcran(int AfficheNumero);
    void signalAfficheInfo();
    void signalStatusEstMiseAJour();
    void SignalUpdateMediaFile();
    void SignalMediaSize(int size);
    void SignalUserLogin(QString User, QString Type);
    void SignalFirstFileSize();
    void signalSupprimerFichier(QString CheminMedia);
    void signalGetString(QStringList ListInfoSlide);
    void signalCalendar(int poster);
    void signalupdateReseaux(QString NomDuCompte, QString Dossier);
    void signalUpdateHDImage(int index);
    void signalUpdateWidget(int poster);
    void signalListFichier(QStringList ListFichier);
    void signalPutFileFinish();
    void signalMkdirFinish();
    void signalGetFileFinish();
    void signalPresenceBox();
    void signalCurrentCategory(QString Current);

public slots:
    // Relayout, clock and size.
    void updateScreens();
    void updateScreensTime();
    void slotActualiserTemps();
    void slotMinimumSize(int w, int h);

    // Tool buttons that open a page or toggle.
    void slotInformations();
    void slotStatistiques();
    void slotMedia();
    void slotAdministration();
    void slotCalendar();
    void slotReseaux();
    void slotWidget();
    void slotOrientation();
    void slotTactile();
    void slotPower();
    void slotPrevisualiser();
    void slotQuit();
    void slotAlerte();
    void slotSwitch();
    void slotDeploiement();
    void slotEcran();
    void slotClearListFile();
    void SlotBouttonMessageAnnuler();

    // Poster list, detail and media lists.
    void slotAjouterSlide();
    void slotSupprimerSlide();
    void slotMonterSlide();
    void slotDescendreSlide();
    void slotRenommerSlide();
    void slotTextEdit();
    void slotItemSlide();
    void slotItemSlideTime();
    void slotInitVideo();
    void slotNewMedia(int type, QString nameFile);
    void slotSupprimeMedia(int type, QString NameToRemove);
    void SlotNewWidget(QString ListWidget);
    void SlotUpdateTimeMedia();
    void SlotFichierVideo();
    void SlotFichierImage();
    void SlotFichierTexte();
    void SlotSliderOpacity(int value);
    void SlotSliderTempsDiffusion(int value);
    void SlotClavierOpacity();
    void SlotClavierTempsDiffusion();
    void slotChoixEcran();
    void SetString(int IndiceSlideToSave);
    void slotInteraction();

    // Categories and screens.
    void SlotCategorie(QString Text);
    void SlotCategoriePartie1(QString Text);
    void SlotCategoriePartie2(QString Text);
    void SlotUpdateCategorie(QString Text);
    void slotItemSelection();
    void slotItemPosition();
    void slotRenommerBox();
    void slotListProductionFile(QString Folder);

    // Start-up, login and transfers.
    void slotCheckFile();
    void connectOrDisconnect();
    void startProgram();
    void updateDataTransferProgress(qint64 readBytes, qint64 totalBytes);
    void slotLoginUtilisateur();
    void slotDownloadFileBox();
    void slotDownloadStatus();
    void slotDownloadFileStatus();
    void slotDemandeStatusBoitier();
    void slotRelanceStatusBoitier();
    void slotProcessFolder();
    void slotFolder(int Status, QString Folder, QString newFolder);
    void EnvoiGrosFichier();
    void connectToFtp();
    void ftpCommandStarted(int commandId);
    void ftpCommandFinished(int commandId, bool error);
    void stateChanged(int state);
    void slotPutFile(QString fileNameOrigin, QString FolderDestination, QString fileNameDestination);
    void slotMkdir(QString Folder);
    void slotGetFile(QString FolderFtp, QString fileNameFtp, QString FolderDestination, QString fileNameDestination);
    void downloadFile(QString FolderDestination, bool RemoveFile);

    // Deployments, commands and support reports.
    void slotProcessDeploy();
    void slotProcessDeployLogin();
    void slotProcessDeployMedia();
    void slotProcessDeployCommandeTimer();
    void slotProcessDeployInfoMediaTimer();
    void slotProcessDeployAlerteTime();
    void slotProcessDeployFile(int status);
    void slotProcessDeployCommande(QString Command);
    void slotProcessDeployMediaFile(QStringList NewMediaImage, QStringList DeleteMediaImage,
                                    QStringList NewMediaVideo, QStringList DeleteMediaVideo,
                                    QStringList NewMediaText, QStringList DeleteMediaText, bool Modif);
    void slotProcessDeployAlerte(QString FileAlerte);
    void slotUpdateMediaFinish();
    void slotSavePictureTermine();
    void SlotSupprimerCompte();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    QString m_workFolder; // ends with "/"
    void createToolButtons();
    QTimer *makeTimer(int interval);
    void CreationMessage();
    void CreateMessageSimple();
    void CreationINFO();
    void buildLayouts();
    void CreationTransfer();
    void showError(const QString &text);
    void stopWithMessage(QTimer *timer, const QString &text);
    void cancelBoxDownload();
    void CreationSequences();
    void CreationDeploiement();
    bool SelectBox(QStringList *targets);
    void MessageTermine();
    void showInfo(const QString &text);
    void deployButtons(bool all);
    void CreationSession();
    void showScreenNotice();
    void posterListLive(bool live);
    QString workPath(const QString &relative) const;

    // Parameter files as last read: login file, poster list, playlist link,
    // account file, media index, box and journal files.
    ClassParam m_paramLogin;
    ClassParam m_paramPlayer;
    ClassParam m_paramPlaylist;
    ClassParam m_paramConnexion;
    ClassParam m_paramMedia;
    ClassParam m_paramBox;
    ClassParam m_paramInfoMedia;
    ClassParam m_paramInfoAdmin;

    QStringList m_posterKeys;

    QFont m_titleFont;
    QFont m_boldFont;
    QFont m_smallFont;
    QFont m_listFont;
    QFont m_statusFont;
    int m_statusIconSize = 0;
    int m_width = 0;
    int m_height = 0;
    int m_relayoutTick = 0;
    int m_previewWidth = 200;
    int m_previewHeight = 112;
    int m_rotation = 0;

    // Labels.
    QLabel *m_background = nullptr;
    QLabel *m_dimming = nullptr;
    QLabel *m_statusLine = nullptr;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_infoLabel = nullptr;
    QLabel *m_noticeLabel = nullptr;
    QLabel *m_logoLabel = nullptr;
    QLabel *m_clockLabel = nullptr;
    QLabel *m_hiddenLabel = nullptr;
    QLabel *m_panelCaption = nullptr;
    QLabel *m_playlistsLabel = nullptr;

    // Groups, screens and posters.
    QListWidget *m_posterList = nullptr;
    QStringList m_statusEntries;

    QFrame *m_toolFrame = nullptr;
    QFrame *m_headerFrame = nullptr;
    ScreenChooser *m_chooser = nullptr;
    QFrame *m_posterFrame = nullptr;
    AnimationStackedWidget *m_panelStack = nullptr;
    int m_pageFlag = 0;

    classAjoutBox *m_ajoutBox = nullptr;

    // Tool buttons, in construction order.
    QToolButton *m_btnUser = nullptr;
    QToolButton *m_btnConnecter = nullptr;
    QToolButton *m_btnAdministration = nullptr;
    QToolButton *m_btnMediatheque = nullptr;
    QToolButton *m_btnStatistiques = nullptr;
    QToolButton *m_btnInformations = nullptr;
    QToolButton *m_btnOrientation = nullptr;
    QToolButton *m_btnAlimentation = nullptr;
    QToolButton *m_btnAjouter = nullptr;
    QToolButton *m_btnSupprimer = nullptr;
    QToolButton *m_btnMonter = nullptr;
    QToolButton *m_btnDescendre = nullptr;
    QToolButton *m_btnRenommer = nullptr;
    QToolButton *m_btnEditer = nullptr;
    QToolButton *m_btnDateHeure = nullptr;
    QToolButton *m_btnReseaux = nullptr;
    QToolButton *m_btnSpeciales = nullptr;
    QToolButton *m_btnTactile = nullptr;
    QToolButton *m_btnVisualiser = nullptr;
    QToolButton *m_btnDeployer = nullptr;
    QToolButton *m_btnQuitter = nullptr;
    QToolButton *m_btnAlerte = nullptr;
    QToolButton *m_btnPermuter = nullptr;
    QToolButton *m_btnAjouterEcran = nullptr;
    QToolButton *m_btnRenommerEcran = nullptr;
    QList<QToolButton *> m_toolButtons;
    QList<QToolButton *> m_rightsButtons;

    MessageOverlay *m_overlay = nullptr;
    // The poster properties of the chosen screen.
    PosterPanel *m_posters = nullptr;
    QWidget *m_simplePanel = nullptr;
    QLabel *m_simpleLabel = nullptr;
    QLabel *m_simpleBackground = nullptr;

    // Timers of the step machines.
    QTimer *m_timerCheckFile = nullptr;
    QTimer *m_timerLogin = nullptr;
    QTimer *m_timerDeploy = nullptr;
    QTimer *m_timerDeployLogin = nullptr;
    QTimer *m_timerDeployMedia = nullptr;
    QTimer *m_timerDeployCommande = nullptr;
    QTimer *m_timerDeployInfoMedia = nullptr;
    QTimer *m_timerDeployAlerte = nullptr;
    QTimer *m_timerUpdateTimeMedia = nullptr;
    QTimer *m_timerFichierVideo = nullptr;
    QTimer *m_timerItemSlide = nullptr;
    QTimer *m_timerFolder = nullptr;
    QTimer *m_timerRelayout = nullptr;
    QTimer *m_timerGrosFichier = nullptr;
    QTimer *m_timerStatusBoitier = nullptr;
    QTimer *m_timerRelanceStatus = nullptr;
    QTimer *m_timerDownloadBox = nullptr;
    QTimer *m_timerDownloadStatus = nullptr;
    QTimer *m_timerTransfer = nullptr;
    TimerProcess *m_timeoutA = nullptr;
    TimerProcess *m_timeoutB = nullptr;

    // Server transfer layer.
    HttpFileApi *m_http = nullptr;
    TransferProgress *m_progress = nullptr;
    TransferSlots *m_transferSlots = nullptr;
    ConnectionStarter *m_starter = nullptr;
    ListTransfers *m_lists = nullptr;
    LargeFileUpload *m_largeUpload = nullptr;
    FolderOperations *m_folders = nullptr;
    BoxFolderDownload *m_boxDownload = nullptr;
    RevisionCounters *m_revisions = nullptr;
    BoxDeployment *m_boxDeploy = nullptr;
    AccountDeployment *m_accountDeploy = nullptr;
    MediaDeployment *m_mediaDeploy = nullptr;
    CommandReport *m_commands = nullptr;

    // Step machines.
    BoxStatusPoller *m_statusPoller = nullptr;

    // Account and user.
    AccountFile m_account;
    StartupSequence *m_startup = nullptr;
    LoginSequence *m_loginSequence = nullptr;
    MediaAlignment *m_media = nullptr;
    PanelDialogs *m_dialogs = nullptr;
    QString m_userName;
    QString m_userType;
    int m_maxDisplayTime = 120;
    int m_maxPosterCount = 0;
    int m_posterCount = 0;
};

#pragma once

#include "LoginFile.h"

#include <QSize>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class AdminWidgets;
class ListManager;
class QListWidget;
class UserRecordEditor;
class QSignalMapper;
class QTimer;

// Administration page: users, rights, categories, playlists and boxes of
// the account's login file. Its widgets are AdminWidgets, the file's lists
// and their saving LoginFile; the page wires them and keeps the slots.
class classAdmin : public QWidget
{
    Q_OBJECT
public:
    explicit classAdmin(QWidget *parent = nullptr);
    ~classAdmin() override;

    AdminWidgets *widgets() const { return m_ui.get(); }
    LoginFile &loginFile() { return m_login; }
    ListManager *listManager() const { return m_lists; }
    // The text the keyboard edits, shared by the user fields and the names
    // of list management; the size keyboards and keypads open at.
    QString &editText() { return m_editText; }
    QSize lastSize() const { return QSize(m_lastWidth, m_lastHeight); }
    void showMessage(const QString &text, int type);

    // Set before a playlist is added, removed or renamed (saved at once):
    // the page then stays until validate.
    void lockPlaylistEdit();
    bool playlistEditLocked() const { return m_playlistLock; }

    // Flags of the last save.
    bool changed() const { return m_changed; }
    bool deployStatus() const { return m_deployStatus; }

    void UpdateComboListPlayer();
    void UpdatePlayerlistToPlaylist();
    // False (after an error box) when the file could not be written; a file
    // changed since the page loaded it is loaded again instead.
    bool UpdateLoginCrypt();
    // Writes one list key at once; true when the file changed.
    bool EnregistreBalises(QString key, QStringList list);
    bool administrator() const { return m_administrator; }
    void MessageInformation();

    // The warning before a playlist change; true (and the page locked) when
    // accepted.
    bool slotMessageWarning();
    static QString GetRandomString();
    static bool VerificationMotdePasse(QString password);
    // Type 0 rename, 1 removal, 2 addition of a category or playlist:
    // journals the first two and fixes every user's allowed lists.
    void UpdateListPermissionElements(int type, QString name, QString newName);
    // Appends one record to the administration journal.
    bool InfoMedia(QString operation, QString oldName, QString newName, QString removed);
    void refillPlaylistChooser();

    void UpdateUserWidget();
    void UpdateUserType();
    void UpdateListUserPermission();
    void UpdatePlaylistWidget();
    void UpdateCategoryWidget();
    void UpdateFiltresWidget();

public slots:
    void slotResize(int width, int height, int rotation);
    // Loads the login file's lists; `ListDir` is the panel's screens list.
    void slotUpdateAdmin(QListWidget *ListDir);
    void slotPageUtilisateur();
    void slotPageCategorie();
    void slotPagePlaylist();
    void slotValider();
    void slotAnnuler();
    void slotListWidget(int id);
    void slotGestionList(int code);
    void slotTimerGestionList();
    // 0: the current user's categories, 1: the current playlist's boxes,
    // both through the selection form.
    void slotListSerial(int id);
    void slotClavier(QString Titre);
    void slotNom();
    void slotEmail();
    void slotTelephone();
    void slotPassword();
    void slotTypeUser(QString Type);
    void slotListPermission(QString text);
    void SlotClavierTempsMax();
    void SlotClavierNbreAfficheMax();
    // Whether the signed-in user may administer the account: nothing is
    // saved or edited on the page otherwise.
    void slotAdministrator(bool granted);
    // The account deployment sent the login file (1: and the playlists).
    void slotAccountDeployed(int status);
    // The server's login file changed under this page: nothing was sent and
    // the local file now holds the server's; the page shows it again.
    void slotLoginReloaded();
    // The login file read back from the server: the passwords of the new
    // users it holds are shown, once.
    void slotLoginStored();

signals:
    void signalButton(int code);
    // The login file changed and must be sent (1: with the playlist files).
    void signalEnvoiDeploy(int status);
    // 0 create, 1 rename, 3 remove a folder on the server.
    void signalFolder(int Status, QString Folder, QString newFolder);

private:
    QStringList m_screens; // the console's screens at the last load
    void wire();
    void loadPage(bool read);
    bool applySave(const LoginFile::SaveResult &result);
    // Refuses (and goes back to the panel) unless an administrator signed in.
    bool administratorOnly();
    void showError(const QString &text);
    QStringList &list(LoginFile::List which) { return m_login.list(which); }
    static void fillDetail(QListWidget *widget, const QStringList &items, bool withIcon);

    QString m_path;
    LoginFile m_login;
    std::unique_ptr<AdminWidgets> m_ui;
    std::unique_ptr<UserRecordEditor> m_users;
    ListManager *m_lists;
    QString m_editText;
    int m_lastWidth = 0;
    int m_lastHeight = 0;
    bool m_administrator = false;
    bool m_playlistLock = false;
    bool m_changed = false;
    bool m_deployStatus = false;
    QTimer *m_timer;
    QSignalMapper *m_actionMapper;
    QSignalMapper *m_serialMapper;
    QSignalMapper *m_rowMapper;
    QSignalMapper *m_rightsMapper;
};

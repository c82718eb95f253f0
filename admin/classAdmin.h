#pragma once

#include "LoginFile.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class AdminWidgets;
class QListWidget;
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

    // Set before a playlist is added, removed or renamed (saved at once):
    // the page then stays until validate.
    void lockPlaylistEdit();
    bool playlistEditLocked() const { return m_playlistLock; }

    // Flags of the last save.
    bool changed() const { return m_changed; }
    bool deployStatus() const { return m_deployStatus; }

    void UpdateComboListPlayer();
    void UpdatePlayerlistToPlaylist();
    // False (after an error box) when the file could not be written.
    bool UpdateLoginCrypt();
    bool EnregistreBalises(QString key, QStringList list);
    void MessageInformation();

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
    // Editing of users and lists; they arrive with the editing work.
    void slotGestionList(int code);
    void slotListSerial(int id);
    void slotListPermission(QString text);
    void slotTypeUser(QString Type);

signals:
    void signalButton(int code);
    // The login file changed and must be sent (1: with the playlist files).
    void signalEnvoiDeploy(int status);
    // 0 create, 1 rename, 3 remove a folder on the server.
    void signalFolder(int Status, QString Folder, QString newFolder);

private:
    void wire();
    void showError(const QString &text);
    QStringList &list(LoginFile::List which) { return m_login.list(which); }
    static void fillDetail(QListWidget *widget, const QStringList &items, bool withIcon);

    QString m_path;
    LoginFile m_login;
    std::unique_ptr<AdminWidgets> m_ui;
    QString m_editText;
    int m_lastWidth = 0;
    int m_lastHeight = 0;
    bool m_playlistLock = false;
    bool m_changed = false;
    bool m_deployStatus = false;
    QTimer *m_timer;
    QSignalMapper *m_actionMapper;
    QSignalMapper *m_serialMapper;
    QSignalMapper *m_rowMapper;
    QSignalMapper *m_rightsMapper;
};

#pragma once

#include <QWidget>

class PagePlaceholder;
class QListWidget;

// Administration page: users, rights, categories, playlists and boxes of
// the account's login file.
class classAdmin : public QWidget
{
    Q_OBJECT
public:
    explicit classAdmin(QWidget *parent = nullptr);
    ~classAdmin() override;

public slots:
    void slotResize(int width, int height, int rotation);
    // Loads the login file's lists; `ListDir` is the panel's screens list.
    void slotUpdateAdmin(QListWidget *ListDir);

signals:
    void signalButton(int code);
    // The login file changed and must be sent (1: with the playlist files).
    void signalEnvoiDeploy(int status);
    // 0 create, 1 rename, 3 remove a folder on the server.
    void signalFolder(int Status, QString Folder, QString newFolder);

private:
    PagePlaceholder *m_body;
};

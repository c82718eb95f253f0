#pragma once

#include "ClassParam.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The account's login file (LoginCrypt.orvex) as the administration page
// works on it: seventeen row lists ("|" between rows, ";" between the
// items of a row), loaded with the first user seeded, and written back in
// one atomic write of the keys whose text changed. No widgets.
class LoginFile
{
public:
    // In the order the save compares and writes them.
    enum List {
        UserList,
        UserPermission,
        UserType,
        UserNom,
        UserEmail,
        UserTelephone,
        UserPassword,
        PlayPermission,
        PlaylistName,
        PlaylistElements,
        CategoryList,
        CategoryElements,
        FiltresList,
        FiltresElements,
        PlayerList,
        PlayerListName,
        PlayerListToPlaylist,
        ListCount
    };

    static const QString FileName;
    static const QString FirstUserRights;

    struct SaveResult {
        bool ok = false;
        // Some key was written; PLAYERLISTTOPLAYLIST among them.
        bool changed = false;
        bool deployStatus = false;
        // The file changed since it was loaded: nothing was written.
        bool stale = false;
        QStringList writtenKeys;
        QString copyPath; // empty when no dated copy was made
        QString error;    // why the save failed, for the user
    };

    static QString keyName(List list);
    // ListCount when `key` is not one of the list keys.
    static List listOf(const QString &key);

    // Row grammar.
    static QStringList splitRows(const QString &value);
    static QString joinRows(const QStringList &rows);
    // A first row "NULL" or empty: the user lists seed it.
    static bool hasNoRows(const QStringList &rows);
    // Only a whole value "" or "NULL" means no rows; "|b" holds two rows.
    static bool isNoRows(const QString &value);
    static QStringList readList(const QString &value);
    static QStringList items(const QString &row);
    // Whole ";" items: "123" is not in "1234;5".
    // The items of row `row`; none for a row outside the list.
    static QStringList rowItems(const QStringList &rows, int row);
    static bool hasItem(const QString &row, const QString &item);

    // Typed texts: '"' and line breaks never reach the file; names and
    // contact fields also lose the row and item separators.
    static QString cleanTyped(QString text);
    static QString cleanName(const QString &text);
    // The distinct characters of `text` that the file cannot hold (it is
    // Latin-1): they would be stored as "?". Empty when all can be stored.
    static QString unstorableCharacters(const QString &text);
    // The message refusing them, naming each.
    static QString unstorableText(const QString &characters);
    // Only ASCII letters, digits, dots and blanks stay.
    static QString cleanPlaylistName(const QString &text);
    static const QString PlaylistPrefix;

    // Row i: the playlists (in name order) whose elements list box i.
    static QStringList playerToPlaylist(const QStringList &players, const QStringList &playlistNames,
                                        const QStringList &playlistElements);
    // "serial(name)" for every box that has a name row.
    static QStringList boxChooserItems(const QStringList &players, const QStringList &names);
    static QString datedCopyName(const QDateTime &when);

    explicit LoginFile(const QString &file = QString());

    QString fileName() const { return m_file; }
    void setFileName(const QString &file) { m_file = file; }
    // The file as last read (its table answers "NULL" before any read).
    ClassParam &param() { return m_param; }

    QStringList &list(List which) { return m_lists[which]; }
    const QStringList &list(List which) const { return m_lists[which]; }

    // Reads the file whole and refills the lists from it; boxes
    // come from `screens` when the file lists none. False when the file
    // could not be read: the lists are then empty and nothing can be saved
    // until a load succeeds.
    bool load(const QStringList &screens);
    bool reload() { return load(m_screens); }
    bool loaded() const { return m_loaded; }
    // The keys whose value could not become row 0 (it holds a '|').
    QStringList unseeded() const { return m_unseeded; }
    void updatePlayerToPlaylist();

    // Compares every list with what the file holds now, leaves the dated copy
    // and writes the changed keys at once. Nothing is written to a file that
    // was not loaded, changed since it was loaded, is missing, read-only or
    // lacks MOTDEPASSE (the login refuses such a file).
    SaveResult save(const QDateTime &now = QDateTime::currentDateTime());
    // The same for one list key, without the dated copy; the list takes `rows`.
    SaveResult saveKey(const QString &key, const QStringList &rows);

    // What a successful save changed and no successful deployment has sent
    // yet: -1 nothing, 0 the login file, 1 also the boxes' playlists.
    int pendingDeploy() const;
    // The status to send now; it stays pending until deploySucceeded.
    int requestDeploy();
    // An account deployment (1: with the playlists) reached its end. It
    // covers the pending saves only when none came after the last request.
    void deploySucceeded(int status);

    // A user added on the page: the password is told once the file that
    // holds it has reached the server, not before.
    void addNewUser(const QString &name, const QString &password);
    // The new users the file as last read or written holds, each told once.
    QList<QPair<QString, QString>> takeSentNewUsers();

private:
    // Whether the file as last read or written holds this user and password.
    bool holdsUser(const QPair<QString, QString> &user);

    SaveResult commit(const QList<List> &lists, bool datedCopy, const QDateTime &now);

    QString m_file;
    ClassParam m_param;
    QList<QStringList> m_lists = QList<QStringList>::fromVector(QVector<QStringList>(ListCount));
    QStringList m_screens;
    QStringList m_unseeded;
    // The table as loaded (or as last written): a save refuses a file that
    // no longer holds it.
    QList<QList<QString>> m_loadedTable;
    bool m_loaded = false;
    bool m_pendingChanged = false;
    bool m_pendingPlaylists = false;
    int m_saves = 0;
    int m_requestedAt = -1;
    QList<QPair<QString, QString>> m_newUsers; // name, password
};

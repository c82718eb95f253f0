#pragma once

#include <QString>
#include <QStringList>

// One PLAYPERMISSION row of the login file, taken apart for the category
// chooser: plain categories, grouped categories ("[Group]Name") and
// playlists ("PLAYLIST-Name").
class CategoryRow
{
public:
    // The pseudo-category that lists the row's playlists.
    static QString playlistCategory();

    // `entries` is the row split on ';'.
    static CategoryRow fromEntries(const QStringList &entries);

    // Text between the first '[' and the first ']' after it; empty with
    // `isGrouped` false when the entry names no group.
    static QString groupOf(const QString &entry, bool *isGrouped = nullptr);
    static bool isPlaylist(const QString &entry);

    // The group list: every category of the row in row order, then
    // playlistCategory() when the row holds playlists.
    QStringList groupListEntries() const;
    QStringList categories() const { return m_categories; }
    QStringList groups() const { return m_groups; }
    QStringList playlists() const { return m_playlists; }
    bool groupMode() const { return m_groupMode; }
    bool hasPlaylists() const { return !m_playlists.isEmpty(); }

    // Members of `group` among `categories`, without their "[group]" prefix.
    // Only entries that start with the prefix belong to the group: "Etage"
    // must not pull in "[Etage2]Salle".
    static QStringList membersOf(const QStringList &categories, const QString &group);
    static QString memberEntry(const QString &group, const QString &member);

    // Point size that makes the longest names fit the group list, decided by
    // the last name over 20 characters; -1 when no name needs it.
    int listPointSize(int panelHeight, float fontRatio) const;

private:
    QStringList m_categories;
    QStringList m_groups;
    QStringList m_playlists;
    bool m_groupMode = false;
    int m_lastLongLength = 0;
};

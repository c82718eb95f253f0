#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class ClassParam;

// What the control panel lists for a user: categories (some grouped under
// "[group]name"), playlists ("PLAYLIST-name") and the boxes of a category,
// from one PLAYPERMISSION row and the login file.
class CategoryTree
{
public:
    struct Screen {
        QString serial;
        QString name;
    };

    // Splits one permission row in the order it lists its entries.
    static CategoryTree fromEntries(const QStringList &entries);

    // "Hall" for "[Hall]Accueil"; empty for a plain category.
    static QString groupOf(const QString &entry);

    // Boxes of `category` with their display names (the serial when the box
    // has none). Empty serials are skipped: they would name the account root.
    static QList<Screen> screensOf(const QString &category, ClassParam &loginFile);

    QStringList categories() const { return m_categories; }
    QStringList groups() const { return m_groups; }
    QStringList playlists() const { return m_playlists; }
    bool hasGroups() const { return !m_groups.isEmpty(); }

private:
    QStringList m_categories;
    QStringList m_groups;
    QStringList m_playlists;
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Read-only view of the login file's user, category and box lists, as loaded
// with the key list "ALL" (row 0 keys, row 1 values).
class ScreenCatalog
{
public:
    struct Screen
    {
        QString serial;
        QString name;
    };

    explicit ScreenCatalog(const QList<QList<QString>> &table);

    // "NULL" for a key the file does not hold.
    QString value(const QString &key) const;

    // The user's own PLAYPERMISSION row split on ';'. False, leaving
    // `entries` alone, when the user is not listed or their row is missing
    // or empty.
    bool permissionEntries(const QString &user, QStringList *entries) const;

    // The boxes of one category in CATEGORYELEMENTS order. Empty serials are
    // skipped: an empty folder name would stand for the account's root.
    QList<Screen> screensOf(const QString &category) const;

    QString nameOf(const QString &serial) const;

    // PLAYERLISTNAME with the box renamed, padded with serials up to the
    // length of PLAYERLIST so that the row exists. False when the serial is
    // not a listed box.
    bool renamed(const QString &serial, const QString &newName, QString *nameList) const;

    // A name must not break the '|' rows nor the quoted value it is stored in.
    static bool isStorableName(const QString &name);

private:
    QStringList rows(const QString &key) const;

    QList<QList<QString>> m_table;
};

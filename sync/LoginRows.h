#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The login file (LoginCrypt.orvex) as rows that one console changes as a
// whole: a user (its row in every user list), a box (its serial, name and
// playlists), a playlist, a category, a filter. A row is named by its
// table's first key and its name ("USERLIST:anna"); its state is its items
// in the table's other lists (enciphered as the file is: it holds
// passwords), null when the file has no such row. A key
// outside those lists (MOTDEPASSE) is a row of its own, named by the key.
// No widgets.
class LoginRows
{
public:
    // Reads `file` whole; false when it cannot be read.
    bool read(const QString &file);

    // Every row of the file.
    QStringList keys() const;
    // A row's state, to compare and to hand back to setState(); a null
    // string when the file has no such row.
    QString state(const QString &key) const;
    // Sets a row's state in its place, appended when the file has none; a
    // null state removes the row.
    void setState(const QString &key, const QString &state);

    // Writes the lists that changed since read() into `file` (the same file
    // or a copy of it) in one write; false with why when it cannot.
    bool write(const QString &file, QString *why = nullptr) const;

    // The rows whose state differs between two copies of the file.
    static QStringList changed(const LoginRows &before, const LoginRows &after);
    // "l'utilisateur anna", "l'écran 10999": a row as the user knows it.
    static QString rowName(const QString &key);
    // A row this console changed that the server's file lost: gone there
    // (`server` null) or changed since by another console.
    static QString lostText(const QString &key, const QString &server);

private:
    // The lists of a table, the first holding the names.
    static const QList<QStringList> &tables();
    static QStringList tableOf(const QString &key);

    QMap<QString, QStringList> m_lists;
    QMap<QString, QStringList> m_read;
    QMap<QString, QString> m_plain;
    QMap<QString, QString> m_plainRead;
};

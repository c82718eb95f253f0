#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

// What this console changed in one shared file of the server, kept in the
// work folder (TEMP/KEPT-<name>.json) until a later fetch of that file
// shows it. The server has no lock and an upload replaces the whole file,
// so another console's late upload can still take a change out after it
// was read back; every later fetch (login, page visit, box selection,
// deployment) asks check() which kept changes it shows, which it lost and
// may be merged again, and which another console changed since (those are
// named to the user, never overwritten).
//
// A change is one item of the file: a whole box file ("10001/PLAYER.orvex",
// the states being checksums), a row of the login file, a record of the
// media index or of its administration journal. Each carries the item's state on the server before this
// console's change and the state it sent; a null state is "not there".
// How a file kind reads an item's state from a fetched copy is the kind's
// own affair: check() is handed that reading.
class KeptChanges
{
public:
    enum Kind { BoxFile, LoginRow, MediaRecord, AdminRecord };
    // What a fetched copy shows of one change.
    enum Verdict {
        Shown,     // the state this console sent
        Missing,   // still the state it replaced: merge it again
        Overtaken, // another state since: another console's, to be named
    };

    struct Change {
        Kind kind = BoxFile;
        QString key;
        QString before;     // the item on the server before the change (null: absent)
        QString after;      // the item this console sent (null: removed)
        QStringList extra;  // whatever the kind needs besides (a counter, a journal record)
        bool operator==(const Change &o) const
        {
            return kind == o.kind && key == o.key && before == o.before && after == o.after && extra == o.extra
                && before.isNull() == o.before.isNull() && after.isNull() == o.after.isNull();
        }
    };

    struct Check {
        QList<Change> shown;
        QList<Change> missing;
        QList<Change> overtaken;
    };

    // TEMP/KEPT-<name>.json of the work folder (`work` ends in "/").
    static QString path(const QString &work, const QString &name);

    explicit KeptChanges(const QString &path);
    QString path() const { return m_path; }

    // No file: nothing kept. A damaged file is set aside beside it
    // (".damaged"), nothing is kept, and `error` says so: false.
    bool load(QString *error = nullptr);
    // The whole set, written beside the file and put in its place with one
    // rename; an empty set removes the file. On failure the file on disk is
    // as it was and `error` says why.
    bool save(QString *error = nullptr) const;

    QList<Change> changes() const { return m_changes; }
    QList<Change> changes(Kind kind) const;
    bool isEmpty() const { return m_changes.isEmpty(); }
    // The kept change of `kind` and `key`, or a change with an empty key.
    Change find(Kind kind, const QString &key) const;

    // Keeps `change`, replacing one of the same kind and key. A change not
    // yet shown keeps the state it first replaced: the server still holds
    // that one as far as this console knows.
    void keep(const Change &change);
    // Keeps `change` as it is, replacing one of the same kind and key.
    void replace(const Change &change);
    void drop(Kind kind, const QString &key);
    void drop(const QList<Change> &changes);

    // What a fetched state tells of `change`.
    static Verdict judge(const Change &change, const QString &fetched);
    // Every change of `kind`, judged against the state `stateOf` reads for
    // it from the fetched copy. Nothing is dropped: the caller drops what
    // it settled and saves.
    Check check(Kind kind, const std::function<QString(const Change &)> &stateOf) const;

private:
    int indexOf(Kind kind, const QString &key) const;

    QString m_path;
    QList<Change> m_changes;
};

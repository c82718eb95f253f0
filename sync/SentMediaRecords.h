#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Journal records that went up with an index that was read back, kept in
// the work folder until a later fetch of the server's index (at a login, a
// visit of the media page, a media, account or box deployment) shows them:
// the server has no lock, and another console's upload that lands after
// the read-back can still take them out of the index. The media journal's
// records are kept in TEMP/SENT-INFOMEDIA.orvex, the administration
// journal's in TEMP/SENT-INFOADMIN.orvex, each in its journal's format; a
// kept media record carries after its five fields the state its path had
// in the index it was merged on (listed "1" or "0", checksum, permission),
// so that it is applied again only while the index still shows that state
// and never over another console's later change.
class SentMediaRecords
{
public:
    enum Kind { Media, Admin };

    static QString fileName(Kind kind = Media);
    static QString path(const QString &work, Kind kind = Media);

    // Whether `index` shows what `records` did: per path, the last AJOUTER
    // or SUPPRIMER decides whether it is listed, and a PERMISSION after it
    // gives its permission row. Every record of a path the index does not
    // show is answered, in journal order.
    static QList<QStringList> notShown(const QString &index, const QList<QStringList> &records);
    // Of the records `index` does not show, those to merge again: the
    // paths whose entry the index still shows as it was before the records
    // (a record without that state: any path not shown).
    static QList<QStringList> toMergeAgain(const QString &index, const QList<QStringList> &records);
    // `records` with the state each path has in `index` after their journal
    // fields, as they are kept.
    static QList<QStringList> withStateBefore(const QString &index, const QList<QStringList> &records);
    // The journal fields of kept records, as a merge replays them.
    static QList<QStringList> journalFields(const QList<QStringList> &records);
    // The paths `records` leave listed (their last AJOUTER or SUPPRIMER is
    // an AJOUTER).
    static QStringList listedPaths(const QList<QStringList> &records);

    // Administration records (RENOMMER, SUPPRIMER of a category or box
    // name in the permission rows) are shown when replaying them in order
    // on the index changes nothing; otherwise all of them go again, in
    // order (a rename is replayed only where the old name is still there).
    static QList<QStringList> adminNotShown(const QString &index, const QList<QStringList> &records);

    // The kept records of `kind` the fetched `index` shows, or that another
    // console's later change replaced, are dropped; those to merge again
    // stay and are answered. An unreadable index changes nothing and
    // answers none.
    static QList<QStringList> confirm(const QString &work, const QString &index, Kind kind = Media);
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The media index's kind of KeptChanges: journal records that went up with
// an index that was read back, kept in the work folder until a later fetch
// of the server's index (at a login, a visit of the media page, a media,
// account or box deployment) shows them: the server has no lock, and
// another console's upload that lands after the read-back can still take
// them out of the index. Both journals keep theirs in one file
// (KeptChanges::path(work, "MEDIA.orvex")): a media change per path
// (MediaRecord: the index entry it replaced, listed or not with its checksum
// and permission, and what was sent; the journal records in `extra`), an
// administration record per change (AdminRecord). A media change is applied
// again only while the index still shows the entry it replaced, never over
// another console's later change (Overtaken: dropped).
//
// Outside, kept records read as they did in the journal files that kept
// them before (TEMP/SENT-INFOMEDIA.orvex, TEMP/SENT-INFOADMIN.orvex): a
// media record's five journal fields, then the state its path had in the
// index it was merged on (listed "1" or "0", checksum, permission). Those
// files, left by an older console, are carried over at the first load.
class SentMediaRecords
{
public:
    enum Kind { Media, Admin };

    // The kept file (both kinds) in TEMP/ of the work folder.
    static QString fileName();
    static QString path(const QString &work);
    // The files an older console kept them in.
    static QString oldFileName(Kind kind);

    // The kept records of `kind`, as the journal held them, after the
    // records of the older files (carried over, then removed).
    static QList<QStringList> records(const QString &work, Kind kind = Media);
    // The kept records of `kind` replaced by exactly `records` (the other
    // kind's stay). False with the file on disk as it was and why.
    static bool rewrite(const QString &work, Kind kind, const QList<QStringList> &records, QString *why = nullptr);

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

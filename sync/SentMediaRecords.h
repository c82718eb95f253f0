#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Media journal records that went up with an index that was read back,
// kept in TEMP/SENT-INFOMEDIA.orvex (the journal's format) until a later
// fetch of the server's index, at a login or a visit of the media page,
// shows them: the server has no lock, and another console's upload that
// lands after the read-back can still take them out of the index.
class SentMediaRecords
{
public:
    static QString fileName();
    static QString path(const QString &work);

    // Whether `index` shows what `records` did: per path, the last AJOUTER
    // or SUPPRIMER decides whether it is listed, and a PERMISSION after it
    // gives its permission row. Every record of a path the index does not
    // show is answered, in journal order.
    static QList<QStringList> notShown(const QString &index, const QList<QStringList> &records);
    // The paths `records` leave listed (their last AJOUTER or SUPPRIMER is
    // an AJOUTER).
    static QStringList listedPaths(const QList<QStringList> &records);

    // The kept records the fetched `index` shows are dropped; those it does
    // not show stay and are answered, for the media deployment to merge
    // again. An unreadable index changes nothing and answers none.
    static QList<QStringList> confirm(const QString &work, const QString &index);
};

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The local journals of media and administration operations
// (TEMP/INFOMEDIA.orvex, TEMP/INFOADMIN.orvex): a counter NBOPERATION and
// records "OPERATION n°<k>", k from 1, each the fields joined by '|'.
class OperationJournal
{
public:
    static QString countKey();
    static QString recordKey(int number);
    // The record key without its number.
    static QString recordKeyPrefix();

    // Appends one record, creating an empty journal first when there is
    // none. The counter is written before the record it counts. When the
    // file cannot be created or written `error` gets the message to show
    // ("Impossible de créer le fichier ..." or "Impossible d'écrire le
    // fichier ...") and nothing is recorded: counter and record go in one
    // atomic write.
    static bool append(const QString &path, const QStringList &fields, QString *error = nullptr);
    // Several records, numbered on, in the same one write; the file then
    // holds the bytes that appending them one by one would leave.
    static bool appendAll(const QString &path, const QList<QStringList> &records, QString *error = nullptr);

    // The records numbered above `after`, in number order, each split on
    // '|'. Only the records the file holds are walked: a damaged counter
    // stays cheap.
    static QList<QStringList> records(const QString &path, int after = 0);
    // The journal replaced by exactly `records`, numbered from 1; none
    // removes it. On failure the file is as it was and `error` says why.
    static bool rewrite(const QString &path, const QList<QStringList> &records, QString *error = nullptr);
};

#pragma once

#include <QString>

// Replays an operation journal on a fresh copy of the media index before
// the index is sent. The journal is deleted only once every write of the
// index succeeded; otherwise it stays for the next attempt and the merge
// answers false.
class JournalMerge
{
public:
    // Media journal records: kind|path|checksum|permission|size, kinds
    // "AJOUTER", "SUPPRIMER" and "PERMISSION", applied to the four parallel
    // lists FILEPATH, FILECHK, FILEPATHPERMISSION and FILESIZE.
    static bool mergeMedia(const QString &indexPath, const QString &journalPath);

    // Administration journal records: kind|old name|new name|name, kinds
    // "RENOMMER" and "SUPPRIMER", applied to the FILEPATHPERMISSION text.
    static bool mergeAdmin(const QString &indexPath, const QString &journalPath);

    // Whole items only: an item is bounded by ';', '|' or the ends of the
    // text, so "Hall" never touches "Hall2". Separators stay in place.
    static QString renameItem(const QString &text, const QString &from, const QString &to);
    static QString removeItem(const QString &text, const QString &name);
};

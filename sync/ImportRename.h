#pragma once

#include <QString>
#include <functional>

// An imported picture or video is stored as its cleaned name, "-", the time
// of the import as hhmmss and its extension. Two consoles importing files
// of one name in the same second make the same name: the one that finds it
// taken on the server takes the next free second, and everything of this
// console that names the import follows. Widget-free.
class ImportRename
{
public:
    // `name` with its time stamp moved on one second at a time (23:59:59 is
    // followed by 00:00:00) to the first that `taken` lets through; empty
    // when the name has no time stamp or every second is taken.
    static QString nextFreeName(const QString &name, const std::function<bool(const QString &)> &taken);

    // In the work folder `work`, `folder` ("IMAGE/" or "VIDEO/") + oldName
    // becomes `folder` + newName: the file, the records of the media journal
    // TEMP/INFOMEDIA.orvex, the entry of this console's index
    // TEMP/MEDIA.orvex and the posters of DATA/PLAYER.orvex that name it.
    // False with the file not written in `file` and why: a journal that
    // cannot be rewritten leaves the file under its old name too.
    static bool apply(const QString &work, const QString &folder, const QString &oldName, const QString &newName,
                      QString *file, QString *why);
};

#pragma once

#include <QString>
#include <QStringList>

// Brings one box or playlist folder of a local account tree into the work
// folder's DATA: stands in for the server's box-folder download while the
// account works on LOCALPATH.
class LocalBoxDownload
{
public:
    // Copies every plain file of `accountFolder`/`boxFolder` into
    // `dataFolder`. `boxFolder` is a box serial or "PLAYLIST-<name>"; an
    // empty or path-like name is refused (it would fetch the account root).
    // Returns false with the reason in `problem` when nothing usable came.
    static bool fetch(const QString &accountFolder, const QString &boxFolder, const QString &dataFolder,
                      QString *problem, QStringList *copied = nullptr);
};

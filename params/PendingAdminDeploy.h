#pragma once

#include <QString>

// The mark, on disk in the work folder, of an administration change saved
// in the local login file that no account deployment has sent yet. It
// outlives the process, so that a quit and the next login know of it.
class PendingAdminDeploy
{
public:
    static QString path(const QString &workFolder);
    static bool isPending(const QString &workFolder);
    // False when the mark could not be written. `playlists`: the boxes'
    // playlist files are to be sent too.
    static bool mark(const QString &workFolder, bool playlists = false);
    static bool playlistsPending(const QString &workFolder);
    static void clear(const QString &workFolder);
    // Where the login keeps the unsent login file before the server's
    // copy replaces it.
    static QString keptCopy(const QString &workFolder);
};

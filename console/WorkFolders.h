#pragma once

#include <QString>
#include <QStringList>

// The seven folders the console keeps under its work folder, and the two
// operations that make and empty them.
class WorkFolders
{
public:
    // In creation order.
    static QStringList names();

    // Makes each missing folder under `workFolder`, which is created first
    // when it does not exist. Returns the names that could not be made.
    static QStringList create(const QString &workFolder);

    // Deletes every plain, non-hidden file directly in `folder`; sub-folders
    // stay. A path without its trailing "/" still names the folder itself.
    // Returns false when a file stayed; its name goes to `left`.
    static bool removeFiles(const QString &folder, QStringList *left = nullptr);
};

#pragma once

#include <QString>

// The side files this console writes a copy into before it takes the
// place of the file (".~NAME.part"): none is ever a file of the account,
// and one left by a kill is removed at the next login.
class SideFiles
{
public:
    // A side file left this long unwritten belongs to no live transfer: a
    // transfer without progress fails long before.
    static constexpr int StaleSeconds = 600;

    // Where a copy to `path` is written until it is whole.
    static QString of(const QString &path);
    // Whether `name` (a file name, no folder) is a side file.
    static bool isSideFile(const QString &name);
    // Removes the stale side files under `folder` and its subfolders; the
    // number removed.
    static int removeStale(const QString &folder);
};

#pragma once

#include "ClassParam.h"

#include <QDir>
#include <QStringList>

// The media files below an account folder ("IMAGE/a.png", ...), sorted.
inline QStringList mediaFilesBelow(const QString &account)
{
    QStringList files;
    for (const char *folder : {"IMAGE", "VIDEO", "TEXT"}) {
        for (const QString &name : QDir(account + QLatin1Char('/') + QLatin1String(folder)).entryList(QDir::Files))
            files << QLatin1String(folder) + QLatin1Char('/') + name;
    }
    files.sort();
    return files;
}

// The paths a media index lists, sorted; a path listed twice stays twice.
inline QStringList indexedPaths(const QString &index, int fingerprint = 0)
{
    QStringList paths = ClassParam().getParamCrypt(index, QStringLiteral("FILEPATH"), fingerprint).split(QLatin1Char('|'));
    paths.removeAll(QString());
    paths.removeAll(QStringLiteral("NULL"));
    paths.sort();
    return paths;
}

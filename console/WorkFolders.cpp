#include "WorkFolders.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

QStringList WorkFolders::names()
{
    return {QStringLiteral("DATA"), QStringLiteral("TEMP"), QStringLiteral("VIDEO"), QStringLiteral("IMAGE"),
            QStringLiteral("LINKS"), QStringLiteral("TEXT"), QStringLiteral("LOG")};
}

QStringList WorkFolders::create(const QString &workFolder)
{
    QDir base(workFolder);
    if (!base.exists())
        QDir().mkpath(workFolder);

    QStringList failed;
    for (const QString &name : names()) {
        // A plain file of that name is no folder: report it.
        if (QFileInfo(base.filePath(name)).isDir())
            continue;
        if (!base.mkdir(name))
            failed << name;
    }
    return failed;
}

bool WorkFolders::removeFiles(const QString &folder, QStringList *left)
{
    // Joining names onto a path without its separator would name files beside
    // the folder, never inside it.
    QString path = folder;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');

    const QDir dir(path);
    if (path.isEmpty() || !dir.exists())
        return true;

    bool allGone = true;
    const QStringList entries = dir.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Unsorted);
    for (const QString &name : entries) {
        const QString file = path + name;
        if (QFileInfo::exists(file) && !QFile::remove(file)) {
            allGone = false;
            if (left)
                *left << name;
        }
    }
    return allGone;
}

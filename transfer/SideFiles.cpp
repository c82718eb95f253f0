#include "SideFiles.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace {

const QLatin1String kStart(".~");
const QLatin1String kEnd(".part");

} // namespace

QString SideFiles::of(const QString &path)
{
    const QFileInfo info(path);
    return info.dir().filePath(kStart + info.fileName() + kEnd);
}

bool SideFiles::isSideFile(const QString &name)
{
    return name.size() > kStart.size() + kEnd.size() && name.startsWith(kStart) && name.endsWith(kEnd);
}

int SideFiles::removeStale(const QString &folder)
{
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return 0;
    const QDateTime before = QDateTime::currentDateTimeUtc().addSecs(-StaleSeconds);
    int removed = 0;
    // Links are not followed: only what lies under the folder goes.
    QDirIterator files(folder, {kStart + QLatin1Char('*') + kEnd}, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        const QFileInfo info = files.fileInfo();
        if (info.isSymLink() || !isSideFile(info.fileName()) || info.lastModified().toUTC() > before)
            continue;
        if (QFile::remove(path))
            ++removed;
    }
    return removed;
}

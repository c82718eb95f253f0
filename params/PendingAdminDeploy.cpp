#include "PendingAdminDeploy.h"

#include <QDir>
#include <QFile>

namespace {

QString inFolder(const QString &workFolder, const char *name)
{
    return QDir(workFolder).filePath(QLatin1String(name));
}

} // namespace

QString PendingAdminDeploy::path(const QString &workFolder)
{
    return inFolder(workFolder, "ADMIN-NON-ENVOYE");
}

bool PendingAdminDeploy::isPending(const QString &workFolder)
{
    return QFile::exists(path(workFolder));
}

bool PendingAdminDeploy::mark(const QString &workFolder, bool playlists)
{
    QFile file(path(workFolder));
    if (file.exists() && (!playlists || playlistsPending(workFolder)))
        return true;
    return file.open(QIODevice::WriteOnly) && (!playlists || file.write("1") == 1);
}

bool PendingAdminDeploy::playlistsPending(const QString &workFolder)
{
    QFile file(path(workFolder));
    return file.open(QIODevice::ReadOnly) && file.read(1) == "1";
}

void PendingAdminDeploy::clear(const QString &workFolder)
{
    QFile::remove(path(workFolder));
}

QString PendingAdminDeploy::keptCopy(const QString &workFolder)
{
    return inFolder(workFolder, "LoginCrypt-non-envoye.orvex");
}

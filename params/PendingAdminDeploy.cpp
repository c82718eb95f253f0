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

bool PendingAdminDeploy::mark(const QString &workFolder)
{
    QFile file(path(workFolder));
    return file.exists() || file.open(QIODevice::WriteOnly);
}

void PendingAdminDeploy::clear(const QString &workFolder)
{
    QFile::remove(path(workFolder));
}

QString PendingAdminDeploy::keptCopy(const QString &workFolder)
{
    return inFolder(workFolder, "LoginCrypt-non-envoye.orvex");
}

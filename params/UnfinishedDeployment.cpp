#include "UnfinishedDeployment.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

QString UnfinishedDeployment::path(const QString &workFolder)
{
    return QDir(workFolder).filePath(QStringLiteral("DEPLOIEMENT-NON-TERMINE"));
}

bool UnfinishedDeployment::record(const QString &workFolder, const QStringList &screens)
{
    QSaveFile file(path(workFolder));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(screens.join(QLatin1Char('\n')).toUtf8());
    return file.commit();
}

QStringList UnfinishedDeployment::screens(const QString &workFolder)
{
    QFile file(path(workFolder));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // At most a few lines: a damaged record says no more than its first kilobytes.
    return QString::fromUtf8(file.read(64 * 1024)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

void UnfinishedDeployment::clear(const QString &workFolder)
{
    QFile::remove(path(workFolder));
}

QString UnfinishedDeployment::text(const QStringList &screens)
{
    return QStringLiteral("Le déploiement n'a pas été terminé pour: ") + screens.join(QStringLiteral(", "))
        + QStringLiteral("\nSélectionnez ces écrans et déployez-les à nouveau.");
}

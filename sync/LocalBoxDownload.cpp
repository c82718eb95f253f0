#include "LocalBoxDownload.h"

#include "LocalStartup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

bool LocalBoxDownload::fetch(const QString &accountFolder, const QString &boxFolder, const QString &dataFolder,
                             QString *problem, QStringList *copied)
{
    const auto fail = [problem](const QString &text) {
        if (problem)
            *problem = text;
        return false;
    };

    if (!LocalStartup::isPlainName(boxFolder))
        return fail(QStringLiteral("Nom d'écran refusé: \"%1\"").arg(boxFolder));

    const QDir source(QDir(accountFolder).filePath(boxFolder));
    if (!source.exists())
        return fail(QStringLiteral("Le dossier de l'écran %1 est introuvable.").arg(boxFolder));
    if (!QDir().mkpath(dataFolder))
        return fail(QStringLiteral("Impossible de créer le dossier %1").arg(dataFolder));

    QStringList failed;
    const QStringList names = source.entryList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    for (const QString &name : names) {
        const QString target = QDir(dataFolder).filePath(name);
        if (QFileInfo::exists(target) && !QFile::remove(target)) {
            failed << name;
            continue;
        }
        if (!QFile::copy(source.filePath(name), target)) {
            failed << name;
            continue;
        }
        if (copied)
            *copied << name;
    }
    if (!failed.isEmpty())
        return fail(QStringLiteral("Fichiers non copiés: %1").arg(failed.join(QStringLiteral(", "))));
    return true;
}

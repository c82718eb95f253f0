#include "ClassParamS.h"

#include "classVersion.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

namespace {

QString baseFolder()
{
    const QByteArray seam = qgetenv("ZOMANAGER_WORKDIR");
    QString dir = seam.isEmpty() ? QCoreApplication::applicationDirPath() : QString::fromLocal8Bit(seam);
    while (dir.endsWith(QLatin1Char('/')) && dir.size() > 1)
        dir.chop(1);
    return dir;
}

QString withBrandFolders(QString folder)
{
    classVersion version;
    for (const QString &name : {version.Marque(), version.Model()}) {
        QDir dir(folder);
        if (!dir.exists(name))
            dir.mkdir(name);
        folder += name + QLatin1Char('/');
    }
    return folder;
}

} // namespace

ClassParamS::ClassParamS()
{
}

void ClassParamS::Init()
{
}

QString ClassParamS::getNewPath(QString relative)
{
    if (relative.contains(QLatin1String("../"))) {
        QString parent = baseFolder();
        parent.truncate(parent.lastIndexOf(QLatin1Char('/')));
        return parent + QLatin1Char('/') + relative.remove(QLatin1String("../"));
    }

    const QString product = QSysInfo::productType();
    qDebug().noquote() << "QSysInfo=" + product;
    QString folder;
    if (product == QLatin1String("android"))
        folder = withBrandFolders(QStringLiteral("/sdcard/"));
    else if (product == QLatin1String("ios") || product == QLatin1String("osx"))
        folder = withBrandFolders(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QLatin1Char('/'));
    else
        folder = baseFolder() + QLatin1Char('/');
    qDebug().noquote() << "ApplicationPathDir=" + folder;
    const QString result = folder + relative;
    qDebug().noquote() << "NewPath=" + result;
    return result;
}

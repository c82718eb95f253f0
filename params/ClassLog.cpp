#include "ClassLog.h"

#include "ClassParamS.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextStream>

ClassLog::ClassLog()
{
}

void ClassLog::log(QString name, QString text)
{
    const QString folder = ClassParamS::getNewPath(QStringLiteral("LOG/"));
    const QString day = QDateTime::currentDateTime().toString(QStringLiteral("yy-MM-dd"));
    QFile file(folder + day + QLatin1Char('-') + name + QLatin1String(".log"));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        qDebug().noquote() << "qERROR: " + folder + day + " write\n";
        return;
    }
    QTextStream out(&file);
    out << QDateTime::currentDateTime().toString(QStringLiteral("hh:mm:ss.zzz| ")) << text << "\r\n";
    out.flush();
    file.close();
}

void ClassLog::clean()
{
    const QString folder = ClassParamS::getNewPath(QStringLiteral("LOG/"));
    QDir dir(folder);
    QStringList names = dir.entryList({QStringLiteral("*.log")}, QDir::Files | QDir::Hidden | QDir::System,
                                      QDir::Name | QDir::IgnoreCase);
    if (names.size() < 4)
        return;
    std::sort(names.begin(), names.end());
    const int keepFrom = names.size() - 3;
    for (int i = 0; i < keepFrom; ++i)
        QFile::remove(folder + names.at(i));
}

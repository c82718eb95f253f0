#include "AlertReport.h"

#include "ClassLog.h"
#include "ClassParamS.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSysInfo>
#include <QTextStream>

QStringList AlertReport::categories()
{
    return {QStringLiteral("URGENT"), QStringLiteral("DYSFONCTIONNMENT"), QStringLiteral("AMELIORATION"),
            QStringLiteral("INFORMATION")};
}

QString AlertReport::systemText()
{
    return QStringList{QStringLiteral("Nom du système: ") + QSysInfo::productType(),
                       QStringLiteral("Version du système: ") + QSysInfo::productVersion(),
                       QLatin1String("Microprocesseur: ") + QSysInfo::currentCpuArchitecture(),
                       QLatin1String("Compilation: ") + QSysInfo::buildCpuArchitecture(),
                       QLatin1String("Version du noyau: ") + QSysInfo::kernelVersion(),
                       QLatin1String("Type du noyau: ") + QSysInfo::kernelType()}
        .join(QLatin1Char('\n'));
}

QString AlertReport::userText(const QString &account, const QString &mediaSize, const QString &user,
                              const UserRows &rows)
{
    QString text = QLatin1String("Compte: ") + account + QLatin1Char('\n')
        + QStringLiteral("Taille de la médiathèque: ") + mediaSize + QLatin1Char('\n')
        + QLatin1String("Nom de la session: ") + user + QLatin1Char('\n');
    const int i = rows.users.indexOf(user);
    if (i < 0)
        return text;
    if (i < rows.types.size())
        text += QLatin1String("Type de compte: ") + rows.types.at(i) + QLatin1Char('\n');
    if (i < rows.names.size())
        text += QLatin1String("Nom: ") + rows.names.at(i) + QLatin1Char('\n');
    if (i < rows.emails.size())
        text += QLatin1String("Email: ") + rows.emails.at(i) + QLatin1Char('\n');
    if (i < rows.phones.size())
        text += QStringLiteral("Téléphone: ") + rows.phones.at(i);
    return text;
}

QString AlertReport::descriptionText(const QString &brand, const QString &model, const QString &version,
                                     const QDateTime &when, const QString &message)
{
    // The default locale is the system's, French where the system has none:
    // the page's date reads like the panel's clock.
    return QStringList{QLatin1String("Marque: ") + brand, QStringLiteral("Modèle: ") + model,
                       QLatin1String("Version: ") + version,
                       QLocale().toString(when, QStringLiteral("'Le' dddd dd MMMM yyyy, hh:mm:ss")),
                       QLatin1String("Message: ") + message}
        .join(QLatin1Char('\n'));
}

QString AlertReport::reportText(const QString &system, const QString &user, const QString &description,
                                const QString &logFolder)
{
    QString text = QStringLiteral("\n");
    text += QLatin1String("/******************Informations Systeme***************************/\n") + system
        + QLatin1Char('\n');
    text += QLatin1String("/******************Informations Utilisateur***********************/\n") + user
        + QLatin1Char('\n');
    text += QLatin1String("/**************************Message*******************************/\n") + description
        + QLatin1Char('\n');

    const QStringList names = QDir(logFolder).entryList({QStringLiteral("*.log")}, QDir::Files | QDir::Hidden
                                                            | QDir::System, QDir::Name | QDir::IgnoreCase);
    for (const QString &name : names) {
        QString body;
        if (name.contains(QLatin1String("OrvexLog"))) {
            QFile file(logFolder + name);
            if (file.open(QIODevice::ReadOnly | QIODevice::Text)) {
                QTextStream in(&file);
                body = in.readAll().remove(QLatin1Char('\r'));
            } else {
                qDebug().noquote() << "qERROR: " + logFolder + name + " read\n";
            }
        }
        text += QLatin1String("-------------Fichier de log: ") + name + QLatin1String("-----------------\n") + body
            + QLatin1Char('\n');
    }
    return text;
}

QString AlertReport::logName(const QString &category, const QString &account)
{
    QString clean = account;
    clean.remove(QLatin1Char('/')).remove(QLatin1Char('\\'));
    while (clean.contains(QLatin1String("..")))
        clean.remove(QLatin1String(".."));
    if (clean.isEmpty())
        clean = QStringLiteral("NULL");
    return category + QLatin1String("-MessageAlerte-") + clean;
}

QString AlertReport::write(const QString &logName, const QString &text, QString *error)
{
    const QString folder = ClassParamS::getNewPath(QStringLiteral("LOG/"));
    QDir().mkpath(folder);
    const auto fileName = [&logName] {
        return QDate::currentDate().toString(QStringLiteral("yy-MM-dd")) + QLatin1Char('-') + logName
            + QLatin1String(".log");
    };
    const QString before = fileName();
    const qint64 sizeBefore = QFileInfo(folder + before).size();
    ClassLog().log(logName, text);
    // Midnight may fall inside the call: the name is the one written to.
    QString name = fileName();
    if (name != before && !QFileInfo::exists(folder + name))
        name = before;
    const qint64 sizeAfter = QFileInfo(folder + name).size();
    if (sizeAfter <= (name == before ? sizeBefore : 0)) {
        if (error) {
            // The logging service keeps its reason: the file is asked again.
            QFile file(folder + name);
            const QString why = file.open(QIODevice::Append) ? QObject::tr("rien n'a été écrit") : file.errorString();
            *error = QObject::tr("Impossible de sauvegarder le fichier %1: %2.").arg(folder + name, why);
        }
        return QString();
    }
    return name;
}

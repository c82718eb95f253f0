#include "BoxFiles.h"

#include "ClassParam.h"

#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <QtDebug>

const QList<BoxFiles::Field> &BoxFiles::factoryFields()
{
    static const QList<Field> fields{{"MARQUE", QT_TR_NOOP("MARQUE:")},
                                     {"MODELE", QT_TR_NOOP("MODELE:")},
                                     {"NUMEROSERIE", QT_TR_NOOP("NUMERO DE SERIE:")},
                                     {"VERSION", QT_TR_NOOP("VERSION:")},
                                     {"DATEFABRICATION", QT_TR_NOOP("DATE DE FABRICATION:")},
                                     {"DATEMISEAJOUR", QT_TR_NOOP("MISE A JOUR:")},
                                     {"CODE", QT_TR_NOOP("CODE:")}};
    return fields;
}

const QList<BoxFiles::Field> &BoxFiles::ownerFields()
{
    static const QList<Field> fields{{"NOM_PROPRIETAIRE", QT_TR_NOOP("NOM DU PROPRIETAIRE:")},
                                     {"ADRESSE1_PROPRIETAIRE", QT_TR_NOOP("ADRESSE1:")},
                                     {"ADRESSE2_PROPRIETAIRE", QT_TR_NOOP("ADRESSE2:")},
                                     {"CODEPOSTAL_PROPRIETAIRE", QT_TR_NOOP("CODE POSTAL:")},
                                     {"VILLE_PROPRIETAIRE", QT_TR_NOOP("VILLE:")},
                                     {"NOMCONTACT_PROPRIETAIRE", QT_TR_NOOP("CONTACT:")},
                                     {"EMAIL_PROPRIETAIRE", QT_TR_NOOP("EMAIL:")},
                                     {"TEL_PROPRIETAIRE", QT_TR_NOOP("TELEPHONE:")},
                                     {"FAX_PROPRIETAIRE", QT_TR_NOOP("FAX:")}};
    return fields;
}

const QList<BoxFiles::Field> &BoxFiles::positionFields()
{
    static const QList<Field> fields{{"NOM_POSITION", QT_TR_NOOP("NOM DE LA POSITION:")},
                                     {"EMPLACEMENT_POSITION", QT_TR_NOOP("EMPLACEMENT:")},
                                     {"ADRESSE1_POSITION", QT_TR_NOOP("ADRESSE1:")},
                                     {"ADRESSE2_POSITION", QT_TR_NOOP("ADRESSE2:")},
                                     {"CODEPOSTAL_POSITION", QT_TR_NOOP("CODE POSTAL:")},
                                     {"VILLE_POSITION", QT_TR_NOOP("VILLE:")},
                                     {"EMAIL_POSITION", QT_TR_NOOP("EMAIL:")},
                                     {"TEL_POSITION", QT_TR_NOOP("TELEPHONE:")},
                                     {"FAX_POSITION", QT_TR_NOOP("FAX:")},
                                     {"LATITUDE_POSITION", QT_TR_NOOP("LATITUDE:")},
                                     {"LONGITUDE_POSITION", QT_TR_NOOP("LONGITUDE:")}};
    return fields;
}

QStringList BoxFiles::keysOf(const QList<Field> &fields)
{
    QStringList keys;
    for (const Field &f : fields)
        keys << QLatin1String(f.key);
    return keys;
}

QStringList BoxFiles::infoKeys()
{
    return keysOf(ownerFields()) + keysOf(positionFields());
}

bool BoxFiles::readRecord(ClassParam &reader, const QString &file)
{
    if (reader.getParamCrypt(file, QStringList{QStringLiteral("ALL")}, 0))
        return true;
    reader.BALISE.clear();
    return false;
}

QString BoxFiles::cleanFingerprint(QString value)
{
    return value.remove(QLatin1Char('"'));
}

bool BoxFiles::isFingerprint(const QString &value)
{
    return !value.isEmpty() && value != QLatin1String("NULL") && value != QLatin1String("PB_OPEN")
           && value != QLatin1String("FileError");
}

bool BoxFiles::sameFingerprint(const QString &status, const QString &player)
{
    const QString a = cleanFingerprint(status);
    return isFingerprint(a) && isFingerprint(player) && a.left(35) == player.left(35);
}

BoxFiles::Update BoxFiles::updateState(const QString &state, const QString &statusPrint, const QString &playerPrint)
{
    if (sameFingerprint(statusPrint, playerPrint))
        return Update::Done;
    if (state == QLatin1String("0"))
        return Update::Waiting;
    if (state == QLatin1String("1"))
        return Update::Running;
    if (state == QLatin1String("2"))
        return Update::Done;
    return Update::NoInformation;
}

QString BoxFiles::updatePicture(Update update)
{
    switch (update) {
    case Update::Done:
        return QStringLiteral(":/images/Status/BoxOK.png");
    case Update::Waiting:
        return QStringLiteral(":/images/Status/BoxHeure.png");
    case Update::Running:
        return QStringLiteral(":/images/Status/BoxUpdate.png");
    case Update::NoInformation:
        break;
    }
    return QStringLiteral(":/images/Status/BoxClose.png");
}

QString BoxFiles::updateText(Update update)
{
    switch (update) {
    case Update::Done:
        return tr("Mise à jour effectuée.");
    case Update::Waiting:
        return tr("Mise à jour en attente.");
    case Update::Running:
        return tr("Mise à jour en cours...");
    case Update::NoInformation:
        break;
    }
    return tr("Aucune information!!!");
}

QString BoxFiles::typedValue(QString value)
{
    value.remove(QLatin1Char('"'));
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    return value;
}

QChar BoxFiles::unstorable(const QString &value)
{
    for (const QChar c : value) {
        if (c.unicode() > 0xFF)
            return c;
    }
    return QChar();
}

bool BoxFiles::saveInfo(const QString &file, const QList<QPair<QString, QString>> &values, QString *error)
{
    // The writer never creates a file; say so plainly rather than "cannot read".
    if (!QFileInfo::exists(file)) {
        if (error)
            *error = tr("le fichier %1 n'existe pas").arg(QFileInfo(file).fileName());
        return false;
    }
    // Checked on the mode bits: the super-user may write any file.
    if (!(QFileInfo(file).permissions() & QFileDevice::WriteOwner)) {
        if (error)
            *error = tr("le fichier %1 est en lecture seule").arg(QFileInfo(file).fileName());
        return false;
    }
    ClassParam writer;
    return writer.setParamsCrypt(file, values, error);
}

BoxFiles::Events BoxFiles::readEvents(const QString &file, QString *text)
{
    if (!QFileInfo::exists(file))
        return Events::Missing;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        qDebug().noquote() << QStringLiteral("qERROR: ") + eventsFile() + QStringLiteral(" read\n");
        text->clear();
        return Events::Unreadable;
    }
    QTextStream in(&f);
    in.setCodec("UTF-8");
    *text = in.readAll();
    return Events::Read;
}

QString BoxFiles::checkedText(const QDateTime &when)
{
    return tr("Vérifié le %1 à %2")
        .arg(when.toString(QStringLiteral("dd/MM/yyyy")), when.toString(QStringLiteral("hh:mm")));
}

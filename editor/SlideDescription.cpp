#include "SlideDescription.h"

#include "TextPosterNames.h"

#include <QCoreApplication>

QStringList SlideDescription::toList() const
{
    const bool picture = !pictureName.isEmpty();
    const bool video = !videoName.isEmpty();
    return {
        video ? QStringLiteral("Video") : QStringLiteral("Image"),
        QString::number(displayTime),
        picture ? pictureFolder + pictureName : QString(),
        picture ? pictureChecksum : QString(),
        video ? QStringLiteral("VIDEO/") + videoName : QString(),
        video ? videoChecksum : QString(),
        textPicture,
        textPicture.isEmpty() ? QString() : textPictureChecksum,
        QString::number(opacity),
        startDate,
        startTime,
        endDate,
        endTime,
    };
}

QString SlideDescription::timeWindowError(const QTime &start, const QTime &end)
{
    if (end < start)
        return QCoreApplication::translate("TextEdit", "Vérifiez l'heure de fin!!!");
    if (end == start)
        return QCoreApplication::translate("TextEdit", "Les heures sont identiques!!!");
    return QString();
}

QString SlideDescription::dateWindowError(const QDate &start, const QDate &end)
{
    if (end < start)
        return QCoreApplication::translate("TextEdit", "Vérifiez la date de fin!!!");
    if (end == start)
        return QCoreApplication::translate("TextEdit", "Les dates sont identiques!!!");
    return QString();
}

QString SlideDescription::slideStem(const QString &numberLabel)
{
    QString number = numberLabel;
    number.remove(QStringLiteral("N°"));
    return QStringLiteral("Slide") + TextPosterNames::cleanName(number);
}

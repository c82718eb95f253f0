#pragma once

#include "ClassParam.h"

#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>

using ParamValues = QList<QPair<QString, QString>>;

// Writes <work>/DATA/PLAYER.orvex with the given keys (a fresh file).
inline bool writePlayerFile(const QString &work, const ParamValues &values)
{
    QDir().mkpath(work + QStringLiteral("/DATA"));
    const QString path = work + QStringLiteral("/DATA/PLAYER.orvex");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    file.close();
    return ClassParam().setParamsCrypt(path, values);
}

// Three posters in two zones: a picture with a video and a text picture at
// 50 % in zone 1, a scheduled weather poster and an RSS poster in zone 2.
inline ParamValues threePostersTwoZones()
{
    return {
        {QStringLiteral("SLIDETYPE"), QStringLiteral("|WIDGETMETEO|WIDGETRSS")},
        {QStringLiteral("SLIDEDELAY"), QStringLiteral("5|10|7")},
        {QStringLiteral("SLIDENAMEIMAGE"), QStringLiteral("IMAGE/left.png||")},
        {QStringLiteral("SLIDENAMEVIDEO"), QStringLiteral("VIDEO/clip.mp4||")},
        {QStringLiteral("SLIDENAMETXT"), QStringLiteral("TEXT/t.png||")},
        {QStringLiteral("SLIDEOPACITY"), QStringLiteral("50|100|100")},
        {QStringLiteral("DATEDEBUT"), QStringLiteral("|25/12/2019|")},
        {QStringLiteral("DATEFIN"), QStringLiteral("|31/12/2019|")},
        {QStringLiteral("HEUREDEBUT"), QStringLiteral("|08:30:00|")},
        {QStringLiteral("HEUREFIN"), QStringLiteral("|12:00:00|")},
        {QStringLiteral("DATEDEBUT1"), QStringLiteral("||")},
        {QStringLiteral("DATEFIN1"), QStringLiteral("||")},
        {QStringLiteral("HEUREDEBUT1"), QStringLiteral("||")},
        {QStringLiteral("HEUREFIN1"), QStringLiteral("||")},
        {QStringLiteral("JOURSSEMAINE"), QStringLiteral("|135|")},
        {QStringLiteral("NUMEROECRAN"), QStringLiteral("1|2|2")},
        {QStringLiteral("CONFIGECRAN"), QStringLiteral("0-0-50-100|50-0-50-100")},
        {QStringLiteral("SLIDERSSADRESSE"), QStringLiteral("||http://www.site.com/news/feed.php?id=3")},
        {QStringLiteral("SLIDERSSDELAY"), QStringLiteral("||30")},
        {QStringLiteral("WIDGETMETEOCITY"), QStringLiteral("|Paris|")},
        {QStringLiteral("WIDGETMETEOLANGUE"), QStringLiteral("|fr|")},
        {QStringLiteral("WIDGETMETEOZIP"), QStringLiteral("|75001|")},
        {QStringLiteral("ROTATION2"), QStringLiteral("0")},
        {QStringLiteral("ECRANLARGEUR"), QStringLiteral("-1")},
        {QStringLiteral("ECRANHAUTEUR"), QStringLiteral("-1")},
        {QStringLiteral("INTERACTION"), QStringLiteral("NON")},
        {QStringLiteral("WEBAPPURL"), QStringLiteral("")},
        {QStringLiteral("WEBAPPTIMEOUT"), QStringLiteral("")},
    };
}

#pragma once

#include <QString>
#include <QStringList>

// What the preview reads of a screen's poster list file, after the
// defaults: per-poster lists split at '|' (an absent key is {"NULL"}),
// whole-screen values as read ("NULL" when absent) except the normalised
// rotation, sizes, zone layout and zone list.
struct PlayerScreen
{
    QString interaction;
    QString rotation;
    QString width;
    QString height;
    QString webAppUrl;
    QString webAppTimeout;

    QStringList types;
    QStringList delays;
    QStringList images;
    QStringList opacities;
    QStringList texts;
    QStringList dateDebut;
    QStringList heureDebut;
    QStringList dateFin;
    QStringList heureFin;
    QStringList dateDebut1;
    QStringList dateFin1;
    QStringList heureDebut1;
    QStringList heureFin1;
    QStringList weekdays;
    QStringList videos;
    QStringList zoneLayout;
    QStringList rssAddresses;
    QStringList rssDelays;
    QStringList meteoCity;
    QStringList meteoLangue;
    QStringList meteoZip;

    // One zone ("1", "2" or "3") per delay entry.
    QStringList zones;
};

#pragma once

#include "PlayerScreen.h"
#include "SceneCall.h"

#include <QString>
#include <QStringList>

// The calls of the main scene's functions for one screen: lists grouped by
// zone and values in the forms the scene reads ("NULL", dates "yyyy,MM,dd",
// times with commas, local file URLs). Lists are read with bounds: a
// missing entry is "" (or "NULL" for schedule fields).
class SceneCallBuilder
{
public:
    static SceneCalls sizeEcran(const QString &rotation, const QString &width, const QString &height,
                                const QStringList &layout, const QString &brand, const QString &mode,
                                const QString &interaction);
    static SceneCalls siteWebTactile(const QString &url, const QString &timeout);
    static SceneCalls meteo(const QStringList &types, const QStringList &zones, const QStringList &delays,
                            const QStringList &cities, const QStringList &languages, const QStringList &zips);
    static SceneCalls dateTime2(const QStringList &dateDebut, const QStringList &heureDebut,
                                const QStringList &dateFin, const QStringList &heureFin,
                                const QStringList &dateDebut1, const QStringList &heureDebut1,
                                const QStringList &dateFin1, const QStringList &heureFin1,
                                const QStringList &weekdays, const QStringList &zones);
    static SceneCalls media3(const QStringList &types, const QStringList &delays, const QStringList &videos,
                             const QStringList &images, const QStringList &opacities, const QStringList &texts,
                             const QStringList &zones, const QStringList &rssSources, const QStringList &rssDelays,
                             const QString &workFolder);

    // "dd/MM/yyyy" as "yyyy,MM,dd"; "hh:mm:ss" as "hh,mm,ss"; "" or "NULL" as "NULL".
    static QString sceneDate(const QString &stored);
    static QString sceneTime(const QString &stored);
    // The local file URL of a name relative to the work folder; "" for no
    // name ("", "NULL", "OFF") and for a name that leaves the work folder.
    static QString mediaUrl(const QString &workFolder, const QString &name);

    static const QString Brand;
    static const QString Mode;
};

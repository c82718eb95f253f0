#include "SceneCallBuilder.h"

#include <QDebug>
#include <QDir>
#include <QUrl>

#include <array>

const QString SceneCallBuilder::Brand = QStringLiteral("Orvex");
const QString SceneCallBuilder::Mode = QStringLiteral("MANAGER");

namespace {

const QString Null = QStringLiteral("NULL");

// Zone index 0..2 of a zone entry, -1 for anything else.
int zoneIndex(const QStringList &zones, int i)
{
    const QString z = zones.value(i);
    if (z == QLatin1String("1"))
        return 0;
    if (z == QLatin1String("2"))
        return 1;
    if (z == QLatin1String("3"))
        return 2;
    return -1;
}

QString zoneFunction(const char *stem, int zone)
{
    return QString::fromLatin1(stem) + QString::number(zone + 1);
}

bool isUnset(const QString &value)
{
    return value.isEmpty() || value == Null;
}

} // namespace

SceneCalls SceneCallBuilder::sizeEcran(const QString &rotation, const QString &width, const QString &height,
                                       const QStringList &layout, const QString &brand, const QString &mode,
                                       const QString &interaction)
{
    return {{QStringLiteral("showLocalSizeEcran"),
             {rotation, width, height, QVariant(layout), brand, mode, interaction}}};
}

SceneCalls SceneCallBuilder::siteWebTactile(const QString &url, const QString &timeout)
{
    return {{QStringLiteral("showLocalSiteWebTactile"), {url, timeout}}};
}

SceneCalls SceneCallBuilder::meteo(const QStringList &types, const QStringList &zones, const QStringList &delays,
                                   const QStringList &cities, const QStringList &languages, const QStringList &zips)
{
    // The delays only tell which zones have posters; the kinds tell that too.
    Q_UNUSED(delays);
    std::array<QStringList, 3> kind, city, language, zip;
    std::array<int, 3> posters{};
    for (int i = 0; i < types.size(); ++i) {
        const int z = zoneIndex(zones, i);
        if (z < 0)
            continue;
        kind[z].append(types.at(i));
        ++posters[z];
        if (i < cities.size())
            city[z].append(cities.at(i));
        if (i < languages.size())
            language[z].append(languages.at(i));
        if (i < zips.size())
            zip[z].append(zips.at(i));
    }
    SceneCalls calls;
    for (int z = 0; z < 3; ++z) {
        if (z == 0 || posters[z] > 0)
            calls.append({zoneFunction("showLocalMeteoEcran", z),
                          {QVariant(kind[z]), QVariant(city[z]), QVariant(language[z]), QVariant(zip[z])}});
    }
    return calls;
}

SceneCalls SceneCallBuilder::dateTime2(const QStringList &dateDebut, const QStringList &heureDebut,
                                       const QStringList &dateFin, const QStringList &heureFin,
                                       const QStringList &dateDebut1, const QStringList &heureDebut1,
                                       const QStringList &dateFin1, const QStringList &heureFin1,
                                       const QStringList &weekdays, const QStringList &zones)
{
    // Per zone, in the scene's order: start dates, end dates, start times,
    // end times, the same four of the second period, weekdays.
    std::array<std::array<QStringList, 9>, 3> lists;
    auto period = [](const QStringList &starts, const QStringList &ends, int i, QString (*convert)(const QString &),
                     QStringList &startOut, QStringList &endOut) {
        const QString start = starts.value(i);
        if (isUnset(start)) {
            startOut.append(Null);
            endOut.append(Null);
        } else {
            startOut.append(convert(start));
            endOut.append(convert(ends.value(i)));
        }
    };
    // Every pass covers every poster, so each zone's nine lists stay parallel
    // to its posters whatever the length of the stored lists.
    for (int i = 0; i < zones.size(); ++i) {
        const int z = zoneIndex(zones, i);
        if (z < 0)
            continue;
        auto &l = lists[z];
        period(dateDebut, dateFin, i, &SceneCallBuilder::sceneDate, l[0], l[1]);
        period(heureDebut, heureFin, i, &SceneCallBuilder::sceneTime, l[2], l[3]);
        period(dateDebut1, dateFin1, i, &SceneCallBuilder::sceneDate, l[4], l[5]);
        period(heureDebut1, heureFin1, i, &SceneCallBuilder::sceneTime, l[6], l[7]);
        const QString days = weekdays.value(i);
        l[8].append(isUnset(days) ? Null : days);
    }
    SceneCalls calls;
    for (int z = 0; z < 3; ++z) {
        QVariantList args;
        for (const QStringList &l : lists[z])
            args.append(QVariant(l));
        calls.append({zoneFunction("showDateTimeEcran", z), args});
    }
    return calls;
}

SceneCalls SceneCallBuilder::media3(const QStringList &types, const QStringList &delays, const QStringList &videos,
                                    const QStringList &images, const QStringList &opacities,
                                    const QStringList &texts, const QStringList &zones,
                                    const QStringList &rssSources, const QStringList &rssDelays,
                                    const QString &workFolder)
{
    // Per zone: kinds, delays, videos, pictures, opacities, text pictures,
    // RSS sources, RSS delays.
    std::array<std::array<QStringList, 8>, 3> lists;
    std::array<int, 3> posters{};
    for (int i = 0; i < types.size(); ++i) {
        const int z = zoneIndex(zones, i);
        if (z < 0)
            continue;
        auto &l = lists[z];
        ++posters[z];
        l[0].append(types.at(i));
        l[1].append(delays.value(i));
        l[2].append(mediaUrl(workFolder, videos.value(i)));
        l[3].append(mediaUrl(workFolder, images.value(i)));
        l[4].append(opacities.value(i));
        l[5].append(mediaUrl(workFolder, texts.value(i)));
        if (i < rssSources.size())
            l[6].append(rssSources.at(i));
        if (i < rssDelays.size())
            l[7].append(rssDelays.at(i));
    }
    SceneCalls calls;
    for (int z = 0; z < 3; ++z) {
        if (z > 0 && posters[z] == 0)
            continue;
        QVariantList args;
        for (const QStringList &l : lists[z])
            args.append(QVariant(l));
        calls.append({zoneFunction("showLocalMediaEcran", z), args});
    }
    return calls;
}

QString SceneCallBuilder::sceneDate(const QString &stored)
{
    if (isUnset(stored))
        return Null;
    return stored.mid(6, 4) + QLatin1Char(',') + stored.mid(3, 2) + QLatin1Char(',') + stored.mid(0, 2);
}

QString SceneCallBuilder::sceneTime(const QString &stored)
{
    if (isUnset(stored))
        return Null;
    QString time = stored;
    return time.replace(QLatin1Char(':'), QLatin1Char(','));
}

QString SceneCallBuilder::mediaUrl(const QString &workFolder, const QString &name)
{
    if (isUnset(name) || name == QLatin1String("OFF"))
        return QString();
    const QString root = QDir::cleanPath(workFolder);
    const QString path = QDir::cleanPath(workFolder + QLatin1Char('/') + name);
    if (!path.startsWith(root + QLatin1Char('/'))) {
        qWarning().noquote() << "Preview: media name outside the work folder refused:" << name;
        return QString();
    }
    return QUrl::fromLocalFile(path).toString();
}

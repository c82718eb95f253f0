#include "ZoneLayout.h"

#include <QStringList>

namespace {

const double kWide = 1.778;

QStringList parts(const QString &value)
{
    return value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
}

bool isRotated(const QString &rotation)
{
    return rotation == QLatin1String("90") || rotation == QLatin1String("-90");
}

} // namespace

int ZoneLayout::rotationOf(const QString &rotation2)
{
    bool ok = false;
    const int r = rotation2.toInt(&ok);
    return ok ? r : 0;
}

QString ZoneLayout::zonesOf(const QString &configEcran)
{
    return configEcran == QLatin1String("NULL") ? fullScreen() : configEcran;
}

ZoneLayout::Geometry ZoneLayout::geometry(int rotation, const QString &zones, int panelWidth)
{
    Geometry g;
    const bool single = zones == fullScreen();
    // Narrow previews stand for portrait zones, wide ones for landscape zones.
    auto narrow = [&g, panelWidth] {
        g.previewWidth = panelWidth / 8;
        g.previewHeight = int(g.previewWidth * kWide);
    };
    auto wide = [&g, panelWidth] {
        g.previewWidth = panelWidth / 3;
        g.previewHeight = int(g.previewWidth / kWide);
    };
    g.zoneOrientation = rotation;
    if (rotation == 90 || rotation == -90) {
        g.screenOrientation = 90;
        if (single) {
            narrow();
        } else {
            wide();
            g.zoneOrientation = 0;
        }
    } else if (rotation == 0) {
        if (single) {
            wide();
        } else {
            narrow();
            g.zoneOrientation = 90;
        }
    } else {
        wide();
    }
    return g;
}

bool ZoneLayout::layoutName(const QString &rotation, const QString &zones, QString *caption, QString *icon)
{
    struct Known {
        bool rotated;
        const char *zones;
        const char *caption;
        const char *icon;
    };
    static const Known known[] = {
        {false, "0-0-100-100", "Paysage", ":/images/Paysage.png"},
        {false, "0-0-50-100|50-0-50-100", "Paysage(2)", ":/images/Paysage-2Ecrans.png"},
        {false, "0-0-33.3-100|33.3-0-33.3-100|66.6-0-33.3-100", "Paysage(3)", ":/images/Paysage-3Ecrans.png"},
        {true, "0-0-100-100", "Portrait", ":/images/Portrait.png"},
        {true, "0-0-100-50|0-50-100-50", "Portrait(2)", ":/images/Portrait-2Ecrans.png"},
        {true, "0-0-100-33.3|0-33.3-100-33.3|0-66.6-100-33.3", "Portrait(3)", ":/images/Portrait-3Ecrans.png"},
    };
    const bool landscape = rotation == QLatin1String("0");
    const bool rotated = isRotated(rotation);
    for (const Known &k : known) {
        if ((k.rotated ? rotated : landscape) && zones == QLatin1String(k.zones)) {
            if (caption)
                *caption = QString::fromUtf8(k.caption);
            if (icon)
                *icon = QString::fromUtf8(k.icon);
            return true;
        }
    }
    return false;
}

int ZoneLayout::zoneCount(const QString &configEcran)
{
    const QStringList zones = parts(configEcran);
    if (zones.isEmpty() || zones.first() == QLatin1String("NULL"))
        return 1;
    return zones.size();
}

int ZoneLayout::nextZone(int current, int zones)
{
    return current < zones ? current + 1 : 1;
}

bool ZoneLayout::showsScreenButton(const QString &configEcran)
{
    const QStringList zones = parts(configEcran);
    return zones.first() != QLatin1String("NULL") && zones.size() >= 2;
}

QString ZoneLayout::zoneOfPoster(const QString &numeroEcran, int row)
{
    const QStringList numbers = parts(numeroEcran);
    return row >= 0 && row < numbers.size() ? numbers.at(row) : QStringLiteral("1");
}

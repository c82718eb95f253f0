#include "ZoneLayout.h"

#include "ScreenLayouts.h"

#include <QStringList>

namespace {

const double kWide = 1.778;

QStringList parts(const QString &value)
{
    return value.split(QLatin1Char('|'), Qt::KeepEmptyParts);
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
    static const char *const captions[ScreenLayouts::Count] = {"Paysage",  "Paysage(2)",  "Paysage(3)",
                                                               "Portrait", "Portrait(2)", "Portrait(3)"};
    const int layout = ScreenLayouts::recognise(rotation, zones);
    if (layout < 0)
        return false;
    if (caption)
        *caption = QString::fromUtf8(captions[layout]);
    if (icon)
        *icon = ScreenLayouts::icon(layout);
    return true;
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

#pragma once

#include <QString>

// How a screen's rotation (ROTATION2) and zone string (CONFIGECRAN) of the
// poster list file show on the control panel: the layout's name and picture,
// the shape of the poster preview (one zone), the orientations sent to the
// pages and the screen button that cycles a poster's zone.
class ZoneLayout
{
public:
    static QString fullScreen() { return QStringLiteral("0-0-100-100"); }

    struct Geometry {
        int previewWidth = 0;
        int previewHeight = 0;
        // Sent with signalResize: multi-zone layouts turn it by 90 degrees.
        int zoneOrientation = 0;
        // Sent with signalResize2: 90 for a portrait screen, else 0.
        int screenOrientation = 0;
    };

    // ROTATION2 as a number; 0 when absent ("NULL") or not a number.
    static int rotationOf(const QString &rotation2);
    // CONFIGECRAN, the single full-screen zone when absent.
    static QString zonesOf(const QString &configEcran);

    static Geometry geometry(int rotation, const QString &zones, int panelWidth);

    // Caption (untranslated) and icon of the "Orientation" button; false for
    // a layout outside the six known ones, which keeps the button as it is.
    static bool layoutName(const QString &rotation, const QString &zones, QString *caption, QString *icon);

    // Zones counted for cycling a poster's zone: at least 1.
    static int zoneCount(const QString &configEcran);
    // The zone after `current`, back to 1 after the last.
    static int nextZone(int current, int zones);

    // The screen button shows only for two zones or more.
    static bool showsScreenButton(const QString &configEcran);
    // Zone of poster `row` as stored in NUMEROECRAN, "1" when it has none.
    static QString zoneOfPoster(const QString &numeroEcran, int row);
};

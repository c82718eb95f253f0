#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

// The six ways a box's screen can be mounted and divided (landscape or
// portrait, one to three zones), as CONFIGECRAN and ROTATION2 store them,
// and the screen keys the orientation page writes. No widgets.
class ScreenLayouts
{
public:
    enum { Count = 6 };
    using Values = QList<QPair<QString, QString>>;

    // Layout `index` (0-2 landscape, 3-5 portrait); any other index is 0.
    static QStringList zones(int index);
    static QString icon(int index);
    static QString advice(int index);
    static bool isPortrait(int index) { return index >= 3 && index < Count; }

    // "90" for the clockwise caption, "-90" for any other.
    static QString rotationOfSense(const QString &caption);
    static QString senseOfRotation(const QString &rotation);
    static QString clockwise() { return QStringLiteral("Rotation horaire"); }
    static QString anticlockwise() { return QStringLiteral("Rotation anti-horaire"); }

    // The layout a stored rotation and zone string make, or -1 for none.
    static int recognise(const QString &rotation, const QString &zones);

    // Posters counted from SLIDEDELAY (a missing key counts as one).
    static int posterCount(const QString &slideDelay);
    // NUMEROECRAN sending every poster to zone 1.
    static QString allInZoneOne(int posters);

    // The keys written at once when the file has no CONFIGECRAN yet; empty
    // when it has one.
    static Values migration(const QString &configEcran, const QString &slideDelay);

    struct Choice {
        // -1: no layout chosen; the stored CONFIGECRAN and ROTATION2 stay.
        int layout = -1;
        QString rotation;
        bool manual = false;
        QString width;
        QString height;
    };

    // Sane bounds of a forced screen side, in pixels.
    static int minimumPixels() { return 320; }
    static int maximumPixels() { return 7680; }
    // The message refusing a manual resolution outside those bounds, or "".
    static QString refusal(const Choice &choice);
    // The keys validation writes, in order.
    static Values writes(const Choice &choice, const QString &slideDelay);
};

#include "ScreenLayouts.h"

namespace {

struct Layout {
    const char *zones;
    const char *icon;
    int adviceWidth;
    int adviceHeight;
};

const Layout layouts[ScreenLayouts::Count] = {
    {"0-0-100-100", ":/images/Paysage.png", 1920, 1080},
    {"0-0-50-100|50-0-50-100", ":/images/Paysage-2Ecrans.png", 1080, 1080},
    {"0-0-33.3-100|33.3-0-33.3-100|66.6-0-33.3-100", ":/images/Paysage-3Ecrans.png", 1080, 1920},
    {"0-0-100-100", ":/images/Portrait.png", 1080, 1920},
    {"0-0-100-50|0-50-100-50", ":/images/Portrait-2Ecrans.png", 1080, 1080},
    {"0-0-100-33.3|0-33.3-100-33.3|0-66.6-100-33.3", ":/images/Portrait-3Ecrans.png", 1920, 1080},
};

const Layout &layoutAt(int index)
{
    return layouts[index >= 0 && index < ScreenLayouts::Count ? index : 0];
}

} // namespace

QStringList ScreenLayouts::zones(int index)
{
    return QString::fromLatin1(layoutAt(index).zones).split(QLatin1Char('|'));
}

QString ScreenLayouts::icon(int index)
{
    return QString::fromLatin1(layoutAt(index).icon);
}

QString ScreenLayouts::advice(int index)
{
    const Layout &l = layoutAt(index);
    return QStringLiteral("--------Media conseillé--------\n Largeur: %1 pixels Hauteur: %2 pixels")
        .arg(l.adviceWidth)
        .arg(l.adviceHeight);
}

QString ScreenLayouts::rotationOfSense(const QString &caption)
{
    return caption == clockwise() ? QStringLiteral("90") : QStringLiteral("-90");
}

QString ScreenLayouts::senseOfRotation(const QString &rotation)
{
    return rotation == QLatin1String("-90") ? anticlockwise() : clockwise();
}

int ScreenLayouts::recognise(const QString &rotation, const QString &zones)
{
    const bool landscape = rotation == QLatin1String("0");
    const bool portrait = rotation == QLatin1String("90") || rotation == QLatin1String("-90");
    for (int i = 0; i < Count; ++i) {
        if ((isPortrait(i) ? portrait : landscape) && zones == QLatin1String(layouts[i].zones))
            return i;
    }
    return -1;
}

int ScreenLayouts::posterCount(const QString &slideDelay)
{
    return slideDelay.split(QLatin1Char('|'), Qt::KeepEmptyParts).size();
}

QString ScreenLayouts::allInZoneOne(int posters)
{
    QStringList ones;
    for (int i = 0; i < posters; ++i)
        ones.append(QStringLiteral("1"));
    return ones.join(QLatin1Char('|'));
}

ScreenLayouts::Values ScreenLayouts::migration(const QString &configEcran, const QString &slideDelay)
{
    if (configEcran != QLatin1String("NULL"))
        return {};
    return {qMakePair(QStringLiteral("CONFIGECRAN"), QString::fromLatin1(layouts[0].zones)),
            qMakePair(QStringLiteral("NUMEROECRAN"), allInZoneOne(posterCount(slideDelay)))};
}

QString ScreenLayouts::refusal(const Choice &choice)
{
    if (!choice.manual)
        return QString();
    // "", 0 or the automatic -1 kept on one button would give the box a
    // screen of no size or of one pixel.
    for (const QString &size : {choice.width, choice.height}) {
        bool number = false;
        const int pixels = size.toInt(&number);
        if (!number || pixels < minimumPixels() || pixels > maximumPixels())
            return QStringLiteral("Résolution manuelle: saisissez la largeur et la hauteur de l'écran, de 320 à 7680 pixels!!!");
    }
    return QString();
}

ScreenLayouts::Values ScreenLayouts::writes(const Choice &choice, const QString &slideDelay)
{
    Values out;
    if (choice.layout >= 0) {
        const QString joined = zones(choice.layout).join(QLatin1Char('|'));
        out.append(qMakePair(QStringLiteral("CONFIGECRAN"), joined));
        out.append(qMakePair(QStringLiteral("ROTATION2"), choice.rotation));
        if (joined == QLatin1String(layouts[0].zones))
            out.append(qMakePair(QStringLiteral("NUMEROECRAN"), allInZoneOne(posterCount(slideDelay))));
    }
    const QString automatic = QStringLiteral("-1");
    out.append(qMakePair(QStringLiteral("ECRANLARGEUR"), choice.manual ? choice.width : automatic));
    out.append(qMakePair(QStringLiteral("ECRANHAUTEUR"), choice.manual ? choice.height : automatic));
    return out;
}

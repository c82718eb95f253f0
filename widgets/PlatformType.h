#pragma once

#include "AppGlobals.h"

#include <QFont>
#include <QString>
#include <QSysInfo>

// Touch platforms get full-screen dialogs and no forced focus; desktops get
// frameless bands drawn over their parent.
inline bool isMobilePlatform()
{
    const QString product = QSysInfo::productType();
    return product == QLatin1String("ios") || product == QLatin1String("android");
}

// Point size of `base` scaled by the font ratio, never below 1 so that a
// tiny area still gives a usable font.
inline int scaledPointSize(float ratio, int base)
{
    const int size = int(ratio * float(base));
    return size > 0 ? size : 1;
}

// The console's font: "Avenir" at `base` points scaled by the font ratio.
inline QFont avenirFont(int base, int weight)
{
    QFont font(QStringLiteral("Avenir"));
    font.setPointSize(scaledPointSize(FontRatio, base));
    font.setWeight(weight);
    return font;
}

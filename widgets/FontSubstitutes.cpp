#include "FontSubstitutes.h"

#include <QFont>

void installFontSubstitutes()
{
    // Avenir ships with macOS only; Lato has close metrics and is packaged
    // everywhere else.
    QFont::insertSubstitution(QStringLiteral("Avenir"), QStringLiteral("Lato"));
}

#pragma once

#include <QString>

// Brand constants: names, version, server address, pictures and style sheets.
class classVersion
{
public:
    classVersion();

    QString Marque();
    QString Model();
    QString Version();
    // Always ends with "/". ZOMANAGER_BASE_URL, when set, replaces the default.
    QString NomDeDomaine();
    QString Background();
    QString BackgroundColor();
    QString StyleQlistCustom();
    QString TitreFenetre();
    QString LogoDemarrage();
    QString Logo();
    QString Style();
    QString StylePlayer();
};

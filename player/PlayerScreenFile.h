#pragma once

#include "PlayerScreen.h"

#include <QString>

// Reads DATA/PLAYER.orvex of a work folder into the values the preview
// hands to its scene. A missing or unreadable file reads as a file without
// keys: one full-screen zone, every list {"NULL"}.
class PlayerScreenFile
{
public:
    static PlayerScreen read(const QString &workFolder);

    // The per-poster zones: NUMEROECRAN's entry when it is "1", "2" or "3",
    // else "1", for each of `count` posters.
    static QStringList zoneList(const QStringList &numeroEcran, int count);
};

#include "PlayerScreenFile.h"

#include "ClassParam.h"

namespace {

const QString Null = QStringLiteral("NULL");

bool isZone(const QString &zone)
{
    return zone == QLatin1String("1") || zone == QLatin1String("2") || zone == QLatin1String("3");
}

} // namespace

PlayerScreen PlayerScreenFile::read(const QString &workFolder)
{
    ClassParam param;
    // An unreadable file leaves the key table empty: every key reads "NULL".
    param.getParamCrypt(workFolder + QStringLiteral("DATA/PLAYER.orvex"), QStringList{QStringLiteral("ALL")}, 0);
    auto value = [&param](const char *key) { return param.getInfoBalise(QString::fromLatin1(key)); };
    auto list = [&value](const char *key) { return value(key).split(QLatin1Char('|')); };

    PlayerScreen s;
    s.interaction = value("INTERACTION");
    s.types = list("SLIDETYPE");
    s.delays = list("SLIDEDELAY");
    s.images = list("SLIDENAMEIMAGE");
    s.opacities = list("SLIDEOPACITY");
    s.texts = list("SLIDENAMETXT");
    s.dateDebut = list("DATEDEBUT");
    s.heureDebut = list("HEUREDEBUT");
    s.dateFin = list("DATEFIN");
    s.heureFin = list("HEUREFIN");
    s.dateDebut1 = list("DATEDEBUT1");
    s.dateFin1 = list("DATEFIN1");
    s.heureDebut1 = list("HEUREDEBUT1");
    s.heureFin1 = list("HEUREFIN1");
    s.weekdays = list("JOURSSEMAINE");
    s.videos = list("SLIDENAMEVIDEO");
    const QStringList numeroEcran = list("NUMEROECRAN");
    s.zoneLayout = list("CONFIGECRAN");
    s.rssAddresses = list("SLIDERSSADRESSE");
    s.rssDelays = list("SLIDERSSDELAY");
    s.meteoCity = list("WIDGETMETEOCITY");
    s.meteoLangue = list("WIDGETMETEOLANGUE");
    s.meteoZip = list("WIDGETMETEOZIP");

    s.rotation = value("ROTATION2");
    s.width = value("ECRANLARGEUR");
    s.height = value("ECRANHAUTEUR");
    s.webAppUrl = value("WEBAPPURL");
    s.webAppTimeout = value("WEBAPPTIMEOUT");

    if (s.rotation.isEmpty() || s.rotation == Null)
        s.rotation = QStringLiteral("0");
    if (!s.zoneLayout.isEmpty() && s.zoneLayout.first() == Null)
        s.zoneLayout = QStringList{QStringLiteral("0-0-100-100")};
    s.zones = zoneList(numeroEcran, s.delays.size());
    if (s.width == Null)
        s.width = QStringLiteral("-1");
    if (s.height == Null)
        s.height = QStringLiteral("-1");
    return s;
}

QStringList PlayerScreenFile::zoneList(const QStringList &numeroEcran, int count)
{
    QStringList zones;
    zones.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString zone = numeroEcran.value(i);
        zones.append(isZone(zone) ? zone : QStringLiteral("1"));
    }
    return zones;
}

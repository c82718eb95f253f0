#include "WidgetKinds.h"

#include "NewsFeedSource.h"
#include "PosterEntries.h"
#include "TypedValue.h"

namespace {

const QString kNull = QStringLiteral("NULL");

struct Kind {
    const char *caption;
    const char *slideType;
    const char *portrait;
    const char *landscape;
    bool offered;
};

const Kind kKinds[] = {
    {"METEO", "WIDGETMETEO", ":/images/Meteo-Portrait.jpg", ":/images/Meteo-Paysage.jpg", true},
    {"FLUX RSS", "WIDGETRSS", ":/images/RSS-Portrait.jpg", ":/images/RSS-Paysage.jpg", true},
    {"HORLOGE", "WIDGETHEURE", ":/images/HORLOGE-Portrait.jpg", ":/images/HORLOGE-Paysage.jpg", true},
    {"LIKES FACEBOOK", "WIDGETLIKESFACEBOOK", ":/images/RSS-Portrait.jpg", ":/images/RSS-Paysage.jpg", false},
    {"PAGE WEB", "WIDGETSITEWEB", ":/images/WEBAPP-Portrait.jpg", ":/images/WEBAPP-Paysage.jpg", false},
};

} // namespace

QStringList WidgetKinds::captions()
{
    QStringList list{offCaption()};
    for (const Kind &k : kKinds) {
        if (k.offered)
            list.append(QLatin1String(k.caption));
    }
    return list;
}

QString WidgetKinds::slideTypeOf(const QString &caption)
{
    for (const Kind &k : kKinds) {
        if (caption == QLatin1String(k.caption))
            return QLatin1String(k.slideType);
    }
    return QString();
}

QString WidgetKinds::captionOf(const QString &slideType)
{
    for (const Kind &k : kKinds) {
        if (slideType == QLatin1String(k.slideType))
            return QLatin1String(k.caption);
    }
    return offCaption();
}

bool WidgetKinds::isOffered(const QString &caption)
{
    return captions().contains(caption);
}

QString WidgetKinds::picture(const QString &slideType, int rotation)
{
    const bool portrait = rotation == 90 || rotation == -90;
    for (const Kind &k : kKinds) {
        if (slideType == QLatin1String(k.slideType))
            return QLatin1String(portrait ? k.portrait : k.landscape);
    }
    return QString();
}

QStringList WidgetKinds::languageNames()
{
    return {QStringLiteral("FRANCE"), QStringLiteral("BELGIQUE")};
}

QStringList WidgetKinds::languageCodes()
{
    return {QStringLiteral("fr"), QStringLiteral("be")};
}

QStringList WidgetKinds::rssPresetNames()
{
    return {QStringLiteral("Personnalisé"),     QStringLiteral("L'Equipe"),         QStringLiteral("BFM"),
            QStringLiteral("BFM-International"), QStringLiteral("BFM-Politique"),    QStringLiteral("BFM-Société"),
            QStringLiteral("BFM-Culture"),       QStringLiteral("BFM-Planète"),      QStringLiteral("Le Monde"),
            QStringLiteral("Les Echos-France"),  QStringLiteral("Les Echos-Unes")};
}

QStringList WidgetKinds::rssPresetAddresses()
{
    const QStringList production{QString(),
            QStringLiteral("https://www.lequipe.fr/rss/actu_rss.xml"),
            QStringLiteral("https://www.bfmtv.com/rss/news-24-7/"),
            QStringLiteral("https://www.bfmtv.com/rss/international/"),
            QStringLiteral("https://www.bfmtv.com/rss/politique/"),
            QStringLiteral("https://www.bfmtv.com/rss/societe/"),
            QStringLiteral("https://www.bfmtv.com/rss/culture/"),
            QStringLiteral("https://www.bfmtv.com/rss/planete/"),
            QStringLiteral("https://www.lemonde.fr/rss/une.xml"),
            QStringLiteral("http://syndication.lesechos.fr/rss/rss_france.xml"),
            QStringLiteral("http://syndication.lesechos.fr/rss/rss_une.xml")};
    QStringList shown;
    for (const QString &address : production)
        shown << NewsFeedSource::address(address);
    return shown;
}

QStringList WidgetKinds::loadedKeys()
{
    return {QStringLiteral("WIDGETMETEOZIP"), QStringLiteral("WIDGETMETEOLANGUE"), QStringLiteral("WIDGETMETEOCITY"),
            QStringLiteral("SLIDERSSADRESSE"), QStringLiteral("SLIDERSSDELAY")};
}

void WidgetKinds::load(const QStringList &storedValues, int index, int posterCount, Fields *fields)
{
    auto entry = [&](int key) { return PosterEntries::entry(storedValues.value(key, kNull), index); };
    auto orDefault = [](const QString &e, const char *fallback) {
        return e == kNull ? QString::fromUtf8(fallback) : e;
    };
    fields->zip = orDefault(entry(0), "34000");
    fields->language = orDefault(entry(1), "fr");
    fields->city = orDefault(entry(2), "Montpellier");
    // Another poster's feed must not show for one past the list's end.
    if (index < 0 || index >= posterCount)
        return;
    // An absent entry is no address: saving it must not store "NULL".
    const QString address = entry(3);
    fields->rssAddress = address == kNull ? QString() : address;
    fields->rssDelay = TypedValue::secondsOf(entry(4));
}

WidgetKinds::Values WidgetKinds::entriesOf(const QString &slideType, const Fields &fields)
{
    Values values{qMakePair(QStringLiteral("SLIDETYPE"), slideType)};
    if (slideType == QLatin1String("WIDGETMETEO")) {
        values.append(qMakePair(QStringLiteral("WIDGETMETEOZIP"), fields.zip));
        values.append(qMakePair(QStringLiteral("WIDGETMETEOLANGUE"), fields.language));
        values.append(qMakePair(QStringLiteral("WIDGETMETEOCITY"), fields.city));
    } else if (slideType == QLatin1String("WIDGETRSS")) {
        values.append(qMakePair(QStringLiteral("SLIDERSSADRESSE"), fields.rssAddress));
        values.append(qMakePair(QStringLiteral("SLIDERSSDELAY"), TypedValue::millisecondsOf(fields.rssDelay)));
    }
    return values;
}

WidgetKinds::Values WidgetKinds::toWrite(const std::function<QString(const QString &)> &stored, int posterCount,
                                         int index, const QString &slideType, const Fields &fields)
{
    Values values;
    for (const auto &kv : entriesOf(slideType, fields)) {
        QString joined;
        if (!PosterEntries::replaced(stored(kv.first), posterCount, index, kv.second, &joined))
            return Values();
        values.append(qMakePair(kv.first, joined));
    }
    return values;
}

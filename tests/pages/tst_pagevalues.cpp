#include "PosterEntries.h"
#include "SettingsPageLook.h"
#include "ShareLink.h"
#include "SharePicture.h"
#include "TypedValue.h"
#include "WidgetKinds.h"

#include <QHash>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

// Value rules of the widget, publication and touch pages.
class PageValuesTest : public QObject
{
    Q_OBJECT
private slots:
    void perPosterEntry_data();
    void perPosterEntry();
    void widgetValuesWritten_data();
    void widgetValuesWritten();
    void widgetFieldsLoaded_data();
    void widgetFieldsLoaded();
    void kinds_data();
    void kinds();
    void typedValues_data();
    void typedValues();
    void seconds_data();
    void seconds();
    void shareLink_data();
    void shareLink();
    void network_data();
    void network();
    void posterChoice_data();
    void posterChoice();
    void previewSize_data();
    void previewSize();
    void sharePicture_data();
    void sharePicture();
    void failedRenderLeavesNoPicture();
};

void PageValuesTest::perPosterEntry_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("result");

    QTest::newRow("absent key, 3 posters") << "NULL" << 3 << 1 << true << "|x|";
    QTest::newRow("one empty entry is padded") << "" << 3 << 2 << true << "||x";
    QTest::newRow("short list keeps its entries") << "a" << 3 << 2 << true << "a||x";
    QTest::newRow("other posters kept") << "a|b|c" << 3 << 1 << true << "a|x|c";
    QTest::newRow("longer list kept whole") << "a|b|c|d" << 2 << 3 << true << "a|b|c|x";
    QTest::newRow("single poster") << "NULL" << 1 << 0 << true << "x";
    QTest::newRow("past the posters") << "a|b" << 2 << 2 << false << "";
    QTest::newRow("no poster loaded") << "a|b" << 2 << -1 << false << "";
}

void PageValuesTest::perPosterEntry()
{
    QFETCH(QString, stored);
    QFETCH(int, count);
    QFETCH(int, index);
    QFETCH(bool, written);
    QFETCH(QString, result);
    QString out = QStringLiteral("untouched");
    QCOMPARE(PosterEntries::replaced(stored, count, index, QStringLiteral("x"), &out), written);
    QCOMPARE(out, written ? result : QStringLiteral("untouched"));
}

void PageValuesTest::widgetValuesWritten_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("written"); // key=value

    // Three posters; poster 0 already a weather poster, no RSS keys at all.
    QTest::newRow("METEO on poster 1 of 3, absent zip")
        << "METEO" << 1
        << QStringList{"SLIDETYPE=WIDGETMETEO|WIDGETMETEO|", "WIDGETMETEOZIP=|75001|",
                       "WIDGETMETEOLANGUE=fr|be|", "WIDGETMETEOCITY=Sète|Paris|"};
    QTest::newRow("FLUX RSS stores milliseconds, short list padded")
        << "FLUX RSS" << 2
        << QStringList{"SLIDETYPE=WIDGETMETEO||WIDGETRSS", "SLIDERSSADRESSE=||http://feed", "SLIDERSSDELAY=||10000"};
    QTest::newRow("OFF only clears the kind")
        << "OFF" << 0 << QStringList{"SLIDETYPE=||"};
    QTest::newRow("HORLOGE") << "HORLOGE" << 2 << QStringList{"SLIDETYPE=WIDGETMETEO||WIDGETHEURE"};
    QTest::newRow("kept web page kind") << "PAGE WEB" << 1 << QStringList{"SLIDETYPE=WIDGETMETEO|WIDGETSITEWEB|"};
    QTest::newRow("poster no longer there") << "METEO" << 3 << QStringList{};
}

void PageValuesTest::widgetValuesWritten()
{
    QFETCH(QString, caption);
    QFETCH(int, index);
    QFETCH(QStringList, written);
    const QHash<QString, QString> file{{"SLIDETYPE", "WIDGETMETEO||"},
                                       {"WIDGETMETEOLANGUE", "fr||"},
                                       {"WIDGETMETEOCITY", "Sète"}};
    WidgetKinds::Fields fields;
    fields.zip = "75001";
    fields.language = "be";
    fields.city = "Paris";
    fields.rssAddress = "http://feed";
    fields.rssDelay = "10";
    const auto values = WidgetKinds::toWrite([&](const QString &k) { return file.value(k, "NULL"); }, 3, index,
                                             WidgetKinds::slideTypeOf(caption), fields);
    QStringList got;
    for (const auto &kv : values)
        got.append(kv.first + "=" + kv.second);
    QCOMPARE(got, written);
}

void PageValuesTest::widgetFieldsLoaded_data()
{
    QTest::addColumn<QStringList>("stored"); // zip, language, city, rss address, rss delay
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("shown");

    const QStringList file{"34000|13001", "fr|de", "Montpellier|", "http://a|http://b", "10000|2500"};
    QTest::newRow("stored entries, remainder dropped") << file << 1 << QStringList{"13001", "de", "", "http://b", "2"};
    QTest::newRow("absent keys give the defaults")
        << QStringList{"NULL", "NULL", "NULL", "NULL", "NULL"} << 0
        << QStringList{"34000", "fr", "Montpellier", "", "0"};
    QTest::newRow("no poster: RSS fields keep their texts")
        << file << -1 << QStringList{"34000", "fr", "Montpellier", "old", "7"};
    QTest::newRow("past the posters") << file << 2 << QStringList{"34000", "fr", "Montpellier", "old", "7"};
}

void PageValuesTest::widgetFieldsLoaded()
{
    QFETCH(QStringList, stored);
    QFETCH(int, index);
    QFETCH(QStringList, shown);
    WidgetKinds::Fields f;
    f.rssAddress = "old";
    f.rssDelay = "7";
    WidgetKinds::load(stored, index, 2, &f);
    QCOMPARE((QStringList{f.zip, f.language, f.city, f.rssAddress, f.rssDelay}), shown);
}

void PageValuesTest::kinds_data()
{
    QTest::addColumn<QString>("slideType");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<QString>("portrait");

    QTest::newRow("weather") << "WIDGETMETEO" << "METEO" << true << ":/images/Meteo-Portrait.jpg";
    QTest::newRow("rss") << "WIDGETRSS" << "FLUX RSS" << true << ":/images/RSS-Portrait.jpg";
    QTest::newRow("clock") << "WIDGETHEURE" << "HORLOGE" << true << ":/images/HORLOGE-Portrait.jpg";
    QTest::newRow("web page is kept, not offered") << "WIDGETSITEWEB" << "PAGE WEB" << false
                                                   << ":/images/WEBAPP-Portrait.jpg";
    QTest::newRow("like counter is kept, not offered")
        << "WIDGETLIKESFACEBOOK" << "LIKES FACEBOOK" << false << ":/images/RSS-Portrait.jpg";
    QTest::newRow("ordinary poster") << "" << "OFF" << true << "";
    QTest::newRow("absent entry") << "NULL" << "OFF" << true << "";
}

void PageValuesTest::kinds()
{
    QFETCH(QString, slideType);
    QFETCH(QString, caption);
    QFETCH(bool, offered);
    QFETCH(QString, portrait);
    QCOMPARE(WidgetKinds::captionOf(slideType), caption);
    QCOMPARE(WidgetKinds::isOffered(caption), offered);
    QCOMPARE(WidgetKinds::picture(slideType, -90), portrait);
    QCOMPARE(WidgetKinds::picture(slideType, 90), portrait);
    QCOMPARE(WidgetKinds::slideTypeOf(caption), slideType == "NULL" ? QString() : slideType);
    QCOMPARE(WidgetKinds::captions(), (QStringList{"OFF", "METEO", "FLUX RSS", "HORLOGE"}));
}

void PageValuesTest::typedValues_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("storable");

    QTest::newRow("address") << "https://example.com/feed?a=1&b=2" << true;
    QTest::newRow("empty") << "" << true;
    QTest::newRow("accented city") << "Béziers" << true;
    QTest::newRow("pipe") << "Paris|Lyon" << false;
    QTest::newRow("double quote") << "say \"hi\"" << false;
    QTest::newRow("carriage return") << "a\rb" << false;
    QTest::newRow("line feed") << "a\nb" << false;
    QTest::newRow("outside Latin-1") << QStringLiteral("Łódź") << false;
}

void PageValuesTest::typedValues()
{
    QFETCH(QString, text);
    QFETCH(bool, storable);
    QCOMPARE(TypedValue::isStorable(text), storable);
}

void PageValuesTest::seconds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shownAgain");

    QTest::newRow("30 s") << "30" << "30000" << "30";
    QTest::newRow("leading zeros") << "010" << "10000" << "10";
    QTest::newRow("not a number") << "1.5" << "0" << "0";
    QTest::newRow("empty") << "" << "0" << "0";
}

void PageValuesTest::seconds()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(QString, shownAgain);
    QCOMPARE(TypedValue::millisecondsOf(typed), stored);
    QCOMPARE(TypedValue::secondsOf(stored), shownAgain);
    QCOMPARE(TypedValue::secondsOf("2500"), QStringLiteral("2"));
    QCOMPARE(TypedValue::secondsOf("NULL"), QStringLiteral("0"));
}

void PageValuesTest::shareLink_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<bool>("usable");

    QTest::newRow("serial") << "A1B2C3" << true;
    QTest::newRow("slash") << "a/b" << false;
    QTest::newRow("backslash") << "a\\b" << false;
    QTest::newRow("quote") << "a\"b" << false;
    QTest::newRow("angle brackets") << "<script>" << false;
    QTest::newRow("dot") << "." << false;
    QTest::newRow("dot dot") << ".." << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("dots inside a name") << "a..b" << true;
}

void PageValuesTest::shareLink()
{
    QFETCH(QString, folder);
    QFETCH(bool, usable);
    QCOMPARE(ShareLink::isUsableFolder(folder), usable);
    const QString link = ShareLink::link("https://host.example/", "shop1", "A1B2C3");
    QCOMPARE(link, QStringLiteral("https://host.example/zobox/zo_shop1/LINKS/A1B2C3/index.html"));
    // The deployment finds the folder again as the 7th section.
    QCOMPARE(link.split('/').value(6), QStringLiteral("A1B2C3"));
}

void PageValuesTest::network_data()
{
    QTest::addColumn<bool>("web");
    QTest::addColumn<bool>("social");
    QTest::addColumn<QString>("value");

    QTest::newRow("web") << true << false << "SiteWeb|";
    QTest::newRow("social") << false << true << "|Facebook";
    QTest::newRow("both") << true << true << "SiteWeb|Facebook";
    QTest::newRow("none") << false << false << "|";
}

void PageValuesTest::network()
{
    QFETCH(bool, web);
    QFETCH(bool, social);
    QFETCH(QString, value);
    QCOMPARE(ShareLink::network(web, social), value);
    bool w = !web, s = !social;
    ShareLink::readNetwork(value, &w, &s);
    QCOMPARE(w, web);
    QCOMPARE(s, social);
    for (const char *off : {"", "NULL", "SiteWeb"}) {
        ShareLink::readNetwork(QLatin1String(off), &w, &s);
        QVERIFY(!w && !s);
    }
}

void PageValuesTest::posterChoice_data()
{
    QTest::addColumn<QString>("images");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("website");
    QTest::addColumn<int>("row");

    QTest::newRow("names") << "IMAGE/a.png|IMAGE/b.png" << "Menu|Carte" << QStringList{"Menu", "Carte"} << "1" << 1;
    QTest::newRow("no names") << "IMAGE/a.png|" << "NULL" << QStringList{"Affiche n°1", "Aucune Image..."} << "" << -1;
    QTest::newRow("names shorter: rows stay aligned")
        << "a|b|c" << "Menu" << QStringList{"Menu", "Affiche n°2", "Affiche n°3"} << "2" << 2;
    QTest::newRow("WEBSITE past the posters") << "a|b|c|d|e" << "" << QStringList{"Affiche n°1", "Affiche n°2",
                                                                           "Affiche n°3", "Affiche n°4", "Affiche n°5"}
                                              << "7" << -1;
    QTest::newRow("WEBSITE no number reads 0") << "a" << "" << QStringList{"Affiche n°1"} << "x" << 0;
    QTest::newRow("absent pictures: no poster") << "NULL" << "Menu" << QStringList{} << "0" << -1;
}

void PageValuesTest::posterChoice()
{
    QFETCH(QString, images);
    QFETCH(QString, names);
    QFETCH(QStringList, entries);
    QFETCH(QString, website);
    QFETCH(int, row);
    QCOMPARE(ShareLink::posterEntries(images, names), entries);
    QCOMPARE(ShareLink::storedPoster(website, entries.size()), row);
}

void PageValuesTest::previewSize_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("size");

    QTest::newRow("landscape") << 1280 << 0 << QSize(426, 239);
    QTest::newRow("portrait") << 1280 << 90 << QSize(160, 284);
    QTest::newRow("portrait the other way") << 1280 << -90 << QSize(160, 284);
    QTest::newRow("180 is landscape") << 1024 << 180 << QSize(341, 191);
}

void PageValuesTest::previewSize()
{
    QFETCH(int, width);
    QFETCH(int, rotation);
    QFETCH(QSize, size);
    QCOMPARE(SettingsPageLook::previewSize(width, rotation), size);
}

void PageValuesTest::sharePicture_data()
{
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QSize>("size");

    QTest::newRow("landscape") << 0 << QSize(1920, 1080);
    QTest::newRow("portrait") << 90 << QSize(1080, 1920);
    QTest::newRow("portrait the other way") << -90 << QSize(1080, 1920);
}

void PageValuesTest::sharePicture()
{
    QFETCH(int, rotation);
    QFETCH(QSize, size);
    QTemporaryDir dir;
    QImage picture(160, 90, QImage::Format_RGB32);
    picture.fill(QColor(200, 30, 30));
    QImage text(40, 40, QImage::Format_ARGB32);
    text.fill(Qt::transparent);
    for (int y = 15; y < 25; ++y)
        for (int x = 15; x < 25; ++x)
            text.setPixelColor(x, y, QColor(0, 0, 255));
    QVERIFY(picture.save(dir.filePath("p.png")));
    QVERIFY(text.save(dir.filePath("t.png")));

    QCOMPARE(ShareLink::fullSize(rotation), size);
    const QImage out = SharePicture::render(dir.filePath("p.png"), dir.filePath("t.png"), size);
    QCOMPARE(out.size(), size);
    const QRect placed = SharePicture::placed(picture.size(), size);
    // The picture fills its placed rectangle, the text square sits over the
    // centre, and the bands beside a 16:9 picture on a portrait screen are black.
    QCOMPARE(out.pixelColor(placed.left() + 5, placed.top() + 5), QColor(200, 30, 30));
    QCOMPARE(out.pixelColor(size.width() / 2, size.height() / 2), QColor(0, 0, 255));
    if (placed.top() > 0)
        QCOMPARE(out.pixelColor(size.width() / 2, placed.top() / 2), QColor(Qt::black));
}

void PageValuesTest::failedRenderLeavesNoPicture()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("LINKS/Picture.png");
    QVERIFY(QDir().mkpath(dir.filePath("LINKS")));
    QImage other(10, 10, QImage::Format_RGB32);
    other.fill(Qt::green);
    QVERIFY(other.save(file));
    const QImage none = SharePicture::render(dir.filePath("missing.png"), QString(), QSize(1920, 1080));
    QVERIFY(none.isNull());
    QVERIFY(!SharePicture::save(none, file));
    QVERIFY(!QFile::exists(file));
}

QTEST_GUILESS_MAIN(PageValuesTest)
#include "tst_pagevalues.moc"

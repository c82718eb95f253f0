#include "RssFeedConverter.h"
#include "RssFeedReader.h"

#include <QCryptographicHash>
#include <QtTest>

// Reading a feed, choosing its newest items and writing the reduced file,
// without network or files.
class TestRssConverter : public QObject
{
    Q_OBJECT

private slots:
    void readsItemsAndChannelImage();
    void damagedOrForeignDocuments_data();
    void damagedOrForeignDocuments();
    void itemDate_data();
    void itemDate();
    void newest_data();
    void newest();
    void pictureFileName_data();
    void pictureFileName();
    void emptyFeedKeepsTheImageElement();
};

void TestRssConverter::readsItemsAndChannelImage()
{
    const QByteArray feed = R"(<rss version="2.0" xmlns:media="http://search.yahoo.com/mrss/"><channel>
        <image><title>t</title><url>http://x/logo.png</url></image>
        <item><title>A</title><description><![CDATA[<b>bold</b>]]></description>
              <pubDate>Mon, 02 Jan 2023 09:00:00 +0100</pubDate><guid>1</guid>
              <enclosure url="http://x/a.png" length="12" type="image/png"/></item>
        <item><title>B</title><media:content url="http://x/b.jpg" length="34"/></item>
        <item><title>C</title></item>
        </channel></rss>)";
    bool ok = false;
    const RssFeedConverter::Feed read = RssFeedConverter::read(feed, &ok);
    QVERIFY(ok);
    QCOMPARE(read.channelImage, QStringLiteral("http://x/logo.png"));
    QCOMPARE(read.items.size(), 3);
    QCOMPARE(read.items.at(0),
             (QStringList{"A", "<b>bold</b>", "Mon, 02 Jan 2023 09:00:00 +0100", "http://x/a.png", "12"}));
    // A media:content picture counts as an enclosure.
    QCOMPARE(read.items.at(1), (QStringList{"B", "", "", "http://x/b.jpg", "34"}));
    QCOMPARE(read.items.at(2), (QStringList{"C", "", "", "", ""}));
}

void TestRssConverter::damagedOrForeignDocuments_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("wellFormed");
    QTest::newRow("cut in an item") << QByteArray("<rss version=\"2.0\"><channel><item><title>x") << false;
    QTest::newRow("not XML") << QByteArray("<html><body>Error 500</body") << false;
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("Atom feed") << QByteArray("<feed><entry><title>x</title></entry></feed>") << true;
    QTest::newRow("undeclared prefix") << QByteArray("<rss><channel><item><media:content url=\"u\"/></item></channel></rss>")
                                       << true;
}

void TestRssConverter::damagedOrForeignDocuments()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, wellFormed);
    bool ok = !wellFormed;
    const RssFeedConverter::Feed feed = RssFeedConverter::read(data, &ok);
    QCOMPARE(ok, wellFormed);
    if (!wellFormed || data.startsWith("<feed"))
        QVERIFY(feed.items.isEmpty());
    else
        QCOMPARE(feed.items.value(0).value(RssFeedConverter::Picture), QStringLiteral("u"));
}

void TestRssConverter::itemDate_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("utc");
    QTest::newRow("paris") << "Mon, 09 Jan 2023 09:00:00 +0100" << QDateTime(QDate(2023, 1, 9), QTime(8, 0), Qt::UTC);
    QTest::newRow("GMT") << "Tue, 03 Jan 2023 08:00:00 GMT" << QDateTime(QDate(2023, 1, 3), QTime(8, 0), Qt::UTC);
    QTest::newRow("other zone") << "Tue, 03 Jan 2023 08:00:00 -0500"
                                << QDateTime(QDate(2023, 1, 3), QTime(13, 0), Qt::UTC);
    QTest::newRow("no weekday") << "10 Jan 2023 09:00:00 +0000" << QDateTime(QDate(2023, 1, 10), QTime(9, 0), Qt::UTC);
    QTest::newRow("no zone") << "Tue, 03 Jan 2023 08:00:00" << QDateTime(QDate(2023, 1, 3), QTime(8, 0), Qt::UTC);
    const struct
    {
        const char *zone;
        int hours;
    } named[] = {{"EST", -5}, {"EDT", -4}, {"CST", -6}, {"CDT", -5}, {"MST", -7},
                 {"MDT", -6}, {"PST", -8}, {"PDT", -7}, {"CET", 1},  {"CEST", 2}};
    for (const auto &zone : named) {
        QTest::addRow("named zone %s read as UTC", zone.zone)
            << QStringLiteral("Tue, 03 Jan 2023 08:00:00 %1").arg(QLatin1String(zone.zone))
            << QDateTime(QDate(2023, 1, 3), QTime(8, 0), Qt::UTC).addSecs(-3600 * zone.hours);
    }
    QTest::newRow("UT") << "Tue, 03 Jan 2023 08:00:00 UT" << QDateTime(QDate(2023, 1, 3), QTime(8, 0), Qt::UTC);
    QTest::newRow("military Z") << "Tue, 03 Jan 2023 08:00:00 Z" << QDateTime(QDate(2023, 1, 3), QTime(8, 0), Qt::UTC);
    QTest::newRow("French") << "mar., 03 janv. 2023 08:00:00" << QDateTime();
    QTest::newRow("empty") << "" << QDateTime();
}

void TestRssConverter::itemDate()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, utc);
    const QDateTime date = RssFeedConverter::itemDate(text);
    QCOMPARE(date.isValid(), utc.isValid());
    if (utc.isValid())
        QCOMPARE(date.toUTC(), utc);
}

void TestRssConverter::newest_data()
{
    QTest::addColumn<QStringList>("dates"); // feed order; titles are the indexes
    QTest::addColumn<QStringList>("titles");
    auto day = [](int d) { return QStringLiteral("Mon, %1 Jan 2023 09:00:00 +0100").arg(d, 2, 10, QLatin1Char('0')); };
    QTest::newRow("three, newest first") << QStringList{day(3), day(2), day(1)} << QStringList{"2", "1", "0"};
    QStringList twelve;
    for (int d = 12; d >= 1; --d)
        twelve << day(d);
    QTest::newRow("twelve: the seven newest") << twelve << QStringList{"6", "5", "4", "3", "2", "1", "0"};
    QTest::newRow("equal dates keep feed order") << QStringList{day(5), day(5), day(1)} << QStringList{"2", "0", "1"};
    QTest::newRow("undated: older, in feed order") << QStringList{"", day(2), "x", day(1)}
                                                   << QStringList{"0", "2", "3", "1"};
    const QStringList undated = QStringList(QVector<QString>(9).toList());
    QTest::newRow("all undated: the last seven") << undated << QStringList{"2", "3", "4", "5", "6", "7", "8"};
}

void TestRssConverter::newest()
{
    QFETCH(QStringList, dates);
    QFETCH(QStringList, titles);
    QList<QStringList> items;
    for (int i = 0; i < dates.size(); ++i)
        items.append({QString::number(i), QString(), dates.at(i), QString(), QString()});
    QStringList got;
    for (const QStringList &item : RssFeedConverter::newest(items, 7))
        got.append(item.first());
    QCOMPARE(got, titles);

    // Read a token at a time, keeping the newest as they come: the same.
    QByteArray feed = "<rss version=\"2.0\"><channel>";
    for (int i = 0; i < dates.size(); ++i)
        feed += "<item><title>" + QByteArray::number(i) + "</title><pubDate>" + dates.at(i).toUtf8() + "</pubDate></item>";
    feed += "</channel></rss>";
    RssFeedReader reader(feed, 7);
    int slices = 1;
    while (!reader.readSlice(1))
        ++slices;
    QVERIFY(slices > 4 * dates.size());
    QVERIFY(reader.wellFormed());
    got.clear();
    for (const QStringList &item : reader.feed().items)
        got.append(item.first());
    QCOMPARE(got, titles);
}

static QString md5(const QString &text)
{
    return QString::fromLatin1(QCryptographicHash::hash(text.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
}

void TestRssConverter::pictureFileName_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<QString>("file");
    // Sites publish the same names ("photo.jpg"): the whole address names
    // the copy, with the picture's extension.
    QTest::newRow("plain") << "http://x/img/a.png" << md5("http://x/img/a.png") + ".png";
    QTest::newRow("same name on another site") << "http://y/img/a.png" << md5("http://y/img/a.png") + ".png";
    QTest::newRow("seventy characters") << QStringLiteral("http://x/") + QString(66, QLatin1Char('n')) + ".png"
                                        << md5(QStringLiteral("http://x/") + QString(66, QLatin1Char('n')) + ".png")
                                               + ".png";
    QTest::newRow("folder") << "http://x/img/" << "";
    QTest::newRow("dot") << "http://x/." << "";
    QTest::newRow("dot dot") << "http://x/.." << "";
    // No extension of ours: never taken for a part or a feed file.
    QTest::newRow("temporary") << "http://x/a.tmp" << md5("http://x/a.tmp");
    QTest::newRow("feed file") << "http://x/other.XML" << md5("http://x/other.XML");
    // Two addresses behind the same path must not share one copy, and the
    // name must be one the clean-up finds.
    QTest::newRow("picture address with a query string")
        << "https://cdn.x/img/photo.jpg?w=300&h=200"
        << QString::fromLatin1(
               QCryptographicHash::hash("https://cdn.x/img/photo.jpg?w=300&h=200", QCryptographicHash::Md5).toHex().toUpper())
               + ".jpg";
    QTest::newRow("two pictures behind one script")
        << "http://x/img.php?id=2"
        << QString::fromLatin1(QCryptographicHash::hash("http://x/img.php?id=2", QCryptographicHash::Md5).toHex().toUpper());
}

void TestRssConverter::pictureFileName()
{
    QFETCH(QString, address);
    QFETCH(QString, file);
    QCOMPARE(RssFeedConverter::pictureFileName(address), file);
}

void TestRssConverter::emptyFeedKeepsTheImageElement()
{
    QCOMPARE(RssFeedConverter::write(QStringLiteral("file:///w/RSS/logo.png"), {}),
             QByteArray("<rss version=\"2.0\">\n    <channel>\n        <image>\n"
                        "            <url>file:///w/RSS/logo.png</url>\n        </image>\n    </channel>\n</rss>\n"));
}

QTEST_GUILESS_MAIN(TestRssConverter)
#include "tst_rssconverter.moc"

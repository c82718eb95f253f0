#include "PlayerFixture.h"
#include "PlayerScreenFile.h"
#include "RssFeedList.h"
#include "SceneCallBuilder.h"

#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

Q_DECLARE_METATYPE(SceneCall)

// The values the preview hands to its scene, computed without QML: the
// poster list file read with its defaults, grouped by zone, in the scene's
// forms.
class TestSceneValues : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void threePostersInTwoZones();
    void absentKeysAndShortLists();
    void missingFile();
    void zoneList_data();
    void zoneList();
    void valueForms_data();
    void valueForms();
    void mediaUrlStaysInWorkFolder_data();
    void mediaUrlStaysInWorkFolder();
    void rssFeedList();

private:
    SceneCalls previewCalls(const PlayerScreen &s) const;
    QString url(const QString &name) const { return QUrl::fromLocalFile(m_work + name).toString(); }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
};

void TestSceneValues::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    m_work = m_dir->path() + QLatin1Char('/');
}

// The preview's sequence of scene calls for a screen, as the window makes it.
SceneCalls TestSceneValues::previewCalls(const PlayerScreen &s) const
{
    SceneCalls calls;
    calls += SceneCallBuilder::sizeEcran(s.rotation, s.width, s.height, s.zoneLayout, SceneCallBuilder::Brand,
                                         SceneCallBuilder::Mode, s.interaction);
    calls += SceneCallBuilder::siteWebTactile(s.webAppUrl, s.webAppTimeout);
    calls += SceneCallBuilder::meteo(s.types, s.zones, s.delays, s.meteoCity, s.meteoLangue, s.meteoZip);
    calls += SceneCallBuilder::dateTime2(s.dateDebut, s.heureDebut, s.dateFin, s.heureFin, s.dateDebut1,
                                         s.heureDebut1, s.dateFin1, s.heureFin1, s.weekdays, s.zones);
    const QStringList feeds = RssFeedList::localFiles(s.types, s.rssAddresses, m_work);
    calls += SceneCallBuilder::media3(s.types, s.delays, s.videos, s.images, s.opacities, s.texts, s.zones, feeds,
                                      s.rssDelays, m_work);
    return calls;
}

static QVariant L(const QStringList &list)
{
    return QVariant(list);
}

static void compareCalls(const SceneCalls &actual, const SceneCalls &expected)
{
    QStringList names;
    for (const SceneCall &c : actual)
        names.append(c.function);
    QStringList expectedNames;
    for (const SceneCall &c : expected)
        expectedNames.append(c.function);
    QCOMPARE(names, expectedNames);
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(actual.at(i).args.size(), expected.at(i).args.size());
        for (int a = 0; a < expected.at(i).args.size(); ++a) {
            const QVariant &got = actual.at(i).args.at(a);
            const QVariant &want = expected.at(i).args.at(a);
            QVERIFY2(got.userType() == want.userType(), qPrintable(expected.at(i).function));
            QVERIFY2(got == want, qPrintable(QStringLiteral("%1 argument %2: %3 instead of %4")
                                                 .arg(expected.at(i).function)
                                                 .arg(a)
                                                 .arg(got.toStringList().join(QLatin1Char('|')),
                                                      want.toStringList().join(QLatin1Char('|')))));
        }
    }
}

void TestSceneValues::threePostersInTwoZones()
{
    QVERIFY(writePlayerFile(m_work, threePostersTwoZones()));
    const PlayerScreen s = PlayerScreenFile::read(m_work);
    const QString feed = url(QStringLiteral("RSS/sitecom-news-feedphpid3.xml"));
    const QStringList none;
    const SceneCalls expected = {
        {QStringLiteral("showLocalSizeEcran"),
         {QStringLiteral("0"), QStringLiteral("-1"), QStringLiteral("-1"),
          L({QStringLiteral("0-0-50-100"), QStringLiteral("50-0-50-100")}), QStringLiteral("Orvex"),
          QStringLiteral("MANAGER"), QStringLiteral("NON")}},
        {QStringLiteral("showLocalSiteWebTactile"), {QString(), QString()}},
        {QStringLiteral("showLocalMeteoEcran1"), {L({""}), L({""}), L({""}), L({""})}},
        {QStringLiteral("showLocalMeteoEcran2"),
         {L({"WIDGETMETEO", "WIDGETRSS"}), L({"Paris", ""}), L({"fr", ""}), L({"75001", ""})}},
        {QStringLiteral("showDateTimeEcran1"),
         {L({"NULL"}), L({"NULL"}), L({"NULL"}), L({"NULL"}), L({"NULL"}), L({"NULL"}), L({"NULL"}), L({"NULL"}),
          L({"NULL"})}},
        {QStringLiteral("showDateTimeEcran2"),
         {L({"2019,12,25", "NULL"}), L({"2019,12,31", "NULL"}), L({"08,30,00", "NULL"}), L({"12,00,00", "NULL"}),
          L({"NULL", "NULL"}), L({"NULL", "NULL"}), L({"NULL", "NULL"}), L({"NULL", "NULL"}),
          L({"135", "NULL"})}},
        {QStringLiteral("showDateTimeEcran3"),
         {L(none), L(none), L(none), L(none), L(none), L(none), L(none), L(none), L(none)}},
        {QStringLiteral("showLocalMediaEcran1"),
         {L({""}), L({"5"}), L({url("VIDEO/clip.mp4")}), L({url("IMAGE/left.png")}), L({"50"}),
          L({url("TEXT/t.png")}), L({""}), L({""})}},
        {QStringLiteral("showLocalMediaEcran2"),
         {L({"WIDGETMETEO", "WIDGETRSS"}), L({"10", "7"}), L({"", ""}), L({"", ""}), L({"100", "100"}),
          L({"", ""}), L({"", feed}), L({"", "30"})}},
    };
    compareCalls(previewCalls(s), expected);
    QVERIFY(feed.startsWith(QLatin1String("file:///")));
}

void TestSceneValues::absentKeysAndShortLists()
{
    // Two posters; most keys absent, the others shorter than SLIDEDELAY.
    QVERIFY(writePlayerFile(m_work, {
                                        {QStringLiteral("SLIDETYPE"), QStringLiteral("|WIDGETRSS|")},
                                        {QStringLiteral("SLIDEDELAY"), QStringLiteral("4|6|8")},
                                        {QStringLiteral("SLIDENAMEIMAGE"), QStringLiteral("IMAGE/a.png")},
                                        {QStringLiteral("NUMEROECRAN"), QStringLiteral("2")},
                                        {QStringLiteral("DATEDEBUT"), QStringLiteral("01/02/2021")},
                                        {QStringLiteral("CONFIGECRAN"), QString()},
                                        {QStringLiteral("ROTATION2"), QString()},
                                        {QStringLiteral("ECRANLARGEUR"), QString()},
                                    }));
    const PlayerScreen s = PlayerScreenFile::read(m_work);
    QCOMPARE(s.rotation, QStringLiteral("0"));
    QCOMPARE(s.width, QString());
    QCOMPARE(s.height, QStringLiteral("-1"));
    QCOMPARE(s.zoneLayout, QStringList{QString()});
    QCOMPARE(s.zones, (QStringList{"2", "1", "1"}));
    QCOMPARE(s.interaction, QStringLiteral("NULL"));
    QCOMPARE(s.webAppUrl, QStringLiteral("NULL"));

    const SceneCalls calls = previewCalls(s);
    // Zone 2 has the first poster; its missing end date reads as unset.
    const SceneCall &dates2 = calls.at(5);
    QCOMPARE(dates2.function, QStringLiteral("showDateTimeEcran2"));
    QCOMPARE(dates2.args.at(0).toStringList(), QStringList{"2021,02,01"});
    QCOMPARE(dates2.args.at(1).toStringList(), QStringList{"NULL"});
    QCOMPARE(dates2.args.at(8).toStringList(), QStringList{"NULL"});
    const SceneCall &media1 = calls.at(7);
    QCOMPARE(media1.function, QStringLiteral("showLocalMediaEcran1"));
    QCOMPARE(media1.args.at(0).toStringList(), (QStringList{"WIDGETRSS", ""}));
    QCOMPARE(media1.args.at(1).toStringList(), (QStringList{"6", "8"}));
    // Absent picture keys give no file, never a URL of "NULL".
    QCOMPARE(media1.args.at(2).toStringList(), (QStringList{"", ""}));
    QCOMPARE(media1.args.at(3).toStringList(), (QStringList{"", ""}));
    QCOMPARE(media1.args.at(4).toStringList(), (QStringList{"", ""}));
    // The RSS poster has no address: no feed.
    QCOMPARE(media1.args.at(6).toStringList(), (QStringList{"", ""}));
    // SLIDERSSDELAY is absent: one entry, for the first poster only.
    QCOMPARE(media1.args.at(7).toStringList(), QStringList{});
    const SceneCall &media2 = calls.at(8);
    QCOMPARE(media2.function, QStringLiteral("showLocalMediaEcran2"));
    QCOMPARE(media2.args.at(3).toStringList(), QStringList{url("IMAGE/a.png")});
    QCOMPARE(media2.args.at(7).toStringList(), QStringList{"NULL"});
}

void TestSceneValues::missingFile()
{
    const PlayerScreen s = PlayerScreenFile::read(m_work);
    QCOMPARE(s.rotation, QStringLiteral("0"));
    QCOMPARE(s.width, QStringLiteral("-1"));
    QCOMPARE(s.height, QStringLiteral("-1"));
    QCOMPARE(s.zoneLayout, QStringList{"0-0-100-100"});
    QCOMPARE(s.zones, QStringList{"1"});
    QCOMPARE(s.types, QStringList{"NULL"});
    QCOMPARE(s.webAppTimeout, QStringLiteral("NULL"));

    const SceneCalls calls = previewCalls(s);
    QStringList names;
    for (const SceneCall &c : calls)
        names.append(c.function);
    QCOMPARE(names, (QStringList{"showLocalSizeEcran", "showLocalSiteWebTactile", "showLocalMeteoEcran1",
                                 "showDateTimeEcran1", "showDateTimeEcran2", "showDateTimeEcran3",
                                 "showLocalMediaEcran1"}));
    const SceneCall &media = calls.last();
    QCOMPARE(media.args.at(0).toStringList(), QStringList{"NULL"});
    QCOMPARE(media.args.at(3).toStringList(), QStringList{""});
    QCOMPARE(calls.at(3).args.at(0).toStringList(), QStringList{"NULL"});
}

void TestSceneValues::zoneList_data()
{
    QTest::addColumn<QStringList>("numeroEcran");
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("zones");
    QTest::newRow("as stored") << QStringList{"1", "2", "3"} << 3 << QStringList{"1", "2", "3"};
    QTest::newRow("shorter than the delays") << QStringList{"3"} << 3 << QStringList{"3", "1", "1"};
    QTest::newRow("extra entries ignored") << QStringList{"2", "3", "2"} << 1 << QStringList{"2"};
    QTest::newRow("odd entries in zone 1") << QStringList{"", "NULL", "0", "4", " 2"} << 5
                                           << QStringList{"1", "1", "1", "1", "1"};
}

void TestSceneValues::zoneList()
{
    QFETCH(QStringList, numeroEcran);
    QFETCH(int, count);
    QFETCH(QStringList, zones);
    QCOMPARE(PlayerScreenFile::zoneList(numeroEcran, count), zones);
}

void TestSceneValues::valueForms_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("scene");
    QTest::newRow("date") << "date" << "25/12/2019" << "2019,12,25";
    QTest::newRow("empty date") << "date" << "" << "NULL";
    // The zone scene reads this as a period open at its start.
    QTest::newRow("start never picked") << "date" << "00/00/0000" << "0000,00,00";
    QTest::newRow("NULL date") << "date" << "NULL" << "NULL";
    QTest::newRow("time") << "time" << "08:30:00" << "08,30,00";
    QTest::newRow("empty time") << "time" << "" << "NULL";
}

void TestSceneValues::valueForms()
{
    QFETCH(QString, kind);
    QFETCH(QString, stored);
    QFETCH(QString, scene);
    QCOMPARE(kind == QLatin1String("date") ? SceneCallBuilder::sceneDate(stored) : SceneCallBuilder::sceneTime(stored),
             scene);
}

void TestSceneValues::mediaUrlStaysInWorkFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("relative");
    QTest::newRow("picture") << "IMAGE/a b.png" << "IMAGE/a b.png";
    QTest::newRow("none") << "" << "";
    QTest::newRow("off") << "OFF" << "";
    QTest::newRow("parent folder") << "../secret.png" << "";
    QTest::newRow("parent inside a name") << "IMAGE/../../x.png" << "";
    QTest::newRow("dots that stay inside") << "IMAGE/../VIDEO/v.mp4" << "VIDEO/v.mp4";
}

void TestSceneValues::mediaUrlStaysInWorkFolder()
{
    QFETCH(QString, name);
    QFETCH(QString, relative);
    const QString got = SceneCallBuilder::mediaUrl(m_work, name);
    QCOMPARE(got, relative.isEmpty() ? QString() : url(relative));
    if (!got.isEmpty())
        QCOMPARE(QUrl(got).toLocalFile(), m_work + relative);
}

void TestSceneValues::rssFeedList()
{
    const QStringList types{"WIDGETRSS", "WIDGETMETEO", "WIDGETRSS", "WIDGETRSS"};
    const QStringList addresses{"https://www.a.org/rss:8080/f.xml?x=1&y=2", "b", "NULL"};
    QCOMPARE(RssFeedList::localName(addresses.first()), QStringLiteral("aorg-rss-8080-fxmlx1y2"));
    QCOMPARE(RssFeedList::localFiles(types, addresses, m_work),
             (QStringList{url("RSS/aorg-rss-8080-fxmlx1y2.xml"), "", "", ""}));
    QCOMPARE(RssFeedList::feedAddresses(types, addresses), QStringList{addresses.first()});
}

QTEST_GUILESS_MAIN(TestSceneValues)
#include "tst_scenevalues.moc"

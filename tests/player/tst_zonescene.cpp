#include "LiveContentTypes.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QJSValue>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

// The zone and main scenes' decisions, driven the way the player window
// drives them: lists stored as string lists, the simulated moment as text.
class TestZoneScene : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void schedule_data();
    void schedule();
    void rotationFollowsDelays();
    void wrapSignalAfterLastPoster();
    void nothingDueRechecksEvery500ms();
    void zoneGoesBlankWhenNothingIsDue();
    void plainPosterPictureOpacity_data();
    void plainPosterPictureOpacity();
    void widgetKinds();
    void videoTiming_data();
    void videoTiming();
    void layout_data();
    void layout();
    void layoutHidesDroppedZones();
    void fixedScreenSizeShownWhole();
    void currentMomentReachesEveryZone();
    void newsViewReadsTheCacheFile();

private:
    QObject *create(const QString &file);
    void setPosters(QObject *zone, const QStringList &types, const QStringList &delays,
                    const QStringList &images = {});
    // The layout call of the preview for a screen of the given size.
    static bool layOut(QObject *screen, const QString &rotation, const QStringList &zones,
                       const QString &width = QStringLiteral("-1"), const QString &height = QStringLiteral("-1"));

    QQmlEngine *m_engine = nullptr;
    QTemporaryDir m_dir;
};

void TestZoneScene::initTestCase()
{
    Q_INIT_RESOURCE(qml);
    Q_INIT_RESOURCE(resources);
    // The weather and likes views ask their services: keep them on loopback
    // and their QR pictures in the temporary folder.
    qputenv("ZOMANAGER_WORKDIR", m_dir.path().toLocal8Bit() + '/');
    if (qEnvironmentVariableIsEmpty("ZOMANAGER_WEATHER_URL"))
        qputenv("ZOMANAGER_WEATHER_URL", "http://127.0.0.1:9/");
    if (qEnvironmentVariableIsEmpty("ZOMANAGER_GRAPH_URL"))
        qputenv("ZOMANAGER_GRAPH_URL", "http://127.0.0.1:9/");
    LiveContentTypes::registerTypes();
    m_engine = new QQmlEngine(this);
    // The daylight-saving rows mean something only if the scene's Date follows Europe/Paris.
    const QJSValue offsets = m_engine->evaluate(
        QStringLiteral("[new Date(2027, 0, 15, 12).getTimezoneOffset(), new Date(2027, 6, 15, 12).getTimezoneOffset()]"));
    QCOMPARE(offsets.property(0).toInt(), -60);
    QCOMPARE(offsets.property(1).toInt(), -120);
}

QObject *TestZoneScene::create(const QString &file)
{
    QQmlComponent component(m_engine, QUrl(QStringLiteral("qrc:///qml/") + file));
    QObject *object = component.create();
    if (!object)
        qWarning().noquote() << component.errorString();
    else
        object->setParent(this);
    return object;
}

void TestZoneScene::setPosters(QObject *zone, const QStringList &types, const QStringList &delays,
                               const QStringList &images)
{
    const int n = types.size();
    QStringList pictures = images;
    while (pictures.size() < n)
        pictures.append(QStringLiteral("p%1.png").arg(pictures.size()));
    const QStringList empty = QStringList(QVector<QString>(n).toList());
    zone->setProperty("playlistType", types);
    zone->setProperty("playlistDelay", delays);
    zone->setProperty("playlistImage", pictures);
    zone->setProperty("playlistVideo", empty);
    zone->setProperty("playlistTxt", empty);
    zone->setProperty("playlistOpacity", QStringList(QVector<QString>(n, QStringLiteral("100")).toList()));
    zone->setProperty("playlistRssAdress", empty);
    zone->setProperty("playlistRssDelay", empty);
}

bool TestZoneScene::layOut(QObject *screen, const QString &rotation, const QStringList &zones, const QString &width,
                           const QString &height)
{
    return QMetaObject::invokeMethod(screen, "showLocalSizeEcran", Q_ARG(QVariant, rotation), Q_ARG(QVariant, width),
                                     Q_ARG(QVariant, height), Q_ARG(QVariant, zones),
                                     Q_ARG(QVariant, QStringLiteral("Orvex")), Q_ARG(QVariant, QStringLiteral("MANAGER")),
                                     Q_ARG(QVariant, QStringLiteral("NON")));
}

void TestZoneScene::schedule_data()
{
    QTest::addColumn<QStringList>("poster"); // date1 start/end, time1 start/end, date2, time2, weekdays
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<QString>("weekday");
    QTest::addColumn<bool>("due");

    const QString N = QStringLiteral("NULL");
    const QStringList unset{N, N, N, N, N, N, N, N, N};
    QTest::newRow("nothing set") << unset << "2020,01,01" << "12,00,00" << "3" << true;
    QTest::newRow("after the period") << QStringList{"2019,12,01", "2019,12,31", N, N, N, N, N, N, N}
                                      << "2020,01,01" << "12,00,00" << "3" << false;
    QTest::newRow("first day of the period") << QStringList{"2019,12,01", "2019,12,31", N, N, N, N, N, N, N}
                                             << "2019,12,01" << "00,00,00" << "7" << true;
    QTest::newRow("last day of the period") << QStringList{"2019,12,01", "2019,12,31", N, N, N, N, N, N, N}
                                            << "2019,12,31" << "23,59,00" << "2" << true;
    QTest::newRow("second period") << QStringList{"2019,12,01", "2019,12,31", N, N, "2020,02,01", "2020,02,29", N,
                                                  N, N}
                                   << "2020,02,10" << "12,00,00" << "1" << true;
    QTest::newRow("tuesday in the hours") << QStringList{N, N, "08,00,00", "12,00,00", N, N, N, N, "12345"}
                                          << "2020,01,07" << "09,30,00" << "2" << true;
    QTest::newRow("saturday in the hours") << QStringList{N, N, "08,00,00", "12,00,00", N, N, N, N, "12345"}
                                           << "2020,01,11" << "09,30,00" << "6" << false;
    QTest::newRow("before the hours") << QStringList{N, N, "08,00,00", "12,00,00", N, N, N, N, "12345"}
                                      << "2020,01,07" << "07,59,00" << "2" << false;
    QTest::newRow("weekdays NULL every day") << QStringList{N, N, "08,00,00", "12,00,00", N, N, N, N, N}
                                             << "2020,01,11" << "09,30,00" << "6" << true;
    QTest::newRow("weekdays empty every day") << QStringList{N, N, "08,00,00", "12,00,00", N, N, N, N, ""}
                                              << "2020,01,12" << "09,30,00" << "7" << true;
    QTest::newRow("second hours") << QStringList{N, N, "08,00,00", "09,00,00", N, N, "18,00,00", "20,00,00", N}
                                  << "2020,01,12" << "19,00,00" << "7" << true;
    QTest::newRow("date ok time fails") << QStringList{"2020,01,01", "2020,01,31", "08,00,00", "09,00,00", N, N, N,
                                                       N, N}
                                        << "2020,01,12" << "19,00,00" << "7" << false;
    QTest::newRow("weekdays only: every day") << QStringList{N, N, N, N, N, N, N, N, "6"}
                                              << "2020,01,07" << "09,30,00" << "2" << true;
    // Run under TZ=Europe/Paris: 28/03/2027 has no 02:00-03:00, 31/10/2027 has it twice.
    QTest::newRow("spring change: hours ending in the missing hour")
        << QStringList{N, N, "01,30,00", "02,15,00", N, N, N, N, N} << "2027,03,28" << "01,45,00" << "7" << true;
    QTest::newRow("spring change: hours across the missing hour")
        << QStringList{N, N, "01,00,00", "02,30,00", N, N, N, N, N} << "2027,03,28" << "01,50,00" << "7" << true;
    QTest::newRow("spring change: after the hours")
        << QStringList{N, N, "01,00,00", "02,30,00", N, N, N, N, N} << "2027,03,28" << "03,10,00" << "7" << false;
    QTest::newRow("autumn change: inside the repeated hour")
        << QStringList{N, N, "02,00,00", "02,30,00", N, N, N, N, N} << "2027,10,31" << "02,10,00" << "7" << true;
    QTest::newRow("autumn change: after the repeated hour")
        << QStringList{N, N, "02,00,00", "02,30,00", N, N, N, N, N} << "2027,10,31" << "02,40,00" << "7" << false;
    QTest::newRow("midnight opens the first day")
        << QStringList{"2027,03,28", "2027,04,02", "00,00,00", "06,00,00", N, N, N, N, N} << "2027,03,28"
        << "00,00,00" << "7" << true;
    QTest::newRow("23:59 closes the last day")
        << QStringList{"2027,03,01", "2027,03,28", "08,00,00", "23,59,59", N, N, N, N, N} << "2027,03,28"
        << "23,59,00" << "7" << true;
    QTest::newRow("the day after the period at midnight")
        << QStringList{"2027,03,01", "2027,03,28", N, N, N, N, N, N, N} << "2027,03,29" << "00,00,00" << "1" << false;
    QTest::newRow("leap day inside its period")
        << QStringList{"2028,02,28", "2028,03,01", N, N, N, N, N, N, N} << "2028,02,29" << "12,00,00" << "2" << true;
    QTest::newRow("leap day as a one-day period")
        << QStringList{"2028,02,29", "2028,02,29", N, N, N, N, N, N, N} << "2028,02,29" << "12,00,00" << "2" << true;
    QTest::newRow("impossible stored end date is no day")
        << QStringList{"2027,04,01", "2027,04,31", N, N, N, N, N, N, N} << "2027,04,30" << "12,00,00" << "5" << false;
    QTest::newRow("impossible stored start date is no day")
        << QStringList{"2027,04,31", "2027,05,10", N, N, N, N, N, N, N} << "2027,05,01" << "12,00,00" << "6" << false;
    // "00/00/0000", the page's start never picked: until the end date, as on the boxes.
    QTest::newRow("start never picked hid the poster before its end")
        << QStringList{"0000,00,00", "2027,04,30", N, N, N, N, N, N, N} << "2027,04,30" << "12,00,00" << "5" << true;
    QTest::newRow("start never picked: hidden after the end")
        << QStringList{"0000,00,00", "2027,04,30", N, N, N, N, N, N, N} << "2027,05,01" << "12,00,00" << "6" << false;
    QTest::newRow("second start never picked hid the poster")
        << QStringList{"2027,01,01", "2027,01,31", N, N, "0000,00,00", "2027,06,30", N, N, N} << "2027,06,01"
        << "12,00,00" << "2" << true;
    QTest::newRow("29/02 of a common year is no day")
        << QStringList{"2027,02,29", "2027,03,10", N, N, N, N, N, N, N} << "2027,03,01" << "12,00,00" << "1" << false;
    // The first period is the gate, as on the boxes: the page refuses a second one alone.
    QTest::newRow("hours 2 alone: not checked")
        << QStringList{N, N, N, N, N, N, "18,00,00", "20,00,00", N} << "2027,03,28" << "12,00,00" << "7" << true;
    QTest::newRow("dates 2 alone: not checked")
        << QStringList{N, N, N, N, "2027,06,01", "2027,06,30", N, N, N} << "2027,03,28" << "12,00,00" << "7" << true;
    QTest::newRow("full-width weekday digit is no day")
        << QStringList{N, N, "08,00,00", "12,00,00", N, N, N, N, QString::fromUtf8("\xef\xbc\x96")}
        << "2027,03,27" << "09,00,00" << "6" << false;
}

void TestZoneScene::schedule()
{
    QFETCH(QStringList, poster);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(QString, weekday);
    QFETCH(bool, due);

    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    const char *keys[] = {"playlistDateDebut", "playlistDateFin",  "playlistTimeDebut",
                          "playlistTimeFin",   "playlistDateDebut2", "playlistDateFin2",
                          "playlistTimeDebut2", "playlistTimeFin2", "playlistDayOfWeek"};
    // The second-period pairs are stored in the order the scene names them.
    const QStringList ordered{poster[0], poster[1], poster[2], poster[3], poster[4],
                              poster[5], poster[6], poster[7], poster[8]};
    for (int i = 0; i < 9; ++i)
        zone->setProperty(keys[i], QStringList{ordered.at(i)});
    zone->setProperty("playCurrentDate", date);
    zone->setProperty("playCurrentTime", time);
    zone->setProperty("currentdayOfWeek", weekday);
    QVariant result;
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "isDue", Q_RETURN_ARG(QVariant, result), Q_ARG(QVariant, 0)));
    QCOMPARE(result.toBool(), due);
}

void TestZoneScene::rotationFollowsDelays()
{
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    // "abc" and "0" are at least one second; the middle poster is out of
    // its dates and skipped.
    setPosters(zone.data(), {"", "", ""}, {"abc", "1", "0"}, {"a.png", "b.png", "c.png"});
    const QString N = QStringLiteral("NULL");
    zone->setProperty("playlistDateDebut", QStringList{N, "2019,12,01", N});
    zone->setProperty("playlistDateFin", QStringList{N, "2019,12,31", N});
    zone->setProperty("playlistTimeDebut", QStringList{N, N, N});
    zone->setProperty("playCurrentDate", QStringLiteral("2020,01,01"));
    zone->setProperty("playCurrentTime", QStringLiteral("12,00,00"));

    QSignalSpy opened(zone.data(), SIGNAL(qmlSignal(QString)));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    QCOMPARE(opened.count(), 1);
    QCOMPARE(opened.at(0).at(0).toString(), QStringLiteral("a.png"));
    // "abc" plays one second after the 500 ms start step; b is skipped at once.
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 3, 4000);
    const qint64 first = clock.elapsed();
    QCOMPARE(opened.at(1).at(0).toString(), QStringLiteral("b.png"));
    QCOMPARE(opened.at(2).at(0).toString(), QStringLiteral("c.png"));
    QVERIFY2(first >= 1400 && first < 3500, qPrintable(QString::number(first)));
    // "0" without a video also plays one second.
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 5, 4000);
    const qint64 second = clock.elapsed() - first;
    QVERIFY2(second >= 1400 && second < 3500, qPrintable(QString::number(second)));
    QCOMPARE(opened.at(3).at(0).toString(), QStringLiteral("RESETORVEX12345"));
    QCOMPARE(opened.at(4).at(0).toString(), QStringLiteral("a.png"));
}

void TestZoneScene::wrapSignalAfterLastPoster()
{
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    setPosters(zone.data(), {"", ""}, {"1", "1"}, {"a.png", "b.png"});
    QSignalSpy opened(zone.data(), SIGNAL(qmlSignal(QString)));
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    QTRY_COMPARE_WITH_TIMEOUT(opened.count(), 4, 6000);
    QStringList messages;
    for (const QList<QVariant> &args : opened)
        messages.append(args.at(0).toString());
    QCOMPARE(messages, (QStringList{"a.png", "b.png", "RESETORVEX12345", "a.png"}));
}

void TestZoneScene::nothingDueRechecksEvery500ms()
{
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    setPosters(zone.data(), {"", ""}, {"5", "5"}, {"a.png", "b.png"});
    zone->setProperty("playlistDateDebut", QStringList{"2019,12,01", "2019,12,01"});
    zone->setProperty("playlistDateFin", QStringList{"2019,12,31", "2019,12,31"});
    zone->setProperty("playlistTimeDebut", QStringList{"NULL", "NULL"});
    zone->setProperty("playCurrentDate", QStringLiteral("2020,01,01"));
    QSignalSpy opened(zone.data(), SIGNAL(qmlSignal(QString)));
    QElapsedTimer clock;
    clock.start();
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    QCOMPARE(opened.count(), 2);
    // Two more passes, each opening with the wrap signal, half a second
    // apart; nothing is shown.
    QTRY_VERIFY_WITH_TIMEOUT(opened.count() >= 8, 3000);
    QVERIFY2(clock.elapsed() >= 950, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(opened.at(2).at(0).toString(), QStringLiteral("RESETORVEX12345"));
    QCOMPARE(opened.at(5).at(0).toString(), QStringLiteral("RESETORVEX12345"));
    QCOMPARE(zone->findChild<QObject *>(QStringLiteral("myImage"))->property("opacity").toReal(), 0.0);

    // Once the simulated date enters the period the next pass plays it.
    zone->setProperty("playCurrentDate", QStringLiteral("2019,12,15"));
    QTRY_COMPARE_WITH_TIMEOUT(zone->findChild<QObject *>(QStringLiteral("myImage"))->property("opacity").toReal(), 1.0,
                              1000);
}

void TestZoneScene::zoneGoesBlankWhenNothingIsDue()
{
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    setPosters(zone.data(), {"WIDGETMETEO", ""}, {"1", "1"}, {"", "qrc:/img/Wait.png"});
    zone->setProperty("playlistTxt", QStringList{"", "qrc:/img/Finish.png"});
    const QString N = QStringLiteral("NULL");
    zone->setProperty("playlistDateDebut", QStringList{N, N});
    zone->setProperty("playlistTimeDebut", QStringList{"08,00,00", "08,00,00"});
    zone->setProperty("playlistTimeFin", QStringList{"12,00,00", "12,00,00"});
    zone->setProperty("playCurrentDate", QStringLiteral("2020,01,07"));
    zone->setProperty("playCurrentTime", QStringLiteral("09,00,00"));
    auto opacity = [&zone](const char *child) {
        return zone->findChild<QObject *>(QLatin1String(child))->property("opacity").toReal();
    };
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    QCOMPARE(opacity("myWeather"), 1.0);
    QTRY_COMPARE_WITH_TIMEOUT(opacity("myImageTxt"), 1.0, 3000);
    // Past the posters' hours the weather view and the text picture go too.
    zone->setProperty("playCurrentTime", QStringLiteral("13,00,00"));
    QTRY_COMPARE_WITH_TIMEOUT(opacity("myImageTxt"), 0.0, 3000);
    QCOMPARE(opacity("myWeather"), 0.0);
    QCOMPARE(opacity("myImage"), 0.0);
}

void TestZoneScene::plainPosterPictureOpacity_data()
{
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("opacity");
    QTest::addColumn<qreal>("shown");
    QTest::newRow("half") << "qrc:/img/Wait.png" << "50" << 0.5;
    QTest::newRow("full") << "qrc:/img/Wait.png" << "100" << 1.0;
    QTest::newRow("no picture") << "" << "100" << 0.0;
    QTest::newRow("OFF") << "OFF" << "100" << 0.0;
    QTest::newRow("opacity not a number") << "qrc:/img/Wait.png" << "" << 1.0;
}

void TestZoneScene::plainPosterPictureOpacity()
{
    QFETCH(QString, picture);
    QFETCH(QString, opacity);
    QFETCH(qreal, shown);
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    setPosters(zone.data(), {""}, {"5"}, {picture});
    zone->setProperty("playlistOpacity", QStringList{opacity});
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    auto *image = zone->findChild<QObject *>(QStringLiteral("myImage"));
    QCOMPARE(image->property("opacity").toReal(), shown);
    if (shown > 0)
        QCOMPARE(image->property("source").toUrl(), QUrl(picture));
}

void TestZoneScene::widgetKinds()
{
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    setPosters(zone.data(), {"WIDGETMETEO", "WIDGETHEURE", "WIDGETRSS", "WIDGETLIKESFACEBOOK"}, {"1", "1", "1", "1"},
               {"", "", "", "qrc:/img/Wait.png"});
    zone->setProperty("playlistMeteoCity", QStringList{"Lyon", "", "", ""});
    zone->setProperty("playlistMeteoLangue", QStringList{"fr", "", "", ""});
    zone->setProperty("playlistMeteoZip", QStringList{"69001", "", "", ""});
    zone->setProperty("playlistRssAdress", QStringList{"", "", "file:///feed.xml", ""});
    zone->setProperty("playlistRssDelay", QStringList{"", "", "30", ""});
    zone->setProperty("playlistRssOrientation", 1);
    auto *weather = zone->findChild<QObject *>(QStringLiteral("myWeather"));
    auto *likes = zone->findChild<QObject *>(QStringLiteral("myFacebookLikes"));
    auto *rss = zone->findChild<QObject *>(QStringLiteral("myRss"));
    auto *image = zone->findChild<QObject *>(QStringLiteral("myImage"));

    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    QCOMPARE(weather->property("opacity").toReal(), 1.0);
    QCOMPARE(weather->property("villeMeteo").toString(), QStringLiteral("Lyon"));
    QCOMPARE(weather->property("codePostaleMeteo").toString(), QStringLiteral("69001,fr"));

    // The clock kind shows the likes view on the scene's page address.
    QTRY_COMPARE_WITH_TIMEOUT(likes->property("opacity").toReal(), 1.0, 3000);
    QCOMPARE(weather->property("opacity").toReal(), 0.0);
    QVERIFY(likes->property("urlPath").toString().startsWith(QLatin1String("https://")));

    QTRY_COMPARE_WITH_TIMEOUT(rss->property("opacity").toReal(), 1.0, 3000);
    QCOMPARE(rss->property("runningTime").toBool(), true);
    QCOMPARE(rss->property("playSourceRss").toString(), QStringLiteral("file:///feed.xml"));
    QCOMPARE(rss->property("playDelayRss").toInt(), 30);
    QCOMPARE(rss->property("playOrientationHorizontal").toBool(), true);

    // The like-counter kind plays as a plain poster.
    QTRY_COMPARE_WITH_TIMEOUT(image->property("opacity").toReal(), 1.0, 3000);
    QCOMPARE(rss->property("opacity").toReal(), 0.0);
    QCOMPARE(rss->property("runningTime").toBool(), false);
    QCOMPARE(likes->property("opacity").toReal(), 0.0);
}

void TestZoneScene::videoTiming_data()
{
    QTest::addColumn<QString>("delay");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    // The clip lasts 2 s.
    QTest::newRow("delay 0: the video's length") << "0" << 1800 << 2200;
    QTest::newRow("empty delay: the video's length") << "" << 1800 << 2200;
    QTest::newRow("delay 5: five seconds") << "5" << 5000 << 5000;
}

void TestZoneScene::videoTiming()
{
    QFETCH(QString, delay);
    QFETCH(int, low);
    QFETCH(int, high);
    const QString clip = m_dir.filePath(QStringLiteral("clip.mp4"));
    if (!QFileInfo::exists(clip)) {
        QProcess ffmpeg;
        ffmpeg.start(QStringLiteral("ffmpeg"), {"-loglevel", "error", "-f", "lavfi", "-i",
                                                "testsrc=size=160x120:rate=10", "-t", "2", "-pix_fmt", "yuv420p",
                                                "-c:v", "libx264", clip});
        if (!ffmpeg.waitForFinished(30000) || ffmpeg.exitCode() != 0)
            QSKIP("ffmpeg cannot make the test clip");
    }
    QScopedPointer<QObject> zone(create(QStringLiteral("EcranSimple.qml")));
    QVERIFY(zone);
    setPosters(zone.data(), {""}, {delay}, {""});
    zone->setProperty("playlistVideo", QStringList{QUrl::fromLocalFile(clip).toString()});
    QVERIFY(QMetaObject::invokeMethod(zone.data(), "goToNextMedia"));
    auto *time = zone->findChild<QObject *>(QStringLiteral("time"));
    QVERIFY(time);
    // The start step runs 500 ms after opening; the length comes once loaded.
    QTRY_VERIFY_WITH_TIMEOUT(time->property("running").toBool() && !zone->property("durationPending").toBool(), 5000);
    const int interval = time->property("interval").toInt();
    QVERIFY2(interval >= low && interval <= high, qPrintable(QString::number(interval)));
    QCOMPARE(zone->property("videoBoucle").toInt(), 2);
    // 500 ms later the video output is revealed.
    QTRY_COMPARE_WITH_TIMEOUT(zone->findChild<QObject *>(QStringLiteral("videoOutput1"))->property("opacity").toReal(),
                              1.0, 2000);
    if (interval > 2500) {
        // A clip shorter than its delay starts again when it ends.
        QTest::qWait(2500);
        QCOMPARE(zone->findChild<QObject *>(QStringLiteral("mediaPlayer"))->property("playbackState").toInt(), 1);
        QVERIFY(time->property("running").toBool());
        QCOMPARE(zone->property("timeout").toInt(), 1);
    }
}

void TestZoneScene::layout_data()
{
    QTest::addColumn<QString>("rotation");
    QTest::addColumn<QStringList>("zones");
    QTest::addColumn<QList<QRectF>>("rects");
    QTest::addColumn<int>("orientation");
    QTest::newRow("one zone") << "0" << QStringList{"0-0-100-100"} << QList<QRectF>{{0, 0, 960, 540}} << 0;
    QTest::newRow("two side by side") << "0" << QStringList{"0-0-50-100", "50-0-50-100"}
                                      << QList<QRectF>{{0, 0, 480, 540}, {480, 0, 480, 540}} << 0;
    QTest::newRow("three, portrait") << "-90" << QStringList{"0-0-100-50", "0-50-100-25", "0-75-100-25"}
                                     << QList<QRectF>{{0, 0, 960, 270}, {0, 270, 960, 135}, {0, 405, 960, 135}} << 1;
    QTest::newRow("fourth entry ignored") << "90"
                                          << QStringList{"0-0-25-100", "25-0-25-100", "50-0-25-100", "75-0-25-100"}
                                          << QList<QRectF>{{0, 0, 240, 540}, {240, 0, 240, 540}, {480, 0, 240, 540}}
                                          << 1;
}

void TestZoneScene::layout()
{
    QFETCH(QString, rotation);
    QFETCH(QStringList, zones);
    QFETCH(QList<QRectF>, rects);
    QFETCH(int, orientation);
    QScopedPointer<QObject> screen(create(QStringLiteral("EcranPrincipal.qml")));
    QVERIFY(screen);
    QVERIFY(layOut(screen.data(), rotation, zones));
    for (int n = 0; n < 3; ++n) {
        auto *zone = screen->findChild<QQuickItem *>(QStringLiteral("ecran%1").arg(n + 1));
        QVERIFY(zone);
        if (n < rects.size()) {
            QCOMPARE(zone->opacity(), 1.0);
            QCOMPARE(QRectF(zone->x(), zone->y(), zone->width(), zone->height()), rects.at(n));
            QCOMPARE(zone->property("playlistRssOrientation").toInt(), orientation);
        } else {
            QCOMPARE(zone->opacity(), 0.0);
        }
    }
}

void TestZoneScene::layoutHidesDroppedZones()
{
    QScopedPointer<QObject> screen(create(QStringLiteral("EcranPrincipal.qml")));
    QVERIFY(screen);
    auto layout = [&screen](const QStringList &zones) { return layOut(screen.data(), QStringLiteral("0"), zones); };
    QVERIFY(layout({"0-0-50-100", "50-0-50-100"}));
    auto *zone2 = screen->findChild<QQuickItem *>(QStringLiteral("ecran2"));
    QCOMPARE(zone2->opacity(), 1.0);
    QVERIFY(layout({"0-0-100-100"}));
    QCOMPARE(zone2->opacity(), 0.0);
    // init() puts the finished badge up; the status timer takes it down.
    auto *badge = screen->findChild<QQuickItem *>(QStringLiteral("myStatus"));
    QCOMPARE(badge->opacity(), 1.0);
    QCOMPARE(badge->property("source").toUrl(), QUrl(QStringLiteral("qrc:/img/Finish.png")));
    QTRY_COMPARE_WITH_TIMEOUT(badge->opacity(), 0.0, 4000);
}

void TestZoneScene::fixedScreenSizeShownWhole()
{
    QScopedPointer<QObject> screen(create(QStringLiteral("EcranPrincipal.qml")));
    QVERIFY(screen);
    screen->setProperty("width", 548);
    screen->setProperty("height", 308);
    QVERIFY(layOut(screen.data(), QStringLiteral("0"), {"0-0-50-100", "50-0-50-100"}, QStringLiteral("1920"),
                   QStringLiteral("1080")));
    auto *surface = screen->findChild<QQuickItem *>(QStringLiteral("rectanglePrincipal"));
    QCOMPARE(surface->width(), 1920.0);
    QCOMPARE(surface->height(), 1080.0);
    auto *zone2 = screen->findChild<QQuickItem *>(QStringLiteral("ecran2"));
    QCOMPARE(zone2->x(), 960.0);
    // The whole surface fits in the view: its right edge lands on the view's.
    const QRectF shown = surface->mapRectToItem(qobject_cast<QQuickItem *>(screen.data()),
                                                QRectF(0, 0, surface->width(), surface->height()));
    QVERIFY2(shown.left() >= -0.5 && shown.right() <= 548.5, qPrintable(QStringLiteral("%1..%2").arg(shown.left()).arg(shown.right())));
    QVERIFY(shown.width() > 540);

    // Automatic size: the surface is the view's, and follows a later resize.
    QVERIFY(layOut(screen.data(), QStringLiteral("0"), {"0-0-100-100"}));
    QCOMPARE(surface->width(), 548.0);
    screen->setProperty("width", 1096);
    screen->setProperty("height", 616);
    QCOMPARE(surface->scale(), 2.0);
}

void TestZoneScene::currentMomentReachesEveryZone()
{
    QScopedPointer<QObject> screen(create(QStringLiteral("EcranPrincipal.qml")));
    QVERIFY(screen);
    QVERIFY(QMetaObject::invokeMethod(screen.data(), "showCurrentDateTime", Q_ARG(QVariant, QStringLiteral("2020,01,12")),
                                      Q_ARG(QVariant, QStringLiteral("07,45,00"))));
    QVERIFY(QMetaObject::invokeMethod(screen.data(), "showCurrentDateDayOfWeek", Q_ARG(QVariant, QStringLiteral("7"))));
    for (int n = 1; n <= 3; ++n) {
        QObject *zone = screen->findChild<QObject *>(QStringLiteral("ecran%1").arg(n));
        QCOMPARE(zone->property("playCurrentDate").toString(), QStringLiteral("2020,01,12"));
        QCOMPARE(zone->property("playCurrentTime").toString(), QStringLiteral("07,45,00"));
        QCOMPARE(zone->property("currentdayOfWeek").toString(), QStringLiteral("7"));
    }
}

void TestZoneScene::newsViewReadsTheCacheFile()
{
    QScopedPointer<QObject> news(create(QStringLiteral("RssNews.qml")));
    QVERIFY(news);
    QCOMPARE(news->property("runningTime").toBool(), true);
    QCOMPARE(news->property("playOrientationHorizontal").toBool(), false);
    // The cache has not written the file yet: the view waits for it.
    const QString file = m_dir.filePath(QStringLiteral("feed.xml"));
    news->setProperty("playDelayRss", 1000);
    news->setProperty("playSourceRss", QUrl::fromLocalFile(file).toString());
    QTest::qWait(300);
    QCOMPARE(news->property("itemCount").toInt(), 0);

    QFile feed(file);
    QVERIFY(feed.open(QIODevice::WriteOnly));
    feed.write("<rss version=\"2.0\">\n    <channel>\n        <image>\n            <url>qrc:/img/Wait.png</url>\n"
               "        </image>\n"
               "        <item><title>Un</title><description>&lt;b&gt;gras&lt;/b&gt; &lt;a href=\"x\"&gt;lien&lt;/a&gt;"
               "</description><pubDate>d1</pubDate><enclosure url=\"\"/></item>\n"
               "        <item><title>Deux</title><description/><pubDate/><enclosure url=\"qrc:/img/Finish.png\"/></item>\n"
               "        <item><title>Trois</title><description/><pubDate/><enclosure url=\"\"/></item>\n"
               "    </channel>\n</rss>\n");
    feed.close();
    QTRY_COMPARE_WITH_TIMEOUT(news->property("itemCount").toInt(), 3, 60000);
    QCOMPARE(news->property("channelImage").toString(), QStringLiteral("qrc:/img/Wait.png"));
    QJSValue first;
    auto *list = news->findChild<QObject *>(QStringLiteral("newsList"));
    QObject *model = list->property("model").value<QObject *>();
    QVERIFY(QMetaObject::invokeMethod(model, "get", Q_RETURN_ARG(QJSValue, first), Q_ARG(int, 0)));
    // Links are taken out of the text.
    QCOMPARE(first.property(QStringLiteral("description")).toString(), QStringLiteral("<b>gras</b> "));

    // The list moves on every playDelayRss and wraps.
    QTRY_COMPARE_WITH_TIMEOUT(news->property("currentIndex").toInt(), 2, 4500);
    QTRY_COMPARE_WITH_TIMEOUT(news->property("currentIndex").toInt(), 0, 1500);
    news->setProperty("runningTime", false);
    const int stopped = news->property("currentIndex").toInt();
    QTest::qWait(1300);
    QCOMPARE(news->property("currentIndex").toInt(), stopped);
}

QTEST_MAIN(TestZoneScene)
#include "tst_zonescene.moc"

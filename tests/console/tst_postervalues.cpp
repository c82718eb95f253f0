#include "PosterValues.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class PosterValuesTest : public QObject
{
    Q_OBJECT
private slots:
    void opacity_data();
    void opacity();
    void delay_data();
    void delay();
    void rowOfStoredPath_data();
    void rowOfStoredPath();
    void weekdays_data();
    void weekdays();
    void periods();
    void power_data();
    void power();
    void widgetPictures_data();
    void widgetPictures();
    void linkedPlaylists_data();
    void linkedPlaylists();
    void mediaFiles();
};

void PosterValuesTest::opacity_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<double>("applied");

    QTest::newRow("full is applied as 0.99") << "100" << true << 0.99;
    QTest::newRow("lowest") << "10" << true << 0.1;
    QTest::newRow("half") << "050" << true << 0.5;
    QTest::newRow("below range") << "5" << false << 0.0;
    QTest::newRow("above range") << "150" << false << 0.0;
    QTest::newRow("empty line") << "" << false << 0.0;
}

void PosterValuesTest::opacity()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(double, applied);
    int percent = -1;
    QCOMPARE(PosterValues::opacityEntry(typed, &percent), taken);
    if (taken)
        QCOMPARE(PosterValues::appliedOpacity(percent), applied);
    QCOMPARE(PosterValues::shownOpacity(QStringLiteral("15")), 30);
    QCOMPARE(PosterValues::shownOpacity(QStringLiteral("NULL")), 30);
    QCOMPARE(PosterValues::shownOpacity(QStringLiteral("80")), 80);
}

void PosterValuesTest::delay_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("taken");
    QTest::addColumn<int>("maximum");
    QTest::addColumn<int>("stored");

    QTest::newRow("within") << "45" << true << 120 << 45;
    QTest::newRow("above the user's maximum") << "300" << true << 120 << 120;
    QTest::newRow("emptied line reads 0") << "" << true << 120 << 0;
    QTest::newRow("maximum of a restricted user") << "0060" << true << 5 << 5;
    QTest::newRow("not a number") << "1.5" << false << 120 << 0;
}

void PosterValuesTest::delay()
{
    QFETCH(QString, typed);
    QFETCH(bool, taken);
    QFETCH(int, maximum);
    QFETCH(int, stored);
    int seconds = -1;
    QCOMPARE(PosterValues::delayEntry(typed, &seconds), taken);
    if (taken)
        QCOMPARE(PosterValues::clampDelay(seconds, maximum), stored);

    int n = -1;
    QCOMPARE(PosterValues::shownDelay(QStringLiteral("NULL"), &n), QStringLiteral("0"));
    QCOMPARE(n, 0);
    QCOMPARE(PosterValues::shownDelay(QStringLiteral("-4"), &n), QStringLiteral("0"));
    QCOMPARE(PosterValues::shownDelay(QStringLiteral("300"), &n), QStringLiteral("300"));
    QCOMPARE(n, 300);
}

void PosterValuesTest::rowOfStoredPath_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("row");

    QTest::newRow("listed picture") << "IMAGE/b.png" << "IMAGE/" << 2;
    QTest::newRow("unlisted picture") << "IMAGE/zz.png" << "IMAGE/" << 0;
    QTest::newRow("no folder") << "b.png" << "" << 0;
    QTest::newRow("other folder") << "LINKS/b.png" << "" << 0;
    QTest::newRow("names are exact") << "IMAGE/B.png" << "IMAGE/" << 0;
}

void PosterValuesTest::rowOfStoredPath()
{
    QFETCH(QString, path);
    QFETCH(QString, folder);
    QFETCH(int, row);
    const QStringList rows{"OFF", "a.png", "b.png"};
    QCOMPARE(PosterValues::folderOf(path), folder);
    QCOMPARE(PosterValues::rowOf(path, rows), row);
    QCOMPARE(PosterValues::mediaPath(QStringLiteral("IMAGE/"), QStringLiteral("OFF")), QString());
    QCOMPARE(PosterValues::mediaPath(QStringLiteral("IMAGE/"), QStringLiteral("a.png")), QStringLiteral("IMAGE/a.png"));
}

void PosterValuesTest::weekdays_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<QString>("line");

    QTest::newRow("odd days") << "1357" << "Le Lun. Mer. Ven. Dim.";
    QTest::newRow("skipped first digit leaves a blank") << "0135" << "Le  Lun. Mer. Ven.";
    QTest::newRow("kept in typed order") << "31" << "Le Mer. Lun.";
    QTest::newRow("no valid day") << "8" << "Le ";
    QTest::newRow("full-width digits are no days") << QString::fromUtf8("\xef\xbc\x91" "3") << "Le  Mer.";
    QTest::newRow("absent") << "NULL" << "";
    QTest::newRow("empty") << "" << "";
}

void PosterValuesTest::weekdays()
{
    QFETCH(QString, digits);
    QFETCH(QString, line);
    QCOMPARE(PosterValues::weekdaysLine(digits), line);
}

void PosterValuesTest::periods()
{
    QCOMPARE(PosterValues::datePeriod("01/02/2024", "03/02/2024", false), QStringLiteral("Du 01/02/2024 au 03/02/2024"));
    QCOMPARE(PosterValues::datePeriod("", "03/02/2024", true), QStringLiteral("Et du  au 03/02/2024"));
    QCOMPARE(PosterValues::datePeriod("01/02/2024", "NULL", false), QString());
    QCOMPARE(PosterValues::hourPeriod("08:00:00", "12:00:00", false), QStringLiteral("De 08:00:00 à 12:00:00"));
    QCOMPARE(PosterValues::hourPeriod("08:00:00", "12:00:00", true), QStringLiteral("Et de 08:00:00 à 12:00:00"));
    QCOMPARE(PosterValues::hourPeriod("08:00:00", "", true), QString());
}

void PosterValuesTest::power_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("second");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("period");
    QTest::addColumn<QString>("days");

    QTest::newRow("with days") << "07:00|19:00|12345" << false << true << "De 07:00 à 19:00" << "\nLe Lun. Mar. Mer. Jeu. Ven.";
    QTest::newRow("absent") << "NULL" << false << false << "" << "";
    QTest::newRow("empty start") << "|19:00|1" << false << false << "" << "";
    QTest::newRow("second slot has no days line") << "20:00|23:00|67" << true << true << " Et de 20:00 à 23:00" << "";
}

void PosterValuesTest::power()
{
    QFETCH(QString, value);
    QFETCH(bool, second);
    QFETCH(bool, visible);
    QFETCH(QString, period);
    QFETCH(QString, days);
    const PosterValues::Power p = PosterValues::power(value, second);
    QCOMPARE(p.visible, visible);
    QCOMPARE(p.period, period);
    QCOMPARE(p.days, days);
}

void PosterValuesTest::widgetPictures_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("picture");

    QTest::newRow("weather landscape") << "WIDGETMETEO" << 0 << ":/images/Meteo-Paysage.jpg";
    QTest::newRow("news portrait") << "WIDGETRSS" << -90 << ":/images/RSS-Portrait.jpg";
    QTest::newRow("clock portrait") << "WIDGETHEURE" << 90 << ":/images/HORLOGE-Portrait.jpg";
    QTest::newRow("web page upside down") << "WIDGETSITEWEB" << 180 << ":/images/WEBAPP-Paysage.jpg";
    QTest::newRow("like counter has none") << "WIDGETLIKESFACEBOOK" << 0 << "";
    QTest::newRow("media poster has none") << "" << 0 << "";
}

void PosterValuesTest::widgetPictures()
{
    QFETCH(QString, type);
    QFETCH(int, rotation);
    QFETCH(QString, picture);
    QCOMPARE(PosterValues::widgetPicture(type, rotation), picture);
    QCOMPARE(PosterValues::widgetKindPicture(QStringLiteral("FLUX RSS"), 90), QStringLiteral(":/images/RSS-Portrait.jpg"));
    QCOMPARE(PosterValues::widgetKindPicture(QStringLiteral("HORLOGE"), 0), QString());
}

void PosterValuesTest::linkedPlaylists_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("text");

    QTest::newRow("two playlists") << "PLAYLIST-Hall|PLAYLIST-Bar" << "Playlists liées: Hall Bar";
    QTest::newRow("none") << "NULL" << "";
}

void PosterValuesTest::linkedPlaylists()
{
    QFETCH(QString, value);
    QFETCH(QString, text);
    QCOMPARE(PosterValues::linkedPlaylists(value), text);
}

void PosterValuesTest::mediaFiles()
{
    QTemporaryDir dir;
    for (const char *name : {"b.PNG", "A.jpg", "c.mp4", ".hidden.png", "notes.txt"}) {
        QFile f(dir.filePath(QLatin1String(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub.png")));
    QCOMPARE(PosterValues::mediaFiles(dir.path(), {"*.png", "*.jpg"}), (QStringList{"A.jpg", "b.PNG"}));
    QCOMPARE(PosterValues::mediaFiles(dir.path(), {"*.mp4"}), QStringList{"c.mp4"});
}

QTEST_GUILESS_MAIN(PosterValuesTest)
#include "tst_postervalues.moc"

#include "ZoneLayout.h"

#include <QtTest>

class ZoneLayoutTest : public QObject
{
    Q_OBJECT
private slots:
    void layout_data();
    void layout();
    void unreadableKeys_data();
    void unreadableKeys();
    void cyclingZones_data();
    void cyclingZones();
    void screenButton_data();
    void screenButton();
};

namespace {
const QString P2 = QStringLiteral("0-0-50-100|50-0-50-100");
const QString P3 = QStringLiteral("0-0-33.3-100|33.3-0-33.3-100|66.6-0-33.3-100");
const QString V2 = QStringLiteral("0-0-100-50|0-50-100-50");
const QString V3 = QStringLiteral("0-0-100-33.3|0-33.3-100-33.3|0-66.6-100-33.3");
const QString One = QStringLiteral("0-0-100-100");
} // namespace

void ZoneLayoutTest::layout_data()
{
    QTest::addColumn<QString>("rotation");
    QTest::addColumn<QString>("zones");
    QTest::addColumn<QString>("caption"); // empty: the button keeps its caption
    QTest::addColumn<QString>("icon");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("zoneOrientation");
    QTest::addColumn<int>("screenOrientation");

    // Panel width 1920: W / 8 = 240, int(240 * 1.778) = 426; W / 3 = 640, int(640 / 1.778) = 359.
    QTest::newRow("Paysage") << "0" << One << "Paysage" << ":/images/Paysage.png" << 640 << 359 << 0 << 0;
    QTest::newRow("Paysage(2)") << "0" << P2 << "Paysage(2)" << ":/images/Paysage-2Ecrans.png" << 240 << 426 << 90 << 0;
    QTest::newRow("Paysage(3)") << "0" << P3 << "Paysage(3)" << ":/images/Paysage-3Ecrans.png" << 240 << 426 << 90 << 0;
    QTest::newRow("Portrait") << "90" << One << "Portrait" << ":/images/Portrait.png" << 240 << 426 << 90 << 90;
    QTest::newRow("Portrait -90") << "-90" << One << "Portrait" << ":/images/Portrait.png" << 240 << 426 << -90 << 90;
    QTest::newRow("Portrait(2)") << "90" << V2 << "Portrait(2)" << ":/images/Portrait-2Ecrans.png" << 640 << 359 << 0 << 90;
    QTest::newRow("Portrait(3)") << "-90" << V3 << "Portrait(3)" << ":/images/Portrait-3Ecrans.png" << 640 << 359 << 0 << 90;
    QTest::newRow("bands on a landscape screen") << "0" << V2 << "" << "" << 240 << 426 << 90 << 0;
    QTest::newRow("columns on a portrait screen") << "90" << P2 << "" << "" << 640 << 359 << 0 << 90;
    QTest::newRow("upside down") << "180" << One << "" << "" << 640 << 359 << 180 << 0;
}

void ZoneLayoutTest::layout()
{
    QFETCH(QString, rotation);
    QFETCH(QString, zones);
    QFETCH(QString, caption);
    QFETCH(QString, icon);
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, zoneOrientation);
    QFETCH(int, screenOrientation);

    QString gotCaption = QStringLiteral("kept"), gotIcon = QStringLiteral("kept");
    QCOMPARE(ZoneLayout::layoutName(rotation, zones, &gotCaption, &gotIcon), !caption.isEmpty());
    QCOMPARE(gotCaption, caption.isEmpty() ? QStringLiteral("kept") : caption);
    QCOMPARE(gotIcon, icon.isEmpty() ? QStringLiteral("kept") : icon);

    const ZoneLayout::Geometry g = ZoneLayout::geometry(ZoneLayout::rotationOf(rotation), zones, 1920);
    QCOMPARE(g.previewWidth, width);
    QCOMPARE(g.previewHeight, height);
    QCOMPARE(g.zoneOrientation, zoneOrientation);
    QCOMPARE(g.screenOrientation, screenOrientation);
}

void ZoneLayoutTest::unreadableKeys_data()
{
    QTest::addColumn<QString>("rotation2");
    QTest::addColumn<QString>("configEcran");
    QTest::addColumn<int>("rotation");
    QTest::addColumn<QString>("zones");

    QTest::newRow("both absent") << "NULL" << "NULL" << 0 << One;
    QTest::newRow("rotation not a number") << "portrait" << P2 << 0 << P2;
    QTest::newRow("empty zone string kept") << "90" << "" << 90 << "";
}

void ZoneLayoutTest::unreadableKeys()
{
    QFETCH(QString, rotation2);
    QFETCH(QString, configEcran);
    QFETCH(int, rotation);
    QFETCH(QString, zones);
    QCOMPARE(ZoneLayout::rotationOf(rotation2), rotation);
    QCOMPARE(ZoneLayout::zonesOf(configEcran), zones);
}

void ZoneLayoutTest::cyclingZones_data()
{
    QTest::addColumn<QString>("configEcran");
    QTest::addColumn<int>("current");
    QTest::addColumn<int>("next");

    QTest::newRow("two zones, 1 to 2") << P2 << 1 << 2;
    QTest::newRow("two zones, 2 back to 1") << P2 << 2 << 1;
    QTest::newRow("three zones, 2 to 3") << P3 << 2 << 3;
    QTest::newRow("absent layout stays on 1") << "NULL" << 1 << 1;
    QTest::newRow("caption without a number") << P2 << 0 << 1;
    QTest::newRow("number beyond the zones") << P2 << 5 << 1;
}

void ZoneLayoutTest::cyclingZones()
{
    QFETCH(QString, configEcran);
    QFETCH(int, current);
    QFETCH(int, next);
    QCOMPARE(ZoneLayout::nextZone(current, ZoneLayout::zoneCount(configEcran)), next);
}

void ZoneLayoutTest::screenButton_data()
{
    QTest::addColumn<QString>("configEcran");
    QTest::addColumn<QString>("numeroEcran");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("shown");
    QTest::addColumn<QString>("zone");

    QTest::newRow("single zone hides even zone 2") << One << "1|2" << 1 << false << "2";
    QTest::newRow("three zones") << P3 << "3|1" << 0 << true << "3";
    QTest::newRow("no current poster") << P2 << "2" << -1 << true << "1";
    QTest::newRow("row past the entries") << P2 << "2" << 3 << true << "1";
    QTest::newRow("absent layout") << "NULL" << "NULL" << 0 << false << "NULL";
}

void ZoneLayoutTest::screenButton()
{
    QFETCH(QString, configEcran);
    QFETCH(QString, numeroEcran);
    QFETCH(int, row);
    QFETCH(bool, shown);
    QFETCH(QString, zone);
    QCOMPARE(ZoneLayout::showsScreenButton(configEcran), shown);
    QCOMPARE(ZoneLayout::zoneOfPoster(numeroEcran, row), zone);
}

QTEST_GUILESS_MAIN(ZoneLayoutTest)
#include "tst_zonelayout.moc"

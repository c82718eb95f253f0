#include "ScreenLayouts.h"

#include <QtTest>

using Values = QList<QPair<QString, QString>>;

namespace {
const QString One = QStringLiteral("0-0-100-100");
const QString P2 = QStringLiteral("0-0-50-100|50-0-50-100");
const QString P3 = QStringLiteral("0-0-33.3-100|33.3-0-33.3-100|66.6-0-33.3-100");
const QString V2 = QStringLiteral("0-0-100-50|0-50-100-50");
const QString V3 = QStringLiteral("0-0-100-33.3|0-33.3-100-33.3|0-66.6-100-33.3");
} // namespace

// Widget-free rules of the screen orientation page.
class ScreenLayoutsTest : public QObject
{
    Q_OBJECT
private slots:
    void recognise_data();
    void recognise();
    void layouts();
    void migration_data();
    void migration();
    void writes_data();
    void writes();
};

void ScreenLayoutsTest::recognise_data()
{
    QTest::addColumn<QString>("rotation");
    QTest::addColumn<QString>("zones");
    QTest::addColumn<int>("layout");
    QTest::newRow("landscape") << "0" << One << 0;
    QTest::newRow("landscape 2") << "0" << P2 << 1;
    QTest::newRow("landscape 3") << "0" << P3 << 2;
    QTest::newRow("portrait") << "90" << One << 3;
    QTest::newRow("portrait anticlockwise") << "-90" << One << 3;
    QTest::newRow("portrait 2") << "-90" << V2 << 4;
    QTest::newRow("portrait 3") << "90" << V3 << 5;
    QTest::newRow("bands on a landscape screen") << "0" << V2 << -1;
    QTest::newRow("columns on a portrait screen") << "90" << P2 << -1;
    QTest::newRow("upside down") << "180" << One << -1;
    QTest::newRow("case and spaces count") << "0" << " 0-0-100-100" << -1;
    QTest::newRow("empty") << "0" << "" << -1;
}

void ScreenLayoutsTest::recognise()
{
    QFETCH(QString, rotation);
    QFETCH(QString, zones);
    QFETCH(int, layout);
    QCOMPARE(ScreenLayouts::recognise(rotation, zones), layout);
    if (layout >= 0)
        QCOMPARE(ScreenLayouts::zones(layout).join(QLatin1Char('|')), zones);
}

void ScreenLayoutsTest::layouts()
{
    const QString advice = QStringLiteral("--------Media conseillé--------\n Largeur: %1 pixels Hauteur: %2 pixels");
    const QStringList expected{advice.arg(1920).arg(1080), advice.arg(1080).arg(1080), advice.arg(1080).arg(1920),
                               advice.arg(1080).arg(1920), advice.arg(1080).arg(1080), advice.arg(1920).arg(1080)};
    for (int i = 0; i < ScreenLayouts::Count; ++i)
        QCOMPARE(ScreenLayouts::advice(i), expected.at(i));
    // Any other index takes the first layout.
    QCOMPARE(ScreenLayouts::zones(9), QStringList{One});
    QCOMPARE(ScreenLayouts::advice(-1), expected.first());
    QCOMPARE(ScreenLayouts::rotationOfSense(ScreenLayouts::clockwise()), QStringLiteral("90"));
    QCOMPARE(ScreenLayouts::rotationOfSense(ScreenLayouts::anticlockwise()), QStringLiteral("-90"));
}

void ScreenLayoutsTest::migration_data()
{
    QTest::addColumn<QString>("configEcran");
    QTest::addColumn<QString>("slideDelay");
    QTest::addColumn<Values>("values");
    QTest::newRow("three posters")
        << "NULL" << "8|6|10" << Values{{"CONFIGECRAN", One}, {"NUMEROECRAN", "1|1|1"}};
    QTest::newRow("no poster list") << "NULL" << "NULL" << Values{{"CONFIGECRAN", One}, {"NUMEROECRAN", "1"}};
    QTest::newRow("empty delay list is one poster") << "NULL" << "" << Values{{"CONFIGECRAN", One}, {"NUMEROECRAN", "1"}};
    QTest::newRow("stored layout stays") << P2 << "8|6" << Values{};
    QTest::newRow("empty layout stays") << "" << "8|6" << Values{};
}

void ScreenLayoutsTest::migration()
{
    QFETCH(QString, configEcran);
    QFETCH(QString, slideDelay);
    QFETCH(Values, values);
    QCOMPARE(ScreenLayouts::migration(configEcran, slideDelay), values);
}

void ScreenLayoutsTest::writes_data()
{
    QTest::addColumn<int>("layout");
    QTest::addColumn<QString>("rotation");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("message");
    QTest::addColumn<Values>("values");

    const QString refused =
        QStringLiteral("Résolution manuelle: saisissez la largeur et la hauteur de l'écran, de 320 à 7680 pixels!!!");
    const Values autoSize{{"ECRANLARGEUR", "-1"}, {"ECRANHAUTEUR", "-1"}};
    QTest::newRow("portrait 2 anticlockwise")
        << 4 << "-90" << false << "0" << "0" << "" << Values{{"CONFIGECRAN", V2}, {"ROTATION2", "-90"}} + autoSize;
    QTest::newRow("portrait sends every poster to zone 1")
        << 3 << "90" << false << "-1" << "-1" << ""
        << Values{{"CONFIGECRAN", One}, {"ROTATION2", "90"}, {"NUMEROECRAN", "1|1|1"}} + autoSize;
    QTest::newRow("landscape 3 leaves the zone numbers")
        << 2 << "0" << false << "-1" << "-1" << "" << Values{{"CONFIGECRAN", P3}, {"ROTATION2", "0"}} + autoSize;
    QTest::newRow("no layout chosen keeps the stored one") << -1 << "180" << false << "-1" << "-1" << "" << autoSize;
    QTest::newRow("manual size")
        << 0 << "0" << true << "1920" << "1080" << ""
        << Values{{"CONFIGECRAN", One}, {"ROTATION2", "0"}, {"NUMEROECRAN", "1|1|1"},
                  {"ECRANLARGEUR", "1920"}, {"ECRANHAUTEUR", "1080"}};
    QTest::newRow("manual empty width") << 0 << "0" << true << "" << "1080" << refused << Values{};
    QTest::newRow("manual zero height") << 0 << "0" << true << "1920" << "0" << refused << Values{};
    QTest::newRow("manual zeros typed") << 0 << "0" << true << "0000" << "1080" << refused << Values{};
    QTest::newRow("manual width of 1 pixel from the automatic -1")
        << 0 << "0" << true << "1" << "-1" << refused << Values{};
    QTest::newRow("manual height left at -1") << 0 << "0" << true << "1920" << "-1" << refused << Values{};
    QTest::newRow("manual width below 320") << 0 << "0" << true << "319" << "1080" << refused << Values{};
    QTest::newRow("manual height above 7680") << 0 << "0" << true << "1920" << "9999" << refused << Values{};
    QTest::newRow("manual bounds")
        << -1 << "0" << true << "320" << "7680" << "" << Values{{"ECRANLARGEUR", "320"}, {"ECRANHAUTEUR", "7680"}};
    QTest::newRow("automatic ignores the size buttons")
        << 1 << "0" << false << "" << "0" << "" << Values{{"CONFIGECRAN", P2}, {"ROTATION2", "0"}} + autoSize;
}

void ScreenLayoutsTest::writes()
{
    QFETCH(int, layout);
    QFETCH(QString, rotation);
    QFETCH(bool, manual);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QString, message);
    QFETCH(Values, values);
    ScreenLayouts::Choice choice;
    choice.layout = layout;
    choice.rotation = rotation;
    choice.manual = manual;
    choice.width = width;
    choice.height = height;
    QCOMPARE(ScreenLayouts::refusal(choice), message);
    if (message.isEmpty())
        QCOMPARE(ScreenLayouts::writes(choice, QStringLiteral("8|6|10")), values);
}

QTEST_APPLESS_MAIN(ScreenLayoutsTest)
#include "tst_screenlayouts.moc"

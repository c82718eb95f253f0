#include "Checksum.h"
#include "ClassParamS.h"
#include "classVersion.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

class AppServicesTest : public QObject
{
    Q_OBJECT
private slots:
    void brandConstants();
    void baseUrlAlwaysEndsWithSlash_data();
    void baseUrlAlwaysEndsWithSlash();
    void styleSheets();
    void workFolder_data();
    void workFolder();
    void checksum_data();
    void checksum();
    void checksumOfMissingFileIsEmpty();
};

void AppServicesTest::brandConstants()
{
    classVersion v;
    QCOMPARE(v.Marque(), QStringLiteral("Orvex"));
    QCOMPARE(v.Model(), QStringLiteral("ZoManager"));
    QCOMPARE(v.Version(), QStringLiteral("V3.6.3"));
    QVERIFY(v.TitreFenetre().startsWith(QStringLiteral("ZoManager (")));
    QVERIFY(v.TitreFenetre().endsWith(QLatin1Char(')')));
    // Regression: the title named a real-looking domain instead of the
    // compiled-in server's reserved example host.
    qunsetenv("ZOMANAGER_BASE_URL");
    QCOMPARE(v.TitreFenetre(), "ZoManager (" + QUrl(v.NomDeDomaine()).host() + ")");
    QCOMPARE(v.Logo(), QStringLiteral(":/images/LogoOrvex.png"));
    QCOMPARE(v.LogoDemarrage(), QStringLiteral(":/images/LogoOrvex2.png"));
    QCOMPARE(v.Background(), QStringLiteral(":/images/Background.jpg"));
    QCOMPARE(v.BackgroundColor(), QStringLiteral(":/images/BackgroundColor.jpg"));
}

void AppServicesTest::baseUrlAlwaysEndsWithSlash_data()
{
    QTest::addColumn<QByteArray>("env");
    QTest::addColumn<QString>("expected");
    QTest::newRow("loopback seam") << QByteArray("http://127.0.0.1:18080/") << "http://127.0.0.1:18080/";
    QTest::newRow("seam without slash") << QByteArray("http://127.0.0.1:18080") << "http://127.0.0.1:18080/";
}

void AppServicesTest::baseUrlAlwaysEndsWithSlash()
{
    QFETCH(QByteArray, env);
    QFETCH(QString, expected);
    qunsetenv("ZOMANAGER_BASE_URL");
    const QString deployed = classVersion().NomDeDomaine();
    QVERIFY(deployed.startsWith(QStringLiteral("https://")));
    QVERIFY(deployed.endsWith(QLatin1Char('/')));
    qputenv("ZOMANAGER_BASE_URL", env);
    QCOMPARE(classVersion().NomDeDomaine(), expected);
    qunsetenv("ZOMANAGER_BASE_URL");
}

void AppServicesTest::styleSheets()
{
    classVersion v;
    const QString main = v.Style();
    QCOMPARE(main.count(QLatin1Char('{')), 45);
    QCOMPARE(main.count(QLatin1Char('}')), 45);
    QVERIFY(main.startsWith(QStringLiteral("QPushButton {background-color:hsva(200,150,40,80%);")));
    QVERIFY(main.contains(QStringLiteral("image: url(:/images/upArrow.png);")));
    QVERIFY(main.endsWith(QStringLiteral("QTextEdit {background-color:rgba(0,0,0,80%);color: white;}")));
    QCOMPARE(v.StylePlayer().count(QLatin1Char('{')), 12);
    QVERIFY(v.StylePlayer().contains(QStringLiteral("url(:/images/Editer/calendrier.png)")));
    QVERIFY(v.StyleQlistCustom().startsWith(QStringLiteral("QListWidget::item                {color:transparent;}")));
    QString changed = v.Style();
    changed.clear();
    QCOMPARE(classVersion().Style(), main);
}

void AppServicesTest::workFolder_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("inParent");
    QTest::newRow("work folder itself") << "" << "/" << false;
    QTest::newRow("log folder") << "LOG/" << "/LOG/" << false;
    QTest::newRow("parent folder") << "../DATA/" << "/DATA/" << true;
}

void AppServicesTest::workFolder()
{
    QFETCH(QString, relative);
    QFETCH(QString, suffix);
    QFETCH(bool, inParent);
    QTemporaryDir dir;
    const QString work = dir.filePath("work");
    qputenv("ZOMANAGER_WORKDIR", (work + "/").toLocal8Bit());
    const QString base = inParent ? dir.path() : work;
    QCOMPARE(ClassParamS::getNewPath(relative), base + suffix);
    QVERIFY(!QFileInfo::exists(work)); // nothing is created on this platform
    qunsetenv("ZOMANAGER_WORKDIR");
}

void AppServicesTest::checksum_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("abc") << QByteArray("abc");
    QByteArray blocks(3 * 16384 + 17, '\0');
    for (int i = 0; i < blocks.size(); ++i)
        blocks[i] = char(i * 31 + 7);
    QTest::newRow("several blocks and a tail") << blocks;
}

void AppServicesTest::checksum()
{
    QFETCH(QByteArray, content);
    QTemporaryDir dir;
    QFile f(dir.filePath("media.jpg"));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(content);
    f.close();
    const QString sum = CalculChecksum(f.fileName());
    QCOMPARE(sum, QString::fromLatin1(QCryptographicHash::hash(content, QCryptographicHash::Md5).toHex().toUpper()));
    QCOMPARE(sum.size(), 32);
    QCOMPARE(sum, sum.toUpper());
    if (content == "abc")
        QCOMPARE(sum, QStringLiteral("900150983CD24FB0D6963F7D28E17F72"));
}

void AppServicesTest::checksumOfMissingFileIsEmpty()
{
    QCOMPARE(CalculChecksum(QStringLiteral("/nonexistent/zo/file.png")), QString());
}

QTEST_GUILESS_MAIN(AppServicesTest)
#include "tst_appservices.moc"

#include "AddBoxRules.h"
#include "AlertReport.h"

#include <QRegularExpressionValidator>
#include <QtTest>

// Entry rules, pair matching and the login-file values of a new box.
class TestAddBoxRules : public QObject
{
    Q_OBJECT

private slots:
    void fieldValidators_data();
    void fieldValidators();
    void pairListed_data();
    void pairListed();
    void loginKeys_data();
    void loginKeys();
    void secretKeys();
    void reportLogName_data();
    void reportLogName();
};

void TestAddBoxRules::fieldValidators_data()
{
    QTest::addColumn<bool>("serial");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("state");
    const int ok = QValidator::Acceptable, part = QValidator::Intermediate, no = QValidator::Invalid;
    QTest::newRow("serial full") << true << "12345" << ok;
    QTest::newRow("serial short is still typed") << true << "1234" << part;
    QTest::newRow("serial sixth digit") << true << "123456" << no;
    QTest::newRow("serial letter") << true << "12a45" << no;
    QTest::newRow("code full") << false << "0A1B2C3D4E" << ok;
    QTest::newRow("code short") << false << "0A1B2" << part;
    QTest::newRow("code lower case") << false << "0a1b2c3d4e" << no;
    QTest::newRow("code beyond F") << false << "0A1B2C3D4G" << no;
    QTest::newRow("code eleventh") << false << "0A1B2C3D4E5" << no;
}

void TestAddBoxRules::fieldValidators()
{
    QFETCH(bool, serial);
    QFETCH(QString, text);
    QFETCH(int, state);
    QRegularExpressionValidator validator(
        QRegularExpression(serial ? AddBoxRules::serialPattern() : AddBoxRules::codePattern()));
    int pos = 0;
    QCOMPARE(int(validator.validate(text, pos)), state);
}

void TestAddBoxRules::pairListed_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("found");
    QTest::newRow("record") << QStringList{"10999_1A2B3C4D5E.orvex", "12345_0A1B2C3D4E.orvex"} << true;
    QTest::newRow("without extension") << QStringList{"12345_0A1B2C3D4E"} << true;
    QTest::newRow("upper-case extension") << QStringList{"12345_0A1B2C3D4E.ORVEX"} << false;
    QTest::newRow("other code") << QStringList{"12345_0A1B2C3D4F.orvex"} << false;
    QTest::newRow("longer name") << QStringList{"12345_0A1B2C3D4E5.orvex"} << false;
    QTest::newRow("empty listing") << QStringList{} << false;
}

void TestAddBoxRules::pairListed()
{
    QFETCH(QStringList, names);
    QFETCH(bool, found);
    QCOMPARE(AddBoxRules::pairListed(names, AddBoxRules::pairName("12345", "0A1B2C3D4E")), found);
    QCOMPARE(AddBoxRules::validationName("12345", "0A1B2C3D4E"), QString("ZOVALIDATE_12345_0A1B2C3D4E.orvex"));
}

void TestAddBoxRules::loginKeys_data()
{
    QTest::addColumn<QStringList>("before"); // PLAYERLIST, PLAYERLISTNAME, CATEGORYLIST, CATEGORYELEMENTS
    QTest::addColumn<QString>("category");
    QTest::addColumn<QStringList>("after");
    const QStringList demo{"10234|10417", "Hall|Salle", "Accueil|Restaurant", "10234|10417"};
    QTest::newRow("current category") << demo << "Restaurant" << QStringList{"10234|10417|12345", "Hall|Salle|12345", "10234|10417;12345"};
    QTest::newRow("unknown category takes the first row") << demo << "Parking" << QStringList{"10234|10417|12345", "Hall|Salle|12345", "10234;12345|10417"};
    QTest::newRow("category without a row") << QStringList{"10234", "Hall", "Accueil|Restaurant", "10234"} << "Restaurant"
                                            << QStringList{"10234|12345", "Hall|12345", "10234"};
    QTest::newRow("empty lists are replaced, not appended to") << QStringList{"", "", "Accueil", ""} << "Accueil"
                                                               << QStringList{"12345", "12345", "12345"};
    QTest::newRow("missing keys are replaced, not appended to") << QStringList{"NULL", "NULL", "Accueil", "NULL"} << "Accueil"
                                                                << QStringList{"12345", "12345", ""};
    QTest::newRow("NULL row is replaced") << QStringList{"10234", "Hall", "Accueil|Vide", "10234|NULL"} << "Vide"
                                          << QStringList{"10234|12345", "Hall|12345", "10234|12345"};
    QTest::newRow("short names are padded first") << QStringList{"10234|10417|10502", "Hall", "Accueil", "10234"} << "Accueil"
                                                  << QStringList{"10234|10417|10502|12345", "Hall|||12345", "10234;12345"};
    QTest::newRow("empty names key is padded") << QStringList{"10234", "", "Accueil", "10234"} << ""
                                               << QStringList{"10234|12345", "|12345", "10234;12345"};
    QTest::newRow("new box took the name of a row past the boxes")
        << QStringList{"", "a|b|c", "Accueil", ""} << "Accueil" << QStringList{"12345", "12345", "12345"};
    QTest::newRow("names past the boxes are dropped")
        << QStringList{"10234", "Hall|a|b", "Accueil", "10234"} << "Accueil"
        << QStringList{"10234|12345", "Hall|12345", "10234;12345"};
}

void TestAddBoxRules::loginKeys()
{
    QFETCH(QStringList, before);
    QFETCH(QString, category);
    QFETCH(QStringList, after);
    const AddBoxRules::LoginKeys keys =
        AddBoxRules::addBox(before.at(0), before.at(1), before.at(2), before.at(3), category, "12345");
    QCOMPARE((QStringList{keys.playerList, keys.playerListName, keys.categoryElements}), after);
}

void TestAddBoxRules::secretKeys()
{
    for (const char *key : {"FTPPASSWORD", "PASSWORDLOGIN", "MOTDEPASSE"})
        QVERIFY2(AddBoxRules::isSecretKey(key), key);
    for (const char *key : {"FTPLOGIN", "USERLOGIN", "COMPTEADMIN", "LOCALPATH", "MEDIASIZE"})
        QVERIFY2(!AddBoxRules::isSecretKey(key), key);
}

void TestAddBoxRules::reportLogName_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << "acme" << "AMELIORATION-MessageAlerte-acme";
    QTest::newRow("missing account") << "NULL" << "AMELIORATION-MessageAlerte-NULL";
    QTest::newRow("slashes") << "../../etc/acme" << "AMELIORATION-MessageAlerte-etcacme";
    QTest::newRow("backslashes") << "a\\b" << "AMELIORATION-MessageAlerte-ab";
    QTest::newRow("dots hidden by a slash") << "./." << "AMELIORATION-MessageAlerte-NULL";
    QTest::newRow("single dot kept") << "a.b" << "AMELIORATION-MessageAlerte-a.b";
}

void TestAddBoxRules::reportLogName()
{
    QFETCH(QString, account);
    QFETCH(QString, name);
    QCOMPARE(AlertReport::logName("AMELIORATION", account), name);
}

QTEST_GUILESS_MAIN(TestAddBoxRules)
#include "tst_addboxrules.moc"

// The rules on the box files: fingerprint comparison, update row, the
// owner and position record's round trip, the event log.
#include "../sync/ParamFixture.h"
#include "BoxFiles.h"
#include "ClassParam.h"

#include <QTemporaryDir>
#include <QtTest>

class BoxFilesTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void fingerprints_data();
    void fingerprints();
    void updateRow_data();
    void updateRow();
    void typedValues_data();
    void typedValues();
    void infoRoundTrip();
    void refusedSaveKeepsTheFile_data();
    void refusedSaveKeepsTheFile();
    void unreadableRecordClearsTheTable();
    void events_data();
    void events();
    void checkedText();

private:
    QString file(const QString &name) const { return m_dir->filePath(name); }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

namespace {
const QString kPrint = QStringLiteral("D21B1CC5CF4ACD1E4C15D5A0B58401A26AC03534");
}

void BoxFilesTest::init()
{
    m_dir.reset(new QTemporaryDir);
}

void BoxFilesTest::fingerprints_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("player");
    QTest::addColumn<bool>("same");
    QTest::newRow("equal") << kPrint << kPrint << true;
    QTest::newRow("status wrapped in quotes") << "\"" + kPrint + "\"" << kPrint << true;
    QTest::newRow("status followed by a quote") << kPrint + "\"" << kPrint << true;
    QTest::newRow("differ after the 35th character") << kPrint.left(35) + "00000" << kPrint << true;
    QTest::newRow("differ at the 35th character") << kPrint.left(34) + "Z" + kPrint.mid(35) << kPrint << false;
    QTest::newRow("case differs") << kPrint.toLower() << kPrint << false;
    QTest::newRow("status shorter, same start") << kPrint.left(20) << kPrint << false;
    // Decisions: equal only when both are real fingerprints.
    QTest::newRow("both NULL") << "NULL" << "NULL" << false;
    QTest::newRow("both empty") << "" << "" << false;
    QTest::newRow("both quoted empty") << "\"\"" << "" << false;
    QTest::newRow("player PB_OPEN") << kPrint << "PB_OPEN" << false;
    QTest::newRow("status PB_OPEN, player PB_OPEN") << "PB_OPEN" << "PB_OPEN" << false;
}

void BoxFilesTest::fingerprints()
{
    QFETCH(QString, status);
    QFETCH(QString, player);
    QFETCH(bool, same);
    QCOMPARE(BoxFiles::sameFingerprint(status, player), same);
}

void BoxFilesTest::updateRow_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("player");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    const QString other = QStringLiteral("0000000000000000000000000000000000000000");
    QTest::newRow("equal prints win over STATE 0") << "0" << kPrint << kPrint << "BoxOK" << "Mise à jour effectuée.";
    QTest::newRow("STATE 0") << "0" << other << kPrint << "BoxHeure" << "Mise à jour en attente.";
    QTest::newRow("STATE 1") << "1" << other << kPrint << "BoxUpdate" << "Mise à jour en cours...";
    QTest::newRow("STATE 2, prints differ") << "2" << other << kPrint << "BoxOK" << "Mise à jour effectuée.";
    QTest::newRow("no STATE, prints differ") << "NULL" << other << kPrint << "BoxClose" << "Aucune information!!!";
    QTest::newRow("STATE 3") << "3" << other << kPrint << "BoxClose" << "Aucune information!!!";
    QTest::newRow("STATE with a space") << " 2" << other << kPrint << "BoxClose" << "Aucune information!!!";
    QTest::newRow("player unreadable: STATE decides") << "1" << kPrint << "PB_OPEN" << "BoxUpdate"
                                                       << "Mise à jour en cours...";
    QTest::newRow("no print on either side is no success") << "NULL" << "NULL" << "NULL" << "BoxClose"
                                                           << "Aucune information!!!";
}

void BoxFilesTest::updateRow()
{
    QFETCH(QString, state);
    QFETCH(QString, status);
    QFETCH(QString, player);
    QFETCH(QString, picture);
    QFETCH(QString, text);
    const BoxFiles::Update u = BoxFiles::updateState(state, status, player);
    QCOMPARE(BoxFiles::updatePicture(u), ":/images/Status/" + picture + ".png");
    QCOMPARE(BoxFiles::updateText(u), text);
}

void BoxFilesTest::typedValues_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("plain") << "Café de la Gare" << "Café de la Gare";
    QTest::newRow("double quotes") << "Le \"Central\"" << "Le Central";
    QTest::newRow("line ends") << "12 rue\r\nBasse\n" << "12 rueBasse";
    QTest::newRow("empty") << "" << "";
}

void BoxFilesTest::typedValues()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QCOMPARE(BoxFiles::typedValue(typed), stored);
    QVERIFY(BoxFiles::unstorable("Montpellier, Hérault ç").isNull());
    QCOMPARE(BoxFiles::unstorable("prix 5 €"), QChar(0x20AC));
}

void BoxFilesTest::infoRoundTrip()
{
    const QStringList keys = BoxFiles::infoKeys();
    QCOMPARE(keys.size(), 20);
    QCOMPARE(keys.first(), QStringLiteral("NOM_PROPRIETAIRE"));
    QCOMPARE(keys.at(9), QStringLiteral("NOM_POSITION"));
    QCOMPARE(keys.last(), QStringLiteral("LONGITUDE_POSITION"));
    QCOMPARE(BoxFiles::factoryFields().size(), 7);

    // A template lacking most keys: every key is written, missing ones appended.
    QVERIFY(writeParams(file("INFO.orvex"), {{"VILLE_POSITION", "Sète"}, {"NOM_PROPRIETAIRE", "old"}}));
    QList<QPair<QString, QString>> values;
    for (int i = 0; i < keys.size(); ++i)
        values << qMakePair(keys.at(i), i == 5 ? QStringLiteral("NULL") : QStringLiteral("valeur %1 é").arg(i));
    QString error;
    QVERIFY2(BoxFiles::saveInfo(file("INFO.orvex"), values, &error), qPrintable(error));
    ClassParam reader;
    QVERIFY(BoxFiles::readRecord(reader, file("INFO.orvex")));
    for (const auto &kv : values)
        QCOMPARE(reader.getInfoBalise(kv.first), kv.second);
    QCOMPARE(reader.BALISE.at(0).count("VILLE_POSITION"), 1);
    // The file stays a sound parameter file.
    QVERIFY(reader.getParamCrypt(file("INFO.orvex"), QStringLiteral("NOM_POSITION"), 1) != "FileError");
}

void BoxFilesTest::refusedSaveKeepsTheFile_data()
{
    QTest::addColumn<QString>("damage");
    QTest::newRow("missing file") << "missing";
    QTest::newRow("read-only file") << "readonly";
}

void BoxFilesTest::refusedSaveKeepsTheFile()
{
    QFETCH(QString, damage);
    const QString path = file("INFO.orvex");
    if (damage == "readonly") {
        QVERIFY(writeParams(path, {{"NOM_POSITION", "Hall"}}));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    const QByteArray before = bytes(path);
    QString error;
    QVERIFY(!BoxFiles::saveInfo(path, {{"NOM_POSITION", "Entrée"}}, &error));
    QVERIFY(error.contains("INFO.orvex"));
    QCOMPARE(bytes(path), before);
    QCOMPARE(QFile::exists(path), damage != "missing");
}

void BoxFilesTest::unreadableRecordClearsTheTable()
{
    QVERIFY(writeParams(file("BOX.orvex"), {{"MARQUE", "Orvex"}, {"NUMEROSERIE", "ZB-1001"}}));
    ClassParam reader;
    QVERIFY(BoxFiles::readRecord(reader, file("BOX.orvex")));
    QCOMPARE(reader.getInfoBalise("NUMEROSERIE"), QStringLiteral("ZB-1001"));
    QVERIFY(QFile::remove(file("BOX.orvex")));
    QVERIFY(!BoxFiles::readRecord(reader, file("BOX.orvex")));
    QCOMPARE(reader.getInfoBalise("NUMEROSERIE"), QStringLiteral("NULL"));
}

void BoxFilesTest::events_data()
{
    QTest::addColumn<QByteArray>("content"); // "<none>": no file
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("text");
    QTest::newRow("missing") << QByteArray("<none>") << int(BoxFiles::Events::Missing) << "unchanged";
    QTest::newRow("UTF-8 text") << QByteArray("10:00 | démarrage\n") << int(BoxFiles::Events::Read)
                                << "10:00 | démarrage\n";
    QTest::newRow("markup kept as it is") << QByteArray("<b>gras</b> <img src=x>") << int(BoxFiles::Events::Read)
                                          << "<b>gras</b> <img src=x>";
    QTest::newRow("empty") << QByteArray() << int(BoxFiles::Events::Read) << "";
}

void BoxFilesTest::events()
{
    QFETCH(QByteArray, content);
    QFETCH(int, result);
    QFETCH(QString, text);
    const QString path = file("EVENTS.orvex");
    if (content != "<none>") {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QString read = QStringLiteral("unchanged");
    QCOMPARE(int(BoxFiles::readEvents(path, &read)), result);
    QCOMPARE(read, text);
}

void BoxFilesTest::checkedText()
{
    QCOMPARE(BoxFiles::checkedText(QDateTime(QDate(2026, 3, 7), QTime(9, 5))),
             QStringLiteral("Vérifié le 07/03/2026 à 09:05"));
    QCOMPARE(BoxFiles::checkedText(QDateTime(QDate(2026, 12, 31), QTime(23, 59))),
             QStringLiteral("Vérifié le 31/12/2026 à 23:59"));
}

QTEST_GUILESS_MAIN(BoxFilesTest)
#include "tst_boxfiles.moc"

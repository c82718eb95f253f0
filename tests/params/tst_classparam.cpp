#include "ClassParam.h"

#include <QCryptographicHash>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

namespace {

// Reference encoder written apart from ClassParam, so that the file bytes
// are checked against the format rather than against the code itself.
QByteArray rc4(const QByteArray &key, const QByteArray &data)
{
    unsigned char s[256];
    for (int i = 0; i < 256; ++i)
        s[i] = static_cast<unsigned char>(i);
    for (int i = 0, j = 0; i < 256; ++i) {
        j = (j + s[i] + static_cast<unsigned char>(key[i % key.size()])) % 256;
        std::swap(s[i], s[j]);
    }
    QByteArray out = data;
    for (int n = 0, i = 0, j = 0; n < out.size(); ++n) {
        i = (i + 1) % 256;
        j = (j + s[i]) % 256;
        std::swap(s[i], s[j]);
        out[n] = char(out[n] ^ s[(s[i] + s[j]) % 256]);
    }
    return out;
}

const QByteArray kKey = QByteArray::fromHex("7C41E0B95D");

QByteArray withFingerprint(const QByteArray &lines)
{
    const QByteArray head = lines + "EMPREINTE=";
    return head + '"' + QCryptographicHash::hash(head, QCryptographicHash::Sha1).toHex().toUpper() + '"';
}

QByteArray encode(const QByteArray &plain)
{
    return rc4(kKey, plain).toHex().toUpper();
}

QByteArray decode(const QByteArray &fileBytes)
{
    return rc4(kKey, QByteArray::fromHex(fileBytes));
}

} // namespace

class ClassParamTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void referenceCipherMatchesPublishedVector();
    void firstKeyOnZeroByteFileGivesExactBytes();
    void foreignFileReadsKeyByKey();
    void singleRead_data();
    void singleRead();
    void allReadTable();
    void namedKeyListRead();
    void fingerprintCheck_data();
    void fingerprintCheck();
    void missingFile();
    void write_data();
    void write();
    void writeUpdatesTableEntry();
    void batchWriteEqualsSuccessiveWrites_data();
    void batchWriteEqualsSuccessiveWrites();
    void plaintextFileKeepsAccentsAndGetsEnciphered();
    void unreadableValueRefused_data();
    void unreadableValueRefused();
    void damagedStoredFileKeepsKeys_data();
    void damagedStoredFileKeepsKeys();
    void fullDiskKeepsOldFile();
    void valueRunningIntoFingerprintNotRewritten();

private:
    QString path(const QString &name) { return m_dir->filePath(name); }
    void writeRaw(const QString &file, const QByteArray &bytes);
    QByteArray readRaw(const QString &file);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void ClassParamTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
}

void ClassParamTest::writeRaw(const QString &file, const QByteArray &bytes)
{
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray ClassParamTest::readRaw(const QString &file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void ClassParamTest::referenceCipherMatchesPublishedVector()
{
    QCOMPARE(rc4("Key", "Plaintext").toHex().toUpper(), QByteArray("BBF316E8D940AF0AD3"));
    QCOMPARE(rc4("Secret", "Attack at dawn").toHex().toUpper(), QByteArray("45A01F645FC35B383552544B9BF5"));
}

void ClassParamTest::firstKeyOnZeroByteFileGivesExactBytes()
{
    const QString file = path("t.orvex");
    writeRaw(file, QByteArray());
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("ID"), 0), QStringLiteral("NULL"));
    QVERIFY(param.getParamCrypt(file, QStringList{"ALL"}, 0));
    QVERIFY(param.BALISE.at(0).isEmpty());

    QVERIFY(param.setParamCrypt(file, "ID", "3"));
    const QByteArray plain = withFingerprint("ID=\"3\"\r\n");
    QCOMPARE(plain.size(), 60);
    const QByteArray bytes = readRaw(file);
    QCOMPARE(bytes.size(), 120);
    QCOMPARE(bytes, encode(plain));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("ID"), 1), QStringLiteral("3"));
}

void ClassParamTest::foreignFileReadsKeyByKey()
{
    const QString file = path("foreign.orvex");
    writeRaw(file, encode(withFingerprint("PLAYERNAME=\"Hall|Caf\xe9\"\r\nSLIDEOPACITY=\"100|50\"\r\n"
                                          "ID=\"12\"\r\nZONES=\"0-0-50-100|50-0-50-100\"\r\n")));
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("PLAYERNAME"), 1), QString::fromLatin1("Hall|Caf\xe9"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("SLIDEOPACITY"), 1), QStringLiteral("100|50"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("ID"), 1), QStringLiteral("12"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("ZONES"), 1), QStringLiteral("0-0-50-100|50-0-50-100"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("OTHER"), 1), QStringLiteral("NULL"));

    // Lower-case hex and a trailing line end are accepted on reading.
    writeRaw(file, encode(withFingerprint("ID=\"7\"\r\n")).toLower() + "\r\n");
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("ID"), 0), QStringLiteral("7"));
}

void ClassParamTest::singleRead_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray dates = "DATEDEBUT1=\"b\"\r\nDATEDEBUT=\"a\"\r\n";
    QTest::newRow("longer key first") << dates << "DATEDEBUT" << "a";
    QTest::newRow("longer key itself") << dates << "DATEDEBUT1" << "b";
    QTest::newRow("key not inside longer key") << QByteArray("SLIDETYPE=\"x\"\r\n") << "TYPE" << "NULL";
    QTest::newRow("quote inside value stops the read") << QByteArray("T=\"a\"b\"\r\n") << "T" << "a";
    QTest::newRow("empty value") << QByteArray("E=\"\"\r\nF=\"1\"\r\n") << "E" << "";
    QTest::newRow("duplicate key gives the first") << QByteArray("K=\"1\"\r\nK=\"2\"\r\n") << "K" << "1";
    QTest::newRow("fingerprint key") << QByteArray("K=\"1\"\r\n") << "EMPREINTE"
                                     << QString::fromLatin1(QCryptographicHash::hash("K=\"1\"\r\nEMPREINTE=",
                                                                                     QCryptographicHash::Sha1)
                                                                .toHex()
                                                                .toUpper());
    // A poster named after a key must not capture that key's read.
    QTest::newRow("value holding a key name") << QByteArray("SLIDENAME=\"ID|Menu\"\r\nID=\"4\"\r\n") << "ID" << "4";
}

void ClassParamTest::singleRead()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    const QString file = path("s.orvex");
    writeRaw(file, encode(withFingerprint(lines)));
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, key, 0), expected);
}

void ClassParamTest::allReadTable()
{
    const QString file = path("all.orvex");
    const QByteArray plain = withFingerprint("A=\"1\"\r\nQ=\"x\"y\"\r\nE=\"\"\r\nA=\"2\"\r\n");
    writeRaw(file, encode(plain));
    ClassParam param;
    QVERIFY(param.getParamCrypt(file, QStringList{"ALL", "ignored"}, 1));
    QCOMPARE(param.BALISE.at(0), (QList<QString>{"A", "Q", "E", "A", "EMPREINTE"}));
    QCOMPARE(param.BALISE.at(1).mid(0, 4), (QList<QString>{"1", "x\"y", "", "2"}));
    QCOMPARE(param.getInfoBalise("EMPREINTE"), QString::fromLatin1(plain.right(41).left(40)));
    QCOMPARE(param.getInfoBalise("A"), QStringLiteral("1"));
    QCOMPARE(param.getInfoBalise("Z"), QStringLiteral("NULL"));
    QCOMPARE(param.getInfoBalise(param.BALISE, "Q"), QStringLiteral("x\"y"));

    // A list read of a missing file leaves the table as it was.
    QVERIFY(!param.getParamCrypt(path("none.orvex"), QStringList{"ALL"}, 0));
    QCOMPARE(param.getInfoBalise("A"), QStringLiteral("1"));
}

void ClassParamTest::namedKeyListRead()
{
    const QString file = path("named.orvex");
    writeRaw(file, encode(withFingerprint("SLIDETYPE=\"x\"\r\nNAME=\"a\"b\"\r\n")));
    ClassParam param;
    QVERIFY(param.getParamCrypt(file, QStringList{"NAME", "TYPE", "MISSING"}, 0));
    QCOMPARE(param.BALISE.at(0), (QList<QString>{"NAME"}));
    QCOMPARE(param.BALISE.at(1), (QList<QString>{"a\"b"}));
}

void ClassParamTest::fingerprintCheck_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<bool>("valid");
    const QByteArray good = withFingerprint("K=\"v\"\r\n");
    QByteArray wrong = good;
    wrong[wrong.size() - 2] = wrong.at(wrong.size() - 2) == 'A' ? 'B' : 'A';
    QTest::newRow("good") << good << true;
    QTest::newRow("wrong digit") << wrong << false;
    QTest::newRow("line end after fingerprint") << good + "\r\n" << false;
    QTest::newRow("lower-case fingerprint") << QByteArray(good.left(good.size() - 41) + good.right(41).toLower()) << false;
    QTest::newRow("no fingerprint") << QByteArray("K=\"v\"\r\n") << false;
}

void ClassParamTest::fingerprintCheck()
{
    QFETCH(QByteArray, plain);
    QFETCH(bool, valid);
    const QString file = path("f.orvex");
    writeRaw(file, encode(plain));
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("K"), 0), QStringLiteral("v"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("K"), 1), valid ? QStringLiteral("v") : QStringLiteral("FileError"));
    QCOMPARE(param.getParamCrypt(file, QStringList{"ALL"}, 1), valid);
    QVERIFY(param.getParamCrypt(file, QStringList{"ALL"}, 0));
}

void ClassParamTest::missingFile()
{
    const QString file = path("missing.orvex");
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("ID"), 0), QStringLiteral("PB_OPEN"));
    QVERIFY(!param.getParamCrypt(file, QStringList{"ALL"}, 0));
    QVERIFY(!param.setParamCrypt(file, "ID", "1"));
    QVERIFY(!QFile::exists(file));
}

void ClassParamTest::write_data()
{
    QTest::addColumn<QByteArray>("before"); // plaintext before the write (fingerprint not added)
    QTest::addColumn<bool>("fingerprinted");       // whether `before` gets its fingerprint line
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after"); // plaintext lines expected before "EMPREINTE="

    QTest::newRow("new key appended") << QByteArray("A=\"1\"\r\n") << true << "B" << "2" << QByteArray("A=\"1\"\r\nB=\"2\"\r\n");
    QTest::newRow("value replaced in place") << QByteArray("A=\"1\"\r\nB=\"2\"\r\n") << true << "A" << "9"
                                             << QByteArray("A=\"9\"\r\nB=\"2\"\r\n");
    QTest::newRow("empty value replaced") << QByteArray("E=\"\"\r\nF=\"1\"\r\n") << true << "E" << "x"
                                          << QByteArray("E=\"x\"\r\nF=\"1\"\r\n");
    QTest::newRow("value with inner quote replaced whole") << QByteArray("Q=\"a\"b\"\r\n") << true << "Q" << "c"
                                                           << QByteArray("Q=\"c\"\r\n");
    QTest::newRow("longer key untouched") << QByteArray("DATEDEBUT1=\"b\"\r\nDATEDEBUT=\"a\"\r\n") << true
                                          << "DATEDEBUT" << "z" << QByteArray("DATEDEBUT1=\"b\"\r\nDATEDEBUT=\"z\"\r\n");
    QTest::newRow("key ending another key keeps the other") << QByteArray("XID=\"3\"\r\nID=\"3\"\r\n") << true << "ID"
                                                            << "4" << QByteArray("XID=\"3\"\r\nID=\"4\"\r\n");
    QTest::newRow("value holding a key name") << QByteArray("SLIDENAME=\"ID|Menu\"\r\nID=\"4\"\r\n") << true << "ID"
                                              << "5" << QByteArray("SLIDENAME=\"ID|Menu\"\r\nID=\"5\"\r\n");
    QTest::newRow("line without closing quote left the new value open")
        << QByteArray("A=\"1\r\nB=\"2\"\r\n") << true << "A" << "9" << QByteArray("A=\"9\"\r\nB=\"2\"\r\n");
    QTest::newRow("CR inside a line kept the old value")
        << QByteArray("A=\"2\"\r\"=\"B8\nB=\"2\"\r\n") << true << "A" << "," << QByteArray("A=\",\"\nB=\"2\"\r\n");
    QTest::newRow("empty line without quotes") << QByteArray("A=\"\r\n") << true << "A" << "9" << QByteArray("A=\"9\"\r\n");
    QTest::newRow("non-Latin-1 becomes question mark") << QByteArray() << false << "N" << QString::fromUtf8("a€b")
                                                       << QByteArray("N=\"a?b\"\r\n");
    QTest::newRow("character beyond U+FFFF stored as two question marks")
        << QByteArray() << false << "N" << QString::fromUtf8("a\xF0\x9F\x98\x80" "b") << QByteArray("N=\"a?b\"\r\n");
    QTest::newRow("unsigned file, new key") << QByteArray("A=\"1\"\r\n") << false << "B" << "2"
                                            << QByteArray("A=\"1\"\r\nB=\"2\"\r\n");
}

void ClassParamTest::write()
{
    QFETCH(QByteArray, before);
    QFETCH(bool, fingerprinted);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);

    const QString file = path("w.orvex");
    writeRaw(file, before.isEmpty() ? QByteArray() : encode(fingerprinted ? withFingerprint(before) : before));
    ClassParam param;
    QVERIFY(param.setParamCrypt(file, key, value));
    QCOMPARE(decode(readRaw(file)), withFingerprint(after));
}

void ClassParamTest::writeUpdatesTableEntry()
{
    const QString file = path("t.orvex");
    writeRaw(file, encode(withFingerprint("A=\"1\"\r\nB=\"2\"\r\n")));
    ClassParam param;
    QVERIFY(param.getParamCrypt(file, QStringList{"ALL"}, 0));
    QVERIFY(param.setParamCrypt(file, "B", "7"));
    QVERIFY(param.setParamCrypt(file, "C", "8"));
    QCOMPARE(param.getInfoBalise("B"), QStringLiteral("7"));
    QCOMPARE(param.getInfoBalise("C"), QStringLiteral("NULL"));

    // Present key in a file without fingerprint: the mark follows the last character directly.
    writeRaw(file, encode("A=\"1\"\r\nB=\"2\""));
    QVERIFY(param.setParamCrypt(file, "A", "5"));
    const QByteArray head = "A=\"5\"\r\nB=\"2\"EMPREINTE=";
    QCOMPARE(decode(readRaw(file)), head + '"' + QCryptographicHash::hash(head, QCryptographicHash::Sha1).toHex().toUpper() + '"');
}

void ClassParamTest::batchWriteEqualsSuccessiveWrites_data()
{
    using Values = QList<QPair<QString, QString>>;
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<Values>("values");
    const QByteArray two = encode(withFingerprint("A=\"1\"\r\nB=\"2\"\r\n"));
    QTest::newRow("keys replaced, added and set twice")
        << two << Values{{"B", "x"}, {"C", QString::fromUtf8("é€")}, {"A", ""}, {"C", "y"}};
    // A journal's shape: the counter raised before each record it counts.
    Values journal;
    for (int k = 1; k <= 50; ++k)
        journal << qMakePair(QStringLiteral("NBOPERATION"), QString::number(k))
                << qMakePair(QStringLiteral("OPERATION n°%1").arg(k), QStringLiteral("AJOUTER|IMAGE/p%1.jpg|x|0|9").arg(k));
    QTest::newRow("journal records on an empty file") << QByteArray() << journal;
    QTest::newRow("journal records appended")
        << encode(withFingerprint(QString::fromUtf8("NBOPERATION=\"3\"\r\nOPERATION n°3=\"x\"\r\n").toLatin1()))
        << Values{{"NBOPERATION", "4"}, {"OPERATION n°4", "y"}, {"NBOPERATION", "5"}, {"OPERATION n°5", "z"}};
    QTest::newRow("later lines of the key with the same value or its start")
        << encode(withFingerprint("K=\"1\"\r\nA=\"0\"\r\nK=\"1\"\r\nK=\"12\"\r\nK=\"2\"\r\n"))
        << Values{{"K", "5"}, {"A", "1"}, {"K", "6"}};
    QTest::newRow("line without closing quote")
        << encode(withFingerprint("A=\"open\r\nB=\"2\"\r\n")) << Values{{"A", "x"}, {"B", "y"}, {"A", "z"}};
    QTest::newRow("line ends without CR") << encode(withFingerprint("A=\"1\"\nB=\"2\"\n")) << Values{{"B", "3"}, {"C", "4"}};
    QTest::newRow("unsigned file") << QByteArray("A=\"1\"\r\nB=\"2\"") << Values{{"B", "x"}, {"C", "y"}};
    QTest::newRow("lines after the fingerprint")
        << QByteArray(withFingerprint("A=\"1\"\r\n") + "\r\nZ=\"9\"\r\n") << Values{{"Z", "8"}, {"Y", "7"}};
}

void ClassParamTest::batchWriteEqualsSuccessiveWrites()
{
    QFETCH(QByteArray, start);
    using Values = QList<QPair<QString, QString>>;
    QFETCH(Values, values);
    const QString one = path("one.orvex"), batch = path("batch.orvex");
    writeRaw(one, start);
    writeRaw(batch, start);
    ClassParam param;
    for (const auto &kv : values)
        QVERIFY(param.setParamCrypt(one, kv.first, kv.second));
    QString error;
    QVERIFY2(param.setParamsCrypt(batch, values, &error), qPrintable(error));
    QCOMPARE(readRaw(batch), readRaw(one));

    QVERIFY(!param.setParamsCrypt(path("missing.orvex"), values, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(path("missing.orvex")));
}

void ClassParamTest::plaintextFileKeepsAccentsAndGetsEnciphered()
{
    const QString file = path("plain.orvex");
    const QByteArray plain = withFingerprint("NOM=\"Caf\xe9\"\r\nLIEU=\"\xc0 l'\xe9tage\"\r\n");
    writeRaw(file, plain);
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("NOM"), 1), QString::fromLatin1("Caf\xe9"));
    QVERIFY(param.setParamCrypt(file, "ID", "1"));
    QCOMPARE(decode(readRaw(file)), withFingerprint("NOM=\"Caf\xe9\"\r\nLIEU=\"\xc0 l'\xe9tage\"\r\nID=\"1\"\r\n"));
}

void ClassParamTest::unreadableValueRefused_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::newRow("NUL in a value wiped out the rest of the file") << "A" << QString::fromLatin1("x\0y", 3);
    QTest::newRow("CR in a value") << "A" << "x\ry";
    QTest::newRow("LF in a value") << "A" << "x\ny";
    QTest::newRow("EMPREINTE in a value cut the file on the next write") << "C" << "xEMPREINTE=y";
    QTest::newRow("key with an opening mark") << "C=\"D" << "1";
    QTest::newRow("empty key") << "" << "1";
}

void ClassParamTest::unreadableValueRefused()
{
    QFETCH(QString, key);
    QFETCH(QString, value);
    const QString file = path("r.orvex");
    const QByteArray before = encode(withFingerprint("A=\"1\"\r\nB=\"2\"\r\n"));
    writeRaw(file, before);
    ClassParam param;
    QVERIFY(!param.setParamCrypt(file, key, value));
    QString error;
    QVERIFY(!param.setParamsCrypt(file, {{"B", "3"}, {key, value}}, &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(readRaw(file), before);
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("B"), 1), QStringLiteral("2"));
}

// Files written by peers or by earlier versions: every key stays readable
// and a write keeps them.
void ClassParamTest::damagedStoredFileKeepsKeys_data()
{
    QTest::addColumn<QByteArray>("plain");
    QTest::addColumn<bool>("enciphered");
    QTest::addColumn<QString>("firstValue");
    QTest::newRow("NUL byte in a value lost every later key")
        << withFingerprint(QByteArray("A=\"x\0y\"\r\nB=\"2\"\r\n", 16)) << true << QString::fromLatin1("x\0y", 3);
    QTest::newRow("EMPREINTE in a stored value cut the file on the next write")
        << withFingerprint("A=\"xEMPREINTE=y\"\r\nB=\"2\"\r\n") << true << "xEMPREINTE=y";
    QTest::newRow("plaintext file with a bare EMPREINTE lost its keys on the next write")
        << QByteArray("A=\"1\"\r\nB=\"2\"\r\nEMPREINTE") << false << "1";
    QTest::newRow("keys after the fingerprint line were dropped by the next write")
        << withFingerprint("A=\"1\"\r\n") + "\r\nB=\"2\"\r\n" << true << "1";
    QTest::newRow("key after a mark inside a line was glued to the text before it")
        << QByteArray("A=\"1\"\r\nX\x02" "EMPREINTE=\"junk\"\r\nB=\"2\"\r\n") << true << "1";
    QTest::newRow("line without a mark swallowed the next key's name in the list read")
        << withFingerprint("A=\"1\"\r\njunk\r\nB=\"2\"\r\n") << true << "1";
    QTest::newRow("key written after a last line without line end was lost")
        << QByteArray("A=\"1\"\r\nB=\"2\"") << true << "1";
}

void ClassParamTest::damagedStoredFileKeepsKeys()
{
    QFETCH(QByteArray, plain);
    QFETCH(bool, enciphered);
    QFETCH(QString, firstValue);
    const QString file = path("d.orvex");
    writeRaw(file, enciphered ? encode(plain) : plain);
    ClassParam param;
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("B"), 0), QStringLiteral("2"));
    QVERIFY(param.getParamCrypt(file, QStringList{"ALL"}, 0));
    QCOMPARE(param.getInfoBalise("A"), firstValue);
    QCOMPARE(param.getInfoBalise("B"), QStringLiteral("2"));

    QVERIFY(param.setParamCrypt(file, "B", "2"));
    QVERIFY(param.setParamCrypt(file, "C", "3"));
    QVERIFY(param.getParamCrypt(file, QStringList{"ALL"}, 1));
    QCOMPARE(param.getInfoBalise("A"), firstValue);
    QCOMPARE(param.getInfoBalise("B"), QStringLiteral("2"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("A"), 1), firstValue);
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("B"), 1), QStringLiteral("2"));
    QCOMPARE(param.getParamCrypt(file, QStringLiteral("C"), 1), QStringLiteral("3"));
}

// A file-size limit stands in for a full disk: the write fails with EFBIG.
void ClassParamTest::fullDiskKeepsOldFile()
{
    const QString file = path("full.orvex");
    const QByteArray before = encode(withFingerprint("A=\"1\"\r\nB=\"2\"\r\n"));
    writeRaw(file, before);

    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &old), 0);
    rlimit limited = old;
    limited.rlim_cur = 16;
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &limited), 0);
    ClassParam param;
    QString error;
    const bool written = param.setParamsCrypt(file, {{"C", "3"}}, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    QVERIFY2(!written, "full disk save reported as done");
    QVERIFY(!error.isEmpty());
    QCOMPARE(readRaw(file), before);
}

void ClassParamTest::valueRunningIntoFingerprintNotRewritten()
{
    const QString file = path("open.orvex");
    const QByteArray before("\x01USERLIST=\"a\"\nMOTDEPASSE=\"EMPREINTE=|\x1d");
    writeRaw(file, before);
    ClassParam param;
    QString error;
    QVERIFY2(!param.setParamsCrypt(file, {{"CATEGORYLIST", "x"}}, &error), "damaged password line rewritten");
    QVERIFY(error.contains("damaged"));
    QCOMPARE(readRaw(file), before);
}

QTEST_GUILESS_MAIN(ClassParamTest)
#include "tst_classparam.moc"

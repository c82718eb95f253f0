#include "ClassParam.h"
#include "ParamFileBatch.h"
#include "PosterListFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using Records = PosterListFile::Records;
Q_DECLARE_METATYPE(Records)

namespace {

// A recognisable value for every field, so a key that slips shows at once.
QStringList tagged(int poster)
{
    QStringList record;
    for (const QString &key : PosterListFile::keys())
        record.append(key.toLower() + QLatin1Char('-') + QString::number(poster));
    return record;
}

QList<QPair<QString, QString>> columns(const Records &records)
{
    QList<QPair<QString, QString>> values;
    for (int k = 0; k < PosterListFile::FieldCount; ++k) {
        QStringList fields;
        for (const QStringList &r : records)
            fields.append(r.at(k));
        values.append(qMakePair(PosterListFile::keys().at(k), fields.join(QLatin1Char('|'))));
    }
    return values;
}

} // namespace

class PosterListFileTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void batchWriteMatchesKeyByKey_data();
    void batchWriteMatchesKeyByKey();
    void batchWriteNeedsExistingFile();

    void readsRecords_data();
    void readsRecords();
    void listOperationsKeepKeysAligned_data();
    void listOperationsKeepKeysAligned();
    void namesFollowPosterCount_data();
    void namesFollowPosterCount();
    void cleanName_data();
    void cleanName();

    void setEntry_data();
    void setEntry();
    void absentKeyWrittenTwiceKeepsBothEntries();

    void deletionRenumbersLegacyFiles();
    void renumberedReference_data();
    void renumberedReference();

    void damagedFileIsLeftAlone();
    void loadParsesAgainOnlyWhenChanged_data();
    void loadParsesAgainOnlyWhenChanged();

private:
    QString file() const { return m_dir->path() + QStringLiteral("/DATA/PLAYER.orvex"); }
    QString work() const { return m_dir->path() + QLatin1Char('/'); }
    void makeFile(const QList<QPair<QString, QString>> &values);
    QByteArray bytes(const QString &path) const;
    QString stored(const QString &key);

    std::unique_ptr<QTemporaryDir> m_dir;
};

void PosterListFileTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("DATA")));
}

void PosterListFileTest::makeFile(const QList<QPair<QString, QString>> &values)
{
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.close();
    ClassParam p;
    for (const auto &kv : values)
        QVERIFY(p.setParamCrypt(file(), kv.first, kv.second));
}

QByteArray PosterListFileTest::bytes(const QString &path) const
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

QString PosterListFileTest::stored(const QString &key)
{
    ClassParam p;
    return p.getParamCrypt(file(), key, 0);
}

void PosterListFileTest::batchWriteMatchesKeyByKey_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<bool>("encipher");

    const QByteArray full = "ID=\"4\"\r\nSLIDETYPE=\"|WIDGETRSS\"\r\nSLIDEDELAY=\"5|7\"\r\nNOMAFFICHE=\"A|B\"\r\n"
                            "CONFIGECRAN=\"0-0-100-100\"\r\nEMPREINTE=\"0000000000000000000000000000000000000000\"";
    QTest::newRow("zero-byte file") << QByteArray() << false;
    QTest::newRow("some keys, others appended") << full << true;
    QTest::newRow("plaintext on disk") << full << false;
    QTest::newRow("no fingerprint line") << QByteArray("SLIDETYPE=\"\"\r\nSLIDEDELAY=\"5\"\r\n") << true;
    QTest::newRow("last line without line end") << QByteArray("SLIDETYPE=\"\"\r\nSLIDEDELAY=\"5\"") << true;
    QTest::newRow("key names inside values") << QByteArray("NOMAFFICHE=\"SLIDEDELAY=\\\"x\"\r\nSLIDEDELAY=\"1\"\r\n"
                                                           "XSLIDETYPE=\"q\"\r\nEMPREINTE=\"\"")
                                              << true;
    QTest::newRow("latin-1 accents") << QByteArray("NOMAFFICHE=\"Caf\xe9|\xc9t\xe9\"\r\nEMPREINTE=\"\"") << false;
}

void PosterListFileTest::batchWriteMatchesKeyByKey()
{
    QFETCH(QByteArray, raw);
    QFETCH(bool, encipher);

    ClassParam p;
    const QByteArray onDisk = encipher ? p.CryptRC4(QString::fromLatin1(raw)).toLatin1() : raw;
    const QString one = m_dir->filePath(QStringLiteral("one.orvex"));
    const QString each = m_dir->filePath(QStringLiteral("each.orvex"));
    for (const QString &path : {one, each}) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(onDisk);
    }

    Records records{tagged(0), tagged(1), PosterListFile::newRecord(2)};
    records[1][PosterListFile::NomAffiche] = QStringLiteral("Été ☃");
    const auto values = columns(records);

    ClassParam keyByKey;
    for (const auto &kv : values)
        QVERIFY(keyByKey.setParamCrypt(each, kv.first, kv.second));
    ClassParam store;
    ParamFileBatch batch(store);
    QVERIFY2(batch.write(one, values), qPrintable(batch.errorString()));

    QCOMPARE(bytes(one), bytes(each));
}

void PosterListFileTest::batchWriteNeedsExistingFile()
{
    ClassParam store;
    ParamFileBatch batch(store);
    const QString missing = m_dir->filePath(QStringLiteral("missing.orvex"));
    QVERIFY(!batch.write(missing, {qMakePair(QStringLiteral("ID"), QStringLiteral("1"))}));
    QVERIFY(!batch.errorString().isEmpty());
    QVERIFY(!QFile::exists(missing));
}

void PosterListFileTest::readsRecords_data()
{
    QTest::addColumn<QString>("slideType");
    QTest::addColumn<QString>("delays");
    QTest::addColumn<QStringList>("expectedDelays");

    QTest::newRow("absent SLIDETYPE is one poster") << QString() << QStringLiteral("9") << QStringList{"9"};
    QTest::newRow("empty SLIDETYPE is one poster") << QStringLiteral("") << QStringLiteral("9|8")
                                                   << QStringList{"9"};
    QTest::newRow("shorter key reads empty") << QStringLiteral("||") << QStringLiteral("4") << QStringList{"4", "", ""};
    QTest::newRow("NULL entries read empty") << QStringLiteral("|") << QStringLiteral("NULL|6")
                                             << QStringList{"", "6"};
}

void PosterListFileTest::readsRecords()
{
    QFETCH(QString, slideType);
    QFETCH(QString, delays);
    QFETCH(QStringList, expectedDelays);

    QList<QPair<QString, QString>> values{qMakePair(QStringLiteral("SLIDEDELAY"), delays)};
    if (!slideType.isNull())
        values.prepend(qMakePair(QStringLiteral("SLIDETYPE"), slideType));
    makeFile(values);

    ClassParam store;
    PosterListFile posters(store, work());
    const Records records = posters.records();
    QCOMPARE(records.size(), expectedDelays.size());
    QCOMPARE(posters.count(), expectedDelays.size());
    for (int i = 0; i < records.size(); ++i) {
        QCOMPARE(records.at(i).size(), int(PosterListFile::FieldCount));
        QCOMPARE(records.at(i).at(PosterListFile::SlideDelay), expectedDelays.at(i));
        QCOMPARE(records.at(i).at(PosterListFile::NomAffiche), QString());
    }
}

void PosterListFileTest::listOperationsKeepKeysAligned_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("written");
    QTest::addColumn<Records>("expected");

    const QStringList a = tagged(0), b = tagged(1), c = tagged(2);
    QTest::newRow("add") << "add" << 3 << true << Records{a, b, c, PosterListFile::newRecord(3)};
    QTest::newRow("up") << "up" << 2 << true << Records{a, c, b};
    QTest::newRow("down") << "down" << 0 << true << Records{b, a, c};
    QTest::newRow("first up") << "up" << 0 << false << Records{a, b, c};
    QTest::newRow("last down") << "down" << 2 << false << Records{a, b, c};
    QTest::newRow("delete middle") << "delete" << 1 << true << Records{a, c};
    QTest::newRow("delete past end") << "delete" << 7 << true << Records{a, b, c};
}

void PosterListFileTest::listOperationsKeepKeysAligned()
{
    QFETCH(QString, operation);
    QFETCH(int, row);
    QFETCH(bool, written);
    QFETCH(Records, expected);

    makeFile(columns({tagged(0), tagged(1), tagged(2)}));
    // A key outside the record and a whole-screen key must come through untouched.
    ClassParam().setParamCrypt(file(), QStringLiteral("CONFIGECRAN"), QStringLiteral("0-0-50-100|50-0-50-100"));
    const QByteArray before = bytes(file());

    ClassParam store;
    PosterListFile posters(store, work());
    bool ok = false;
    if (operation == QLatin1String("add"))
        ok = posters.appendPoster(row);
    else if (operation == QLatin1String("up"))
        ok = posters.movePoster(row, row - 1);
    else if (operation == QLatin1String("down"))
        ok = posters.movePoster(row, row + 1);
    else
        ok = posters.removePoster(row);
    QCOMPARE(ok, written);
    if (!written)
        QCOMPARE(bytes(file()), before);

    ClassParam check;
    PosterListFile reread(check, work());
    QCOMPARE(reread.records(), expected);
    QCOMPARE(stored(QStringLiteral("CONFIGECRAN")), QStringLiteral("0-0-50-100|50-0-50-100"));
    // The store's table follows the write, so the list can be rebuilt from it.
    QCOMPARE(posters.countInTable(), expected.size());
}

void PosterListFileTest::namesFollowPosterCount_data()
{
    QTest::addColumn<QString>("slideType");
    QTest::addColumn<QString>("names");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("no names") << "|" << "NULL" << QStringList{"Affiche n°1", "Affiche n°2"};
    QTest::newRow("empty names") << "" << "" << QStringList{"Affiche n°1"};
    QTest::newRow("short names") << "||" << "Hall|Bar" << QStringList{"Hall", "Bar", "Affiche n°3"};
    QTest::newRow("extra names dropped") << "" << "Hall|Bar" << QStringList{"Hall"};
}

void PosterListFileTest::namesFollowPosterCount()
{
    QFETCH(QString, slideType);
    QFETCH(QString, names);
    QFETCH(QStringList, rows);

    QList<QPair<QString, QString>> values{qMakePair(QStringLiteral("SLIDETYPE"), slideType)};
    if (names != QLatin1String("NULL"))
        values.append(qMakePair(QStringLiteral("NOMAFFICHE"), names));
    makeFile(values);

    ClassParam store;
    PosterListFile posters(store, work());
    QVERIFY(posters.load());
    QCOMPARE(posters.namesInTable(), rows);
    QVERIFY(posters.writeNames(rows));
    QCOMPARE(stored(QStringLiteral("NOMAFFICHE")), rows.join(QLatin1Char('|')));
}

void PosterListFileTest::cleanName_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clean");

    QTest::newRow("plain") << "Hall d'entrée" << "Hall d'entrée";
    QTest::newRow("pipe would split the poster") << "Promo|Soldes" << "Promo Soldes";
    QTest::newRow("quote and equals would end the value") << "a=\"b\"" << "a  b ";
    QTest::newRow("line ends would start a key") << "a\r\nSLIDETYPE" << "a  SLIDETYPE";
}

void PosterListFileTest::cleanName()
{
    QFETCH(QString, typed);
    QFETCH(QString, clean);
    QCOMPARE(PosterListFile::cleanName(typed), clean);
}

void PosterListFileTest::setEntry_data()
{
    QTest::addColumn<QString>("initial"); // "NULL": key absent
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("after");

    QTest::newRow("absent key padded to the rows") << "NULL" << 2 << "50" << true << "||50|";
    QTest::newRow("empty key padded to the rows") << "" << 0 << "50" << true << "50|||";
    QTest::newRow("present key") << "1|2|3|4" << 3 << "9" << true << "1|2|3|9";
    QTest::newRow("index past the entries") << "1|2" << 2 << "9" << false << "1|2";
    QTest::newRow("negative index") << "1|2" << -1 << "9" << false << "1|2";
    QTest::newRow("value with a pipe refused") << "1|2|3|4" << 1 << "a|b" << false << "1|2|3|4";
    QTest::newRow("value with a quote refused") << "1|2|3|4" << 1 << "a\"b" << false << "1|2|3|4";
}

void PosterListFileTest::setEntry()
{
    QFETCH(QString, initial);
    QFETCH(int, index);
    QFETCH(QString, value);
    QFETCH(bool, written);
    QFETCH(QString, after);

    QList<QPair<QString, QString>> values{qMakePair(QStringLiteral("SLIDETYPE"), QStringLiteral("|||"))};
    if (initial != QLatin1String("NULL"))
        values.append(qMakePair(QStringLiteral("SLIDEOPACITY"), initial));
    makeFile(values);

    ClassParam store;
    PosterListFile posters(store, work());
    QVERIFY(posters.load());
    QCOMPARE(posters.setEntry(QStringLiteral("SLIDEOPACITY"), index, value, 4), written);
    QCOMPARE(stored(QStringLiteral("SLIDEOPACITY")), written || initial != QLatin1String("NULL") ? after : "NULL");
    if (written)
        QCOMPARE(posters.entry(QStringLiteral("SLIDEOPACITY"), index), value);
}

void PosterListFileTest::absentKeyWrittenTwiceKeepsBothEntries()
{
    makeFile({qMakePair(QStringLiteral("SLIDETYPE"), QStringLiteral("||"))});
    ClassParam store;
    PosterListFile posters(store, work());
    QVERIFY(posters.load());
    QVERIFY(posters.setEntry(QStringLiteral("SLIDEOPACITY"), 1, QStringLiteral("50"), 3));
    QVERIFY(posters.setEntry(QStringLiteral("SLIDEOPACITY"), 2, QStringLiteral("70"), 3));
    QCOMPARE(stored(QStringLiteral("SLIDEOPACITY")), QStringLiteral("|50|70"));
}

void PosterListFileTest::deletionRenumbersLegacyFiles()
{
    Records records;
    QStringList refs;
    for (int i = 0; i < 12; ++i) {
        records.append(PosterListFile::newRecord(i));
        refs.append(QStringLiteral("DATA/Slide%1.png").arg(i + 1));
        for (const char *ext : {".txt", ".png"}) {
            QFile f(work() + QStringLiteral("DATA/Slide%1%2").arg(i + 1).arg(QLatin1String(ext)));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray::number(i + 1));
        }
    }
    refs[5] = QStringLiteral("TEXT/Slide7.png");
    for (int i = 0; i < 12; ++i)
        records[i][PosterListFile::SlideNameTxt] = refs.at(i);
    makeFile(columns(records));

    ClassParam store;
    PosterListFile posters(store, work());
    QVERIFY(posters.removePoster(1));

    for (int n = 1; n <= 11; ++n) {
        const int was = n < 2 ? n : n + 1;
        for (const char *ext : {".txt", ".png"})
            QCOMPARE(bytes(work() + QStringLiteral("DATA/Slide%1%2").arg(n).arg(QLatin1String(ext))),
                     QByteArray::number(was));
    }
    QVERIFY(!QFile::exists(work() + QStringLiteral("DATA/Slide12.txt")));
    QVERIFY(!QFile::exists(work() + QStringLiteral("DATA/Slide12.png")));

    QStringList expected;
    for (int n = 1; n <= 11; ++n)
        expected.append(QStringLiteral("DATA/Slide%1.png").arg(n));
    expected[4] = QStringLiteral("TEXT/Slide7.png");
    QCOMPARE(stored(QStringLiteral("SLIDENAMETXT")), expected.join(QLatin1Char('|')));
}

void PosterListFileTest::renumberedReference_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("result");

    QTest::newRow("legacy file") << "DATA/Slide3.png" << 2 << "DATA/Slide2.png";
    QTest::newRow("bare legacy name") << "Slide3.txt" << 2 << "Slide2.txt";
    QTest::newRow("two digits") << "DATA/Slide12.png" << 11 << "DATA/Slide11.png";
    QTest::newRow("Slide1 is not a prefix of Slide12") << "DATA/Slide12.png" << 0 << "DATA/Slide12.png";
    QTest::newRow("text picture with digits") << "TEXT/promo3.png" << 2 << "TEXT/promo3.png";
    QTest::newRow("text picture named Slide") << "TEXT/Slide3.png" << 2 << "TEXT/Slide3.png";
    QTest::newRow("other number") << "DATA/Slide4.png" << 2 << "DATA/Slide4.png";
    QTest::newRow("empty") << "" << 2 << "";
}

void PosterListFileTest::renumberedReference()
{
    QFETCH(QString, entry);
    QFETCH(int, index);
    QFETCH(QString, result);
    QCOMPARE(PosterListFile::renumberedReference(entry, index), result);
}

void PosterListFileTest::damagedFileIsLeftAlone()
{
    QFile f(file());
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write("0123456789ABCDEF0123456789ABCDEF");
    f.close();
    const QByteArray before = bytes(file());

    ClassParam store;
    PosterListFile posters(store, work());
    QVERIFY(!posters.load());
    QVERIFY(posters.isDamaged());
    QVERIFY(!posters.errorString().isEmpty());
    QVERIFY(!posters.appendPoster(1));
    QVERIFY(!posters.setEntry(QStringLiteral("SLIDEOPACITY"), 0, QStringLiteral("50"), 1));
    QVERIFY(!posters.removePoster(0));
    QCOMPARE(bytes(file()), before);
}

void PosterListFileTest::loadParsesAgainOnlyWhenChanged_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("loaded");
    QTest::addColumn<QStringList>("names");
    QTest::newRow("unchanged poster file decrypted again at every selection") << "none" << true
                                                                              << QStringList{"A", "B"};
    QTest::newRow("a change of the same size at once is read") << "sameSize" << true << QStringList{"C", "D"};
    QTest::newRow("a file gone is not served from before") << "removed" << false
                                                           << QStringList{PosterListFile::defaultName(1)};
}

// The table of the last read serves while the file holds the same bytes:
// the store's key is changed in between, so that reading the file again
// would find no key at all.
void PosterListFileTest::loadParsesAgainOnlyWhenChanged()
{
    QFETCH(QString, change);
    makeFile({{"SLIDETYPE", "|"}, {"NOMAFFICHE", "A|B"}});
    ClassParam store;
    PosterListFile posters(store, work());
    QVERIFY(posters.load());
    QCOMPARE(posters.namesInTable(), (QStringList{"A", "B"}));

    if (change == QLatin1String("none")) {
        store.InitCryptRC4(QStringLiteral("0102030405"));
    } else if (change == QLatin1String("sameSize")) {
        const qint64 size = QFileInfo(file()).size();
        QVERIFY(ClassParam().setParamCrypt(file(), QStringLiteral("NOMAFFICHE"), QStringLiteral("C|D")));
        QCOMPARE(QFileInfo(file()).size(), size);
    } else {
        QVERIFY(QFile::remove(file()));
    }
    QTEST(posters.load(), "loaded");
    QTEST(posters.namesInTable(), "names");
}

QTEST_GUILESS_MAIN(PosterListFileTest)
#include "tst_posterlistfile.moc"

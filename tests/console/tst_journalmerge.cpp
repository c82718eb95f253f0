#include "../sync/ParamFixture.h"
#include "ClassParam.h"
#include "JournalMerge.h"
#include "OperationJournal.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kLists{"FILEPATH", "FILECHK", "FILEPATHPERMISSION", "FILESIZE"};

// Record keys spelled out here rather than taken from OperationJournal.
QString recordKey(int k)
{
    return QString::fromUtf8("OPERATION n°") + QString::number(k);
}

void createEmpty(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

QByteArray bytesOf(const QString &path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QString read(const QString &path, const QString &key)
{
    return ClassParam().getParamCrypt(path, key, 0);
}

} // namespace

class JournalMergeTest : public QObject
{
    Q_OBJECT
private slots:
    void init();

    void media_data();
    void media();
    void mediaNulEntryBlockedTheMerge();
    void admin_data();
    void admin();
    void nothingToMerge_data();
    void nothingToMerge();
    void failedWriteKeepsJournal_data();
    void failedWriteKeepsJournal();
    void missingRecordIsLogged();
    void damagedCounterStaysBounded_data();
    void damagedCounterStaysBounded();

    void appendNumbersRecords();
    void appendCannotCreate();
    void appendRefusesCounterAtLimit_data();
    void appendRefusesCounterAtLimit();

private:
    QString work(const QString &name) const { return m_dir->path() + QLatin1Char('/') + name; }
    // Index values: a null string leaves the key out.
    void writeIndex(const QStringList &values, const QString &permissionsOnly = QString(), bool adminOnly = false);
    // Records: a null string leaves that number out.
    void writeJournal(const QString &name, const QString &count, const QStringList &records);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_index;
    QString m_mediaJournal;
    QString m_adminJournal;
};

void JournalMergeTest::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QDir(m_dir->path()).mkpath(QStringLiteral("TEMP"));
    QDir(m_dir->path()).mkpath(QStringLiteral("LOG"));
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toLocal8Bit());
    m_index = work(QStringLiteral("TEMP/MEDIA.orvex"));
    m_mediaJournal = work(QStringLiteral("TEMP/INFOMEDIA.orvex"));
    m_adminJournal = work(QStringLiteral("TEMP/INFOADMIN.orvex"));
}

void JournalMergeTest::writeIndex(const QStringList &values, const QString &permissionsOnly, bool adminOnly)
{
    createEmpty(m_index);
    ClassParam param;
    QVERIFY(param.setParamCrypt(m_index, QStringLiteral("ID"), QStringLiteral("7")));
    if (adminOnly) {
        if (!permissionsOnly.isNull())
            QVERIFY(param.setParamCrypt(m_index, QStringLiteral("FILEPATHPERMISSION"), permissionsOnly));
        return;
    }
    for (int n = 0; n < kLists.size(); ++n) {
        if (!values.value(n).isNull())
            QVERIFY(param.setParamCrypt(m_index, kLists.at(n), values.at(n)));
    }
}

void JournalMergeTest::writeJournal(const QString &path, const QString &count, const QStringList &records)
{
    createEmpty(path);
    ClassParam param;
    if (!count.isNull())
        QVERIFY(param.setParamCrypt(path, QStringLiteral("NBOPERATION"), count));
    for (int k = 0; k < records.size(); ++k) {
        if (!records.at(k).isNull())
            QVERIFY(param.setParamCrypt(path, recordKey(k + 1), records.at(k)));
    }
}

void JournalMergeTest::media_data()
{
    QTest::addColumn<QStringList>("index");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QStringList>("expected");

    const QStringList one{"IMAGE/a.png", "AAA", "Hall", "10"};
    const QString none;

    QTest::newRow("add then remove the same path cancels out")
        << one << "2"
        << QStringList{"AJOUTER|IMAGE/b.png|BBB|Hall;Bureau|20", "SUPPRIMER|IMAGE/b.png|BBB|Hall;Bureau|20"} << one;
    // A journal merged again after a run that did not end.
    QTest::newRow("a listed path added again was doubled")
        << one << "1" << QStringList{"AJOUTER|IMAGE/a.png|A2|Bureau|11"}
        << QStringList{"IMAGE/a.png", "A2", "Bureau", "11"};
    QTest::newRow("an import merged twice then removed stayed listed")
        << one << "2" << QStringList{"AJOUTER|IMAGE/a.png|A2|Bureau|11", "SUPPRIMER|IMAGE/a.png|||"}
        << QStringList{"", "", "", ""};
    QTest::newRow("a path listed twice: removal takes the first")
        << QStringList{"IMAGE/a.png|IMAGE/a.png", "A1|A2", "Hall|Bureau", "1|2"} << "1"
        << QStringList{"SUPPRIMER|IMAGE/a.png|||"} << QStringList{"IMAGE/a.png", "A2", "Bureau", "2"};
    QTest::newRow("permission changes the first match only")
        << QStringList{"IMAGE/a.png|IMAGE/a.png", "A1|A2", "Hall|Hall", "1|2"} << "1"
        << QStringList{"PERMISSION|IMAGE/a.png||Bureau;Salle|"}
        << QStringList{"IMAGE/a.png|IMAGE/a.png", "A1|A2", "Bureau;Salle|Hall", "1|2"};
    QTest::newRow("record 2 missing: 1 and 3 apply")
        << one << "3" << QStringList{"AJOUTER|VIDEO/v.mp4|V|Hall|5", none, "AJOUTER|TEXT/t.png|T|Hall|6"}
        << QStringList{"IMAGE/a.png|VIDEO/v.mp4|TEXT/t.png", "AAA|V|T", "Hall|Hall|Hall", "10|5|6"};
    QTest::newRow("4 and 6 fields skipped")
        << one << "3"
        << QStringList{"AJOUTER|IMAGE/x.png|X|Hall", "AJOUTER|IMAGE/y.png|Y|Hall|1|extra", "SUPPRIMER|IMAGE/a.png|||"}
        << QStringList{"", "", "", ""};
    QTest::newRow("index without the lists gets one entry each")
        << QStringList{none, none, none, none} << "1" << QStringList{"AJOUTER|IMAGE/b.png|BBB|Hall|20"}
        << QStringList{"IMAGE/b.png", "BBB", "Hall", "20"};
    QTest::newRow("NBOPERATION 0 applies nothing") << one << "0" << QStringList{"SUPPRIMER|IMAGE/a.png|||"} << one;
    QTest::newRow("counter that is not a number applies nothing")
        << one << "deux" << QStringList{"SUPPRIMER|IMAGE/a.png|||"} << one;
    QTest::newRow("unknown kind and unknown path change nothing")
        << one << "3"
        << QStringList{"DEPLACER|IMAGE/a.png|||", "SUPPRIMER|IMAGE/A.png|||", "PERMISSION|IMAGE/z.png||X|"} << one;
    QTest::newRow("absent list still empty stays absent")
        << QStringList{"IMAGE/a.png", "AAA", "Hall", none} << "1" << QStringList{"SUPPRIMER|IMAGE/a.png|||"}
        << QStringList{"", "", "", "NULL"};
    QTest::newRow("unequal lists remove only where the entry exists")
        << QStringList{"a|b|c", "1|2", "x", none} << "2" << QStringList{"SUPPRIMER|b|||", "PERMISSION|c||P|"}
        << QStringList{"a|c", "1", "x", "NULL"};
}

void JournalMergeTest::media()
{
    QFETCH(QStringList, index);
    QFETCH(QString, count);
    QFETCH(QStringList, records);
    QFETCH(QStringList, expected);
    writeIndex(index);
    writeJournal(m_mediaJournal, count, records);

    QVERIFY(JournalMerge::mergeMedia(m_index, m_mediaJournal));

    for (int n = 0; n < kLists.size(); ++n)
        QCOMPARE(read(m_index, kLists.at(n)), expected.at(n));
    QCOMPARE(read(m_index, "ID"), QString("7"));
    QVERIFY(!QFile::exists(m_mediaJournal));
}

void JournalMergeTest::mediaNulEntryBlockedTheMerge()
{
    // The server's copy as another writer left it.
    QVERIFY(writeForeignParams(m_index, {{"ID", "7"},
                                         {"FILEPATH", QString("IMAGE/a.png|IMAGE/x") + QChar(0) + "y.png"},
                                         {"FILECHK", "AAA|XXX"},
                                         {"FILEPATHPERMISSION", "Hall|Hall"},
                                         {"FILESIZE", "10|11"}}));
    writeJournal(m_mediaJournal, "1", {"AJOUTER|IMAGE/b.png|BBB|Hall|20"});

    QVERIFY(JournalMerge::mergeMedia(m_index, m_mediaJournal));

    const QStringList expected{"IMAGE/a.png|IMAGE/b.png", "AAA|BBB", "Hall|Hall", "10|20"};
    for (int n = 0; n < kLists.size(); ++n)
        QCOMPARE(read(m_index, kLists.at(n)), expected.at(n));
    QVERIFY(!QFile::exists(m_mediaJournal));
}

void JournalMergeTest::admin_data()
{
    QTest::addColumn<QString>("permissions");
    QTest::addColumn<QStringList>("records");
    QTest::addColumn<QString>("expected");

    QTest::newRow("rename in every row")
        << "Hall;Bureau|Hall|ADMINISTRATEUR" << QStringList{"RENOMMER|Hall|Entree|"}
        << "Entree;Bureau|Entree|ADMINISTRATEUR";
    QTest::newRow("rename then remove keeps the separators")
        << "A;B;C|B" << QStringList{"RENOMMER|B|D|", "SUPPRIMER|||D"} << "A;;C|";
    QTest::newRow("renaming Hall changed Hall2")
        << "Hall;Hall2|Hall2;Hall|MyHall" << QStringList{"RENOMMER|Hall|Entree|"} << "Entree;Hall2|Hall2;Entree|MyHall";
    QTest::newRow("removing Hall cut Hall2") << "Hall2;Hall|Hall" << QStringList{"SUPPRIMER|||Hall"} << "Hall2;|";
    QTest::newRow("playlist names") << "PLAYLIST-Promo;Hall" << QStringList{"RENOMMER|PLAYLIST-Promo|PLAYLIST-Soldes|"}
                                    << "PLAYLIST-Soldes;Hall";
    QTest::newRow("case-sensitive") << "Hall" << QStringList{"RENOMMER|hall|X|"} << "Hall";
    QTest::newRow("five fields skipped") << "Hall" << QStringList{"RENOMMER|Hall|X||"} << "Hall";
    QTest::newRow("empty names skipped") << "A;;B" << QStringList{"SUPPRIMER|||", "RENOMMER||X|", "RENOMMER|A||"}
                                         << "A;;B";
    QTest::newRow("absent key reads NULL") << QString() << QStringList{"RENOMMER|Hall|X|"} << "NULL";
}

void JournalMergeTest::admin()
{
    QFETCH(QString, permissions);
    QFETCH(QStringList, records);
    writeIndex({}, permissions, true);
    writeJournal(m_adminJournal, QString::number(records.size()), records);

    QVERIFY(JournalMerge::mergeAdmin(m_index, m_adminJournal));

    QTEST(read(m_index, "FILEPATHPERMISSION"), "expected");
    QCOMPARE(read(m_index, "ID"), QString("7"));
    QVERIFY(!QFile::exists(m_adminJournal));
}

void JournalMergeTest::nothingToMerge_data()
{
    QTest::addColumn<bool>("admin");
    QTest::addColumn<bool>("journal");
    QTest::newRow("media, no journal") << false << false;
    QTest::newRow("media, no counter") << false << true;
    QTest::newRow("admin, no journal") << true << false;
    QTest::newRow("admin, no counter") << true << true;
}

void JournalMergeTest::nothingToMerge()
{
    QFETCH(bool, admin);
    QFETCH(bool, journal);
    writeIndex({"IMAGE/a.png", "AAA", "Hall", "10"});
    const QByteArray before = bytesOf(m_index);
    const QString path = admin ? m_adminJournal : m_mediaJournal;
    if (journal)
        writeJournal(path, QString(), {admin ? "SUPPRIMER|||Hall" : "SUPPRIMER|IMAGE/a.png|||"});

    QVERIFY(admin ? JournalMerge::mergeAdmin(m_index, path) : JournalMerge::mergeMedia(m_index, path));
    QCOMPARE(bytesOf(m_index), before);
    QCOMPARE(QFile::exists(path), journal);
}

void JournalMergeTest::failedWriteKeepsJournal_data()
{
    QTest::addColumn<bool>("admin");
    QTest::newRow("media") << false;
    QTest::newRow("admin") << true;
}

void JournalMergeTest::failedWriteKeepsJournal()
{
    QFETCH(bool, admin);
    // The index download failed: no file to write the merge into.
    const QString path = admin ? m_adminJournal : m_mediaJournal;
    writeJournal(path, "1", {admin ? "RENOMMER|Hall|Entree|" : "AJOUTER|IMAGE/b.png|BBB|Hall|20"});
    const QByteArray journal = bytesOf(path);

    QVERIFY(!(admin ? JournalMerge::mergeAdmin(m_index, path) : JournalMerge::mergeMedia(m_index, path)));
    QVERIFY(!QFile::exists(m_index));
    QCOMPARE(bytesOf(path), journal);

    // The next attempt, with the index there, still has every operation.
    writeIndex({"IMAGE/a.png", "AAA", "Hall", "10"});
    QVERIFY(admin ? JournalMerge::mergeAdmin(m_index, path) : JournalMerge::mergeMedia(m_index, path));
    QCOMPARE(read(m_index, "FILEPATHPERMISSION"), QString(admin ? "Entree" : "Hall|Hall"));
    QVERIFY(!QFile::exists(path));
}

void JournalMergeTest::missingRecordIsLogged()
{
    writeIndex({"IMAGE/a.png", "AAA", "Hall", "10"});
    writeJournal(m_mediaJournal, "3", {"PERMISSION|IMAGE/a.png||P1|", QString(), "PERMISSION|IMAGE/a.png||P3|"});
    QVERIFY(JournalMerge::mergeMedia(m_index, m_mediaJournal));

    const QStringList logs = QDir(work("LOG")).entryList({"*-OrvexLog.log"}, QDir::Files);
    QCOMPARE(logs.size(), 1);
    QStringList lines = QString::fromLatin1(bytesOf(work("LOG/") + logs.first())).split("\r\n", Qt::SkipEmptyParts);
    for (QString &line : lines)
        line = line.section(QStringLiteral("| "), 1);
    QCOMPARE(lines, (QStringList{"PERMISSION|IMAGE/a.png||P1|", "NULL", "PERMISSION|IMAGE/a.png||P3|"}));
    QCOMPARE(read(m_index, "FILEPATHPERMISSION"), QString("P3"));
}

void JournalMergeTest::damagedCounterStaysBounded_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("expected");
    QTest::newRow("counter far above the records") << "2000000000" << 1 << "";
    QTest::newRow("record near a huge counter walked every missing number") << "2000000000" << 1999999999 << "";
    QTest::newRow("record at the largest counter never ended the walk") << "2147483647" << 2147483647 << "";
    QTest::newRow("record above the counter is not taken") << "5" << 6 << "IMAGE/a.png";
}

void JournalMergeTest::damagedCounterStaysBounded()
{
    QFETCH(QString, count);
    QFETCH(int, number);
    writeIndex({"IMAGE/a.png", "AAA", "Hall", "10"});
    createEmpty(m_mediaJournal);
    ClassParam param;
    QVERIFY(param.setParamCrypt(m_mediaJournal, QStringLiteral("NBOPERATION"), count));
    QVERIFY(param.setParamCrypt(m_mediaJournal, recordKey(number), QStringLiteral("SUPPRIMER|IMAGE/a.png|||")));
    QElapsedTimer timer;
    timer.start();
    QVERIFY(JournalMerge::mergeMedia(m_index, m_mediaJournal));
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
    QTEST(read(m_index, "FILEPATH"), "expected");

    // The damage is logged once, not once per missing number.
    const QStringList logs = QDir(work("LOG")).entryList({"*-OrvexLog.log"}, QDir::Files);
    QCOMPARE(logs.size(), 1);
    QVERIFY(QFileInfo(work("LOG/") + logs.first()).size() < 4096);
}

void JournalMergeTest::appendNumbersRecords()
{
    QVERIFY(!QFile::exists(m_adminJournal));
    QVERIFY(OperationJournal::append(m_adminJournal, {"RENOMMER", "Hall", "Entree", ""}));
    QVERIFY(OperationJournal::append(m_adminJournal, {"SUPPRIMER", "", "", "PLAYLIST-Promo"}));
    QCOMPARE(read(m_adminJournal, "NBOPERATION"), QString("2"));
    QCOMPARE(read(m_adminJournal, recordKey(1)), QString("RENOMMER|Hall|Entree|"));
    QCOMPARE(read(m_adminJournal, recordKey(2)), QString("SUPPRIMER|||PLAYLIST-Promo"));

    // The degree sign is one Latin-1 byte in the file's plain text, counter before record.
    ClassParam param;
    const QByteArray plain = QByteArray::fromHex(param.DeCryptRC4(QString::fromLatin1(bytesOf(m_adminJournal))).toLatin1());
    QVERIFY2(plain.startsWith("NBOPERATION=\"2\"\r\nOPERATION n\xB0" "1=\"RENOMMER|Hall|Entree|\"\r\n"), plain.constData());

    // Several records in one write leave the bytes of one-by-one appends.
    const QString batch = work("TEMP/batch.orvex");
    QVERIFY(QFile::copy(m_adminJournal, batch));
    QVERIFY(OperationJournal::append(m_adminJournal, {"AJOUTER", "a"}));
    QVERIFY(OperationJournal::append(m_adminJournal, {"AJOUTER", "b"}));
    QVERIFY(OperationJournal::appendAll(batch, {{"AJOUTER", "a"}, {"AJOUTER", "b"}}));
    QCOMPARE(bytesOf(batch), bytesOf(m_adminJournal));
    QCOMPARE(read(batch, "NBOPERATION"), QString("4"));

    // A counter at "0" starts over and overwrites record 1.
    QVERIFY(param.setParamCrypt(m_adminJournal, "NBOPERATION", "0"));
    QVERIFY(OperationJournal::append(m_adminJournal, {"SUPPRIMER", "", "", "Hall"}));
    QCOMPARE(read(m_adminJournal, "NBOPERATION"), QString("1"));
    QCOMPARE(read(m_adminJournal, recordKey(1)), QString("SUPPRIMER|||Hall"));
}

void JournalMergeTest::appendCannotCreate()
{
    const QString path = work("missing/INFOMEDIA.orvex");
    QString error;
    QVERIFY(!OperationJournal::append(path, {"AJOUTER", "IMAGE/a.png", "AAA", "Hall", "10"}, &error));
    QVERIFY2(error.startsWith(QString::fromUtf8("Impossible de créer le fichier ") + path + ": "), qPrintable(error));
    QVERIFY(error.endsWith('.'));
    QVERIFY(!QFile::exists(path));

    // A journal that exists but cannot be rewritten says so too.
    const QString folder = work("INFOMEDIA-folder.orvex");
    QVERIFY(QDir().mkpath(folder));
    error.clear();
    QVERIFY(!OperationJournal::append(folder, {"AJOUTER", "IMAGE/a.png", "AAA", "Hall", "10"}, &error));
    QVERIFY2(error.startsWith(QString::fromUtf8("Impossible d'écrire le fichier ") + folder + ": "), qPrintable(error));
}

void JournalMergeTest::appendRefusesCounterAtLimit_data()
{
    QTest::addColumn<QString>("count");
    QTest::newRow("counter at the int maximum overflowed") << "2147483647";
    QTest::newRow("counter beyond every int") << "99999999999999999999999";
}

void JournalMergeTest::appendRefusesCounterAtLimit()
{
    QFETCH(QString, count);
    writeJournal(m_mediaJournal, count, {"AJOUTER|IMAGE/a.png|AAA|Hall|10"});
    const QByteArray before = bytesOf(m_mediaJournal);
    QString error;
    QVERIFY(!OperationJournal::append(m_mediaJournal, {"AJOUTER", "IMAGE/b.png", "BBB", "Hall", "20"}, &error));
    QVERIFY2(error.startsWith(QString::fromUtf8("Impossible de créer le fichier ") + m_mediaJournal + ": "), qPrintable(error));
    QCOMPARE(bytesOf(m_mediaJournal), before);
}

QTEST_GUILESS_MAIN(JournalMergeTest)
#include "tst_journalmerge.moc"

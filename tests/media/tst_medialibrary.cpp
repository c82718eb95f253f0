#include "Checksum.h"
#include "MediaFixture.h"
#include "MediaLibrary.h"

#include <QCryptographicHash>
#include <QtTest>

// The media index and journal rules, driven without the page.
class MediaLibraryTest : public QObject
{
    Q_OBJECT

private slots:
    void storedName_data();
    void storedName();
    void checkImport_data();
    void checkImport();
    void quotaPercent();
    void copyNeverOverwrites();

    void addPicturesAndVideo();
    void addTextPoster();
    void addRefusesUnsafeAndKnownPaths();
    void substringNamesStayApart();
    void grantWritesRowAndRecord();
    void failedDownloadDropsLocallyOnly();
    void foreignEntryLeavesTheIndex_data();
    void foreignEntryLeavesTheIndex();
    void rebuildSizesKeepsUndownloaded();
    void rebuildSizesMeasuresOnlyMediaPaths();
    void addKeepsListsParallel_data();
    void addKeepsListsParallel();
    void renewTextPoster();
    void withoutIndexTheJournalCarriesThePath();
    void inUseMatchesWholeEntries_data();
    void inUseMatchesWholeEntries();
    void textUsesCountsPosters_data();
    void textUsesCountsPosters();
    void failedWritesIndexNothing_data();
    void failedWritesIndexNothing();
    void failedRecordKeepsRemovalAndGrantUndone_data();
    void failedRecordKeepsRemovalAndGrantUndone();
};

void MediaLibraryTest::storedName_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("stored");
    QTest::newRow("parenthesis goes, accented letter turns plain, space and dots stay")
        << QString::fromUtf8("Vue (été) 2.png") << 0 << "Vue ete 2-142536.png";
    QTest::newRow("accented letters lost from imported names")
        << QString::fromUtf8("Soldes d'été à Noël.jpg") << 0 << "Soldes dete a Noel-142536.jpg";
    QTest::newRow("cedilla and ligatures lost from imported names")
        << QString::fromUtf8("Façade cœur ŒUVRE Æ ß ø.mp4") << 1 << "Facade coeur OEUVRE AE ss o-142536.mp4";
    QTest::newRow("capital accents lost from imported names")
        << QString::fromUtf8("ÉTÉ ÀÇÏÔ.png") << 0 << "ETE ACIO-142536.png";
    QTest::newRow("picture extension cut to four") << "photo.jpeg" << 0 << "photo-142536.jpe";
    QTest::newRow("video extension kept") << "clip.move" << 1 << "clip-142536.move";
    QTest::newRow("no dot, no extension") << "README" << 0 << "README-142536";
    QTest::newRow("pipe, tab and newline never reach the index")
        << QString("a|b\tc\nd.png") << 0 << "abcd-142536.png";
    QTest::newRow("non-ASCII digits and spaces go")
        << QString::fromUtf8("x\u0663\u00a0y.png") << 0 << "xy-142536.png";
}

void MediaLibraryTest::storedName()
{
    QFETCH(QString, chosen);
    QFETCH(int, type);
    QFETCH(QString, stored);
    QCOMPARE(MediaLibrary::storedName(chosen, type, QTime(14, 25, 36)), stored);
}

void MediaLibraryTest::checkImport_data()
{
    using C = MediaLibrary::Check;
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("length");
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("used");
    QTest::addColumn<int>("max");
    QTest::addColumn<bool>("ios");
    QTest::addColumn<int>("result");
    QTest::newRow("picture one below quota") << 0 << 10 << qint64(90000000) << 199 << 200 << false << int(C::Accepted);
    QTest::newRow("picture at quota") << 0 << 10 << qint64(1) << 200 << 200 << false << int(C::QuotaReached);
    QTest::newRow("unknown quota refuses") << 0 << 10 << qint64(1) << 0 << 0 << false << int(C::QuotaReached);
    QTest::newRow("video of 1 Mo one below") << 1 << 10 << qint64(1000000) << 199 << 200 << false << int(C::QuotaReached);
    QTest::newRow("video under 1 Mo counts 0") << 1 << 10 << qint64(999999) << 199 << 200 << false << int(C::Accepted);
    QTest::newRow("picture name 30") << 0 << 30 << qint64(1) << 0 << 200 << false << int(C::Accepted);
    QTest::newRow("picture name 31") << 0 << 31 << qint64(1) << 0 << 200 << false << int(C::NameTooLong);
    QTest::newRow("picture name 60 on ios") << 0 << 60 << qint64(1) << 0 << 200 << true << int(C::Accepted);
    QTest::newRow("picture name 61 on ios") << 0 << 61 << qint64(1) << 0 << 200 << true << int(C::NameTooLong);
    QTest::newRow("video name 50") << 1 << 50 << qint64(1) << 0 << 200 << false << int(C::Accepted);
    QTest::newRow("video name 51") << 1 << 51 << qint64(1) << 0 << 200 << false << int(C::NameTooLong);
    QTest::newRow("quota before length") << 1 << 51 << qint64(1) << 200 << 200 << false << int(C::QuotaReached);
}

void MediaLibraryTest::checkImport()
{
    QFETCH(int, type);
    QFETCH(int, length);
    QFETCH(qint64, bytes);
    QFETCH(int, used);
    QFETCH(int, max);
    QFETCH(bool, ios);
    QFETCH(int, result);
    QCOMPARE(int(MediaLibrary::checkImport(type, QString(length, 'a'), bytes, used, max, ios)), result);
}

void MediaLibraryTest::quotaPercent()
{
    QCOMPARE(MediaLibrary::quotaPercent(4, 200), 2.0);
    QCOMPARE(MediaLibrary::quotaPercent(4, 0), 0.0);
    QCOMPARE(MediaLibrary::quotaPercent(0, -1), 0.0);
}

void MediaLibraryTest::copyNeverOverwrites()
{
    MediaFixture f;
    const QString from = f.bytes("a.bin", 200000);
    QVERIFY(MediaLibrary::copyNew(from, f.work + "IMAGE/a.bin"));
    QCOMPARE(CalculChecksum(f.work + "IMAGE/a.bin"), CalculChecksum(from));
    // The same stored name again (the same picture within one second).
    f.bytes("b.bin", 10);
    QVERIFY(!MediaLibrary::copyNew(f.work + "b.bin", f.work + "IMAGE/a.bin"));
    QCOMPARE(QFileInfo(f.work + "IMAGE/a.bin").size(), qint64(200000));
    QVERIFY(!MediaLibrary::copyNew(f.work + "missing.bin", f.work + "IMAGE/m.bin"));
    QVERIFY(!QFile::exists(f.work + "IMAGE/m.bin"));
}

void MediaLibraryTest::addPicturesAndVideo()
{
    MediaFixture f;
    f.picture("IMAGE/a-101010.png");
    f.picture("IMAGE/b-101010.jpg");
    f.bytes("VIDEO/c-101010.mp4", 1500000);
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(0, "IMAGE/a-101010.png", "agent", "UTILISATEUR"));
    QVERIFY(lib.add(0, "IMAGE/b-101010.jpg", "admin", "ADMINISTRATEUR"));
    QVERIFY(lib.add(1, "VIDEO/c-101010.mp4", "stranger", "UTILISATEUR"));

    const QString md5a = CalculChecksum(f.work + "IMAGE/a-101010.png");
    QVERIFY(QRegularExpression("^[0-9A-F]{32}$").match(md5a).hasMatch());
    QFile file(f.work + "IMAGE/a-101010.png");
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(md5a, QString(QCryptographicHash::hash(file.readAll(), QCryptographicHash::Md5).toHex().toUpper()));

    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/a-101010.png|IMAGE/b-101010.jpg|VIDEO/c-101010.mp4"));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString("A;B|ADMINISTRATEUR|"));
    const QString sizeA = QString::number(QFileInfo(f.work + "IMAGE/a-101010.png").size());
    const QString sizeB = QString::number(QFileInfo(f.work + "IMAGE/b-101010.jpg").size());
    QCOMPARE(f.indexKey("FILESIZE"), sizeA + "|" + sizeB + "|1500000");
    QCOMPARE(f.indexKey("FILECHK").split('|').first(), md5a);
    QCOMPARE(f.indexKey("ID"), QString("1"));

    const QStringList records = f.records();
    QCOMPARE(records.size(), 3);
    QCOMPARE(records.at(0), "AJOUTER|IMAGE/a-101010.png|" + md5a + "|A;B|" + sizeA);
    QVERIFY(records.at(1).startsWith("AJOUTER|IMAGE/b-101010.jpg|"));
    QVERIFY(records.at(2).endsWith("||1500000"));

    lib.load();
    QCOMPARE(lib.usedBytes(), sizeA.toLongLong() + sizeB.toLongLong() + 1500000);
    QCOMPARE(lib.takeErrors(), QStringList());
}

void MediaLibraryTest::addTextPoster()
{
    MediaFixture f;
    f.picture("TEXT/t.png");
    f.bytes("TEXT/t.txt", 12);
    // An administrator missing from USERLIST: empty row for the picture,
    // "ADMINISTRATEUR" for its text.
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(2, "TEXT/t.png", "ghost", "ADMIN"));
    QCOMPARE(f.indexKey("FILEPATH"), QString("TEXT/t.png|TEXT/t.txt"));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString("|ADMINISTRATEUR"));
    const QStringList records = f.records();
    QCOMPARE(records.size(), 2);
    QVERIFY(records.at(0).startsWith("AJOUTER|TEXT/t.txt|"));
    QVERIFY(records.at(0).endsWith("|ADMINISTRATEUR|12"));
    QVERIFY(records.at(1).startsWith("AJOUTER|TEXT/t.png|"));
}

void MediaLibraryTest::addRefusesUnsafeAndKnownPaths()
{
    MediaFixture f;
    f.picture("IMAGE/aa.png");
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(0, "IMAGE/aa.png", "agent", ""));
    QVERIFY(!lib.add(0, "IMAGE/aa.png", "agent", ""));
    QVERIFY(!lib.add(0, "IMAGE/x|y.png", "agent", ""));
    QVERIFY(!lib.add(0, "IMAGE/x\ny.png", "agent", ""));
    QVERIFY(!lib.add(0, "IMAGE/x\ry.png", "agent", ""));
    // A shorter name inside a known one is a file of its own.
    f.picture("IMAGE/a.png");
    QVERIFY(lib.add(0, "IMAGE/a.png", "agent", ""));
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/aa.png|IMAGE/a.png"));
    QCOMPARE(f.records().size(), 2);
}

void MediaLibraryTest::substringNamesStayApart()
{
    MediaFixture f;
    f.picture("IMAGE/aa.png");
    f.picture("IMAGE/a.png");
    f.picture("TEXT/a.png");
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(0, "IMAGE/aa.png", "agent", ""));
    QVERIFY(lib.add(0, "IMAGE/a.png", "agent", ""));
    QVERIFY(lib.add(2, "TEXT/a.png", "agent", ""));

    QVERIFY(lib.grant("IMAGE/a.png", "C"));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString("A;B|C|A;B|A;B"));
    QVERIFY(lib.remove("IMAGE/a.png"));
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/aa.png|TEXT/a.png|TEXT/a.txt"));
    QVERIFY(!lib.remove("a.png"));
    QVERIFY(!lib.grant("a.png", "C"));
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/aa.png|TEXT/a.png|TEXT/a.txt"));
    QVERIFY(f.records().last().startsWith("SUPPRIMER|IMAGE/a.png|"));
    QCOMPARE(f.records().size(), 6);
}

void MediaLibraryTest::grantWritesRowAndRecord()
{
    MediaFixture f;
    f.picture("IMAGE/p.png");
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(0, "IMAGE/p.png", "admin", "ADMIN"));
    QVERIFY(lib.grant("IMAGE/p.png", "A;B"));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString("A;B"));
    QCOMPARE(f.records().last(), QString("PERMISSION|IMAGE/p.png||A;B|"));
    QVERIFY(lib.grant("IMAGE/p.png", ""));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString(""));
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/p.png"));
}

void MediaLibraryTest::failedDownloadDropsLocallyOnly()
{
    MediaFixture f;
    writeParams(f.index(), {{"FILEPATH", "IMAGE/x.png|VIDEO/x.png"},
                            {"FILECHK", "AAA|BBB"},
                            {"FILESIZE", "10|20"},
                            {"FILEPATHPERMISSION", "A|B"}});
    MediaLibrary lib(f.work);
    // The control panel names the local file in full.
    QVERIFY(lib.dropLocal(f.work + "VIDEO//x.png"));
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/x.png"));
    QCOMPARE(f.indexKey("FILESIZE"), QString("10"));
    QVERIFY(!QFile::exists(f.journal()));
    QVERIFY(!lib.dropLocal(f.work + "IMAGE/other.png"));
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/x.png"));
}

void MediaLibraryTest::foreignEntryLeavesTheIndex_data()
{
    QTest::addColumn<QString>("entry");
    QTest::newRow("NUL entry froze every index write") << QString("IMAGE/a") + QChar(0) + "b.png";
    QTest::newRow("folder part in a name") << "IMAGE/../x.png";
}

void MediaLibraryTest::foreignEntryLeavesTheIndex()
{
    QFETCH(QString, entry);
    MediaFixture f;
    QVERIFY(writeForeignParams(f.index(), {{"FILEPATH", "IMAGE/x.png|" + entry + "|VIDEO/v.mp4"},
                                           {"FILECHK", "AAA|BBB|CCC"},
                                           {"FILESIZE", "10|20|30"},
                                           {"FILEPATHPERMISSION", "A|B|C"}}));
    f.picture("IMAGE/new-101010.png");
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(0, "IMAGE/new-101010.png", "admin", "ADMINISTRATEUR"));
    QCOMPARE(lib.takeErrors(), QStringList());
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/x.png|VIDEO/v.mp4|IMAGE/new-101010.png"));
    QCOMPARE(f.indexKey("FILECHK").section('|', 0, 1), QString("AAA|CCC"));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString("A|C|ADMINISTRATEUR"));
    QCOMPARE(f.indexKey("FILESIZE").section('|', 0, 1), QString("10|30"));
}

void MediaLibraryTest::rebuildSizesKeepsUndownloaded()
{
    MediaFixture f;
    f.bytes("IMAGE/here.png", 1234);
    writeParams(f.index(), {{"FILEPATH", "IMAGE/here.png|IMAGE/later.png|VIDEO/gone.mp4"},
                            {"FILECHK", "|"},
                            {"FILESIZE", "9|5000000"},
                            {"FILEPATHPERMISSION", "||"}});
    MediaLibrary lib(f.work);
    QVERIFY(lib.rebuildSizes());
    QCOMPARE(f.indexKey("FILESIZE"), QString("1234|5000000|0"));
    // Lists shorter than FILEPATH are padded, never misaligned.
    QCOMPARE(f.indexKey("FILECHK"), QString("||"));

    writeParams(f.index(), {{"ID", "3"}});
    QVERIFY(lib.rebuildSizes());
    QCOMPARE(f.indexKey("FILESIZE"), QString(""));
    QCOMPARE(f.indexKey("FILEPATH"), QString("NULL"));
}

void MediaLibraryTest::inUseMatchesWholeEntries_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("used");
    QTest::newRow("picture named by a poster") << 0 << "used.png" << true;
    QTest::newRow("part of a poster's name") << 0 << "sed.png" << false;
    QTest::newRow("longer than a poster's name") << 0 << "unused.png" << false;
    QTest::newRow("video named by a poster") << 1 << "used.mp4" << true;
    QTest::newRow("picture list not read for videos") << 1 << "used.png" << false;
}

void MediaLibraryTest::inUseMatchesWholeEntries()
{
    QFETCH(int, type);
    QFETCH(QString, name);
    QFETCH(bool, used);
    MediaFixture f;
    QCOMPARE(MediaLibrary(f.work).inUse(type, name), used);
}

void MediaLibraryTest::textUsesCountsPosters_data()
{
    QTest::addColumn<QString>("texts");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("uses");
    QTest::newRow("text picture another poster shows") << "TEXT/a.png|TEXT/a.png|" << "a.png" << 2;
    QTest::newRow("with and without its folder") << "TEXT/a.png|a.png|TEXT/b.png" << "a.png" << 2;
    QTest::newRow("the edited poster alone") << "TEXT/a.png||TEXT/b.png" << "a.png" << 1;
    QTest::newRow("part of a poster's name") << "TEXT/aa.png|" << "a.png" << 0;
    QTest::newRow("no poster shows a text") << "|" << "a.png" << 0;
}

void MediaLibraryTest::textUsesCountsPosters()
{
    QFETCH(QString, texts);
    QFETCH(QString, name);
    QFETCH(int, uses);
    MediaFixture f;
    QVERIFY(writeParams(f.work + "DATA/PLAYER.orvex", {{"SLIDENAMETXT", texts}}));
    QCOMPARE(MediaLibrary(f.work).textUses(name), uses);
}

void MediaLibraryTest::failedWritesIndexNothing_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("title");
    QTest::newRow("journal cannot be written") << "journal folder" << "IMAGE/p.png" << "FTP";
    QTest::newRow("journal cannot be created") << "journal dangling" << "IMAGE/p.png" << "CreateFile";
    QTest::newRow("NUL in the user's permission row") << "row NUL" << "IMAGE/p.png" << "FTP";
    QTest::newRow("NUL in the path") << "" << QString("IMAGE/p") + QChar(0) + "q.png" << "";
}

// An add whose index or journal write failed indexes and journals nothing
// and answers false: the page then queues nothing for the server.
void MediaLibraryTest::failedWritesIndexNothing()
{
    QFETCH(QString, fault);
    QFETCH(QString, path);
    QFETCH(QString, title);
    MediaFixture f;
    f.picture("IMAGE/p.png");
    if (fault == "journal folder")
        QVERIFY(QDir().mkpath(f.journal()));
    if (fault == "journal dangling")
        QVERIFY(QFile::link(f.work + "absent/folder/INFOMEDIA.orvex", f.journal()));
    if (fault == "row NUL")
        QVERIFY(writeForeignParams(f.work + "LoginCrypt.orvex",
                                   {{"USERLIST", "agent"}, {"PLAYPERMISSION", QString("A") + QChar(0) + "B"}}));
    MediaLibrary lib(f.work);
    QVERIFY(!lib.add(0, path, "agent", ""));
    const QList<QPair<QString, QString>> errors = lib.takeReports();
    QCOMPARE(errors.size(), title.isEmpty() ? 0 : 1);
    if (!title.isEmpty())
        QCOMPARE(errors.first().first, title);
    if (fault.startsWith("journal"))
        QVERIFY2(errors.first().second.contains(f.journal()), qPrintable(errors.first().second));
    QCOMPARE(f.indexKey("FILEPATH"), QString(""));
    QCOMPARE(f.indexKey("FILECHK"), QString(""));
    QVERIFY(f.records().isEmpty());
    QVERIFY(lib.takeErrors().isEmpty());
}

void MediaLibraryTest::failedRecordKeepsRemovalAndGrantUndone_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<bool>("removal");
    QTest::newRow("removal with an unwritable journal reported as done") << "journal folder" << true;
    QTest::newRow("grant with an unwritable journal reported as done") << "journal folder" << false;
    QTest::newRow("removal with a NUL in another entry's FILECHK") << "checksum NUL" << true;
    QTest::newRow("grant of a row holding a NUL") << "row NUL" << false;
}

// As for an add: a removal or grant that the journal does not carry would
// never reach the server's index, so the index goes back and the answer is false.
void MediaLibraryTest::failedRecordKeepsRemovalAndGrantUndone()
{
    QFETCH(QString, fault);
    QFETCH(bool, removal);
    MediaFixture f;
    const QString sums = fault == "checksum NUL" ? QString("aa|b") + QChar(0) + "b" : QString("aa|bb");
    QVERIFY(writeForeignParams(f.index(), {{"FILEPATH", "IMAGE/p.png|IMAGE/q.png"},
                                           {"FILECHK", sums},
                                           {"FILESIZE", "1|2"},
                                           {"FILEPATHPERMISSION", "A|B"}}));
    if (fault == "journal folder")
        QVERIFY(QDir().mkpath(f.journal()));
    MediaLibrary lib(f.work);
    const QString row = fault == "row NUL" ? QString("A") + QChar(0) + "C" : QString("C");
    QVERIFY(!(removal ? lib.remove("IMAGE/p.png") : lib.grant("IMAGE/p.png", row)));
    QCOMPARE(lib.takeReports().size(), 1);
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/p.png|IMAGE/q.png"));
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), QString("A|B"));
    QVERIFY(f.records().isEmpty());
    QVERIFY(lib.load());
    QCOMPARE(lib.indexOf("IMAGE/p.png"), 0);
}

// Entries that are no media path are never measured (a stat outside the
// media folders at each administrator login): they leave the index.
void MediaLibraryTest::rebuildSizesMeasuresOnlyMediaPaths()
{
    MediaFixture f;
    f.bytes("IMAGE/here.png", 1234);
    f.bytes("outside.bin", 4321);
    writeParams(f.index(), {{"FILEPATH", "IMAGE/here.png|IMAGE/../outside.bin|../../x|IMAGE/"},
                            {"FILECHK", "|||"},
                            {"FILESIZE", "1|7|8|"},
                            {"FILEPATHPERMISSION", "|||"}});
    MediaLibrary lib(f.work);
    QVERIFY(lib.rebuildSizes());
    QCOMPARE(f.indexKey("FILEPATH"), QString("IMAGE/here.png"));
    QCOMPARE(f.indexKey("FILESIZE"), QString("1234"));
}

void MediaLibraryTest::addKeepsListsParallel_data()
{
    QTest::addColumn<QString>("paths");
    QTest::addColumn<QString>("rows");
    QTest::addColumn<QString>("sums");
    QTest::addColumn<QString>("sizes");
    QTest::addColumn<QString>("rowsAfter");
    QTest::addColumn<QString>("sumsAfter");
    QTest::addColumn<QString>("sizesAfter");
    QTest::newRow("empty FILEPATH with a stale permission")
        << "" << "Z" << "OLD" << "77" << "A;B" << "%1" << "%2";
    QTest::newRow("companion lists longer than FILEPATH")
        << "IMAGE/a.png" << "X|Z" << "C1|C2" << "1|2" << "X|A;B" << "C1|%1" << "1|%2";
}

// The new file gets its own permission, checksum and size, never the
// stale entry another file left behind.
void MediaLibraryTest::addKeepsListsParallel()
{
    QFETCH(QString, paths);
    QFETCH(QString, rows);
    QFETCH(QString, sums);
    QFETCH(QString, sizes);
    QFETCH(QString, rowsAfter);
    QFETCH(QString, sumsAfter);
    QFETCH(QString, sizesAfter);
    MediaFixture f;
    const QString file = f.picture("IMAGE/p.png");
    writeParams(f.index(), {{"FILEPATH", paths}, {"FILECHK", sums}, {"FILESIZE", sizes}, {"FILEPATHPERMISSION", rows}});
    MediaLibrary lib(f.work);
    QVERIFY(lib.add(0, "IMAGE/p.png", "agent", ""));
    const QString md5 = CalculChecksum(file);
    const QString size = QString::number(QFileInfo(file).size());
    QCOMPARE(f.indexKey("FILEPATHPERMISSION"), rowsAfter);
    QCOMPARE(f.indexKey("FILECHK"), sumsAfter.arg(md5));
    QCOMPARE(f.indexKey("FILESIZE"), sizesAfter.arg(size));
    QCOMPARE(f.records(), QStringList{"AJOUTER|IMAGE/p.png|" + md5 + "|A;B|" + size});
}

// The last fetch of the index failed and left none: a removal or grant is
// journalled by its path, so the server's index still learns of it.
void MediaLibraryTest::withoutIndexTheJournalCarriesThePath()
{
    MediaFixture f;
    QVERIFY(QFile::remove(f.index()));
    MediaLibrary lib(f.work);
    QVERIFY(lib.remove("IMAGE/x.png"));
    QVERIFY(lib.grant("VIDEO/y.mp4", "A;B"));
    QVERIFY(!lib.remove("x.png"));
    QVERIFY(!lib.remove("IMAGE/../x.png"));
    QCOMPARE(f.records(), QStringList({"SUPPRIMER|IMAGE/x.png|||", "PERMISSION|VIDEO/y.mp4||A;B|"}));
    QVERIFY(!QFile::exists(f.index()));
}

void MediaLibraryTest::renewTextPoster()
{
    MediaFixture f;
    f.picture("TEXT/t.png", 64, 48);
    f.bytes("TEXT/t.txt", 12);
    MediaLibrary lib(f.work);
    QVERIFY(lib.renew(2, "TEXT/t.png", "agent", ""));
    const QString before = f.indexKey("FILECHK");
    f.picture("TEXT/t.png", 200, 100, Qt::red);
    f.bytes("TEXT/t.txt", 30);
    QVERIFY(lib.renew(2, "TEXT/t.png", "agent", ""));
    const QString md5 = CalculChecksum(f.work + "TEXT/t.png");
    QCOMPARE(f.indexKey("FILEPATH"), QString("TEXT/t.png|TEXT/t.txt"));
    QCOMPARE(f.indexKey("FILECHK"), md5 + "|" + CalculChecksum(f.work + "TEXT/t.txt"));
    QVERIFY(f.indexKey("FILESIZE").endsWith("|30"));
    const QStringList records = f.records();
    QCOMPARE(records.size(), 6);
    QVERIFY2(records.at(2).startsWith("SUPPRIMER|TEXT/t.png|" + before.section('|', 0, 0) + "|A;B|"),
             qPrintable(records.at(2)));
    QVERIFY(records.at(3).startsWith("SUPPRIMER|TEXT/t.txt|"));
    QVERIFY(records.at(4).startsWith("AJOUTER|TEXT/t.txt|") && records.at(4).endsWith("|30"));
    QVERIFY(records.at(5).startsWith("AJOUTER|TEXT/t.png|" + md5 + "|"));
}

QTEST_GUILESS_MAIN(MediaLibraryTest)
#include "tst_medialibrary.moc"

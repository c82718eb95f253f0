#include "QFtpDTP.h"

#include <QLocale>
#include <QtTest>

class FtpListingTest : public QObject
{
    Q_OBJECT

private slots:
    void parseDir_data();
    void parseDir();
    void yearlessDates_data();
    void yearlessDates();
};

namespace {
const int rwxr_xr_x = 0755;
const int rw_rw_rw_ = 0666;
}

void FtpListingTest::parseDir_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("parsed");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("isDir");
    QTest::addColumn<bool>("isFile");
    QTest::addColumn<bool>("isSymLink");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<int>("permissions");
    QTest::addColumn<QString>("owner");
    QTest::addColumn<QDateTime>("modified");
    QTest::addColumn<bool>("readable");
    QTest::addColumn<bool>("writable");

    const QDateTime none;
    QTest::newRow("unix dir with year")
        << QByteArray("drwxr-xr-x   3 ftp      ftp          4096 Apr 14  2000 images\r\n") << true << "images" << true
        << false << false << qint64(4096) << rwxr_xr_x << "ftp" << QDateTime(QDate(2000, 4, 14), QTime(0, 0)) << true
        << false;
    QTest::newRow("unix file, other may write")
        << QByteArray("-rw-r--rw-   1 owner    group   123456789012 Dec  1  1999 big file.mp4") << true
        << "big file.mp4" << false << true << false << qint64(123456789012LL) << 0646 << "owner"
        << QDateTime(QDate(1999, 12, 1), QTime(0, 0)) << true << true;
    QTest::newRow("unix, owner bits only, not ours")
        << QByteArray("-rw-------   1 root     root           10 Jan 02  2010 secret") << true << "secret" << false
        << true << false << qint64(10) << 0600 << "root" << QDateTime(QDate(2010, 1, 2), QTime(0, 0)) << false
        << false;
    QTest::newRow("unix file, empty owner counts as ours")
        << QByteArray("-rw-------   1                           7 Jan 02  2010 mine") << true << "mine" << false << true
        << false << qint64(7) << 0600 << "" << QDateTime(QDate(2010, 1, 2), QTime(0, 0)) << true << true;
    QTest::newRow("unix setuid and sticky letters give no bits")
        << QByteArray("-rwsr-xr-t   1 a b 1 Mar 03  2003 tool") << true << "tool" << false << true << false
        << qint64(1) << 0654 << "a" << QDateTime(QDate(2003, 3, 3), QTime(0, 0)) << true << false;
    QTest::newRow("unix link drops its target")
        << QByteArray("lrwxrwxrwx   1 ftp ftp 9 Oct 29  2019 current -> release") << true << "current" << true
        << false << true << qint64(9) << 0777 << "ftp" << QDateTime(QDate(2019, 10, 29), QTime(0, 0)) << true << true;
    // Regression: a mode followed by '.', '+' or '@' lost the entry.
    QTest::newRow("unix mode with SELinux dot")
        << QByteArray("drwxr-xr-x.  2 root root 6 Apr 11  2018 boot") << true << "boot" << true << false << false
        << qint64(6) << rwxr_xr_x << "root" << QDateTime(QDate(2018, 4, 11), QTime(0, 0)) << true << false;
    QTest::newRow("unix mode with ACL plus")
        << QByteArray("-rw-r--r--+ 1 a b 5 Apr 11  2018 acl.txt") << true << "acl.txt" << false << true << false
        << qint64(5) << 0644 << "a" << QDateTime(QDate(2018, 4, 11), QTime(0, 0)) << true << false;

    QTest::newRow("dos dir") << QByteArray("01-16-02  11:14AM       <DIR>          archive\r\n") << true << "archive"
                             << true << false << false << qint64(0) << rw_rw_rw_ << ""
                             << QDateTime(QDate(2002, 1, 16), QTime(11, 14)) << true << false;
    QTest::newRow("dos file, afternoon") << QByteArray("06-05-03  03:19PM                 1973 notes.txt") << true
                                         << "notes.txt" << false << true << false << qint64(1973) << rw_rw_rw_ << ""
                                         << QDateTime(QDate(2003, 6, 5), QTime(15, 19)) << true << true;
    QTest::newRow("dos last century") << QByteArray("12-31-99  11:59PM                    1 y2k.txt") << true
                                      << "y2k.txt" << false << true << false << qint64(1) << rw_rw_rw_ << ""
                                      << QDateTime(QDate(1999, 12, 31), QTime(23, 59)) << true << true;
    QTest::newRow("dos exe is executable") << QByteArray("06-05-03  03:19PM                 10 setup.exe") << true
                                           << "setup.exe" << false << true << false << qint64(10) << 0777 << ""
                                           << QDateTime(QDate(2003, 6, 5), QTime(15, 19)) << true << true;
    QTest::newRow("dos EXE suffix is case-sensitive")
        << QByteArray("06-05-03  03:19PM                 10 SETUP.EXE") << true << "SETUP.EXE" << false << true
        << false << qint64(10) << rw_rw_rw_ << "" << QDateTime(QDate(2003, 6, 5), QTime(15, 19)) << true << true;
    QTest::newRow("dos shortcut is a link") << QByteArray("06-05-03  03:19PM                 10 Docs.LNK") << true
                                            << "Docs.LNK" << false << true << true << qint64(10) << rw_rw_rw_ << ""
                                            << QDateTime(QDate(2003, 6, 5), QTime(15, 19)) << true << true;
    // Regression: a server set to four-digit years gave no date.
    QTest::newRow("dos four-digit year") << QByteArray("06-05-2003  03:19PM                 10 a.txt") << true
                                         << "a.txt" << false << true << false << qint64(10) << rw_rw_rw_ << ""
                                         << QDateTime(QDate(2003, 6, 5), QTime(15, 19)) << true << true;

    QTest::newRow("empty line") << QByteArray() << false << "" << false << false << false << qint64(0) << 0 << ""
                                << none << false << false;
    QTest::newRow("total line") << QByteArray("total 24\r\n") << false << "" << false << false << false << qint64(0)
                                << 0 << "" << none << false << false;
    QTest::newRow("missing folder message")
        << QByteArray("ls: /nope: No such file or directory\r\n") << false << "" << false << false << false
        << qint64(0) << 0 << "" << none << false << false;
}

void FtpListingTest::parseDir()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, parsed);

    QUrlInfo info;
    QCOMPARE(QFtpDTP::parseDir(line, QString(), &info), parsed);
    if (!parsed) {
        QVERIFY(!info.isValid());
        return;
    }
    QTEST(info.name(), "name");
    QTEST(info.isDir(), "isDir");
    QTEST(info.isFile(), "isFile");
    QTEST(info.isSymLink(), "isSymLink");
    QTEST(info.size(), "size");
    QTEST(info.permissions(), "permissions");
    QTEST(info.owner(), "owner");
    QTEST(info.lastModified(), "modified");
    QTEST(info.isReadable(), "readable");
    QTEST(info.isWritable(), "writable");
}

void FtpListingTest::yearlessDates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<int>("expectedYear");

    const QDate today = QDate::currentDate();
    QTest::newRow("earlier this year") << today.addDays(-10) << today.addDays(-10).year();
    QTest::newRow("today") << today << today.year();
    QTest::newRow("a week ahead is last year") << today.addDays(7) << today.addDays(7).year() - 1;
}

void FtpListingTest::yearlessDates()
{
    QFETCH(QDate, date);
    QFETCH(int, expectedYear);

    const QByteArray stamp = QLocale::c().toString(date, QStringLiteral("MMM dd")).toLatin1();
    const QByteArray line = "-rw-r--r--   1 ftp ftp 9 " + stamp + " 11:05 clip.mp4";
    QUrlInfo info;
    QVERIFY(QFtpDTP::parseDir(line, QString(), &info));
    QCOMPARE(info.lastModified().date(), QDate(expectedYear, date.month(), date.day()));
    QCOMPARE(info.lastModified().time(), QTime(11, 5));

    // Regression: Feb 29 was read against a non-leap default year and lost.
    QUrlInfo leap;
    QVERIFY(QFtpDTP::parseDir("-rw-r--r--   1 ftp ftp 9 Feb 29 08:00 leap.txt", QString(), &leap));
    QVERIFY(leap.lastModified().isValid());
    QCOMPARE(leap.lastModified().date().month(), 2);
    QCOMPARE(leap.lastModified().date().day(), 29);
}

QTEST_GUILESS_MAIN(FtpListingTest)
#include "tst_ftplisting.moc"

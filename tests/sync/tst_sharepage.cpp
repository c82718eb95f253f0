// The share page: exact text against a golden file with a fixed clock, the
// escaping of what comes from the poster list, the stamp, a page that
// cannot be written.
#include "SharePage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class SharePageTest : public QObject
{
    Q_OBJECT
private slots:
    void golden();
    void escaped_data();
    void escaped();
    void linkFolder_data();
    void linkFolder();
    void unwritable();
};

namespace {
QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}
} // namespace

void SharePageTest::golden()
{
    QTemporaryDir dir;
    const QString work = dir.path() + '/';
    QVERIFY(QDir(work).mkpath("LINKS"));
    // An older page is replaced in full.
    QFile old(work + "LINKS/index.html");
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(20000, 'o'));
    old.close();
    const QDateTime now(QDate(2026, 3, 4), QTime(17, 8, 9));
    QCOMPARE(SharePage::generateIndex(work, "https://zo.example/", "zo_acme", "menu", now), QString("04170809"));
    const QByteArray page = readFile(work + "LINKS/index.html");
    QCOMPARE(page, readFile(QFINDTESTDATA("data/share-index.html")));
    QCOMPARE(page.count("\r\n"), 62);
    QVERIFY(!page.contains("\n\n") && !page.contains('o' + QByteArray("oooo")));
}

void SharePageTest::escaped_data()
{
    QTest::addColumn<QString>("account");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("quote and tag in the folder") << "zo_a" << "\"><script>" << "LINKS/&quot;&gt;&lt;script&gt;/index";
    QTest::newRow("ampersand in the account") << "zo_a&b" << "m" << "zobox/zo_a&amp;b/LINKS/m/index";
    QTest::newRow("empty folder") << "zo_a" << "" << "zobox/zo_a/LINKS//index";
}

void SharePageTest::escaped()
{
    QFETCH(QString, account);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    const QString page = QString::fromUtf8(
        SharePage::page(SharePage::folderUrl("https://zo.example/", account, folder), "01020304"));
    QCOMPARE(page.count("<script>"), 1);
    QVERIFY(page.contains(expected + "01020304.html\" />"));
    QVERIFY(page.contains("data-href=\"https://zo.example/"));
}

void SharePageTest::linkFolder_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("folder");
    QTest::newRow("seventh section") << "https://zo.example/zobox/zo_a/LINKS/menu" << "menu";
    QTest::newRow("further sections ignored") << "https://zo.example/zobox/zo_a/LINKS/menu/index.html" << "menu";
    QTest::newRow("too short") << "https://zo.example/zobox" << "";
    QTest::newRow("absent") << "NULL" << "";
}

void SharePageTest::linkFolder()
{
    QFETCH(QString, link);
    QFETCH(QString, folder);
    QCOMPARE(SharePage::linkFolderOf(link), folder);
}

void SharePageTest::unwritable()
{
    QTemporaryDir dir;
    // No LINKS folder: nothing written, "0".
    QCOMPARE(SharePage::generateIndex(dir.path() + '/', "https://zo.example/", "zo_a", "m", QDateTime::currentDateTime()),
             QString("0"));
    QVERIFY(!QFileInfo::exists(dir.path() + "/LINKS/index.html"));
    QCOMPARE(SharePage::stamp(QDateTime(QDate(2026, 12, 31), QTime(23, 59, 58))), QString("31235958"));
}

QTEST_GUILESS_MAIN(SharePageTest)
#include "tst_sharepage.moc"

#include "QUrlInfo.h"

#include <QUrl>
#include <QtTest>

class QUrlInfoTest : public QObject
{
    Q_OBJECT

private slots:
    void invalidUntilFirstSetter();
    void copiesAreDeep();
    void equality();
    void compareByKey_data();
    void compareByKey();
    void nameFromUrl();
};

void QUrlInfoTest::invalidUntilFirstSetter()
{
    QUrlInfo info;
    QVERIFY(!info.isValid());
    QVERIFY(!info.isFile());
    QVERIFY(!info.isReadable());
    QCOMPARE(info.size(), qint64(0));

    info.setSize(5);
    QVERIFY(info.isValid());
    QCOMPARE(info.size(), qint64(5));
    QVERIFY(info.isFile());
    QVERIFY(info.isWritable());
    QVERIFY(info.isReadable());
    QVERIFY(!info.isDir());
    QVERIFY(!info.isSymLink());
    QVERIFY(!info.isExecutable());
    QCOMPARE(info.permissions(), 0);
    QVERIFY(info.name().isEmpty());
    QVERIFY(info.lastModified().isNull());
    QVERIFY(info.lastRead().isNull());
}

void QUrlInfoTest::copiesAreDeep()
{
    QUrlInfo source;
    source.setName(QStringLiteral("a.mp4"));
    QUrlInfo copy(source);
    copy.setName(QStringLiteral("b.mp4"));
    QCOMPARE(source.name(), QStringLiteral("a.mp4"));

    QUrlInfo assigned;
    assigned = source;
    assigned.setSize(9);
    QCOMPARE(source.size(), qint64(0));

    assigned = QUrlInfo();
    QVERIFY(!assigned.isValid());
    QVERIFY(!QUrlInfo(QUrlInfo()).isValid());
}

void QUrlInfoTest::equality()
{
    const QDateTime t(QDate(2020, 5, 1), QTime(8, 0));
    const QUrlInfo a(QStringLiteral("x"), 0644, QStringLiteral("o"), QStringLiteral("g"), 3, t, t, false, true, false,
                     true, true, false);
    QUrlInfo b(a);
    QVERIFY(a == b);
    b.setLastModified(t.addSecs(1));
    QVERIFY(a != b);
    QVERIFY(QUrlInfo() == QUrlInfo());
    QVERIFY(!(QUrlInfo() == a));
    QVERIFY(!(a == QUrlInfo()));
    // The full constructor is the only way to executable.
    QUrlInfo exe(QStringLiteral("x"), 0644, QStringLiteral("o"), QStringLiteral("g"), 3, t, t, false, true, false,
                 true, true, true);
    QVERIFY(exe.isExecutable());
    QVERIFY(a != exe);
}

void QUrlInfoTest::compareByKey_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("name2");
    QTest::addColumn<qint64>("size2");
    QTest::addColumn<int>("days2");
    QTest::addColumn<bool>("greater");
    QTest::addColumn<bool>("less");
    QTest::addColumn<bool>("equal");

    // Entry 1: name "m", size 10, day 0.
    QTest::newRow("name after") << int(QUrlInfo::ByName) << "a" << qint64(10) << 0 << true << false << false;
    QTest::newRow("name before") << int(QUrlInfo::ByName) << "z" << qint64(10) << 0 << false << true << false;
    QTest::newRow("time later") << int(QUrlInfo::ByTime) << "m" << qint64(10) << -1 << true << false << false;
    QTest::newRow("size larger") << int(QUrlInfo::BySize) << "m" << qint64(5) << 0 << true << false << false;
    QTest::newRow("equal sizes: less is true") << int(QUrlInfo::BySize) << "x" << qint64(10) << 0 << false << true
                                               << true;
    QTest::newRow("unknown key") << 7 << "m" << qint64(10) << 0 << false << true << false;
}

void QUrlInfoTest::compareByKey()
{
    QFETCH(int, key);
    QFETCH(QString, name2);
    QFETCH(qint64, size2);
    QFETCH(int, days2);

    const QDateTime t(QDate(2020, 5, 1), QTime(8, 0));
    QUrlInfo one;
    one.setName(QStringLiteral("m"));
    one.setSize(10);
    one.setLastModified(t);
    QUrlInfo two;
    two.setName(name2);
    two.setSize(size2);
    two.setLastModified(t.addDays(days2));

    QTEST(QUrlInfo::greaterThan(one, two, key), "greater");
    QTEST(QUrlInfo::lessThan(one, two, key), "less");
    QTEST(QUrlInfo::equal(one, two, key), "equal");
}

void QUrlInfoTest::nameFromUrl()
{
    const QUrlInfo info(QUrl(QStringLiteral("ftp://host/a/b/c%20d.txt")), 0, QString(), QString(), 0, QDateTime(),
                        QDateTime(), false, true, false, true, true, false);
    QCOMPARE(info.name(), QStringLiteral("c d.txt"));
    const QUrlInfo plain(QUrl(QStringLiteral("/a/b/c.txt")), 0, QString(), QString(), 0, QDateTime(), QDateTime(),
                         false, true, false, true, true, false);
    QCOMPARE(plain.name(), QStringLiteral("c.txt"));
}

QTEST_GUILESS_MAIN(QUrlInfoTest)
#include "tst_qurlinfo.moc"

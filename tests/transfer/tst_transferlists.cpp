#include "ClassParam.h"
#include "TransferLists.h"

#include <QtTest>

class TransferListsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void transArrayToList_data();
    void transArrayToList();
    void sortsNamesIntoLists();
    void skipsNamesThatAreNotPlain();
    void unreadableMediaIndexGivesBlankName();

private:
    QTemporaryDir m_dir;
    QString m_index;
};

void TransferListsTest::initTestCase()
{
    QVERIFY(m_dir.isValid());
    qputenv("ZOMANAGER_WORKDIR", m_dir.path().toUtf8());
    QDir(m_dir.path()).mkpath("TEMP");
    QDir(m_dir.path()).mkpath("LOG");
    m_index = m_dir.filePath("TEMP/MEDIA.orvex");
    QFile empty(m_index);
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QVERIFY(ClassParam().setParamCrypt(m_index, "5C0A2B", "Accueil"));
}

void TransferListsTest::transArrayToList_data()
{
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("ok");

    QTest::newRow("listing") << QByteArray(R"([".","..","IMAGE","5C0A2B","Slide1.png"])")
                             << QStringList{"IMAGE", "5C0A2B", "Slide1.png"} << true;
    QTest::newRow("empty folder") << QByteArray(R"([".",".."])") << QStringList() << true;
    QTest::newRow("empty array") << QByteArray("[]") << QStringList() << true;
    // Regression: splitting on "," cut names in two.
    QTest::newRow("comma in a name") << QByteArray(R"([".","..","a,b.png"])") << QStringList{"a,b.png"} << true;
    // Regression: the dots were dropped by position, not by value.
    QTest::newRow("dots not first") << QByteArray(R"(["b.png",".","..","a.png"])")
                                    << QStringList{"b.png", "a.png"} << true;
    QTest::newRow("escaped slash and unicode") << QByteArray(R"([".","..","\u00e9t\u00e9.png","a\/b"])")
                                               << QStringList{"été.png", "a/b"} << true;
    QTest::newRow("text after a zero byte") << QByteArray(R"([".","..","a.png"])") + QByteArray(1, '\0') + "garbage"
                                            << QStringList{"a.png"} << true;
    QTest::newRow("non-string entries") << QByteArray(R"([".","..",3,null,"a.png"])") << QStringList{"a.png"} << true;
    QTest::newRow("HTML error page") << QByteArray("<html>Fatal error</html>") << QStringList() << false;
    QTest::newRow("truncated") << QByteArray(R"([".","..","a.p)") << QStringList() << false;
    QTest::newRow("object") << QByteArray(R"({"2":"a.png"})") << QStringList() << false;
    QTest::newRow("empty body") << QByteArray() << QStringList() << false;
}

void TransferListsTest::transArrayToList()
{
    QFETCH(QByteArray, reply);
    QFETCH(QStringList, names);
    QFETCH(bool, ok);
    bool parsed = !ok;
    QCOMPARE(TransferLists::transArrayToList(reply, &parsed), names);
    QCOMPARE(parsed, ok);
}

void TransferListsTest::sortsNamesIntoLists()
{
    TransferLists lists;
    lists.setMediaIndex(m_index);
    QSignalSpy boxes(&lists, &TransferLists::signalBoxAdded);
    QSignalSpy presence(&lists, &TransferLists::signalPresenceBox);

    lists.addToListHttp({".", "..", "IMAGE", "VIDEO", "LINKS", "TEXT", "zo_shop", "5C0A2B", "README", "Slide3.png",
                         "a.b", "PLAYER.orvex"});

    QCOMPARE(lists.boxList(), QStringList({"5C0A2B", "README"}));
    QCOMPARE(lists.boxNameList(), QStringList({"Accueil", " "}));
    QCOMPARE(lists.transferFiles(), QStringList({"Slide3.png", "a.b", "PLAYER.orvex"}));
    QCOMPARE(lists.slideNames(), QStringList({"Slide3.png"}));
    QCOMPARE(lists.fileCount(), 3);
    QCOMPARE(presence.count(), 2);
    QCOMPARE(boxes.at(0), QVariantList({"5C0A2B", "Accueil"}));

    // Lists are only appended to; the count follows the last name added.
    lists.removeFirstTransferFile();
    lists.addToListHttp({"b.png"});
    QCOMPARE(lists.transferFiles(), QStringList({"a.b", "PLAYER.orvex", "b.png"}));
    QCOMPARE(lists.fileCount(), 3);
}

void TransferListsTest::skipsNamesThatAreNotPlain()
{
    TransferLists lists;
    lists.addToListHttp({"../../evil.png", "/etc/evil.png", "..\\evil.png", QString("a\nb.png"), "../BOX",
                         "ok.png"});
    QCOMPARE(lists.transferFiles(), QStringList({"ok.png"}));
    QVERIFY(lists.boxList().isEmpty());
}

void TransferListsTest::unreadableMediaIndexGivesBlankName()
{
    // Regression: the reader's "PB_OPEN" showed as the box's name.
    TransferLists lists;
    lists.setMediaIndex(m_dir.filePath("TEMP/missing.orvex"));
    lists.addToListHttp({"5C0A2B"});
    QCOMPARE(lists.boxNameList(), QStringList({" "}));
}

QTEST_GUILESS_MAIN(TransferListsTest)
#include "tst_transferlists.moc"

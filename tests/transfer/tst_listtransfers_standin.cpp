// The list transfer sequences against the stand-in server (and the same
// tree in local mode), with waits scaled down by ZOMANAGER_TIME_SCALE.
#include "../sync/ParamFixture.h"
#include "ListTransfers.h"
#include "SequenceFixture.h"
#include "TimeScale.h"
#include "TransferLists.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <optional>

class ListTransfersStandInTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { m_fx.setUp(); }
    void cleanup() { m_fx.tearDown(); }

    void putListSkipRules_data();
    void putListSkipRules();
    void emptyFolderNeedsNoDownload();
    void getListCopiesTheFolder_data();
    void getListCopiesTheFolder();
    void getListRefusesOtherFolders_data();
    void getListRefusesOtherFolders();
    void stalledDeleteGivesCodeFive();
    void removeDirOrder();
    void failedUpload_data();
    void failedUpload();
    void oneCallPerTransfer_data();
    void oneCallPerTransfer();

private:
    ListTransfers *make(bool local = false);
    SequenceFixture m_fx;
    QScopedPointer<ListTransfers> m_lists;
    QString m_selected;
};

void ListTransfersStandInTest::initTestCase()
{
    ZO_NEED_STANDIN();
    // The tries must be short: the time scale is set for this test.
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

ListTransfers *ListTransfersStandInTest::make(bool local)
{
    m_lists.reset(new ListTransfers(m_fx.makeApi(local)));
    m_lists->setSelectedBox([this] { return m_selected; });
    return m_lists.data();
}

void ListTransfersStandInTest::putListSkipRules_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("deployBoxes");
    QTest::addColumn<QStringList>("sent");

    QTest::newRow("box files are never sent")
        << QStringList{"BOX.orvex", "PLAYER.orvex", "STATUS.orvex", "STAT.orvex"} << QStringList{"B1"}
        << QStringList{"PLAYER.orvex"};
    QTest::newRow("INFO goes when the first target is the selected box")
        << QStringList{"INFO.orvex", "PLAYER.orvex"} << QStringList{"B1", "B2"}
        << QStringList{"INFO.orvex", "PLAYER.orvex"};
    QTest::newRow("INFO stays when the first target is another box")
        << QStringList{"INFO.orvex", "PLAYER.orvex"} << QStringList{"B2", "B1"} << QStringList{"PLAYER.orvex"};
    QTest::newRow("names compare exactly") << QStringList{"box.orvex", "STATUS.orvex.bak"} << QStringList{"B1"}
                                           << QStringList{"box.orvex", "STATUS.orvex.bak"};
}

void ListTransfersStandInTest::putListSkipRules()
{
    QFETCH(QStringList, names);
    QFETCH(QStringList, deployBoxes);
    QFETCH(QStringList, sent);
    QDir().mkpath(m_fx.tree(m_fx.account() + "/B2"));
    for (const QString &name : names)
        SequenceFixture::writeFile(m_fx.work("DATA/") + name, name.toUtf8());

    m_selected = "B1";
    ListTransfers *lists = make();
    lists->setFolder("B2");
    lists->setDeployBoxes(deployBoxes);
    m_fx.m_api->lists()->setTransferFiles(names);
    QSignalSpy failed(lists, &ListTransfers::sequenceFailed);
    const qint64 mark = StandIn::mark();

    QVERIFY(SequenceFixture::drive([&] { return lists->FtpPutListFile(m_fx.work("DATA/")); }, nullptr));
    QCOMPARE(failed.count(), 0);
    QStringList expected;
    for (const QString &name : sent)
        expected << "UPLOAD " + m_fx.account() + "/B2/" + name;
    QCOMPARE(SequenceFixture::requests(mark, expected.size()), expected);
    sent.sort();
    QCOMPARE(SequenceFixture::filesOf(m_fx.tree(m_fx.account() + "/B2")).keys(), sent);
}

void ListTransfersStandInTest::emptyFolderNeedsNoDownload()
{
    QDir().mkpath(m_fx.tree(m_fx.account() + "/B1"));
    m_selected = "B1";
    ListTransfers *lists = make();
    lists->setFolder("B1");
    const qint64 mark = StandIn::mark();
    QVERIFY(SequenceFixture::drive([&] { return lists->FtpGetListFile(m_fx.work("DATA/")); }, nullptr));
    QVERIFY(!lists->lastFailed());
    QTest::qWait(100);
    QCOMPARE(SequenceFixture::requests(mark, 1), QStringList{"SCANDIR " + m_fx.account() + "/B1"});
}

void ListTransfersStandInTest::getListCopiesTheFolder_data()
{
    QTest::addColumn<bool>("local");
    QTest::newRow("stand-in server") << false;
    QTest::newRow("local mode") << true;
}

void ListTransfersStandInTest::getListCopiesTheFolder()
{
    QFETCH(bool, local);
    const QString folder = m_fx.tree(m_fx.account() + "/B1/");
    QByteArray noise(70000, Qt::Uninitialized);
    for (char &c : noise)
        c = char(QRandomGenerator::global()->bounded(256));
    SequenceFixture::writeFile(folder + "PLAYER.orvex", paramText("4"));
    SequenceFixture::writeFile(folder + "Slide1.png", noise);
    SequenceFixture::writeFile(folder + "a..b.png", "dots inside");
    SequenceFixture::writeFile(folder + "empty.txt", QByteArray());
    QDir().mkpath(folder + "old"); // a sub-folder is not a file of the box
    // Left over from another box: replaced by the server's copy.
    SequenceFixture::writeFile(m_fx.work("DATA/Slide1.png"), "stale");

    m_selected = "B1";
    ListTransfers *lists = make(local);
    lists->setFolder("B1");
    QSignalSpy failed(lists, &ListTransfers::sequenceFailed);
    QVERIFY(SequenceFixture::drive([&] { return lists->FtpGetListFile(m_fx.work("DATA/")); }, nullptr));
    QCOMPARE(failed.count(), 0);
    QCOMPARE(SequenceFixture::filesOf(m_fx.work("DATA")), SequenceFixture::filesOf(folder));
    QCOMPARE(m_fx.m_api->lists()->transferFileCount(), 0);
}

void ListTransfersStandInTest::getListRefusesOtherFolders_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("local");
    QTest::newRow("empty name fetched the account folder") << "" << false;
    QTest::newRow("empty name, local mode") << "" << true;
    QTest::newRow("parent folder") << ".." << true;
    QTest::newRow("path") << "B1/../.." << false;
    QTest::newRow("missing box") << "B9" << false;
    QTest::newRow("missing box, local mode") << "B9" << true;
}

void ListTransfersStandInTest::getListRefusesOtherFolders()
{
    QFETCH(QString, selected);
    QFETCH(bool, local);
    SequenceFixture::writeFile(m_fx.tree(m_fx.account() + "/LoginCrypt.orvex"), "login");
    SequenceFixture::writeFile(m_fx.tree(m_fx.account() + "/B1/PLAYER.orvex"), "player");
    m_selected = selected;
    ListTransfers *lists = make(local);
    lists->setFolder(selected);
    QSignalSpy failed(lists, &ListTransfers::sequenceFailed);
    QVERIFY(!SequenceFixture::drive([&] { return lists->FtpGetListFile(m_fx.work("DATA/")); },
                                    [&] { return lists->lastFailed(); }));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toInt(), 9);
    QCOMPARE(lists->getStep(), 0);
    QVERIFY(SequenceFixture::filesOf(m_fx.work("DATA")).isEmpty());
}

void ListTransfersStandInTest::stalledDeleteGivesCodeFive()
{
    SequenceFixture::writeFile(m_fx.tree(m_fx.account() + "/IMAGE/a.png"), "a");
    ListTransfers *lists = make();
    lists->setFolder("IMAGE");
    lists->setRemovalList({"a.png"});
    const TimeScale::ShortTimeouts shorter(50);
    QVERIFY(StandIn::fault("/zobox/json_Cmd.php", "noanswer", "DELETE_FILE", 3, 1000));
    QSignalSpy failed(lists, &ListTransfers::sequenceFailed);
    const qint64 mark = StandIn::mark();

    QVERIFY(!SequenceFixture::drive([&] { return lists->FtpRemoveListFile(); }, [&] { return lists->lastFailed(); }));
    QCOMPARE(failed.count(), 1);
    QCOMPARE(failed.at(0).at(0).toInt(), 5);
    const QString line = "DELETE_FILE " + m_fx.account() + "/IMAGE/a.png";
    QCOMPARE(SequenceFixture::requests(mark, 3), (QStringList{line, line, line}));
    QCOMPARE(lists->removalList(), QStringList{"a.png"});
}

void ListTransfersStandInTest::removeDirOrder()
{
    const QString folder = m_fx.tree(m_fx.account() + "/PLAYLIST-x/");
    SequenceFixture::writeFile(folder + "INFO.orvex", "i");
    SequenceFixture::writeFile(folder + "PLAYER.orvex", "p");
    ListTransfers *lists = make();
    lists->setFolder("PLAYLIST-x");
    const qint64 mark = StandIn::mark();

    QVERIFY(SequenceFixture::drive([&] { return lists->RemoveDir("PLAYLIST-x"); }, nullptr));
    const QString a = m_fx.account();
    QCOMPARE(SequenceFixture::requests(mark, 4),
             (QStringList{"SCANDIR " + a + "/PLAYLIST-x", "DELETE_FILE " + a + "/PLAYLIST-x/INFO.orvex",
                          "DELETE_FILE " + a + "/PLAYLIST-x/PLAYER.orvex", "DELETE_DIR " + a + "/PLAYLIST-x"}));
    QVERIFY(!QFileInfo::exists(folder));
    QCOMPARE(lists->folder(), QString());
}

void ListTransfersStandInTest::failedUpload_data()
{
    QTest::addColumn<bool>("oneFile");
    QTest::addColumn<int>("failures");
    QTest::addColumn<int>("code"); // 0: succeeds
    QTest::newRow("list upload answered 500 passed for sent") << false << 3 << 4;
    QTest::newRow("one-file upload answered 500 passed for sent") << true << 3 << 8;
    QTest::newRow("list upload, one 500 then sent") << false << 1 << 0;
    QTest::newRow("one-file upload, two 500 then sent") << true << 2 << 0;
}

void ListTransfersStandInTest::failedUpload()
{
    QFETCH(bool, oneFile);
    QFETCH(int, failures);
    QFETCH(int, code);
    QDir().mkpath(m_fx.tree(m_fx.account() + "/B1"));
    SequenceFixture::writeFile(m_fx.work("DATA/PLAYER.orvex"), "player");
    m_selected = "B1";
    ListTransfers *lists = make();
    lists->setFolder("B1");
    lists->setDeployBoxes({"B1"});
    m_fx.m_api->lists()->setTransferFiles({"PLAYER.orvex"});
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", m_fx.account(), failures));
    QSignalSpy failed(lists, &ListTransfers::sequenceFailed);
    const qint64 mark = StandIn::mark();

    const auto tick = [&] {
        return oneFile ? lists->FtpPutOneFile(m_fx.work("DATA/PLAYER.orvex"), "PLAYER.orvex")
                       : lists->FtpPutListFile(m_fx.work("DATA/"));
    };
    const bool done = SequenceFixture::drive(tick, [&] { return lists->lastFailed(); });
    QCOMPARE(done, code == 0);
    QCOMPARE(failed.count(), code == 0 ? 0 : 1);
    if (code != 0)
        QCOMPARE(failed.at(0).at(0).toInt(), code);
    const int tries = code == 0 ? failures + 1 : 3;
    const QString line = "UPLOAD " + m_fx.account() + "/B1/PLAYER.orvex";
    QCOMPARE(SequenceFixture::requests(mark, tries), QVector<QString>(tries, line).toList());
    QCOMPARE(QFileInfo::exists(m_fx.tree(m_fx.account() + "/B1/PLAYER.orvex")), code == 0);
    QCOMPARE(oneFile ? lists->putOneStep() : lists->putStep(), 0);
}

void ListTransfersStandInTest::oneCallPerTransfer_data()
{
    QTest::addColumn<QString>("sequence");
    QTest::addColumn<bool>("local");
    QTest::addColumn<int>("transfers");
    QTest::newRow("list upload waited a tick per step") << "putList" << false << 3;
    QTest::newRow("local list upload, one file per call") << "putList" << true << 3;
    QTest::newRow("one-file upload waited a tick per step") << "putOne" << false << 1;
    QTest::newRow("list removal waited a tick per step") << "removeList" << false << 3;
    QTest::newRow("folder download waited a tick per step") << "getList" << false << 4;
    QTest::newRow("local folder download, one file per call") << "getList" << true << 4;
    QTest::newRow("folder removal waited a tick per step") << "removeDir" << false << 5;
}

// Called once, then once after each transfer that ended, a sequence sends
// its next request in every call: the steps between two requests need no
// tick of their own. Local mode answers inside the call, and still sends
// one request per call, so that a long list never holds one tick.
void ListTransfersStandInTest::oneCallPerTransfer()
{
    QFETCH(QString, sequence);
    QFETCH(bool, local);
    QFETCH(int, transfers);
    const QString box = m_fx.tree(m_fx.account() + "/B1/");
    QDir().mkpath(box);
    const QStringList names{"a.png", "b.png", "c.png"};
    for (const QString &name : names) {
        SequenceFixture::writeFile(m_fx.work("IMAGE/") + name, name.toUtf8());
        if (sequence != "putList")
            SequenceFixture::writeFile(box + name, name.toUtf8());
    }
    m_selected = "B1";
    ListTransfers *lists = make(local);
    lists->setFolder("B1");
    lists->setDeployBoxes({"B1"});
    lists->setRemovalList(names);
    if (sequence == "putList")
        m_fx.m_api->lists()->setTransferFiles(names);
    const std::function<bool()> call = [&] {
        if (sequence == "putList")
            return lists->FtpPutListFile(m_fx.work("IMAGE/"));
        if (sequence == "putOne")
            return lists->FtpPutOneFile(m_fx.work("IMAGE/a.png"), "a.png");
        if (sequence == "removeList")
            return lists->FtpRemoveListFile();
        if (sequence == "getList")
            return lists->FtpGetListFile(m_fx.work("DATA/"));
        return lists->RemoveDir("B1");
    };
    QSignalSpy ended(m_fx.m_api.data(), &HttpFileApi::signalTransferEnded);
    int calls = 0;
    bool done = false;
    while (!done && calls <= 3 * transfers) {
        const int before = ended.count();
        ++calls;
        done = call();
        // Nothing sent and nothing ended in the call: no transfer would
        // ever bring the next call.
        if (!done && ended.count() == before && !ended.wait(10000))
            break;
    }
    QVERIFY(done);
    QVERIFY(!lists->lastFailed());
    QCOMPARE(ended.count(), transfers);
    QCOMPARE(calls, transfers + 1);
}

QTEST_GUILESS_MAIN(ListTransfersStandInTest)
#include "tst_listtransfers_standin.moc"

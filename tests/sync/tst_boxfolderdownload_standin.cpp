// The box folder download and the STATUS download against the stand-in
// (and the same tree in local mode), waits scaled by ZOMANAGER_TIME_SCALE.
#include "../transfer/SequenceFixture.h"
#include "BoxDownloadRig.h"
#include "BoxFolderDownload.h"
#include "ClassParam.h"
#include "ListTransfers.h"
#include "ParamFixture.h"
#include "RevisionCounters.h"
#include "TimeScale.h"
#include "TransferLists.h"
#include "TransferProgress.h"

#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <optional>

class BoxFolderDownloadTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void folderArrives_data();
    void folderArrives();
    void cancelDropsTheRequestInFlight();
    void listingFailureShowsOneBox_data();
    void listingFailureShowsOneBox();
    void statusFile_data();
    void statusFile();
    void statusWaitEndsDuringABoxDownload();

private:
    void build(bool local = false);

    SequenceFixture m_fx;
    QString m_selected = "B1";
    BoxDownloadRig m_rig;
    QStringList m_seen;
};

void BoxFolderDownloadTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void BoxFolderDownloadTest::init()
{
    m_fx.setUp();
    const QString folder = m_fx.tree(m_fx.account() + "/B1/");
    QVERIFY(QDir().mkpath(folder));
    QVERIFY(writeParams(folder + "PLAYER.orvex", {{"SLIDETYPE", "IMAGE"}, {"ID", "3"}}));
    QVERIFY(writeParams(folder + "INFO.orvex", {{"NOM_PROPRIETAIRE", "info"}}));
    QVERIFY(writeForeignParams(folder + "STATUS.orvex", {{"STATE", "2"}}));
    SequenceFixture::writeFile(folder + "Slide1.png", QByteArray(50000, 'x'));
    m_seen.clear();
    m_selected = "B1";
}

void BoxFolderDownloadTest::cleanup()
{
    m_rig.reset();
    m_fx.tearDown();
}

void BoxFolderDownloadTest::build(bool local)
{
    HttpFileApi *api = m_fx.makeApi(local);
    m_rig.build(api, m_fx.work(), [this] { return m_selected; });
    BoxFolderDownload *d = m_rig.download.data();
    connect(d, &BoxFolderDownload::signalBegin, [this] { m_seen << "begin"; });
    connect(d, &BoxFolderDownload::signalCleared, [this] { m_seen << "cleared"; });
    connect(d, &BoxFolderDownload::signalArrived, [this](bool refresh) { m_seen << QString("arrived %1").arg(refresh); });
    connect(d, &BoxFolderDownload::signalLayout, [this] { m_seen << "layout"; });
    connect(d, &BoxFolderDownload::signalFailed, [this] { m_seen << "failed"; });
    connect(d, &BoxFolderDownload::signalStatusEstMiseAJour, [this] { m_seen << "status"; });
    connect(d, &BoxFolderDownload::signalErreurConnexion, [this](int code) { m_seen << QString("error %1").arg(code); });
}

void BoxFolderDownloadTest::folderArrives_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<bool>("leftover"); // a side file a kill left in the box folder
    QTest::newRow("stand-in server") << false << false;
    QTest::newRow("local mode") << true << false;
    QTest::newRow("side file a kill left on the server downloaded into DATA") << false << true;
    QTest::newRow("local mode, side file a kill left in the box folder downloaded into DATA") << true << true;
}

void BoxFolderDownloadTest::folderArrives()
{
    QFETCH(bool, local);
    QFETCH(bool, leftover);
    const QString side = m_fx.tree(m_fx.account() + "/B1/.~Slide2.png.part");
    if (leftover)
        SequenceFixture::writeFile(side, "half a copy");
    build(local);
    // The previous box's files must not stay beside the new ones.
    SequenceFixture::writeFile(m_fx.work("DATA/old.png"), "previous box");
    SequenceFixture::writeFile(m_fx.work("DATA/INFO.orvex"), "previous info");

    m_rig.download->start();
    QTRY_COMPARE_WITH_TIMEOUT(m_seen, (QStringList{"begin", "cleared", "arrived 1", "layout"}), 10000);
    auto boxFiles = SequenceFixture::filesOf(m_fx.tree(m_fx.account() + "/B1"));
    // Not the console's to remove there: only a login clears what is stale.
    QCOMPARE(boxFiles.take(".~Slide2.png.part").isNull(), !leftover);
    QCOMPARE(SequenceFixture::filesOf(m_fx.work("DATA")), boxFiles);
    QCOMPARE(m_rig.revisions->playerCounter(), 3);
    QVERIFY(!m_rig.boxTimer->isActive());
    QCOMPARE(m_rig.download->boxStep(), 0);
    QVERIFY(!m_rig.download->running());
}

void BoxFolderDownloadTest::cancelDropsTheRequestInFlight()
{
    build();
    QVERIFY(StandIn::fault(QString(), "delay", m_fx.account() + "/B1/Slide1.png", 1, 800));
    m_rig.download->start();
    QTRY_VERIFY_WITH_TIMEOUT(m_fx.m_api->statusLabel().contains("Slide1.png"), 10000);
    m_rig.download->cancel();
    QVERIFY(!m_rig.download->running());
    QTest::qWait(1200);
    QVERIFY(!QFileInfo::exists(m_fx.work("DATA/Slide1.png")));
    QCOMPARE(m_fx.m_api->requestsInFlight(), 0);
    QVERIFY(!m_seen.contains("arrived 1"));
}

void BoxFolderDownloadTest::listingFailureShowsOneBox_data()
{
    QTest::addColumn<bool>("local");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("fault");
    QTest::newRow("listing answered 500 showed boxes without end") << false << "B1" << "500";
    QTest::newRow("box without server folder showed boxes without end") << false << "B9" << "";
    QTest::newRow("local mode, missing local folder showed boxes without end") << true << "B9" << "";
}

void BoxFolderDownloadTest::listingFailureShowsOneBox()
{
    QFETCH(bool, local);
    QFETCH(QString, box);
    QFETCH(QString, fault);
    build(local);
    m_selected = box;
    if (!fault.isEmpty())
        QVERIFY(StandIn::fault(QString(), fault, "PathScanDir=" + m_fx.account() + "/" + box, 20));
    // The panel's error box is modal: timers and replies go on while it is
    // open, until the user answers (here after twenty 10 ms ticks).
    int boxes = 0;
    const QMetaObject::Connection shown = connect(m_rig.lists.data(), &ListTransfers::sequenceFailed, this, [&](int code) {
        m_seen << QString("box %1").arg(code);
        if (++boxes > 3) { // the fault: boxes without end; stop them
            m_rig.boxTimer->stop();
            return;
        }
        QEventLoop open;
        int ticks = 0;
        QTimer reader;
        reader.setInterval(10);
        connect(&reader, &QTimer::timeout, &open, [&] {
            if (++ticks >= 20)
                open.quit();
        });
        reader.start();
        open.exec();
    });
    const qint64 mark = local ? 0 : StandIn::mark();

    m_rig.download->start();
    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.download->running(), 20000);
    QCOMPARE(boxes, 1);
    QCOMPARE(m_seen, (QStringList{"begin", "cleared", "box 9", "failed"}));
    QCOMPARE(m_rig.lists->getStep(), 0);
    if (!local) {
        const QString scan = "SCANDIR " + m_fx.account() + "/" + box;
        QCOMPARE(SequenceFixture::requests(mark, 3), QVector<QString>(3, scan).toList());
    }
    // Nothing starts again behind the answered box.
    QTest::qWait(100);
    QVERIFY(!m_rig.download->running());
    QCOMPARE(boxes, 1);
    disconnect(shown);
}

void BoxFolderDownloadTest::statusFile_data()
{
    QTest::addColumn<bool>("answered");
    QTest::newRow("fetched after the wait") << true;
    QTest::newRow("nothing answers: code 10") << false;
}

void BoxFolderDownloadTest::statusFile()
{
    QFETCH(bool, answered);
    build();
    SequenceFixture::writeFile(m_fx.work("DATA/STATUS.orvex"), "old report");
    // Unanswered tries are about the try time-out: only then is it shortened.
    std::optional<TimeScale::ShortTimeouts> shorter;
    if (!answered) {
        shorter.emplace(50);
        QVERIFY(StandIn::fault(QString(), "noanswer", m_fx.account() + "/B1/STATUS.orvex", 3, 1000));
    }
    const qint64 mark = StandIn::mark();
    QElapsedTimer clock;
    clock.start();

    m_rig.download->slotDownloadStatus();
    // Nothing is asked during the wait (60 s scaled down).
    QTest::qWait(800);
    QCOMPARE(SequenceFixture::requests(mark), QStringList{});
    QCOMPARE(m_rig.download->statusStep(), 1);

    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.statusTimer->isActive(), 10000);
    QVERIFY(clock.elapsed() >= 60000 / 50);
    const QString get = "GET /zobox/" + m_fx.account() + "/B1/STATUS.orvex";
    QCOMPARE(m_seen, QStringList{answered ? "status" : "error 10"});
    QCOMPARE(SequenceFixture::requests(mark, answered ? 1 : 3), QVector<QString>(answered ? 1 : 3, get).toList());
    QCOMPARE(SequenceFixture::readFile(m_fx.work("DATA/STATUS.orvex")),
             answered ? SequenceFixture::readFile(m_fx.tree(m_fx.account() + "/B1/STATUS.orvex"))
                      : QByteArray("<missing>"));
    QVERIFY(!m_rig.download->refreshInfo());
}

void BoxFolderDownloadTest::statusWaitEndsDuringABoxDownload()
{
    const QString folder = m_fx.tree(m_fx.account() + "/B1/");
    SequenceFixture::writeFile(folder + "Slide2.png", QByteArray(40000, 'y'));
    SequenceFixture::writeFile(folder + "Slide3.png", QByteArray(30000, 'z'));
    build();
    // Each slide answers late, short of a stall: the box download outlasts
    // the STATUS download's wait.
    QVERIFY(StandIn::fault(QString(), "delay", m_fx.account() + "/B1/Slide", 3, 700));
    m_rig.download->slotDownloadStatus();
    m_rig.download->start();
    QTRY_VERIFY_WITH_TIMEOUT(!m_rig.statusTimer->isActive() && !m_rig.download->running(), 15000);
    QCOMPARE(m_seen, (QStringList{"begin", "cleared", "arrived 1", "layout", "status"}));
    QCOMPARE(SequenceFixture::filesOf(m_fx.work("DATA")), SequenceFixture::filesOf(folder));
}

QTEST_GUILESS_MAIN(BoxFolderDownloadTest)
#include "tst_boxfolderdownload_standin.moc"

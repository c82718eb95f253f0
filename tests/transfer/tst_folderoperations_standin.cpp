// Folder create / rename / remove against the stand-in: the requests in
// order, the default-file copies and the one call into the account
// deployment at the end, whatever happened.
#include "../sync/ParamFixture.h"
#include "FolderOperations.h"
#include "ListTransfers.h"
#include "SequenceFixture.h"
#include "TransferSlots.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class FolderOperationsStandInTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void operations_data();
    void operations();

private:
    SequenceFixture m_fx;
};

void FolderOperationsStandInTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void FolderOperationsStandInTest::init()
{
    m_fx.setUp();
}

void FolderOperationsStandInTest::cleanup()
{
    QFile::remove(m_fx.tree("DEFAULT/PLAYER.orvex"));
    QFile::remove(m_fx.tree("DEFAULT/INFO.orvex"));
    m_fx.tearDown();
}

void FolderOperationsStandInTest::operations_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("newFolder");
    QTest::addColumn<bool>("defaults");    // DEFAULT holds PLAYER.orvex and INFO.orvex
    QTest::addColumn<QStringList>("sent"); // %A: the account folder
    QTest::addColumn<QStringList>("boxes"); // information boxes
    QTest::addColumn<QStringList>("folder"); // files of the folder afterwards; "-": gone
    QTest::addColumn<QString>("refused");    // the server answers 500 to this command

    const QString D = "GET /zobox/DEFAULT/";
    QTest::newRow("create copies the default files")
        << 0 << "" << true
        << QStringList{"CREATE_DIR %A/PLAYLIST-x", D + "PLAYER.orvex", "UPLOAD %A/PLAYLIST-x/PLAYER.orvex",
                       D + "INFO.orvex", "UPLOAD %A/PLAYLIST-x/INFO.orvex"}
        << QStringList{} << QStringList{"INFO.orvex", "PLAYER.orvex"} << "";
    QTest::newRow("DEFAULT missing: stale TEMP copy was uploaded")
        << 0 << "" << false << QStringList{"CREATE_DIR %A/PLAYLIST-x", D + "PLAYER.orvex"}
        << QStringList{"Envoi du fichier PLAYER.orvex impossible ou le débit internet est trop lent!!!"}
        << QStringList{} << "";
    QTest::newRow("rename sends one request") << 1 << "PLAYLIST-y" << true
                                              << QStringList{"RENAME_DIR_FILE %A/PLAYLIST-x %A/PLAYLIST-y"}
                                              << QStringList{} << QStringList{"-"} << "";
    QTest::newRow("remove lists, deletes each file, then the folder")
        << 3 << "" << true
        << QStringList{"SCANDIR %A/PLAYLIST-x", "DELETE_FILE %A/PLAYLIST-x/old.orvex", "DELETE_DIR %A/PLAYLIST-x"}
        << QStringList{} << QStringList{"-"} << "";
    QTest::newRow("removal refused by the server showed nothing")
        << 3 << "" << false
        << QStringList{"SCANDIR %A/PLAYLIST-x", "DELETE_FILE %A/PLAYLIST-x/old.orvex", "DELETE_DIR %A/PLAYLIST-x"}
        << QStringList{"Suppression du dossier PLAYLIST-x impossible!!!"} << QStringList{} << "DELETE_DIR";
}

void FolderOperationsStandInTest::operations()
{
    QFETCH(int, status);
    QFETCH(QString, newFolder);
    QFETCH(bool, defaults);
    QFETCH(QStringList, sent);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, folder);
    QFETCH(QString, refused);
    if (!refused.isEmpty())
        QVERIFY(StandIn::fault("/zobox/json_Cmd.php", "500", refused, 3));
    if (status != 0)
        SequenceFixture::writeFile(m_fx.tree(m_fx.account() + "/PLAYLIST-x/old.orvex"), "old");
    if (defaults) {
        SequenceFixture::writeFile(m_fx.tree("DEFAULT/PLAYER.orvex"), paramText("default player"));
        SequenceFixture::writeFile(m_fx.tree("DEFAULT/INFO.orvex"), paramText("default info"));
    }
    SequenceFixture::writeFile(m_fx.work("TEMP/PLAYER.orvex"), "stale copy");

    HttpFileApi *api = m_fx.makeApi();
    ListTransfers lists(api);
    TransferSlots transferSlots(api);
    QTimer timer;
    timer.setInterval(1);
    FolderOperations ops(api, &lists, &transferSlots, &timer);
    ops.setWorkFolder(m_fx.work());
    connect(&timer, &QTimer::timeout, &ops, &FolderOperations::slotProcessFolder);
    QStringList shown;
    connect(&ops, &FolderOperations::signalInformation, [&](QString title, QString text) {
        QCOMPARE(title, QString("FTP"));
        shown << text;
    });
    QSignalSpy finished(&ops, &FolderOperations::signalFinished);
    QSignalSpy overlayOff(&ops, &FolderOperations::signalMessageOnlyOFF);
    const qint64 mark = StandIn::mark();

    ops.slotFolder(status, "PLAYLIST-x", newFolder);
    QVERIFY(finished.wait(10000));
    QTest::qWait(200);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(overlayOff.count(), 1);
    QVERIFY(!timer.isActive());
    QCOMPARE(ops.lastOk(), boxes.isEmpty());
    QCOMPARE(shown, boxes);
    QCOMPARE(SequenceFixture::requests(mark, sent.size()), sent.replaceInStrings("%A", m_fx.account()));

    const QString target = m_fx.tree(m_fx.account() + "/PLAYLIST-x");
    if (folder == QStringList{"-"}) {
        QVERIFY(!QFileInfo::exists(target));
    } else {
        QCOMPARE(SequenceFixture::filesOf(target).keys(), folder);
        if (defaults)
            QCOMPARE(SequenceFixture::readFile(target + "/PLAYER.orvex"), paramText("default player"));
    }
}

QTEST_GUILESS_MAIN(FolderOperationsStandInTest)
#include "tst_folderoperations_standin.moc"

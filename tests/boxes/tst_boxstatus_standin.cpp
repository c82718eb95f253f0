// The status page end to end: the panel's command sequence uploads the check's
// COMMAND.orvex, the box simulator answers in the box folder, the STATUS
// download brings the report and the page shows it. Waits scaled by
// ZOMANAGER_TIME_SCALE (the simulator reads it too).
#include "../sync/BoxDownloadRig.h"
#include "../sync/ParamFixture.h"
#include "../transfer/SequenceFixture.h"
#include "BoxFolderDownload.h"
#include "CommandReport.h"
#include "ListTransfers.h"
#include "RevisionCounters.h"
#include "TransferProgress.h"
#include "ZoTestInit.h"
#include "classStatistiques.h"

#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

class BoxStatusStandInTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void checkThroughTheBox();
    void rebootReachesTheBox();

private:
    QString box(const QString &name = QString()) const { return m_fx.tree(m_fx.account() + "/B1/") + name; }
    QStringList recorded() const
    {
        const QByteArray text = SequenceFixture::readFile(m_record);
        return text == "<missing>" ? QStringList() : QString::fromUtf8(text).split('\n', Qt::SkipEmptyParts);
    }

    SequenceFixture m_fx;
    QString m_record;
    BoxDownloadRig m_rig;
    QScopedPointer<QTimer> m_commandTimer;
    QScopedPointer<QTimer> m_reportTimer;
    QScopedPointer<CommandReport> m_commands;
    QScopedPointer<classStatistiques> m_page;
    QScopedPointer<QProcess> m_box;
};

void BoxStatusStandInTest::initTestCase()
{
    zoInitWidgetTest();
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void BoxStatusStandInTest::init()
{
    m_fx.setUp();
    QVERIFY(QDir().mkpath(box()));
    QVERIFY(writeParams(box("PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}, {"ID", "3"}}));
    QVERIFY(writeParams(box("BOX.orvex"), {{"MARQUE", "Orvex"}, {"NUMEROSERIE", "B1"}, {"VERSION", "2.4.1"}}));
    QVERIFY(writeParams(box("STATUS.orvex"), {{"STATE", "0"}}));
    SequenceFixture::writeFile(box("EVENTS.orvex"), "2026-12-09 08:00:00 | démarrage\n");

    HttpFileApi *api = m_fx.makeApi();
    m_rig.build(api, m_fx.work(), [] { return QStringLiteral("B1"); });
    // The panel's command sequence on timers of its own.
    m_commandTimer.reset(new QTimer);
    m_commandTimer->setInterval(50);
    m_reportTimer.reset(new QTimer);
    m_commands.reset(new CommandReport(api, m_rig.lists.data(), m_commandTimer.data(), m_reportTimer.data()));
    m_commands->setWorkFolder(m_fx.work());
    m_commands->setSelectedBox([] { return QStringLiteral("B1"); });
    connect(m_commandTimer.data(), &QTimer::timeout, m_commands.data(), &CommandReport::slotProcessDeployCommandeTimer);

    // The page, wired as the top window wires it to the panel.
    m_page.reset(new classStatistiques);
    m_page->resize(1280, 800);
    connect(m_page.data(), &classStatistiques::signalCommandZobox, m_commands.data(),
            &CommandReport::slotProcessDeployCommande);
    connect(m_page.data(), &classStatistiques::signalDownloadStatus, m_rig.download.data(),
            &BoxFolderDownload::slotDownloadStatus);
    connect(m_rig.download.data(), &BoxFolderDownload::signalStatusEstMiseAJour, m_page.data(),
            &classStatistiques::slotStatusEstAJour);
    connect(m_rig.download.data(), &BoxFolderDownload::signalLayout, m_page.data(), &classStatistiques::slotClear);

    // The box is chosen: its folder comes into DATA/.
    QSignalSpy chosen(m_rig.download.data(), &BoxFolderDownload::signalLayout);
    m_rig.download->start();
    QTRY_COMPARE_WITH_TIMEOUT(chosen.count(), 1, 10000);
    QVERIFY(QFile::exists(m_fx.work("DATA/EVENTS.orvex")));

    m_record = m_fx.m_dir->filePath("box-commands.txt");
    m_box.reset(new QProcess);
    m_box->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Reports only when a check asks: that report is the one compared.
    m_box->start(qEnvironmentVariable("ZO_BIN_DIR") + "/zoboxsim",
                 {StandIn::root(), "--account", m_fx.account(), "--record", m_record, "--state", "0", "--interval",
                  "500", "--delay", "5000", "--report", "0"});
    QVERIFY(m_box->waitForStarted(5000));
    QVERIFY(m_box->waitForReadyRead(5000));
    QVERIFY(m_box->readAllStandardOutput().contains("watching"));
}

void BoxStatusStandInTest::cleanup()
{
    if (m_box) {
        m_box->terminate();
        if (!m_box->waitForFinished(3000))
            m_box->kill();
        m_box->waitForFinished(3000);
    }
    m_box.reset();
    m_page.reset();
    m_commands.reset();
    m_rig.reset();
    m_fx.tearDown();
}

void BoxStatusStandInTest::checkThroughTheBox()
{
    const qint64 mark = StandIn::mark();
    m_page->checkButton()->click();
    QVERIFY(m_page->waiting());

    // The box gets the command file and answers it.
    QTRY_COMPARE_WITH_TIMEOUT(recorded(), QStringList{m_fx.account() + "/B1 UPLOADEVENTS"}, 10000);
    QVERIFY(!QFile::exists(box("COMMAND.orvex")));
    // The page completes once the report is fetched after the wait.
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->waiting(), 15000);
    const QStringList requests = SequenceFixture::requests(mark);
    QVERIFY2(requests.contains("UPLOAD " + m_fx.account() + "/B1/COMMAND.orvex"), qPrintable(requests.join('\n')));
    QVERIFY(requests.contains("GET /zobox/" + m_fx.account() + "/B1/STATUS.orvex"));
    QCOMPARE(SequenceFixture::readFile(m_fx.work("DATA/STATUS.orvex")), SequenceFixture::readFile(box("STATUS.orvex")));

    // STATE "0" from the box: the row says done only because the prints match.
    QCOMPARE(m_page->statusTexts().at(2)->text(), QStringLiteral("Mise à jour effectuée."));
    QVERIFY(m_page->checkButton()->text().startsWith("Vérifié le "));
    QVERIFY(m_page->checkButton()->isEnabled());
    QCOMPARE(m_page->factoryValues().at(2)->text(), QStringLiteral("B1"));
    // The log shown is the one fetched with the box folder.
    QCOMPARE(m_page->eventBox()->toPlainText(), QStringLiteral("2026-12-09 08:00:00 | démarrage\n"));

    // Choosing the box again brings the log the box has uploaded since.
    QSignalSpy chosen(m_rig.download.data(), &BoxFolderDownload::signalLayout);
    m_rig.download->start();
    QTRY_COMPARE_WITH_TIMEOUT(chosen.count(), 1, 10000);
    QCOMPARE(m_page->eventBox()->toPlainText(), QString());
    m_page->checkButton()->click();
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->waiting(), 15000);
    QVERIFY(m_page->eventBox()->toPlainText().contains("Envoi des événements demandé"));
    QCOMPARE(recorded().size(), 2);
}

void BoxStatusStandInTest::rebootReachesTheBox()
{
    QSignalSpy back(m_page.data(), &classStatistiques::signalButton);
    QSignalSpy confirmed(m_commands.data(), &CommandReport::signalTermineReboot);
    m_page->findChild<QPushButton *>("REBOOT")->click();
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.first().first().toInt(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(recorded(), QStringList{m_fx.account() + "/B1 REBOOT"}, 10000);
    QTRY_COMPARE(confirmed.count(), 1);
    QVERIFY(!m_commands->commandRunning());
    QVERIFY(!QFile::exists(box("COMMAND.orvex")));
    // A reboot asks no status: the report stays the box's old one.
    QVERIFY(QFile::exists(m_fx.work("DATA/STATUS.orvex")));
    QVERIFY(SequenceFixture::readFile(box("EVENTS.orvex")).contains("Redémarrage demandé"));
}

QTEST_MAIN(BoxStatusStandInTest)
#include "tst_boxstatus_standin.moc"

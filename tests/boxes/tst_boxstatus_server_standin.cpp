// The status page end to end through the real panel, logged in against the
// stand-in: the panel's command sequence uploads COMMAND.orvex into the box
// folder, the box simulator answers, the panel's STATUS fetch completes the
// check; a reboot is confirmed only once its command file arrived. Waits
// scaled by ZOMANAGER_TIME_SCALE (the simulator reads it too).
#include "../console/BoxCover.h"
#include "../console/ServerDemo.h"
#include "BoxDeployment.h"
#include "BoxFiles.h"
#include "ClassParam.h"
#include "BoxFolderDownload.h"
#include "CommandReport.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "classStatistiques.h"

#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

class BoxStatusServerTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void checkThroughThePanel();
    void rebootConfirmedOnceArrived();
    void rebootThatCannotArriveIsNotConfirmed();
    void deployedBoxShownUpToDate();

private:
    QStringList recorded() const
    {
        QFile file(m_record);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                              : QStringList();
    }
    // Command files the stand-in took for the chosen box since `mark`.
    int commandUploads(qint64 mark) const
    {
        int count = 0;
        for (const QJsonObject &entry : StandIn::entries(mark, m_demo.account(), 0, 0)) {
            if (entry.value("route").toString() == "/zobox/upload.php"
                && entry.value("query").toObject().value("Upload_Path").toString().endsWith("/" + m_serial + "/")
                && entry.value("upload").toObject().value("name").toString() == "COMMAND.orvex"
                && entry.value("status").toInt(200) == 200)
                ++count;
        }
        return count;
    }
    void showStatusPage();

    ServerDemo m_demo;
    QString m_record;
    QString m_serial;
    classStatistiques *m_page = nullptr;
    CommandReport *m_commands = nullptr;
    QProcess m_box;
};

void BoxStatusServerTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    QVERIFY(m_demo.prepare(QStringLiteral("e2b")));
    m_record = m_demo.work("box-commands.txt");
    m_box.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Reports only when a check asks: that report is the one compared.
    m_box.start(qEnvironmentVariable("ZO_BIN_DIR") + "/zoboxsim",
                {StandIn::root(), "--account", m_demo.account(), "--record", m_record, "--state", "0", "--interval",
                 "500", "--delay", "5000", "--report", "0"});
    QVERIFY(m_box.waitForStarted(5000));
    QVERIFY(m_box.waitForReadyRead(5000));
    QVERIFY(m_box.readAllStandardOutput().contains("watching"));

    QVERIFY(m_demo.start());
    m_page = m_demo.window()->findChild<classStatistiques *>();
    m_commands = m_demo.panel()->findChild<CommandReport *>();
    QVERIFY(m_page && m_commands);
    auto *screens = m_demo.panel()->findChild<QListWidget *>("screensList");
    screens->setCurrentRow(0);
    m_serial = screens->currentItem()->text();
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_demo.work("DATA/BOX.orvex")), 20000);
    QTRY_VERIFY(!m_demo.panel()->boxDownload()->running());
    QVERIFY(QFile::exists(m_demo.server(m_serial + "/PLAYER.orvex")));
}

void BoxStatusServerTest::cleanupTestCase()
{
    m_box.terminate();
    if (!m_box.waitForFinished(3000))
        m_box.kill();
    m_box.waitForFinished(3000);
    m_demo.stop();
}

void BoxStatusServerTest::showStatusPage()
{
    m_demo.window()->slotButtons(2);
    QTRY_COMPARE(m_demo.window()->stack()->currentWidget(), static_cast<QWidget *>(m_page));
}

void BoxStatusServerTest::checkThroughThePanel()
{
    showStatusPage();
    const qint64 mark = StandIn::mark();
    m_page->checkButton()->click();
    QVERIFY(m_page->waiting());

    // The panel's command sequence puts the word in the box folder; the box
    // takes it and answers with its report.
    QTRY_COMPARE_WITH_TIMEOUT(recorded(), QStringList{m_demo.account() + "/" + m_serial + " UPLOADEVENTS"}, 10000);
    QCOMPARE(commandUploads(mark), 1);
    QVERIFY(!QFile::exists(m_demo.server(m_serial + "/COMMAND.orvex")));
    QTRY_VERIFY_WITH_TIMEOUT(!m_page->waiting(), 15000);
    QCOMPARE(StandIn::entries(mark, m_demo.account() + "/" + m_serial + "/STATUS.orvex").size(), 1);
    QCOMPARE(QFile(m_demo.work("DATA/STATUS.orvex")).size(), QFile(m_demo.server(m_serial + "/STATUS.orvex")).size());

    // STATE "0" from the box: done only because the box runs the deployed list.
    QCOMPARE(m_page->statusTexts().at(2)->text(), QStringLiteral("Mise à jour effectuée."));
    QVERIFY2(m_page->checkButton()->text().startsWith("Vérifié le "), qPrintable(m_page->checkButton()->text()));
    QVERIFY(m_page->checkButton()->isEnabled());
    QCOMPARE(m_page->factoryValues().at(2)->text(), m_serial);
    QVERIFY(!m_page->eventBox()->toPlainText().startsWith("Recherche en cours"));
    QVERIFY(!m_commands->commandRunning());
    QVERIFY(!m_demo.panel()->messageOverlay()->isVisible());
    QTest::qWait(200);
    saveScreenshot(m_demo.window(), "box-status-server.png");
}

void BoxStatusServerTest::rebootConfirmedOnceArrived()
{
    showStatusPage();
    const qint64 mark = StandIn::mark();
    int arrivedWhenShown = -1;
    ModalAnswerer answerer;
    answerer.answer([&](QDialog *d) {
        arrivedWhenShown = commandUploads(mark);
        d->findChild<QAbstractButton *>("valider")->click();
    });
    m_page->findChild<QPushButton *>("REBOOT")->click();
    // Back to the panel at once, where the sequence shows.
    QTRY_COMPARE(m_demo.window()->stack()->currentIndex(), 0);
    QVERIFY(answerer.waitUntilDone(10000));
    QCOMPARE(answerer.texts(),
             QStringList{QStringLiteral("Commande envoyée!!! Le boitîer va redémarrer dans environ 30 secondes!!!")});
    QCOMPARE(arrivedWhenShown, 1);
    QTRY_VERIFY_WITH_TIMEOUT(recorded().contains(m_demo.account() + "/" + m_serial + " REBOOT"), 10000);
    QVERIFY(!m_commands->commandRunning());
}

void BoxStatusServerTest::rebootThatCannotArriveIsNotConfirmed()
{
    showStatusPage();
    const qint64 mark = StandIn::mark();
    const int before = recorded().size();
    // Every upload into the box folder fails, each try.
    const QString folder = m_demo.account() + "/" + m_serial + "/";
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", folder, 10));
    ModalAnswerer answerer;
    m_page->findChild<QPushButton *>("REBOOT")->click();
    QTRY_VERIFY_WITH_TIMEOUT(answerer.answered() >= 1, 20000);
    QTRY_VERIFY(!m_commands->commandRunning());
    QTest::qWait(300);
    // The connection error box, once; never the confirmation.
    QCOMPARE(answerer.texts().size(), 1);
    QVERIFY2(answerer.texts().first().startsWith("Problème de connexion au serveur"), qPrintable(answerer.texts().first()));
    QCOMPARE(commandUploads(mark), 0);
    QCOMPARE(recorded().size(), before);
    QVERIFY(StandIn::reset(folder));
    QVERIFY(!m_demo.panel()->messageOverlay()->isVisible());
}

// After "Déployer", the box takes the new list and reports it; the next
// status poll showed "Visuels non à jour" all the same.
void BoxStatusServerTest::deployedBoxShownUpToDate()
{
    m_demo.window()->slotButtons(0);
    QTRY_VERIFY(!m_demo.panel()->boxDownload()->running());
    ModalAnswerer answerer;
    answerer.confirm().confirm();
    m_demo.panel()->slotDeploiement();
    QVERIFY(answerer.waitUntilDone(60000));
    QVERIFY2(answerer.done(), qPrintable(answerer.texts().join(" / ")));
    QCOMPARE(answerer.texts().last(), QStringLiteral("Déploiement terminé avec succés!!"));
    QTRY_VERIFY(!m_demo.panel()->boxDeployment()->running());

    ClassParam print;
    const QString deployed = print.getParamCrypt(m_demo.server(m_serial + "/PLAYER.orvex"), "EMPREINTE", 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        BoxFiles::sameFingerprint(print.getParamCrypt(m_demo.server(m_serial + "/STATUS.orvex"), "EMPREINTE", 0),
                                  deployed),
        10000);
    QVERIFY(pollBoxStatusOnce(m_demo.panel()));
    QTRY_VERIFY(boxCover(m_demo.panel(), m_serial));
    QVERIFY2(boxCover(m_demo.panel(), m_serial)->captions().contains(QStringLiteral("Visuels à jour")),
             qPrintable(boxCover(m_demo.panel(), m_serial)->captions().join(" / ")));
    QTest::qWait(300);
    QVERIFY(saveScreenshot(m_demo.window(), QStringLiteral("panel-after-deploy-server.png")));
}

QTEST_MAIN(BoxStatusServerTest)
#include "tst_boxstatus_server_standin.moc"

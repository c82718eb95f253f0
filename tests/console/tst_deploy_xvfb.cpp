#include "AnimationStackedWidget.h"
#include "BoxCover.h"
#include "BoxFiles.h"
#include "BoxDeployment.h"
#include "BoxFolderDownload.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "RevisionCounters.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"
#include "classVersion.h"

#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QScopeGuard>
#include <QToolButton>
#include <QLabel>
#include <QListWidget>
#include <QtTest>

// "Déployer" on the demo account in local mode: the box choice, the overlay
// with its deploy picture and progress bars while a box is served, the
// success message, the box folder written and no password in the logs.
class TestDeploy : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void doubleClickDeployedUnseen();
    void deployTheSelectedScreen();

private:
    QListWidget *list(const char *name) const { return m_panel->findChild<QListWidget *>(QLatin1String(name)); }
    QString server(const QString &relative) const { return m_work + "/server/zolink/zobox/zo_demo/" + relative; }

    QTemporaryDir m_dir;
    QString m_work;
    classPrincipal *m_panel = nullptr;
    // The demo's boxes, as scripts/run plays them.
    QProcess m_boxes;
};

void TestDeploy::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));
    m_boxes.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_boxes.start(qEnvironmentVariable("ZO_BIN_DIR") + "/zoboxsim",
                  {m_work + "/server/zolink/zobox", "--interval", "200", "--report", "0"});
    QVERIFY(m_boxes.waitForStarted(5000));
    QVERIFY(m_boxes.waitForReadyRead(5000));
    QVERIFY(m_boxes.readAllStandardOutput().contains("watching"));
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_panel = new classPrincipal;
    connect(m_panel, &classPrincipal::SignalUpdateMediaFile, m_panel, &classPrincipal::slotUpdateMediaFinish);
    m_panel->slotMinimumSize(1280, 800);
    m_panel->show();
    QString box;
    QVERIFY2(waitPanelShown(m_panel, &box), qPrintable(box));
}

void TestDeploy::cleanupTestCase()
{
    delete m_panel;
    qunsetenv("ZOMANAGER_WORKDIR");
    m_boxes.terminate();
    if (!m_boxes.waitForFinished(3000))
        m_boxes.kill();
    m_boxes.waitForFinished(3000);
}

// Each file of a folder with its bytes.
static QMap<QString, QByteArray> folderBytes(const QString &folder)
{
    QMap<QString, QByteArray> bytes;
    QDirIterator files(folder, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        bytes.insert(file.fileName(), file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>"));
    }
    return bytes;
}

void TestDeploy::doubleClickDeployedUnseen()
{
    list("groupList")->setCurrentRow(0);
    list("screensList")->setCurrentRow(0);
    QTRY_VERIFY(!m_panel->boxDownload()->running());
    QTRY_VERIFY(list("posterList")->count() > 0 && !m_panel->messageOverlay()->isVisible());
    const QString box = list("screensList")->currentItem()->text();
    const QMap<QString, QByteArray> before = folderBytes(server(box));
    QVERIFY(!before.isEmpty());
    QToolButton *deploy = nullptr;
    for (QToolButton *button : m_panel->findChildren<QToolButton *>())
        deploy = button->text() == QStringLiteral("Déployer") && button->isVisible() ? button : deploy;
    QVERIFY(deploy);
    QTRY_VERIFY(deploy->isEnabled());

    // The second click of the double click lands on the box choice's OK as
    // it opens under the pointer; however slow the machine, it stays within
    // the double-click interval.
    const int interval = QApplication::doubleClickInterval();
    auto restore = qScopeGuard([interval] { QApplication::setDoubleClickInterval(interval); });
    QApplication::setDoubleClickInterval(600000);
    bool stayedOpen = false;
    ModalAnswerer answerer;
    answerer.answer([&stayedOpen](QDialog *d) {
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("valider")), Qt::LeftButton);
        stayedOpen = !d->isHidden();
        if (stayedOpen)
            QTest::keyClick(d, Qt::Key_Escape);
    });
    QTest::mouseClick(deploy, Qt::LeftButton);
    QVERIFY(answerer.waitUntilDone(30000));
    QTRY_VERIFY(!m_panel->boxDeployment()->running());
    QVERIFY(stayedOpen);
    QVERIFY2(answerer.done(), qPrintable(answerer.texts().join(" / ")));
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Sélectionnez le/les groupe(s)")});
    QCOMPARE(folderBytes(server(box)), before);
}

void TestDeploy::deployTheSelectedScreen()
{
    list("groupList")->setCurrentRow(0);
    list("screensList")->setCurrentRow(0);
    QTRY_VERIFY(!m_panel->boxDownload()->running());
    QTRY_VERIFY(list("posterList")->count() > 0 && !m_panel->messageOverlay()->isVisible());
    const QString box = m_panel->findChild<QListWidget *>("screensList")->currentItem()->text();
    const int counter = m_panel->revisions()->playerCounter();

    // While a box is served: the progress of its upload, then the picture.
    bool grabbed = false;
    QString shownBox;
    connect(m_panel->boxDeployment(), &BoxDeployment::signalDeployBox, this, [&](QString serving) {
        if (serving.isEmpty() || grabbed)
            return;
        shownBox = m_panel->messageOverlay()->titleLabel()->text();
        m_panel->updateDataTransferProgress(0, 40000);
        m_panel->updateDataTransferProgress(26000, 40000);
        QTest::qWait(300);
        grabbed = saveScreenshot(m_panel, QStringLiteral("deploy-overlay.png"));
    });

    ModalAnswerer answerer;
    answerer.grabAs(QStringLiteral("deploy-choice.png")).confirm().confirm();
    m_panel->slotDeploiement();
    QVERIFY(answerer.waitUntilDone(30000));
    QVERIFY2(answerer.done(), qPrintable(answerer.texts().join(" / ")));
    QCOMPARE(answerer.texts().last(), QStringLiteral("Déploiement terminé avec succés!!"));
    QVERIFY(grabbed);
    QCOMPARE(shownBox, box);
    QTRY_VERIFY(!m_panel->boxDeployment()->running());
    QVERIFY(!m_panel->messageOverlay()->isVisible());

    ClassParam read;
    QCOMPARE(read.getParamCrypt(server(box + "/PLAYER.orvex"), "VERSION", 1), QString("310"));
    QCOMPARE(read.getParamCrypt(server(box + "/PLAYER.orvex"), "ID", 1), QString::number(counter + 1));
    QCOMPARE(m_panel->revisions()->playerCounter(), counter + 1);

    // The box takes the new list and reports it; the next status poll shows
    // its visuals up to date (they stayed "Visuels non à jour" for ever).
    ClassParam print;
    const QString deployed = print.getParamCrypt(server(box + "/PLAYER.orvex"), "EMPREINTE", 0);
    QTRY_VERIFY_WITH_TIMEOUT(
        BoxFiles::sameFingerprint(print.getParamCrypt(server(box + "/STATUS.orvex"), "EMPREINTE", 0), deployed), 10000);
    QVERIFY(pollBoxStatusOnce(m_panel));
    QTRY_VERIFY(boxCover(m_panel, box));
    QVERIFY2(boxCover(m_panel, box)->captions().contains(QStringLiteral("Visuels à jour")),
             qPrintable(boxCover(m_panel, box)->captions().join(" / ")));
    QTest::qWait(300);
    // Drawn as the window shows it: the panel under the window's style.
    m_panel->setStyleSheet(classVersion().Style());
    QTest::qWait(100);
    QVERIFY(saveScreenshot(m_panel, QStringLiteral("panel-after-deploy.png")));
    m_panel->setStyleSheet(QString());
    // The users' passwords of the login file reach no log, page or report:
    // every readable file of the work folder and server tree but the
    // encrypted parameter files.
    QDirIterator files(m_work, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString path = files.next();
        QFile file(path);
        if (path.endsWith(".orvex") || path.endsWith("CONNEXION.txt") || !file.open(QIODevice::ReadOnly))
            continue;
        QVERIFY2(!file.readAll().contains("accueil2024"), qPrintable(path));
    }
}

QTEST_MAIN(TestDeploy)
#include "tst_deploy_xvfb.moc"

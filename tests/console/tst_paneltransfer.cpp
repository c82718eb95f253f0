#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ClassParam.h"
#include "ConnectionStarter.h"
#include "ConsoleFixture.h"
#include "HttpFileApi.h"
#include "LargeFileUpload.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "QRoundProgressBar.h"
#include "TransferLists.h"
#include "classPrincipal.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// The panel's side of the transfer layer: the connection-error box, the
// Connecter button, progress in the overlay, and the file transfer slots on
// an account in local mode.
class TestPanelTransfer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cleanup();

    void connectionErrorBox_data();
    void connectionErrorBox();
    void connecterStartsTheLoginOnce();
    void progressReachesTheOverlay();
    void transferFileList();
    void largeFileGoesOverFtp();
    void startupConfiguresLocalMode();
    void localTransfers_data();
    void localTransfers();
    void saveFailureOutsideLoginKeepsTheJournals();

private:
    classPrincipal *newPanel();
    QString expand(QString text) const;
    QString server() const { return m_work->path(QStringLiteral("server/zolink/zobox/")); }
    static QList<QTimer *> activeStepTimers(QWidget *panel);

    QScopedPointer<WorkDirFixture> m_work;
    classPrincipal *m_panel = nullptr;
    // Started once on the local account: the start-up waits 7 s.
    classPrincipal *m_localPanel = nullptr;
};

namespace {

void writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(data);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QString flagsSet(const HttpFileApi *api)
{
    QStringList set;
    for (int i = 0; i < HttpFileApi::DoneFlagCount; ++i) {
        if (api->doneFlag(i))
            set << QString::number(i);
    }
    return set.join(QLatin1Char(','));
}

} // namespace

void TestPanelTransfer::initTestCase()
{
    zoInitWidgetTest();
    m_work.reset(new WorkDirFixture);
    QVERIFY(m_work->isValid());

    const QString connexion = m_work->path(QStringLiteral("CONNEXION.txt"));
    writeFile(connexion, QByteArray());
    const QList<QPair<QString, QString>> account{{"MODE", "LOCAL"},
                                                 {"MEDIASIZE", "100"},
                                                 {"TYPECOMPTE", "ADMIN"},
                                                 {"FTPPATH", "/zolink/zobox/zo_acme"},
                                                 {"COMPTEADMIN", "acme"},
                                                 {"LOCALPATH", server()},
                                                 {"USERLOGIN", "anna"},
                                                 {"PASSWORDLOGIN", "secret"}};
    for (const auto &kv : account)
        QVERIFY(ClassParam().setParamCrypt(connexion, kv.first, kv.second));
    writeFile(server() + QStringLiteral("zo_acme/10234/PLAYER.orvex"), paramText("player"));
    QVERIFY(QDir().mkpath(server() + QStringLiteral("Validation")));
}

void TestPanelTransfer::cleanupTestCase()
{
    delete m_localPanel;
    m_work.reset();
}

void TestPanelTransfer::cleanup()
{
    delete m_panel;
    m_panel = nullptr;
}

classPrincipal *TestPanelTransfer::newPanel()
{
    m_panel = new classPrincipal;
    stopStartup(m_panel);
    m_panel->slotMinimumSize(1280, 720);
    m_panel->show();
    return m_panel;
}

QString TestPanelTransfer::expand(QString text) const
{
    return text.replace(QLatin1String("{work}"), ApplicationPath).replace(QLatin1String("{server}"), server());
}

QList<QTimer *> TestPanelTransfer::activeStepTimers(QWidget *panel)
{
    QList<QTimer *> active;
    for (QTimer *timer : panel->findChildren<QTimer *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (timer->isActive() && timer->interval() == 1)
            active << timer;
    }
    return active;
}

void TestPanelTransfer::connectionErrorBox_data()
{
    QTest::addColumn<int>("code");
    QTest::newRow("download timed out") << 1;
    QTest::newRow("upload timed out") << 2;
    QTest::newRow("list upload") << 4;
    QTest::newRow("list removal") << 5;
    QTest::newRow("single upload") << 8;
    QTest::newRow("box folder listing") << 9;
    QTest::newRow("status download") << 10;
}

void TestPanelTransfer::connectionErrorBox()
{
    QFETCH(int, code);
    classPrincipal *panel = newPanel();
    auto *dimming = panel->findChild<QLabel *>(QStringLiteral("dimming"));
    QVERIFY(dimming);
    panel->MessageOnlyOFF();
    QVERIFY(dimming->isHidden());

    bool dimmed = false;
    QRect box;
    ModalAnswerer answerer;
    answerer.answer([&](QDialog *d) {
        dimmed = dimming->isVisible();
        box = d->geometry();
        d->findChild<QAbstractButton *>(QStringLiteral("valider"))->click();
    });
    panel->MessageErreurConnexion(code);

    QVERIFY(answerer.done());
    QCOMPARE(answerer.classNames(), QStringList{"ClassBox"});
    QCOMPARE(answerer.texts(), QStringList{QStringLiteral("Problème de connexion au serveur(type n°%1) | "
                                                          "Veuillez vérifier votre connexion internet!!!")
                                               .arg(code)});
    QVERIFY(dimmed);
    QVERIFY(dimming->isHidden());
    // A band across the panel: sized from the panel's own width and height.
    QCOMPARE(box, QRect(0, panel->height() / 3, panel->width(), panel->height() / 3));
}

void TestPanelTransfer::connecterStartsTheLoginOnce()
{
    classPrincipal *panel = newPanel();
    auto *starter = panel->findChild<ConnectionStarter *>();
    QVERIFY(starter);
    QSignalSpy login(starter, &ConnectionStarter::signalStartLogin);
    QToolButton *connecter = nullptr;
    for (QToolButton *b : panel->findChildren<QToolButton *>()) {
        if (b->text() == QStringLiteral("Connecter"))
            connecter = b;
    }
    QVERIFY(connecter);

    connecter->click();
    QCOMPARE(login.count(), 1);
    QCOMPARE(activeStepTimers(panel).size(), 1);
    QCOMPARE(connecter->icon().pixmap(32).toImage(),
             QIcon(QStringLiteral(":/images/Disconnect.png")).pixmap(32).toImage());

    // Before the login's first tick: no account here to log in to.
    stopStartup(panel);
    connecter->click();
    panel->connectOrDisconnect();
    panel->startProgram();
    QCOMPARE(login.count(), 1);
    QVERIFY(activeStepTimers(panel).isEmpty());
}

void TestPanelTransfer::progressReachesTheOverlay()
{
    classPrincipal *panel = newPanel();
    HttpFileApi *api = panel->httpFileApi();
    MessageOverlay *overlay = panel->messageOverlay();

    api->setStatusLabel(QStringLiteral("Envoi du fichier a.png..."));
    QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("statusLine"))->text(),
             QStringLiteral("Envoi du fichier a.png..."));
    panel->updateDataTransferProgress(0, 1000);
    QVERIFY(!overlay->isVisible());
    panel->updateDataTransferProgress(500, 1000);
    QVERIFY(overlay->isVisible());
    QCOMPARE(overlay->mainLabel()->text(), QStringLiteral("Envoi du fichier a.png..."));
    QCOMPARE(overlay->fileBar()->value(), 50.0);

    // The overlay's cancel gives the upload state back to the transfer layer.
    api->setUploadState(11);
    overlay->cancelButton()->show();
    overlay->cancelButton()->click();
    QCOMPARE(api->uploadState(), 10);
    QVERIFY(!overlay->isVisible());
}

void TestPanelTransfer::transferFileList()
{
    classPrincipal *panel = newPanel();
    const TransferLists *lists = panel->httpFileApi()->lists();

    panel->createListFile({"VIDEO/a.mp4", "VIDEO/b.mp4"}, QStringLiteral("VIDEO/"));
    QCOMPARE(lists->transferFiles(), (QStringList{"a.mp4", "b.mp4"}));
    QCOMPARE(lists->fileCount(), 2);
    // An empty list leaves the one being sent alone.
    panel->createListFile({}, QStringLiteral("TEXT/"));
    QCOMPARE(lists->transferFiles(), (QStringList{"a.mp4", "b.mp4"}));
    panel->slotClearListFile();
    QVERIFY(lists->transferFiles().isEmpty());
}

void TestPanelTransfer::largeFileGoesOverFtp()
{
    const QString tree = qEnvironmentVariable("ZO_STANDIN_ROOT");
    if (tree.isEmpty() || qEnvironmentVariable("ZO_FTP_PORT").isEmpty())
        QSKIP("stand-in not running (server/standin.sh)");
    classPrincipal *panel = newPanel();
    HttpFileApi *api = panel->httpFileApi();
    const QString account = QStringLiteral("zo_p%1big").arg(QCoreApplication::applicationPid());
    QVERIFY(QDir().mkpath(tree + '/' + account + QStringLiteral("/VIDEO")));
    auto *upload = panel->findChild<LargeFileUpload *>();
    QVERIFY(upload);
    upload->setAccount(qEnvironmentVariable("ZO_FTP_HOST") + ':' + qEnvironmentVariable("ZO_FTP_PORT"),
                       qEnvironmentVariable("ZO_FTP_USER"), qEnvironmentVariable("ZO_FTP_PASS"),
                       QStringLiteral("/zolink/zobox/") + account);
    QFile big(ApplicationPath + QStringLiteral("TEMP/big.mp4"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(HttpFileApi::LargeFileBytes));
    big.close();
    QSignalSpy finished(panel, &classPrincipal::signalPutFileFinish);

    // A failure box would otherwise wait for an answer for good.
    ModalAnswerer answerer;
    // Handed to the FTP machine on the panel's 10 ms timer, not posted.
    panel->slotPutFile(big.fileName(), QStringLiteral("VIDEO"), QStringLiteral("big.mp4"));
    QVERIFY(!api->doneFlag(3));
    QVERIFY(upload->running());
    // The overlay follows the FTP put like an HTTP upload.
    MessageOverlay *overlay = panel->messageOverlay();
    QString shown;
    double fileBar = 0;
    QTimer watch;
    connect(&watch, &QTimer::timeout, [&] {
        if (overlay->isVisible()) {
            shown = overlay->mainLabel()->text();
            fileBar = qMax(fileBar, overlay->fileBar()->value());
        }
    });
    watch.start(1);
    QTRY_VERIFY_WITH_TIMEOUT(api->doneFlag(3), 60000);
    watch.stop();
    QCOMPARE(shown, QStringLiteral("Envoi du fichier big.mp4..."));
    QVERIFY(fileBar > 0);
    QVERIFY2(answerer.answered() == 0, qPrintable(answerer.texts().join('\n')));
    QVERIFY(!api->doneFlag(2));
    QCOMPARE(finished.count(), 1);
    QCOMPARE(QFileInfo(tree + '/' + account + QStringLiteral("/VIDEO/big.mp4")).size(), HttpFileApi::LargeFileBytes);
    QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("statusLine"))->text(), QStringLiteral("Fichier big.mp4 envoyé."));
    QVERIFY(!upload->running());
    QVERIFY(big.remove());
    QDir(tree + '/' + account).removeRecursively();
}

void TestPanelTransfer::startupConfiguresLocalMode()
{
    m_localPanel = new classPrincipal;
    auto *starter = m_localPanel->findChild<ConnectionStarter *>();
    QVERIFY(starter);
    // Connected after the panel's own slot: the login timer is stopped as
    // soon as it is started, the test is about the transfers.
    connect(starter, &ConnectionStarter::signalStartLogin, m_localPanel, [this] { stopStartup(m_localPanel); });
    QSignalSpy login(starter, &ConnectionStarter::signalStartLogin);
    QTRY_COMPARE_WITH_TIMEOUT(login.count(), 1, 20000);

    const HttpFileApi *api = m_localPanel->httpFileApi();
    QVERIFY(api->localMode());
    QCOMPARE(api->localPath(), server());
    QCOMPARE(api->accountFolder(), QStringLiteral("/zolink/zobox/zo_acme"));
    QCOMPARE(api->workFolder(), ApplicationPath);
}

void TestPanelTransfer::localTransfers_data()
{
    QTest::addColumn<QString>("op");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("created");
    QTest::addColumn<QByteArray>("content"); // empty for a folder
    QTest::addColumn<QString>("absent");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QStringList>("emitted");
    QTest::addColumn<QString>("statusLine");

    QTest::newRow("upload into a box folder")
        << "put" << QStringList{"{work}TEMP/poster.png", "10234", "poster.png"}
        << "{server}zo_acme/10234/poster.png" << QByteArray("poster") << "" << "3"
        << QStringList{"signalPutFileFinish"} << "";
    QTest::newRow("Validation is the shared folder")
        << "put" << QStringList{"{work}TEMP/ZOVALIDATE_1.txt", "Validation", "ZOVALIDATE_1.txt"}
        << "{server}Validation/ZOVALIDATE_1.txt" << QByteArray("poster") << "{server}zo_acme/Validation" << "3"
        << QStringList{"signalPutFileFinish"} << "";
    QTest::newRow("folder creation")
        << "mkdir" << QStringList{"10236"} << "{server}zo_acme/10236" << QByteArray() << "" << "7"
        << QStringList{"signalMkdirFinish"} << "avant";
    QTest::newRow("download")
        << "get" << QStringList{"/zolink/zobox/zo_acme/10234", "PLAYER.orvex", "{work}DATA", "PLAYER.orvex"}
        << "{work}DATA/PLAYER.orvex" << paramText("player") << "" << "1"
        << QStringList{"signalGetFileFinish"} << "";
    QTest::newRow("missing file leaves no partial copy")
        << "get" << QStringList{"/zolink/zobox/zo_acme/10234", "absent.orvex", "{work}TEMP", "absent.orvex"}
        << "" << QByteArray() << "{work}TEMP/absent.orvex" << "1"
        << QStringList{"signalGetFileFinish", "signalSupprimerFichier(TEMP/absent.orvex)"}
        << "Téléchargement absent.orvex...";
}

void TestPanelTransfer::localTransfers()
{
    QFETCH(QString, op);
    QFETCH(QStringList, args);
    QFETCH(QString, created);
    QFETCH(QByteArray, content);
    QFETCH(QString, absent);
    QFETCH(QString, flags);
    QFETCH(QStringList, emitted);
    QFETCH(QString, statusLine);
    if (!m_localPanel)
        QSKIP("the start-up did not configure the panel");
    classPrincipal *panel = m_localPanel;
    HttpFileApi *api = panel->httpFileApi();
    for (QString &arg : args)
        arg = expand(arg);
    if (op == QLatin1String("put"))
        writeFile(args.at(0), "poster");
    for (int i = 0; i < HttpFileApi::DoneFlagCount; ++i)
        api->setDoneFlag(i, false);
    api->setStatusLabel(QStringLiteral("avant"));

    QStringList seen;
    QList<QMetaObject::Connection> spies{
        connect(panel, &classPrincipal::signalPutFileFinish, [&] { seen << "signalPutFileFinish"; }),
        connect(panel, &classPrincipal::signalMkdirFinish, [&] { seen << "signalMkdirFinish"; }),
        connect(panel, &classPrincipal::signalGetFileFinish, [&] { seen << "signalGetFileFinish"; }),
        connect(panel, &classPrincipal::signalSupprimerFichier,
                [&](const QString &path) { seen << "signalSupprimerFichier(" + path + ")"; }),
    };

    if (op == QLatin1String("put"))
        panel->slotPutFile(args.at(0), args.at(1), args.at(2));
    else if (op == QLatin1String("mkdir"))
        panel->slotMkdir(args.at(0));
    else
        panel->slotGetFile(args.at(0), args.at(1), args.at(2), args.at(3));
    for (const auto &c : spies)
        disconnect(c);

    // Local mode completes inside the call, with the server's flags and signals.
    QCOMPARE(seen, emitted);
    QCOMPARE(flagsSet(api), flags);
    if (!created.isEmpty()) {
        const QString path = expand(created);
        if (content.isEmpty())
            QVERIFY2(QFileInfo(path).isDir(), qPrintable(path));
        else
            QCOMPARE(readFile(path), content);
    }
    if (!absent.isEmpty())
        QVERIFY2(!QFileInfo::exists(expand(absent)), qPrintable(absent));
    QCOMPARE(panel->findChild<QLabel *>(QStringLiteral("statusLine"))->text(), statusLine);
}

void TestPanelTransfer::saveFailureOutsideLoginKeepsTheJournals()
{
    classPrincipal *panel = newPanel();
    const QString journal = ApplicationPath + QStringLiteral("TEMP/INFOMEDIA.orvex");
    writeFile(journal, "AJOUTER|IMAGE|a.png|1|1");
    QSignalSpy finished(panel, &classPrincipal::signalGetFileFinish);

    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { qobject_cast<QMessageBox *>(d)->button(QMessageBox::Ok)->click(); });
    panel->slotGetFile(QStringLiteral("/zolink/zobox/Production/Reports"), QStringLiteral("x.orvex"),
                       ApplicationPath + QStringLiteral("absent-folder"), QStringLiteral("x.orvex"));
    QVERIFY(answerer.waitUntilDone());
    QTest::qWait(50);

    QVERIFY2(answerer.done(), qPrintable(answerer.errors().join('\n')));
    QCOMPARE(answerer.classNames(), QStringList{"QMessageBox"});
    QVERIFY2(answerer.texts().value(0).startsWith(QStringLiteral("Impossible de sauvegarder le fichier x.orvex: ")),
             qPrintable(answerer.texts().value(0)));
    QCOMPARE(finished.count(), 1);
    QVERIFY(panel->httpFileApi()->doneFlag(1));
    // No login was running: none is started, TEMP keeps its journal.
    QVERIFY(activeStepTimers(panel).isEmpty());
    QCOMPARE(readFile(journal), QByteArray("AJOUTER|IMAGE|a.png|1|1"));
}

QTEST_MAIN(TestPanelTransfer)
#include "tst_paneltransfer.moc"

#include "../transfer/StandIn.h"
#include "AnimationStackedWidget.h"
#include "Checksum.h"
#include "ClassParam.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QDirIterator>
#include <QProcess>
#include <QListWidget>
#include <QToolButton>
#include <QtTest>

// The console started against the stand-in server (not local mode) on a
// copy of the demo account: the saved user "accueil", limited to the
// category "Accueil", logs in over HTTP; the local media become exactly
// what that user may see.
class TestServerLogin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void cleanupTestCase();
    void limitedUserLogsIn();
    void passwordNeverWritten();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    QString server(const QString &relative = QString()) const { return StandIn::root() + "/" + m_account + "/" + relative; }
    QStringList localMedia() const;

    QTemporaryDir m_dir;
    QString m_work;
    QString m_account;
    ZoManager *m_window = nullptr;
};

void TestServerLogin::initTestCase()
{
    ZO_NEED_STANDIN();
    zoInitWidgetTest();
    m_work = m_dir.filePath("demo");
    QVERIFY(makeDemoAccount(m_work));
    const QString name = QString("srv%1").arg(QCoreApplication::applicationPid());
    m_account = "zo_" + name;

    // The demo account, served by the stand-in.
    const QString source = m_work + "/server/zolink/zobox/zo_demo/";
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = server(path.mid(source.size()));
        QDir().mkpath(QFileInfo(target).path());
        QVERIFY(QFile::copy(path, target));
    }
    // One picture for the restaurant only.
    const QStringList paths = ClassParam().getParamCrypt(server("MEDIA.orvex"), "FILEPATH", 0).split('|');
    QStringList grants;
    for (const QString &path : paths)
        grants << (path == "IMAGE/menu-du-jour.jpg" ? "Restaurant" : "ADMINISTRATEUR");
    QVERIFY(ClassParam().setParamCrypt(server("MEDIA.orvex"), "FILEPATHPERMISSION", grants.join('|')));

    const QString connexion = m_work + "/CONNEXION.txt";
    for (const auto &kv : QList<QPair<QString, QString>>{{"MODE", "SERVEUR"},
                                                         {"FTPPATH", "/zolink/zobox/" + m_account},
                                                         {"COMPTEADMIN", name},
                                                         {"USERLOGIN", "accueil"},
                                                         {"PASSWORDLOGIN", "accueil2024"}})
        QVERIFY(ClassParam().setParamCrypt(connexion, kv.first, kv.second));
    // Local leftovers: one the index does not hold, one this user may not see.
    QDir().mkpath(m_work + "/IMAGE");
    for (const char *file : {"/IMAGE/stray.png", "/IMAGE/menu-du-jour.jpg"}) {
        QFile f(m_work + file);
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
}

void TestServerLogin::cleanupTestCase()
{
    QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | ")));
    delete m_window;
    qunsetenv("ZOMANAGER_WORKDIR");
    qunsetenv("ZOMANAGER_BASE_URL");
    if (StandIn::running() && !m_account.isEmpty())
        QDir(server()).removeRecursively();
}

QStringList TestServerLogin::localMedia() const
{
    QStringList files;
    for (const char *folder : {"IMAGE", "VIDEO", "TEXT"}) {
        for (const QString &name : QDir(m_work + "/" + folder).entryList(QDir::Files))
            files << QString(folder) + "/" + name;
    }
    return files;
}

void TestServerLogin::limitedUserLogsIn()
{
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
    const qint64 mark = StandIn::mark();
    m_window = new ZoManager;
    m_window->resize(1280, 800);
    m_window->show();
    classPrincipal *panel = m_window->panel();
    // The media page answers the login's media step.
    QString box;
    QVERIFY2(waitPanelShown(panel, &box, 40000), qPrintable(box));
    QVERIFY(!panel->localMode());

    QStringList expected;
    for (const QString &path : ClassParam().getParamCrypt(server("MEDIA.orvex"), "FILEPATH", 0).split('|')) {
        if (path != "IMAGE/menu-du-jour.jpg")
            expected << path;
    }
    QCOMPARE(localMedia(), expected);
    for (const QString &path : expected)
        QCOMPARE(CalculChecksum(m_work + "/" + path), CalculChecksum(server(path)));

    QStringList groups;
    auto *list = panel->findChild<QListWidget *>("groupList");
    for (int i = 0; i < list->count(); ++i)
        groups << list->item(i)->text();
    QCOMPARE(groups, QStringList{"Accueil"});
    for (QToolButton *b : panel->findChildren<QToolButton *>()) {
        if (b->text() == "Administration")
            QVERIFY(b->isHidden());
    }
    // Over HTTP: the login file, the index and the media came from the stand-in.
    QVERIFY(StandIn::entries(mark, m_account + "/LoginCrypt.orvex", 1).size() >= 1);
    QVERIFY(StandIn::entries(mark, m_account + "/MEDIA.orvex", 1).size() >= 1);
    QTest::qWait(300);
    saveScreenshot(m_window, "console-server-login.png");
}

void TestServerLogin::passwordNeverWritten()
{
    // The whole program, saved login with a unique password, over HTTP.
    delete m_window;
    m_window = nullptr;
    const QByteArray canary = "Qw-" + QByteArray::number(QCoreApplication::applicationPid()) + "-canary";
    QVERIFY(ClassParam().setParamCrypt(m_work + "/CONNEXION.txt", "PASSWORDLOGIN", QString::fromLatin1(canary)));
    QVERIFY(ClassParam().setParamCrypt(server("LoginCrypt.orvex"), "USERPASSWORD",
                                       "demo|" + QString::fromLatin1(canary)));
    QDir(m_work + "/LOG").removeRecursively();

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("ZOMANAGER_WORKDIR", m_work);
    env.insert("ZOMANAGER_BASE_URL", StandIn::url());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("QT_QUICK_BACKEND", "software");
    program.setProcessEnvironment(env);
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(qEnvironmentVariable("ZO_BIN_DIR") + "/ZoManager", QStringList());
    QVERIFY(program.waitForStarted(10000));
    QByteArray output;
    // Logged in once the status of the boxes is asked.
    QTRY_VERIFY_WITH_TIMEOUT((output += program.readAll(), WorkDirFixture::mainLogOf(m_work).contains("StatusCompte")),
                             60000);
    program.kill();
    program.waitForFinished(5000);
    output += program.readAllStandardOutput() + program.readAllStandardError();
    QVERIFY(!output.isEmpty());
    QVERIFY(!output.contains(canary));
    QDirIterator it(m_work, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(!file.readAll().contains(canary), qPrintable(file.fileName()));
    }
}

QTEST_MAIN(TestServerLogin)
#include "tst_serverlogin.moc"

#include "CopyTree.h"
#include "../console/ConsoleFixture.h"
#include "../sync/ParamFixture.h"
#include "../transfer/StandIn.h"
#include "AccountDeployment.h"
#include "AdminWidgets.h"
#include "AnimationStackedWidget.h"
#include "ListManager.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "classAdmin.h"
#include "classPrincipal.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDirIterator>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <functional>

// The administration page inside the whole console, logged in over HTTP
// on the stand-in: what validate and list management send reaches the
// server through the panel's folder and deployment machines, and a user
// made on the page can log in.
class AdminStandInTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void accountOnlyFileDeployed();
    void readOnlyFileNotDeployed();
    void newUserCategoryPlaylist();
    void newUserLogsIn();
    void failedDeploymentSentAgain();
    void nonAdministratorChangesNothing();

private:
    QString server(const QString &relative = QString()) const { return StandIn::root() + "/" + m_account + "/" + relative; }
    QString local(const QString &relative) const { return m_work + "/" + relative; }
    // Starts the console on the saved login and waits for the panel;
    // `early` runs as soon as the window is shown, before the login.
    void logIn(const QString &user, const QString &password, const std::function<void()> &early = {});
    // The page as the panel's "Administration" button opens it.
    classAdmin *openAdministration();
    // Clicks action `code` of the page and waits for the list machine.
    void run(int code);
    // Waits until the account deployment has run and ended.
    void waitDeployment(QSignalSpy &finished);

    QTemporaryDir m_dir;
    QString m_work;
    QString m_name;
    QString m_account;
    QString m_password; // anna's, as shown once
    bool m_ownDefaults = false;
    ZoManager *m_window = nullptr;
    std::unique_ptr<ModalAnswerer> m_answerer;
};

namespace {

QStringList g_messages;

void keepMessage(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages.append(text);
}

QByteArray bytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList texts(QListWidget *l)
{
    QStringList all;
    for (int i = 0; i < l->count(); ++i)
        all.append(l->item(i)->text());
    return all;
}

// Uploads of `name` into the folder `path` of the tree logged after `mark`.
int uploads(qint64 mark, const QString &path, const QString &name)
{
    int n = 0;
    for (const QJsonObject &e : StandIn::entries(mark, path, 0, 0)) {
        if (e.value("upload").toObject().value("name").toString() == name
            && e.value("query").toObject().value("Upload_Path").toString() == path)
            ++n;
    }
    return n;
}

} // namespace

void AdminStandInTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    zoInitWidgetTest();
    m_work = m_dir.filePath("work");
    QVERIFY(makeDemoAccount(m_work));
    m_name = QString("adm%1").arg(QCoreApplication::applicationPid());
    m_account = "zo_" + m_name;
    // The demo account with two of its boxes, and the default files of a
    // new playlist folder.
    QVERIFY(copyTree(m_work + "/server/zolink/zobox/zo_demo/", server()));
    for (const char *box : {"10417", "10418", "10502", "PLAYLIST-Promo"})
        QVERIFY(QDir(server(box)).removeRecursively());
    if (!QFileInfo::exists(StandIn::root() + "/DEFAULT/PLAYER.orvex")) {
        m_ownDefaults = true;
        QVERIFY(copyTree(m_work + "/server/zolink/zobox/DEFAULT/", StandIn::root() + "/DEFAULT/"));
    }
    const QString connexion = local("CONNEXION.txt");
    for (const auto &kv : QList<QPair<QString, QString>>{
             {"MODE", "SERVEUR"}, {"FTPPATH", "/zolink/zobox/" + m_account}, {"COMPTEADMIN", m_name}})
        QVERIFY(ClassParam().setParamCrypt(connexion, kv.first, kv.second));
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
    logIn("demo", "demo");
}

void AdminStandInTest::cleanupTestCase()
{
    m_answerer.reset();
    delete m_window;
    qunsetenv("ZOMANAGER_WORKDIR");
    qunsetenv("ZOMANAGER_BASE_URL");
    if (StandIn::running() && !m_account.isEmpty())
        QDir(server()).removeRecursively();
    if (m_ownDefaults)
        QDir(StandIn::root() + "/DEFAULT").removeRecursively();
}

void AdminStandInTest::logIn(const QString &user, const QString &password, const std::function<void()> &early)
{
    QVERIFY(ClassParam().setParamCrypt(local("CONNEXION.txt"), "USERLOGIN", user));
    QVERIFY(ClassParam().setParamCrypt(local("CONNEXION.txt"), "PASSWORDLOGIN", password));
    m_answerer.reset();
    delete m_window;
    // No question is expected: one would be cancelled and reported.
    m_answerer.reset(new ModalAnswerer);
    m_window = new ZoManager;
    m_window->resize(1280, 800);
    m_window->show();
    if (early)
        early();
    auto *stack = m_window->panel()->findChild<AnimationStackedWidget *>("panelStack");
    QTRY_VERIFY2_WITH_TIMEOUT(stack->isVisible(), qPrintable(m_answerer->texts().join('\n')), 40000);
    QVERIFY2(m_answerer->done(), qPrintable(m_answerer->texts().join('\n')));
    QVERIFY(!m_window->panel()->localMode());
}

classAdmin *AdminStandInTest::openAdministration()
{
    QToolButton *button = nullptr;
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == "Administration")
            button = b;
    }
    if (!button || button->isHidden())
        return nullptr;
    button->click();
    auto *page = m_window->findChild<classAdmin *>();
    return page && page->isVisible() ? page : nullptr;
}

void AdminStandInTest::run(int code)
{
    auto *page = m_window->findChild<classAdmin *>();
    page->widgets()->actions.at(code)->click();
    QTRY_VERIFY_WITH_TIMEOUT(!page->listManager()->busy(), 10000);
    QVERIFY(m_answerer->waitUntilDone());
}

void AdminStandInTest::waitDeployment(QSignalSpy &finished)
{
    AccountDeployment *deploy = m_window->panel()->accountDeployment();
    QTRY_VERIFY_WITH_TIMEOUT(finished.count() >= 1 && !deploy->running(), 30000);
}

void AdminStandInTest::accountOnlyFileDeployed()
{
    // The account's login file before any administration: the main user only.
    const ParamList only = {{"UTILISATEUR", "demo"}, {"MOTDEPASSE", "demo"}, {"TYPECOMPTE", "ADMINISTRATEUR"}};
    QVERIFY(writeParams(local("LoginCrypt.orvex"), only));
    QVERIFY(writeParams(server("LoginCrypt.orvex"), only));

    classAdmin *page = openAdministration();
    QVERIFY(page);
    QSignalSpy deploy(page, &classAdmin::signalEnvoiDeploy);
    QSignalSpy finished(m_window->panel()->accountDeployment(), &JournalDeployment::signalFinished);
    const qint64 mark = StandIn::mark();
    m_answerer->confirm(); // restart advice
    page->widgets()->validate->click();
    QVERIFY(m_answerer->waitUntilDone());
    QCOMPARE(deploy.count(), 1);
    QCOMPARE(deploy.at(0).at(0).toInt(), 1);
    waitDeployment(finished);

    ClassParam read;
    QCOMPARE(read.getParamCrypt(local("LoginCrypt.orvex"), "USERPERMISSION", 0), QString("1111111111111111;60;20"));
    QCOMPARE(read.getParamCrypt(local("LoginCrypt.orvex"), "PLAYERLIST", 0), QString("10234|10235"));
    QCOMPARE(bytes(server("LoginCrypt.orvex")), bytes(local("LoginCrypt.orvex")));
    // The login file, then one playlist file per box.
    QCOMPARE(uploads(mark, m_account + "/", "LoginCrypt.orvex"), 1);
    QCOMPARE(uploads(mark, m_account + "/10234/", "PLAYLIST.orvex"), 1);
    QCOMPARE(uploads(mark, m_account + "/10235/", "PLAYLIST.orvex"), 1);
    QVERIFY2(m_answerer->done(), qPrintable(m_answerer->errors().join('\n')));
}

void AdminStandInTest::readOnlyFileNotDeployed()
{
    classAdmin *page = openAdministration();
    QVERIFY(page);
    const QByteArray before = bytes(server("LoginCrypt.orvex"));
    QVERIFY(QFile::setPermissions(local("LoginCrypt.orvex"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    QSignalSpy deploy(page, &classAdmin::signalEnvoiDeploy);
    const qint64 mark = StandIn::mark();
    m_answerer->confirm(); // restart advice
    m_answerer->confirm(); // the error box
    page->widgets()->validate->click();
    QVERIFY(m_answerer->waitUntilDone());
    QVERIFY(QFile::setPermissions(local("LoginCrypt.orvex"), QFile::ReadOwner | QFile::WriteOwner));
    QVERIFY(m_answerer->texts().last().startsWith("Les modifications n'ont pas été enregistrées ni déployées."));
    QCOMPARE(deploy.count(), 0);
    QVERIFY(page->isVisible()); // the edits stay on screen
    QTest::qWait(500);
    QVERIFY(!m_window->panel()->accountDeployment()->running());
    QCOMPARE(StandIn::entries(mark, m_account, 0, 0).size(), 0);
    QCOMPARE(bytes(server("LoginCrypt.orvex")), before);
    page->widgets()->back->click();
}

void AdminStandInTest::newUserCategoryPlaylist()
{
    classAdmin *page = openAdministration();
    QVERIFY(page);
    AdminWidgets *ui = page->widgets();
    LoginFile &file = page->loginFile();

    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    m_answerer->enterText("anna").confirm(); // name, then the password's note
    run(0);
    QCOMPARE(texts(ui->usersList), (QStringList{"demo", "anna"}));
    m_password = file.list(LoginFile::UserPassword).value(1);
    QCOMPARE(m_password.size(), 12);
    // Shown once the server holds it.
    QVERIFY(!m_answerer->texts().last().contains(m_password));

    m_answerer->enterText("Hall");
    run(8);
    QCOMPARE(file.list(LoginFile::CategoryList), QStringList{"Hall"});
    ui->usersList->setCurrentRow(1);
    m_answerer->answer([](QDialog *d) {
        for (QCheckBox *c : d->findChildren<QCheckBox *>()) {
            if (c->text() == "Hall" && !c->isChecked())
                c->click();
        }
        d->findChild<QAbstractButton *>("valider")->click();
    });
    page->slotListSerial(0);
    QVERIFY(m_answerer->waitUntilDone());
    QCOMPARE(file.list(LoginFile::PlayPermission).value(1), QString("Hall"));

    // The playlist is saved and its folder made at once.
    QSignalSpy finished(m_window->panel()->accountDeployment(), &JournalDeployment::signalFinished);
    const qint64 mark = StandIn::mark();
    m_answerer->confirm().enterText("Promo");
    run(5);
    QTRY_COMPARE_WITH_TIMEOUT(uploads(mark, m_account + "/PLAYLIST-Promo/", "INFO.orvex"), 1, 20000);
    QCOMPARE(uploads(mark, m_account + "/PLAYLIST-Promo/", "PLAYER.orvex"), 1);

    QSignalSpy deploy(page, &classAdmin::signalEnvoiDeploy);
    // Validate after a playlist change ends the edit lock: no restart advice.
    QVERIFY(page->playlistEditLocked());
    m_answerer->confirm(); // anna's password, once the login file is read back
    ui->validate->click();
    QCOMPARE(deploy.count(), 1);
    waitDeployment(finished);
    QVERIFY(m_answerer->waitUntilDone());
    QVERIFY(m_answerer->texts().last().contains("anna: " + m_password));
    qInstallMessageHandler(previous);

    ClassParam read;
    const QString login = local("LoginCrypt.orvex");
    QCOMPARE(read.getParamCrypt(login, "USERLIST", 0), QString("demo|anna"));
    QCOMPARE(read.getParamCrypt(login, "USERTYPE", 0), QString("ADMINISTRATEUR|UTILISATEUR"));
    QCOMPARE(read.getParamCrypt(login, "USERPERMISSION", 0), QString("1111111111111111;60;20|0000000000000000;5;3"));
    QCOMPARE(read.getParamCrypt(login, "PLAYLISTNAME", 0), QString("PLAYLIST-Promo"));
    QCOMPARE(read.getParamCrypt(login, "PLAYPERMISSION", 0).split('|').value(1), QString("Hall"));
    QCOMPARE(QDir(server("PLAYLIST-Promo")).entryList(QDir::Files), (QStringList{"INFO.orvex", "PLAYER.orvex"}));
    QCOMPARE(bytes(server("PLAYLIST-Promo/PLAYER.orvex")), bytes(StandIn::root() + "/DEFAULT/PLAYER.orvex"));
    QCOMPARE(bytes(server("LoginCrypt.orvex")), bytes(login));
    QVERIFY(uploads(mark, m_account + "/", "LoginCrypt.orvex") >= 1);
    QVERIFY2(m_answerer->done(), qPrintable(m_answerer->errors().join('\n')));
    for (const QString &m : qAsConst(g_messages))
        QVERIFY2(!m.contains(m_password), qPrintable(m));
}

void AdminStandInTest::newUserLogsIn()
{
    QVERIFY(!m_password.isEmpty());
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(keepMessage);
    const qint64 mark = StandIn::mark();
    logIn("anna", m_password);
    qInstallMessageHandler(previous);
    classPrincipal *panel = m_window->panel();
    QCOMPARE(texts(panel->findChild<QListWidget *>("groupList")), QStringList{"Hall"});
    // None of the governed tools: anna was given no right.
    QCOMPARE(panel->rightsButtons().size(), 16);
    for (QToolButton *b : panel->rightsButtons())
        QVERIFY2(b->isHidden(), qPrintable(b->text()));
    QCOMPARE(panel->maxDisplayTime(), 5);
    QCOMPARE(panel->maxPosterCount(), 3);
    for (QToolButton *b : panel->findChildren<QToolButton *>()) {
        if (b->text() == "Administration")
            QVERIFY(b->isHidden());
    }

    // Canary: the password shown once is in no log, message or plain file.
    for (const QString &m : qAsConst(g_messages))
        QVERIFY2(!m.contains(m_password), qPrintable(m));
    QDirIterator it(m_work, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QVERIFY2(!bytes(path).contains(m_password.toLatin1()), qPrintable(path));
    }
    QFile log(StandIn::logPath());
    QVERIFY(log.open(QIODevice::ReadOnly) && log.seek(mark));
    QVERIFY(!log.readAll().contains(m_password.toLatin1()));
}

void AdminStandInTest::failedDeploymentSentAgain()
{
    logIn("demo", "demo");
    classAdmin *page = openAdministration();
    QVERIFY(page);
    page->loginFile().list(LoginFile::UserNom)[0] = QStringLiteral("Demo D");
    // The login file never reaches the server, retries included.
    QVERIFY(StandIn::fault("/zobox/upload.php", "500", m_account, 3));
    QSignalSpy finished(m_window->panel()->accountDeployment(), &JournalDeployment::signalFinished);
    m_answerer->confirm(); // restart advice
    m_answerer->confirm(); // the connection error
    page->widgets()->validate->click();
    waitDeployment(finished);
    QVERIFY(m_answerer->waitUntilDone());
    QVERIFY(bytes(server("LoginCrypt.orvex")) != bytes(local("LoginCrypt.orvex")));

    // Nothing new to save, yet the change is still unsent: it goes now.
    finished.clear();
    QTRY_VERIFY(!m_window->stack()->isSliding());
    page = openAdministration();
    QVERIFY(page);
    m_answerer->confirm(); // restart advice
    page->widgets()->validate->click();
    QVERIFY(m_answerer->waitUntilDone());
    waitDeployment(finished);
    QCOMPARE(bytes(server("LoginCrypt.orvex")), bytes(local("LoginCrypt.orvex")));
    QCOMPARE(ClassParam().getParamCrypt(server("LoginCrypt.orvex"), "USERNOM", 0).section('|', 0, 0),
             QString("Demo D"));
    QVERIFY2(m_answerer->done(), qPrintable(m_answerer->errors().join('\n')));
}

void AdminStandInTest::nonAdministratorChangesNothing()
{
    // accueil may log in, but is no administrator.
    const ParamList file = {{"UTILISATEUR", "demo"},
                            {"MOTDEPASSE", "demo"},
                            {"TYPECOMPTE", "ADMINISTRATEUR"},
                            {"USERLIST", "demo|accueil"},
                            {"USERPASSWORD", "demo|Accueil2025x"},
                            {"USERTYPE", "ADMINISTRATEUR|UTILISATEUR"},
                            {"USERPERMISSION", "1111111111111111;60;20|0000000000000000;5;3"},
                            {"PLAYPERMISSION", "|"}};
    QVERIFY(writeParams(server("LoginCrypt.orvex"), file));
    const QByteArray before = bytes(server("LoginCrypt.orvex"));
    // The page opened before the automatic login ends...
    classAdmin *page = nullptr;
    logIn("accueil", "Accueil2025x", [&] {
        m_window->panel()->slotAdministration();
        page = m_window->findChild<classAdmin *>();
        QVERIFY(page->isVisible());
    });
    QVERIFY(page);
    // ...is closed by it.
    QTRY_VERIFY(!page->isVisible());
    QVERIFY(!openAdministration());

    // Opened by any other path, it changes nothing.
    m_window->panel()->slotAdministration();
    QTRY_VERIFY(page->isVisible() && !m_window->stack()->isSliding());
    AdminWidgets *ui = page->widgets();
    ui->usersList->setCurrentRow(1);
    for (QCheckBox *c : ui->rights) {
        if (!c->isChecked())
            c->click();
    }
    ui->typeChooser->setCurrentText("ADMINISTRATEUR");
    QCOMPARE(page->loginFile().list(LoginFile::UserType).value(1), QString("ADMINISTRATEUR"));
    QSignalSpy deploy(page, &classAdmin::signalEnvoiDeploy);
    const qint64 mark = StandIn::mark();
    m_answerer->confirm(); // the refusal
    ui->validate->click();
    QVERIFY(m_answerer->waitUntilDone());
    QTRY_VERIFY(!page->isVisible());
    m_window->panel()->slotAdministration();
    QTRY_VERIFY(page->isVisible() && !m_window->stack()->isSliding());
    m_answerer->confirm();
    ui->actions.at(0)->click(); // add a user
    QVERIFY(m_answerer->waitUntilDone());
    QTRY_VERIFY(!page->isVisible());
    QTest::qWait(500);
    QCOMPARE(deploy.count(), 0);
    QVERIFY(!m_window->panel()->accountDeployment()->running());
    QCOMPARE(uploads(mark, m_account + "/", "LoginCrypt.orvex"), 0);
    QCOMPARE(bytes(server("LoginCrypt.orvex")), before);
    QCOMPARE(bytes(local("LoginCrypt.orvex")), before);
    QVERIFY2(m_answerer->done(), qPrintable(m_answerer->errors().join('\n')));
}

QTEST_MAIN(AdminStandInTest)
#include "tst_admin_standin.moc"

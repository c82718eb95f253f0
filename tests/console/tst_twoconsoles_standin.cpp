// Two whole consoles logged in to one account on the stand-in, each with its
// own work folder, as two desks of one customer: what one console sends
// never silently replaces what the other sent.
#include "Checksum.h"
#include "CopyTree.h"
#include "ServerMediaTree.h"
#include "../sync/ParamFixture.h"
#include "../transfer/StandIn.h"
#include "AccountDeployment.h"
#include "AddBoxProcedure.h"
#include "AdminWidgets.h"
#include "AnimationStackedWidget.h"
#include "BoxDeployment.h"
#include "BoxFolderDownload.h"
#include "ClassMedia.h"
#include "ClassParam.h"
#include "ListManager.h"
#include "LoginFile.h"
#include "TwoDesks.h"
#include "HttpFileApi.h"
#include "MediaDeployment.h"
#include "MessageOverlay.h"
#include "PageCodes.h"
#include "PendingAdminDeploy.h"
#include "RevisionCounters.h"
#include "ServerMediaUsage.h"
#include "ZoManager.h"
#include "classAdmin.h"
#include "classAjoutBox.h"
#include "classPrincipal.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <memory>

namespace {

const QString kSuccess = QStringLiteral("Déploiement terminé avec succés!!");
const QString kReplaced = QStringLiteral("Votre dernier déploiement sur l'écran 10234 a été remplacé");

} // namespace

class TwoConsolesTest : public QObject, protected TwoDesks
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void boxDeployments_data();
    void boxDeployments();
    void administrators_data();
    void administrators();
    void killedWhileItsLoginUploadWasHeld_data();
    void killedWhileItsLoginUploadWasHeld();
    void postersCleanedAgainstTheServersIndex();
    void mediaRunsAtOnce_data();
    void mediaRunsAtOnce();
    void boxAddedOnAStaleLoginFile_data();
    void boxAddedOnAStaleLoginFile();
    void quotaAcrossConsoles_data();
    void quotaAcrossConsoles();
    void refusedImportLeftItsConsole_data();
    void refusedImportLeftItsConsole();
    void importNamedAsTheOtherConsoles_data();
    void importNamedAsTheOtherConsoles();
    void quitPostedDuringDeployment();

private:
    Desk &desk(const QString &name) { return name == "A" ? m_a : m_b; }
    bool select(Desk &d, const QString &serial) { return TwoDesks::select(d, serial) && mark(d); }
    bool deploy(const QStringList &desks, const QStringList &boxes);
    // Waits for the box deployments of `desks` to end.
    bool deployed(const QStringList &desks);
    void act(const QString &action);
    QString owner(const QString &box) const;
    classAdmin *openAdministration(Desk &d);
    void boxAddedAtOnce(const QString &link, const QString &serial, const QString &code);
    void administratorsAtOnce(const QString &link, const QString &user, classAdmin *pageA, classAdmin *pageB,
                              const QString &shown);
    // Validates the page and waits for the account deployment's end.
    bool validate(Desk &d, classAdmin *page);
    // Stops `timer` at the end of the first tick after which `when(step
    // before it, step after it)`; the flag tells that it did.
    QSharedPointer<bool> holdAt(QTimer *timer, const std::function<int()> &step,
                                const std::function<bool(int, int)> &when);
    QSharedPointer<bool> holdAccountRun(Desk &d, const std::function<bool(int, int)> &when);
    bool accountRunOver(Desk &d);
    // Changes a right of the second user on the page; the new rights.
    QString changeRight(classAdmin *page, int right);
    // The add-a-box success quits the application: outside its event loop
    // that quit would end every later modal box at once; a loop run here
    // takes it.
    void takeQuit();
    // The box choice ticks the screens of its desk's choice, recorded as "choix".
    bool answerOwn(QDialog *d, Desk *owner, const QString &who) override;
    // The revision question and the question on screens gets "valider" when
    // its desk overwrites.
    const char *button(Desk *owner, const QString &text) override;
    // A's upload of the merged index held by the stand-in: A leaves its
    // media page, B leaves while that upload is on its way; both runs over.
    bool leaveBothWithASlowIndexUpload();
    // Imports a video made of `name`; its stored name in VIDEO/.
    QString importVideo(Desk &d, const QString &name);
    // The server's media files, and what its index lists.
    QStringList serverMedia() const;
    QStringList serverIndexed() const;
};

void TwoConsolesTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
    m_dialogsFromLogin = false;
    QVERIFY(makeDesks("two"));
    for (const char *box : {"10417", "10418", "10502", "PLAYLIST-Promo"})
        QVERIFY(QDir(server(box)).removeRecursively());
    QVERIFY(startDesks(this));
}

void TwoConsolesTest::cleanupTestCase()
{
    closeDesks();
}

bool TwoConsolesTest::answerOwn(QDialog *d, Desk *owner, const QString &who)
{
    if (!tickScreens(d, [owner](const QString &serial) { return owner && owner->choice.contains(serial); }))
        return false;
    m_dialogs << who + ": choix";
    click(d, "valider");
    return true;
}

const char *TwoConsolesTest::button(Desk *owner, const QString &text)
{
    if (text == RevisionCounters::questionText() || text.startsWith("Ces écrans"))
        return owner && owner->overwrite ? "valider" : "annuler";
    return "valider";
}

bool TwoConsolesTest::deploy(const QStringList &desks, const QStringList &boxes)
{
    for (const QString &name : desks)
        desk(name).choice = boxes;
    for (const QString &name : desks)
        desk(name).panel()->slotDeploiement();
    return deployed(desks);
}

bool TwoConsolesTest::deployed(const QStringList &desks)
{
    return QTest::qWaitFor([&] {
        for (const QString &name : desks) {
            if (desk(name).panel()->boxDeployment()->running())
                return false;
        }
        return ModalAnswerer::openDialogs().isEmpty();
    }, 60000);
}

// "A select 10235", "B deploy 10234 ok" (OK to the revision question),
// "A deploy 10234 failing" (its uploads refused), "A+B deploy 10234",
// "A deploy 10234,10235", "A deploy 10234 held B" (A's poster list goes out
// once B has deployed the box, then the stand-in holds it: a slow upload),
// "A+B deploy 10234 reread" (the first poster list sent is held 2 s, the
// first console's second read 3 s), "B deploy 10234 after A" (B's run holds
// once it checked the box, A deploys the box, B goes on), "A info 10234"
// (A edits the box's owner record), "B restart -" (B quits and starts again
// in its work folder).
void TwoConsolesTest::act(const QString &action)
{
    const QStringList words = action.split(' ');
    const QStringList desks = words.at(0).split('+');
    const QStringList boxes = words.at(2).split(',');
    if (words.at(1) == "select") {
        QVERIFY2(select(desk(desks.first()), boxes.first()), qPrintable(action));
        return;
    }
    if (words.at(1) == "info") {
        Desk &d = desk(desks.first());
        QVERIFY(ClassParam().setParamCrypt(d.work + "/DATA/INFO.orvex", "MARK", d.name));
        return;
    }
    if (words.at(1) == "restart") {
        Desk &d = desk(desks.first());
        d.window.reset();
        QVERIFY2(startDesk(d, true), qPrintable(action));
        return;
    }
    const QString list = m_account + "/" + boxes.first() + "/PLAYER.orvex";
    if (words.contains("after")) {
        Desk &d = desk(desks.first());
        d.choice = boxes;
        d.overwrite = false;
        BoxDeployment *run = d.panel()->boxDeployment();
        // Held while it fetches the media index: the boxes were checked, nothing was sent.
        const QSharedPointer<bool> checked =
            holdAt(run->timer(), [run] { return run->step(); }, [](int, int now) { return now == BoxDeployment::IndexFetch; });
        d.panel()->slotDeploiement();
        QTRY_VERIFY_WITH_TIMEOUT(*checked, 30000);
        desk(words.last()).overwrite = false;
        QVERIFY2(deploy({words.last()}, boxes), qPrintable(action + ": " + m_dialogs.join(" / ")));
        run->timer()->start();
        QVERIFY2(deployed({d.name}), qPrintable(action + ": " + m_dialogs.join(" / ")));
        return;
    }
    QList<QMetaObject::Connection> rereads;
    if (words.contains("reread")) {
        QVERIFY(StandIn::fault("/zobox/upload.php", "delay", list, 1, 2000));
        auto armed = QSharedPointer<bool>::create(false);
        for (const QString &name : desks) {
            BoxDeployment *run = desk(name).panel()->boxDeployment();
            rereads << connect(desk(name).panel()->httpFileApi(), &HttpFileApi::signalTransferEnded, this,
                               [=](int operation, bool ok) {
                                   // The first read of a sent list came back.
                                   if (*armed || !ok || operation != HttpFileApi::OpDownload
                                       || run->step() != BoxDeployment::ReadBack)
                                       return;
                                   *armed = StandIn::fault("/zobox/" + list, "delay", list, 1, 3000);
                               });
        }
    }
    for (const QString &name : desks)
        desk(name).overwrite = words.contains("ok");
    if (words.contains("failing"))
        QVERIFY(StandIn::fault("/zobox/upload.php", "500", "/" + boxes.first() + "/", 3));
    bool held = false;
    bool otherDeployed = false;
    QMetaObject::Connection hold;
    if (words.contains("held")) {
        Desk &other = desk(words.last());
        other.overwrite = false;
        hold = connect(desk(desks.first()).panel()->httpFileApi(), &HttpFileApi::signalStatusLabel, this,
                       [&, boxes](const QString &text) {
                           if (held || text != "Envoi du fichier PLAYER.orvex...")
                               return;
                           held = true;
                           otherDeployed = deploy({other.name}, boxes)
                               && StandIn::fault("/zobox/upload.php", "delay", list, 1, 800);
                       });
    }
    QVERIFY2(deploy(desks, boxes), qPrintable(action + ": " + m_dialogs.join(" / ")));
    disconnect(hold);
    for (const QMetaObject::Connection &c : rereads)
        disconnect(c);
    QVERIFY2(held == words.contains("held") && otherDeployed == held,
             qPrintable(action + ": " + m_dialogs.join(" / ")));
    StandIn::reset("/" + boxes.first() + "/");
}

QString TwoConsolesTest::owner(const QString &box) const
{
    return ClassParam().getParamCrypt(server(box + "/PLAYER.orvex"), "MARK", 0);
}

void TwoConsolesTest::boxDeployments_data()
{
    // Each row starts with both consoles having read 10235 then 10234.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QStringList>("dialogs"); // each seen text starts with its entry
    // "" unchanged; "winner": the desk told of its success; "one winner":
    // only one desk told of its success, the other told at once it lost.
    QTest::addColumn<QString>("owner10234");
    QTest::addColumn<QString>("owner10235");
    QTest::addColumn<QString>("info10234"); // who marked the server's owner record; "" unchanged
    const QString question = RevisionCounters::questionText();
    QTest::newRow("failed deploy remembered the raised counter: the retry overwrote the other console")
        << QStringList{"A deploy 10234 failing", "B deploy 10234", "A deploy 10234"}
        << QStringList{"A: choix", "A: ", "B: choix", "B: " + kSuccess, "A: choix", "A: " + question} << "B" << ""
        << "";
    QTest::newRow("OK-overwrite wrote the other console's counter: its next deployment was not asked")
        << QStringList{"A deploy 10234", "B deploy 10234 ok", "A deploy 10234"}
        << QStringList{"A: choix", "A: " + kSuccess, "B: choix", "B: " + question, "B: " + kSuccess,
                       "A: choix", "A: " + question}
        << "B" << "" << "";
    QTest::newRow("multi-box push replaced the other console's deployment unasked")
        << QStringList{"B select 10235", "B deploy 10235", "A deploy 10234,10235"}
        << QStringList{"B: choix", "B: " + kSuccess, "A: choix", "A: Ces écrans ont été modifiés par un autre "
                                                                     "utilisateur: 10235"}
        << "" << "B" << "";
    // The next selection tells a console whose success was replaced by a send landing later.
    QTest::newRow("two deployments at once both reported success")
        << QStringList{"A+B deploy 10234", "A select 10234", "B select 10234"} << QStringList{} << "winner" << ""
        << "";
    // A's upload lands after B's whole deployment; both read back their own list.
    const QStringList slow{"A: choix", "B: choix", "B: " + kSuccess, "A: " + kSuccess};
    QTest::newRow("slow box upload replaced the other console's list: its next deployment overwrote unasked")
        << QStringList{"A deploy 10234 held B", "B deploy 10234"}
        << slow + QStringList{"B: choix", "B: " + question} << "A" << "" << "";
    QTest::newRow("slow box upload replaced the other console's list: its next selection told nothing")
        << QStringList{"A deploy 10234 held B", "B select 10234"} << slow + QStringList{"B: " + kReplaced} << "A"
        << "" << "";
    QTest::newRow("slow box upload replaced the other console's list: after a restart its selection told nothing")
        << QStringList{"A deploy 10234 held B", "B restart -", "B select 10234"}
        << slow + QStringList{"B: " + kReplaced} << "A" << "" << "";
    QTest::newRow("first list sent held: both consoles told success for one list")
        << QStringList{"A+B deploy 10234 reread"} << QStringList{} << "one winner" << "" << "";
    QTest::newRow("owner record sent before the check: cancel left it over the other console's edit")
        << QStringList{"A info 10234", "B deploy 10234 after A"}
        << QStringList{"B: choix", "A: choix", "A: " + kSuccess, "B: " + question} << "A" << "" << "A";
}

void TwoConsolesTest::boxDeployments()
{
    QFETCH(QStringList, actions);
    QFETCH(QStringList, dialogs);
    QFETCH(QString, owner10234);
    QFETCH(QString, owner10235);
    QFETCH(QString, info10234);
    for (Desk *d : {&m_a, &m_b}) {
        QVERIFY(select(*d, "10235"));
        QVERIFY(select(*d, "10234"));
    }
    const QString before10234 = owner("10234");
    const QString before10235 = owner("10235");
    const QString infoBefore = ClassParam().getParamCrypt(server("10234/INFO.orvex"), "MARK", 0);
    m_dialogs.clear();
    for (const QString &action : actions)
        act(action);
    const QString seen = m_dialogs.join(" / ");
    QCOMPARE(ClassParam().getParamCrypt(server("10234/INFO.orvex"), "MARK", 0),
             info10234.isEmpty() ? infoBefore : info10234);
    if (owner10234 == "one winner") {
        QCOMPARE(m_dialogs.count("A: choix") + m_dialogs.count("B: choix"), 2);
        const QStringList won = m_dialogs.filter(": " + kSuccess);
        QVERIFY2(won == QStringList{owner("10234") + ": " + kSuccess}, qPrintable(seen));
        // The other told at once that its list is not the one the server holds.
        QVERIFY2(m_dialogs.size() == 4 && m_dialogs.filter(BoxDeployment::conflictText("10234")).size() == 1,
                 qPrintable(seen));
        return;
    }
    if (owner10234 == "winner") {
        // One success, the other console told of a conflict or asked; or
        // two, and the one whose list the server lost is told when it
        // selects the box again.
        QCOMPARE(m_dialogs.count("A: choix") + m_dialogs.count("B: choix"), 2);
        const QStringList won = m_dialogs.filter(": " + kSuccess);
        QVERIFY2(!won.isEmpty() && won.contains(owner("10234") + ": " + kSuccess), qPrintable(seen));
        for (const QString &name : {QString("A"), QString("B")}) {
            const bool told = !m_dialogs.filter(QRegularExpression("^" + name + ": " + kReplaced)).isEmpty();
            QVERIFY2(told == (won.contains(name + ": " + kSuccess) && name != owner("10234")), qPrintable(seen));
        }
        QVERIFY2(m_dialogs.size() == 3 + won.size(), qPrintable(seen));
        return;
    }
    QVERIFY2(m_dialogs.size() == dialogs.size(), qPrintable(seen));
    for (int i = 0; i < dialogs.size(); ++i)
        QVERIFY2(m_dialogs.at(i).startsWith(dialogs.at(i)), qPrintable(seen));
    QCOMPARE(owner("10234"), owner10234.isEmpty() ? before10234 : owner10234);
    QCOMPARE(owner("10235"), owner10235.isEmpty() ? before10235 : owner10235);
}

classAdmin *TwoConsolesTest::openAdministration(Desk &d)
{
    for (QToolButton *b : d.panel()->findChildren<QToolButton *>()) {
        if (b->text() == "Administration" && !b->isHidden())
            b->click();
    }
    auto *page = d.window->findChild<classAdmin *>();
    return page && page->isVisible() ? page : nullptr;
}

bool TwoConsolesTest::validate(Desk &d, classAdmin *page)
{
    QSignalSpy finished(d.panel()->accountDeployment(), &JournalDeployment::signalFinished);
    page->widgets()->validate->click();
    return QTest::qWaitFor([&] {
        return finished.count() > 0 && !d.panel()->accountDeployment()->running()
            && ModalAnswerer::openDialogs().isEmpty();
    }, 30000);
}

QSharedPointer<bool> TwoConsolesTest::holdAt(QTimer *timer, const std::function<int()> &step,
                                             const std::function<bool(int, int)> &when)
{
    auto held = QSharedPointer<bool>::create(false);
    auto last = QSharedPointer<int>::create(step());
    auto hook = QSharedPointer<QMetaObject::Connection>::create();
    // Connected after the machine's own tick: it sees the step the tick left.
    *hook = connect(timer, &QTimer::timeout, this, [=] {
        const int now = step();
        if (when(*last, now)) {
            *held = true;
            timer->stop();
            disconnect(*hook);
        }
        *last = now;
    });
    return held;
}

QSharedPointer<bool> TwoConsolesTest::holdAccountRun(Desk &d, const std::function<bool(int, int)> &when)
{
    AccountDeployment *run = d.panel()->accountDeployment();
    return holdAt(run->timer(), [run] { return run->step(); }, when);
}

bool TwoConsolesTest::accountRunOver(Desk &d)
{
    return QTest::qWaitFor([&] {
        return !d.panel()->accountDeployment()->running() && ModalAnswerer::openDialogs().isEmpty();
    }, 30000);
}

QString TwoConsolesTest::changeRight(classAdmin *page, int right)
{
    page->widgets()->usersList->setCurrentRow(1);
    page->widgets()->rights.at(right)->click();
    return page->loginFile().list(LoginFile::UserPermission).value(1);
}

void TwoConsolesTest::takeQuit()
{
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
}

void TwoConsolesTest::administrators_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<bool>("pageOpenFirst");
    // "": A saves, then B. "A first", "B first": both save at once, A adding
    // the user and B changing a right, on a slow link (the upload of the
    // one named lands first, held a while); "unstored": A's upload is
    // answered 200 and not stored.
    QTest::addColumn<QString>("link");
    QTest::newRow("a right changed after another administrator added a user was refused to be done again")
        << "anna" << false << "";
    QTest::newRow("page open while another administrator added a user: its right change was refused")
        << "berta" << true << "";
    QTest::newRow("slow login upload replaced at once: the user was lost after its password was shown")
        << "dora" << true << "A first";
    QTest::newRow("slow login upload replaced at once: the right change was lost until it was done again")
        << "emma" << true << "B first";
    QTest::newRow("login file answered 200 unstored: the new user's password was shown as saved")
        << "fanny" << false << "unstored";
}

void TwoConsolesTest::administrators()
{
    QFETCH(QString, user);
    QFETCH(bool, pageOpenFirst);
    QFETCH(QString, link);
    m_dialogs.clear();
    classAdmin *pageB = pageOpenFirst ? openAdministration(m_b) : nullptr;
    classAdmin *pageA = openAdministration(m_a);
    QVERIFY(pageA);
    m_typing = QStringList{user};
    pageA->widgets()->actions.at(0)->click(); // add a user: the name, then the password's note
    QTRY_VERIFY(!pageA->listManager()->busy() && ModalAnswerer::openDialogs().isEmpty());
    QVERIFY(pageA->loginFile().list(LoginFile::UserList).contains(user));
    const QString password = pageA->loginFile().list(LoginFile::UserPassword).last();
    const QString shown = "A: Mot de passe de l'utilisateur " + user + ": " + password;
    if (!link.isEmpty()) {
        if (link != "B first")
            QVERIFY2(!m_dialogs.join('\n').contains(password), qPrintable(m_dialogs.join(" / ")));
        administratorsAtOnce(link, user, pageA, pageB, shown);
        return;
    }
    QVERIFY(validate(m_a, pageA));
    ClassParam read;
    QVERIFY(read.getParamCrypt(server("LoginCrypt.orvex"), "USERLIST", 0).split('|').contains(user));

    if (!pageB)
        pageB = openAdministration(m_b);
    QVERIFY(pageB);
    AdminWidgets *ui = pageB->widgets();
    ui->usersList->setCurrentRow(1);
    const QString rights = pageB->loginFile().list(LoginFile::UserPermission).value(1);
    ui->rights.at(2)->click();
    QVERIFY(pageB->loginFile().list(LoginFile::UserPermission).value(1) != rights);
    const QString changed = pageB->loginFile().list(LoginFile::UserPermission).value(1);
    QVERIFY(validate(m_b, pageB));
    const QString seen = m_dialogs.join(" / ");
    // B's right goes on the server's file, which keeps the new user: nothing
    // is refused, nothing is to be done again.
    QVERIFY2(!seen.contains(AccountDeployment::loginChangedText()), qPrintable(seen));
    QVERIFY2(!seen.contains("Ces modifications de l'administration"), qPrintable(seen));
    QVERIFY(read.getParamCrypt(server("LoginCrypt.orvex"), "USERLIST", 0).split('|').contains(user));
    QCOMPARE(read.getParamCrypt(server("LoginCrypt.orvex"), "USERPERMISSION", 0).split('|').value(1), changed);
    QVERIFY(!PendingAdminDeploy::isPending(m_b.work));
    QFile local(m_b.work + "/LoginCrypt.orvex");
    QFile remote(server("LoginCrypt.orvex"));
    QVERIFY(local.open(QIODevice::ReadOnly) && remote.open(QIODevice::ReadOnly));
    QCOMPARE(local.readAll(), remote.readAll());
    // Its page shows the server's users when opened again.
    QVERIFY(openAdministration(m_b));
    QVERIFY(pageB->loginFile().list(LoginFile::UserList).contains(user));
    pageB->widgets()->back->click();
}

void TwoConsolesTest::killedWhileItsLoginUploadWasHeld_data()
{
    QTest::addColumn<QString>("user");  // added by A, whose upload is held
    QTest::addColumn<QString>("other"); // added by B meanwhile
    QTest::newRow("console killed while the server held its login upload: told not applied, the other's user lost "
                  "unseen") << "hugo" << "bob";
}

// A adds a user and is killed while the server holds its upload; B adds a
// user; A starts again in the same work folder before the upload lands. A
// keeps its rows until a fetch shows them: its restart sends its user again
// instead of telling the change dropped.
void TwoConsolesTest::killedWhileItsLoginUploadWasHeld()
{
    QFETCH(QString, user);
    QFETCH(QString, other);
    const QString remote = server("LoginCrypt.orvex");
    const auto users = [remote] { return ClassParam().getParamCrypt(remote, "USERLIST", 0).split('|'); };
    const auto idle = [](Desk &d) {
        return QTest::qWaitFor([&] {
            return !d.panel()->accountDeployment()->running() && ModalAnswerer::openDialogs().isEmpty();
        }, 30000);
    };
    m_dialogs.clear();
    classAdmin *pageA = openAdministration(m_a);
    QVERIFY(pageA);
    m_typing = QStringList{user};
    pageA->widgets()->actions.at(0)->click();
    QTRY_VERIFY(!pageA->listManager()->busy() && ModalAnswerer::openDialogs().isEmpty());
    // Held well past A's restart and B's save, on a busy machine too.
    QVERIFY(StandIn::fault("/zobox/upload.php", "delay", m_account + "/LoginCrypt.orvex", 1, 25000));
    bool sending = false;
    connect(m_a.panel()->httpFileApi(), &HttpFileApi::signalStatusLabel, this,
            [&sending](const QString &text) { sending = sending || text.contains("LoginCrypt.orvex"); });
    QSignalSpy sent(m_a.panel()->accountDeployment(), &AccountDeployment::signalLoginStored);
    pageA->widgets()->validate->click();
    QTRY_VERIFY_WITH_TIMEOUT(m_a.panel()->accountDeployment()->step() == AccountDeployment::PutLogin && sending,
                             30000);
    QTest::qWait(500); // the request is on the server, held
    QCOMPARE(sent.count(), 0);
    m_a.window.reset();
    QVERIFY(!users().contains(user));

    // B adds its user while A's upload is held.
    classAdmin *pageB = openAdministration(m_b);
    QVERIFY(pageB);
    m_typing = QStringList{other};
    pageB->widgets()->actions.at(0)->click();
    QTRY_VERIFY(!pageB->listManager()->busy() && ModalAnswerer::openDialogs().isEmpty());
    QVERIFY(validate(m_b, pageB));
    QVERIFY2(users().contains(other), qPrintable(users().join(',')));

    // A starts again before its upload lands: its user goes again.
    m_dialogs.clear();
    QVERIFY(startDesk(m_a, true));
    QVERIFY(idle(m_a));
    QVERIFY2(m_dialogs.filter("n'est pas appliquée").isEmpty(), qPrintable(m_dialogs.join(" / ")));
    QTRY_VERIFY_WITH_TIMEOUT(users().contains(user), 30000);
    QVERIFY(idle(m_a));
    // The held upload lands before the next row.
    QTRY_VERIFY_WITH_TIMEOUT(!users().contains(other), 40000);
    QVERIFY(!PendingAdminDeploy::isPending(m_a.work));
}

// The login file of both consoles' saves, as the server holds it at the
// end. Saved at once, the one whose upload was replaced puts its rows back
// on the other's file and reads it back: both changes stay, nobody is told
// of a loss. Answered 200 unstored, the change stays pending on its console
// and goes with its next save.
void TwoConsolesTest::administratorsAtOnce(const QString &link, const QString &user, classAdmin *pageA,
                                           classAdmin *pageB, const QString &shown)
{
    ClassParam read;
    const QString remote = server("LoginCrypt.orvex");
    const QString before = read.getParamCrypt(remote, "USERPERMISSION", 0).split('|').value(1);
    if (link != "unstored") {
        QVERIFY(pageB);
        const QString rights = changeRight(pageB, 2);
        QVERIFY(rights != before);
        Desk &first = link == "A first" ? m_a : m_b;
        Desk &second = link == "A first" ? m_b : m_a;
        classAdmin *pageFirst = link == "A first" ? pageA : pageB;
        classAdmin *pageSecond = link == "A first" ? pageB : pageA;
        // The second checks the server's file before the first's upload
        // lands, and sends after it; the first reads back after that.
        const QSharedPointer<bool> checked = holdAccountRun(second, [](int, int now) { return now == 3; });
        pageSecond->widgets()->validate->click();
        QTRY_VERIFY_WITH_TIMEOUT(*checked, 30000);
        QVERIFY(StandIn::fault("/zobox/upload.php", "delay", "LoginCrypt.orvex", 1, 1500));
        const QSharedPointer<bool> sent = holdAccountRun(first, [](int was, int now) { return was == 3 && now != 3; });
        pageFirst->widgets()->validate->click();
        QTRY_VERIFY_WITH_TIMEOUT(*sent, 30000);
        second.panel()->accountDeployment()->timer()->start();
        QVERIFY(accountRunOver(second));
        first.panel()->accountDeployment()->timer()->start();
        QVERIFY(accountRunOver(first));
        const QString seen = m_dialogs.join(" / ");
        QVERIFY2(!seen.contains(AccountDeployment::loginReplacedText()), qPrintable(seen));
        QVERIFY2(!seen.contains(AccountDeployment::loginChangedText()), qPrintable(seen));
        // Both on the server: the user (her password shown once) and the right.
        QVERIFY2(read.getParamCrypt(remote, "USERLIST", 0).split('|').contains(user), qPrintable(seen));
        QCOMPARE(read.getParamCrypt(remote, "USERPERMISSION", 0).split('|').value(1), rights);
        QCOMPARE(m_dialogs.filter(shown).size(), 1);
        for (Desk *d : {&m_a, &m_b}) {
            QVERIFY2(!PendingAdminDeploy::isPending(d->work), qPrintable(d->name));
            QVERIFY(!QFile::exists(d->work + "/TEMP/LoginCrypt-serveur.orvex"));
        }
        for (classAdmin *page : {pageA, pageB}) {
            if (page->isVisible())
                page->widgets()->back->click();
        }
        return;
    }
    Desk *loser = &m_a;
    QVERIFY(StandIn::fault("/zobox/upload.php", "body", "LoginCrypt.orvex", 1));
    QVERIFY(validate(m_a, pageA));
    QVERIFY2(m_dialogs.contains("A: " + AccountDeployment::loginNotStoredText()), qPrintable(m_dialogs.join(" / ")));
    const QString seen = m_dialogs.join(" / ");
    const bool userOnServer = read.getParamCrypt(remote, "USERLIST", 0).split('|').contains(user);
    // The password only once the server holds the user.
    QVERIFY2(!m_dialogs.filter(shown).isEmpty() == userOnServer, qPrintable(seen));
    QVERIFY(!userOnServer);
    // The console that lost its change keeps it, still to be sent.
    QVERIFY(PendingAdminDeploy::isPending(loser->work));
    QVERIFY(loser->window->findChild<classAdmin *>()->loginFile().pendingDeploy() >= 0);
    QVERIFY(!QFile::exists(loser->work + "/TEMP/LoginCrypt-serveur.orvex"));

    // Sent again: the unstored file goes with no blame.
    m_dialogs.clear();
    classAdmin *page = openAdministration(*loser);
    QVERIFY(page);
    QVERIFY(validate(*loser, page));
    QVERIFY2(!m_dialogs.join('\n').contains(AccountDeployment::loginChangedText()), qPrintable(m_dialogs.join(" / ")));
    QVERIFY(read.getParamCrypt(remote, "USERLIST", 0).split('|').contains(user));
    QVERIFY2(!m_dialogs.filter(shown).isEmpty(), qPrintable(m_dialogs.join(" / ")));
    QVERIFY(!PendingAdminDeploy::isPending(loser->work));
    QFile local(loser->work + "/LoginCrypt.orvex");
    QFile there(remote);
    QVERIFY(local.open(QIODevice::ReadOnly) && there.open(QIODevice::ReadOnly));
    QCOMPARE(local.readAll(), there.readAll());
    if (page->isVisible())
        page->widgets()->back->click();
}

// A console open for a while deploys posters naming a picture that the
// other console removed meanwhile (the server's index no longer holds it).
void TwoConsolesTest::postersCleanedAgainstTheServersIndex()
{
    QVERIFY(select(m_a, "10235"));
    QVERIFY(select(m_a, "10234"));
    ClassParam read;
    const QStringList posters = read.getParamCrypt(m_a.work + "/DATA/PLAYER.orvex", "SLIDENAMEIMAGE", 0).split('|');
    QString gone;
    for (const QString &p : posters) {
        if (!p.isEmpty() && gone.isEmpty())
            gone = p;
    }
    QVERIFY(!gone.isEmpty());
    // The server's index as the other console's removal leaves it.
    QVERIFY(indexedPaths(server("MEDIA.orvex")).contains(gone));
    QVERIFY(removeFromServer(gone));
    // A still holds the index it read at login.
    QVERIFY(read.getParamCrypt(m_a.work + "/TEMP/MEDIA.orvex", "FILEPATH", 0).split('|').contains(gone));

    m_dialogs.clear();
    act("A deploy 10234");
    QCOMPARE(m_dialogs, (QStringList{"A: choix", "A: " + kSuccess}));
    const QStringList sent = read.getParamCrypt(server("10234/PLAYER.orvex"), "SLIDENAMEIMAGE", 0).split('|');
    QCOMPARE(sent.size(), posters.size());
    QVERIFY(!sent.contains(gone));
    QCOMPARE(sent.at(posters.indexOf(gone)), QString());
}

QString TwoConsolesTest::importVideo(Desk &d, const QString &name)
{
    ClassMedia *page = d.window->findChild<ClassMedia *>();
    QFile source(m_dir.filePath(name + ".mp4"));
    if (!source.open(QIODevice::WriteOnly) || source.write(QByteArray(4096, name.at(0).toLatin1())) != 4096)
        return QString();
    source.close();
    const QString chosen = source.fileName();
    page->setFileChooser([chosen](int, QWidget *, const QString &) { return QStringList{chosen}; });
    page->slotAjouterVideo();
    // The import waits for the server's count of the quota.
    if (!QTest::qWaitFor([page] { return !page->importPending() && !page->importing(); }, 30000))
        return QString();
    auto *list = page->findChild<QListWidget *>("listVideo");
    for (int i = 0; i < list->count(); ++i) {
        if (list->item(i)->text().startsWith(name + '-'))
            return list->item(i)->text();
    }
    return QString();
}

QStringList TwoConsolesTest::serverMedia() const
{
    return mediaFilesBelow(server());
}

QStringList TwoConsolesTest::serverIndexed() const
{
    return indexedPaths(server("MEDIA.orvex"));
}

void TwoConsolesTest::mediaRunsAtOnce_data()
{
    // What B does on its media page while A's run waits with the index it
    // fetched (a slow fetch, or both leaving the page together).
    QTest::addColumn<QString>("other");
    QTest::newRow("two media runs at once lost one console's import from the index") << "import";
    QTest::newRow("slow index fetch: a removed video came back in the index") << "remove";
    // A's index upload lands after B's run was read back.
    QTest::newRow("slow index upload dropped the other console's import from the index for good") << "slow";
}

void TwoConsolesTest::mediaRunsAtOnce()
{
    QFETCH(QString, other);
    static int round = 0;
    const QString tag = QString::number(++round);
    QCOMPARE(serverIndexed(), serverMedia());
    QString gone;
    if (other == "remove") {
        QVERIFY(openMedia(m_b));
        gone = importVideo(m_b, "gone" + tag);
        QVERIFY(!gone.isEmpty());
        QVERIFY(leaveMedia(m_b));
        QVERIFY(QFile::exists(server("VIDEO/" + gone)));
    }
    m_dialogs.clear();
    QVERIFY(openMedia(m_a));
    const QString mine = importVideo(m_a, "a" + tag);
    QVERIFY(!mine.isEmpty());
    ClassMedia *pageB = openMedia(m_b);
    QVERIFY(pageB);
    QString theirs;
    if (other == "slow") {
        theirs = importVideo(m_b, "b" + tag);
        QVERIFY(!theirs.isEmpty());
        QVERIFY(leaveBothWithASlowIndexUpload());
        // At the latest once B visits its media page again.
        QVERIFY(visitMedia(m_b));
    } else if (other == "import") {
        theirs = importVideo(m_b, "b" + tag);
        QVERIFY(!theirs.isEmpty());
    } else {
        auto *list = pageB->findChild<QListWidget *>("listVideo");
        list->setCurrentItem(list->findItems(gone, Qt::MatchExactly).value(0));
        QVERIFY(list->currentItem());
        pageB->slotSupprimerVideo();
        QVERIFY(list->findItems(gone, Qt::MatchExactly).isEmpty());
    }

    if (other != "slow") {
        // A's run is held right after its index fetch until B's run is over.
        MediaDeployment *runA = m_a.panel()->mediaDeployment();
        QTimer *timerA = runA->timer();
        bool held = false;
        const QMetaObject::Connection hold = connect(timerA, &QTimer::timeout, this, [&] {
            if (!held && runA->step() == 72) {
                held = true;
                timerA->stop();
            }
        });
        QSignalSpy finishedA(runA, &JournalDeployment::signalFinished);
        m_a.window->findChild<ClassMedia *>()->findChild<QAbstractButton *>("btBack")->click();
        QTRY_VERIFY_WITH_TIMEOUT(held, 30000);
        QVERIFY(leaveMedia(m_b));
        disconnect(hold);
        timerA->start();
        QTRY_VERIFY_WITH_TIMEOUT(finishedA.count() > 0 && !runA->running(), 30000);
    }
    QTRY_VERIFY(ModalAnswerer::openDialogs().isEmpty());

    const QString seen = m_dialogs.join(" / ");
    QVERIFY2(m_dialogs.isEmpty(), qPrintable(seen));
    QVERIFY(QFile::exists(server("VIDEO/" + mine)));
    if (!theirs.isEmpty())
        QVERIFY(QFile::exists(server("VIDEO/" + theirs)));
    if (!gone.isEmpty())
        QVERIFY(!QFile::exists(server("VIDEO/" + gone)));
    // Every file on the server is in the index, and only those.
    QCOMPARE(serverIndexed(), serverMedia());
    QVERIFY(!QFile::exists(m_a.work + "/TEMP/INFOMEDIA.orvex"));
    QVERIFY(!QFile::exists(m_b.work + "/TEMP/INFOMEDIA.orvex"));
}

void TwoConsolesTest::boxAddedOnAStaleLoginFile_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("serial");
    QTest::addColumn<QString>("code");
    // "": A adds a user, then B adds a box. "box first", "right first": A
    // changes a right while B adds a box, on a slow link; the login file
    // of the one named lands first.
    QTest::addColumn<QString>("link");
    QTest::newRow("a box added on a stale login file wiped the other administrator's user")
        << "carla" << "10999" << "1A2B3C4D5E" << "";
    QTest::newRow("slow right change landed after the box's login file: the box vanished from the list")
        << "" << "10998" << "1A2B3C4D5F" << "box first";
    QTest::newRow("slow box login file landed after the right change: the right was lost until it was done again")
        << "" << "10997" << "1A2B3C4D60" << "right first";
}

// A adds a user; B, logged in before, adds a box (the success box, then the
// program's quit, which ends the event loop run here), then saves its
// administration page.
void TwoConsolesTest::boxAddedOnAStaleLoginFile()
{
    QFETCH(QString, user);
    QFETCH(QString, serial);
    QFETCH(QString, code);
    QFETCH(QString, link);
    // The service's shared folders: factory records, templates, validation.
    const QString shared = m_a.work + "/server/zolink/zobox/";
    for (const char *folder : {"DEFAULT", "Production"})
        QVERIFY(copyTree(shared + folder + "/", StandIn::root() + "/" + folder + "/"));
    const QString reports = StandIn::root() + "/Production/Reports/";
    QVERIFY(QFile::exists(reports + serial + "_" + code + ".orvex")
            || QFile::copy(reports + "10999_1A2B3C4D5E.orvex", reports + serial + "_" + code + ".orvex"));
    QVERIFY(QDir().mkpath(StandIn::root() + "/Validation"));
    const QString validation = StandIn::root() + "/Validation/ZOVALIDATE_" + serial + "_" + code + ".orvex";
    QFile::remove(validation);
    // A box is added before any screen is chosen: B starts again.
    m_b.window.reset();
    QVERIFY(startDesk(m_b));
    m_dialogs.clear();
    if (!link.isEmpty()) {
        // A starts from the server's file as it is now.
        m_a.window.reset();
        QVERIFY(startDesk(m_a));
        boxAddedAtOnce(link, serial, code);
        QFile::remove(validation);
        return;
    }

    classAdmin *pageA = openAdministration(m_a);
    QVERIFY(pageA);
    m_typing = QStringList{user};
    pageA->widgets()->actions.at(0)->click();
    QTRY_VERIFY(!pageA->listManager()->busy() && ModalAnswerer::openDialogs().isEmpty());
    QVERIFY(validate(m_a, pageA));
    pageA->widgets()->back->click();
    ClassParam read;
    QVERIFY(read.getParamCrypt(server("LoginCrypt.orvex"), "USERLIST", 0).split('|').contains(user));

    QToolButton *add = nullptr;
    for (QToolButton *b : m_b.panel()->findChildren<QToolButton *>()) {
        if (b->text() == "Ajouter un Ecran")
            add = b;
    }
    auto *dialog = m_b.panel()->findChild<classAjoutBox *>();
    QVERIFY(add && dialog);
    add->click();
    QTRY_COMPARE(dialog->procedure()->step(), 1);
    dialog->serialField()->setText(serial);
    dialog->codeField()->setText(code);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(60000);
    QTimer::singleShot(0, dialog, [dialog] { QMetaObject::invokeMethod(dialog->findChild<QObject *>("valider"), "click"); });
    QVERIFY2(QCoreApplication::exec() == 0, qPrintable(m_dialogs.join(" / ")));
    // The dialog's own boxes are not the window's children: no desk name.
    QVERIFY(m_dialogs.last().endsWith(": Création terminée avec succés, l'application va s'éteindre!!"));
    dialog->hide(); // the program would end here
    QFile::remove(validation);
    // The server's file has both: A's user and B's box.
    QVERIFY2(read.getParamCrypt(server("LoginCrypt.orvex"), "USERLIST", 0).split('|').contains(user),
             qPrintable(read.getParamCrypt(server("LoginCrypt.orvex"), "USERLIST", 0)));
    QVERIFY(read.getParamCrypt(server("LoginCrypt.orvex"), "PLAYERLIST", 0).split('|').contains(serial));

    // B's next save is not taken for another administrator's change.
    m_dialogs.clear();
    classAdmin *pageB = openAdministration(m_b);
    QVERIFY(pageB);
    pageB->widgets()->usersList->setCurrentRow(1);
    pageB->widgets()->rights.at(3)->click();
    const QString rights = pageB->loginFile().list(LoginFile::UserPermission).value(1);
    QVERIFY(validate(m_b, pageB));
    QVERIFY2(!m_dialogs.contains("B: " + AccountDeployment::loginChangedText()), qPrintable(m_dialogs.join(" / ")));
    QCOMPARE(read.getParamCrypt(server("LoginCrypt.orvex"), "USERPERMISSION", 0).split('|').value(1), rights);
    QVERIFY(read.getParamCrypt(server("LoginCrypt.orvex"), "USERLIST", 0).split('|').contains(user));
    QVERIFY(read.getParamCrypt(server("LoginCrypt.orvex"), "PLAYERLIST", 0).split('|').contains(serial));
    pageB->widgets()->back->click();
}

// A's right change and B's new box reach the login file at once: whatever
// lands last, the server's file ends with the box and the right.
void TwoConsolesTest::boxAddedAtOnce(const QString &link, const QString &serial, const QString &code)
{
    ClassParam read;
    const QString remote = server("LoginCrypt.orvex");
    const QString before = read.getParamCrypt(remote, "USERPERMISSION", 0).split('|').value(1);
    classAdmin *pageA = openAdministration(m_a);
    QVERIFY(pageA);
    const QString rights = changeRight(pageA, 4);
    QVERIFY(rights != before);
    auto *dialog = m_b.panel()->findChild<classAjoutBox *>();
    AddBoxProcedure *adding = dialog->procedure();
    QToolButton *add = nullptr;
    for (QToolButton *b : m_b.panel()->findChildren<QToolButton *>()) {
        if (b->text() == "Ajouter un Ecran")
            add = b;
    }
    QVERIFY(add);
    const auto addBox = [&](const std::function<bool(int, int)> &when) {
        add->click();
        const QSharedPointer<bool> held = holdAt(adding->timer(), [adding] { return adding->step(); }, when);
        if (!QTest::qWaitFor([&] { return adding->step() == 1; }, 10000))
            return QSharedPointer<bool>::create(false);
        dialog->serialField()->setText(serial);
        dialog->codeField()->setText(code);
        QMetaObject::invokeMethod(dialog->findChild<QObject *>("valider"), "click");
        return held;
    };
    const auto boxOver = [&] {
        const bool over = QTest::qWaitFor([&] {
            return !adding->running() && ModalAnswerer::openDialogs().isEmpty();
        }, 60000);
        takeQuit();
        dialog->hide(); // the program would end here
        return over;
    };
    if (link == "box first") {
        // A checks the server's file, B's box goes up and waits to be read
        // back, then A's slow upload lands.
        const QSharedPointer<bool> checked = holdAccountRun(m_a, [](int, int now) { return now == 3; });
        pageA->widgets()->validate->click();
        QTRY_VERIFY_WITH_TIMEOUT(*checked, 30000);
        const QSharedPointer<bool> sent = addBox([](int was, int now) { return was == 39 && now != 39; });
        QTRY_VERIFY_WITH_TIMEOUT(*sent, 60000);
        QVERIFY(StandIn::fault("/zobox/upload.php", "delay", "LoginCrypt.orvex", 1, 1500));
        m_a.panel()->accountDeployment()->timer()->start();
        QVERIFY(accountRunOver(m_a));
        adding->timer()->start();
        QVERIFY(boxOver());
    } else {
        // B reads the server's file, A's right goes up and waits to be read
        // back, then B's slow upload of the box lands.
        const QSharedPointer<bool> fetched =
            addBox([](int, int now) { return now == AddBoxProcedure::LoginWriteStep; });
        QTRY_VERIFY_WITH_TIMEOUT(*fetched, 60000);
        const QSharedPointer<bool> sent = holdAccountRun(m_a, [](int was, int now) { return was == 3 && now != 3; });
        pageA->widgets()->validate->click();
        QTRY_VERIFY_WITH_TIMEOUT(*sent, 30000);
        QVERIFY(StandIn::fault("/zobox/upload.php", "delay", "LoginCrypt.orvex", 1, 1500));
        adding->timer()->start();
        QVERIFY(boxOver());
        m_a.panel()->accountDeployment()->timer()->start();
        QVERIFY(accountRunOver(m_a));
    }
    const QString seen = m_dialogs.join(" / ");
    QVERIFY2(m_dialogs.filter("Création terminée avec succés").size() == 1, qPrintable(seen));
    QVERIFY2(read.getParamCrypt(remote, "PLAYERLIST", 0).split('|').contains(serial), qPrintable(seen));
    // Whatever landed last, both stay: the box and A's right, put back by A
    // on B's file when B's landed after it; nobody is told of a loss.
    QCOMPARE(read.getParamCrypt(remote, "USERPERMISSION", 0).split('|').value(1), rights);
    QVERIFY2(!seen.contains(AccountDeployment::loginReplacedText()), qPrintable(seen));
    if (pageA->isVisible())
        pageA->widgets()->back->click();
}

bool TwoConsolesTest::leaveBothWithASlowIndexUpload()
{
    const QString indexUpload = m_account + "/MEDIA.orvex";
    if (!StandIn::fault("/zobox/upload.php", "delay", indexUpload, 1, 2500))
        return false;
    MediaDeployment *runA = m_a.panel()->mediaDeployment();
    QSignalSpy finishedA(runA, &JournalDeployment::signalFinished);
    m_a.window->findChild<ClassMedia *>()->findChild<QAbstractButton *>("btBack")->click();
    // A's index is on its way (held): B leaves now.
    const bool sending = QTest::qWaitFor([runA] { return runA->step() == 74; }, 30000);
    const bool left = sending && leaveMedia(m_b);
    const bool over = QTest::qWaitFor([&] {
        return finishedA.count() > 0 && !runA->running() && ModalAnswerer::openDialogs().isEmpty();
    }, 30000);
    StandIn::reset(indexUpload);
    return sending && left && over;
}

void TwoConsolesTest::quotaAcrossConsoles_data()
{
    QTest::addColumn<int>("quota"); // Mo
    QTest::addColumn<qint64>("first"); // A's video, published
    QTest::addColumn<qint64>("second"); // B's video, chosen afterwards
    QTest::addColumn<bool>("atOnce"); // both imported before either left its page
    // Another console's 1.5 MB (1 Mo) and B's 2 Mo reach the quota of 3.
    QTest::newRow("quota counted on each console's own index: two consoles went past it")
        << 3 << qint64(1500000) << qint64(2000000) << false;
    // Each fits the 3 Mo alone; A's index upload is held while B leaves.
    QTest::newRow("two consoles importing at once went past the quota")
        << 3 << qint64(2000000) << qint64(2000000) << true;
}

void TwoConsolesTest::quotaAcrossConsoles()
{
    QFETCH(int, quota);
    QFETCH(qint64, first);
    QFETCH(qint64, second);
    QFETCH(bool, atOnce);
    QVERIFY(restartWithQuota(quota));
    const auto serverBytes = [this] {
        qint64 sum = 0;
        for (const QString &size : ClassParam().getParamCrypt(server("MEDIA.orvex"), "FILESIZE", 0).split('|'))
            sum += size.toLongLong();
        return sum;
    };
    // The numbers below hold for an account of less than 1 Mo.
    QVERIFY(serverBytes() < 1000000);
    const auto video = [this](const QString &name, qint64 bytes) {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(QByteArray(int(bytes), 'v')) == bytes ? f.fileName() : QString();
    };
    const QString clipA = video("ClipA.mp4", first);
    const QString clipB = video("ClipB.mp4", second);
    QVERIFY(!clipA.isEmpty() && !clipB.isEmpty());
    m_dialogs.clear();
    const auto videosOnServer = [this] {
        qint64 videos = 0;
        for (const QFileInfo &f : QDir(server("VIDEO")).entryInfoList(QDir::Files))
            videos += f.size();
        return videos;
    };

    if (atOnce) {
        // What the server held unlisted before (a new box's default picture).
        QStringList unlisted = serverMedia();
        for (const QString &path : serverIndexed())
            unlisted.removeOne(path);
        for (Desk *d : {&m_a, &m_b}) {
            ClassMedia *page = openMedia(*d);
            QVERIFY(page);
            QListWidget *videos = page->findChild<QListWidget *>("listVideo");
            const int listed = videos->count();
            const QString clip = d == &m_a ? clipA : clipB;
            page->setFileChooser([clip](int, QWidget *, const QString &) { return QStringList{clip}; });
            page->slotAjouterVideo();
            QTRY_VERIFY2_WITH_TIMEOUT(videos->count() == listed + 1, qPrintable(m_dialogs.join(" / ")), 20000);
        }
        QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));
        QVERIFY(leaveBothWithASlowIndexUpload());
        QVERIFY(visitMedia(m_b));
        // A run whose read-back finds the other's index merges again: its
        // import no longer fits, leaves the server and is told. An import
        // read back before the other's late upload dropped it was accepted:
        // merged again, never removed, and its console is told the library
        // is over its quota. The server lists exactly what it holds.
        const QString seen = m_dialogs.join(" / ");
        QVERIFY2(m_dialogs.size() == 1, qPrintable(seen));
        const QString told = m_dialogs.first().left(1);
        const QString kept = told == "A" ? "B" : "A";
        const bool refused = m_dialogs.first().startsWith(told + ": " + MediaDeployment::overQuotaText({}));
        QVERIFY2((refused || m_dialogs.first().startsWith(told + ": " + MediaDeployment::overQuotaKeptText({})))
                     && m_dialogs.first().contains("VIDEO/Clip" + told + "-"),
                 qPrintable(seen));
        QStringList listed = serverIndexed() + unlisted;
        listed.sort();
        QVERIFY2(listed == serverMedia(), qPrintable(listed.join(',') + " / " + serverMedia().join(',')));
        QCOMPARE(serverMedia().filter("VIDEO/Clip").size(), refused ? 1 : 2);
        QCOMPARE(serverMedia().filter("VIDEO/Clip" + kept + "-").size(), 1);
        if (refused)
            QVERIFY2(videosOnServer() <= qint64(quota) * 1000000, qPrintable(QString::number(videosOnServer())));
        QVERIFY(removeFromServer("VIDEO/Clip"));
        QVERIFY(restartWithQuota(500));
        return;
    }

    // A imports and publishes.
    ClassMedia *pageA = openMedia(m_a);
    QVERIFY(pageA);
    QListWidget *videosA = pageA->findChild<QListWidget *>("listVideo");
    const int listedA = videosA->count();
    pageA->setFileChooser([clipA](int, QWidget *, const QString &) { return QStringList{clipA}; });
    pageA->slotAjouterVideo();
    QTRY_COMPARE_WITH_TIMEOUT(videosA->count(), listedA + 1, 20000);
    QVERIFY(leaveMedia(m_a));
    QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));
    QVERIFY(serverBytes() >= first);

    // B, logged in before, sees A's usage and is refused.
    ClassMedia *pageB = openMedia(m_b);
    QVERIFY(pageB);
    auto *quotaLine = pageB->findChild<QLabel *>("labelQuota");
    const QString used = QString("Espace utilisé: %1Mo").arg(serverBytes() / 1000000);
    QTRY_VERIFY2_WITH_TIMEOUT(quotaLine->text().endsWith(used), qPrintable(quotaLine->text()), 20000);
    QListWidget *videosB = pageB->findChild<QListWidget *>("listVideo");
    const int listedB = videosB->count();
    pageB->setFileChooser([clipB](int, QWidget *, const QString &) { return QStringList{clipB}; });
    pageB->slotAjouterVideo();
    QTRY_VERIFY_WITH_TIMEOUT(!m_dialogs.isEmpty() || videosB->count() > listedB, 20000);
    QTRY_VERIFY(ModalAnswerer::openDialogs().isEmpty());
    QCOMPARE(m_dialogs.size(), 1);
    QVERIFY2(m_dialogs.first().startsWith(QString::fromUtf8("B: La taille maximum de votre médiathèque a été atteinte")),
             qPrintable(m_dialogs.first()));
    QCOMPARE(videosB->count(), listedB);
    QVERIFY(leaveMedia(m_b));

    QVERIFY2(videosOnServer() <= qint64(quota) * 1000000, qPrintable(QString::number(videosOnServer())));

    // The other rows and functions run with the fixture's quota and media.
    QVERIFY(removeFromServer("VIDEO/Clip"));
    QVERIFY(restartWithQuota(500));
}

void TwoConsolesTest::refusedImportLeftItsConsole_data()
{
    QTest::addColumn<qint64>("first");  // A's video, published first
    QTest::addColumn<qint64>("second"); // B's, refused once A's is there
    QTest::newRow("import refused for the quota still listed and counted on its console")
        << qint64(1500000) << qint64(2000000);
}

// Both consoles import a video that fits the quota of 3 Mo alone; A
// publishes first, and B's no longer fits when B's run merges: it leaves
// the server, and B's page, index and quota line let it go too.
void TwoConsolesTest::refusedImportLeftItsConsole()
{
    QFETCH(qint64, first);
    QFETCH(qint64, second);
    QVERIFY(restartWithQuota(3));
    const auto video = [this](const QString &name, qint64 bytes) {
        QFile f(m_dir.filePath(name));
        return f.open(QIODevice::WriteOnly) && f.write(QByteArray(int(bytes), 'r')) == bytes ? f.fileName() : QString();
    };
    const QStringList clips{video("RefusA.mp4", first), video("RefusB.mp4", second)};
    m_dialogs.clear();
    for (Desk *d : {&m_a, &m_b}) {
        ClassMedia *page = openMedia(*d);
        QVERIFY(page);
        QListWidget *videos = page->findChild<QListWidget *>("listVideo");
        const int listed = videos->count();
        const QString clip = clips.at(d == &m_a ? 0 : 1);
        page->setFileChooser([clip](int, QWidget *, const QString &) { return QStringList{clip}; });
        page->slotAjouterVideo();
        QTRY_VERIFY2_WITH_TIMEOUT(videos->count() == listed + 1, qPrintable(m_dialogs.join(" / ")), 20000);
    }
    QVERIFY(leaveMedia(m_a));
    QVERIFY(leaveMedia(m_b));
    const QString seen = m_dialogs.join(" / ");
    QVERIFY2(m_dialogs.size() == 1 && m_dialogs.first().startsWith("B: " + MediaDeployment::overQuotaText({}))
                 && m_dialogs.first().contains("VIDEO/RefusB-"),
             qPrintable(seen));
    QCOMPARE(serverMedia().filter("VIDEO/RefusB-").size(), 0);

    // B's index is the server's, its folder and lists hold no refused file,
    // and its quota line counts what the server holds.
    QCOMPARE(indexedPaths(m_b.work + "/TEMP/MEDIA.orvex"), serverIndexed());
    QCOMPARE(QDir(m_b.work + "/VIDEO").entryList({"RefusB-*"}, QDir::Files), QStringList());
    ClassMedia *page = m_b.window->findChild<ClassMedia *>();
    QVERIFY(page->findChild<QListWidget *>("listVideo")->findItems("RefusB-", Qt::MatchStartsWith).isEmpty());
    QVERIFY(m_b.panel()->findChild<QListWidget *>("listeVideos")->findItems("RefusB-", Qt::MatchStartsWith).isEmpty());
    qint64 held = 0;
    for (const QString &size : ClassParam().getParamCrypt(server("MEDIA.orvex"), "FILESIZE", 0).split('|'))
        held += size.toLongLong();
    const QString used = QString("Espace utilisé: %1Mo").arg(held / 1000000);
    auto *quotaLine = page->findChild<QLabel *>("labelQuota");
    QVERIFY2(quotaLine->text().endsWith(used), qPrintable(quotaLine->text() + " / " + used));

    QVERIFY(removeFromServer("VIDEO/Refus"));
    QVERIFY(restartWithQuota(500));
}

void TwoConsolesTest::importNamedAsTheOtherConsoles_data()
{
    QTest::addColumn<QString>("serial");
    QTest::newRow("pictures of one name imported in one second: one console's posters showed the other's picture")
        << "10234";
}

// B imports a picture and shows it on a poster; A's picture of the same
// name, imported in the same second, reaches the server before B's run.
// B's picture goes up under the next free name, which B's library, panel
// and posters take, and the box gets B's picture.
void TwoConsolesTest::importNamedAsTheOtherConsoles()
{
    QFETCH(QString, serial);
    QVERIFY(select(m_b, serial));
    ClassMedia *page = openMedia(m_b);
    QVERIFY(page);
    QFile chosen(m_dir.filePath("Vitrine.png"));
    const QByteArray mine(5000, 'b');
    QVERIFY(chosen.open(QIODevice::WriteOnly) && chosen.write(mine) == mine.size());
    chosen.close();
    const QString source = chosen.fileName();
    page->setFileChooser([source](int, QWidget *, const QString &) { return QStringList{source}; });
    QListWidget *pictures = page->findChild<QListWidget *>("listImage");
    const int listed = pictures->count();
    page->slotAjouterImage();
    QTRY_COMPARE_WITH_TIMEOUT(pictures->count(), listed + 1, 20000);
    const QString stored = pictures->findItems("Vitrine-", Qt::MatchStartsWith).value(0)->text();
    QVERIFY(!stored.isEmpty());
    // B's first poster shows it.
    const QString player = m_b.work + "/DATA/PLAYER.orvex";
    ClassParam read;
    QStringList posters = read.getParamCrypt(player, "SLIDENAMEIMAGE", 0).split('|');
    QVERIFY(!posters.isEmpty());
    posters[0] = "IMAGE/" + stored;
    QVERIFY(ClassParam().setParamCrypt(player, "SLIDENAMEIMAGE", posters.join('|')));

    // A's picture, as A's run leaves it on the server.
    const QByteArray theirs(3000, 'a');
    QFile other(server("IMAGE/" + stored));
    QVERIFY(other.open(QIODevice::WriteOnly) && other.write(theirs) == theirs.size());
    other.close();
    ClassParam index;
    QVERIFY(index.getParamCrypt(server("MEDIA.orvex"), QStringList{"ALL"}, 0));
    ParamList values;
    for (int k = 0; k < index.BALISE.value(0).size(); ++k) {
        const QString key = index.BALISE.at(0).at(k);
        const QString value = index.BALISE.value(1).value(k);
        const QString added = key == "FILEPATH" ? "IMAGE/" + stored
            : key == "FILECHK"                  ? CalculChecksum(server("IMAGE/" + stored))
            : key == "FILESIZE"                 ? QString::number(theirs.size())
            : key == "FILEPATHPERMISSION"       ? QString("ADMINISTRATEUR")
                                                : QString();
        if (key != "EMPREINTE")
            values << qMakePair(key, added.isEmpty() ? value : value + '|' + added);
    }
    QVERIFY(writeForeignParams(server("MEDIA.orvex"), values));

    m_dialogs.clear();
    QVERIFY(leaveMedia(m_b));
    QVERIFY2(m_dialogs.isEmpty(), qPrintable(m_dialogs.join(" / ")));
    QFile kept(server("IMAGE/" + stored));
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), theirs);
    const QStringList mineOnServer = serverMedia().filter("IMAGE/Vitrine-");
    QCOMPARE(mineOnServer.size(), 2);
    const QString sentAs = mineOnServer.at(mineOnServer.at(0) == "IMAGE/" + stored ? 1 : 0);
    QFile sent(server(sentAs));
    QVERIFY(sent.open(QIODevice::ReadOnly));
    QCOMPARE(sent.readAll(), mine);
    QCOMPARE(serverIndexed().filter("IMAGE/Vitrine-"), mineOnServer);
    // B's library, panel and poster know its picture by that name.
    const QString name = sentAs.section('/', 1);
    QCOMPARE(pictures->findItems(name, Qt::MatchExactly).size(), 1);
    QVERIFY(pictures->findItems(stored, Qt::MatchExactly).isEmpty());
    QListWidget *panelPictures = m_b.panel()->findChild<QListWidget *>("listeImages");
    QCOMPARE(panelPictures->findItems(name, Qt::MatchExactly).size(), 1);
    QVERIFY(panelPictures->findItems(stored, Qt::MatchExactly).isEmpty());
    QCOMPARE(read.getParamCrypt(player, "SLIDENAMEIMAGE", 0).split('|').value(0), sentAs);

    // The box shows B's picture.
    m_dialogs.clear();
    act("B deploy " + serial + " ok");
    QVERIFY2(m_dialogs.contains("B: " + kSuccess), qPrintable(m_dialogs.join(" / ")));
    QCOMPARE(read.getParamCrypt(server(serial + "/PLAYER.orvex"), "SLIDENAMEIMAGE", 0).split('|').value(0), sentAs);
    QVERIFY(removeFromServer("IMAGE/Vitrine-"));
}

// The window closed while a deployment to two screens waits on a slow upload
// to the second: the question names the screen left, the quit leaves it
// unsent, and the next start in the work folder names it.
void TwoConsolesTest::quitPostedDuringDeployment()
{
    Desk &d = m_a;
    QVERIFY(select(d, "10234"));
    d.choice = QStringList{"10234", "10235"};
    QVERIFY(StandIn::fault("/zobox/upload.php", "delay", m_account + "/10235/", 1, 3000));
    BoxDeployment *run = d.panel()->boxDeployment();
    // The check before anything is sent names each box, then none; the
    // sending names each box again.
    auto checked = std::make_shared<bool>(false);
    connect(run, &BoxDeployment::signalDeployBox, d.window.get(), [&d, checked](const QString &box) {
        if (box.isEmpty())
            *checked = true;
        else if (box == "10235" && *checked)
            QMetaObject::invokeMethod(d.window.get(), "close", Qt::QueuedConnection);
    });
    m_dialogs.clear();
    d.panel()->slotDeploiement();
    QVERIFY(QTest::qWaitFor([&] { return !d.window->isVisible() && ModalAnswerer::openDialogs().isEmpty(); }, 30000));
    QVERIFY(!run->running());
    const QString seen = m_dialogs.join(" / ");
    QVERIFY2(m_dialogs.size() == 2, qPrintable(seen));
    QVERIFY2(m_dialogs.last().startsWith("A: Voulez-vous vraiment quitter?"), qPrintable(seen));
    QVERIFY2(m_dialogs.last().endsWith("Un déploiement est en cours: il sera arrêté sans être terminé pour: 10235."),
             qPrintable(seen));

    m_dialogs.clear();
    QVERIFY(startDesk(d, true));
    QStringList atStart = m_dialogs;
    QVERIFY2(atStart.contains("A: Le déploiement n'a pas été terminé pour: 10235\n"
                              "Sélectionnez ces écrans et déployez-les à nouveau."),
             qPrintable(atStart.join(" / ")));
    // Told once.
    m_dialogs.clear();
    QVERIFY(startDesk(d, true));
    atStart = m_dialogs;
    QVERIFY2(atStart.filter("Le déploiement n'a pas").isEmpty(), qPrintable(atStart.join(" / ")));
}

QTEST_MAIN(TwoConsolesTest)
#include "tst_twoconsoles_standin.moc"

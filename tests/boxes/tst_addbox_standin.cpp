#include "../sync/ParamFixture.h"
#include "../transfer/SequenceFixture.h"
#include "AddBoxProcedure.h"
#include "ClassParam.h"
#include "RenameFault.h"
#include "TimeScale.h"
#include "TransferLists.h"
#include "TransferSlots.h"

#include <QSignalSpy>
#include <QtTest>

#include <optional>

namespace {

const QString kSerial = "12345";
const QString kCode = "0A1B2C3D4E";
const QString kPicture = "OrvexPaysage-213425.png";

// Answers every box with OK and keeps what was shown.
class RecordingPrompts : public AddBoxPrompts
{
public:
    void information(const QString &title, const QString &text) override { shown << title + ": " + text; }
    bool entryError(const QString &text) override
    {
        shown << "Erreur: " + text;
        return true;
    }
    void finished() override { ++successes; }
    QStringList shown;
    int successes = 0;
};

} // namespace

// The add-a-box procedure on the real transfer layer, against the stand-in
// and in local mode on the same tree; waits scaled down.
class TestAddBoxStandIn : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void addsTheBox_data();
    void addsTheBox();
    void entryErrorsComeBackToTheFields();
    void duplicateSerialSendsNothing();
    void missingFactoryRecord();
    void cancelDuringARequest();
    void failedStep_data();
    void failedStep();
    void loginFileWithNulSendsNothing();
    void serverLoginFileChanged_data();
    void serverLoginFileChanged();
    void serverLoginFileUnreadable_data();
    void serverLoginFileUnreadable();
    void boxAddedMeanwhileOnAnotherConsole();
    void localLoginFileNeverMissing_data();
    void localLoginFileNeverMissing();
    void fileMissingOnTheServer_data();
    void fileMissingOnTheServer();

private:
    void wire(bool local);
    // Runs until success or failure (or `ms` pass); true on success.
    bool run(const QString &serial, const QString &code, int ms = 30000);
    void seedServer();
    // Runs until the procedure has reached `step` (or failed); true when it has.
    bool runTo(int step);
    QStringList loggedRequests(qint64 mark, int count);

    SequenceFixture m_fx;
    RecordingPrompts m_prompts;
    QScopedPointer<AddBoxProcedure> m_proc;
    QScopedPointer<TransferSlots> m_slots;
    QByteArray m_dataBefore;
};

void TestAddBoxStandIn::init()
{
    ZO_NEED_STANDIN();
    m_fx.setUp();
    m_prompts = RecordingPrompts();
    seedServer();
    QVERIFY(writeParams(m_fx.work("LoginCrypt.orvex"), {{"MOTDEPASSE", "x"},
                                                        {"PLAYERLIST", "10234|10417"},
                                                        {"PLAYERLISTNAME", "Hall|Salle"},
                                                        {"CATEGORYLIST", "Accueil|Restaurant"},
                                                        {"CATEGORYELEMENTS", "10234|10417"}}));
    // The server holds what this console read at its login.
    QVERIFY(QFile::copy(m_fx.work("LoginCrypt.orvex"), m_fx.tree(m_fx.account() + "/LoginCrypt.orvex")));
    QVERIFY(writeParams(m_fx.work("CONNEXION.txt"), {{"FTPLOGIN", "shop"},
                                                     {"FTPPASSWORD", "secret-ftp"},
                                                     {"COMPTEADMIN", m_fx.account().mid(3)},
                                                     {"PASSWORDLOGIN", "secret-user"}}));
    // The open box's files, which the procedure must leave alone.
    SequenceFixture::writeFile(m_fx.work("DATA/PLAYER.orvex"), "open box");
    SequenceFixture::writeFile(m_fx.work("DATA/BOX.orvex"), "open box id");
}

void TestAddBoxStandIn::cleanup()
{
    m_proc.reset();
    m_slots.reset();
    if (StandIn::running())
        QFile::remove(m_fx.tree("Validation/ZOVALIDATE_" + kSerial + "_" + kCode + ".orvex"));
    m_fx.tearDown();
}

void TestAddBoxStandIn::seedServer()
{
    // The manufacturer's record comes without a fingerprint.
    QVERIFY(QDir().mkpath(m_fx.tree("Production/Reports")));
    QVERIFY(writeForeignParams(m_fx.tree("Production/Reports/" + kSerial + "_" + kCode + ".orvex"),
                               {{"NUMEROSERIE", kSerial}, {"CODE", kCode}}));
    QVERIFY(writeForeignParams(m_fx.tree("Production/Reports/10999_1A2B3C4D5E.orvex"), {{"NUMEROSERIE", "10999"}}));
    QVERIFY(QDir().mkpath(m_fx.tree("DEFAULT")));
    for (const char *name : {"PLAYER.orvex", "INFO.orvex", "STATUS.orvex", "STAT.orvex"})
        QVERIFY(writeParams(m_fx.tree(QString("DEFAULT/") + name), {{"MODELE", QString("default ") + name}}));
    SequenceFixture::writeFile(m_fx.tree("DEFAULT/IMAGE/" + kPicture), "picture bytes");
    QDir().mkpath(m_fx.tree("Validation"));
    QDir().mkpath(m_fx.tree(m_fx.account() + "/IMAGE"));
    QFile::remove(m_fx.tree(m_fx.account() + "/LoginCrypt.orvex"));
}

void TestAddBoxStandIn::wire(bool local)
{
    HttpFileApi *api = m_fx.makeApi(local);
    m_slots.reset(new TransferSlots(api));
    m_proc.reset(new AddBoxProcedure(m_fx.work(), &m_prompts));
    AddBoxProcedure *p = m_proc.data();
    p->setAccountFolder(api->accountFolder());
    // What the control panel does with each request and end report.
    connect(p, &AddBoxProcedure::signalGetListFile, api, [api](QString path) {
        api->lists()->clearTransferFiles();
        api->scanFile("/zolink/zobox/" + path);
    });
    connect(p, &AddBoxProcedure::signalPutFile, m_slots.data(), &TransferSlots::slotPutFile);
    connect(p, &AddBoxProcedure::signalMkdir, m_slots.data(), &TransferSlots::slotMkdir);
    connect(p, &AddBoxProcedure::signalGetFile, m_slots.data(), &TransferSlots::slotGetFile);
    connect(p, &AddBoxProcedure::signalClearListFile, api, [api] { api->lists()->clearTransferFiles(); });
    connect(api, &HttpFileApi::signalListFichier, p, &AddBoxProcedure::slotListFichier);
    connect(api, &HttpFileApi::signalPutFileFinish, p, &AddBoxProcedure::slotPutFileFinish);
    connect(api, &HttpFileApi::signalMkdirFinish, p, &AddBoxProcedure::slotMkdirFinish);
    connect(api, &HttpFileApi::signalGetFileFinish, p, &AddBoxProcedure::slotGetFileFinish);
    connect(api, &HttpFileApi::signalTransferEnded, p, &AddBoxProcedure::slotTransferEnded);
    p->slotSelectionCategory("Restaurant");
}

bool TestAddBoxStandIn::run(const QString &serial, const QString &code, int ms)
{
    m_proc->setEntries(serial, code);
    m_proc->start();
    QElapsedTimer clock;
    clock.start();
    // Step 0 clears a press made before the fields showed.
    while (m_proc->step() != 1 && clock.elapsed() < 2000)
        QTest::qWait(2);
    m_proc->slotValider();
    while (clock.elapsed() < ms && m_prompts.successes == 0 && m_proc->running())
        QTest::qWait(5);
    return m_prompts.successes == 1;
}

QStringList TestAddBoxStandIn::loggedRequests(qint64 mark, int count)
{
    return SequenceFixture::requests(mark, count, {"Production/Reports", "Validation/"});
}

void TestAddBoxStandIn::addsTheBox_data()
{
    QTest::addColumn<bool>("local");
    QTest::newRow("stand-in") << false;
    QTest::newRow("local mode") << true;
}

void TestAddBoxStandIn::addsTheBox()
{
    QFETCH(bool, local);
    wire(local);
    const qint64 mark = StandIn::mark();
    QVERIFY2(run(kSerial, kCode), qPrintable(m_prompts.shown.join('\n')));
    QVERIFY2(m_prompts.shown.isEmpty(), qPrintable(m_prompts.shown.join('\n')));
    const QString acc = m_fx.account();

    if (!local) {
        const QStringList expected{
            "SCANDIR Production/Reports",
            "GET /zobox/" + acc + "/LoginCrypt.orvex",
            "UPLOAD Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex",
            "CREATE_DIR " + acc + "/12345",
            "GET /zobox/Production/Reports/12345_0A1B2C3D4E.orvex",
            "UPLOAD " + acc + "/12345/BOX.orvex",
            "GET /zobox/DEFAULT/PLAYER.orvex", "UPLOAD " + acc + "/12345/PLAYER.orvex",
            "GET /zobox/DEFAULT/INFO.orvex", "UPLOAD " + acc + "/12345/INFO.orvex",
            "GET /zobox/DEFAULT/STATUS.orvex", "UPLOAD " + acc + "/12345/STATUS.orvex",
            "GET /zobox/DEFAULT/STAT.orvex", "UPLOAD " + acc + "/12345/STAT.orvex",
            "GET /zobox/DEFAULT/IMAGE/" + kPicture, "UPLOAD " + acc + "/IMAGE/" + kPicture,
            // Every file sent is on the server as it was sent.
            "SCANDIR " + acc + "/12345",
            "GET /zobox/" + acc + "/12345/BOX.orvex", "GET /zobox/" + acc + "/12345/PLAYER.orvex",
            "GET /zobox/" + acc + "/12345/INFO.orvex", "GET /zobox/" + acc + "/12345/STATUS.orvex",
            "GET /zobox/" + acc + "/12345/STAT.orvex", "GET /zobox/" + acc + "/IMAGE/" + kPicture,
            "GET /zobox/Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex",
            "GET /zobox/" + acc + "/LoginCrypt.orvex", "UPLOAD " + acc + "//LoginCrypt.orvex",
            // Read back twice.
            "GET /zobox/" + acc + "/LoginCrypt.orvex", "GET /zobox/" + acc + "/LoginCrypt.orvex"};
        QCOMPARE(loggedRequests(mark, expected.size()), expected);
    }

    // The box folder, the default picture, the login file.
    const QMap<QString, QByteArray> box = SequenceFixture::filesOf(m_fx.tree(acc + "/12345"));
    QCOMPARE(box.keys(), (QStringList{"BOX.orvex", "INFO.orvex", "PLAYER.orvex", "STAT.orvex", "STATUS.orvex"}));
    QCOMPARE(box.value("BOX.orvex"),
             SequenceFixture::readFile(m_fx.tree("Production/Reports/" + kSerial + "_" + kCode + ".orvex")));
    QCOMPARE(box.value("PLAYER.orvex"), SequenceFixture::readFile(m_fx.tree("DEFAULT/PLAYER.orvex")));
    QCOMPARE(SequenceFixture::readFile(m_fx.tree(acc + "/IMAGE/" + kPicture)), QByteArray("picture bytes"));
    QCOMPARE(SequenceFixture::readFile(m_fx.work("IMAGE/" + kPicture)), QByteArray("picture bytes"));
    QCOMPARE(SequenceFixture::readFile(m_fx.tree(acc + "/LoginCrypt.orvex")),
             SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")));
    ClassParam login;
    const QString file = m_fx.work("LoginCrypt.orvex");
    QCOMPARE(login.getParamCrypt(file, "PLAYERLIST", 0), QString("10234|10417|12345"));
    QCOMPARE(login.getParamCrypt(file, "PLAYERLISTNAME", 0), QString("Hall|Salle|12345"));
    QCOMPARE(login.getParamCrypt(file, "CATEGORYELEMENTS", 0), QString("10234|10417;12345"));

    // The validation file keeps the account but not its passwords.
    const QString validation = m_fx.tree("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex");
    QCOMPARE(login.getParamCrypt(validation, "FTPLOGIN", 0), QString("shop"));
    QCOMPARE(login.getParamCrypt(validation, "FTPPASSWORD", 0), QString(""));
    QCOMPARE(login.getParamCrypt(validation, "PASSWORDLOGIN", 0), QString(""));

    // DATA/ untouched, no passage folder or validation copy left.
    QCOMPARE(SequenceFixture::filesOf(m_fx.work("DATA")).keys(), (QStringList{"BOX.orvex", "PLAYER.orvex"}));
    QCOMPARE(SequenceFixture::readFile(m_fx.work("DATA/PLAYER.orvex")), QByteArray("open box"));
    // Only the box's rows, kept until a later login's fetch shows them.
    QVERIFY(m_proc->passageFolder().isEmpty());
    QCOMPARE(QDir(m_fx.work("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
             QStringList{"KEPT-LoginCrypt.orvex.json"});
}

void TestAddBoxStandIn::entryErrorsComeBackToTheFields()
{
    wire(false);
    QSignalSpy fields(m_proc.data(), &AddBoxProcedure::signalFieldsVisible);
    m_proc->setEntries("1234", "0A1B2C3D4");
    m_proc->start();
    QTRY_COMPARE(m_proc->step(), 1);
    m_proc->slotValider();
    QTRY_COMPARE(m_prompts.shown, QStringList{"Erreur: Erreur sur la taille du numéro de série!!!"});
    QTRY_COMPARE(m_proc->step(), 1);
    QCOMPARE(fields.last().at(0).toBool(), true);
    m_proc->setEntries("12345", "0A1B2C3D4");
    m_proc->slotValider();
    QTRY_COMPARE(m_prompts.shown.size(), 2);
    // Regression: the length expected was not named.
    QCOMPARE(m_prompts.shown.last(), QString("Erreur: Erreur sur la taille du code!!!\nLe code compte 10 caractères: "
                                             "chiffres 0 à 9 et lettres A à F."));
    m_proc->stop();
}

void TestAddBoxStandIn::duplicateSerialSendsNothing()
{
    wire(false);
    const qint64 mark = StandIn::mark();
    QVERIFY(!run("10417", kCode));
    QCOMPARE(m_prompts.shown, (QStringList{"FTP: Ce numéro de série est dèjà utilisé sur votre compte!!!",
                                           "FTP: Echec de l'ajout du boîtier sur le compte!!!"}));
    QTest::qWait(100);
    QCOMPARE(loggedRequests(mark, 0), QStringList());
}

void TestAddBoxStandIn::missingFactoryRecord()
{
    wire(false);
    m_proc->setEntries(kSerial, "0A1B2C3D4F");
    m_proc->start();
    QTRY_COMPARE(m_proc->step(), 1);
    m_proc->slotValider();
    QTRY_COMPARE(m_prompts.shown, QStringList{"Erreur: Validation impossible, veuillez vérifier les données, svp..."});
    QTRY_COMPARE(m_proc->step(), 1);
    m_proc->stop();
    QVERIFY(!QDir(m_fx.tree(m_fx.account() + "/12345")).exists());
}

void TestAddBoxStandIn::cancelDuringARequest()
{
    wire(false);
    // The box folder request hangs; cancel comes while it runs.
    QVERIFY(StandIn::fault("/zobox/json_Cmd.php", "noanswer", "CREATE_DIR", 1, 1500));
    m_proc->setEntries(kSerial, kCode);
    m_proc->start();
    QTRY_COMPARE(m_proc->step(), 1);
    m_proc->slotValider();
    QTRY_COMPARE(m_proc->step(), 12);
    QVERIFY(!m_proc->passageFolder().isEmpty());
    m_proc->stop();
    QCOMPARE(m_proc->step(), 0);
    QVERIFY(!m_proc->running());
    QVERIFY(m_proc->passageFolder().isEmpty());
    QCOMPARE(QDir(m_fx.work("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(m_prompts.shown, QStringList());

    // Shown again: step 0, same entries, a full run.
    StandIn::reset(QString());
    QVERIFY(run(kSerial, kCode));
}

void TestAddBoxStandIn::failedStep_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("match");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    const QString slow = " impossible ou le débit internet est trop lent!!!";
    const QString cmd = "/zobox/json_Cmd.php", up = "/zobox/upload.php";
    for (const QString &kind : {QString("500"), QString("noanswer")}) {
        const auto row = [&](const char *name) -> QTestData & { return QTest::newRow(qPrintable(QString(name) + " " + kind)); };
        row("scan") << cmd << "Production/Reports" << kind << "Téléchargement de la liste" + slow;
        row("validation upload") << up << "Validation/" << kind << "Téléchargement du fichier de validation" + slow;
        row("box folder") << cmd << "CREATE_DIR" << kind << "Création du dossier compte" + slow;
        row("factory record") << "/zobox/Production/Reports/12345_0A1B2C3D4E.orvex" << "" << kind
                              << "Téléchargement du fichier compte" + slow;
        row("box record upload") << up << "ACC/12345/" << kind << "Envoi du fichier Box.orvex" + slow;
        row("template") << "/zobox/DEFAULT/STATUS.orvex" << "" << kind
                        << "Téléchargement du fichier STATUS.orvex" + slow;
        row("picture") << "/zobox/DEFAULT/IMAGE/" + kPicture << "" << kind
                       << "Téléchargement du fichier " + kPicture + slow;
        row("picture upload") << up << "ACC/IMAGE/" << kind << "Envoi du fichier " + kPicture + slow;
        row("login upload") << up << "ACC//" << kind << "Envoi du fichier LoginCrypt.orvex" + slow;
    }
    QTest::newRow("login upload answered without storing: the box was told added")
        << up << "ACC//" << "body"
        << "Le serveur n'a pas enregistré le fichier LoginCrypt.orvex: le boîtier n'est pas inscrit sur le compte!!!";
}

void TestAddBoxStandIn::failedStep()
{
    QFETCH(QString, route);
    QFETCH(QString, match);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    wire(false);
    // Uploads are told apart by their folder: the name is in the body.
    match.replace("ACC", m_fx.account());
    // A silent server is about the procedure's wait: only then is it
    // shortened (20 s to 2 s, still ample for the sound steps before it),
    // and the server stays silent past it.
    std::optional<TimeScale::ShortTimeouts> shorter;
    if (kind == "noanswer")
        shorter.emplace(10);
    QVERIFY(StandIn::fault(route, kind, match, 1, kind == "noanswer" ? 5000 : 1500));
    QVERIFY(!run(kSerial, kCode));
    QCOMPARE(m_prompts.shown, (QStringList{"FTP: " + text, "FTP: Echec de l'ajout du boîtier sur le compte!!!"}));
    QCOMPARE(m_prompts.successes, 0);
    QCOMPARE(SequenceFixture::readFile(m_fx.work("DATA/PLAYER.orvex")), QByteArray("open box"));
    QCOMPARE(SequenceFixture::filesOf(m_fx.work("DATA")).keys(), (QStringList{"BOX.orvex", "PLAYER.orvex"}));
    // A login upload with no answer may still land: the box's rows stay
    // kept for the next login to check.
    const QStringList kept = match.endsWith("//") && kind == "noanswer" ? QStringList{"KEPT-LoginCrypt.orvex.json"}
                                                                        : QStringList();
    QCOMPARE(QDir(m_fx.work("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), kept);
    QVERIFY(!QFileInfo::exists(m_fx.work("ZOVALIDATE_12345_0A1B2C3D4E.orvex")));
    StandIn::reset(QString());
}

// The box would be registered and in no login file: the write that step 38
// does is tried before the validation copy leaves.
void TestAddBoxStandIn::loginFileWithNulSendsNothing()
{
    QVERIFY(writeForeignParams(m_fx.work("LoginCrypt.orvex"), {{"MOTDEPASSE", "x"},
                                                               {"PLAYERLIST", QString("10234|10") + QChar(0) + "417"},
                                                               {"PLAYERLISTNAME", "Hall|Salle"},
                                                               {"CATEGORYLIST", "Accueil|Restaurant"},
                                                               {"CATEGORYELEMENTS", "10234|10417"}}));
    const QByteArray before = SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex"));
    // The rows go into the server's copy: that is the one damaged.
    SequenceFixture::writeFile(m_fx.tree(m_fx.account() + "/LoginCrypt.orvex"), before);
    wire(false);
    QVERIFY(!run(kSerial, kCode));
    QCOMPARE(m_prompts.shown.size(), 2);
    QVERIFY2(m_prompts.shown.first().contains("LoginCrypt.orvex"), qPrintable(m_prompts.shown.first()));
    QVERIFY(!QFileInfo::exists(m_fx.tree("Validation/ZOVALIDATE_" + kSerial + "_" + kCode + ".orvex")));
    QVERIFY(!QDir(m_fx.tree(m_fx.account() + "/" + kSerial)).exists());
    QCOMPARE(SequenceFixture::readFile(m_fx.tree(m_fx.account() + "/LoginCrypt.orvex")), before);
    QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), before);
    QCOMPARE(QDir(m_fx.work("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

bool TestAddBoxStandIn::runTo(int step)
{
    m_proc->setEntries(kSerial, kCode);
    m_proc->start();
    if (!QTest::qWaitFor([&] { return m_proc->step() == 1; }, 2000))
        return false;
    m_proc->slotValider();
    return QTest::qWaitFor([&] { return m_proc->step() >= step || !m_proc->running(); }, 30000) && m_proc->running();
}

// Another console saved the login file (a user, a box) after this one read
// it: the new box joins the server's file, which keeps the other's rows.
void TestAddBoxStandIn::serverLoginFileChanged_data()
{
    QTest::addColumn<int>("atStep"); // step of this run at which the other console saves; 0: before it
    QTest::newRow("box added on a stale login file wiped the other console's user and box") << 0;
    QTest::newRow("login file saved while the box files were sent: the save was wiped") << 20;
}

void TestAddBoxStandIn::serverLoginFileChanged()
{
    QFETCH(int, atStep);
    wire(false);
    const QString server = m_fx.tree(m_fx.account() + "/LoginCrypt.orvex");
    const ParamList other{{"MOTDEPASSE", "x"},
                          {"USERLIST", "demo|anna"},
                          {"PLAYERLIST", "10234|10417|10500"},
                          {"PLAYERLISTNAME", "Hall|Salle|Terrasse"},
                          {"CATEGORYLIST", "Accueil|Restaurant"},
                          {"CATEGORYELEMENTS", "10234|10417;10500"}};
    if (atStep == 0) {
        QVERIFY(writeParams(server, other));
        QVERIFY(run(kSerial, kCode));
    } else {
        QVERIFY(runTo(atStep));
        QVERIFY(writeParams(server, other));
        while (m_prompts.successes == 0 && m_proc->running())
            QTest::qWait(5);
        QCOMPARE(m_prompts.successes, 1);
    }
    QVERIFY2(m_prompts.shown.isEmpty(), qPrintable(m_prompts.shown.join('\n')));
    ClassParam login;
    QCOMPARE(login.getParamCrypt(server, "USERLIST", 0), QString("demo|anna"));
    QCOMPARE(login.getParamCrypt(server, "PLAYERLIST", 0), QString("10234|10417|10500|12345"));
    QCOMPARE(login.getParamCrypt(server, "PLAYERLISTNAME", 0), QString("Hall|Salle|Terrasse|12345"));
    QCOMPARE(login.getParamCrypt(server, "CATEGORYELEMENTS", 0), QString("10234|10417;10500;12345"));
    // This console holds what it sent.
    QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), SequenceFixture::readFile(server));
    QCOMPARE(QDir(m_fx.work()).entryList({"LoginCrypt*"}), QStringList{"LoginCrypt.orvex"});
}

// The server's login file cannot be read before the validation file leaves:
// nothing is sent; read again before the rows are written: the login file
// is left as it was on both sides.
void TestAddBoxStandIn::serverLoginFileUnreadable_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("atStep"); // the fault is set once the run reaches it
    QTest::addColumn<QString>("text");
    const QString first = "Lecture du fichier LoginCrypt.orvex du serveur impossible ou le débit internet est trop "
                          "lent: rien n'a été envoyé!!!";
    const QString again = "Lecture du fichier LoginCrypt.orvex du serveur impossible ou le débit internet est trop "
                          "lent!!!";
    QTest::newRow("server login file refused: the box went into the stale local copy") << "500" << 0 << first;
    QTest::newRow("server login file cut off: the box went into the stale local copy") << "close" << 0 << first;
    QTest::newRow("server login file refused when read again: the box went into the stale copy")
        << "500" << 20 << again;
}

void TestAddBoxStandIn::serverLoginFileUnreadable()
{
    QFETCH(QString, kind);
    QFETCH(int, atStep);
    QFETCH(QString, text);
    wire(false);
    const QString route = "/zobox/" + m_fx.account() + "/LoginCrypt.orvex";
    const QByteArray local = SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex"));
    const QByteArray server = SequenceFixture::readFile(m_fx.tree(m_fx.account() + "/LoginCrypt.orvex"));
    const qint64 mark = StandIn::mark();
    if (atStep == 0) {
        QVERIFY(StandIn::fault(route, kind, "", 1));
        QVERIFY(!run(kSerial, kCode));
    } else {
        QVERIFY(runTo(atStep));
        QVERIFY(StandIn::fault(route, kind, "", 1));
        while (m_prompts.successes == 0 && m_proc->running())
            QTest::qWait(5);
    }
    QCOMPARE(m_prompts.shown, (QStringList{"FTP: " + text, "FTP: Echec de l'ajout du boîtier sur le compte!!!"}));
    QCOMPARE(m_prompts.successes, 0);
    QCOMPARE(SequenceFixture::readFile(m_fx.work("LoginCrypt.orvex")), local);
    QCOMPARE(SequenceFixture::readFile(m_fx.tree(m_fx.account() + "/LoginCrypt.orvex")), server);
    QCOMPARE(QDir(m_fx.work("TEMP")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    if (atStep == 0) {
        const QStringList sent = loggedRequests(mark, 2);
        QCOMPARE(sent, (QStringList{"SCANDIR Production/Reports", "GET " + route}));
        QVERIFY(!QFileInfo::exists(m_fx.tree("Validation/ZOVALIDATE_" + kSerial + "_" + kCode + ".orvex")));
        QVERIFY(!QDir(m_fx.tree(m_fx.account() + "/" + kSerial)).exists());
    }
    StandIn::reset(QString());
}

// The serial is not on this console's list but on the server's: it would
// be listed twice.
void TestAddBoxStandIn::boxAddedMeanwhileOnAnotherConsole()
{
    const QString server = m_fx.tree(m_fx.account() + "/LoginCrypt.orvex");
    QVERIFY(ClassParam().setParamCrypt(server, "PLAYERLIST", "10234|10417|" + kSerial));
    const QByteArray before = SequenceFixture::readFile(server);
    wire(false);
    const qint64 mark = StandIn::mark();
    QVERIFY(!run(kSerial, kCode));
    QCOMPARE(m_prompts.shown, (QStringList{"FTP: Ce numéro de série est dèjà utilisé sur votre compte!!!",
                                           "FTP: Echec de l'ajout du boîtier sur le compte!!!"}));
    QCOMPARE(loggedRequests(mark, 2), (QStringList{"SCANDIR Production/Reports",
                                                   "GET /zobox/" + m_fx.account() + "/LoginCrypt.orvex"}));
    QCOMPARE(SequenceFixture::readFile(server), before);
}

void TestAddBoxStandIn::localLoginFileNeverMissing_data()
{
    QTest::addColumn<bool>("local");
    QTest::newRow("local login file moved aside before its new copy, lost to a kill") << false;
    QTest::newRow("local mode: local login file moved aside before its new copy, lost to a kill") << true;
}

// Whenever the process dies, the work folder holds the old login file or
// the new one.
void TestAddBoxStandIn::localLoginFileNeverMissing()
{
    QFETCH(bool, local);
    wire(local);
    const QString file = m_fx.work("LoginCrypt.orvex");
    int replaced = 0;
    QStringList lost;
    RenameFault::armedName = "work/LoginCrypt.orvex";
    RenameFault::witness = [&](const char *) {
        ++replaced;
        if (!QFileInfo::exists(file))
            lost << QString("replace %1").arg(replaced);
    };
    const bool added = run(kSerial, kCode);
    RenameFault::armedName = nullptr;
    RenameFault::witness = nullptr;
    QVERIFY2(added, qPrintable(m_prompts.shown.join('\n')));
    QVERIFY(replaced > 0);
    QCOMPARE(lost, QStringList());
    QCOMPARE(ClassParam().getParamCrypt(file, "PLAYERLIST", 0), QString("10234|10417|12345"));
    QCOMPARE(QDir(m_fx.work()).entryList({"*LoginCrypt*"}, QDir::Files | QDir::Hidden), QStringList{"LoginCrypt.orvex"});
}

QTEST_MAIN(TestAddBoxStandIn)
// A file answered 200 without being stored, or a proxy's page in a
// template's or the factory record's place: the add names what is missing,
// tells no success, lists no box, and the same add completes the box.
void TestAddBoxStandIn::fileMissingOnTheServer_data()
{
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("match");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("text");
    const QString up = "/zobox/upload.php";
    const QString lost = "Le serveur n'a pas enregistré: %1. Le boîtier n'est pas inscrit sur le compte: refaites le "
                         "même ajout pour le compléter!!!";
    const QString html = "<html><body>Portail: connectez-vous</body></html>";
    const QString slow = " impossible ou le débit internet est trop lent!!!";
    for (const char *name : {"BOX.orvex", "PLAYER.orvex", "INFO.orvex", "STATUS.orvex", "STAT.orvex"}) {
        QTest::newRow(qPrintable(QString("%1 not stored: the box was told created").arg(name)))
            << up << "ACC/12345/" + QString(name) << "body" << lost.arg(name);
    }
    QTest::newRow("default picture not stored: the box was told created")
        << up << "ACC/IMAGE/" + kPicture << "body" << lost.arg(kPicture);
    QTest::newRow("validation file not stored: the box was told created")
        << up << "Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex" << "body"
        << lost.arg("ZOVALIDATE_12345_0A1B2C3D4E.orvex");
    QTest::newRow("template as an HTML page was copied into the box")
        << "/zobox/DEFAULT/INFO.orvex" << "" << "body:" + html << "Téléchargement du fichier INFO.orvex" + slow;
    QTest::newRow("template cut in half was copied into the box")
        << "/zobox/DEFAULT/PLAYER.orvex" << "" << "half" << "Téléchargement du fichier PLAYER.orvex" + slow;
    QTest::newRow("factory record as an HTML page was copied into the box")
        << "/zobox/Production/Reports/12345_0A1B2C3D4E.orvex" << "" << "body:" + html
        << "Téléchargement du fichier compte" + slow;
}

void TestAddBoxStandIn::fileMissingOnTheServer()
{
    QFETCH(QString, route);
    QFETCH(QString, match);
    QFETCH(QString, kind);
    QFETCH(QString, text);
    wire(false);
    match.replace("ACC", m_fx.account());
    const bool body = kind.startsWith("body:");
    QVERIFY(StandIn::fault(route, body ? "body" : kind, match, 1, 0, body ? kind.mid(5) : QString("stored")));
    const QString server = m_fx.tree(m_fx.account() + "/LoginCrypt.orvex");
    const QByteArray login = SequenceFixture::readFile(server);
    QVERIFY(!run(kSerial, kCode));
    QCOMPARE(m_prompts.shown, (QStringList{"FTP: " + text, "FTP: Echec de l'ajout du boîtier sur le compte!!!"}));
    QCOMPARE(m_prompts.successes, 0);
    // No login file lists the box: the same add may be done again.
    QCOMPARE(SequenceFixture::readFile(server), login);
    ClassParam param;
    QCOMPARE(param.getParamCrypt(m_fx.work("LoginCrypt.orvex"), "PLAYERLIST", 0), QString("10234|10417"));
    // Nothing damaged went into the box folder.
    const QString box = m_fx.tree(m_fx.account() + "/12345/");
    for (const char *name : {"PLAYER.orvex", "INFO.orvex"}) {
        if (QFileInfo::exists(box + name))
            QCOMPARE(SequenceFixture::readFile(box + name), SequenceFixture::readFile(m_fx.tree("DEFAULT/") + name));
    }

    StandIn::reset(QString());
    m_prompts = RecordingPrompts();
    QVERIFY2(run(kSerial, kCode), qPrintable(m_prompts.shown.join('\n')));
    QCOMPARE(SequenceFixture::filesOf(box).keys(),
             (QStringList{"BOX.orvex", "INFO.orvex", "PLAYER.orvex", "STAT.orvex", "STATUS.orvex"}));
    for (const char *name : {"PLAYER.orvex", "INFO.orvex", "STATUS.orvex", "STAT.orvex"})
        QCOMPARE(SequenceFixture::readFile(box + name), SequenceFixture::readFile(m_fx.tree("DEFAULT/") + name));
    QCOMPARE(SequenceFixture::readFile(m_fx.tree(m_fx.account() + "/IMAGE/" + kPicture)), QByteArray("picture bytes"));
    QVERIFY(QFileInfo::exists(m_fx.tree("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex")));
    QCOMPARE(param.getParamCrypt(server, "PLAYERLIST", 0), QString("10234|10417|12345"));
}

#include "tst_addbox_standin.moc"

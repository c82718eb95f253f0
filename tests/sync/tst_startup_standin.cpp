// The start-up machine: a valid CONNEXION.txt presses "Connecter"; a
// missing one is replaced by a picked copy or by the server copy of a named
// account (downloaded from the stand-in), the name checked before use.
#include "../transfer/SequenceFixture.h"
#include "ClassParam.h"
#include "FakeDialogs.h"
#include "ParamFixture.h"
#include "StartupSequence.h"
#include "TransferSlots.h"

#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

class StartupStandInTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init() { m_fx.setUp(); }
    void cleanup() { m_fx.tearDown(); }

    void missingFile_data();
    void missingFile();
    void removeAccount_data();
    void removeAccount();

private:
    SequenceFixture m_fx;
};

void StartupStandInTest::initTestCase()
{
    ZO_NEED_STANDIN();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 10);
}

void StartupStandInTest::missingFile_data()
{
    QTest::addColumn<bool>("haveFile");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("expected"); // dialogs, %A the account name
    QTest::addColumn<bool>("connected");

    const QString error = "error: ";
    QTest::newRow("file dialog") << true << QStringList{}
                                 << QStringList{"error", "question: Avez-vous un fichier de connexion du compte?",
                                                "file dialog: Choisissez le fichier de connexion du compte"}
                                 << true;
    QTest::newRow("account name, asked again when it would change the path")
        << false << QStringList{"../%A", "%A"}
        << QStringList{"error", "question: Avez-vous un fichier de connexion du compte?", "keyboard: Nom du compte:",
                       "keyboard: Nom du compte:"}
        << true;
    QTest::newRow("cancelled name comes back to the error") << false << QStringList{""}
                                                            << QStringList{"error",
                                                                           "question: Avez-vous un fichier de connexion du compte?",
                                                                           "keyboard: Nom du compte:", "error"}
                                                            << false;
}

void StartupStandInTest::missingFile()
{
    QFETCH(bool, haveFile);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, expected);
    QFETCH(bool, connected);
    const QString name = m_fx.account().mid(3);
    const ParamList account{{"MEDIASIZE", "250"}, {"TYPECOMPTE", "ADMIN"},
                            {"FTPPATH", "/zolink/zobox/" + m_fx.account()}, {"COMPTEADMIN", name}};
    QVERIFY(writeParams(m_fx.tree(m_fx.account() + "/ConnexionCrypt.orvex"), account));
    QVERIFY(writeParams(m_fx.work("picked.orvex"), account));

    FakeDialogs dialogs;
    dialogs.answers = {haveFile};
    dialogs.fileToOpen = m_fx.work("picked.orvex");
    dialogs.typed = typed.replaceInStrings("%A", name);
    HttpFileApi *api = m_fx.makeApi();
    TransferSlots transferSlots(api);
    ClassParam accountFile;
    QTimer timer;
    timer.setInterval(1);
    StartupSequence startup(api, &transferSlots, &accountFile, &dialogs, &timer);
    startup.setWorkFolder(m_fx.work());
    connect(&timer, &QTimer::timeout, &startup, &StartupSequence::slotCheckFile);
    QSignalSpy connect(&startup, &StartupSequence::signalConnect);

    timer.start();
    if (connected)
        QTRY_VERIFY_WITH_TIMEOUT(!connect.isEmpty(), 10000);
    else
        QTRY_VERIFY_WITH_TIMEOUT(dialogs.shown.size() >= expected.size(), 10000);
    timer.stop();
    QStringList shown = dialogs.shown.mid(0, expected.size());
    for (QString &line : shown) {
        if (line.startsWith("error: ")) {
            QVERIFY(line.endsWith("Veuillez entrer le nom du compte."));
            line = "error";
        }
    }
    QCOMPARE(shown, expected);
    QCOMPARE(connect.count(), connected ? 1 : 0);
    if (connected) {
        QVERIFY(startup.account().valid);
        QCOMPARE(startup.account().accountName, name);
        QCOMPARE(startup.account().mediaSize, 250);
        QCOMPARE(accountFile.getInfoBalise("MEDIASIZE"), QString("250"));
        // Only the server copy fetched by name is dropped when the login is refused.
        QCOMPARE(startup.fetchedByName(), !haveFile);
    }
}

void StartupStandInTest::removeAccount_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QStringList>("left");
    const QStringList all{"DATA", "IMAGE", "LINKS", "LOG", "TEMP", "TEXT", "VIDEO"};
    QTest::newRow("kept") << QList<bool>{false} << all;
    QTest::newRow("account only") << QList<bool>{true, false} << all;
    QTest::newRow("account and media, TEXT too") << QList<bool>{true, true} << QStringList{"LINKS", "LOG"};
}

void StartupStandInTest::removeAccount()
{
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, left);
    for (const char *folder : {"DATA", "IMAGE", "LINKS", "LOG", "TEMP", "TEXT", "VIDEO"})
        SequenceFixture::writeFile(m_fx.work(folder) + "/f.txt", "x");
    SequenceFixture::writeFile(m_fx.work("CONNEXION.txt"), "x");
    FakeDialogs dialogs;
    dialogs.answers = answers;
    HttpFileApi *api = m_fx.makeApi();
    TransferSlots transferSlots(api);
    ClassParam accountFile;
    QTimer timer;
    StartupSequence startup(api, &transferSlots, &accountFile, &dialogs, &timer);
    startup.setWorkFolder(m_fx.work());
    QSignalSpy quit(&startup, &StartupSequence::signalQuit);

    startup.SlotSupprimerCompte();
    QCOMPARE(quit.count(), answers.first() ? 1 : 0);
    QCOMPARE(QFile::exists(m_fx.work("CONNEXION.txt")), !answers.first());
    QCOMPARE(QDir(m_fx.work()).entryList(QDir::Dirs | QDir::NoDotAndDotDot), left);
}

QTEST_GUILESS_MAIN(StartupStandInTest)
#include "tst_startup_standin.moc"

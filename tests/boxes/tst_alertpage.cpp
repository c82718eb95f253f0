#include "../sync/ParamFixture.h"
#include "AlertReport.h"
#include "AppGlobals.h"
#include "ClassAlerte.h"
#include "ModalAnswerer.h"
#include "ZoTestInit.h"
#include "classVersion.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

// The support-report page on a work folder: panels from the login and
// connection files, the report's bytes and name, the keyboard message.
class TestAlertPage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void userPanel_data();
    void userPanel();
    void reportBytes();
    void reportWithoutLogs();
    void sameNameAppends();
    void unwritableReportIsNotAnnounced();
    void keyboardMessage();
    void emptyMessageIsRefused_data();
    void emptyMessageIsRefused();

private:
    QString logFolder() const { return m_work + "LOG/"; }
    static void write(const QString &path, const QByteArray &bytes)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QScopedPointer<QTemporaryDir> m_dir;
    QString m_work;
};

void TestAlertPage::initTestCase() { zoInitWidgetTest(); }

void TestAlertPage::init()
{
    m_dir.reset(new QTemporaryDir);
    m_work = m_dir->path() + '/';
    ApplicationPath = m_work;
    qputenv("ZOMANAGER_WORKDIR", m_dir->path().toUtf8());
    QVERIFY(QDir(m_work).mkpath("LOG"));
    QVERIFY(writeParams(m_work + "LoginCrypt.orvex",
                        {{"USERLIST", "demo|accueil"},
                         {"USERTYPE", "ADMINISTRATEUR|UTILISATEUR"},
                         {"USERNOM", "Compte de démonstration"},
                         {"USEREMAIL", "demo@example.com|accueil@example.com"},
                         {"USERTELEPHONE", "04 67 00 00 00|"}}));
    QVERIFY(writeParams(m_work + "CONNEXION.txt", {{"COMPTEADMIN", "acme"}, {"MEDIASIZE", "500"}}));
}

void TestAlertPage::userPanel_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("text");
    QTest::newRow("first user, every line") << "demo"
        << "Compte: acme\nTaille de la médiathèque: 500\nNom de la session: demo\nType de compte: ADMINISTRATEUR\n"
           "Nom: Compte de démonstration\nEmail: demo@example.com\nTéléphone: 04 67 00 00 00";
    QTest::newRow("second user, short name list") << "accueil"
        << "Compte: acme\nTaille de la médiathèque: 500\nNom de la session: accueil\nType de compte: UTILISATEUR\n"
           "Email: accueil@example.com\nTéléphone: ";
    QTest::newRow("unknown user") << "Demo"
        << "Compte: acme\nTaille de la médiathèque: 500\nNom de la session: Demo\n";
    QTest::newRow("before login") << ""
        << "Compte: acme\nTaille de la médiathèque: 500\nNom de la session: \n";
}

void TestAlertPage::userPanel()
{
    QFETCH(QString, user);
    QFETCH(QString, text);
    ClassAlerte page;
    if (!user.isEmpty())
        page.slotUserLogin(user, "X");
    page.slotUpdateInfoAlerte();
    QCOMPARE(page.userText(), text);
}

void TestAlertPage::reportBytes()
{
    write(logFolder() + "26-12-08-OrvexLog.log", "08:00:00.000| un\r\ndeux\r\n");
    write(logFolder() + "26-12-09-OrvexLog.log", "09:00:00.000| trois\r\n");
    write(logFolder() + "26-12-09-URGENT-MessageAlerte-acme.LOG", "ancien rapport\r\n");
    write(logFolder() + "26-12-07-orvexlog.log", "autre casse\r\n");
    write(logFolder() + "notes.txt", "pas un journal\n");

    ClassAlerte page;
    page.slotUserLogin("accueil", "UTILISATEUR");
    page.slotUpdateInfoAlerte();
    page.categoryList()->setCurrentIndex(2);
    {
        ModalAnswerer keyboard;
        keyboard.enterText("Ecran noir");
        page.slotMessage();
        QVERIFY(keyboard.done());
    }
    QSignalSpy sent(&page, &ClassAlerte::signalEnvoiAlerte);
    QSignalSpy pages(&page, &ClassAlerte::signalButton);
    page.slotValider();

    const QString name = QDate::currentDate().toString("yy-MM-dd") + "-AMELIORATION-MessageAlerte-acme.log";
    QCOMPARE(sent.count(), 1);
    QCOMPARE(sent.at(0).at(0).toString(), name);
    QCOMPARE(pages.count(), 1);
    QCOMPARE(pages.at(0).at(0).toInt(), 0);

    QFile file(logFolder() + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY2(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d\\.\\d\\d\\d\\| \n").match(QString::fromUtf8(bytes)).hasMatch(), bytes.left(40).constData());
    classVersion v;
    const QString expected = QString("/******************Informations Systeme***************************/\n")
        + "Nom du système: " + QSysInfo::productType() + "\nVersion du système: " + QSysInfo::productVersion()
        + "\nMicroprocesseur: " + QSysInfo::currentCpuArchitecture() + "\nCompilation: "
        + QSysInfo::buildCpuArchitecture() + "\nVersion du noyau: " + QSysInfo::kernelVersion()
        + "\nType du noyau: " + QSysInfo::kernelType() + "\n"
        + "/******************Informations Utilisateur***********************/\n"
        + "Compte: acme\nTaille de la médiathèque: 500\nNom de la session: accueil\nType de compte: UTILISATEUR\n"
          "Email: accueil@example.com\nTéléphone: \n"
        + "/**************************Message*******************************/\n"
        + "Marque: " + v.Marque() + "\nModèle: " + v.Model() + "\nVersion: " + v.Version() + "\n"
        + page.descriptionText().section('\n', 3, 3) + "\nMessage: Ecran noir\n"
        + "-------------Fichier de log: 26-12-07-orvexlog.log-----------------\n\n"
        + "-------------Fichier de log: 26-12-08-OrvexLog.log-----------------\n08:00:00.000| un\ndeux\n\n"
        + "-------------Fichier de log: 26-12-09-OrvexLog.log-----------------\n09:00:00.000| trois\n\n"
        + "-------------Fichier de log: 26-12-09-URGENT-MessageAlerte-acme.LOG-----------------\n\n\r\n";
    QCOMPARE(QString::fromUtf8(bytes.mid(bytes.indexOf('\n') + 1)), expected);
    QVERIFY(page.descriptionText().section('\n', 3, 3).startsWith("Le "));
}

void TestAlertPage::reportWithoutLogs()
{
    ClassAlerte page;
    page.slotUpdateInfoAlerte();
    const QString name = page.MessageAlerte();
    QCOMPARE(name, QDate::currentDate().toString("yy-MM-dd") + "-URGENT-MessageAlerte-acme.log");
    QFile file(logFolder() + name);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    QVERIFY(bytes.endsWith(("Message: \n" + QByteArray("\r\n"))));
}

void TestAlertPage::sameNameAppends()
{
    ClassAlerte page;
    page.slotUpdateInfoAlerte();
    const QString first = page.MessageAlerte();
    QCOMPARE(page.MessageAlerte(), first);
    QFile file(logFolder() + first);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll().count("/******************Informations Systeme"), 2);
}

void TestAlertPage::unwritableReportIsNotAnnounced()
{
    ClassAlerte page;
    {
        ModalAnswerer keyboard;
        keyboard.enterText("Ecran noir");
        page.slotMessage();
        QVERIFY(keyboard.done());
    }
    // A folder in the report's place: the logging service cannot open it.
    const QString name = QDate::currentDate().toString("yy-MM-dd") + "-URGENT-MessageAlerte-acme.log";
    QVERIFY(QDir(logFolder()).mkdir(name));
    QSignalSpy sent(&page, &ClassAlerte::signalEnvoiAlerte);
    QSignalSpy pages(&page, &ClassAlerte::signalButton);
    const QString before = page.descriptionText();
    ModalAnswerer answerer;
    answerer.confirm();
    page.slotValider();
    QVERIFY(answerer.done());
    QCOMPARE(sent.count(), 0);
    // The user is told which file and why, and stays on the page with the text.
    QCOMPARE(answerer.texts().size(), 1);
    QVERIFY2(answerer.texts().first().contains(logFolder() + name), qPrintable(answerer.texts().first()));
    QFile probe(logFolder() + name);
    QVERIFY(!probe.open(QIODevice::Append));
    QVERIFY(!probe.errorString().isEmpty());
    QVERIFY2(answerer.texts().first().contains(probe.errorString()), qPrintable(answerer.texts().first()));
    QCOMPARE(pages.count(), 0);
    QCOMPARE(page.descriptionText(), before);
}

void TestAlertPage::keyboardMessage()
{
    ClassAlerte page;
    page.slotResize(1024, 720, 0);
    {
        ModalAnswerer answerer;
        answerer.enterText("Ecran noir");
        page.slotMessage();
        QVERIFY(answerer.done());
    }
    QCOMPARE(page.messageText(), QString("Ecran noir"));
    QVERIFY(page.descriptionText().endsWith("\nMessage: Ecran noir"));
    {
        ModalAnswerer answerer;
        answerer.cancel();
        page.slotMessage();
        QVERIFY(answerer.done());
    }
    QCOMPARE(page.messageText(), QString("Ecran noir"));
}

void TestAlertPage::emptyMessageIsRefused_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("alert without a message sent") << "";
    QTest::newRow("alert of blanks sent") << "   ";
}

void TestAlertPage::emptyMessageIsRefused()
{
    QFETCH(QString, message);
    ClassAlerte page;
    page.slotResize(1024, 720, 0);
    if (!message.isEmpty()) {
        ModalAnswerer keyboard;
        keyboard.enterText(message);
        page.slotMessage();
        QVERIFY(keyboard.done());
    }
    QCOMPARE(page.messageText(), message);
    QSignalSpy sent(&page, &ClassAlerte::signalEnvoiAlerte);
    QSignalSpy pages(&page, &ClassAlerte::signalButton);
    ModalAnswerer answerer;
    answerer.confirm();
    page.slotValider();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), QStringList{"Le message de l'alerte est vide!!!\n"
                                           "Décrivez le problème avec le bouton \"Message\" avant de valider."});
    QCOMPARE(sent.count(), 0);
    QCOMPARE(pages.count(), 0);
    QCOMPARE(QDir(logFolder()).entryList(QDir::Files), QStringList());
}

QTEST_MAIN(TestAlertPage)
#include "tst_alertpage.moc"

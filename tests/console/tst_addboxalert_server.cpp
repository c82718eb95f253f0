#include "../sync/ParamFixture.h"
#include "../transfer/StandIn.h"
#include "AnimationStackedWidget.h"
#include "ClassAlerte.h"
#include "ClassParam.h"
#include "CommandReport.h"
#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "TimeScale.h"
#include "TransferProgress.h"
#include "ZoManager.h"
#include "classAjoutBox.h"
#include "classPrincipal.h"
#include "classVersion.h"

#include <QComboBox>
#include <QDirIterator>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include <optional>

// The whole console against the stand-in server (not local mode): adding
// box 12345 from the panel, the restart that lists it, and support reports
// sent from the alert page through the panel's report machine.
class TestAddBoxAlertServer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void addBoxThenRestart();
    void alertReachesSupport();
    void alertFailureKeepsReport_data();
    void alertFailureKeepsReport();
    void supportAddressFollowsConfiguration();

private:
    QString tree(const QString &relative = QString()) const { return StandIn::root() + "/" + relative; }
    QString server(const QString &relative = QString()) const { return tree(m_account + "/" + relative); }
    bool startWindow();
    QToolButton *panelButton(const QString &text) const;
    // Opens the alert page, picks `category` and types a message; returns
    // the name the report will have. validateAlert() sends it.
    QString prepareAlert(const QString &category);
    void validateAlert() { m_window->findChild<ClassAlerte *>()->findChild<QPushButton *>("valider")->click(); }
    QStringList mails(qint64 from) const;

    QTemporaryDir m_dir;
    QString m_work;
    QString m_name;
    QString m_account;
    QString m_secret;
    ZoManager *m_window = nullptr;
};

void TestAddBoxAlertServer::initTestCase()
{
    ZO_NEED_STANDIN();
    zoInitWidgetTest();
    m_work = m_dir.filePath("demo");
    QVERIFY(makeDemoAccount(m_work));
    m_name = QString("e3x%1").arg(QCoreApplication::applicationPid());
    m_account = "zo_" + m_name;

    // The demo account and the service's shared folders, served by the stand-in.
    const QString source = m_work + "/server/zolink/zobox/";
    QDirIterator it(source, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QString relative = path.mid(source.size());
        if (relative.startsWith("zo_demo/"))
            relative = m_account + relative.mid(7);
        else if (QFileInfo::exists(tree(relative)))
            continue;
        QDir().mkpath(QFileInfo(tree(relative)).path());
        QVERIFY(QFile::copy(path, tree(relative)));
    }
    for (const char *folder : {"Validation", "ALERTE-ZoManager"})
        QDir().mkpath(tree(folder));
    QFile::remove(tree("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex"));

    // Unique passwords, to look for them in what goes to the server.
    m_secret = QString("pw-%1-canary").arg(QCoreApplication::applicationPid());
    QVERIFY(ClassParam().setParamCrypt(server("LoginCrypt.orvex"), "USERPASSWORD", m_secret + "|accueil2024"));
    const QString connexion = m_work + "/CONNEXION.txt";
    for (const auto &kv : QList<QPair<QString, QString>>{{"MODE", "SERVEUR"},
                                                         {"FTPPATH", "/zolink/zobox/" + m_account},
                                                         {"COMPTEADMIN", m_name},
                                                         {"PASSWORDLOGIN", m_secret},
                                                         {"FTPPASSWORD", "ftp-" + m_secret}})
        QVERIFY(ClassParam().setParamCrypt(connexion, kv.first, kv.second));
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
}

void TestAddBoxAlertServer::cleanupTestCase()
{
    delete m_window;
    qunsetenv("ZOMANAGER_WORKDIR");
    qunsetenv("ZOMANAGER_BASE_URL");
    if (StandIn::running() && !m_account.isEmpty()) {
        QDir(server()).removeRecursively();
        QFile::remove(tree("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex"));
        for (const QString &name : QDir(tree("ALERTE-ZoManager")).entryList({"*" + m_name + ".log"}))
            QFile::remove(tree("ALERTE-ZoManager/" + name));
    }
}

bool TestAddBoxAlertServer::startWindow()
{
    delete m_window;
    m_window = new ZoManager;
    m_window->resize(1280, 800);
    m_window->show();
    QString box;
    if (!waitPanelShown(m_window->panel(), &box, 40000)) {
        qWarning().noquote() << "the panel did not show:" << box;
        return false;
    }
    return !m_window->panel()->localMode();
}

QToolButton *TestAddBoxAlertServer::panelButton(const QString &text) const
{
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text)
            return b;
    }
    return nullptr;
}

QStringList TestAddBoxAlertServer::mails(qint64 from) const
{
    QFile file(qEnvironmentVariable("ZO_STANDIN_MAILS"));
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from))
        return {};
    QStringList lines;
    for (const QByteArray &line : file.readAll().split('\n')) {
        if (line.contains(m_name.toUtf8()))
            lines << QString::fromUtf8(line);
    }
    return lines;
}

void TestAddBoxAlertServer::addBoxThenRestart()
{
    const qint64 mark = StandIn::mark();
    // A template large enough for its download to show the overlay.
    QVERIFY(writeParams(tree("DEFAULT/STAT.orvex"), {{"STAT", QString(200000, '0')}}));
    QVERIFY(startWindow());
    classPrincipal *panel = m_window->panel();
    QToolButton *add = panelButton("Ajouter un Ecran");
    QVERIFY(add);
    auto *dialog = panel->findChild<classAjoutBox *>();
    QVERIFY(dialog);
    add->click();
    QTRY_COMPARE(dialog->procedure()->step(), 1);
    QTest::keyClicks(dialog->serialField(), "12345");
    QTest::keyClicks(dialog->codeField(), "0A1B2C3D4E");

    // The success box, then the application quits: the program's own event
    // loop ends with 0 (the guard would end it with 1).
    ModalAnswerer answerer;
    bool overlayUnder = true;
    answerer.answer(
        [&](QDialog *d) {
            overlayUnder = panel->messageOverlay()->isVisible();
            d->accept();
        },
        "ok");
    QSignalSpy quitting(qApp, &QCoreApplication::aboutToQuit);
    QTimer guard;
    guard.setSingleShot(true);
    connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(60000);
    QTimer::singleShot(0, dialog, [dialog] { QMetaObject::invokeMethod(dialog->findChild<QObject *>("valider"), "click"); });
    QCOMPARE(QCoreApplication::exec(), 0);
    QCOMPARE(quitting.count(), 1);
    QCOMPARE(answerer.texts(), QStringList{"Création terminée avec succés, l'application va s'éteindre!!"});
    QCOMPARE(answerer.unexpected(), 0);
    // Regression: the success box came over "Téléchargement STAT.orvex... 100%".
    QVERIFY(!overlayUnder);

    // On the server: the validation copy without passwords, the box folder
    // with the factory record and the templates, the default picture, the
    // box in the login file.
    ClassParam param;
    const QString validation = tree("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex");
    QVERIFY(QFileInfo(validation).isFile());
    QCOMPARE(param.getParamCrypt(validation, "COMPTEADMIN", 0), m_name);
    for (const char *key : {"FTPPASSWORD", "PASSWORDLOGIN"})
        QCOMPARE(param.getParamCrypt(validation, key, 0), QString());
    QVERIFY(param.getParamCrypt(validation, QStringList{"ALL"}, 0));
    QCOMPARE(param.BALISE.size(), 2);
    QVERIFY(param.BALISE.at(0).contains("FTPPATH"));
    for (const QString &value : param.BALISE.at(1))
        QVERIFY2(!value.contains(m_secret), qPrintable(value));
    QCOMPARE(QDir(server("12345")).entryList(QDir::Files),
             (QStringList{"BOX.orvex", "INFO.orvex", "PLAYER.orvex", "STAT.orvex", "STATUS.orvex"}));
    QFile record(tree("Production/Reports/12345_0A1B2C3D4E.orvex")), box(server("12345/BOX.orvex"));
    QVERIFY(record.open(QIODevice::ReadOnly) && box.open(QIODevice::ReadOnly));
    QCOMPARE(box.readAll(), record.readAll());
    QVERIFY(QFileInfo(server("IMAGE/OrvexPaysage-213425.png")).size() > 0);
    QCOMPARE(param.getParamCrypt(server("LoginCrypt.orvex"), "PLAYERLIST", 0).split('|').last(), QString("12345"));
    // Over HTTP, not through a local tree.
    int uploads = 0;
    for (const QJsonObject &entry : StandIn::entries(mark, m_account + "/12345/", 5))
        uploads += entry.value("route").toString() == "/zobox/upload.php";
    QCOMPARE(uploads, 5);
    QVERIFY(!StandIn::entries(mark, "ZOVALIDATE_12345_0A1B2C3D4E", 1).isEmpty());
    // The open box's DATA/ holds no file of the new box.
    QFile data(m_work + "/DATA/BOX.orvex");
    record.seek(0);
    QVERIFY(!data.open(QIODevice::ReadOnly) || data.readAll() != record.readAll());

    // A restart logs in over HTTP and lists the new box.
    QVERIFY(startWindow());
    QVERIFY(waitScreenListed(m_window->panel(), "12345"));
}

QString TestAddBoxAlertServer::prepareAlert(const QString &category)
{
    if (!m_window && !startWindow())
        return QString();
    QToolButton *alertButton = panelButton("Alerte");
    auto *page = m_window->findChild<ClassAlerte *>();
    if (!alertButton || !page) {
        qWarning() << "no alert button or page";
        return QString();
    }
    alertButton->click();
    if (!QTest::qWaitFor([&] { return page->isVisible(); }, 5000)) {
        qWarning() << "alert page not shown";
        return QString();
    }
    page->findChild<QComboBox *>()->setCurrentText(category);
    // The message is typed on the page's keyboard.
    {
        ModalAnswerer keyboard;
        keyboard.enterText("Ecran noir & son coupé");
        page->slotMessage();
        if (!keyboard.done()) {
            qWarning() << "keyboard not answered" << keyboard.texts();
            return QString();
        }
    }
    const QString name = QDate::currentDate().toString("yy-MM-dd") + "-" + category + "-MessageAlerte-" + m_name + ".log";
    return name;
}

void TestAddBoxAlertServer::alertReachesSupport()
{
    const qint64 mark = StandIn::mark();
    const qint64 mails0 = QFileInfo(qEnvironmentVariable("ZO_STANDIN_MAILS")).size();
    const QString name = QDate::currentDate().toString("yy-MM-dd") + "-URGENT-MessageAlerte-" + m_name + ".log";
    QCOMPARE(prepareAlert("URGENT"), name);
    // A configured address whose '+' and '&' must reach the script as they are.
    const QString address = "aide+e3&test@example.org";
    qputenv("ZOMANAGER_SUPPORT_ADDRESS", address.toUtf8());
    // What had arrived when the success box showed.
    bool reportThere = false, mailThere = false;
    ModalAnswerer answerer;
    answerer.answer(
        [&](QDialog *d) {
            reportThere = QFileInfo::exists(tree("ALERTE-ZoManager/" + name));
            mailThere = !mails(mails0).isEmpty();
            d->accept();
        },
        "ok");
    validateAlert();
    QVERIFY(answerer.waitUntilDone(30000));
    QCOMPARE(answerer.texts(), QStringList{"Envoi du rapport terminé!!! Orvex vous remercie pour votra aide!!!"});
    QVERIFY(reportThere);
    QVERIFY(mailThere);
    QTRY_VERIFY(!m_window->panel()->commandReport()->reportRunning());
    QVERIFY(!QFileInfo::exists(m_work + "/LOG/" + name));

    QFile report(tree("ALERTE-ZoManager/" + name));
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(report.readAll());
    QVERIFY(text.contains("Compte: " + m_name));
    QVERIFY(text.contains("Message: Ecran noir & son coupé"));

    // The request as it went out: percent-encoded values.
    const QList<QJsonObject> entries = StandIn::entries(mark, "mails.php", 1);
    QCOMPARE(entries.size(), 1);
    const QString raw = QString::fromUtf8(QJsonDocument(entries.first()).toJson(QJsonDocument::Compact));
    for (const QString &part : {QString("Subjet=Probleme%20version%20ZoManager%20V3.6.3"),
                                QString("Msg=Fichier%20%C3%A0%20voir:%20"), QString("URGENT-MessageAlerte-" + m_name)})
        QVERIFY2(raw.contains(part), qPrintable(raw));
    const QJsonObject mail = QJsonDocument::fromJson(mails(mails0).first().toUtf8()).object();
    QCOMPARE(mail.value("emailAdress").toString(), address);
    qunsetenv("ZOMANAGER_SUPPORT_ADDRESS");
    QCOMPARE(mail.value("Subjet").toString(), "Probleme version ZoManager " + classVersion().Version());
    QCOMPARE(mail.value("Msg").toString(), "Fichier à voir: " + classVersion().NomDeDomaine() + "zobox/ALERTE-ZoManager/" + name);
}

void TestAddBoxAlertServer::alertFailureKeepsReport_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shown");
    const QString upload = TransferProgress::MessageErreurConnexionText(8);
    QTest::newRow("report upload answered 500") << "DYSFONCTIONNMENT" << "/zobox/upload.php" << "500" << upload;
    QTest::newRow("report upload connection closed") << "AMELIORATION" << "/zobox/upload.php" << "close" << upload;
    const QString mail = "Le support n'a pas pu être prévenu!!!\nVeuillez recommencer s.v.p...";
    QTest::newRow("success shown though the mail script answered 500")
        << "INFORMATION" << "/zobox/mails.php" << "500" << mail;
    QTest::newRow("mail script never answers") << "URGENT" << "/zobox/mails.php" << "noanswer" << mail;
}

void TestAddBoxAlertServer::alertFailureKeepsReport()
{
    QFETCH(QString, category);
    QFETCH(QString, path);
    QFETCH(QString, kind);
    QFETCH(QString, shown);
    // A silent mail script is about the mail wait: only then is it shortened.
    std::optional<TimeScale::ShortTimeouts> shorter;
    if (kind == "noanswer")
        shorter.emplace(50);
    QVERIFY(StandIn::fault(path, kind, path.contains("upload") ? QString("ALERTE-ZoManager") : m_name, 3, 3000));
    const QString name = prepareAlert(category);
    QVERIFY(!name.isEmpty());
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { d->accept(); }, "ok");
    validateAlert();
    QVERIFY(answerer.waitUntilDone(30000));
    QTRY_VERIFY(!m_window->panel()->commandReport()->reportRunning());
    QCOMPARE(answerer.texts(), QStringList{shown});
    QVERIFY(QFileInfo(m_work + "/LOG/" + name).size() > 0);
    // ("close" cuts the reply of a request the server has carried out.)
    if (path.contains("upload") && kind == "500")
        QVERIFY(!QFileInfo::exists(tree("ALERTE-ZoManager/" + name)));
    StandIn::reset(path.contains("upload") ? QString("ALERTE-ZoManager") : m_name);
}

void TestAddBoxAlertServer::supportAddressFollowsConfiguration()
{
    // The mail goes to the configured service, never to a fixed host.
    const QUrl url = CommandReport::supportUrl(classVersion().NomDeDomaine(), "V3.6.3", "a b.log");
    QCOMPARE(url.host(), QUrl(StandIn::url()).host());
    QCOMPARE(url.port(), QUrl(StandIn::url()).port());
    qunsetenv("ZOMANAGER_BASE_URL");
    const QUrl production = CommandReport::supportUrl(classVersion().NomDeDomaine(), "V3.6.3", "a b.log");
    qputenv("ZOMANAGER_BASE_URL", StandIn::url().toUtf8());
    QCOMPARE(production.scheme(), QString("https"));
    QCOMPARE(production.host(), QString("zomanager.example.net"));
    // Unset, the service's own address, written as it stands.
    QCOMPARE(CommandReport::supportAddress(), QString(CommandReport::SupportAddress));
    QVERIFY(production.toString(QUrl::FullyEncoded).contains("emailAdress=support@zomanager.example.net&"));
}

QTEST_MAIN(TestAddBoxAlertServer)
#include "tst_addboxalert_server.moc"

// The box information and status pages offscreen, on a work folder of
// their own; the check's give-up wait is scaled by ZOMANAGER_TIME_SCALE.
#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ModalAnswerer.h"
#include "TimeScale.h"
#include "ZoTestInit.h"
#include "InfoValueEdit.h"
#include "classInfo.h"
#include "classStatistiques.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

class BoxPagesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void infoShowsBothRecords();
    void infoWithoutFilesShowsNull();
    void infoSavesTheTwentyKeys();
    void infoRefusedSaveStaysOnPage_data();
    void infoRefusedSaveStaysOnPage();
    void infoNextBoxWithoutRecordShowsNoOldValues();
    void infoValuesCutFromTheLeft();
    void infoValueCutAtTheRightUnreadable();

    void checkAsksAndWaits();
    void completionShowsRows_data();
    void completionShowsRows();
    void eventsShownAsPlainText();
    void checkWithoutEventLogKeepsSearching();
    void commands_data();
    void commands();
    void checkGivesUpAfterTheLongestWait();
    void anotherBoxClearsThePage();
    void statusRowsKeepTheLayout();

private:
    QString data(const QString &name) const { return ApplicationPath + "DATA/" + name; }
    static QByteArray bytes(const QString &path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    void writeEvents(const QByteArray &text) const
    {
        QFile f(data("EVENTS.orvex"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    void writeBox() const
    {
        QVERIFY(writeParams(data("BOX.orvex"), {{"MARQUE", "Orvex"},
                                                {"MODELE", "Zobox 4K"},
                                                {"NUMEROSERIE", "ZB-1001"},
                                                {"VERSION", "2.4.1"},
                                                {"DATEFABRICATION", "2025-06-02"},
                                                {"DATEMISEAJOUR", "2026-11-30"},
                                                {"CODE", "7781"}}));
    }
    // One check of the page, answered at once as the panel would.
    void check(classStatistiques &page)
    {
        page.checkButton()->click();
        page.slotStatusEstAJour();
    }

    QScopedPointer<QTemporaryDir> m_dir;
};

namespace {
const QString kPrint = QStringLiteral("D21B1CC5CF4ACD1E4C15D5A0B58401A26AC03534");
const QString kOther = QStringLiteral("0000000000000000000000000000000000000000");
}

void BoxPagesTest::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 100);
}

void BoxPagesTest::init()
{
    m_dir.reset(new QTemporaryDir);
    ApplicationPath = m_dir->path() + '/';
    QDir().mkpath(ApplicationPath + "DATA");
}

void BoxPagesTest::infoShowsBothRecords()
{
    writeBox();
    QVERIFY(writeParams(data("INFO.orvex"), {{"NOM_PROPRIETAIRE", "Café du Port"}, {"LONGITUDE_POSITION", "3.6970"}}));
    classInfo page;
    QStringList factory;
    for (QLabel *value : page.factoryValues())
        factory << value->text();
    QCOMPARE(factory, (QStringList{"Orvex", "Zobox 4K", "ZB-1001", "2.4.1", "2025-06-02", "2026-11-30", "7781"}));
    QCOMPARE(page.ownerFields().size(), 9);
    QCOMPARE(page.positionFields().size(), 11);
    QCOMPARE(page.ownerFields().first()->text(), QStringLiteral("Café du Port"));
    QCOMPARE(page.ownerFields().at(1)->text(), QStringLiteral("NULL"));
    QCOMPARE(page.positionFields().last()->text(), QStringLiteral("3.6970"));
}

void BoxPagesTest::infoWithoutFilesShowsNull()
{
    classInfo page;
    for (QLabel *value : page.factoryValues())
        QCOMPARE(value->text(), QStringLiteral("NULL"));
    for (QLineEdit *field : page.ownerFields() + page.positionFields())
        QCOMPARE(field->text(), QStringLiteral("NULL"));
}

void BoxPagesTest::infoSavesTheTwentyKeys()
{
    QVERIFY(writeParams(data("INFO.orvex"), {{"NOM_POSITION", "Hall"}}));
    classInfo page;
    QSignalSpy back(&page, &classInfo::signalButton);
    page.ownerFields().at(0)->setText("Le \"Central\"");
    page.positionFields().at(0)->setText("Entrée\nNord");
    page.slotValider();
    QCOMPARE(back.count(), 1);
    QCOMPARE(back.first().first().toInt(), 0);
    ClassParam reader;
    QVERIFY(reader.getParamCrypt(data("INFO.orvex"), QStringList{"ALL"}, 0));
    QCOMPARE(reader.BALISE.at(0).size(), 21); // the 20 keys and the fingerprint line
    QCOMPARE(reader.getInfoBalise("NOM_PROPRIETAIRE"), QStringLiteral("Le Central"));
    QCOMPARE(reader.getInfoBalise("NOM_POSITION"), QStringLiteral("EntréeNord"));
    QCOMPARE(reader.getInfoBalise("FAX_POSITION"), QStringLiteral("NULL"));
    // The page shows what was stored.
    QCOMPARE(page.ownerFields().at(0)->text(), QStringLiteral("Le Central"));
}

void BoxPagesTest::infoRefusedSaveStaysOnPage_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("read-only INFO.orvex") << "readonly" << "lecture seule";
    QTest::newRow("no INFO.orvex") << "missing" << "n'existe pas";
    QTest::newRow("character the file cannot hold") << "euro" << "€";
}

void BoxPagesTest::infoRefusedSaveStaysOnPage()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    if (damage != "missing")
        QVERIFY(writeParams(data("INFO.orvex"), {{"NOM_POSITION", "Hall"}}));
    classInfo page;
    page.resize(1024, 720);
    page.show();
    if (damage == "readonly")
        QVERIFY(QFile::setPermissions(data("INFO.orvex"), QFileDevice::ReadOwner));
    const QByteArray before = bytes(data("INFO.orvex"));
    page.positionFields().at(0)->setText(damage == "euro" ? "Menu à 5 €" : "Entrée");
    QSignalSpy back(&page, &classInfo::signalButton);
    ModalAnswerer answerer;
    answerer.confirm();
    page.slotValider();
    QVERIFY(answerer.waitUntilDone());
    QVERIFY(answerer.done());
    QVERIFY2(answerer.texts().value(0).contains(message), qPrintable(answerer.texts().value(0)));
    QCOMPARE(back.count(), 0);
    QCOMPARE(bytes(data("INFO.orvex")), before);
    // The typing is still there to be mended.
    QVERIFY(page.positionFields().at(0)->text().startsWith(damage == "euro" ? "Menu" : "Entrée"));
}

void BoxPagesTest::infoNextBoxWithoutRecordShowsNoOldValues()
{
    writeBox();
    QVERIFY(writeParams(data("INFO.orvex"), {{"NOM_PROPRIETAIRE", "Boulangerie"}}));
    classInfo page;
    QCOMPARE(page.factoryValues().at(2)->text(), QStringLiteral("ZB-1001"));
    QVERIFY(QFile::remove(data("BOX.orvex")));
    QVERIFY(QFile::remove(data("INFO.orvex")));
    page.AfficheINFO();
    QCOMPARE(page.factoryValues().at(2)->text(), QStringLiteral("NULL"));
    QCOMPARE(page.ownerFields().at(0)->text(), QStringLiteral("NULL"));
}

void BoxPagesTest::infoValuesCutFromTheLeft()
{
    writeBox();
    const QString address = "12 quai de la Fontaine, résidence des Tilleuls, bâtiment C";
    const QString email = "accueil.boulangerie-du-port@example.com.example.org";
    QVERIFY(writeParams(data("INFO.orvex"), {{"ADRESSE1_PROPRIETAIRE", address}, {"EMAIL_POSITION", email}}));
    classInfo page;
    page.resize(1366, 768);
    page.slotResize(1366, 768, 0);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    const auto fromStart = [&page] {
        QStringList cut;
        for (QLineEdit *field : page.ownerFields() + page.positionFields()) {
            if (field->cursorPosition() != 0)
                cut << field->text();
        }
        return cut;
    };
    QCOMPARE(page.ownerFields().at(1)->text(), address);
    QCOMPARE(page.positionFields().at(6)->text(), email);
    QCOMPARE(fromStart(), QStringList());
    // Too long for its field at this size: the start is what shows.
    QVERIFY(page.ownerFields().at(1)->fontMetrics().horizontalAdvance(address) > page.ownerFields().at(1)->width());
    page.AfficheINFO();
    QCOMPARE(fromStart(), QStringList());
}

void BoxPagesTest::infoValueCutAtTheRightUnreadable()
{
    writeBox();
    const QString address = "12 quai de la Fontaine, résidence des Tilleuls, bâtiment C";
    QVERIFY(writeParams(data("INFO.orvex"), {{"ADRESSE1_PROPRIETAIRE", address}, {"VILLE_PROPRIETAIRE", "Sète"}}));
    classInfo page;
    page.resize(1366, 768);
    page.slotResize(1366, 768, 0);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QLineEdit *cut = page.ownerFields().at(1);
    QLineEdit *city = page.ownerFields().at(4);
    QVERIFY(cut->fontMetrics().horizontalAdvance(address) > cut->width());
    // The whole value is a hover away; the field shows its start and "…".
    QCOMPARE(cut->toolTip(), address);
    const QString shown = qobject_cast<InfoValueEdit *>(cut)->shownText();
    QVERIFY2(shown.endsWith(QChar(0x2026)) && address.startsWith(shown.chopped(1)), qPrintable(shown));
    QVERIFY(cut->fontMetrics().horizontalAdvance(shown) < cut->width());
    QCOMPARE(city->toolTip(), QString());
    QCOMPARE(qobject_cast<InfoValueEdit *>(city)->shownText(), QStringLiteral("Sète"));
    // Typed or loaded, the tooltip follows the value.
    city->setText(address);
    QCOMPARE(city->toolTip(), address);
    page.AfficheINFO();
    QCOMPARE(city->toolTip(), QString());
    QCOMPARE(cut->toolTip(), address);
    QCOMPARE(cut->text(), address);
}

void BoxPagesTest::checkAsksAndWaits()
{
    classStatistiques page;
    QStringList seen;
    connect(&page, &classStatistiques::signalCommandZobox, [&](const QString &w) { seen << "command " + w; });
    connect(&page, &classStatistiques::signalDownloadStatus, [&] { seen << "download"; });
    QCOMPARE(page.checkButton()->text(), QStringLiteral("Vérifier"));
    page.checkButton()->click();
    QCOMPARE(seen, (QStringList{"command UPLOADEVENTS", "download"}));
    QVERIFY(!page.checkButton()->isEnabled());
    QVERIFY(page.waiting());
    QCOMPARE(page.eventBox()->toPlainText(), QStringLiteral("Recherche en cours... Veuillez patienter s.v.p..."));
    // Regression: a minute or more with nothing moving on the page.
    QCOMPARE(page.checkButton()->text(), QStringLiteral("Vérification en cours... 0 s (90 s au plus)"));
    page.slotCheckProgress();
    QCOMPARE(page.checkButton()->text(), QStringLiteral("Vérification en cours... 1 s (90 s au plus)"));
    // A second press while waiting asks nothing more.
    page.slotDemandeStatus();
    QCOMPARE(seen.size(), 2);
}

void BoxPagesTest::completionShowsRows_data()
{
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("statusPrint"); // "<none>": no key
    QTest::addColumn<QString>("playerPrint"); // "<nofile>": no poster list
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QString>("text");
    QTest::newRow("box runs the deployed list") << "0" << kPrint << kPrint << "BoxOK" << "Mise à jour effectuée.";
    QTest::newRow("quoted print") << "0" << "\"" + kPrint + "\"" << kPrint << "BoxOK" << "Mise à jour effectuée.";
    QTest::newRow("waiting") << "0" << kOther << kPrint << "BoxHeure" << "Mise à jour en attente.";
    QTest::newRow("running") << "1" << kOther << kPrint << "BoxUpdate" << "Mise à jour en cours...";
    QTest::newRow("no poster list: STATE decides") << "2" << kPrint << "<nofile>" << "BoxOK"
                                                  << "Mise à jour effectuée.";
    QTest::newRow("no print anywhere") << "NULL" << "<none>" << "<nofile>" << "BoxClose" << "Aucune information!!!";
}

void BoxPagesTest::completionShowsRows()
{
    QFETCH(QString, state);
    QFETCH(QString, statusPrint);
    QFETCH(QString, playerPrint);
    QFETCH(QString, picture);
    QFETCH(QString, text);
    QString print = statusPrint;
    if (playerPrint != "<nofile>") {
        QVERIFY(writeParams(data("PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}}));
        ClassParam reader;
        // The status print stands for the real one of this poster list.
        print.replace(kPrint, reader.getParamCrypt(data("PLAYER.orvex"), QString("EMPREINTE"), 0));
    }
    // The box puts the running list's print where the file's own stands.
    QString plain;
    if (state != "NULL")
        plain += "STATE=\"" + state + "\"\r\n";
    plain += "CONNECT=\"2026-12-10 10:00:00\"\r\n";
    if (print != "<none>")
        plain += "EMPREINTE=\"" + print + "\"";
    QFile f(data("STATUS.orvex"));
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(ClassParam().CryptRC4(plain).toLatin1());
    f.close();
    writeBox();

    classStatistiques page;
    page.resize(1280, 800);
    check(page);
    QVERIFY(page.checkButton()->isEnabled());
    QVERIFY(!page.waiting());
    QVERIFY(page.checkButton()->text().startsWith("Vérifié le "));
    QCOMPARE(page.statusTexts().at(0)->text(), QStringLiteral("L'écran est éteint."));
    QCOMPARE(page.statusTexts().at(1)->text(), QStringLiteral("La TV est éteinte."));
    QCOMPARE(page.statusPictures().at(0)->property("picture").toString(), QStringLiteral(":/images/Status/BoxPowerOFF.png"));
    QCOMPARE(page.statusPictures().at(2)->property("picture").toString(), ":/images/Status/" + picture + ".png");
    QVERIFY(!page.statusPictures().at(2)->pixmap(Qt::ReturnByValue).isNull());
    QCOMPARE(page.statusPictures().at(2)->pixmap(Qt::ReturnByValue).width(), 128);
    QCOMPARE(page.statusTexts().at(2)->text(), text);
    QStringList factory;
    for (QLabel *value : page.factoryValues())
        factory << value->text();
    // CODE is not on this page.
    QCOMPARE(factory, (QStringList{"Orvex", "Zobox 4K", "ZB-1001", "2.4.1", "2025-06-02", "2026-11-30"}));
}

void BoxPagesTest::eventsShownAsPlainText()
{
    const QByteArray log = "2026-12-10 09:00:01 | <b>démarrage</b>\n<img src=\"x.png\"> <a href=\"http://x\">lien</a>\n";
    writeEvents(log);
    classStatistiques page;
    check(page);
    QCOMPARE(page.eventBox()->toPlainText(), QString::fromUtf8(log));
    QVERIFY(!page.eventBox()->document()->toHtml().contains("<img"));
}

void BoxPagesTest::checkWithoutEventLogKeepsSearching()
{
    classStatistiques page;
    check(page);
    QCOMPARE(page.eventBox()->toPlainText(), QStringLiteral("Recherche en cours... Veuillez patienter s.v.p..."));
    // An event log that cannot be read empties the box.
    QVERIFY(QDir().mkpath(data("EVENTS.orvex")));
    check(page);
    QCOMPARE(page.eventBox()->toPlainText(), QString());
}

void BoxPagesTest::commands_data()
{
    QTest::addColumn<QString>("word");
    QTest::addColumn<bool>("visible");
    QTest::newRow("reboot") << "REBOOT" << true;
    QTest::newRow("system update") << "RESEARCHSYST" << false;
    QTest::newRow("previous version") << "BACKUPSYST" << false;
    QTest::newRow("stop HDMI") << "STOPHDMI" << false;
}

void BoxPagesTest::commands()
{
    QFETCH(QString, word);
    QFETCH(bool, visible);
    classStatistiques page;
    page.show();
    QPushButton *button = page.findChild<QPushButton *>(word);
    QVERIFY(button);
    QCOMPARE(button->isVisible(), visible);
    QStringList seen;
    connect(&page, &classStatistiques::signalCommandZobox, [&](const QString &w) { seen << "command " + w; });
    connect(&page, &classStatistiques::signalButton, [&](int code) { seen << QString("page %1").arg(code); });
    button->click();
    QCOMPARE(seen, (QStringList{"command " + word, "page 0"}));
}

void BoxPagesTest::checkGivesUpAfterTheLongestWait()
{
    // The give-up is the subject: its network part is shortened like the wait.
    const TimeScale::ShortTimeouts shorter(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE"));
    classStatistiques page;
    page.checkButton()->click();
    // Not before the fetch could still answer (60 s + 3 x 5 s, scaled).
    QTest::qWait(60000 / qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE"));
    QVERIFY(page.waiting());
    QTRY_VERIFY_WITH_TIMEOUT(!page.waiting(), 2000);
    QVERIFY(page.checkButton()->isEnabled());
    QCOMPARE(page.statusTexts().at(2)->text(), QStringLiteral("Aucune information!!!"));
    QCOMPARE(page.eventBox()->toPlainText(), QStringLiteral("Aucune information!!!"));
    QCOMPARE(page.checkButton()->text(), QStringLiteral("Vérifier"));
    // The button works again, and a late completion still shows.
    QSignalSpy download(&page, &classStatistiques::signalDownloadStatus);
    page.checkButton()->click();
    QCOMPARE(download.count(), 1);
    page.slotStatusEstAJour();
    QVERIFY(!page.waiting());
}

void BoxPagesTest::anotherBoxClearsThePage()
{
    writeBox();
    writeEvents("ancien journal");
    classStatistiques page;
    check(page);
    QCOMPARE(page.factoryValues().at(2)->text(), QStringLiteral("ZB-1001"));
    page.slotClear();
    QCOMPARE(page.factoryValues().at(2)->text(), QString());
    QCOMPARE(page.statusTexts().at(2)->text(), QString());
    QCOMPARE(page.eventBox()->toPlainText(), QString());
    QCOMPARE(page.checkButton()->text(), QStringLiteral("Vérifier"));
    // The next box has no factory record: nothing of the previous one comes back.
    QVERIFY(QFile::remove(data("BOX.orvex")));
    check(page);
    QCOMPARE(page.factoryValues().at(2)->text(), QStringLiteral("NULL"));
}

void BoxPagesTest::statusRowsKeepTheLayout()
{
    writeBox();
    classStatistiques page;
    page.resize(1280, 800);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    page.slotResize(1280, 800, 0);
    QWidget *factory = page.factoryValues().first()->parentWidget();
    QWidget *events = page.eventBox()->parentWidget();
    QTest::qWait(50);
    const QRect factoryBefore = factory->geometry();
    const QRect eventsBefore = events->geometry();

    check(page);
    QVERIFY(!page.statusPictures().at(2)->pixmap(Qt::ReturnByValue).isNull());
    QTest::qWait(50);
    // Regression: the three pictures took their room only once shown, and
    // the factory panel shrank from about 500 to 270 pixels under the user.
    QCOMPARE(factory->geometry(), factoryBefore);
    QCOMPARE(events->geometry(), eventsBefore);
    page.slotClear();
    QTest::qWait(50);
    QCOMPARE(factory->geometry(), factoryBefore);
}

QTEST_MAIN(BoxPagesTest)
#include "tst_boxpages.moc"

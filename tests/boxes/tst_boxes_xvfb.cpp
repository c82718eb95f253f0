#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ClassAlerte.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "classAjoutBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

// The add-a-box dialog and the alert page on a real X server, grabbed for review.
class TestBoxesXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addBoxDialog();
    void alertPage();

private:
    QTemporaryDir m_dir;
};

void TestBoxesXvfb::initTestCase()
{
    zoInitWidgetTest();
    ApplicationPath = m_dir.path() + '/';
    qputenv("ZOMANAGER_WORKDIR", m_dir.path().toUtf8());
    QVERIFY(writeParams(ApplicationPath + "LoginCrypt.orvex",
                        {{"USERLIST", "demo|accueil"},
                         {"USERTYPE", "ADMINISTRATEUR|UTILISATEUR"},
                         {"USERNOM", "Compte de démonstration|Agent d'accueil"},
                         {"USEREMAIL", "demo@example.com|accueil@example.com"},
                         {"USERTELEPHONE", "04 67 00 00 00|"},
                         {"PLAYERLIST", "10234|10235"},
                         {"PLAYERLISTNAME", "Hall d'entrée|Borne d'accueil"}}));
    QVERIFY(writeParams(ApplicationPath + "CONNEXION.txt", {{"COMPTEADMIN", "demo"}, {"MEDIASIZE", "500"}}));
}

void TestBoxesXvfb::addBoxDialog()
{
    QWidget panel;
    panel.resize(1280, 800);
    auto *dialog = new classAjoutBox(&panel);
    dialog->slotResize(1280, 800, 0);
    panel.show();
    QVERIFY(QTest::qWaitForWindowExposed(&panel));
    dialog->slotVisible();
    QTRY_VERIFY(dialog->messageLabel()->text().startsWith("Veuillez entrer"));
    QTest::keyClicks(dialog->serialField(), "12345");
    QTest::keyClicks(dialog->codeField(), "0a1B2C3D4E"); // the lower-case "a" is refused
    QCOMPARE(dialog->codeField()->text(), QString("01B2C3D4E"));
    QTest::qWait(300);
    QVERIFY(saveScreenshot(&panel, "addbox-dialog.png"));
    dialog->slotAnnuler();
    QVERIFY(!dialog->isVisible());
}

void TestBoxesXvfb::alertPage()
{
    ClassAlerte page;
    page.slotResize(1280, 800, 0);
    page.slotUserLogin("demo", "ADMINISTRATEUR");
    page.slotUpdateInfoAlerte();
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::qWait(300);
    QVERIFY(page.userText().contains("Email: demo@example.com"));
    QVERIFY(saveScreenshot(&page, "alert-page.png"));
}

QTEST_MAIN(TestBoxesXvfb)
#include "tst_boxes_xvfb.moc"

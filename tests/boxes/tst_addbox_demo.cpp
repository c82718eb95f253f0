#include "../console/ConsoleFixture.h"
#include "AnimationStackedWidget.h"
#include "ClassParam.h"
#include "ModalAnswerer.h"
#include "classAjoutBox.h"
#include "classPrincipal.h"

#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QToolButton>
#include <QtTest>

// Adding a screen from the control panel on the demo account in local mode:
// the success message, the box on the account's tree, and the new box listed
// after a restart.
class TestAddBoxDemo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addThenRestart();

private:
    classPrincipal *startPanel();
    QString server(const QString &relative) const { return m_work + "/server/zolink/zobox/" + relative; }

    QTemporaryDir m_dir;
    QString m_work;
};

void TestAddBoxDemo::initTestCase()
{
    zoInitWidgetTest();
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
}

classPrincipal *TestAddBoxDemo::startPanel()
{
    auto *panel = new classPrincipal;
    // Without the media library the panel ends the media step itself.
    connect(panel, &classPrincipal::SignalUpdateMediaFile, panel, &classPrincipal::slotUpdateMediaFinish);
    panel->slotMinimumSize(1280, 800);
    panel->show();
    QString box;
    if (!waitPanelShown(panel, &box)) {
        qWarning().noquote() << "the panel did not show:" << box;
        delete panel;
        return nullptr;
    }
    return panel;
}

void TestAddBoxDemo::addThenRestart()
{
    std::unique_ptr<classPrincipal> panel(startPanel());
    QVERIFY(panel);
    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    QTRY_VERIFY(screens->count() > 0);
    QToolButton *add = nullptr;
    for (QToolButton *b : panel->findChildren<QToolButton *>()) {
        if (b->text() == "Ajouter un Ecran")
            add = b;
    }
    QVERIFY(add);
    auto *dialog = panel->findChild<classAjoutBox *>();
    QVERIFY(dialog && !dialog->isVisible());

    QObject *valider = dialog->findChild<QObject *>("valider");
    QVERIFY(valider);

    // A serial of the account: two messages, the dialog closes, nothing sent.
    add->click();
    QVERIFY(dialog->isVisible());
    QTRY_COMPARE(dialog->procedure()->step(), 1);
    QTest::keyClicks(dialog->serialField(), "10234");
    QTest::keyClicks(dialog->codeField(), "0A1B2C3D4E");
    {
        ModalAnswerer answerer;
        answerer.answer([](QDialog *d) { d->accept(); }, "ok").answer([](QDialog *d) { d->accept(); }, "ok");
        QMetaObject::invokeMethod(valider, "click");
        QVERIFY(answerer.waitUntilDone(10000));
        QCOMPARE(answerer.texts(), (QStringList{"Ce numéro de série est dèjà utilisé sur votre compte!!!",
                                                "Echec de l'ajout du boîtier sur le compte!!!"}));
    }
    QTRY_VERIFY(!dialog->isVisible());
    QVERIFY(!dialog->procedure()->running());

    // Shown again, the entries are still there: the serial is corrected.
    add->click();
    QTRY_COMPARE(dialog->procedure()->step(), 1);
    QCOMPARE(dialog->codeField()->text(), QString("0A1B2C3D4E"));
    dialog->serialField()->clear();
    QTest::keyClicks(dialog->serialField(), "12345");
    // A short code: the box names the length expected, the fields come back.
    dialog->codeField()->clear();
    QTest::keyClicks(dialog->codeField(), "0A1B");
    {
        ModalAnswerer answerer;
        answerer.grabAs("screenshot-addbox-code.png").confirm();
        QMetaObject::invokeMethod(valider, "click");
        QVERIFY(answerer.waitUntilDone(10000));
        QVERIFY2(answerer.texts().value(0).contains("10 caractères"), qPrintable(answerer.texts().join('|')));
    }
    QTRY_COMPARE(dialog->procedure()->step(), 1);
    QTest::keyClicks(dialog->codeField(), "2C3D4E");
    ModalAnswerer answerer;
    answerer.answer([](QDialog *d) { d->accept(); }, "ok");
    QMetaObject::invokeMethod(valider, "click");
    QVERIFY(answerer.waitUntilDone(60000));
    QCOMPARE(answerer.texts(), QStringList{"Création terminée avec succés, l'application va s'éteindre!!"});
    QCOMPARE(answerer.unexpected(), 0);

    QVERIFY(QFileInfo(server("zo_demo/12345/BOX.orvex")).isFile());
    QVERIFY(QFileInfo(server("zo_demo/IMAGE/OrvexPaysage-213425.png")).isFile());
    QVERIFY(QFileInfo(server("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex")).isFile());
    ClassParam param;
    QCOMPARE(param.getParamCrypt(server("Validation/ZOVALIDATE_12345_0A1B2C3D4E.orvex"), "FTPPASSWORD", 0), QString());
    QVERIFY(param.getParamCrypt(server("zo_demo/LoginCrypt.orvex"), "PLAYERLIST", 0).endsWith("|12345"));
    panel.reset();

    // A restart logs in again and lists the new box.
    panel.reset(startPanel());
    QVERIFY(panel);
    QVERIFY(waitScreenListed(panel.get(), "12345"));
}

QTEST_MAIN(TestAddBoxDemo)
#include "tst_addbox_demo.moc"

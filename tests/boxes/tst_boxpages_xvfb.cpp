// The box information and status pages on a real X server after a check,
// grabbed for review.
#include "../sync/ParamFixture.h"
#include "AppGlobals.h"
#include "ZoScreenshot.h"
#include "ZoTestInit.h"
#include "classInfo.h"
#include "classStatistiques.h"
#include "classVersion.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QtTest>

class BoxPagesXvfbTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void informationPage();
    void statusPage();

private:
    static void present(QWidget &page);
    QString data(const QString &name) const { return ApplicationPath + "DATA/" + name; }

    QTemporaryDir m_dir;
};

void BoxPagesXvfbTest::initTestCase()
{
    zoInitWidgetTest();
    ApplicationPath = m_dir.path() + '/';
    QVERIFY(QDir().mkpath(ApplicationPath + "DATA"));
    QVERIFY(writeParams(data("BOX.orvex"), {{"MARQUE", "Orvex"},
                                            {"MODELE", "Zobox"},
                                            {"NUMEROSERIE", "10234"},
                                            {"VERSION", "2.4.1"},
                                            {"DATEFABRICATION", "12/03/2021"},
                                            {"DATEMISEAJOUR", "02/05/2024"},
                                            {"CODE", "4F7K"}}));
    QVERIFY(writeParams(data("INFO.orvex"), {{"NOM_PROPRIETAIRE", "Brasserie du Port"},
                                             {"ADRESSE1_PROPRIETAIRE", "12 quai de la Fontaine"},
                                             {"CODEPOSTAL_PROPRIETAIRE", "34000"},
                                             {"VILLE_PROPRIETAIRE", "Montpellier"},
                                             {"NOMCONTACT_PROPRIETAIRE", "Claire Martin"},
                                             {"EMAIL_PROPRIETAIRE", "contact@example.com"},
                                             {"TEL_PROPRIETAIRE", "04 67 00 00 00"},
                                             {"NOM_POSITION", "Vitrine"},
                                             {"EMPLACEMENT_POSITION", "Rez-de-chaussée"},
                                             {"ADRESSE1_POSITION", "12 quai de la Fontaine"},
                                             {"CODEPOSTAL_POSITION", "34000"},
                                             {"VILLE_POSITION", "Montpellier"},
                                             {"LATITUDE_POSITION", "43.6108"},
                                             {"LONGITUDE_POSITION", "3.8767"}}));
    QVERIFY(writeParams(data("PLAYER.orvex"), {{"SLIDETYPE", "IMAGE"}}));
    const QString print = ClassParam().getParamCrypt(data("PLAYER.orvex"), QString("EMPREINTE"), 0);
    QFile status(data("STATUS.orvex"));
    QVERIFY(status.open(QIODevice::WriteOnly));
    status.write(ClassParam()
                     .CryptRC4("STATE=\"0\"\r\nCONNECT=\"2026-12-10 09:12:40\"\r\nEMPREINTE=\"" + print + "\"")
                     .toLatin1());
    status.close();
    QFile events(data("EVENTS.orvex"));
    QVERIFY(events.open(QIODevice::WriteOnly));
    events.write("2026-12-10 08:00:02 | Démarrage du boîtier 10234\n"
                 "2026-12-10 08:00:40 | Affiches à jour\n"
                 "2026-12-10 09:12:38 | Envoi des événements demandé\n"
                 "2026-12-10 09:12:39 | <b>HDMI</b> écran détecté\n");
}

void BoxPagesXvfbTest::present(QWidget &page)
{
    page.setStyleSheet(classVersion().Style());
    page.resize(1280, 800);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QMetaObject::invokeMethod(&page, "slotResize", Q_ARG(int, 1280), Q_ARG(int, 800), Q_ARG(int, 0));
    QTest::qWait(200);
}

void BoxPagesXvfbTest::informationPage()
{
    classInfo page;
    present(page);
    QCOMPARE(page.factoryValues().last()->text(), QStringLiteral("4F7K"));
    QCOMPARE(page.positionFields().first()->text(), QStringLiteral("Vitrine"));
    for (QLineEdit *field : page.ownerFields() + page.positionFields())
        QVERIFY2(field->height() >= field->fontMetrics().height(), qPrintable(field->text()));
    QVERIFY(saveScreenshot(&page, "screenshot-box-info.png"));
}

void BoxPagesXvfbTest::statusPage()
{
    classStatistiques page;
    present(page);
    page.checkButton()->click();
    QTest::qWait(100);
    // The check under way counts its seconds on the button, not cut.
    page.slotCheckProgress();
    QTest::qWait(50);
    QVERIFY(saveScreenshot(&page, "screenshot-box-status-checking.png"));
    QVERIFY2(page.checkButton()->width() >= page.checkButton()->sizeHint().width(),
             qPrintable(page.checkButton()->text()));
    page.slotStatusEstAJour();
    QTest::qWait(200);
    QVERIFY(saveScreenshot(&page, "screenshot-box-status.png"));
    QCOMPARE(page.statusTexts().at(2)->text(), QStringLiteral("Mise à jour effectuée."));
    QVERIFY(page.eventBox()->toPlainText().contains("<b>HDMI</b>"));
    for (QLabel *text : page.statusTexts())
        QVERIFY2(text->width() >= text->sizeHint().width(), qPrintable(text->text()));
    for (QPushButton *button : {page.checkButton(), page.commandButtons().first()})
        QVERIFY2(button->width() >= button->sizeHint().width(), qPrintable(button->text()));
}

QTEST_MAIN(BoxPagesXvfbTest)
#include "tst_boxpages_xvfb.moc"

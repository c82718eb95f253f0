#include "ModalAnswerer.h"
#include "PagesFixture.h"
#include "classTactile.h"

#include <QComboBox>
#include <QLabel>
#include <QSignalSpy>
#include <QToolButton>
#include <QtTest>

// The touch page: WEBAPPURL and WEBAPPTIMEOUT of the chosen screen.
class ClassTactileTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void saveWebApplication();
    void loadDropsTheRemainder_data();
    void loadDropsTheRemainder();
    void offClearsBothKeys();
    void resizeKeepsTheApplication();
    void refusedAddress_data();
    void refusedAddress();
    void backWritesNothing();

private:
    static QComboBox *kindList(classTactile &page) { return page.findChild<QComboBox *>("kindList"); }
    static QStringList fieldTexts(classTactile &page);
};

void ClassTactileTest::initTestCase()
{
    zoInitWidgetTest();
}

// Texts of the visible value fields: the address, then the delay.
QStringList ClassTactileTest::fieldTexts(classTactile &page)
{
    QStringList texts;
    for (QLabel *label : page.findChildren<QLabel *>()) {
        if (label->wordWrap() && !label->isHidden())
            texts.append(label->text());
    }
    return texts;
}

void ClassTactileTest::saveWebApplication()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", "|"}, {"WEBAPPURL", ""}, {"WEBAPPTIMEOUT", ""}}));
    classTactile page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("OFF"));
    QVERIFY(toolButton(page, "Adresse Web Application")->isHidden());
    kindList(page)->setCurrentText("WEB APPLICATION");
    QVERIFY(!toolButton(page, "Adresse Web Application")->isHidden());

    ModalAnswerer answerer;
    answerer.enterText("https://app.example/menu?table=4").enterText("30");
    toolButton(page, "Adresse Web Application")->click();
    toolButton(page, "Temps entre les info.(en s)")->click();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.texts(), (QStringList{"Entrer l'adresse:", "Entrer le délai (en s):"}));
    QSignalSpy pages(&page, &classTactile::signalButton);
    page.slotValider();
    QCOMPARE(fx.value("WEBAPPURL"), QStringLiteral("https://app.example/menu?table=4"));
    QCOMPARE(fx.value("WEBAPPTIMEOUT"), QStringLiteral("30000"));
    QCOMPARE(fx.value("SLIDETYPE"), QStringLiteral("|"));
    QCOMPARE(pages.count(), 1);
    QCOMPARE(pages.first().first().toInt(), 0);
}

void ClassTactileTest::loadDropsTheRemainder_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");

    QTest::newRow("2500 ms") << "2500" << "2";
    QTest::newRow("not a number") << "abc" << "0";
    QTest::newRow("absent key") << "NULL" << "0";
}

void ClassTactileTest::loadDropsTheRemainder()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    PagesFixture fx;
    ParamList values{{"SLIDETYPE", ""}, {"WEBAPPURL", "https://app.example"}};
    if (stored != "NULL")
        values.append({"WEBAPPTIMEOUT", stored});
    QVERIFY(fx.writePlayer(values));
    classTactile page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(3);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("WEB APPLICATION"));
    QCOMPARE(fieldTexts(page), (QStringList{"https://app.example", shown}));
}

void ClassTactileTest::offClearsBothKeys()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", ""}, {"WEBAPPURL", "https://app.example"}, {"WEBAPPTIMEOUT", "5000"}}));
    classTactile page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    kindList(page)->setCurrentText("OFF");
    QVERIFY(fieldTexts(page).isEmpty());
    page.slotValider();
    QCOMPARE(fx.value("WEBAPPURL"), QString());
    QCOMPARE(fx.value("WEBAPPTIMEOUT"), QString());
    page.slotUpdateWidget(0);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("OFF"));
}

void ClassTactileTest::resizeKeepsTheApplication()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", ""}, {"WEBAPPURL", "https://app.example"}, {"WEBAPPTIMEOUT", "5000"}}));
    classTactile page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    page.slotResize(1024, 720, -90);
    QCOMPARE(kindList(page)->currentText(), QStringLiteral("WEB APPLICATION"));
    QCOMPARE(fieldTexts(page).size(), 2);
    page.slotValider();
    QCOMPARE(fx.value("WEBAPPURL"), QStringLiteral("https://app.example"));
    QCOMPARE(fx.value("WEBAPPTIMEOUT"), QStringLiteral("5000"));
}

void ClassTactileTest::refusedAddress_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("pipe") << "https://a|b";
    QTest::newRow("quote") << "https://a\"b";
    QTest::newRow("carriage return") << "https://a\rb";
    QTest::newRow("line feed") << "https://a\nb";
}

void ClassTactileTest::refusedAddress()
{
    QFETCH(QString, typed);
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", ""}, {"WEBAPPURL", "https://app.example"}, {"WEBAPPTIMEOUT", "5000"}}));
    classTactile page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    ModalAnswerer answerer;
    answerer.enterText(typed).confirm();
    toolButton(page, "Adresse Web Application")->click();
    QVERIFY(answerer.done());
    QCOMPARE(answerer.classNames().last(), QStringLiteral("ClassBox"));
    QCOMPARE(fieldTexts(page).first(), QStringLiteral("https://app.example"));
    page.slotValider();
    QCOMPARE(fx.value("WEBAPPURL"), QStringLiteral("https://app.example"));
}

void ClassTactileTest::backWritesNothing()
{
    PagesFixture fx;
    QVERIFY(fx.writePlayer({{"SLIDETYPE", ""}, {"WEBAPPURL", ""}}));
    const QByteArray before = fx.playerBytes();
    classTactile page;
    page.slotResize(1280, 800, 0);
    page.slotUpdateWidget(0);
    kindList(page)->setCurrentText("WEB APPLICATION");
    QSignalSpy pages(&page, &classTactile::signalButton);
    page.slotAnnuler();
    QCOMPARE(fx.playerBytes(), before);
    QCOMPARE(pages.count(), 1);
}

QTEST_MAIN(ClassTactileTest)
#include "tst_classtactile.moc"

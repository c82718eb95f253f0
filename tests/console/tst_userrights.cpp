#include "ConsoleFixture.h"
#include "ModalAnswerer.h"
#include "UserRights.h"
#include "classPrincipal.h"

#include <QToolButton>
#include <QtTest>

// Which tool buttons a permission row grants, and the limits it sets.
class TestUserRights : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zoInitWidgetTest(); }
    void cleanup() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void cleanupTestCase() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }

    void rights_data();
    void rights();
    void panelFollowsTheRow();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
};

void TestUserRights::rights_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<bool>("localMode");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QString>("granted");
    QTest::addColumn<bool>("tactile");
    QTest::addColumn<int>("maxTime"); // -1: not set
    QTest::addColumn<int>("maxPosters");

    QTest::newRow("full row") << "1111111111111111;60;20" << false << "osx" << "1111111111111111" << true << 60
                              << 20;
    QTest::newRow("full row in local mode")
        << "1111111111111111;60;20" << true << "osx" << "1111111111110011" << false << 60 << 20;
    QTest::newRow("nothing granted") << "0000000000000000;5;3" << false << "osx" << "0000000000000000" << false << 5
                                     << 3;
    QTest::newRow("short row withholds missing flags")
        << "10" << false << "osx" << "1000000000000000" << true << -1 << -1;
    QTest::newRow("empty row grants nothing") << "" << false << "osx" << "0000000000000000" << false << -1 << -1;
    QTest::newRow("android hides Editer") << "1111111111111111;60;20" << false << "android" << "1111111111011111"
                                          << true << 60 << 20;
    QTest::newRow("extra flags ignored") << "11111111111111111111;10;2" << false << "osx" << "1111111111111111"
                                         << true << 10 << 2;
    QTest::newRow("only 1 grants") << "1x1 1O1Y0111111110;30;5" << false << "osx" << "1010101001111111" << true
                                   << 30 << 5;
    QTest::newRow("limits that are not numbers") << "0000000000000000;abc;" << false << "osx"
                                                 << "0000000000000000" << false << 0 << 0;
    QTest::newRow("negative limits") << "0000000000000000;-5;-1" << false << "osx" << "0000000000000000" << false
                                     << 0 << 0;
    QTest::newRow("flags without limits") << "1111111111111111" << false << "osx" << "1111111111111111" << true
                                          << -1 << -1;
}

void TestUserRights::rights()
{
    QFETCH(QString, row);
    QFETCH(bool, localMode);
    QFETCH(QString, product);
    QFETCH(QString, granted);
    QFETCH(bool, tactile);
    QFETCH(int, maxTime);
    QFETCH(int, maxPosters);

    const UserRights rights = UserRights::fromRow(row, localMode, product);
    QString seen;
    for (int i = 0; i < UserRights::ButtonCount; ++i)
        seen += rights.isGranted(i) ? QLatin1Char('1') : QLatin1Char('0');
    QCOMPARE(seen, granted);
    QCOMPARE(rights.showsTactile(), tactile);
    QCOMPARE(rights.hasMaxDisplayTime(), maxTime >= 0);
    QCOMPARE(rights.hasMaxPosters(), maxPosters >= 0);
    if (maxTime >= 0)
        QCOMPARE(rights.maxDisplayTime(), maxTime);
    if (maxPosters >= 0)
        QCOMPARE(rights.maxPosters(), maxPosters);
}

void TestUserRights::panelFollowsTheRow()
{
    WorkDirFixture work;
    QVERIFY(work.isValid());
    classPrincipal panel;
    stopStartup(&panel);

    const QList<QToolButton *> buttons = panel.rightsButtons();
    QCOMPARE(buttons.size(), 16);
    const QStringList captions{"Médiathèque", "Statistiques", "Informations", "Orientation", "Alimentation",
                               "Ajouter",     "Supprimer",    "Monter",       "Descendre",   "Renommer",
                               "Editer",      "Date/Heure",   "Réseaux",      "Spéciales",   "Visualiser",
                               "Déployer"};
    for (int i = 0; i < buttons.size(); ++i)
        QCOMPARE(buttons.at(i)->text(), captions.at(i));

    QToolButton *tactile = nullptr;
    for (QToolButton *button : panel.findChildren<QToolButton *>()) {
        if (button->text() == QLatin1String("Tactile"))
            tactile = button;
    }
    QVERIFY(tactile);
    QVERIFY(tactile->isHidden());

    panel.updateUserPermission(QStringLiteral("1111111111111111;45;7"));
    for (QToolButton *button : buttons)
        QVERIFY2(!button->isHidden(), qPrintable(button->text()));
    QVERIFY(!tactile->isHidden());
    QCOMPARE(panel.maxDisplayTime(), 45);
    QCOMPARE(panel.maxPosterCount(), 7);

    // A damaged row takes back what an earlier one granted, limits aside.
    panel.updateUserPermission(QStringLiteral("1"));
    QVERIFY(!buttons.first()->isHidden());
    for (int i = 1; i < buttons.size(); ++i)
        QVERIFY2(buttons.at(i)->isHidden(), qPrintable(buttons.at(i)->text()));
    QCOMPARE(panel.maxDisplayTime(), 45);
    QCOMPARE(panel.maxPosterCount(), 7);
}

QTEST_MAIN(TestUserRights)
#include "tst_userrights.moc"

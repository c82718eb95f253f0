// The two box pages in the top window on the demo account (local mode):
// choosing a screen loads the information page and clears the status page;
// "Vérifier" completes through the panel's STATUS download (wait scaled).
#include "../console/ConsoleFixture.h"
#include "AnimationStackedWidget.h"
#include "BoxFolderDownload.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "ZoManager.h"
#include "classInfo.h"
#include "classPrincipal.h"
#include "classStatistiques.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

class BoxPagesConsoleTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void cleanupTestCase();
    void chosenScreenFillsTheInformationPage();
    void checkCompletesThroughThePanel();
    void anotherScreenClearsTheStatusPage();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    QListWidget *list(const char *name) const { return m_panel->findChild<QListWidget *>(QLatin1String(name)); }
    void chooseScreen(int row);

    QTemporaryDir m_dir;
    QString m_work;
    QScopedPointer<ZoManager> m_window;
    classPrincipal *m_panel = nullptr;
    classInfo *m_info = nullptr;
    classStatistiques *m_status = nullptr;
};

void BoxPagesConsoleTest::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(qEnvironmentVariableIntValue("ZOMANAGER_TIME_SCALE") >= 50);
    m_work = m_dir.filePath("demo");
    QVERIFY(makeDemoAccount(m_work));
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_window.reset(new ZoManager);
    m_window->resize(1280, 800);
    m_window->show();
    m_panel = m_window->panel();
    QString box;
    QVERIFY2(waitPanelShown(m_panel, &box), qPrintable(box));
    m_info = m_window->findChild<classInfo *>();
    m_status = m_window->findChild<classStatistiques *>();
    QVERIFY(m_info && m_status);
}

void BoxPagesConsoleTest::cleanupTestCase()
{
    QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | ")));
    m_window.reset();
    qunsetenv("ZOMANAGER_WORKDIR");
}

void BoxPagesConsoleTest::chooseScreen(int row)
{
    {
        const QSignalBlocker blocker(list("screensList"));
        list("screensList")->setCurrentRow(-1);
    }
    list("screensList")->setCurrentRow(row);
    QTRY_VERIFY(!m_panel->boxDownload()->running());
    QTRY_VERIFY(list("posterList")->count() > 0 && !m_panel->messageOverlay()->isVisible());
}

void BoxPagesConsoleTest::chosenScreenFillsTheInformationPage()
{
    chooseScreen(0);
    const QString serial = m_info->factoryValues().at(2)->text();
    QVERIFY2(QFileInfo::exists(m_work + "/server/zolink/zobox/zo_demo/" + serial + "/BOX.orvex"), qPrintable(serial));
    QCOMPARE(m_info->factoryValues().at(0)->text(), QStringLiteral("Orvex"));
    QCOMPARE(m_info->ownerFields().at(0)->text(), QStringLiteral("Brasserie du Port"));
    QCOMPARE(m_info->positionFields().at(10)->text(), QStringLiteral("3.8767"));
}

void BoxPagesConsoleTest::checkCompletesThroughThePanel()
{
    QSignalSpy commands(m_status, &classStatistiques::signalCommandZobox);
    m_status->checkButton()->click();
    QCOMPARE(commands.count(), 1);
    QCOMPARE(commands.first().first().toString(), QStringLiteral("UPLOADEVENTS"));
    QVERIFY(m_status->waiting());
    // The panel's STATUS download waits 60 s (scaled), then fetches.
    QTRY_VERIFY_WITH_TIMEOUT(!m_status->waiting(), 15000);
    QVERIFY(m_status->checkButton()->text().startsWith("Vérifié le "));
    QCOMPARE(m_status->statusTexts().at(2)->text(), QStringLiteral("Mise à jour effectuée."));
    QCOMPARE(m_status->factoryValues().at(2)->text(), m_info->factoryValues().at(2)->text());
    QVERIFY(m_status->eventBox()->toPlainText().contains("Démarrage du boîtier"));
}

void BoxPagesConsoleTest::anotherScreenClearsTheStatusPage()
{
    const QString first = m_info->factoryValues().at(2)->text();
    chooseScreen(1);
    QVERIFY(m_info->factoryValues().at(2)->text() != first);
    QCOMPARE(m_status->factoryValues().at(2)->text(), QString());
    QCOMPARE(m_status->statusTexts().at(2)->text(), QString());
    QCOMPARE(m_status->eventBox()->toPlainText(), QString());
    QCOMPARE(m_status->checkButton()->text(), QStringLiteral("Vérifier"));
}

QTEST_MAIN(BoxPagesConsoleTest)
#include "tst_boxpages_console.moc"

#include "ConsoleFixture.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "PanelMetrics.h"
#include "QProgressIndicator.h"
#include "QRoundProgressBar.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

// The message band: text with one or two round bars, a spinner, or alone.
class TestMessageOverlay : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { zoInitWidgetTest(); }
    void cleanupTestCase() { QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | "))); }
    void init();
    void cleanup();

    void arrangement_data();
    void arrangement();
    void progressSequence();
    void offHidesEverything();
    void geometryFollowsThePanel();
    void panelCancelHidesTheBand();

private:
    // Boxes that no step expects: cancelled, their text fails the test.
    ModalAnswerer m_boxes;
    int mainLabelColumnSpan() const;

    QWidget *m_host = nullptr;
    QLabel *m_dimming = nullptr;
    MessageOverlay *m_overlay = nullptr;
};

void TestMessageOverlay::init()
{
    m_host = new QWidget;
    m_host->resize(1280, 720);
    m_dimming = new QLabel(m_host);
    m_dimming->hide();
    m_overlay = new MessageOverlay(m_dimming, m_host);
    m_overlay->relayout(PanelMetrics(1280, 720, 1.0f));
    m_host->show();
}

void TestMessageOverlay::cleanup()
{
    QVERIFY2(m_boxes.done(), qPrintable(m_boxes.texts().join(" | ")));
    delete m_host;
}

int TestMessageOverlay::mainLabelColumnSpan() const
{
    QGridLayout *grid = m_overlay->progressGrid();
    int row = 0, column = 0, rowSpan = 0, columnSpan = 0;
    grid->getItemPosition(grid->indexOf(m_overlay->mainLabel()), &row, &column, &rowSpan, &columnSpan);
    return columnSpan;
}

void TestMessageOverlay::arrangement_data()
{
    QTest::addColumn<double>("overall");
    QTest::addColumn<double>("file");
    QTest::addColumn<bool>("progress");
    QTest::addColumn<bool>("busy");
    QTest::addColumn<bool>("fileBar");
    QTest::addColumn<bool>("overallBar");
    QTest::addColumn<bool>("spinner");
    QTest::addColumn<bool>("mainLabel");
    QTest::addColumn<int>("mainSpan");

    QTest::newRow("busy") << 0.0 << 0.0 << false << true << false << false << true << true << 1;
    QTest::newRow("text only") << 0.0 << 0.0 << false << false << false << false << false << true << 2;
    QTest::newRow("one bar") << 0.0 << 40.0 << true << true << true << false << false << true << 1;
    QTest::newRow("two bars") << 25.0 << 60.0 << true << true << true << true << false << false << 1;
}

void TestMessageOverlay::arrangement()
{
    QFETCH(double, overall);
    QFETCH(double, file);
    QFETCH(bool, progress);
    QFETCH(bool, busy);
    QFETCH(bool, fileBar);
    QFETCH(bool, overallBar);
    QFETCH(bool, spinner);
    QFETCH(bool, mainLabel);
    QFETCH(int, mainSpan);

    const QString text = QStringLiteral("Connexion en cours...");
    m_overlay->showMessage(text, overall, file, progress, busy);

    QVERIFY(m_overlay->isVisible());
    QVERIFY(m_dimming->isVisible());
    QCOMPARE(m_overlay->fileBar()->isVisible(), fileBar);
    QCOMPARE(m_overlay->overallBar()->isVisible(), overallBar);
    QCOMPARE(m_overlay->spinner()->isVisible(), spinner);
    QCOMPARE(m_overlay->spinner()->isAnimated(), spinner);
    QCOMPARE(m_overlay->mainLabel()->isVisible(), mainLabel);
    QCOMPARE(m_overlay->secondLabel()->isVisible(), !mainLabel);
    QCOMPARE(mainLabelColumnSpan(), mainSpan);
    QCOMPARE(m_overlay->mainLabel()->text(), text);
    QCOMPARE(m_overlay->secondLabel()->text(), text);
    if (fileBar)
        QCOMPARE(m_overlay->fileBar()->value(), file);
    if (overallBar)
        QCOMPARE(m_overlay->overallBar()->value(), overall);
    // No operation offers to cancel.
    QVERIFY(m_overlay->cancelButton()->isHidden());
    QTest::qWait(20);
    const QString tag = QString::fromLatin1(QTest::currentDataTag()).replace(QLatin1Char(' '), QLatin1Char('-'));
    saveScreenshot(m_host, QStringLiteral("console-overlay-%1.png").arg(tag));
}

void TestMessageOverlay::progressSequence()
{
    m_overlay->showMessage(QStringLiteral("Envoi du fichier a.jpg..."), 0, 40, true, true);
    QCOMPARE(m_overlay->fileBar()->value(), 40.0);
    QVERIFY(!m_overlay->overallBar()->isVisible());

    m_overlay->showMessage(QStringLiteral("Envoi du fichier b.jpg...(Reste 2 Fichier(s))"), 25, 60, true, true);
    QCOMPARE(m_overlay->overallBar()->value(), 25.0);
    QCOMPARE(m_overlay->fileBar()->value(), 60.0);
    QVERIFY(m_overlay->secondLabel()->isVisible());

    // A call without a file value keeps the bar where it was.
    m_overlay->showMessage(QStringLiteral("Envoi du fichier b.jpg..."), 0, 0, true, true);
    QCOMPARE(m_overlay->fileBar()->value(), 60.0);
    QVERIFY(!m_overlay->overallBar()->isVisible());
    QVERIFY(m_overlay->mainLabel()->isVisible());
}

void TestMessageOverlay::offHidesEverything()
{
    m_overlay->showMessage(QStringLiteral("Déploiement"), 25, 60, true, true);
    m_overlay->titleLabel()->show();
    m_overlay->deployIcon()->show();
    m_overlay->cancelButton()->show();

    m_overlay->hideMessage();
    QVERIFY(!m_overlay->isVisible());
    QVERIFY(!m_dimming->isVisible());
    QVERIFY(m_overlay->cancelButton()->isHidden());
    QVERIFY(m_overlay->titleLabel()->isHidden());
    QVERIFY(m_overlay->deployIcon()->isHidden());

    // The next call builds its arrangement from its own arguments only.
    m_overlay->showMessage(QStringLiteral("Démarrage du programme..."), 0, 0, false, false);
    QVERIFY(!m_overlay->fileBar()->isVisible());
    QVERIFY(!m_overlay->overallBar()->isVisible());
    QVERIFY(!m_overlay->spinner()->isVisible());
    QVERIFY(m_overlay->mainLabel()->isVisible());
    QCOMPARE(mainLabelColumnSpan(), 2);
}

void TestMessageOverlay::geometryFollowsThePanel()
{
    m_overlay->relayout(PanelMetrics(1920, 1080, 1.0f));
    QCOMPARE(m_overlay->geometry(), QRect(0, 360, 1920, 360));
    QCOMPARE(m_overlay->fileBar()->size(), QSize(180, 180));
    QCOMPARE(m_overlay->overallBar()->outlinePenWidth(), 36.0);
    QCOMPARE(m_overlay->overallBar()->dataPenWidth(), 15.0);
    QCOMPARE(m_overlay->mainLabel()->font().pointSize(), 19);
}

void TestMessageOverlay::panelCancelHidesTheBand()
{
    WorkDirFixture work;
    QVERIFY(work.isValid());
    classPrincipal panel;
    stopStartup(&panel);
    panel.show();

    panel.MessageOnlyON(QStringLiteral("Connexion en cours..."), 0, 0, false, true);
    QVERIFY(panel.messageOverlay()->isVisible());
    panel.messageOverlay()->cancelButton()->show();
    panel.messageOverlay()->cancelButton()->click();
    QVERIFY(!panel.messageOverlay()->isVisible());
    QVERIFY(panel.messageOverlay()->cancelButton()->isHidden());
}

QTEST_MAIN(TestMessageOverlay)
#include "tst_messageoverlay.moc"

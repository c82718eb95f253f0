#include "../console/ConsoleFixture.h"
#include "PagesFixture.h"
#include "AnimationStackedWidget.h"
#include "ClassParam.h"
#include "ModalAnswerer.h"
#include "PosterPanel.h"
#include "ZoManager.h"
#include "ZoScreenshot.h"
#include "classPrincipal.h"
#include "classReseaux.h"
#include "classVersion.h"
#include "classWidget.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

// The demo account in the real window: a screen is chosen, its second
// poster published on the publication page and turned into a clock on the
// widget page;
// the box's poster list file and share picture say so.
class PagesConsoleXvfbTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void publishAndWidgetFromThePanel();

private:
    // A key of the chosen screen's poster list file, read as the box will.
    QString stored(const QString &key) const;
    void openPage(int code, int index);

    QTemporaryDir m_dir;
    QString m_work;
    std::unique_ptr<ZoManager> m_window;
};

void PagesConsoleXvfbTest::initTestCase()
{
    zoInitWidgetTest();
    Q_INIT_RESOURCE(qml);
    QVERIFY(m_dir.isValid());
    m_work = m_dir.filePath(QStringLiteral("demo"));
    QVERIFY(makeDemoAccount(m_work));
}

QString PagesConsoleXvfbTest::stored(const QString &key) const
{
    ClassParam param;
    return param.getParamCrypt(m_work + QStringLiteral("/DATA/PLAYER.orvex"), key, 1);
}

void PagesConsoleXvfbTest::openPage(int code, int index)
{
    // The local-mode demo hides "Réseaux" and "Spéciales": send their codes.
    m_window->slotButtons(code);
    QTRY_COMPARE(m_window->stack()->currentIndex(), index);
    QTRY_VERIFY(!m_window->stack()->isSliding());
}

void PagesConsoleXvfbTest::publishAndWidgetFromThePanel()
{
    qputenv("ZOMANAGER_WORKDIR", m_work.toLocal8Bit());
    m_window.reset(new ZoManager);
    m_window->resize(1280, 800);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    classPrincipal *panel = m_window->panel();
    auto *panelStack = panel->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY_WITH_TIMEOUT(panelStack && panelStack->isVisible(), 30000);

    auto *screens = panel->findChild<QListWidget *>(QStringLiteral("screensList"));
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
    screens->setCurrentRow(0);
    const QString serial = screens->currentItem()->text();
    QTRY_COMPARE_WITH_TIMEOUT(posters->count(), 3, 10000);
    QTRY_VERIFY(!panelStack->isSliding());
    PosterPanel *p = panel->posterPanel();
    posters->setCurrentRow(1);
    QTRY_VERIFY(!p->selectionPending());

    openPage(8, 8);
    auto *reseaux = m_window->findChild<classReseaux *>();
    const QString link = classVersion().NomDeDomaine() + "zobox/zo_demo/LINKS/" + serial + "/index.html";
    QCOMPARE(reseaux->findChild<QComboBox *>("posterChoice")->count(), 3);
    QCOMPARE(reseaux->findChild<QTextEdit *>("linkBox")->toPlainText(), link);
    reseaux->findChild<QComboBox *>("posterChoice")->setCurrentIndex(1);
    QTest::mouseClick(toolButton(*reseaux, "Site web"), Qt::LeftButton);
    QTest::qWait(300);
    QVERIFY(saveScreenshot(m_window.get(), QStringLiteral("pages-console-reseaux.png")));
    QTest::mouseClick(reseaux->findChild<QPushButton *>("valider"), Qt::LeftButton);
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);
    QCOMPARE(stored("NETWORK"), QStringLiteral("SiteWeb|"));
    QCOMPARE(stored("WEBSITE"), QStringLiteral("1"));
    QCOMPARE(stored("LINKSITE"), link);
    QCOMPARE(QImage(m_work + "/LINKS/Picture.png").size(), QSize(1920, 1080));

    QTRY_VERIFY(!m_window->stack()->isSliding());
    openPage(11, 9);
    auto *widget = m_window->findChild<classWidget *>();
    widget->findChild<QComboBox *>("kindList")->setCurrentText("HORLOGE");
    QTest::mouseClick(widget->findChild<QPushButton *>("valider"), Qt::LeftButton);
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);
    QCOMPARE(stored("SLIDETYPE").split('|').value(1), QStringLiteral("WIDGETHEURE"));
    QCOMPARE(stored("SLIDETYPE").split('|').size(), 3);
}

QTEST_MAIN(PagesConsoleXvfbTest)
#include "tst_pages_console_xvfb.moc"

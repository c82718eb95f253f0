#include "../console/DemoWindow.h"
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

    DemoWindow m_demo;
    QString m_work;
    ZoManager *m_window = nullptr;
};

void PagesConsoleXvfbTest::initTestCase()
{
    QVERIFY(m_demo.prepare());
    m_work = m_demo.work();
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
    QVERIFY(m_demo.showFirstScreen());
    m_window = m_demo.window();
    classPrincipal *panel = m_window->panel();
    const QString serial = panel->findChild<QListWidget *>(QStringLiteral("screensList"))->currentItem()->text();
    auto *posters = panel->findChild<QListWidget *>(QStringLiteral("posterList"));
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
    QVERIFY(saveScreenshot(m_window, QStringLiteral("pages-console-reseaux.png")));
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

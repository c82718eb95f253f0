#include "AnimationStackedWidget.h"
#include "DemoWindow.h"
#include "AccountDeployment.h"
#include "MessageOverlay.h"
#include "ModalAnswerer.h"
#include "ZoScreenshot.h"

#include <QLabel>
#include <QScreen>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>

// The top window on the demo account as the user sees it once a screen was
// chosen: why "Ajouter un Ecran" is grey, and what the panel still names
// after a rename and after a change of category.
class TestPanelLookXvfb : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void addScreenTooltip();
    void renameThenOtherCategory();

private:
    QToolButton *button(const QString &text) const;
    QLabel *notice() const { return m_demo.window()->panel()->findChild<QLabel *>(QStringLiteral("noticeLabel")); }
    void settle() const;

    DemoWindow m_demo;
};

void TestPanelLookXvfb::initTestCase()
{
    QVERIFY(m_demo.prepare());
    QVERIFY(m_demo.showFirstScreen());
}

QToolButton *TestPanelLookXvfb::button(const QString &text) const
{
    for (QToolButton *b : m_demo.window()->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text && b->isVisible())
            return b;
    }
    return nullptr;
}

void TestPanelLookXvfb::settle() const
{
    auto *stack = m_demo.window()->panel()->findChild<AnimationStackedWidget *>(QStringLiteral("panelStack"));
    QTRY_VERIFY(!stack->isSliding());
    QTest::qWait(300);
}

void TestPanelLookXvfb::addScreenTooltip()
{
    // Back to the screens: the button shows, grey, and says why.
    m_demo.window()->panel()->slotSwitch();
    settle();
    QToolButton *add = button(QStringLiteral("Ajouter un Ecran"));
    QVERIFY(add);
    QVERIFY(!add->isEnabled());
    QToolTip::showText(add->mapToGlobal(add->rect().center()), add->toolTip(), add);
    QTRY_VERIFY(QToolTip::isVisible());
    QTest::qWait(200);
    const QPixmap screen = QGuiApplication::primaryScreen()->grabWindow(0);
    const QString dir = qEnvironmentVariable("ZO_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(screen.save(QDir(dir).filePath(QStringLiteral("panel-add-tooltip.png")), "PNG"));
    QVERIFY(QToolTip::text().contains(QStringLiteral("redémarrez")));
    QToolTip::hideText();
}

void TestPanelLookXvfb::renameThenOtherCategory()
{
    ModalAnswerer answerer;
    answerer.enterText(QStringLiteral("Hall principal"));
    button(QStringLiteral("Renommer un Ecran"))->click();
    QVERIFY(answerer.waitUntilDone());
    // The login file goes to the server; a closing box, if any, is dismissed.
    ModalAnswerer closing;
    classPrincipal *panel = m_demo.window()->panel();
    QTRY_VERIFY_WITH_TIMEOUT(!panel->accountDeployment()->running() && !panel->messageOverlay()->isVisible(), 20000);
    settle();
    QVERIFY(saveScreenshot(m_demo.window(), QStringLiteral("panel-after-rename.png")));
    QCOMPARE(notice()->text(), QString());
    QVERIFY(!button(QStringLiteral("Renommer un Ecran"))->isEnabled());

    auto *groups = m_demo.window()->panel()->findChild<QListWidget *>(QStringLiteral("groupList"));
    groups->setCurrentRow(1);
    settle();
    QVERIFY(saveScreenshot(m_demo.window(), QStringLiteral("panel-other-category.png")));
    QCOMPARE(notice()->text(), QString());
}

QTEST_MAIN(TestPanelLookXvfb)
#include "tst_panellook_xvfb.moc"

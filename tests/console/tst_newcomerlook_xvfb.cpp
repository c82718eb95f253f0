#include "AnimationStackedWidget.h"
#include "ConsoleFixture.h"
#include "ContrastRatio.h"
#include "DemoWindow.h"
#include "ModalAnswerer.h"
#include "TextEditSimple.h"
#include "TextFormatBar.h"
#include "ZoManager.h"
#include "ZoPlayer.h"
#include "ZoScreenshot.h"
#include "classInfo.h"
#include "classPrincipal.h"

#include <QCalendarWidget>
#include <QDateEdit>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>
#include <QtTest>

#include <cmath>

// The demo account at the screen sizes of a newcomer's laptop: the text
// editor's poster area under its tool bar, the information page's values
// from their start, the preview's date picker readable. Leaves
// newcomer-{editor,info,calendar}-<size>.png.
class TestNewcomerLook : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pages_data();
    void pages();
    void openerHighlightedAfterItsPageClosed();

private:
    QToolButton *panelButton(const QString &text) const;
    void open(const QString &buttonText, QWidget *page);
    void back();
    void editor(const QString &suffix);
    void information(const QString &suffix);
    void calendar(const QString &suffix);

    DemoWindow m_demo;
    ZoManager *m_window = nullptr;
};

void TestNewcomerLook::initTestCase()
{
    QVERIFY(m_demo.prepare());
    QVERIFY(m_demo.showFirstScreen());
    m_window = m_demo.window();
}

QToolButton *TestNewcomerLook::panelButton(const QString &text) const
{
    for (QToolButton *b : m_window->panel()->findChildren<QToolButton *>()) {
        if (b->text() == text && b->isVisible())
            return b;
    }
    return nullptr;
}

void TestNewcomerLook::open(const QString &buttonText, QWidget *page)
{
    QToolButton *b = panelButton(buttonText);
    QVERIFY2(b, qPrintable(buttonText));
    QTRY_VERIFY(b->isEnabled());
    AnimationStackedWidget *stack = m_window->stack();
    QTRY_VERIFY(stack->currentIndex() == 0 && !stack->isSliding());
    QTest::mouseClick(b, Qt::LeftButton);
    QTRY_COMPARE(stack->currentWidget(), page);
    QTRY_VERIFY(!stack->isSliding());
    QTest::qWait(300);
}

void TestNewcomerLook::back()
{
    QTRY_COMPARE(m_window->stack()->currentIndex(), 0);
    QTRY_VERIFY(!m_window->stack()->isSliding());
}

void TestNewcomerLook::pages_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("1280x720") << QSize(1280, 720);
    QTest::newRow("1366x768") << QSize(1366, 768);
}

void TestNewcomerLook::pages()
{
    QFETCH(QSize, size);
    QTRY_VERIFY(!m_window->stack()->isSliding());
    m_window->resize(size);
    QTRY_COMPARE(m_window->size(), size);
    QTest::qWait(1500); // the panel relays out once the burst of resizes ends
    const QString suffix = QStringLiteral("-%1x%2.png").arg(size.width()).arg(size.height());
    editor(suffix);
    information(suffix);
    calendar(suffix);
}

// The information page's "Retour" lies where "Informations" was: clicked
// without a move, the page slid away and left "Informations" highlighted
// under the still pointer, as if its page were still shown.
void TestNewcomerLook::openerHighlightedAfterItsPageClosed()
{
    auto *page = m_window->findChild<classInfo *>();
    QToolButton *opener = panelButton(QStringLiteral("Informations"));
    QVERIFY(opener);
    QTRY_VERIFY(opener->isEnabled() && !m_window->stack()->isSliding());
    QTest::mouseMove(opener);
    QTRY_VERIFY(opener->underMouse());
    open(QStringLiteral("Informations"), page);
    auto *retour = page->findChild<QPushButton *>(QStringLiteral("retour"));
    QVERIFY(retour);
    QCOMPARE(QApplication::widgetAt(QCursor::pos()), retour);
    QTest::mouseClick(retour, Qt::LeftButton, {}, retour->mapFromGlobal(QCursor::pos()));
    back();
    QTest::qWait(300);
    QVERIFY(!opener->underMouse());

    // The pointer moved onto it again: highlighted as any button.
    QTest::mouseMove(m_window, QPoint(5, 5));
    QTest::mouseMove(opener);
    QTRY_VERIFY(opener->underMouse());
}

void TestNewcomerLook::editor(const QString &suffix)
{
    auto *page = m_window->findChild<TextEditSimple *>();
    open(QStringLiteral("Editer"), page);
    QVERIFY(!page->isModified());

    QTextEdit *area = page->textArea();
    const QRect window = m_window->rect();
    const QRect placed(area->mapTo(m_window, QPoint(0, 0)), area->size());
    QVERIFY2(window.contains(placed), qPrintable(QStringLiteral("area %1,%2 %3x%4").arg(placed.x()).arg(placed.y())
                                                     .arg(placed.width()).arg(placed.height())));
    QVERIFY(placed.top() >= page->formatBar()->mapTo(m_window, QPoint(0, 0)).y() + page->formatBar()->height());

    // Down to the bottom strip of the poster, as a user writes a footer.
    QTest::mouseClick(area->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    QTest::keyClicks(area, QStringLiteral("Soldes d'hiver"));
    QRect caret;
    for (int line = 0; line < 200; ++line) {
        QTest::keyClick(area, Qt::Key_Return);
        caret = QRect(area->viewport()->mapTo(m_window, area->cursorRect().topLeft()), area->cursorRect().size());
        if (caret.bottom() + caret.height() > placed.bottom())
            break;
    }
    QTest::keyClicks(area, QStringLiteral("Jusqu'au 31 janvier, 12 quai de la Fontaine"));
    caret = QRect(area->viewport()->mapTo(m_window, area->cursorRect().topLeft()), area->cursorRect().size());
    QVERIFY2(window.contains(caret) && placed.contains(caret), qPrintable(QStringLiteral("caret at %1").arg(caret.y())));
    QVERIFY(saveScreenshot(m_window, QStringLiteral("newcomer-editor") + suffix));

    // Typed: leaving asks, and "Oui" leaves without saving.
    ModalAnswerer question;
    question.confirm();
    TextFormatBar *bar = page->formatBar();
    QTest::mouseClick(bar->widgetForAction(bar->quitAction()), Qt::LeftButton);
    QVERIFY(question.waitUntilDone());
    QCOMPARE(question.texts(), QStringList{QStringLiteral("Etes-vous sûrs de vouloir quitter?")});
    back();
}

void TestNewcomerLook::information(const QString &suffix)
{
    auto *page = m_window->findChild<classInfo *>();
    open(QStringLiteral("Informations"), page);
    QStringList cut;
    for (QLineEdit *field : page->ownerFields() + page->positionFields()) {
        if (field->cursorPosition() != 0)
            cut << field->text();
    }
    QCOMPARE(cut, QStringList());
    // A value wider than its field is whole in the field's tooltip.
    QStringList unreadable;
    for (QLineEdit *field : page->ownerFields() + page->positionFields()) {
        if (field->fontMetrics().horizontalAdvance(field->text()) >= field->width() && field->toolTip() != field->text())
            unreadable << field->text();
    }
    QCOMPARE(unreadable, QStringList());
    QVERIFY(saveScreenshot(m_window, QStringLiteral("newcomer-info") + suffix));
    page->slotAnnuler();
    back();
}

void TestNewcomerLook::calendar(const QString &suffix)
{
    auto *player = m_window->findChild<ZoPlayer *>();
    open(QStringLiteral("Visualiser"), player);
    auto *date = player->findChild<QDateEdit *>(QStringLiteral("playerDate"));
    QVERIFY(date);
    // The arrow at the right end of the field opens the pop-up.
    QTest::mouseClick(date, Qt::LeftButton, {}, QPoint(date->width() - 12, date->height() / 2));
    QCalendarWidget *calendar = date->calendarWidget();
    QWidget *popup = calendar->window();
    QTRY_VERIFY(popup->isVisible());
    QTest::qWait(200);
    // Measured on the pop-up as drawn: a button grabbed alone has no ground.
    const QImage drawn = popup->grab().toImage();
    for (const char *name : {"qt_calendar_monthbutton", "qt_calendar_yearbutton"}) {
        auto *button = calendar->findChild<QToolButton *>(QLatin1String(name));
        QVERIFY2(button && button->isVisible(), name);
        const QRect area(button->mapTo(popup, QPoint(0, 0)), button->size());
        const double ratio = ContrastRatio::text(drawn, area);
        QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 \"%2\": %3:1").arg(name, button->text()).arg(ratio)));
    }
    // The window with the pop-up where the user sees it.
    QImage shot = m_window->grab().toImage();
    QPainter painter(&shot);
    painter.drawPixmap(popup->geometry().topLeft() - m_window->geometry().topLeft(), popup->grab());
    painter.end();
    const QString dir = qEnvironmentVariable("ZO_SCREENSHOT_DIR");
    if (!dir.isEmpty())
        QVERIFY(shot.save(QDir(dir).filePath(QStringLiteral("newcomer-calendar") + suffix)));
    QTest::keyClick(calendar, Qt::Key_Escape);
    QTRY_VERIFY(!popup->isVisible());
    player->slotQuitter();
    back();
}

QTEST_MAIN(TestNewcomerLook)
#include "tst_newcomerlook_xvfb.moc"

#include "AnimationStackedWidget.h"

#include <QLabel>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

// Sliding page stack: direction of each slide, the index it ends on, calls
// ignored while sliding, and the clean-up of the page that was left.
class AnimationStackedWidgetTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void slide_data();
    void slide();
    void callsDuringSlideAreDropped();
    void currentPageDoesNotBlock();
    void outOfRangeIsIgnored_data();
    void outOfRangeIsIgnored();

private:
    void jumpTo(int index);

    std::unique_ptr<AnimationStackedWidget> m_stack;
};

void AnimationStackedWidgetTest::init()
{
    m_stack.reset(new AnimationStackedWidget);
    for (int i = 0; i < 4; ++i)
        m_stack->addWidget(new QLabel(QStringLiteral("Page %1").arg(i)));
    m_stack->resize(400, 300);
    m_stack->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_stack.get()));
}

void AnimationStackedWidgetTest::cleanup()
{
    m_stack.reset();
}

void AnimationStackedWidgetTest::jumpTo(int index)
{
    m_stack->setCurrentIndex(index);
    m_stack->widget(index)->move(0, 0);
}

void AnimationStackedWidgetTest::slide_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("direction");
    QTest::addColumn<int>("entersFrom"); // +1 from the right, -1 from the left

    QTest::newRow("automatic, forward") << 0 << 2 << 2 << 1;
    QTest::newRow("explicit 1 from page 0") << 0 << 2 << 1 << 1;
    QTest::newRow("automatic, backward") << 2 << 0 << 2 << -1;
    QTest::newRow("explicit 0 from page 2") << 2 << 0 << 0 << -1;
    QTest::newRow("forced from the left going forward") << 1 << 3 << 0 << -1;
    QTest::newRow("unknown direction is automatic") << 3 << 1 << 7 << -1;
}

void AnimationStackedWidgetTest::slide()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, direction);
    QFETCH(int, entersFrom);

    jumpTo(from);
    QSignalSpy changed(m_stack.get(), &QStackedWidget::currentChanged);
    QWidget *leaving = m_stack->widget(from);
    QWidget *entering = m_stack->widget(to);

    m_stack->slideIndex(to, AnimationStackedWidget::t_direction(direction));
    QVERIFY(m_stack->isSliding());
    // The index changes at the end of the slide, not at its start.
    QCOMPARE(m_stack->currentIndex(), from);
    QVERIFY(entering->isVisible());
    QCOMPARE(entering->x() > 0 ? 1 : -1, entersFrom);

    QTest::qWait(100);
    QCOMPARE(leaving->x() > 0 ? 1 : -1, -entersFrom);
    QVERIFY(qAbs(entering->x()) < m_stack->width());

    QTRY_VERIFY_WITH_TIMEOUT(!m_stack->isSliding(), 2000);
    QCOMPARE(m_stack->currentIndex(), to);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(entering->pos(), QPoint(0, 0));
    QVERIFY(leaving->isHidden());
    QCOMPARE(leaving->pos(), QPoint(0, 0));
}

void AnimationStackedWidgetTest::callsDuringSlideAreDropped()
{
    m_stack->slideIndex(1);
    m_stack->slideIndex(3);
    m_stack->slideIndex(0);
    QTRY_VERIFY_WITH_TIMEOUT(!m_stack->isSliding(), 2000);
    QCOMPARE(m_stack->currentIndex(), 1);

    // Not queued: the stack stays where the first slide ended.
    QTest::qWait(600);
    QCOMPARE(m_stack->currentIndex(), 1);

    m_stack->slideIndex(3);
    QTRY_VERIFY_WITH_TIMEOUT(!m_stack->isSliding(), 2000);
    QCOMPARE(m_stack->currentIndex(), 3);
}

void AnimationStackedWidgetTest::currentPageDoesNotBlock()
{
    QSignalSpy changed(m_stack.get(), &QStackedWidget::currentChanged);
    m_stack->slideIndex(0);
    QVERIFY(!m_stack->isSliding());
    QCOMPARE(m_stack->widget(0)->pos(), QPoint(0, 0));
    m_stack->slideIndex(2);
    QVERIFY(m_stack->isSliding());
    QTRY_VERIFY_WITH_TIMEOUT(!m_stack->isSliding(), 2000);
    QCOMPARE(m_stack->currentIndex(), 2);
    QCOMPARE(changed.count(), 1);
}

void AnimationStackedWidgetTest::outOfRangeIsIgnored_data()
{
    QTest::addColumn<int>("index");

    QTest::newRow("past the last page") << 4;
    QTest::newRow("negative") << -1;
}

void AnimationStackedWidgetTest::outOfRangeIsIgnored()
{
    QFETCH(int, index);

    m_stack->slideIndex(index);
    QVERIFY(!m_stack->isSliding());
    QCOMPARE(m_stack->currentIndex(), 0);
    m_stack->slideIndex(1);
    QTRY_VERIFY_WITH_TIMEOUT(!m_stack->isSliding(), 2000);
    QCOMPARE(m_stack->currentIndex(), 1);
}

QTEST_MAIN(AnimationStackedWidgetTest)
#include "tst_animationstackedwidget.moc"

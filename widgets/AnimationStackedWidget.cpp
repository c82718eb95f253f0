#include "AnimationStackedWidget.h"

#include <QCursor>
#include <QEasingCurve>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

namespace {
const int kSlideMs = 500;
}

AnimationStackedWidget::AnimationStackedWidget(QWidget *parent)
    : QStackedWidget(parent)
{
}

AnimationStackedWidget::~AnimationStackedWidget() = default;

void AnimationStackedWidget::slideIndex(int idx, t_direction direction)
{
    if (m_active)
        return;
    const int now = currentIndex();
    if (idx == now || idx < 0 || idx >= count() || !widget(now))
        return;
    m_active = true;

    if (direction != LEFT2RIGHT && direction != RIGHT2LEFT)
        direction = now < idx ? RIGHT2LEFT : LEFT2RIGHT;

    const int w = frameRect().width();
    const int h = frameRect().height();
    QWidget *nextPage = widget(idx);
    QWidget *nowPage = widget(now);
    nextPage->setGeometry(0, 0, w, h);

    const int dx = direction == LEFT2RIGHT ? w : -w;
    const QPoint pnext = nextPage->pos();
    const QPoint pnow = nowPage->pos();
    m_pnow = pnow;

    nextPage->move(pnext.x() - dx, pnext.y());
    nextPage->show();
    nextPage->raise();

    auto *animNow = new QPropertyAnimation(nowPage, "pos");
    animNow->setDuration(kSlideMs);
    animNow->setEasingCurve(QEasingCurve::OutExpo);
    animNow->setStartValue(pnow);
    animNow->setEndValue(QPoint(pnow.x() + dx, pnow.y()));

    auto *animNext = new QPropertyAnimation(nextPage, "pos");
    animNext->setDuration(kSlideMs);
    animNext->setEasingCurve(QEasingCurve::OutExpo);
    animNext->setStartValue(QPoint(pnext.x() - dx, pnext.y()));
    animNext->setEndValue(pnext);

    auto *group = new QParallelAnimationGroup(this);
    group->addAnimation(animNow);
    group->addAnimation(animNext);
    connect(group, &QParallelAnimationGroup::finished, this, &AnimationStackedWidget::animationDoneSlot);

    m_next = idx;
    m_now = now;
    m_pointerAtStart = QCursor::pos();
    group->start(QAbstractAnimation::DeleteWhenStopped);
}

void AnimationStackedWidget::animationDoneSlot()
{
    setCurrentIndex(m_next);
    if (QWidget *left = widget(m_now)) {
        left->hide();
        left->move(m_pnow);
    }
    // The page slid in under a pointer that did not move: the button that
    // lies there was not pointed at, so it shows no hover (it would look
    // chosen) until the pointer moves onto it again.
    if (QCursor::pos() == m_pointerAtStart) {
        if (QWidget *shown = currentWidget()) {
            const QList<QWidget *> children = shown->findChildren<QWidget *>();
            for (QWidget *child : children) {
                if (child->testAttribute(Qt::WA_UnderMouse)) {
                    child->setAttribute(Qt::WA_UnderMouse, false);
                    child->update();
                }
            }
        }
    }
    m_active = false;
}

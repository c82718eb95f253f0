#pragma once

#include <QPoint>
#include <QStackedWidget>

// Stacked widget that slides between pages: the current page leaves sideways
// while the next one comes in from the other side. currentIndex() changes
// when the slide ends, not when it starts.
class AnimationStackedWidget : public QStackedWidget
{
    Q_OBJECT
public:
    enum t_direction {
        LEFT2RIGHT = 0, // the new page comes in from the left
        RIGHT2LEFT = 1, // the new page comes in from the right
        AUTOMATIC = 2,  // from the right when moving to a higher index
    };

    explicit AnimationStackedWidget(QWidget *parent = nullptr);
    ~AnimationStackedWidget() override;

    bool isSliding() const { return m_active; }

public slots:
    // Ignored while a slide runs (not queued), for the current page, and
    // for an index outside the stack.
    void slideIndex(int idx, AnimationStackedWidget::t_direction direction = AUTOMATIC);
    void animationDoneSlot();

private:
    int m_now = 0;
    int m_next = 0;
    QPoint m_pnow = QPoint(0, 0);
    QPoint m_pointerAtStart;
    bool m_active = false;
};

#pragma once

#include <QObject>
#include <functional>

class HttpFileApi;
class QTimer;

// How every step machine moves on. The machine's timer ticks it; its slot
// calls run(), which follows the steps while they move on, up to a number
// of passes; a step that waits (its step stays) leaves the next run to the
// timer's pace. Steps still moving after the last pass, a step that asks
// for it (yieldTurn()), and the end of any transfer of a watched
// HttpFileApi bring the next run forward to the next turn of the event
// loop: the timer fires at once, then keeps its pace again. Every run goes
// through the timer, so whoever listens to it sees each one.
class StepDriver : public QObject
{
    Q_OBJECT
public:
    explicit StepDriver(QTimer *timer, QObject *parent = nullptr);

    QTimer *timer() const { return m_timer; }
    // Steps one run follows at most; 1 gives the event loop a turn after
    // every step that moved on.
    void setPasses(int passes) { m_passes = passes; }
    // Each end of a transfer of `api` wakes the machine.
    void wakeOn(HttpFileApi *api);

    // The timer at its pace, the first run at the next turn of the loop.
    void start();
    // The timer stopped, its pace kept for the next start.
    void stop();
    // The timer fires at once when it runs (a stopped machine stays so).
    void wake();
    // Called by a step: this run ends after it and the next follows at the
    // next turn of the event loop.
    void yieldTurn() { m_yield = true; }
    // A step's dialog runs a nested event loop: the run in progress.
    bool inRun() const { return m_inRun; }

    // One tick. `step` runs the current step, `position` tells where the
    // machine stands (0: back at its start, which ends the run as well).
    void run(const std::function<void()> &step, const std::function<int()> &position);

    // The loop inside one call of a sequence: `step` is run while it
    // answers false, `position` moves and `goOn` allows, `passes` times at
    // most. True once `step` answered true.
    static bool follow(int passes, const std::function<int()> &position, const std::function<bool()> &step,
                       const std::function<bool()> &goOn = {});

private:
    void restorePace();

    QTimer *m_timer;
    int m_passes = 1;
    int m_pace = -1;
    bool m_inRun = false;
    bool m_yield = false;
};

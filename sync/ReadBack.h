#pragma once

#include "StepTimeout.h"

#include <functional>

// The one read-back rule for a change sent to a shared file of the server:
// success only when a second read, a short moment after the first, still
// shows the change (an upload of another console that was under way lands
// in that moment, not after the success). A read with no answer or an
// error answer is tried again, up to Tries times per read; then the change
// counts as sent but unchecked, to be checked at the next fetch of the file.
//
// The machine that owns the read polls it: it reads while wantsRead(),
// reports each read with shown() / failed(), and goes on once result() is
// no longer Pending. The wait between the reads is a step-machine wait
// (scaled by TimeScale in tests).
class ReadBack
{
public:
    static constexpr int SecondReadMs = 500;
    static constexpr int Tries = 3;

    enum Result {
        Pending,
        Shown,     // both reads showed the change
        NotShown,  // a read showed something else
        Unchecked, // a read had no answer Tries times
    };

    // A read-back starts: the first read is due at once.
    void start();
    // A read is due now (the first, a try again, or the second once the
    // wait is over).
    bool wantsRead() const;
    // The read came back and does (`ok`) or does not show the change.
    void shown(bool ok);
    // The read had no answer or an error answer.
    void failed();

    Result result() const { return m_result; }
    // 1 or 2: the read under way or last made.
    int read() const { return m_read; }
    // Tries of the read under way that failed.
    int failures() const { return m_failures; }
    // Test seam: once the wait is over, the second read also waits while
    // `hold` says so (a test lands another console's upload in the gap).
    void setHold(std::function<bool()> hold) { m_hold = std::move(hold); }

private:
    Result m_result = Pending;
    int m_read = 1;
    int m_failures = 0;
    bool m_waiting = false;
    StepTimeout m_wait;
    std::function<bool()> m_hold;
};

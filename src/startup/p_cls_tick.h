#pragma once
// Drives work from a loop by elapsed time instead of a timer control: milliseconds since a start
// point, a "tick" event when an interval has passed since the last one, and busy, pause and stop
// states, with a wait while paused that keeps events flowing. Counts on the program's clock in
// 64 bits, so a long-running count never overflows.

#include <cstdint>
#include <functional>

class P_Cls_Tick {
public:
    P_Cls_Tick();

    // Events, raised in this order where several come together.
    std::function<void()> TickOk;
    std::function<void(bool)> Busy;
    std::function<void(bool)> HavePause;
    std::function<void(bool)> HaveStop;

    // Milliseconds since the start point.
    std::int64_t CrossedTick() const;
    // Starts a new count unless one is running (then false, and nothing changes or is raised).
    // With bResetPauseAndStop the pause flag is cleared (HavePause(false)) and the stop flag too
    // (without an event). Raises Busy(true).
    bool InitTick(bool bResetPauseAndStop);
    // Ends the count: Busy(false).
    void OverTick();
    // While paused and not stopped, waits lWaitTime milliseconds (events processed meanwhile)
    // and looks again.
    void WaitPauseOrStop(std::int64_t lWaitTime);
    // When lTicks milliseconds have passed since the last tick: a new tick (TickOk), then the
    // pause wait if asked for, then one pass of event processing; true. Otherwise false.
    bool DoTickEvents(std::int64_t lTicks, bool bWaitPauseOrStop, std::int64_t lWaitPauseOrStop);

    bool oPause() const { return pause_; }
    void setOPause(bool on);
    bool oStop() const { return stop_; }
    void setOStop(bool on);
    bool isBusy() const { return busy_; }
    // The same as CrossedTick.
    std::int64_t CrossedTicks() const { return CrossedTick(); }

private:
    void WaitWithMessages(std::int64_t milliseconds);
    static void raise(const std::function<void(bool)>& event, bool value);

    std::int64_t startTick_;
    std::int64_t lastTick_;
    bool pause_ = false;
    bool stop_ = false;
    bool busy_ = false;
};

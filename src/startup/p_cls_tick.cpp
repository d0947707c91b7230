#include "startup/p_cls_tick.h"

#include "platform/clock.h"

#include <algorithm>

using platform::Clock;

P_Cls_Tick::P_Cls_Tick() : startTick_(Clock::nowMs()), lastTick_(startTick_) {}

void P_Cls_Tick::raise(const std::function<void(bool)>& event, bool value)
{
    if (event)
        event(value);
}

std::int64_t P_Cls_Tick::CrossedTick() const { return Clock::nowMs() - startTick_; }

bool P_Cls_Tick::InitTick(bool bResetPauseAndStop)
{
    if (busy_)
        return false;
    startTick_ = lastTick_ = Clock::nowMs();
    busy_ = true;
    if (bResetPauseAndStop) {
        pause_ = false;
        raise(HavePause, false);
        stop_ = false;
    }
    raise(Busy, true);
    return true;
}

void P_Cls_Tick::OverTick()
{
    busy_ = false;
    raise(Busy, false);
}

void P_Cls_Tick::WaitPauseOrStop(std::int64_t lWaitTime)
{
    while (pause_ && !stop_)
        WaitWithMessages(lWaitTime);
}

bool P_Cls_Tick::DoTickEvents(std::int64_t lTicks, bool bWaitPauseOrStop, std::int64_t lWaitPauseOrStop)
{
    const std::int64_t now = Clock::nowMs();
    if (now - lastTick_ < lTicks)
        return false;
    lastTick_ = now;
    if (TickOk)
        TickOk();
    if (bWaitPauseOrStop)
        WaitPauseOrStop(lWaitPauseOrStop);
    Clock::processEvents();
    return true;
}

void P_Cls_Tick::setOPause(bool on)
{
    pause_ = on;
    raise(HavePause, on);
}

void P_Cls_Tick::setOStop(bool on)
{
    stop_ = on;
    raise(HaveStop, on);
}

void P_Cls_Tick::WaitWithMessages(std::int64_t milliseconds)
{
    // A wait of no time would let a paused loop spin without time moving on; one millisecond
    // is the shortest wait there is.
    Clock::waitFor(std::max<std::int64_t>(milliseconds, 1), [] { return false; });
}

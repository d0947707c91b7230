#include <gtest/gtest.h>

#include "platform/clock.h"
#include "startup/p_cls_tick.h"

#include <QString>
#include <QStringList>

using platform::Clock;

namespace {

// A tick object whose events are written down as "TickOk", "Busy 1", "HavePause 0", ...
struct RecordedTick {
    P_Cls_Tick tick;
    QStringList events;
    RecordedTick()
    {
        tick.TickOk = [this] { events << QStringLiteral("TickOk"); };
        tick.Busy = [this](bool on) { events << QStringLiteral("Busy %1").arg(on); };
        tick.HavePause = [this](bool on) { events << QStringLiteral("HavePause %1").arg(on); };
        tick.HaveStop = [this](bool on) { events << QStringLiteral("HaveStop %1").arg(on); };
    }
};

// A one-shot timer that runs `action` after `ms` on the clock.
struct After {
    platform::Timer timer;
    After(int ms, std::function<void()> action) : timer(nullptr, ms)
    {
        timer.onTimer = [this, action] {
            timer.setEnabled(false);
            action();
        };
        timer.setEnabled(true);
    }
};

} // namespace

TEST(P_Cls_Tick, InitTickStartsACountOnlyWhenIdle)
{
    RecordedTick r;
    r.tick.setOPause(true);
    r.tick.setOStop(true);
    r.events.clear();

    EXPECT_TRUE(r.tick.InitTick(true));
    EXPECT_EQ(r.events, (QStringList{QStringLiteral("HavePause 0"), QStringLiteral("Busy 1")}));
    EXPECT_FALSE(r.tick.oPause());
    EXPECT_FALSE(r.tick.oStop()); // cleared without an event
    EXPECT_TRUE(r.tick.isBusy());

    Clock::advance(40);
    r.events.clear();
    EXPECT_FALSE(r.tick.InitTick(true));
    EXPECT_TRUE(r.events.isEmpty());
    EXPECT_EQ(r.tick.CrossedTick(), 40); // the count was not restarted

    r.tick.OverTick();
    EXPECT_EQ(r.events, QStringList{QStringLiteral("Busy 0")});
    r.tick.setOPause(true);
    r.events.clear();
    EXPECT_TRUE(r.tick.InitTick(false));
    EXPECT_EQ(r.events, QStringList{QStringLiteral("Busy 1")});
    EXPECT_TRUE(r.tick.oPause());
    EXPECT_EQ(r.tick.CrossedTick(), 0);
}

TEST(P_Cls_Tick, DoTickEventsFiresOnceTheIntervalHasPassed)
{
    RecordedTick r;
    r.tick.InitTick(false);
    r.events.clear();
    EXPECT_FALSE(r.tick.DoTickEvents(100, false, 0));
    Clock::advance(99);
    EXPECT_FALSE(r.tick.DoTickEvents(100, false, 0));
    Clock::advance(1);
    EXPECT_TRUE(r.tick.DoTickEvents(100, false, 0));
    EXPECT_EQ(r.events, QStringList{QStringLiteral("TickOk")});
    // The next interval counts from this tick.
    Clock::advance(50);
    EXPECT_FALSE(r.tick.DoTickEvents(100, false, 0));
    // An interval of 0 fires on every call, with no time passing.
    EXPECT_TRUE(r.tick.DoTickEvents(0, false, 0));
    EXPECT_TRUE(r.tick.DoTickEvents(0, false, 0));
    EXPECT_EQ(r.events.size(), 3);
    EXPECT_EQ(r.tick.CrossedTicks(), 150);
}

TEST(P_Cls_Tick, CountsPastTheOld32BitLimit)
{
    RecordedTick r;
    r.tick.InitTick(false);
    const std::int64_t days30 = 30LL * 24 * 3600 * 1000;
    Clock::advance(days30);
    EXPECT_EQ(r.tick.CrossedTick(), days30);
    EXPECT_TRUE(r.tick.DoTickEvents(days30, false, 0));
    EXPECT_FALSE(r.tick.DoTickEvents(1, false, 0));
}

TEST(P_Cls_Tick, WaitReturnsAtOnceWhenNotPausedOrStopped)
{
    RecordedTick r;
    const auto t0 = Clock::nowMs();
    r.tick.WaitPauseOrStop(50);
    r.tick.setOPause(true);
    r.tick.setOStop(true);
    r.tick.WaitPauseOrStop(50);
    EXPECT_EQ(Clock::nowMs(), t0);
}

TEST(P_Cls_Tick, PausedWaitEndsAtTheFirstLookAfterThePauseIsLifted)
{
    const struct {
        std::int64_t waitMs;
        std::int64_t liftAt;
        std::int64_t returnsAt;
        bool byStop;
    } cases[] = {
        {5, 23, 25, false},  // short waits: looked at every 5 ms
        {50, 25, 50, false}, // the lift runs inside the wait; seen when it ends
        {0, 3, 3, false},    // no wait time: still time moves on, 1 ms a look
        {10, 42, 50, true},  // a stop ends it too
    };
    for (const auto& c : cases) {
        RecordedTick r;
        r.tick.setOPause(true);
        const auto t0 = Clock::nowMs();
        std::int64_t liftedAt = -1;
        After lift(static_cast<int>(c.liftAt), [&] {
            liftedAt = Clock::nowMs() - t0;
            if (c.byStop)
                r.tick.setOStop(true);
            else
                r.tick.setOPause(false);
        });
        r.tick.WaitPauseOrStop(c.waitMs);
        EXPECT_EQ(liftedAt, c.liftAt) << c.waitMs;
        EXPECT_EQ(Clock::nowMs() - t0, c.returnsAt) << c.waitMs;
    }
}

TEST(P_Cls_Tick, TickWithPauseWaitRaisesTheTickFirst)
{
    RecordedTick r;
    r.tick.InitTick(false);
    r.tick.setOPause(true);
    r.events.clear();
    const auto t0 = Clock::nowMs();
    After lift(30, [&] { r.tick.setOPause(false); });
    EXPECT_TRUE(r.tick.DoTickEvents(0, true, 10));
    EXPECT_EQ(r.events, (QStringList{QStringLiteral("TickOk"), QStringLiteral("HavePause 0")}));
    EXPECT_EQ(Clock::nowMs() - t0, 30);
}

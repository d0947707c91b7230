#include <gtest/gtest.h>

#include "platform/clock.h"

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <vector>

using platform::Clock;
using platform::Timer;

TEST(Clock, ManualClockFiresDueTicksInTimeOrder)
{
    Clock::useManual(true);
    std::vector<int> fired;
    Timer a(nullptr, 300), b(nullptr, 100);
    a.onTimer = [&] { fired.push_back(300); };
    b.onTimer = [&] { fired.push_back(100); };
    a.setEnabled(true);
    b.setEnabled(true);
    Clock::advance(299);
    EXPECT_EQ(fired, (std::vector<int>{100, 100}));
    Clock::advance(1);
    EXPECT_EQ(fired, (std::vector<int>{100, 100, 300, 100}));
    EXPECT_EQ(Clock::nowMs(), 300);
}

TEST(Clock, DisabledOrZeroIntervalTimerNeverTicks)
{
    Clock::useManual(true);
    int n = 0;
    Timer a(nullptr, 0), b(nullptr, 100);
    a.onTimer = b.onTimer = [&] { ++n; };
    a.setEnabled(true);
    b.setEnabled(true);
    b.setEnabled(false);
    Clock::advance(1000);
    EXPECT_EQ(n, 0);
}

TEST(Clock, TickHandlerMaySwitchItsTimerOffAndOn)
{
    Clock::useManual(true);
    Timer t(nullptr, 100);
    int n = 0;
    t.onTimer = [&] {
        ++n;
        t.setEnabled(false); // a one-shot use
    };
    t.setEnabled(true);
    Clock::advance(500);
    EXPECT_EQ(n, 1);
    t.setEnabled(true);
    Clock::advance(100);
    EXPECT_EQ(n, 2);
}

// Ticks that fall due under a hold come once each after it, on the next pass of events; a timer
// switched off meanwhile stays quiet.
TEST(Clock, TicksHeldBackComeOnceAfterTheHold)
{
    Clock::useManual(true);
    Timer a(nullptr, 100), b(nullptr, 100);
    int na = 0, nb = 0;
    a.onTimer = [&] { ++na; };
    b.onTimer = [&] { ++nb; };
    a.setEnabled(true);
    b.setEnabled(true);
    {
        const platform::TimerHold outer;
        {
            const platform::TimerHold inner;
            Clock::advance(350);
        }
        Clock::advance(100);
        b.setEnabled(false);
        EXPECT_EQ(na, 0);
    }
    EXPECT_EQ(na, 0) << "not inside the code that held them";
    Clock::processEvents();
    EXPECT_EQ(na, 1);
    EXPECT_EQ(nb, 0);
    Clock::advance(50);
    EXPECT_EQ(na, 2) << "the timer goes on at its own pace";
}

TEST(Clock, WaitForReturnsAtDeadlineWithoutSleeping)
{
    Clock::useManual(true);
    const auto t0 = Clock::nowMs();
    EXPECT_FALSE(Clock::waitFor(1500, [] { return false; }));
    EXPECT_EQ(Clock::nowMs() - t0, 1500);
    int polls = 0;
    EXPECT_TRUE(Clock::waitFor(1500, [&] { return ++polls > 3; }));
    EXPECT_LT(Clock::nowMs() - t0, 1510);
}

// On the real clock a wait ends at its deadline, and as soon as what it waits for has happened.
// Each figure is the shortest of several waits: a loaded machine only makes waits longer.
TEST(Clock, RealWaitsEndAtTheirDeadlineOrAsSoonAsDone)
{
    Clock::useManual(false);
    const auto shortestMs = [](const std::function<void()>& wait) {
        double best = 1e9;
        for (int i = 0; i < 8; ++i) {
            QElapsedTimer t;
            t.start();
            wait();
            best = std::min(best, static_cast<double>(t.nsecsElapsed()) / 1e6);
        }
        return best;
    };
    const struct {
        int ms;
        double below;
    } waits[] = {{1, 4.0}, {7, 9.5}};
    for (const auto& w : waits) {
        const double took = shortestMs([&] { EXPECT_FALSE(Clock::waitFor(w.ms, [] { return false; })); });
        EXPECT_GE(took, w.ms - 0.5) << w.ms;
        EXPECT_LT(took, w.below) << w.ms;
    }
    const double answered = shortestMs([] {
        bool arrived = false;
        QTimer::singleShot(0, [&arrived] { arrived = true; });
        EXPECT_TRUE(Clock::waitFor(1000, [&arrived] { return arrived; }));
    });
    EXPECT_LT(answered, 4.0);
    Clock::useManual(true);
}

#include "platform/clock.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QPointer>
#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace platform {
namespace {

struct ClockState {
    bool manual = false;
    std::int64_t manualNow = 0;
    QElapsedTimer real;
    std::vector<Timer*> timers; // manual-mode timers that are enabled
    std::function<bool()> ioGate;
    int holds = 0;
    std::vector<QPointer<Timer>> missed; // ticks kept back by a hold
    ClockState() { real.start(); }
};

ClockState& state()
{
    static ClockState s;
    return s;
}

} // namespace

std::int64_t Clock::nowMs()
{
    auto& s = state();
    return s.manual ? s.manualNow : s.real.elapsed();
}

bool Clock::isManual() { return state().manual; }

void Clock::useManual(bool manual)
{
    auto& s = state();
    s.manual = manual;
    s.manualNow = 0;
    s.timers.clear();
}

void Clock::registerTimer(Timer* t)
{
    auto& v = state().timers;
    if (std::find(v.begin(), v.end(), t) == v.end())
        v.push_back(t);
}

void Clock::unregisterTimer(Timer* t)
{
    auto& v = state().timers;
    v.erase(std::remove(v.begin(), v.end(), t), v.end());
}

void Clock::advance(std::int64_t ms)
{
    auto& s = state();
    if (!s.manual)
        return;
    const std::int64_t end = s.manualNow + ms;
    for (;;) {
        processEvents();
        // The earliest due timer; ties go to the one enabled first.
        Timer* next = nullptr;
        for (Timer* t : s.timers)
            if (t->dueAt() <= end && (!next || t->dueAt() < next->dueAt()))
                next = t;
        if (!next)
            break;
        s.manualNow = std::max(s.manualNow, next->dueAt());
        next->fire();
    }
    // A wait inside a tick may have moved the clock past this advance's end: time never goes back.
    s.manualNow = std::max(s.manualNow, end);
    processEvents();
}

void Clock::processEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool Clock::waitFor(std::int64_t ms, const std::function<bool()>& done)
{
    if (isManual()) {
        const std::int64_t deadline = nowMs() + ms;
        // Each pass handles what is pending (a loopback reply, say) before time moves on.
        auto& gate = state().ioGate;
        while (!done() && nowMs() < deadline) {
            processEvents();
            if (done())
                break;
            if (gate && gate()) {
                // Wakes on the next event (socket input above all), at the latest after 5 ms.
                QEventLoop loop;
                QTimer::singleShot(5, &loop, &QEventLoop::quit);
                loop.exec();
            } else {
                advance(1);
            }
        }
        return done();
    }
    if (done() || ms <= 0)
        return done();
    // The wait ends when its time has passed since the call (measured from here, not from a
    // whole millisecond of the clock), or as soon as done() holds once the pending events have
    // been handled (checked each time the loop is about to wait again): nothing polls.
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    end.setTimerType(Qt::PreciseTimer);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    end.start(static_cast<int>(std::min<std::int64_t>(ms, std::numeric_limits<int>::max())));
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, [&] {
            if (done())
                loop.quit();
        });
    loop.exec();
    return done();
}

void Clock::setManualIoGate(std::function<bool()> gate) { state().ioGate = std::move(gate); }

Timer::Timer(QObject* parent, int intervalMs) : QObject(parent), interval_(intervalMs)
{
    real_.setTimerType(Qt::PreciseTimer);
    connect(&real_, &QTimer::timeout, this, [this] { fire(); });
}

Timer::~Timer() { Clock::unregisterTimer(this); }

void Timer::setInterval(int ms)
{
    interval_ = ms;
    if (enabled_)
        restart();
}

void Timer::setEnabled(bool on)
{
    if (on == enabled_)
        return;
    enabled_ = on;
    if (on) {
        restart();
    } else {
        missed_ = false;
        real_.stop();
        Clock::unregisterTimer(this);
    }
}

void Timer::restart()
{
    // An interval of 0 never ticks, as with the old timer control.
    real_.stop();
    Clock::unregisterTimer(this);
    if (!enabled_ || interval_ <= 0)
        return;
    manual_ = Clock::isManual();
    if (manual_) {
        due_ = Clock::nowMs() + interval_;
        Clock::registerTimer(this);
    } else {
        real_.start(interval_);
    }
}

void Timer::fire()
{
    if (!enabled_)
        return;
    if (manual_)
        due_ += interval_;
    if (TimerHold::active()) {
        if (!missed_)
            state().missed.emplace_back(this);
        missed_ = true;
        return;
    }
    missed_ = false;
    // The handler may destroy this timer (its form unloads): touch nothing afterwards.
    if (onTimer) {
        auto handler = onTimer;
        handler();
    }
}

void Timer::fireMissed()
{
    if (!missed_)
        return;
    if (TimerHold::active()) {
        state().missed.emplace_back(this);
        return;
    }
    missed_ = false;
    if (enabled_ && onTimer) {
        auto handler = onTimer;
        handler();
    }
}

TimerHold::TimerHold() { ++state().holds; }

TimerHold::~TimerHold()
{
    auto& s = state();
    if (--s.holds > 0)
        return;
    for (const QPointer<Timer>& t : std::exchange(s.missed, {}))
        if (t)
            QTimer::singleShot(0, t.data(), [t] {
                if (t)
                    t->fireMissed();
            });
}

bool TimerHold::active() { return state().holds > 0; }

} // namespace platform

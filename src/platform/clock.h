#pragma once
// One clock for every timer and every wait of the program.
//
// The program runs on the real monotonic clock and Qt timers. Tests switch to the manual
// clock: time then stands still until the test calls advance(), which fires the due ticks
// of every enabled Timer in time order. Nothing ever sleeps.

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace platform {

class Timer;

class Clock {
public:
    // Milliseconds since an arbitrary start, monotonic, 64 bits (never wraps).
    static std::int64_t nowMs();
    static bool isManual();
    // Switches between the real and the manual clock. Switching to manual starts at 0.
    static void useManual(bool manual);
    // Manual clock only: moves time on by ms, firing the due ticks in time order.
    static void advance(std::int64_t ms);
    // Processes pending events once (the old DoEvents).
    static void processEvents();
    // Waits until done() is true or ms milliseconds have passed on this clock, processing
    // events meanwhile; returns done(). The real clock waits in an event loop (no busy spin);
    // the manual clock moves itself on in small slices, so a test never blocks.
    static bool waitFor(std::int64_t ms, const std::function<bool()>& done);
    // Tests: while the gate answers true (input or output of the program is on its way), a wait
    // on the manual clock lets real time pass instead of moving the clock.
    static void setManualIoGate(std::function<bool()> gate);

private:
    friend class Timer;
    friend class TimerHold;
    static void registerTimer(Timer* t);
    static void unregisterTimer(Timer* t);
};

// While one is alive, no Timer ticks: a wait that goes on drawing the windows runs none of the
// program's handlers. A tick that fell due meanwhile comes once, on the first pass of events
// after the last hold has gone (as a thread of the old toolkit that was blocked got its timer
// message afterwards), never inside the code that held them.
class TimerHold {
public:
    TimerHold();
    ~TimerHold();
    TimerHold(const TimerHold&) = delete;
    TimerHold& operator=(const TimerHold&) = delete;
    static bool active();
};

// A timer control: Interval in milliseconds, Enabled, one tick handler.
class Timer : public QObject {
    Q_OBJECT
public:
    explicit Timer(QObject* parent = nullptr, int intervalMs = 0);
    ~Timer() override;

    int Interval() const { return interval_; }
    void setInterval(int ms);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool on);

    // The tick handler (the old Timer event).
    std::function<void()> onTimer;

    // Manual clock bookkeeping.
    std::int64_t dueAt() const { return due_; }
    void fire();

private:
    friend class TimerHold;
    void restart();
    // The tick that a hold kept back, on the first pass of events after it.
    void fireMissed();
    int interval_ = 0;
    bool enabled_ = false;
    bool missed_ = false;
    bool manual_ = false;
    std::int64_t due_ = 0;
    QTimer real_;
};

} // namespace platform

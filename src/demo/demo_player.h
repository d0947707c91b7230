#pragma once
// What the demonstration window asks of the player that animates it: the step advance, the
// jump, the choice of the step's target, the aim of the drawn pointer and the pointer's
// arrival. The window lays each step out; the player moves the pointer and decides when a
// step is done.

#include <QString>

namespace platform {
class Timer;
}

class DemoPlayer {
public:
    virtual ~DemoPlayer() = default;
    // The step is done: the next step, or the end after the last one.
    virtual void doNext() = 0;
    // A jump by a jump character.
    virtual void GoStep(const QString& code) = 0;
    // The last call of a step's set-up: choose the target and start the pointer.
    virtual void MuBiaoWei() = 0;
    // Aims the pointer at a point of the window (twips) and switches the travel timer on.
    virtual void aim(int x, int y, platform::Timer& travel) = 0;
    // The pointer has reached its target: the arrival of the travel timer that is on.
    virtual void arrive() = 0;
};

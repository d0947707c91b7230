#pragma once
// Jumps within a question: the move that a jump character of a step record asks for, and the
// step it lands on.

#include <QStringView>
#include <optional>

struct SessionState;

namespace simwindow {

// How far a jump character moves the step counter, forward positive: "0" no jump at all
// (nothing happens, not even a new layout); "1"-"9" back that many steps; "A"-"Z" forward 1-26;
// any other single character (small letters, a blank) 0, the same step laid out again; an empty
// field (a record too short to hold it) forward 1. Longer texts follow the same rule: their
// number moves back, else their place in the alphabet moves forward.
std::optional<int> jumpOffset(QStringView code);

// Number of steps of question q, or 0 when it cannot be told: the question's recorded step
// count, else the distance to the next question's first line (the launch stores it after the
// last question too), else, for the 500th question, the lines left in the step file.
int questionStepCount(const SessionState& s, int q);

// The step a jump from `currentStep` by `offset` lands on. A jump before the question's first
// step lands on step 1; a jump past its last step (when the step count is known) stays where it
// is, so that a bad jump in the data never shows a step of a neighbouring question.
int jumpTarget(int currentStep, int offset, int stepCount);

// The whole of the jump for the current question of `s`: the step to lay out next, or nothing
// when the code is "0".
std::optional<int> goStepTarget(const SessionState& s, QStringView code);

} // namespace simwindow

#include "simwindow/jump_code.h"

#include "session_state/codes.h"
#include "session_state/session_state.h"

namespace simwindow {

std::optional<int> jumpOffset(QStringView code)
{
    if (code == u"0")
        return std::nullopt;
    const int back = codes::num16(code);
    if (back != 0)
        return -back;
    // An empty code is found at the start of the alphabet, so it moves one step forward.
    constexpr QStringView alphabet = u"ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    return static_cast<int>(alphabet.indexOf(code)) + 1;
}

int questionStepCount(const SessionState& s, int q)
{
    if (q < 1 || q > MaxQuestions)
        return 0;
    if (s.QuestionStepCount[q] > 0)
        return s.QuestionStepCount[q];
    if (q < MaxQuestions && q < s.QuestionCount && s.QuestionFirstLine[q] > 0) {
        const int span = s.QuestionFirstLine[q + 1] - s.QuestionFirstLine[q];
        if (span > 0)
            return span;
    }
    return 0;
}

int jumpTarget(int currentStep, int offset, int stepCount)
{
    const int target = currentStep + offset;
    if (target < 1)
        return 1;
    // Past the last step, or past what the step counter can hold: stay.
    if ((stepCount > 0 && target > stepCount) || target > 32767)
        return currentStep;
    return target;
}

std::optional<int> goStepTarget(const SessionState& s, QStringView code)
{
    const std::optional<int> offset = jumpOffset(code);
    if (!offset)
        return std::nullopt;
    return jumpTarget(s.CurrentStep, *offset, questionStepCount(s, s.CurrentQuestion));
}

} // namespace simwindow

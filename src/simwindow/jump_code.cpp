#include "simwindow/jump_code.h"

#include "platform/files.h"
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
    const int first = s.QuestionFirstLine[q];
    if (first <= 0)
        return 0;
    // The launch stores the first line of the question after the last one too; only the 500th
    // question has no such entry and runs to the end of the step file.
    if (q < MaxQuestions) {
        const int span = s.QuestionFirstLine[q + 1] - first;
        if (span > 0)
            return span;
    }
    const int lines = platform::lineCount(s.StepFilePath).value_or(0);
    return lines >= first ? lines - first + 1 : 0;
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

#include <gtest/gtest.h>

#include "session_state/session_state.h"
#include "simwindow/jump_code.h"

using namespace simwindow;

TEST(JumpCode, OffsetOfEachKindOfCharacter)
{
    EXPECT_EQ(jumpOffset(u"0"), std::nullopt);
    const std::pair<const char16_t*, int> cases[] = {
        {u"3", -3}, {u"9", -9}, {u"A", 1}, {u"C", 3}, {u"Z", 26},
        {u"c", 0}, {u" ", 0}, {u"#", 0}, {u"", 1},
    };
    for (const auto& [code, offset] : cases)
        EXPECT_EQ(jumpOffset(code), offset) << QString::fromUtf16(code).toStdString();
}

TEST(JumpCode, TargetStaysInsideTheQuestion)
{
    struct Case {
        int step, offset, count, target;
    };
    const Case cases[] = {
        {5, -3, 8, 2},  // back
        {5, 3, 8, 8},   // forward to the last step
        {2, -5, 8, 1},  // before the first step: step 1
        {6, 3, 8, 6},   // past the last step: stays
        {6, 30, 0, 36}, // step count unknown: not bounded
        {4, 0, 8, 4},   // same step
    };
    for (const Case& c : cases)
        EXPECT_EQ(jumpTarget(c.step, c.offset, c.count), c.target) << c.step << " + " << c.offset;
}

TEST(JumpCode, StepCountFromTheSessionOrTheNextFirstLine)
{
    SessionState s;
    s.QuestionCount = 3;
    s.QuestionFirstLine[1] = 1;
    s.QuestionFirstLine[2] = 7;
    s.QuestionFirstLine[3] = 12;
    EXPECT_EQ(questionStepCount(s, 1), 6);
    EXPECT_EQ(questionStepCount(s, 2), 5);
    EXPECT_EQ(questionStepCount(s, 3), 0); // no entry after it and no step file: nothing to tell
    s.QuestionFirstLine[4] = 14;           // the launch's entry after the last question
    EXPECT_EQ(questionStepCount(s, 3), 2);
    s.QuestionStepCount[3] = 4;
    EXPECT_EQ(questionStepCount(s, 3), 4);
    EXPECT_EQ(questionStepCount(s, 0), 0);
    EXPECT_EQ(questionStepCount(s, MaxQuestions + 1), 0);
}

TEST(JumpCode, GoStepOnTheCurrentQuestion)
{
    SessionState s;
    s.QuestionCount = 2;
    s.CurrentQuestion = 1;
    s.QuestionStepCount[1] = 6;
    s.CurrentStep = 4;
    EXPECT_EQ(goStepTarget(s, u"0"), std::nullopt);
    EXPECT_EQ(goStepTarget(s, u"B"), 6);
    EXPECT_EQ(goStepTarget(s, u"C"), 4); // would leave the question
    EXPECT_EQ(goStepTarget(s, u"9"), 1);
    EXPECT_EQ(goStepTarget(s, u"x"), 4);
}

#include "demo/demo_rules.h"

#include "session_state/session_state.h"
#include "simwindow/step_record.h"
#include "support/step_line.h"

#include <gtest/gtest.h>

namespace {

using simwindow::StepRecord;

StepRecord record(std::initializer_list<std::pair<int, QString>> fields) { return StepRecord::fromLine(stepLine(fields)); }

TEST(DemoRules, SessionFilesAreNamedByKindPlusSet)
{
    EXPECT_EQ(demo::sessionFileCode(20, 3, 0), QStringLiteral("288823"));
    EXPECT_EQ(demo::sessionFileCode(20, 3, 50), QStringLiteral("288873"));
    EXPECT_EQ(demo::sessionFileCode(0, 5, 0), QStringLiteral("288805"));
    EXPECT_EQ(demo::sessionFileCode(0, 5, 50), QStringLiteral("288855"));
}

TEST(DemoRules, MenuTargetOfAStep)
{
    struct Case {
        QString code;
        QString at125;
        QString at86;
        demo::MenuTarget expected;
    };
    const std::vector<Case> cases{
        {QStringLiteral("7000"), QStringLiteral("H05030000A"), QStringLiteral("H09090900B"), {5, 3, 0, QStringLiteral("A")}},
        {QStringLiteral("7000"), QStringLiteral("Q0000X1111"), QStringLiteral("H04100300C"), {4, 10, 3, QStringLiteral("C")}},
        {QStringLiteral("7000"), QStringLiteral("h04100000A"), QStringLiteral("D86010A1B2"), {57, 1, 0, QStringLiteral("2")}},
        {QStringLiteral("7000"), QStringLiteral("H86860000"), QString(), {57, 86, 0, QStringLiteral(" ")}},
        {QStringLiteral("0001"), QStringLiteral("H05030000A"), QStringLiteral("H05030000A"), {0, 0, 0, QStringLiteral("0")}},
    };
    for (const Case& c : cases) {
        const StepRecord rec = record({{8, c.code}, {86, c.at86}, {125, c.at125}});
        EXPECT_EQ(demo::menuTarget(rec), c.expected) << c.at125.toStdString() << " " << c.at86.toStdString();
    }
}

TEST(DemoRules, PaneSpots)
{
    using S = demo::SpotSize;
    EXPECT_EQ(demo::paneSpotSize(32, 32), (S{2655, 300}));
    EXPECT_EQ(demo::paneSpotSize(32, 0), (S{}));
    EXPECT_EQ(demo::paneSpotSize(33, 33), (S{30, 30}));
    EXPECT_EQ(demo::paneSpotSize(34, 33), (S{}));
    EXPECT_EQ(demo::paneSpotSize(34, 34), (S{30, 30}));
    EXPECT_EQ(demo::paneSpotSize(36, 0), (S{870, 270}));
    EXPECT_EQ(demo::paneSpotSize(37, 35), (S{870, 270}));
    EXPECT_EQ(demo::paneSpotSize(35, 35), (S{}));
}

TEST(DemoRules, WhatAPressOpens)
{
    using B = demo::PressedBar;
    struct Case {
        int n;
        demo::Press press;
    };
    for (const Case& c : std::vector<Case>{{3, {B::Menu, true}},
                                           {11, {B::Hui, true}},
                                           {12, {B::Hui, false}},
                                           {23, {B::Hui, false}},
                                           {24, {B::Hui, true}},
                                           {41, {B::Tool, false}},
                                           {57, {B::Tool, true}},
                                           {62, {B::Tool, true}},
                                           {82, {B::Tool, false}},
                                           {85, {B::Tool, true}},
                                           {32, {B::Else, true}},
                                           {33, {B::None, false}},
                                           {35, {B::None, false}},
                                           {0, {B::None, false}},
                                           {10, {B::None, false}},
                                           {86, {B::None, false}}})
        EXPECT_EQ(demo::pressOf(c.n), c.press) << c.n;
}

TEST(DemoRules, StepsBelongToTheirQuestion)
{
    resetSession();
    SessionState& s = S();
    s.QuestionFirstLine[1] = 1;
    s.QuestionStepCount[1] = 3;
    s.QuestionFirstLine[2] = 4;
    EXPECT_FALSE(demo::stepInQuestion(s, 1, 0));
    EXPECT_TRUE(demo::stepInQuestion(s, 1, 1));
    EXPECT_TRUE(demo::stepInQuestion(s, 1, 3));
    EXPECT_FALSE(demo::stepInQuestion(s, 1, 4));
    resetSession();
}

} // namespace

#include "session/exam_rules.h"
#include "session/record_rules.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace exam;

TEST(LoginFields, SeatNumberIsTheLastTwoOfTheTrimmedText)
{
    const std::vector<std::pair<QString, QString>> cases = {
        {"7", "07"}, {"123", "23"}, {" 5 ", "05"}, {"", "00"}, {"18", "18"}};
    for (const auto& [typed, seat] : cases)
        EXPECT_EQ(seatNo(typed), seat) << typed.toStdString();
}

TEST(LoginFields, IdCardNumberIsPaddedFromTheSample)
{
    EXPECT_EQ(idCardNo("123"), IdCardSample.right(15) + "123");
    EXPECT_EQ(idCardNo(""), IdCardSample);
    EXPECT_EQ(idCardNo(" 12345678901234567X "), "12345678901234567X");
    EXPECT_EQ(IdCardSample.size(), 18);
    EXPECT_EQ(IdCardPrefill.size(), 18);
}

TEST(LoginFields, IdBoxKeyFilter)
{
    struct Case {
        int key;
        int length;
        bool passes;
    };
    const Case cases[] = {{'0', 0, true},  {'9', 17, true},  {8, 0, true},    {'x', 16, false}, {'x', 17, true},
                          {'X', 17, true}, {'X', 5, false},  {'a', 17, false}, {' ', 3, false},  {13, 3, false},
                          {'-', 3, false}, {0x4E2D, 3, false}};
    for (const Case& c : cases)
        EXPECT_EQ(idKeyPasses(c.key, c.length), c.passes) << c.key << " at " << c.length;
}

TEST(LoginFields, StampsAndDate)
{
    const QDateTime t(QDate(2016, 3, 1), QTime(9, 5, 41));
    EXPECT_EQ(timeStamp(t), "2016-03-01 09:05:41");
    EXPECT_EQ(loginDate(t.date()), "2016年03月01日");
}

TEST(HandIn, NoticeByOpenQuestions)
{
    const QString warning = QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?");
    const QString plain = QStringLiteral("\r\n您是否确定交卷?");
    for (int other : {0, 1, 2, 3, 4, 5, 6, 7}) {
        std::array<int, 40> states{};
        states.fill(5);
        states[3] = 1;
        states[17] = other;
        const bool open = other != 1 && other != 5;
        EXPECT_EQ(handInNotice(states), open ? warning : plain) << other;
    }
    // The last question counts too: all 40 are looked at.
    std::array<int, 40> states{};
    states.fill(1);
    states[39] = 0;
    EXPECT_EQ(handInNotice(states), warning);
}

TEST(Grading, ScoreTextIsShortest)
{
    const std::vector<std::pair<int, QString>> cases = {{40, "100"}, {39, "97.5"}, {30, "75"}, {0, "0"}, {1, "2.5"}, {2, "5"}};
    for (const auto& [right, text] : cases)
        EXPECT_EQ(scoreText(right), text) << right;
}

TEST(Grading, ResultCaptionByKind)
{
    EXPECT_EQ(resultCaption(0, 2, "100"), "第3套得分：100分");
    EXPECT_EQ(resultCaption(8, 11, "75"), "随机题得分：75分");
    EXPECT_EQ(resultCaption(0, 0, "5"), "第1套得分：5分");
}

TEST(Grading, QuestionTextOfAResultButton)
{
    EXPECT_EQ(resultQuestionText("0000031|2|3"), "1|2|3");
    EXPECT_EQ(resultQuestionText("000005picture123456Make A|B"), "Make A|B");
    EXPECT_EQ(resultQuestionText(""), "");
}

TEST(Grading, WrongIdsComeFromTheSessionInPaperOrder)
{
    std::array<int, 40> ids{};
    std::array<int, 40> states{};
    for (int i = 0; i < 40; ++i) {
        ids[static_cast<std::size_t>(i)] = 100 + i + 1;
        states[static_cast<std::size_t>(i)] = 5;
    }
    states[2] = 1;  // visited only
    states[16] = 3; // marked, not done
    states[39] = 0;
    ids[20] = 0; // a placeholder: never right, never listed
    states[20] = 5;
    const Grade g = grade(ids, states);
    EXPECT_EQ(g.right, 36);
    EXPECT_EQ(g.score, "90");
    EXPECT_EQ(g.wrongIds, (std::vector<int>{103, 117, 140}));
    EXPECT_EQ(g.wrongList(), "010301170140");
}

TEST(Grading, WrongListMergeAddsEachIdOnce)
{
    using records::mergeIds;
    EXPECT_EQ(mergeIds("", {103, 117}), "01030117");
    EXPECT_EQ(mergeIds("0117", {103, 117}), "01170103");
    // A tail that is no whole id stays, and the next id follows it.
    EXPECT_EQ(mergeIds("011", {103}), "0110103");
    // The same id twice in one paper is listed once.
    EXPECT_EQ(mergeIds("", {103, 103}), "0103");
    // "0201" lies across the two entries of "10201020" but is neither of them.
    EXPECT_EQ(mergeIds("10201020", {201}), "102010200201");
}

TEST(Grading, ScoreHistoryRecord)
{
    struct Case {
        QString time, best, start, score, wantTime, wantBest;
    };
    const QString now = "2026-12-10 10:00:00";
    const Case cases[] = {
        {"您还未考试！", "0", "2026-12-10 09:00:00", "97.5", "2026-12-10 09:00:00", "97.5"},
        {"2026-01-01 08:00:00", "90", "2026-12-10 09:00:00", "75", "2026-12-10 09:00:00", "90"},  // below the best
        {"您还未考试！", "0", "2026-12-10 09:00:00", "0", "2026-12-10 09:00:00", "0"},             // first, scored 0
        {"2026-01-01 08:00:00", "90", "-1", "100", now, "90"},                                     // answers seen
        {"x", "97.5", "2026-12-10 09:00:00", "100", "2026-12-10 09:00:00", "100"},
    };
    for (const Case& c : cases) {
        std::array<QString, 100> e;
        e[9] = c.time;
        e[10] = c.best;
        e[11] = "E";
        recordExam(e, 3, c.start, c.score, now);
        EXPECT_EQ(e[9], c.wantTime);
        EXPECT_EQ(e[10], c.wantBest);
        EXPECT_EQ(e[11], "E");
    }
}

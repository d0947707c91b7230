#include "session/record_rules.h"

#include "session_state/session_state.h"

#include <gtest/gtest.h>

namespace {

using namespace records;

// Questions with ids and states, in session order.
SessionQuestions qs(std::initializer_list<std::pair<int, int>> list)
{
    SessionQuestions out;
    for (const auto& [id, state] : list)
        out.push_back({id, state});
    return out;
}

TEST(RecordRules, StateAndFlagClassification)
{
    for (int st = 0; st <= 7; ++st) {
        EXPECT_EQ(isMarked(st), st == 2 || st == 3 || st == 6 || st == 7) << st;
        EXPECT_EQ(isCompleted(st), st >= 4) << st;
    }
    EXPECT_TRUE(isReviewed(u'T'));
    for (const QChar c : {QChar(u'F'), QChar(u't'), QChar(u' '), QChar(u'X')})
        EXPECT_FALSE(isReviewed(c));
    EXPECT_EQ(idText(103), QStringLiteral("0103"));
    EXPECT_EQ(idText(2415), QStringLiteral("2415"));
    EXPECT_EQ(idText(0), QStringLiteral("0000"));
}

TEST(RecordRules, FlagFittingAndSettingPadsWithF)
{
    struct Case {
        const char16_t* flags;
        const char16_t* list;
        const char16_t* fitted;
    };
    const Case cases[] = {{u"", u"01010102", u"FF"},
                          {u"T", u"010101020103", u"TFF"},
                          {u"TFTF", u"0101", u"T"},
                          {u"TF", u"01010", u"T"}, // a tail shorter than an entry does not count
                          {u"TF", u"", u""}};
    for (const Case& c : cases)
        EXPECT_EQ(fitFlags(QString::fromUtf16(c.flags), QString::fromUtf16(c.list)), QString::fromUtf16(c.fitted))
            << QString::fromUtf16(c.flags).toStdString();

    // A "T" beyond a short line lands on its own entry, never on the line's end.
    EXPECT_EQ(setReviewed(QStringLiteral("TF"), 5), QStringLiteral("TFFFT"));
    EXPECT_EQ(setReviewed(QStringLiteral("FFF"), 2), QStringLiteral("FTF"));
    EXPECT_EQ(setReviewed(QStringLiteral("FF"), 0), QStringLiteral("FF"));
}

TEST(RecordRules, MergeAppendsEachMissingIdOnce)
{
    // Two session questions with one id (bad data) and one already held.
    EXPECT_EQ(mergeIds(QStringLiteral("0101"), {103, 101, 103, 205}), QStringLiteral("010101030205"));
    // A four-digit run across two entries is not an entry.
    EXPECT_EQ(mergeIds(QStringLiteral("01020304"), {203}), QStringLiteral("010203040203"));
    // The placeholder of a question a short paper lacks is no question: it never enters a list.
    EXPECT_EQ(mergeIds(QStringLiteral("0101"), {0, 102, 0}), QStringLiteral("01010102"));
    EXPECT_EQ(markedIds(qs({{101, 2}, {102, 5}, {103, 7}, {104, 3}})), (std::vector<int>{101, 103, 104}));
}

TEST(RecordRules, PruningRemovesUnmarkedIdsWithTheirFlags)
{
    const ListWithFlags before{QStringLiteral("010101020103"), QStringLiteral("TFT")};
    // Question 0102 unmarked (state 5), 0101 unmarked too (1), 0103 still marked.
    const ListWithFlags after = pruneUnmarked(before, qs({{102, 5}, {101, 1}, {103, 3}}));
    EXPECT_EQ(after.list, QStringLiteral("0103"));
    EXPECT_EQ(after.flags, QStringLiteral("T"));
    // An id that is not in the list changes nothing; a short flag line loses no other flag.
    const ListWithFlags shortFlags = pruneUnmarked({QStringLiteral("01010102"), QStringLiteral("T")}, qs({{102, 0}, {999, 0}}));
    EXPECT_EQ(shortFlags.list, QStringLiteral("0101"));
    EXPECT_EQ(shortFlags.flags, QStringLiteral("T"));
}

TEST(RecordRules, ReviewedFlagUpdates)
{
    // Whole list: entry i is question i.
    EXPECT_EQ(reviewAll(QStringLiteral("FFFF"), qs({{1, 4}, {2, 1}, {3, 5}, {4, 0}})), QStringLiteral("TFTF"));
    EXPECT_EQ(reviewAll(QStringLiteral("F"), qs({{1, 0}, {2, 0}, {3, 4}})), QStringLiteral("FFT"));
    // Not-reviewed entries: the j-th "F" is question j.
    EXPECT_EQ(reviewNotReviewed(QStringLiteral("TFTF"), qs({{1, 1}, {2, 5}})), QStringLiteral("TFTT"));
    // Whatever is not "T" is not reviewed, so it is a question of such a session too.
    EXPECT_EQ(reviewNotReviewed(QStringLiteral("FxTF"), qs({{1, 4}, {2, 0}, {3, 5}})), QStringLiteral("TFTT"));
}

TEST(RecordRules, UnitLinesAndPaperWrongList)
{
    EXPECT_EQ(unitPracticeLine(qs({{301, 5}, {302, 1}, {303, 0}, {304, 4}, {305, 2}, {306, 3}})), QStringLiteral("TFFTFF"));
    // Not-yet-learned questions 2 and 5 of unit 2, only question 5 completed.
    EXPECT_EQ(learnedLine(QStringLiteral("TFFFFF"), qs({{202, 1}, {205, 5}})), QStringLiteral("TFFFTF"));
    EXPECT_EQ(learnedLine(QStringLiteral("T"), qs({{203, 4}})), QStringLiteral("TFT"));
    // A review of five wrong questions, the second and fourth answered right.
    EXPECT_EQ(pruneAnswered(QStringLiteral("01010102010301040105"), qs({{101, 1}, {102, 5}, {103, 1}, {104, 4}, {105, 0}})),
              QStringLiteral("010101030105"));
}

TEST(RecordRules, ScoreHistoryOverDefaults)
{
    QStringList lines;
    for (int i = 1; i <= 90; ++i)
        lines << QStringLiteral("L%1").arg(i);
    lines << QString(); // the writer's closing empty line
    const ScoreEntries e = readScoreEntries(lines);
    EXPECT_EQ(e[89], QStringLiteral("L90"));
    EXPECT_EQ(e[90], QString());
    EXPECT_EQ(e[91], QStringLiteral("0"));
    EXPECT_EQ(e[92], QStringLiteral("E"));
    EXPECT_EQ(e[93], QStringLiteral("您还未考试！"));
    EXPECT_EQ(scoreLines(e, 31).size(), 93);

    QStringList longer;
    for (int i = 1; i <= 120; ++i)
        longer << QString::number(i);
    EXPECT_EQ(readScoreEntries(longer)[99], QStringLiteral("100"));
}

TEST(RecordRules, SessionQuestionsFollowTheSession)
{
    resetSession();
    SessionState& s = S();
    s.QuestionCount = 2;
    s.QuestionId[1] = 101;
    s.QuestionState[1] = 3;
    s.QuestionId[2] = 205;
    const SessionQuestions got = sessionQuestions(s);
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].id, 101);
    EXPECT_EQ(got[0].state, 3);
    EXPECT_EQ(got[1].id, 205);
    s.QuestionCount = 900;
    EXPECT_EQ(sessionQuestions(s).size(), static_cast<std::size_t>(MaxQuestions));
    resetSession();
}

} // namespace

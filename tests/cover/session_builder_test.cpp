#include "cover_fixture.h"

#include "cover/session_builder.h"

using namespace covertest;

namespace {

class SessionBuilderTest : public InstallationTest {};

TEST_F(SessionBuilderTest, ListIsCopiedInOrderWithExactlyTheQuestionsStepLines)
{
    writeBank(0, {2, 1});
    writeBank(1, {1, 2, 3});
    cover::InitShiTi(QStringLiteral("000101030001"), 19);

    EXPECT_EQ(S().QuestionCount, 3);
    EXPECT_EQ(S().QuestionId[1], 1);
    EXPECT_EQ(S().QuestionId[2], 103);
    EXPECT_EQ(S().QuestionId[3], 1);
    const QString q0001 = questionLine(QStringLiteral("c001"), 2, QStringLiteral("题目0001"));
    EXPECT_EQ(fileLines(data(QStringLiteral("288869"))),
              (QStringList{q0001, questionLine(QStringLiteral("c103"), 3, QStringLiteral("题目0103")), q0001}));
    EXPECT_EQ(fileLines(data(QStringLiteral("288819"))),
              (QStringList{QStringLiteral("u0q1s1"), QStringLiteral("u0q1s2"), QStringLiteral("u1q3s1"), QStringLiteral("u1q3s2"),
                           QStringLiteral("u1q3s3"), QStringLiteral("u0q1s1"), QStringLiteral("u0q1s2")}));
    EXPECT_TRUE(fileBytes(data(QStringLiteral("288869"))).endsWith("\r\n"));

    // A fixed paper's pair is its own number.
    cover::InitShiTi(QStringLiteral("0102"), 7);
    EXPECT_EQ(fileLines(data(QStringLiteral("288857"))), (QStringList{questionLine(QStringLiteral("c102"), 2, QStringLiteral("题目0102"))}));
    EXPECT_EQ(fileLines(data(QStringLiteral("288807"))), (QStringList{QStringLiteral("u1q2s1"), QStringLiteral("u1q2s2")}));
}

TEST_F(SessionBuilderTest, MissingBankOrPositionGetsAPlaceholderThatKeepsCountsAligned)
{
    writeBank(1, {1, 2});
    cover::InitShiTi(QStringLiteral("0103050101020"), 19); // 3 whole ids; the partial "0" is no question

    EXPECT_EQ(S().QuestionCount, 3);
    const QStringList questions = fileLines(data(QStringLiteral("288869")));
    ASSERT_EQ(questions.size(), 3);
    EXPECT_EQ(questions[0], cover::placeholderQuestionLine(103));
    EXPECT_EQ(questions[0], QStringLiteral("010301本题数据缺失（0103）"));
    EXPECT_EQ(questions[1], cover::placeholderQuestionLine(501));
    EXPECT_EQ(questions[2], questionLine(QStringLiteral("c102"), 2, QStringLiteral("题目0102")));
    const QStringList steps = fileLines(data(QStringLiteral("288819")));
    EXPECT_EQ(steps, (QStringList{cover::placeholderStepLine(), cover::placeholderStepLine(), QStringLiteral("u1q2s1"),
                                  QStringLiteral("u1q2s2")}));
    EXPECT_EQ(cover::firstLineTable(questions), (std::vector<int>{1, 2, 3, 5}));
    EXPECT_TRUE(log().contains(QStringLiteral("initshiti"))) << log().toStdString();
}

// A step bank that cannot be read makes its questions missing, as a missing bank does; one shorter
// than its counts promise gives what it holds, each line as the whole file's reading gives it.
TEST_F(SessionBuilderTest, AnUnreadableOrShortStepBank)
{
    writeBank(1, {2, 3});
    writeBank(2, {1});
    const QString stepBank = data(QStringLiteral("288821"));
    for (const platform::ReadFailure failure : {platform::ReadFailure::AtOpen, platform::ReadFailure::PartWay}) {
        platform::setReadFailureHook([&](const QString& p) { return QFileInfo(p) == QFileInfo(stepBank) ? failure : platform::ReadFailure::None; });
        const cover::BuiltSession built = cover::buildSession(S().DataDir, QStringLiteral("01020201"));
        platform::setReadFailureHook(nullptr);
        ASSERT_EQ(built.missing.size(), 1u);
        EXPECT_EQ(built.missing[0].id, 102);
        EXPECT_EQ(built.missing[0].error, 53);
        EXPECT_EQ(built.stepLines, (QStringList{cover::placeholderStepLine(), QStringLiteral("u2q1s1")}));
    }

    // Question 2 promises three steps from line 3; the file ends after line 4, cut inside a
    // character, and line 1 ends with one cut short.
    QFile f(stepBank);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("a\xd6\r\n\xb2\xe2\r\nb\n\xd6");
    f.close();
    const QStringList lines = fileLines(stepBank);
    ASSERT_EQ(lines.size(), 4);
    ASSERT_EQ(lines[1], QStringLiteral("测"));
    const cover::BuiltSession built = cover::buildSession(S().DataDir, QStringLiteral("01020101"));
    EXPECT_TRUE(built.missing.empty());
    EXPECT_EQ(built.stepLines, (QStringList{lines[2], lines[3], lines[0], lines[1]}));
}

TEST_F(SessionBuilderTest, WholeIdsOnlyAndEmptyListGivesEmptyFiles)
{
    writeBank(0, {1});
    const struct {
        QString list;
        int count;
    } cases[] = {{QString(), 0}, {QStringLiteral("00"), 0}, {QStringLiteral("000100"), 1}, {QStringLiteral("0001000100"), 2}};
    for (const auto& c : cases) {
        cover::InitShiTi(c.list, 19);
        EXPECT_EQ(S().QuestionCount, c.count) << c.list.toStdString();
        EXPECT_EQ(fileLines(data(QStringLiteral("288869"))).size(), c.count);
    }
    EXPECT_TRUE(fileBytes(data(QStringLiteral("288819"))).startsWith("u0q1s1\r\n"));
}

TEST_F(SessionBuilderTest, FirstLineTableFollowsCountsAndEndsAtABlankLine)
{
    EXPECT_EQ(cover::firstLineTable({questionLine(QStringLiteral("0001"), 3, QStringLiteral("a")),
                                     questionLine(QStringLiteral("0002"), 5, QStringLiteral("b")),
                                     questionLine(QStringLiteral("0003"), 2, QStringLiteral("c"))}),
              (std::vector<int>{1, 4, 9, 11}));
    EXPECT_EQ(cover::firstLineTable({questionLine(QStringLiteral("0001"), 3, QStringLiteral("a")), QStringLiteral("   "),
                                     questionLine(QStringLiteral("0003"), 2, QStringLiteral("c"))}),
              (std::vector<int>{1, 4}));
}

TEST_F(SessionBuilderTest, FirstLinesPastSixteenBitsAreKept)
{
    QStringList lines;
    for (int k = 0; k < 500; ++k)
        lines << questionLine(QStringLiteral("0001"), 99, QStringLiteral("q"));
    const std::vector<int> table = cover::firstLineTable(lines);
    ASSERT_EQ(table.size(), 501u);
    EXPECT_EQ(table[400], 1 + 400 * 99);
    EXPECT_EQ(table[500], 1 + 500 * 99);
}

TEST_F(SessionBuilderTest, FavouritesMarkWholeIdsOfTheSessionsQuestionsOnly)
{
    SessionState& s = S();
    s.QuestionCount = 4;
    s.QuestionId = {};
    const int ids[] = {101, 1203, 1011, 102};
    const int states[] = {4, 0, 0, 2};
    for (int i = 0; i < 4; ++i) {
        s.QuestionId[static_cast<std::size_t>(i + 1)] = ids[i];
        s.QuestionState[static_cast<std::size_t>(i + 1)] = states[i];
    }
    s.QuestionId[5] = 101; // left by an earlier session
    cover::markFavourites(s, QStringLiteral(" 010112030102X "));
    EXPECT_EQ(s.QuestionState[1], 6);
    EXPECT_EQ(s.QuestionState[2], 2);
    EXPECT_EQ(s.QuestionState[3], 0) << "1011 only occurs across two ids";
    EXPECT_EQ(s.QuestionState[4], 2) << "already marked: the bit is not added twice";
    EXPECT_EQ(s.QuestionState[5], 0) << "not a question of this session";
}

TEST_F(SessionBuilderTest, LaunchUsesTheSessionsFilesAndKeepsEverythingWhenTheyAreMissing)
{
    writeBank(3, {3, 5, 2});
    SessionState& s = S();
    s.SessionKind = 20;
    s.SetIndex = 3;
    s.QuestionCount = 3;
    s.CurrentQuestion = 7;
    s.MinutesLeft = 12;
    for (int i = 1; i <= 3; ++i)
        s.QuestionId[static_cast<std::size_t>(i)] = 300 + i;
    writeLines(record(QStringLiteral("288862")), {QStringLiteral("0302")});

    ASSERT_TRUE(cover::prepareLaunch(s));
    EXPECT_EQ(QFileInfo(s.StepFilePath).fileName(), QStringLiteral("288823.mxy"));
    EXPECT_EQ(QFileInfo(s.QuestionFilePath).fileName(), QStringLiteral("288873.mxy"));
    EXPECT_EQ(QFileInfo(s.TextTablePath).fileName(), QStringLiteral("288890.mxy"));
    EXPECT_EQ(s.CurrentQuestion, 1);
    EXPECT_EQ(s.CurrentStep, 1);
    EXPECT_EQ(s.MinutesLeft, 50);
    EXPECT_EQ((std::vector<int>{s.QuestionFirstLine[1], s.QuestionFirstLine[2], s.QuestionFirstLine[3], s.QuestionFirstLine[4]}),
              (std::vector<int>{1, 4, 9, 11}));
    EXPECT_EQ(s.QuestionStepCount[2], 5);
    EXPECT_EQ(s.QuestionState[2], 2);
    EXPECT_TRUE(s.FavouritesMarked);

    // Favourites that cannot be read mark nothing, and the session knows its marks are not theirs.
    platform::setReadFailureHook([](const QString& p) {
        return p.endsWith(QStringLiteral("288862.mxy")) ? platform::ReadFailure::PartWay : platform::ReadFailure::None;
    });
    s.QuestionState[2] = 0;
    ASSERT_TRUE(cover::prepareLaunch(s));
    platform::setReadFailureHook(nullptr);
    EXPECT_EQ(s.QuestionState[2], 0);
    EXPECT_FALSE(s.FavouritesMarked);
    EXPECT_TRUE(log().contains(QStringLiteral("read failed: ")));

    // Another unit without a bank: nothing changes, and the caller keeps the cover.
    s.SetIndex = 4;
    s.CurrentQuestion = 7;
    EXPECT_FALSE(cover::prepareLaunch(s));
    EXPECT_EQ(s.CurrentQuestion, 7);
    EXPECT_EQ(QFileInfo(s.QuestionFilePath).fileName(), QStringLiteral("288873.mxy"));
}

TEST(SessionLaunchRules, FileNumbersAndHandover)
{
    const struct {
        int kind, setIndex;
        const char* nn;
        cover::Handover to;
    } cases[] = {{0, 7, "07", cover::Handover::Login},  {8, 11, "19", cover::Handover::Login},
                 {20, 3, "23", cover::Handover::Panel}, {5, 14, "19", cover::Handover::Panel},
                 {6, 13, "19", cover::Handover::Panel}, {9, 10, "19", cover::Handover::Panel}};
    for (const auto& c : cases) {
        SessionState s;
        s.SessionKind = c.kind;
        s.SetIndex = c.setIndex;
        EXPECT_EQ(cover::sessionFileNo(s), QString::fromLatin1(c.nn)) << c.kind;
        EXPECT_EQ(cover::handoverFor(c.kind), c.to) << c.kind;
    }
}

} // namespace

#include "cover/list_practice.h"

#include "session/record_rules.h"
#include <gtest/gtest.h>

using namespace cover;

TEST(ListPractice, FlagsAreFittedToTheListBeforeAnyUse)
{
    struct Case {
        const char *list, *flags, *fitted;
    } cases[] = {
        {"010102050301", "TFT", "TFT"},
        {"010102050301", "", "FFF"},     // no flag file: nothing reviewed yet
        {"010102050301", "T", "TFF"},    // short
        {"010102050301", "TFTTT", "TFT"}, // long
        {"01010205030", "tT", "tT"},     // a partial id has no flag
        {"", "TT", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(records::fitFlags(QString::fromLatin1(c.flags), QString::fromLatin1(c.list)), QString::fromLatin1(c.fitted))
            << c.list << " " << c.flags;
}

TEST(ListPractice, TheCountsComeFromTheFlagLineAlone)
{
    struct Case {
        const char* flags;
        int notReviewed, reviewed;
    } cases[] = {{"TTF", 1, 2}, {"tF", 2, 0}, {"", 0, 0}, {"T T", 1, 2}};
    for (const Case& c : cases)
        EXPECT_EQ(flagCounts(QString::fromLatin1(c.flags)), std::make_pair(c.notReviewed, c.reviewed)) << c.flags;
}

TEST(ListPractice, EachFilterChoosesItsEntriesKindAndDoneTexts)
{
    const QString list = QStringLiteral("010102050301");
    struct Case {
        QuestionList which;
        int filter;
        const char* flags;
        const char* ids;
        int kind, setIndex;
        const char* done; // done texts of questions 1 to 3
    } cases[] = {
        {QuestionList::Favourites, 3, "TFT", "010102050301", 9, 10, "TFT"},
        {QuestionList::Favourites, 1, "TFT", "0205", 10, 9, "FFF"},
        {QuestionList::Favourites, 2, "TFT", "01010301", 11, 8, "TTT"},
        {QuestionList::Wrong, 3, "TFT", "010102050301", 12, 7, "TFT"},
        {QuestionList::Wrong, 1, "TFT", "0205", 13, 6, "FFF"},
        {QuestionList::Wrong, 2, "TFT", "01010301", 14, 5, "TTT"},
        // "t" is not reviewed; a missing flag file leaves every entry not reviewed.
        {QuestionList::Favourites, 1, "tTt", "01010301", 10, 9, "FFF"},
        {QuestionList::Favourites, 1, "", "010102050301", 10, 9, "FFF"},
        {QuestionList::Wrong, 3, "T", "010102050301", 12, 7, "TFF"},
    };
    for (const Case& c : cases) {
        const ListPractice p = planListPractice(c.which, c.filter, list, QString::fromLatin1(c.flags));
        SCOPED_TRACE(testing::Message() << c.filter << " " << c.flags << " kind " << c.kind);
        EXPECT_TRUE(p.notice.isEmpty());
        EXPECT_EQ(p.ids, QString::fromLatin1(c.ids));
        EXPECT_EQ(p.sessionKind, c.kind);
        EXPECT_EQ(p.setIndex, c.setIndex);
        for (int i = 1; i <= 3; ++i) {
            EXPECT_EQ(p.doneText(i), QString(QLatin1Char(c.done[i - 1])));
            EXPECT_EQ(p.state(i), c.done[i - 1] == 'T' ? 4 : 0);
        }
    }
}

TEST(ListPractice, NothingToPractiseGivesTheNotice)
{
    struct Case {
        QuestionList which;
        int filter;
        const char *list, *flags;
        const char* notice;
    } cases[] = {
        {QuestionList::Favourites, 3, "", "TT", "您还没有已收藏题目！"},
        {QuestionList::Wrong, 1, "", "", "您还没有错题记录！"},
        {QuestionList::Favourites, 1, "01010205", "TT", "您没有未复习的收藏题目！"},
        {QuestionList::Wrong, 1, "01010205", "TT", "您还没有未复习的错题记录！"},
        {QuestionList::Favourites, 2, "01010205", "FF", "您没有已复习的收藏题目！"},
        {QuestionList::Wrong, 2, "01010205", "", "您还没有已复习的错题记录！"},
        {QuestionList::Favourites, 3, "010", "", "您还没有已收藏题目！"}, // no whole id
    };
    for (const Case& c : cases)
        EXPECT_EQ(planListPractice(c.which, c.filter, QString::fromLatin1(c.list), QString::fromLatin1(c.flags)).notice,
                  QString::fromUtf8(c.notice))
            << c.list << " " << c.flags;
    EXPECT_EQ(practiceTitle(QuestionList::Favourites), QStringLiteral("收藏题目练习"));
    EXPECT_EQ(practiceTitle(QuestionList::Wrong), QStringLiteral("错题复习"));
}

TEST(ListPractice, ASessionTakesAtMostFiveHundredIds)
{
    QString list;
    for (int i = 0; i < 501; ++i)
        list += QStringLiteral("%1").arg(i % 100 + 100, 4, 10, QLatin1Char('0'));
    const QString flags = QString(500, QLatin1Char('T')) + QLatin1Char('F');
    const ListPractice all = planListPractice(QuestionList::Favourites, 3, list, flags);
    EXPECT_EQ(all.ids.size(), 2000);
    EXPECT_EQ(all.doneText(500), QStringLiteral("T"));
    EXPECT_EQ(all.doneText(501), QStringLiteral("F"));
    EXPECT_EQ(planListPractice(QuestionList::Favourites, 1, list, QString()).ids.size(), 2000);
}

TEST(ListPractice, ClearingKeepsTheOtherPartWithItsFlags)
{
    const QString list = QStringLiteral("010102050301");
    struct Case {
        int filter;
        const char* flags;
        const char *keptList, *keptFlags;
        bool notReviewedZero, reviewedZero;
    } cases[] = {
        {1, "TFT", "01010301", "TT", true, false},
        {2, "TFT", "0205", "F", false, true},
        {3, "TFT", "", "", true, true},
        {3, "", "", "", true, true},             // no flag file: still cleared
        {2, "", "010102050301", "FFF", false, true}, // never reviewed entries are kept
        {2, "tT", "01010301", "FF", false, true},
        {1, "tT", "0205", "T", true, false},
    };
    for (const Case& c : cases) {
        const auto r = planListClearing(c.filter, list, QString::fromLatin1(c.flags));
        SCOPED_TRACE(testing::Message() << c.filter << " " << c.flags);
        ASSERT_TRUE(r);
        EXPECT_EQ(r->listLine, QString::fromLatin1(c.keptList));
        EXPECT_EQ(r->flagLine, QString::fromLatin1(c.keptFlags));
        EXPECT_EQ(r->notReviewedCleared, c.notReviewedZero);
        EXPECT_EQ(r->reviewedCleared, c.reviewedZero);
    }
    EXPECT_FALSE(planListClearing(3, QString(), QStringLiteral("TT")));
    EXPECT_FALSE(planListClearing(1, QStringLiteral("010"), QString()));
}

TEST(ListPractice, ClearingAsksByListAndFilter)
{
    EXPECT_EQ(clearPrompt(QuestionList::Favourites, 1), QStringLiteral("您确实要清除未复习的收藏题目吗？"));
    EXPECT_EQ(clearPrompt(QuestionList::Favourites, 2), QStringLiteral("您确实要清除已复习的收藏题目吗？"));
    EXPECT_EQ(clearPrompt(QuestionList::Favourites, 3), QStringLiteral("您确实要清除全部收藏题目吗？"));
    EXPECT_EQ(clearPrompt(QuestionList::Wrong, 1), QStringLiteral("您确实要清除未学习的我的错题题目吗？"));
    EXPECT_EQ(clearPrompt(QuestionList::Wrong, 2), QStringLiteral("您确实要清除已学习的我的错题题目吗？"));
    EXPECT_EQ(clearPrompt(QuestionList::Wrong, 3), QStringLiteral("您确实要清除全部我的错题题目吗？"));
    EXPECT_EQ(clearTitle(QuestionList::Favourites), QStringLiteral("清除收藏的题目"));
    EXPECT_EQ(clearTitle(QuestionList::Wrong), QStringLiteral("清除我的错题"));
}

TEST(ListPractice, TickBoxesToggleTheirBitAndFace)
{
    struct Case {
        int index, filter;
        QuestionList which;
        int newFilter;
        const char* face;
    } cases[] = {
        {40, 1, QuestionList::Favourites, 0, "l20040"}, {40, 0, QuestionList::Favourites, 1, "l20090"},
        {41, 1, QuestionList::Favourites, 3, "l20091"}, {41, 3, QuestionList::Favourites, 1, "l20041"},
        {42, 3, QuestionList::Wrong, 2, "l20042"},      {42, 2, QuestionList::Wrong, 3, "l20092"},
        {43, 1, QuestionList::Wrong, 3, "l20093"},      {43, 2, QuestionList::Wrong, 0, "l20043"},
    };
    for (const Case& c : cases) {
        const FilterToggle t = toggleFilterBox(c.index, c.filter);
        EXPECT_EQ(t.list, c.which) << c.index;
        EXPECT_EQ(t.filter, c.newFilter) << c.index << " " << c.filter;
        EXPECT_EQ(t.face, QString::fromLatin1(c.face)) << c.index << " " << c.filter;
    }
}

#include "session/panel_rules.h"

#include "session_state/session_state.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelRules, QuestionTextOfPlainAndIllustratedLines)
{
    const panel::QuestionText plain = panel::questionText(u"000003甲|乙");
    EXPECT_EQ(plain.text, QStringLiteral("甲\r\n乙"));
    EXPECT_FALSE(plain.pictureCode);
    const panel::QuestionText pictured = panel::questionText(u"000005picture123456A|B");
    EXPECT_EQ(pictured.text, QStringLiteral("A|B"));
    EXPECT_EQ(pictured.pictureCode, QStringLiteral("123456"));
    EXPECT_EQ(panel::questionText(u"0000").text, QString());
    EXPECT_EQ(panel::textField(u"000005picture123456A|B"), QStringLiteral("picture123456A|B"));
}

TEST(PanelRules, TitleBySessionKind)
{
    resetSession();
    SessionState& s = S();
    s.ModuleName = QStringLiteral("电子表格");
    s.QuestionCount = 7;
    s.QuestionId[3] = 103;
    s.QuestionDoneText[3] = QStringLiteral("F");
    s.SetIndex = 4;
    s.PaperNo = 23;
    const std::pair<int, const char16_t*> cases[] = {
        {0, u"电子 5套第3题(0203)"},       {2, u"电子 错24-3/7(0203)(未完成)"}, {5, u"电子 已3/7(0203)(未完成)"},
        {6, u"电子 未3/7(0203)(未完成)"},  {8, u"电子 随3-3(0203)"},            {9, u"电子 藏3/7(0203)(未完成)"},
        {11, u"电子 藏3/7(0203)(未完成)"}, {12, u"电子 复3/7(0203)(未完成)"},   {14, u"电子 复3/7(0203)(未完成)"},
        {20, u"电子 5单元3/7题(未完成)"}};
    for (const auto& [kind, text] : cases) {
        s.SessionKind = kind;
        EXPECT_EQ(panel::title(s, 3), QString::fromUtf16(text)) << kind;
    }
    s.SessionKind = 7;
    EXPECT_FALSE(panel::title(s, 3));
    // Anything but "F" counts as done.
    s.SessionKind = 6;
    for (const char16_t* done : {u"T", u"", u"f"}) {
        s.QuestionDoneText[3] = QString::fromUtf16(done);
        EXPECT_EQ(panel::title(s, 3), QStringLiteral("电子 未3/7(0203)(已完成)"));
    }
    resetSession();
}

TEST(PanelRules, ListPagesAndFaces)
{
    const std::pair<int, int> pages[] = {{0, -1}, {25, 0}, {40, 0}, {41, 1}, {80, 1}, {81, 2}};
    for (const auto& [count, last] : pages)
        EXPECT_EQ(panel::lastListPage(count), last) << count;
    EXPECT_EQ(panel::numbersOnPage(41, 0), 40);
    EXPECT_EQ(panel::numbersOnPage(41, 1), 1);
    EXPECT_EQ(panel::numbersOnPage(80, 1), 40);
    EXPECT_EQ(panel::numbersOnPage(25, 0), 25);
    const char16_t* faces[] = {u"l01030", u"l01031", u"l01032", u"l01032", u"l01030", u"l01031", u"l01032", u"l01032"};
    for (int st = 0; st <= 7; ++st)
        EXPECT_EQ(panel::listFace(st), QString::fromUtf16(faces[st])) << st;
    EXPECT_EQ(panel::elapsedBarWidth(50, 2055), 0);
    EXPECT_EQ(panel::elapsedBarWidth(1, 2050), 2009);
}

} // namespace

// One line of the unfinished list, measured at 10 units a character.
TEST(PanelRules, UnfinishedListShowsWholeNumbersThenDots)
{
    const auto widthOf = [](const QString& t) { return 10 * static_cast<int>(t.size()); };
    const QString list = QStringLiteral("未完成的题目 1 2 10 11");
    struct Case {
        QString text;
        int width;
        QString shown;
    } const cases[] = {
        {list, 160, list}, // fits exactly
        {list, 159, QStringLiteral("未完成的题目 1 2 ...")}, // the dots need the room of "10 11"
        {list, 140, QStringLiteral("未完成的题目 1 2 ...")},
        {list, 139, QStringLiteral("未完成的题目 1 ...")},
        {list, 119, QStringLiteral("未完成的题目 ...")},
        {list, 30, QStringLiteral("未完成的题目 ...")}, // the heading stays, clipped
        {QStringLiteral("未完成的题目"), 30, QStringLiteral("未完成的题目")}, // nothing left out
        {QString(), 0, QString()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(panel::fitWholeItems(c.text, c.width, widthOf), c.shown) << c.width;

    QString five = QStringLiteral("未完成的题目");
    for (int i = 1; i <= 500; ++i)
        five += u' ' + QString::number(i);
    const QString shown = panel::fitWholeItems(five, 400, widthOf);
    EXPECT_EQ(shown, QStringLiteral("未完成的题目 1 2 3 4 5 6 7 8 9 10 11 12 13 ..."));
    EXPECT_LE(widthOf(shown), 400);
}

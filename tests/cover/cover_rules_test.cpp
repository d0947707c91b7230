#include "cover/cover_rules.h"

#include <gtest/gtest.h>

namespace {

std::array<int, cover::MaxUnits> counts(std::initializer_list<int> first)
{
    std::array<int, cover::MaxUnits> c{};
    std::size_t i = 0;
    for (int v : first)
        c[i++] = v;
    return c;
}

TEST(PaperTable, CountsFromLineOneAndUnitQuestionsFromLineTwoOnly)
{
    const cover::PaperTableHead head = cover::readPaperTable({QStringLiteral(" 1608 "), QStringLiteral("0405x7")});
    EXPECT_EQ(head.paperCount, 16);
    EXPECT_EQ(head.unitCount, 8);
    ASSERT_TRUE(head.unitQuestions);
    EXPECT_EQ((*head.unitQuestions)[0], 4);
    EXPECT_EQ((*head.unitQuestions)[1], 5);
    EXPECT_EQ((*head.unitQuestions)[2], 0);
    EXPECT_EQ((*head.unitQuestions)[3], 0);

    const cover::PaperTableHead one = cover::readPaperTable({QStringLiteral("8")});
    EXPECT_EQ(one.paperCount, 8);
    EXPECT_EQ(one.unitCount, 0);
    EXPECT_FALSE(one.unitQuestions) << "a one-line table gives no counts";
    EXPECT_FALSE(cover::readPaperTable({}).unitQuestions);
}

TEST(UnitProgress, LinesAreFittedToTheFullCountAtOnce)
{
    const QStringList fitted = cover::fitProgress({QStringLiteral("TFTFTT"), QString(), QStringLiteral("TT"), QStringLiteral("T")},
                                                  counts({4, 5, 50, 0}));
    ASSERT_EQ(fitted.size(), cover::ProgressUnits);
    EXPECT_EQ(fitted[0], QStringLiteral("TFTF"));
    EXPECT_EQ(fitted[1], QStringLiteral("FFFFF"));
    EXPECT_EQ(fitted[2], QStringLiteral("TT") + QString(48, u'F'));
    EXPECT_EQ(fitted[3], QString());
    EXPECT_EQ(fitted[24], QString());
    EXPECT_EQ(cover::progressFileText({QStringLiteral("TF"), QString()}), QStringLiteral("TF\r\n\r\n\r\n"));

    const cover::UnitRow row = cover::unitRow(QStringLiteral("TFTf"));
    EXPECT_EQ(row.questions, QStringLiteral("4"));
    EXPECT_EQ(row.notLearned, QStringLiteral("1")) << "a lower-case f is not counted";
    EXPECT_EQ(row.progress, QStringLiteral("TFTf"));
}

TEST(UnitList, CaptionsAreTwentyFiveColumnsWide)
{
    const QString four = QStringLiteral("数据输入");
    const QString twelve = QStringLiteral("一二三四五六七八九十甲乙");
    const struct {
        int unit;
        QString title, caption;
    } cases[] = {
        {1, four, QStringLiteral("1.") + four + QString(15, u' ')},
        {1, twelve, QStringLiteral("1.") + twelve.left(11) + u' '},
        {10, twelve, QStringLiteral("10.") + twelve.left(11)},
        {2, QStringLiteral("Excel"), QStringLiteral("2.Excel") + QString(18, u' ')},
        {3, QString(), QStringLiteral("3.") + QString(23, u' ')},
    };
    for (const auto& c : cases)
        EXPECT_EQ(cover::unitCaption(c.unit, c.title), c.caption) << c.title.toStdString();
}

TEST(UnitList, DefaultUnitIsTheFirstWithMoreThanAFifthOpen)
{
    EXPECT_EQ(cover::defaultUnit({{10, 10}, {10, 0}}, 2), 0);
    EXPECT_EQ(cover::defaultUnit({{10, 2}, {10, 0}, {10, 3}}, 3), 2);
    EXPECT_EQ(cover::defaultUnit({{10, 2}, {10, 1}}, 2), 1) << "all nearly learned: the last unit";
    EXPECT_EQ(cover::defaultUnit({}, 0), -1) << "no units: the all-units view";
}

TEST(UnitList, ChapterListsAndChartBars)
{
    EXPECT_EQ(cover::chapterIds(2, QStringLiteral("TFTF"), u'T'), QStringLiteral("02010203"));
    EXPECT_EQ(cover::chapterIds(2, QStringLiteral("TFTF"), u'F'), QStringLiteral("02020204"));
    EXPECT_EQ(cover::chapterIds(12, QStringLiteral("FFFF"), u'T'), QString());

    const auto bars = cover::chartBars(30, 12);
    ASSERT_TRUE(bars);
    EXPECT_DOUBLE_EQ(bars->learnedHeight, 2142);
    EXPECT_DOUBLE_EQ(bars->learnedTop, 3408);
    EXPECT_DOUBLE_EQ(bars->openHeight, 1428);
    EXPECT_DOUBLE_EQ(bars->openTop, 4122);
    EXPECT_FALSE(cover::chartBars(0, 0));
}

TEST(StoredRandomPapers, CountStopsAtTheFirstBlankAndAtTen)
{
    EXPECT_EQ(cover::randomPaperCount({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}), 3);
    EXPECT_EQ(cover::randomPaperCount({QStringLiteral("a"), QStringLiteral("  "), QStringLiteral("c")}), 1);
    EXPECT_EQ(cover::randomPaperCount({}), 0);
    EXPECT_EQ(cover::randomPaperCount(QStringList(20, QStringLiteral("x"))), 10);
}

TEST(Announcement, TextColourAndLink)
{
    const cover::Announcement a = cover::parseAnnouncement(
        {QStringLiteral("  第一行◎◎ 第三行  "), QStringLiteral("&HFF"), QStringLiteral("https://example.com/a")});
    EXPECT_EQ(a.text, QStringLiteral("第一行\r\n\r\n 第三行"));
    EXPECT_EQ(a.colour, QColor(255, 0, 0));
    EXPECT_EQ(a.link, QStringLiteral("https://example.com/a"));

    const cover::Announcement two = cover::parseAnnouncement({QStringLiteral("x"), QStringLiteral("&HFF0000")});
    EXPECT_EQ(two.colour, QColor(0, 0, 255));
    EXPECT_FALSE(two.link);
    EXPECT_EQ(cover::parseAnnouncement({}).text, QString());

    const struct {
        const char* text;
        QColor colour;
    } colours[] = {{"255", QColor(255, 0, 0)}, {"&H666666", QColor(0x66, 0x66, 0x66)}, {"", QColor(0, 0, 0)}, {"red", QColor(0, 0, 0)}};
    for (const auto& c : colours)
        EXPECT_EQ(cover::colourOf(QString::fromLatin1(c.text)), c.colour) << c.text;
}

TEST(Announcement, OnlyWebAndMailLinksMayBeOpened)
{
    const struct {
        const char* link;
        bool safe;
    } cases[] = {{"http://example.com/", true},     {"https://example.com/x?y=1", true}, {" mailto:a@example.com ", true},
                 {"file:///etc/passwd", false},     {"C:\\Windows\\calc.exe", false},     {"calc.exe", false},
                 {"javascript:alert(1)", false},    {"http://", false},                   {"", false},
                 {"ftp://example.com/", false}};
    for (const auto& c : cases)
        EXPECT_EQ(cover::isSafeAnnouncementLink(QString::fromLatin1(c.link)), c.safe) << c.link;
}

} // namespace

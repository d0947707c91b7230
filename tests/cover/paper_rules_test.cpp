#include "cover/paper_rules.h"
#include "session/record_rules.h"

#include <gtest/gtest.h>

#include <QSet>
#include <vector>

using namespace papers;

TEST(PaperSlots, SprintLastSlotByPaperCount)
{
    const std::vector<std::pair<int, int>> cases = {{0, 7}, {2, 7}, {3, 7}, {4, 1}, {7, 1}, {8, 3}, {10, 3},
                                                    {11, 3}, {12, 5}, {15, 5}, {16, 7}, {20, 7}};
    for (const auto& [count, last] : cases)
        EXPECT_EQ(sprintLastSlot(count), last) << count;
}

TEST(PaperSlots, TitlesAndColoursOfTenPapers)
{
    const int last = sprintLastSlot(10);
    const QStringList want = {"冲刺试卷一", "冲刺试卷二", "冲刺试卷三", "冲刺试卷四", "模拟试卷一",
                              "模拟试卷二", "模拟试卷三", "模拟试卷四", "模拟试卷五", "模拟试卷六"};
    for (int s = 0; s < 10; ++s) {
        EXPECT_EQ(slotTitle(s, last), want[s]);
        EXPECT_EQ(slotTitleColour(s, last), s <= 3 ? QColor(12, 127, 233) : QColor(51, 51, 51));
    }
    EXPECT_EQ(slotTitle(20, last), "随机试卷一");
    EXPECT_EQ(slotTitle(29, last), "随机试卷十");
    // Past ten numerals the title is bare.
    EXPECT_EQ(slotTitle(18, 7), "模拟试卷");
}

TEST(PaperSlots, CardGeometry)
{
    struct Case {
        int slot, sprintLast, left, top;
    };
    const Case cases[] = {{0, 3, 2880, 120}, {1, 3, 7440, 120}, {3, 3, 7440, 1470}, {4, 3, 2880, 120},
                          {9, 3, 7440, 2820}, {20, 3, 2880, 120}, {22, 3, 2880, 1470}, {29, 3, 7440, 5520},
                          {19, 7, 7440, 120 + 1350 * 5}};
    for (const Case& c : cases)
        EXPECT_EQ(cardOrigin(c.slot, c.sprintLast), QPoint(c.left, c.top)) << c.slot;
}

TEST(PaperSlots, TimeAndWrongCountCaptions)
{
    EXPECT_EQ(timeCaption("2016-03-01 09:05:41"), "最后考试时间：2016-03-01 09:05");
    EXPECT_EQ(timeCaption("您还未考试！"), "最后考试时间：您还未考试！");
    EXPECT_EQ(wrongCount(QString(40, '1')), 10);
    EXPECT_EQ(wrongCount("  " + QString(40, '1') + " "), 10);
    EXPECT_EQ(wrongCount(QString(41, '1')), 10);
    EXPECT_EQ(wrongCount(""), 0);
}

TEST(PaperSlots, Tabs)
{
    const int last = 3;
    const auto shown = [](const TabView& v) {
        std::vector<int> s;
        for (int j = 0; j < SlotCount; ++j)
            if (v.shown[static_cast<std::size_t>(j)])
                s.push_back(j);
        return s;
    };
    TabView v = tabView(28, last, 10, 3);
    EXPECT_EQ(shown(v), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(v.startFace, "l20047");
    EXPECT_FALSE(v.randomPicture);
    v = tabView(29, last, 10, 3);
    EXPECT_EQ(shown(v), (std::vector<int>{4, 5, 6, 7, 8, 9}));
    EXPECT_EQ(v.startFace, "l20048");
    v = tabView(30, last, 10, 3);
    EXPECT_TRUE(shown(v).empty());
    EXPECT_TRUE(v.randomPicture);
    EXPECT_FALSE(v.noHistory);
    v = tabView(31, last, 10, 3);
    EXPECT_EQ(shown(v), (std::vector<int>{20, 21, 22}));
    EXPECT_FALSE(v.noHistory);
    v = tabView(31, last, 10, 0);
    EXPECT_TRUE(shown(v).empty());
    EXPECT_TRUE(v.noHistory);
    // With PaperCount = SprintLastSlot + 1 the mock tab is empty.
    EXPECT_TRUE(shown(tabView(29, 3, 4, 0)).empty());
}

TEST(PaperSlots, DefaultTabLooksAtEverySprintPaperFromTheFirst)
{
    auto h = records::readScoreEntries({});
    for (int p = 0; p <= 3; ++p)
        h[static_cast<std::size_t>(3 * p + 1)] = "80";
    EXPECT_EQ(defaultPaperTab(3, h), 29);
    h[1] = "72.5";
    EXPECT_EQ(defaultPaperTab(3, h), 28);
    h[1] = "75";
    h[10] = "x";
    EXPECT_EQ(defaultPaperTab(3, h), 28);
}

TEST(PaperSlots, StartOfASlot)
{
    const PaperStart fixed = paperStart(3);
    EXPECT_FALSE(fixed.random);
    EXPECT_EQ(fixed.line, 6);
    EXPECT_EQ(fixed.sessionKind, 0);
    EXPECT_EQ(fixed.setIndex, 3);
    EXPECT_EQ(fixed.fileNo, 3);
    const PaperStart random = paperStart(20);
    EXPECT_TRUE(random.random);
    EXPECT_EQ(random.line, 1);
    EXPECT_EQ(random.sessionKind, 8);
    EXPECT_EQ(random.setIndex, 11);
    EXPECT_EQ(random.fileNo, 19);
    EXPECT_EQ(paperStart(29).line, 10);
}

namespace {

// A small linear congruential generator: the same numbers on every run.
Uniform lcg(std::uint32_t seed)
{
    return [state = seed]() mutable {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / static_cast<double>(1u << 24);
    };
}

} // namespace

TEST(RandomDraw, FortyDifferentIdsOfExistingQuestions)
{
    const std::vector<int> sizes = {12, 0, 30, 8};
    for (std::uint32_t seed : {1u, 7u, 12345u}) {
        const auto paper = drawRandomPaper(sizes, lcg(seed));
        ASSERT_TRUE(paper);
        ASSERT_EQ(paper->size(), 160);
        QSet<QString> ids;
        for (int k = 0; k < 40; ++k) {
            const QString id = paper->mid(4 * k, 4);
            ids.insert(id);
            const int u = id.left(2).toInt();
            const int q = id.right(2).toInt();
            ASSERT_TRUE(u == 0 || u == 2 || u == 3) << id.toStdString(); // never the empty unit
            EXPECT_GE(q, 1);
            EXPECT_LE(q, sizes[static_cast<std::size_t>(u)]);
        }
        EXPECT_EQ(ids.size(), 40);
    }
}

TEST(RandomDraw, IdsAreUnitThenPositionWithLeadingZeros)
{
    // r = 0.003 picks unit 3 of four, r = 0.006 position 7 of eight; then walk the rest.
    std::vector<double> script = {0.003, 0.006};
    std::size_t k = 0;
    auto fallback = lcg(3);
    const auto paper = drawRandomPaper(std::vector<int>{10, 10, 10, 10}, [&]() { return k < script.size() ? script[k++] : fallback(); });
    ASSERT_TRUE(paper);
    EXPECT_EQ(paper->left(4), "0307");
}

TEST(RandomDraw, ABankOfFewerThanFortyGivesNothing)
{
    EXPECT_FALSE(drawRandomPaper(std::vector<int>{30}, lcg(1)));
    EXPECT_FALSE(drawRandomPaper(std::vector<int>{20, 0, 19}, lcg(1)));
    EXPECT_FALSE(drawRandomPaper(std::vector<int>{}, lcg(1)));
    EXPECT_TRUE(drawRandomPaper(std::vector<int>{20, 0, 20}, lcg(1)));
    // A generator stuck on one number gives up instead of hanging.
    EXPECT_FALSE(drawRandomPaper(std::vector<int>{50}, [] { return 0.5; }));
}

TEST(RandomShifts, GenerationMovesListAndTriples)
{
    const QStringList former = {"A", "B", "C"};
    const QStringList list = listAfterGeneration("N", former);
    EXPECT_EQ(list, (QStringList{"N", "A", "B", "C", "", "", "", "", "", ""}));
    QStringList ten;
    for (int i = 0; i < 10; ++i)
        ten << QString::number(i);
    EXPECT_EQ(listAfterGeneration("N", ten).last(), "8"); // the oldest is gone

    auto h = records::readScoreEntries({});
    for (std::size_t k = 0; k < 90; ++k)
        h[k] = QString::number(k);
    historyAfterGeneration(h, "now");
    for (std::size_t k = 0; k < 60; ++k)
        EXPECT_EQ(h[k], QString::number(k));
    EXPECT_EQ(h[60], "now");
    EXPECT_EQ(h[61], "0");
    EXPECT_EQ(h[62], "E");
    for (std::size_t k = 63; k < 90; ++k)
        EXPECT_EQ(h[k], QString::number(k - 3));
}

TEST(RandomShifts, DeletionMovesLaterPapersUp)
{
    EXPECT_EQ(listAfterDeletion({"A", "B", "C"}, 20, 3), (QStringList{"B", "C"}));
    EXPECT_EQ(listAfterDeletion({"A", "B", "C"}, 22, 3), (QStringList{"A", "B"}));
    EXPECT_EQ(listAfterDeletion({"A"}, 20, 1), QStringList());

    auto h = records::readScoreEntries({});
    for (std::size_t k = 0; k < 100; ++k)
        h[k] = QString::number(k);
    historyAfterDeletion(h, 20, 3);
    for (std::size_t k = 0; k < 60; ++k)
        EXPECT_EQ(h[k], QString::number(k));
    for (std::size_t k = 60; k < 66; ++k)
        EXPECT_EQ(h[k], QString::number(k + 3));
    for (std::size_t k = 66; k < 69; ++k) // the old last slot stays as it was
        EXPECT_EQ(h[k], QString::number(k));
}

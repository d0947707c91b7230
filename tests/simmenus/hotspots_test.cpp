#include <gtest/gtest.h>

#include "simmenus/hotspots.h"

using namespace simmenus;

TEST(HotSpots, ElementsWhereTheBarPicturesShowThem)
{
    struct Case {
        int no;
        Container container;
        QRect rect;
    };
    const Case cases[] = {
        {1, Container::PicMenu, {420, 0, 870, 270}},
        {9, Container::PicMenu, {7380, 0, 870, 270}},
        {11, Container::PicHui, {150, 60, 870, 270}},
        {13, Container::PicHui, {1455, 60, 1230, 270}},
        {24, Container::PicHui, {6225, 30, 510, 330}},
        {31, Container::PicHui, {9135, 30, 345, 330}},
        {41, Container::PicTool, {135, 15, 345, 330}},
        {57, Container::PicTool, {6930, 15, 180, 330}},
        {62, Container::PicTool, {8580, 30, 1050, 330}},
        {66, Container::PicTool, {10665, 15, 345, 330}},
        {67, Container::PicTool, {135, 420, 2310, 330}},
        {68, Container::PicTool, {2445, 420, 720, 330}},
        {85, Container::PicTool, {9465, 405, 510, 330}},
        {86, Container::PicTool, {6600, 15, 345, 330}},
    };
    for (const Case& c : cases) {
        const auto h = hotSpot(c.no);
        ASSERT_TRUE(h) << c.no;
        EXPECT_EQ(h->container, c.container) << c.no;
        EXPECT_EQ(h->rect(), c.rect) << c.no;
        EXPECT_EQ(containerOf(c.no), c.container) << c.no;
    }
    for (int none : {0, 10, 32, 40, 87})
        EXPECT_FALSE(hotSpot(none)) << none;
    EXPECT_EQ(barHotSpots().size(), 9u + 21u + 46u);
    EXPECT_EQ(containerPos(Container::PicMenu), QPoint(0, 420));
    EXPECT_EQ(containerPos(Container::PicTool), QPoint(0, 750));
    EXPECT_EQ(containerPos(Container::PicHui), QPoint(0, 8340));
    EXPECT_EQ(containerPos(Container::PicElse), std::nullopt);
}

TEST(HotSpots, HitTestFrontFirstAndGaps)
{
    struct Case {
        Container container;
        int x, y;
        std::optional<int> element;
    };
    const Case cases[] = {
        {Container::PicMenu, 420, 0, 1},
        {Container::PicMenu, 1289, 269, 1},
        {Container::PicMenu, 1290, 100, 2},  // the titles touch
        {Container::PicMenu, 419, 100, std::nullopt},
        {Container::PicMenu, 8250, 100, std::nullopt},
        {Container::PicTool, 6935, 100, 86}, // the overlap of the sum button and its arrow
        {Container::PicTool, 6945, 100, 57},
        {Container::PicTool, 1860, 100, std::nullopt}, // gaps in the standard row
        {Container::PicTool, 4545, 100, std::nullopt},
        {Container::PicTool, 11010, 100, std::nullopt},
        {Container::PicTool, 9000, 20, std::nullopt}, // 62 starts lower than its row
        {Container::PicTool, 9000, 100, 62},
        {Container::PicTool, 200, 415, std::nullopt}, // the font box starts at 420
        {Container::PicTool, 9000, 500, 84},
        {Container::PicHui, 200, 40, std::nullopt},
        {Container::PicHui, 200, 100, 11},
        {Container::PicHui, 6300, 100, 24},
        {Container::PicElse, 10, 10, std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(elementAt(c.container, c.x, c.y), c.element) << c.x << "," << c.y;
}

TEST(HotSpots, TooltipsAndHighlightPlaces)
{
    EXPECT_EQ(hotSpot(24)->tooltip, u"填充颜色");
    EXPECT_EQ(hotSpot(84)->tooltip, u"填充颜色");
    EXPECT_EQ(hotSpot(26)->tooltip, hotSpot(85)->tooltip);
    EXPECT_EQ(hotSpot(57)->tooltip, u"自动求和");
    EXPECT_EQ(hotSpot(86)->tooltip, u"自动求和");
    EXPECT_EQ(hotSpot(63)->tooltip, u"Microsoft Excel 帮助");
    for (const HotSpot& h : barHotSpots())
        EXPECT_EQ(h.tooltip.isEmpty(), h.no <= 13) << h.no;
    EXPECT_EQ(highlightPos(57), QPoint(6600, 15));
    EXPECT_EQ(highlightPos(84), QPoint(8955, 405));
    EXPECT_EQ(highlightPos(10), std::nullopt);
}

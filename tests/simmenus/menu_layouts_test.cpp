#include <gtest/gtest.h>

#include "simmenus/menu_layouts.h"

#include <algorithm>

using namespace simmenus;

namespace {

std::optional<QRect> spot(const std::vector<ItemSpot>& spots, int no)
{
    for (const ItemSpot& s : spots)
        if (s.no == no)
            return s.rect;
    return std::nullopt;
}

std::vector<int> tops(const std::vector<ItemSpot>& spots)
{
    std::vector<int> v;
    for (const ItemSpot& s : spots)
        v.push_back(s.rect.top());
    return v;
}

} // namespace

TEST(MenuLayouts, MenusFromTheirGroupSizes)
{
    const auto menu1 = dropDownItems(1, 1, 1);
    ASSERT_EQ(menu1.size(), 21U);
    EXPECT_EQ(spot(menu1, 4), QRect(30, 1095, 3900, 330));
    EXPECT_EQ(spot(menu1, 9)->top(), 2850);
    EXPECT_EQ(spot(menu1, 20)->top(), 6765);
    EXPECT_EQ(spot(menu1, 21)->top(), 7140);
    EXPECT_EQ(tops(dropDownItems(5, 1, 1)), (std::vector<int>{30, 375, 720, 1065, 1440, 1785, 2130, 2475}));

    const struct {
        int element;
        std::size_t items;
    } counts[] = {{1, 21}, {2, 16}, {3, 11}, {4, 15}, {5, 8}, {6, 18}, {7, 14}, {8, 10}, {9, 9}};
    for (const auto& c : counts)
        EXPECT_EQ(dropDownItems(c.element, 1, 1).size(), c.items) << c.element;
    // The two panes that reuse menus.
    EXPECT_EQ(dropDownItems(36, 0.8, 1.25), dropDownItems(8, 0.8, 1.25));
    EXPECT_EQ(dropDownItems(37, 1, 1), dropDownItems(5, 1, 1));
    for (int none : {0, 10, 12, 14, 23, 35, 38, 40, 41, 56, 66, 86, 87})
        EXPECT_TRUE(dropDownItems(none, 1, 1).empty()) << none;
}

TEST(MenuLayouts, ToolbarListsAndGrids)
{
    const struct {
        int element;
        int item;
        QRect rect;
    } cases[] = {
        {11, 4, {30, 1095, 3135, 330}},  {11, 13, {30, 4290, 3135, 330}}, {13, 1, {30, 165, 2505, 330}},
        {13, 8, {30, 2610, 2505, 330}},  {27, 9, {60, 2010, 2100, 240}},  {27, 10, {105, 2310, 2100, 240}},
        {27, 14, {30, 3390, 2100, 240}}, {28, 8, {60, 1560, 1470, 210}},  {29, 11, {60, 2490, 1470, 240}},
        {29, 12, {30, 2850, 1530, 330}}, {57, 6, {30, 1785, 2145, 330}},  {62, 6, {30, 930, 990, 180}},
        {67, 2, {30, 330, 3750, 330}},   {68, 12, {30, 2010, 390, 180}},  {32, 7, {30, 2130, 1785, 330}},
        {32, 11, {30, 3540, 1785, 330}}, {84, 9, {60, 870, 270, 270}},    {84, 40, {1950, 1680, 270, 270}},
        {84, 41, {60, 210, 2160, 330}},  {24, 43, {30, 2400, 2160, 330}}, {26, 42, {60, 2010, 2160, 330}},
        {26, 43, {0, 0, 0, 0}},          {33, 1, {60, 480, 270, 270}},    {33, 42, {30, 1950, 2160, 330}},
        {34, 1, {0, 0, 270, 270}},       {34, 40, {1890, 1080, 270, 270}}, {83, 12, {1230, 930, 375, 360}},
        {83, 13, {30, 1410, 1650, 330}}, {30, 20, {1275, 2100, 390, 390}}, {31, 22, {30, 2550, 1620, 330}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spot(dropDownItems(c.element, 1, 1), c.item), c.rect) << c.element << " item " << c.item;

    const struct {
        int element;
        std::size_t items;
    } counts[] = {{11, 13}, {13, 8}, {24, 43}, {25, 43}, {26, 43}, {27, 14}, {28, 8}, {29, 12}, {30, 22},
                  {31, 22}, {57, 6}, {62, 6}, {67, 12}, {68, 12}, {83, 13}, {84, 41}, {85, 41}, {32, 11},
                  {33, 42}, {34, 40}};
    for (const auto& c : counts)
        EXPECT_EQ(dropDownItems(c.element, 1, 1).size(), c.items) << c.element;
}

TEST(MenuLayouts, ScaledListsRoundHalvesToEvenAtEveryStep)
{
    // 345 x 0.9 = 310.5: each stored top rounds to even, and the gap's 27 is added to the
    // rounded value.
    EXPECT_EQ(groupedTops(QStringLiteral("21"), 3, 30, 345, 0.9), (std::vector<int>{27, 338, 675}));
    const auto scaled = tops(dropDownItems(5, 1, 0.8));
    EXPECT_EQ(scaled, (std::vector<int>{24, 300, 576, 852, 1152, 1428, 1704, 1980}));
    const auto left = dropDownItems(1, 1.25, 1);
    EXPECT_EQ(left.front().rect, QRect(38, 30, 4875, 330)); // 37.5 rounds to 38, 4875 exact
}

TEST(MenuLayouts, Cascades)
{
    const auto c304 = cascadeItems(304, 1, 1);
    ASSERT_EQ(c304.size(), 20U);
    EXPECT_EQ(c304[18].rect.top(), 6240);
    EXPECT_EQ(c304[19].rect.top() - c304[18].rect.top(), 375);
    EXPECT_EQ(tops(cascadeItems(613, 1, 1)), (std::vector<int>{30, 375, 720, 1065, 1440, 1785, 2130, 2505}));
    EXPECT_EQ(tops(cascadeItems(610, 1, 1)), (std::vector<int>{30, 405}));
    EXPECT_EQ(spot(cascadeItems(1303, 1, 1), 5), QRect(30, 510, 345, 330));
    EXPECT_EQ(spot(cascadeItems(1303, 1, 1), 32), QRect(1065, 2490, 345, 330));
    EXPECT_EQ(spot(cascadeItems(1301, 1, 1), 4), QRect(30, 510, 345, 330));
    EXPECT_EQ(spot(cascadeItems(1301, 1, 1), 9), QRect(720, 840, 345, 330));
    EXPECT_EQ(tops(cascadeItems(1109, 1, 1)), (std::vector<int>{165, 540, 885, 1230, 1575, 1950, 2295, 2670}));
    EXPECT_EQ(cascadeItems(1104, 1, 1).size(), 6U);
    for (int none : {101, 1110, 800, 0})
        EXPECT_TRUE(cascadeItems(none, 1, 1).empty()) << none;

    // Exactly the items that open a cascade have a layout.
    const std::vector<int> keys = cascadeKeys();
    EXPECT_EQ(keys.size(), 36U);
    for (const int key : keys) {
        EXPECT_TRUE(opensCascade(key / 100, key % 100)) << key;
        EXPECT_FALSE(cascadeItems(key, 1, 1).empty()) << key;
    }
    EXPECT_FALSE(opensCascade(1, 1));
    EXPECT_FALSE(opensCascade(0, 109));
}

TEST(MenuLayouts, WhereDropDownsOpen)
{
    OpenerGeometry g;
    g.spot = QRect(4770 - 870, 0, 870, 270); // menu 5
    g.container = QRect(0, 420, 12000, 285);
    EXPECT_EQ(dropDownPos(5, g), QPoint(3900, 690));

    g.spot = QRect(150, 60, 870, 270); // drawing menu 11 opens upwards
    g.container = QRect(0, 8340, 12000, 360);
    g.dropDownHeight = 4700;
    EXPECT_EQ(dropDownPos(11, g), QPoint(150, 8340 + 60 - 4700));

    g.spot = QRect(6930, 15, 180, 330); // the sum arrow opens under the sum button
    g.sumButton = QRect(6600, 15, 345, 330);
    g.container = QRect(0, 750, 12000, 780);
    g.pressedHeight = 330;
    EXPECT_EQ(dropDownPos(57, g), QPoint(6600, 750 + 15 + 330));

    g.container = QRect(2000, 3000, 2400, 1500); // panes: below the pane, 32 a little right
    EXPECT_EQ(dropDownPos(36, g), QPoint(2000, 4500));
    g.sx = 1.2;
    EXPECT_EQ(dropDownPos(32, g), QPoint(2900, 4500));

    const struct {
        int element;
        bool pressed, dropDown;
    } kinds[] = {{1, true, true},    {9, true, true},   {10, false, false}, {11, true, true}, {12, true, false},
                 {24, true, true},   {31, true, true},  {32, true, true},   {33, false, false}, {35, false, false},
                 {36, true, true},   {40, false, false}, {56, true, false}, {57, true, true},  {86, true, false},
                 {62, true, true},   {83, true, true},  {69, true, false}};
    for (const auto& k : kinds) {
        EXPECT_EQ(showsPressed(k.element), k.pressed) << k.element;
        EXPECT_EQ(opensDropDown(k.element), k.dropDown) << k.element;
    }
}

TEST(MenuLayouts, CascadesStayInsideTheWindow)
{
    const QRect dropDown(3000, 690, 4200, 5000);
    const QPoint open = cascadeOpenPos(dropDown, 1095, 1);
    EXPECT_EQ(open, QPoint(7185, 1785));
    const struct {
        QRect cascade;
        double sx, sy;
        QPoint expected;
    } cases[] = {
        {{7185, 1785, 3000, 2000}, 1, 1, {7185, 1785}},                      // fits
        {{7185, 7000, 3000, 2000}, 1, 1, {7185, 6820}},                      // raised to end at 8820
        {{9000, 1785, 3000, 2000}, 1, 1, {15, 1785}},                        // flipped left: 3000 - 3000 + 15
        {{9000, 7000, 3000, 2000}, 1, 1, {15, 6820}},                        // both
        {{7185, 6000, 3000, 2000}, 1, 0.8, {7185, 7056 - 2000}},             // 8820 x 0.8
        {{7185, 1785, 3000, 2000}, 0.8, 1, {3000 - 3000 + 12, 1785}},        // 11850 x 0.8 = 9480
    };
    for (const auto& c : cases)
        EXPECT_EQ(cascadeFitPos(c.cascade, dropDown, c.sx, c.sy), c.expected) << c.cascade.x() << "," << c.cascade.y();
}

TEST(MenuLayouts, PictureNames)
{
    EXPECT_EQ(chrome::hover(5), QStringLiteral("050088"));
    EXPECT_EQ(chrome::pressed(57), QStringLiteral("570099"));
    EXPECT_EQ(chrome::dropDown(57), QStringLiteral("570077"));
    EXPECT_EQ(chrome::pane(36), QStringLiteral("360000"));
    EXPECT_EQ(chrome::itemHover(84, 12), QStringLiteral("499912"));
    EXPECT_EQ(chrome::itemHover(33, 40), QStringLiteral("499940"));
    EXPECT_EQ(chrome::itemHover(84, 41), QStringLiteral("844100"));
    EXPECT_EQ(chrome::itemHover(5, 3), QStringLiteral("050300"));
    EXPECT_EQ(chrome::cascade(3, 4), QStringLiteral("030477"));
    EXPECT_EQ(chrome::cascadeItemHover(13, 3, 12), QStringLiteral("130312"));
}

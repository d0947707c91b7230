#include "simwindow/layout_rules.h"
#include "simwindow/step_record.h"
#include "support/step_line.h"

#include <gtest/gtest.h>

namespace {

using simwindow::ZonePanels;

TEST(ZonePanels, TwoSetsAddUp)
{
    const struct {
        const char* zones; // columns 4-7: ZoneSpec1 then ZoneSpec2
        ZonePanels panels;
    } cases[] = {
        {"A1  ", {true, false, false, false}}, {"A2  ", {false, true, false, false}},
        {"A4  ", {false, false, true, false}}, {"A5  ", {true, false, true, false}},
        {"B3  ", {true, true, false, true}},   {"A1A6", {true, true, true, false}},
        {"  B4", {false, false, true, true}},  {"C7EE", {false, false, false, false}},
        {"a7  ", {false, false, false, false}}, {"A   ", {false, false, false, false}},
        {"B0  ", {false, false, false, true}},
        // Only the digits 1 to 7 name bar panels; "B" still shows the pane panel.
        {"A9  ", {false, false, false, false}}, {"B9  ", {false, false, false, true}},
        {"A8A1", {true, false, false, false}},
    };
    for (const auto& c : cases) {
        const auto rec = simwindow::StepRecord::fromLine(stepLine({{4, QString::fromUtf8(c.zones)}}));
        EXPECT_EQ(simwindow::zonePanels(rec), c.panels) << c.zones;
    }
}

TEST(TabNumber, DigitsAndTheLettersAToD)
{
    const struct {
        const char* c;
        int n;
    } cases[] = {{"1", 1}, {"9", 9}, {"A", 10}, {"D", 13}, {"E", 0}, {"a", 0}, {"", 0}, {" ", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(simwindow::tabNumber(QString::fromUtf8(c.c)), c.n) << c.c;
}

TEST(ListItems, EveryBarSeparates)
{
    EXPECT_EQ(simwindow::listItems(QStringLiteral("a|b|c")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(simwindow::listItems(QStringLiteral("a")), QStringList{"a"});
    EXPECT_EQ(simwindow::listItems(QStringLiteral("a|")), (QStringList{"a", ""}));
}

TEST(LocationFaceLeft, IndentOfEachEntry)
{
    const int expected[14] = {30, 30, -120, -120, -270, -270, -270, -270, -270, -270, -270, -270, -270, -120};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(simwindow::locationFaceLeft(i), expected[i]) << i;
    EXPECT_EQ(simwindow::locationFaceLeft(-1), std::nullopt);
    EXPECT_EQ(simwindow::locationFaceLeft(14), std::nullopt);
}

TEST(HintFrame, ElementTellsThePanelAndTheBounds)
{
    using simmenus::Container;
    const QRect spot(420, 0, 870, 270);
    const QSize pane(3000, 2000);
    const struct {
        int element;
        std::optional<Container> panel;
        QRect rect;
    } cases[] = {
        {3, Container::PicMenu, {420, 15, 870, 255}},   {11, Container::PicHui, spot},
        {35, Container::PicElse, {435, 15, 2985, 1985}}, {57, Container::PicTool, spot},
        {86, Container::PicTool, spot},                 {0, std::nullopt, {}},
        {10, std::nullopt, {}},                         {87, std::nullopt, {}},
    };
    for (const auto& c : cases) {
        const auto f = simwindow::hintFrame(c.element, spot, pane, 1.0, 1.0);
        ASSERT_EQ(f.has_value(), c.panel.has_value()) << c.element;
        if (f) {
            EXPECT_EQ(f->container, *c.panel) << c.element;
            EXPECT_EQ(f->rect, c.rect) << c.element;
        }
    }
    // At another scale the frame stays one scaled pixel inside.
    EXPECT_EQ(simwindow::hintFrame(3, spot, pane, 0.8, 0.8)->rect, QRect(420, 12, 870, 258));
}

TEST(FrameElement, HOrDCodes)
{
    EXPECT_EQ(simwindow::frameElement(u"H57000000C", false), 57);
    EXPECT_EQ(simwindow::frameElement(u"D0312abcd0", true), 3);
    EXPECT_EQ(simwindow::frameElement(u"D0312abcd0", false), std::nullopt);
    EXPECT_EQ(simwindow::frameElement(u"R3123     ", true), std::nullopt);
}

} // namespace

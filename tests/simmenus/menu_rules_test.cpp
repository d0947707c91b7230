#include <gtest/gtest.h>

#include "simmenus/menu_rules.h"
#include "simwindow/step_record.h"

#include "support/step_line.h"

using namespace simmenus;
using simwindow::StepAction;

namespace {

TargetCodes codes3(const char* c125, const char* c86 = "", const char* c96 = "")
{
    return {QString::fromUtf8(c125), QString::fromUtf8(c86), QString::fromUtf8(c96)};
}

} // namespace

TEST(MenuRules, ElementClicks)
{
    const StepAction next = StepAction::next();
    const struct {
        TargetCodes codes;
        int element;
        StepAction expected;
    } cases[] = {
        {codes3("H050000000"), 5, next},
        {codes3("H05000000C"), 5, StepAction::jumpBy(QStringLiteral("C"))},
        {codes3("H050000000"), 4, StepAction::none()},
        {codes3("H050300000"), 5, StepAction::none()},      // an item of menu 5, not the title
        {codes3("D050000000"), 5, StepAction::none()},      // a mark is never a target
        {codes3("", "", "H570000000"), 57, next},           // the third place too
        {codes3("x", "H860000000"), 86, next},
        // The first match acts: a second code for the same element is not tried again.
        {codes3("H05000000C", "H050000000"), 5, StepAction::jumpBy(QStringLiteral("C"))},
    };
    for (const auto& c : cases)
        EXPECT_EQ(elementClick(c.codes, c.element), c.expected) << c.codes[0].toStdString() << c.element;
}

TEST(MenuRules, ItemAndCascadeClicks)
{
    const TargetCodes item = codes3("H050300000");
    EXPECT_EQ(itemClick(item, 5, 3), StepAction::next());
    EXPECT_EQ(itemClick(item, 5, 4), StepAction::none());
    EXPECT_EQ(itemClick(item, 4, 3), StepAction::none());
    EXPECT_EQ(cascadeClick(item, 5, 3, 0), StepAction::next()); // "00" reads 0 (no such item)
    const TargetCodes sub = codes3("", "H030402000", "");
    EXPECT_EQ(itemClick(sub, 3, 4), StepAction::none()); // names a cascade item
    EXPECT_EQ(cascadeClick(sub, 3, 4, 2), StepAction::next());
    EXPECT_EQ(cascadeClick(sub, 3, 4, 3), StepAction::none());
    EXPECT_EQ(cascadeClick(codes3("H0304020B"), 3, 4, 2), StepAction::jumpBy(QString())); // short: no jump field
    EXPECT_EQ(cascadeClick(codes3("H03040200B"), 3, 4, 2), StepAction::jumpBy(QStringLiteral("B")));
    // Two codes for the palette cell of a pane: one click, one advance.
    EXPECT_EQ(itemClick(codes3("H331200000", "H331200000"), 33, 12), StepAction::next());
}

TEST(MenuRules, StepMarks)
{
    const auto m = stepMark(u"D0503 1234", 5);
    ASSERT_TRUE(m);
    EXPECT_EQ(m->item, 3);
    EXPECT_EQ(m->picture, QStringLiteral("1234"));
    EXPECT_FALSE(stepMark(u"D0503 1234", 4));
    EXPECT_FALSE(stepMark(u"H0503 1234", 5));
    // Menu 5 lays out eight items; the others stay parked outside its picture.
    for (const char16_t* none : {u"D0500 1234", u"D05xx 1234", u"D0545 1234", u"D0509 1234", u"D0544 1234"})
        EXPECT_FALSE(stepMark(none, 5)) << QString::fromUtf16(none).toStdString();
    EXPECT_EQ(stepMark(u"D0508 1234", 5)->item, 8);
    EXPECT_EQ(stepMark(u"D2443 1234", 24)->item, 43);
    EXPECT_EQ(stepMark(u"D0121 1234", 1)->item, 21);
}

TEST(MenuRules, PanesAStepOpens)
{
    const auto rec = [](const QString& at86, const QString& at96) {
        return simwindow::StepRecord::fromLine(stepLine({{86, at86}, {96, at96}}));
    };
    using K = PaneRequest::Kind;
    const struct {
        QString at86, at96;
        std::optional<K> kind;
        QPoint pos;
    } cases[] = {
        {QStringLiteral("H36"), QStringLiteral("01000 0200"), K::Pane, {6510, 420}},
        {QStringLiteral("H32"), QStringLiteral("01000 0200"), K::Pane, {9090, 1905}},
        {QStringLiteral("H37"), QStringLiteral("01000 0200"), K::Pane, {5640, 420}},
        {QStringLiteral("H38"), QStringLiteral("01000X0200"), K::Pane, {1000, 200}}, // 101 not read
        {QStringLiteral("H33"), QStringLiteral("02400 1500"), K::Palette, {2400, 1500}},
        {QStringLiteral("H34"), QStringLiteral("          "), K::Palette, {0, 0}},
        {QStringLiteral("H05"), QStringLiteral("01000 0200"), std::nullopt, {}},
        {QStringLiteral("D33"), QStringLiteral("01000 0200"), std::nullopt, {}},
        {QStringLiteral("R3452"), QStringLiteral("01000 0200"), std::nullopt, {}},
        {QStringLiteral("00100"), QStringLiteral("01000 0200"), std::nullopt, {}},
    };
    for (const auto& c : cases) {
        const auto p = paneRequest(rec(c.at86, c.at96));
        ASSERT_EQ(p.has_value(), c.kind.has_value()) << c.at86.toStdString();
        if (p) {
            EXPECT_EQ(p->kind, *c.kind) << c.at86.toStdString();
            EXPECT_EQ(p->pos, c.pos) << c.at86.toStdString();
        }
    }
}

TEST(MenuRules, ContextMenuBlocks)
{
    // Blocks start after these lines: set 1 menu 4 → 46-60, set 2 menu 1 → 136-150, set 3 menu
    // 9 → 391-405; another thousands digit reads the first lines.
    EXPECT_EQ(contextBlockStart(3452, 4), 45);
    EXPECT_EQ(contextBlockStart(4123, 1), 135);
    EXPECT_EQ(contextBlockStart(5999, 9), 390);
    EXPECT_LT(contextBlockStart(6452, 4), 0);

    QStringList file;
    for (int i = 1; i <= 50; ++i)
        file << QString::number(i);
    const QStringList block = contextBlock(file, 45);
    EXPECT_EQ(block.front(), QStringLiteral("46"));
    EXPECT_EQ(block.size(), 15);
    EXPECT_EQ(block[4], QStringLiteral("50"));
    EXPECT_TRUE(block[5].isEmpty());
    EXPECT_EQ(contextBlock(file, -600).front(), QStringLiteral("1"));

    EXPECT_EQ(contextItems(QStringLiteral("a|b|c")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(contextItems(QStringLiteral("a|")), (QStringList{"a", ""}));
    EXPECT_EQ(contextItems(QString()), QStringList{""});
    EXPECT_EQ(contextItems(QStringLiteral("1|2|3|4|5|6|7|8|9|10|11|12")).size(), 10);

    QStringList lines(15, QStringLiteral("0"));
    lines[7] = QStringLiteral("排序");          // submenu 3
    lines[8] = QStringLiteral("升序|-|降序");
    lines[3] = QStringLiteral(" 剪切 |复制");    // plain group 1, texts as they stand
    const auto groups = contextPopup(lines);
    ASSERT_EQ(groups.size(), 9U);
    EXPECT_FALSE(groups[0].present);
    EXPECT_TRUE(groups[1].present);
    EXPECT_FALSE(groups[1].submenu);
    EXPECT_EQ(groups[1].items, (QStringList{" 剪切 ", "复制"}));
    EXPECT_TRUE(groups[4].present);
    EXPECT_TRUE(groups[4].submenu);
    EXPECT_EQ(groups[4].caption, QStringLiteral("排序"));
    EXPECT_EQ(groups[4].items, (QStringList{"升序", "-", "降序"}));
    for (int p : {3, 4, 6, 7, 8, 9})
        EXPECT_FALSE(groups[static_cast<std::size_t>(p - 1)].present) << p;
}

TEST(MenuRules, ContextChoices)
{
    EXPECT_TRUE(contextChoiceMatches(3452, 4, 5, 2));
    EXPECT_TRUE(contextChoiceMatches(4452, 4, 5, 2)); // the set digit is not compared
    EXPECT_FALSE(contextChoiceMatches(3452, 4, 5, 1));
    EXPECT_FALSE(contextChoiceMatches(3452, 4, 4, 2));
    EXPECT_FALSE(contextChoiceMatches(3452, 3, 5, 2));
    const auto rec = [](const QString& code, const QString& at86) {
        return simwindow::StepRecord::fromLine(stepLine({{8, code}, {86, at86}}));
    };
    EXPECT_EQ(contextCode(rec(QStringLiteral("3123"), QStringLiteral("00000"))), 3123);
    EXPECT_EQ(contextCode(rec(QStringLiteral("3123"), QStringLiteral("R3452"))), 3452);
}

#include <gtest/gtest.h>

#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/text_table.h"
#include "support/step_line.h"

using namespace simwindow;

namespace {

StepRecord record(std::initializer_list<std::pair<int, QString>> fields)
{
    return StepRecord::fromLine(stepLine(fields));
}

QString q(const char* s) { return QString::fromUtf8(s); }

constexpr int Shift = 1, Ctrl = 2, Alt = 4;

} // namespace

TEST(TargetRef, ReadsBothForms)
{
    const auto h = targetRef(u"H0204000A0");
    ASSERT_TRUE(h);
    EXPECT_EQ(h->kind, u'H');
    EXPECT_EQ(h->element, 2);
    EXPECT_EQ(h->item, 4);
    EXPECT_EQ(h->cascade, 0);
    EXPECT_EQ(h->itemKey, QStringLiteral("0204"));
    EXPECT_EQ(h->jump, QStringLiteral("0"));
    EXPECT_EQ(targetRef(u"D57xx")->element, 57);
    EXPECT_FALSE(targetRef(u"P6012"));
    EXPECT_FALSE(targetRef(u""));
}

TEST(KeyClick, StepCodesAlternativesAndShortcuts)
{
    struct Case {
        std::initializer_list<std::pair<int, QString>> fields;
        int key, shift;
        bool passes;
        int expected;
    };
    const QString p86 = QStringLiteral("P6013");
    const Case cases[] = {
        // F1 as "12", any other key number as it stands, "31" any key.
        {{{8, q("6012")}}, 112, 0, true, 6012},
        {{{8, q("6012")}}, 112, Ctrl, false, 6012},
        {{{8, q("6012")}}, 112, Shift, false, 6012},
        {{{8, q("6213")}}, 13, Ctrl, true, 6213},
        {{{8, q("6213")}}, 17, Ctrl, false, 6213},
        {{{8, q("6031")}}, 16, Shift, true, 6031},
        {{{8, q("6131")}}, 65, 0, true, 6131},
        // Each alternative place names the function keys its own way.
        {{{8, q("0000")}, {86, q("P6013")}}, 113, 0, true, 6013},
        {{{8, q("0000")}, {86, q("P6013")}}, 13, 0, false, 6013},
        {{{8, q("0000")}, {91, q("P6013")}}, 13, 0, true, 6013},
        {{{8, q("0000")}, {96, q("P6013")}}, 113, 0, true, 6013},
        {{{8, q("0000")}, {91, q("P6086")}}, 186, 0, true, 6086},
        {{{8, q("0000")}, {86, q("P6086")}}, 86, 0, true, 6086},
        {{{8, q("0000")}, {96, q("P6086")}}, 86, 0, true, 6086},
        {{{8, q("0000")}, {96, q("P6021")}}, 21, 0, true, 6021},
        {{{8, q("0000")}, {86, q("P7013")}}, 113, 0, false, 0},
        {{{8, q("0000")}, {86, q("Q6013")}}, 113, 0, false, 0},
        // Shortcuts of the items that the target codes name.
        {{{8, q("7000")}, {125, q("H0204000000")}}, 67, Ctrl, true, 7000},
        {{{8, q("7000")}, {125, q("H0204000000")}}, 67, Ctrl | Shift, false, 7000},
        {{{8, q("7000")}, {125, q("H0204000000")}}, 67, 0, false, 7000},
        {{{8, q("7000")}, {86, q("H0601000000")}}, 118, 0, true, 7000},
        {{{8, q("7000")}, {96, q("H0601000000")}}, 118, Ctrl, false, 7000},
        {{{8, q("7000")}, {125, q("H0601000000")}, {86, q("H0799000000")}}, 118, Ctrl, false, 7000},
        {{{8, q("7000")}, {125, q("H0101000B00")}}, 78, Ctrl, true, 7000},
        {{{8, q("7000")}, {125, q("H0303000000")}}, 112, Ctrl, true, 7000},
        {{{8, q("7000")}, {125, q("D0204000000")}}, 67, Ctrl, false, 7000},
        {{{8, q("7000")}, {125, q("H0901000000")}}, 112, Alt, false, 7000},
    };
    for (const Case& c : cases) {
        const StepRecord rec = StepRecord::fromLine(stepLine(c.fields));
        const KeyVerdict v = keyClick(rec, c.key, c.shift);
        EXPECT_EQ(v.passes, c.passes) << rec.line.trimmed().toStdString() << " key " << c.key << " shift " << c.shift;
        EXPECT_EQ(v.expectedCode, c.expected) << rec.line.trimmed().toStdString();
    }
    // The seventeen shortcuts.
    const std::pair<const char16_t*, Shortcut> all[] = {
        {u"0101", {78, 2}}, {u"0102", {79, 2}}, {u"0104", {83, 2}}, {u"0114", {80, 2}}, {u"0201", {90, 2}},
        {u"0202", {89, 2}}, {u"0203", {88, 2}}, {u"0204", {67, 2}}, {u"0206", {86, 2}}, {u"0214", {70, 2}},
        {u"0215", {72, 2}}, {u"0216", {71, 2}}, {u"0303", {112, 2}}, {u"0415", {75, 2}}, {u"0501", {49, 2}},
        {u"0601", {118, 0}}, {u"0901", {112, 0}}};
    for (const auto& [key, s] : all) {
        const auto got = shortcutOf(QStringView(key));
        ASSERT_TRUE(got) << QString::fromUtf16(key).toStdString();
        EXPECT_EQ(got->keyCode, s.keyCode);
        EXPECT_EQ(got->shift, s.shift);
    }
    EXPECT_FALSE(shortcutOf(u"0105"));
}

TEST(TypedText, AcceptanceRules)
{
    const auto ans = [](const char* text) { return std::optional<Answers>(splitAnswers(QString::fromUtf8(text))); };
    // 0020 ignores case and surrounding blanks; 0025 keeps case.
    EXPECT_TRUE(acceptsTyped(ans("Summe"), u"  sUMME "));
    EXPECT_FALSE(acceptsTyped(ans("Summe"), u"summe", LetterCase::Keep));
    EXPECT_TRUE(acceptsTyped(ans("Summe"), u" Summe", LetterCase::Keep));
    // "a|b|c": the second alternative is "b|c".
    EXPECT_FALSE(acceptsTyped(ans("a|b|c"), u"b"));
    EXPECT_TRUE(acceptsTyped(ans("a|b|c"), u"b|c"));
    EXPECT_TRUE(acceptsTyped(ans("|x"), u""));
    // Without a table nothing is accepted, not even an empty text.
    EXPECT_FALSE(acceptsTyped(std::nullopt, u""));

    // 0021: the whole text, "|" included, case kept.
    EXPECT_TRUE(wholeAnswerAccepted(QStringLiteral("a|B"), u" a|B "));
    EXPECT_FALSE(wholeAnswerAccepted(QStringLiteral("a|B"), u"a"));
    EXPECT_FALSE(wholeAnswerAccepted(QStringLiteral("a|B"), u"a|b"));
    EXPECT_FALSE(wholeAnswerAccepted(std::nullopt, u""));

    // The Enter rule: compact text or full text.
    EXPECT_EQ(compactText(u" =SUM( A1 : A3 )合计\r\n"), QStringLiteral("=SUM(A1:A3)"));
    EXPECT_TRUE(enterAccepted(ans("=sum(a1:a3)"), u"=SUM( A1 : A3 )"));
    EXPECT_TRUE(enterAccepted(ans("x|=sum(a1:a3)"), u"=Sum(A1:A3)"));
    EXPECT_TRUE(enterAccepted(ans("销售 合计"), u" 销售 合计 "));
    EXPECT_FALSE(enterAccepted(ans("销售 合计"), u"销售合计"));
    EXPECT_FALSE(enterAccepted(ans("=sum(a1:a3)"), u"=sum(a1:a4)"));
    EXPECT_FALSE(enterAccepted(std::nullopt, u""));

    // 0023: the selection itself is not trimmed.
    EXPECT_TRUE(selectionAccepted(QStringLiteral(" Umsatz "), u"umsatz"));
    EXPECT_FALSE(selectionAccepted(QStringLiteral("Umsatz"), u"Umsatz "));
    EXPECT_FALSE(selectionAccepted(std::nullopt, u""));
}

TEST(RangeDrag, PressMarqueeAndEnds)
{
    const StepRecord ctrl = record({{6, q("EE")}, {8, q("0042")}, {182, q("0")}});
    EXPECT_TRUE(rangeDragShiftHeld(ctrl, Ctrl));
    EXPECT_FALSE(rangeDragShiftHeld(ctrl, 0));
    EXPECT_FALSE(rangeDragShiftHeld(ctrl, Ctrl | Shift));
    EXPECT_TRUE(rangeDragHasMarquee(ctrl));
    EXPECT_FALSE(rangeDragHasMarquee(record({{8, q("0050")}})));
    EXPECT_FALSE(rangeDragShiftHeld(record({{8, q("0001")}}), 0));

    // The plain press: blocked by "EE", by a jump, by a 0028 step, by another button.
    EXPECT_FALSE(plainPressAdvances(ctrl, 1));
    EXPECT_TRUE(plainPressAdvances(record({{8, q("0042")}, {182, q("0")}}), 1));
    EXPECT_FALSE(plainPressAdvances(record({{8, q("0042")}, {182, q("0")}}), 2));
    EXPECT_FALSE(plainPressAdvances(record({{8, q("0042")}, {182, q("A")}}), 1));
    EXPECT_FALSE(plainPressAdvances(record({{8, q("0028")}, {182, q("0")}}), 1));

    // Up and left of the corner mirrors the marquee to the right and down.
    EXPECT_EQ(marqueeRect({1000, 2000}, {1000, 2000}, -300, -150), QRect(1000, 2000, 300, 150));
    EXPECT_EQ(marqueeRect({1000, 2000}, {1000, 2000}, 450, 90), QRect(1000, 2000, 450, 90));

    const QRect t(3000, 3000, 900, 300);
    EXPECT_TRUE(onTarget({3900, 3300}, t));
    EXPECT_FALSE(onTarget({2990, 3100}, t));
    EXPECT_TRUE(nearTarget({3900 + 600, 3100}, t, 1, 1));
    EXPECT_FALSE(nearTarget({3900 + 800, 3100}, t, 1, 1));
    EXPECT_TRUE(nearTarget({3900 + 1400, 3100}, t, 2, 1));
    EXPECT_FALSE(nearTarget({2990, 3100}, t, 1, 1));
    EXPECT_TRUE(nearTarget({3100, 3300 + 330}, t, 1, 1));
}

TEST(PictureDrag, MovesAndEnds)
{
    // Half way towards the pointer on the step's axes, halves to even; only the left button.
    EXPECT_EQ(pictureDragMove(8002, 1, 301, 99, {1000, 500}), (DragPos{1150, 500}));
    EXPECT_EQ(pictureDragMove(8002, 1, 3, 0, {1000, 500}), (DragPos{1002, 500}));
    EXPECT_EQ(pictureDragMove(8004, 1, 301, 99, {1000, 500}), (DragPos{1000, 550}));
    EXPECT_EQ(pictureDragMove(8006, 1, -200, 100, {1000, 500}), (DragPos{900, 550}));
    EXPECT_FALSE(pictureDragMove(8005, 1, 300, 100, {1000, 500}));
    EXPECT_FALSE(pictureDragMove(8002, 2, 300, 100, {1000, 500}));
    EXPECT_FALSE(pictureDragMove(8002, 3, 300, 100, {1000, 500}));

    const DragPos point{3000, 2000};
    const DragPos start{1000, 4000};
    struct Case {
        int code;
        DragPos at;
        bool passed;
        DragPos to;
    };
    const Case cases[] = {
        {8002, {3000, 777}, true, {3000, 777}},
        {8002, {3100, 777}, true, {3000, 777}},
        {8002, {2999, 777}, false, {1000, 777}},
        {8001, {2999, 777}, true, {3000, 777}},
        {8003, {50, 1999}, true, {50, 2000}},
        {8004, {50, 1999}, false, {50, 4000}},
        {8006, {3500, 2500}, false, {1000, 4000}}, // only down: both axes go back
        {8006, {2500, 2500}, true, {3000, 2000}},
        {8009, {3500, 1500}, true, {3000, 2000}},
    };
    for (const Case& c : cases) {
        const auto end = pictureDragEnd(c.code, c.at, point, start);
        ASSERT_TRUE(end) << c.code;
        EXPECT_EQ(end->passed, c.passed) << c.code;
        EXPECT_EQ(end->to, c.to) << c.code << " " << c.at.left << "," << c.at.top;
    }
    EXPECT_FALSE(pictureDragEnd(8005, {3000, 2000}, point, start));
    EXPECT_FALSE(pictureDragEnd(42, {3000, 2000}, point, start));
}

TEST(DialogTabsAndLists, SmallRules)
{
    EXPECT_EQ(tabHint(3), QStringLiteral("请选择第3个选项卡"));
    EXPECT_EQ(tabHint(12), QStringLiteral("请选择第12个选项卡"));
    EXPECT_EQ(tabRow(7), 1);
    EXPECT_EQ(tabRow(8), 2);
    // The back area: one step, a combo's count, never before step 1.
    EXPECT_EQ(stepAfterBack(1, u"NONO"), 1);
    EXPECT_EQ(stepAfterBack(4, u"NONO"), 3);
    EXPECT_EQ(stepAfterBack(5, u"Q0003"), 2);
    EXPECT_EQ(stepAfterBack(2, u"Q0003"), 1);
    EXPECT_EQ(stepAfterBack(5, u"Q0000"), 4);
    EXPECT_EQ(stepAfterBack(5, u"Q000x"), 4);

    const StepRecord list = record({{8, q("L004")}, {106, q("000")}, {109, q("002")}});
    EXPECT_TRUE(listChoicePasses(list, 2));
    EXPECT_FALSE(listChoicePasses(list, 0));
    const StepRecord loc = record({{8, q("K307")}});
    EXPECT_EQ(locationStartEntry(loc), 3);
    EXPECT_TRUE(locationChoicePasses(loc, 7));
    EXPECT_FALSE(locationChoicePasses(loc, 3));
}

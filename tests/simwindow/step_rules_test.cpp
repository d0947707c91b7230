#include <gtest/gtest.h>

#include "session_state/session_state.h"
#include "simwindow/jump_code.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"
#include "support/step_line.h"

using namespace simwindow;
using Kind = StepAction::Kind;

namespace {

StepRecord record(std::initializer_list<std::pair<int, QString>> fields)
{
    return StepRecord::fromLine(stepLine(fields));
}

constexpr int Left = 1, Right = 2, Middle = 4;
constexpr int Shift = 1, Ctrl = 2, Alt = 4;

} // namespace

TEST(ReleaseOverTarget1, RulesInTheirOrder)
{
    struct Case {
        int code;
        const char* jump;
        int button, shift;
        bool typed;
        Kind kind;
        int detail; // Jump: the step offset; ContextMenu: the menu number
    };
    const Case cases[] = {
        {1, "0", Left, 0, false, Kind::Next, 0},
        {1, "0", Left, Shift, false, Kind::None, 0},
        {1, "0", Left, Ctrl, false, Kind::None, 0},
        {1, "0", Left, Alt, false, Kind::None, 0},
        {1, "0", Right, 0, false, Kind::None, 0},
        {1, "B", Left, 0, false, Kind::Jump, 2},
        {1, "2", Left, 0, false, Kind::Jump, -2},
        {9201, "0", Left, Ctrl, false, Kind::Next, 0},
        {9201, "0", Left, Ctrl | Shift, false, Kind::None, 0},
        {9201, "0", Right, Ctrl, false, Kind::None, 0},
        {9201, "A", Left, 0, false, Kind::None, 0}, // its row decides: no jump
        {9002, "0", Right, 0, false, Kind::Next, 0},
        {9999, "A", Left, 0, false, Kind::None, 0},
        {3, "0", Right, 0, false, Kind::Next, 0},
        {3, "0", Right, Shift | Ctrl | Alt, false, Kind::Next, 0},
        {3, "0", Left, 0, false, Kind::None, 0},
        {2, "A", Left, 0, false, Kind::None, 0},     // a double click's own releases never move
        {3000, "0", Right, 0, false, Kind::ContextMenu, 0},
        {3201, "0", Right, Ctrl, false, Kind::ContextMenu, 2},
        {5999, "0", Right, 0, false, Kind::ContextMenu, 9},
        {6000, "0", Right, 0, false, Kind::ContextMenu, 0},
        {3201, "A", Left, 0, false, Kind::None, 0},
        {6001, "0", Right, 0, false, Kind::None, 0},
        {22, "0", Left, 0, true, Kind::Next, 0},
        {26, "0", Right, Shift, true, Kind::Next, 0},
        {28, "A", Left, 0, false, Kind::None, 0},
        {20, "A", Left, 0, false, Kind::Jump, 1},
        {20, "A", Right, Ctrl, false, Kind::Jump, 1},
        {20, "A", Middle, 0, false, Kind::Jump, 1},
        {20, "0", Left, 0, true, Kind::None, 0},
        {0, "C", Left, 0, false, Kind::Jump, 3}, // list steps read 0
    };
    for (const Case& c : cases) {
        const StepAction a = releaseOverTarget1(c.code, c.jump, c.button, c.shift, [&] { return c.typed; });
        SCOPED_TRACE(testing::Message() << c.code << " jump " << c.jump << " button " << c.button << " shift " << c.shift);
        EXPECT_EQ(a.kind, c.kind);
        if (c.kind == Kind::Jump) {
            EXPECT_EQ(jumpOffset(a.jump), c.detail);
        }
        if (c.kind == Kind::ContextMenu) {
            EXPECT_EQ(a.menuContext, c.detail);
        }
    }
}

TEST(ReleaseOverTarget1, TypedTextIsReadOnlyForTheTypingClickCodes)
{
    int asked = 0;
    const auto typed = [&] {
        ++asked;
        return true;
    };
    for (int code : {1, 3, 20, 3201, 9001})
        releaseOverTarget1(code, "0", Left, 0, typed);
    EXPECT_EQ(asked, 0);
    for (int code : {22, 26, 28})
        EXPECT_EQ(releaseOverTarget1(code, "0", Middle, Alt, typed), StepAction::next());
    EXPECT_EQ(asked, 3);
}

TEST(RouteContextMenu, OpensFrom3000UpToNot6000OnTheRightButton)
{
    const std::tuple<const char*, int, std::optional<int>> cases[] = {
        {"R3201", Right, 2}, {"R5999", Right, 9}, {"R3000", Right, 0}, {"R6000", Right, std::nullopt},
        {"R2999", Right, std::nullopt}, {"R3201", Left, std::nullopt}, {"P3201", Right, std::nullopt},
    };
    for (const auto& [route, button, context] : cases)
        EXPECT_EQ(routeContextMenu(record({{86, route}}), button), context) << route;
}

TEST(TargetAndPictureRules, DoubleClickHoverAndPictureClicks)
{
    EXPECT_EQ(doubleClickOnTarget1(record({{8, "0002"}, {71, "0"}})), StepAction::next());
    EXPECT_EQ(doubleClickOnTarget1(record({{8, "0002"}, {71, "C"}})), StepAction::jumpBy("C"));
    EXPECT_EQ(doubleClickOnTarget1(record({{8, "0001"}, {71, "0"}})), StepAction::none());
    EXPECT_EQ(hoverOverTarget1(record({{8, "0030"}})), StepAction::next());
    EXPECT_EQ(hoverOverTarget1(record({{8, "0001"}})), StepAction::none());

    // Picture jump fields act in any step; "0" ignores the click.
    const StepRecord r = record({{8, "7000"}, {23, "0"}, {39, "C"}, {55, "3"}, {140, "z"}});
    EXPECT_EQ(pictureClick(r, 1), StepAction::none());
    EXPECT_EQ(pictureClick(r, 2), StepAction::jumpBy("C"));
    EXPECT_EQ(pictureClick(r, 3), StepAction::jumpBy("3"));
    EXPECT_EQ(pictureClick(r, 4), StepAction::jumpBy("z"));
    EXPECT_EQ(pictureClick(r, 5), StepAction::none());
}

TEST(TypingHint, CaptionFrameAndEditBarByCode)
{
    using F = FrameRule;
    struct Case {
        const char* code;
        const char* caption;
        F frame;
        bool clearSelection, editBar;
    };
    const Case cases[] = {
        {"0020", "输入 甲或  乙", F::Hidden, true, false},
        {"0021", "输入 甲或  乙", F::Hidden, true, false},
        {"0022", "输入 甲或  乙 并按回车键或点红色方框处", F::FollowsHint, true, false},
        {"0023", "请选中 甲或  乙", F::Hidden, true, false},
        {"0024", "输入 甲或  乙 并按回车键", F::Hidden, true, false},
        {"0025", "甲或  乙", F::Hidden, false, false},
        {"0026", "输入 甲或  乙 并点击红色方框处", F::FollowsHint, true, false},
        {"0027", "甲或  乙", F::Hidden, false, false},
        {"0028", "在单元格或编辑栏中输入 甲或  乙 并按回车键或点编辑区或点“√”", F::FollowsHint, true, true},
        {"0001", "甲|乙", F::Untouched, false, false},
    };
    for (const Case& c : cases) {
        const TypingHint h = typingHint(QString::fromUtf8(c.code), QStringLiteral("甲|乙"));
        SCOPED_TRACE(c.code);
        EXPECT_EQ(h.caption, QString::fromUtf8(c.caption));
        EXPECT_EQ(h.frame, c.frame);
        EXPECT_EQ(h.clearSelection, c.clearSelection);
        EXPECT_EQ(h.showEditBar, c.editBar);
    }
}

TEST(QuestionPanelTexts, UnfinishedListAndCompletedMarker)
{
    SessionState s;
    s.QuestionCount = 5;
    s.QuestionState = {};
    s.QuestionState[1] = 4; // completed
    s.QuestionState[2] = 3; // visited and marked
    s.QuestionState[3] = 7;
    s.QuestionState[6] = 0; // beyond the session
    EXPECT_EQ(unfinishedCaption(s), QStringLiteral("未完成的题目 2 4 5"));
    s.QuestionCount = 0;
    EXPECT_EQ(unfinishedCaption(s), QStringLiteral("未完成的题目"));
    EXPECT_EQ(markCompleted(QStringLiteral("第3题(未完成) (未完成)")), QStringLiteral("第3题(已完成) (已完成)"));
}

TEST(EditorFormat, SizeAlignmentStyleAndTableDigits)
{
    struct Case {
        const char* format; // columns 125-134
        double size;
        EditorAlign align;
        std::optional<int> style;
        int font, fore, back;
    };
    const Case cases[] = {
        {"Q000 X0000", 9, EditorAlign::Left, 0, 0, 0, 0},
        {" 120R 5777", 12, EditorAlign::Right, 5, 7, 7, 7},
        {" 105r 7123", 10.5, EditorAlign::Right, 7, 1, 2, 3},
        {" 090M 9000", 9, EditorAlign::Centre, std::nullopt, 0, 0, 0},
        {" 090m 8000", 9, EditorAlign::Centre, std::nullopt, 0, 0, 0},
        {" 090x 3000", 9, EditorAlign::Left, 3, 0, 0, 0},
    };
    for (const Case& c : cases) {
        const EditorFormatSpec f = editorFormat(record({{125, c.format}}));
        SCOPED_TRACE(c.format);
        EXPECT_DOUBLE_EQ(f.pointSize, c.size);
        EXPECT_EQ(f.align, c.align);
        EXPECT_EQ(f.style, c.style);
        EXPECT_EQ((std::tuple(f.fontDigit, f.foreDigit, f.backDigit)), std::tuple(c.font, c.fore, c.back));
    }
}

TEST(PointerSpec, StandardFileOrDefault)
{
    using K = PointerSpec::Kind;
    const PointerSpec standard = pointerSpec(record({{101, "S  11"}}), "/inst");
    EXPECT_EQ((std::pair(standard.kind, standard.shape)), std::pair(K::Standard, 11));
    const PointerSpec file = pointerSpec(record({{101, "Mxx07"}}), "/inst");
    EXPECT_EQ((std::pair(file.kind, file.file)), std::pair(K::File, QString("/inst/ico07.CUR")));
    for (const char* spec : {"M  ..", "M  /x", "S  99", "P6013", "     "})
        EXPECT_EQ(pointerSpec(record({{101, spec}}), "/inst").kind, K::Default) << spec;
}

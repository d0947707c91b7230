#include "sim_window_fixture.h"

#include <QFile>

namespace {

using platform::Clock;
using tsupport::Coord;

// The candidate's actions on a control, with real events.
enum class Act { Click, DblClick, Move };

struct ClickCase {
    const char* code;
    const char* jump; // Target1Jump
    Act act;
    int button;
    int shift;
    int to; // the step reached from step 3
};

class Target1Test : public SimWindowTest, public ::testing::WithParamInterface<ClickCase> {};

void perform(vb::Control& c, Act act, int button, int shift)
{
    switch (act) {
    case Act::Click: tsupport::click(c, button, shift); break;
    case Act::DblClick: tsupport::dblClick(c, button, shift); break;
    case Act::Move: hover(c); break;
    }
}

TEST_P(Target1Test, ActionOnTheFirstTarget)
{
    const ClickCase c = GetParam();
    std::vector<QString> steps;
    // The neighbours keep the target where it is but expect nothing of it, so that the
    // releases after a step change show in the step reached.
    for (int i = 1; i <= 6; ++i)
        steps.push_back(Step(QStringLiteral("0000")).target1(3000, 3000, 900, 300).at(1, Step::num(i, 3)));
    steps[2] = Step(QString::fromUtf8(c.code)).target1(3000, 3000, 900, 300, QString::fromUtf8(c.jump));
    session({steps});
    int popups = 0;
    vb::setPopupResponder([&popups](vb::Menu&) -> vb::Menu* {
        ++popups;
        return nullptr;
    });
    FrmMain& w = show(1, 3);
    perform(*w.Label1, c.act, c.button, c.shift);
    EXPECT_EQ(step(), c.to);
    EXPECT_EQ(popups, 0);
}

constexpr int L = vb::vbLeftButton;
constexpr int R = vb::vbRightButton;
constexpr int Sh = vb::vbShiftMask;
constexpr int Ct = vb::vbCtrlMask;
constexpr int Al = vb::vbAltMask;

INSTANTIATE_TEST_SUITE_P(
    Releases, Target1Test,
    ::testing::Values(
        // A plain left click: the jump field decides how far.
        ClickCase{"0001", "0", Act::Click, L, 0, 4}, ClickCase{"0001", "B", Act::Click, L, 0, 5},
        ClickCase{"0001", "2", Act::Click, L, 0, 1}, ClickCase{"0001", "0", Act::Click, L, Sh, 3},
        ClickCase{"0001", "0", Act::Click, L, Ct, 3}, ClickCase{"0001", "0", Act::Click, L, Al, 3},
        ClickCase{"0001", "0", Act::Click, R, 0, 3},
        // A button and an exact Shift set.
        ClickCase{"9201", "0", Act::Click, L, Ct, 4}, ClickCase{"9201", "0", Act::Click, L, Ct | Sh, 3},
        ClickCase{"9201", "0", Act::Click, L, 0, 3}, ClickCase{"9201", "0", Act::Click, R, Ct, 3},
        ClickCase{"9002", "0", Act::Click, R, 0, 4}, ClickCase{"9101", "A", Act::Click, L, Sh, 4},
        // A right click with any modifiers.
        ClickCase{"0003", "0", Act::Click, R, 0, 4}, ClickCase{"0003", "0", Act::Click, R, Ct | Sh | Al, 4},
        ClickCase{"0003", "0", Act::Click, L, 0, 3},
        // Only the double click itself passes a 0002 step; its own releases never jump.
        ClickCase{"0002", "0", Act::Click, L, 0, 3}, ClickCase{"0002", "0", Act::DblClick, L, 0, 4},
        ClickCase{"0002", "A", Act::DblClick, L, 0, 4}, ClickCase{"0002", "2", Act::DblClick, L, 0, 1},
        ClickCase{"0001", "0", Act::DblClick, L, 0, 4},
        // A hover passes at the first movement.
        ClickCase{"0030", "0", Act::Move, 0, 0, 4}, ClickCase{"0001", "0", Act::Move, 0, 0, 3},
        // Other codes: any release jumps by a jump field other than "0".
        ClickCase{"0020", "A", Act::Click, R, 0, 4}, ClickCase{"0020", "0", Act::Click, L, 0, 3},
        ClickCase{"8888", "C", Act::Click, L, 0, 6}, ClickCase{"L001", "0", Act::Click, L, 0, 3}));

TEST_F(SimWindowTest, HoverWithAButtonHeldTakesTheNewStepsPointer)
{
    session({{Step(QStringLiteral("8888")).target1(3000, 3000, 900, 300),
              Step(QStringLiteral("0030")).target1(3000, 3000, 900, 300),
              Step(QStringLiteral("0001")).target1(3000, 3000, 900, 300).at(101, QStringLiteral("S  09"))}});
    FrmMain& w = show();
    // The button goes down on the target while the automatic step is shown.
    tsupport::press(*w.Label1, vb::vbLeftButton, 0, 100, 100);
    Clock::advance(1000);
    ASSERT_EQ(step(), 2);
    tsupport::move(*w.Label1, vb::vbLeftButton, 0, 200, 100);
    EXPECT_EQ(step(), 3);
    EXPECT_EQ(w.Label1->MousePointer(), vb::vbSizeWE);
    tsupport::release(*w.Label1, vb::vbLeftButton, 0, 200, 100);
}

TEST_F(SimWindowTest, RangeDragTargetKeepsTheOrdinaryPointer)
{
    session({{Step(QStringLiteral("0042")).target1(3000, 3000, 900, 300).at(101, QStringLiteral("S  03"))}});
    FrmMain& w = show();
    EXPECT_EQ(w.Label1->MousePointer(), vb::vbIbeam);
    hover(*w.Label1);
    EXPECT_EQ(w.Label1->MousePointer(), vb::vbDefault);
}

TEST_F(SimWindowTest, PictureClicksJumpByTheirOwnFieldInAnyStep)
{
    picture(QStringLiteral("pic001"), {40, 40});
    const struct {
        const char* code;
        int image;
        const char* jump;
        int to;
    } cases[] = {{"0001", 2, "C", 5}, {"0002", 2, "C", 5}, {"9999", 1, "A", 3},
                 {"0001", 2, "0", 2}, {"0001", 4, "1", 1}, {"0001", 3, "Z", 2}};
    for (const auto& c : cases) {
        std::vector<QString> steps(6, Step(QStringLiteral("0001")));
        steps[1] = Step(QString::fromUtf8(c.code)).image(c.image, 1500, 1500, QStringLiteral("pic001"), QString::fromUtf8(c.jump));
        session({steps});
        FrmMain& w = show(1, 2);
        vb::Image* images[] = {nullptr, w.Image1, w.Image2, w.Image3, w.Image4};
        tsupport::click(*images[c.image]);
        EXPECT_EQ(step(), c.to) << c.code << " Image" << c.image << " " << c.jump;
        vb::Forms::unloadAll();
        Clock::advance(1);
    }
}

TEST_F(SimWindowTest, PassingOverAPictureOrTheTargetClosesAnOpenDropDown)
{
    picture(QStringLiteral("pic001"), {40, 40});
    session({{Step(QStringLiteral("0001")).image(2, 1500, 1500, QStringLiteral("pic001")).target1(3000, 3000, 900, 300)}});
    FrmMain& w = show();
    for (vb::Control* over : std::initializer_list<vb::Control*>{w.Image2, w.Label1}) {
        w.zhuIndex = 5;
        w.Pic1J->setVisible(true);
        w.Pic2J->setVisible(true);
        w.ImgTool->setPicture(QPixmap(4, 4));
        w.PicList->setHeight(3720);
        hover(*over);
        EXPECT_EQ(w.zhuIndex, 0);
        EXPECT_FALSE(w.Pic1J->Visible());
        EXPECT_FALSE(w.Pic2J->Visible());
        EXPECT_FALSE(w.ImgTool->Picture().has_value());
        EXPECT_EQ(w.PicList->Height(), 330);
    }
    // A pane's palette survives the reset; its cascade does not.
    w.zhuIndex = 33;
    w.Pic1J->setVisible(true);
    w.Pic2J->setVisible(true);
    hover(*w.Image2);
    EXPECT_EQ(w.zhuIndex, 33);
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_FALSE(w.Pic2J->Visible());
    EXPECT_EQ(step(), 1);
}

TEST_F(SimWindowTest, RightClickOnAContextMenuStepPopsUpTheMenu)
{
    session({{Step(QStringLiteral("3123")).target1(3000, 3000, 900, 300), Step(QStringLiteral("0001"))},
              {Step(QStringLiteral("0003")).target1(3000, 3000, 900, 300).at(86, QStringLiteral("R4512")),
               Step(QStringLiteral("0001"))}});
    inst.writeLines(QStringLiteral("sMenu.sys"), QStringList(405, QStringLiteral("0")));
    std::vector<vb::Menu*> popups;
    vb::setPopupResponder([&popups](vb::Menu& m) -> vb::Menu* {
        popups.push_back(&m);
        return nullptr;
    });
    FrmMain& w = show();
    tsupport::click(*w.Label1, vb::vbLeftButton);
    EXPECT_TRUE(popups.empty());
    tsupport::click(*w.Label1, vb::vbRightButton, vb::vbShiftMask);
    ASSERT_EQ(popups.size(), 1U);
    EXPECT_EQ(popups[0], w.wm100);
    EXPECT_EQ(w.MenuContext, 1);
    EXPECT_EQ(step(), 1);

    // A route menu opens first; dismissed, the same release then passes the 0003 step.
    popups.clear();
    S().CurrentQuestion = 2;
    frmTm().DqExam();
    Clock::advance(100);
    tsupport::click(*w.Label1, vb::vbRightButton);
    EXPECT_EQ(popups.size(), 1U);
    EXPECT_EQ(w.MenuContext, 5);
    EXPECT_EQ(step(), 2);
}

TEST_F(SimWindowTest, TypedTextThenAClickOnTheTarget)
{
    textTable({QStringLiteral("Sum|合计")});
    session({{Step(QStringLiteral("0022")).target1(3000, 3000, 900, 300).editor(100, 100, 900, 300).texts(0, 1),
              Step(QStringLiteral("0026")).target1(3000, 3000, 900, 300).editor(100, 100, 900, 300).texts(0, 0),
              Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    w.Text1->setText(QStringLiteral("Summe"));
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 1);
    w.Text1->setText(QStringLiteral("  合计 "));
    tsupport::click(*w.Label1, vb::vbRightButton, vb::vbCtrlMask);
    EXPECT_EQ(step(), 2);
    // Answer line 000 accepts the empty editor, but only when there is a text table at all.
    QFile::remove(S().TextTablePath);
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 2);
    textTable({QStringLiteral("x")});
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 3);
}

// A whole question: a click, a double click, a hover, an automatic step, a Ctrl-click, a jump
// back from a picture and the end record; every wrong action leaves the step where it is.
TEST_F(SimWindowTest, AScriptedQuestionPlaysToTheEnd)
{
    picture(QStringLiteral("back01"), {40, 40}, Qt::cyan);
    const auto target = [](const QString& code) { return Step(code).target1(3000, 3000, 900, 300); };
    session({{target(QStringLiteral("0001")),
              target(QStringLiteral("0002")),
              target(QStringLiteral("0030")),
              Step(QStringLiteral("8888")),
              target(QStringLiteral("9201")),
              target(QStringLiteral("0001")).image(2, 6000, 6000, QStringLiteral("back01"), QStringLiteral("1")),
              Step(QStringLiteral("9999"))},
             {Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    vb::setPopupResponder([](vb::Menu&) -> vb::Menu* { return nullptr; });

    tsupport::click(*w.Label1, vb::vbRightButton);
    tsupport::click(*w.Label1, vb::vbLeftButton, vb::vbCtrlMask);
    hover(*w.Image1);
    EXPECT_EQ(step(), 1);
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 2);

    tsupport::click(*w.Label1);
    tsupport::click(*w.Label1, vb::vbRightButton);
    EXPECT_EQ(step(), 2);
    tsupport::dblClick(*w.Label1);
    EXPECT_EQ(step(), 3);

    tsupport::click(w, vb::vbLeftButton, 0, 100, 6000);
    EXPECT_EQ(step(), 3);
    hover(*w.Label1);
    EXPECT_EQ(step(), 4);

    Clock::advance(999);
    EXPECT_EQ(step(), 4);
    Clock::advance(1);
    EXPECT_EQ(step(), 5);

    tsupport::click(*w.Label1);
    tsupport::click(*w.Label1, vb::vbLeftButton, vb::vbCtrlMask | vb::vbShiftMask);
    EXPECT_EQ(step(), 5);
    tsupport::click(*w.Label1, vb::vbLeftButton, vb::vbCtrlMask);
    EXPECT_EQ(step(), 6);

    // The picture's jump goes back one step, which is passed again.
    tsupport::click(*w.Image2);
    EXPECT_EQ(step(), 5);
    tsupport::click(*w.Label1, vb::vbLeftButton, vb::vbCtrlMask);
    EXPECT_EQ(step(), 6);
    EXPECT_FALSE(w.LblSuccess->Visible());
    tsupport::click(*w.Label1);
    EXPECT_EQ(step(), 7);
    EXPECT_TRUE(w.LblSuccess->Visible());
    EXPECT_EQ(w.LblSuccess->Caption(), QStringLiteral("操作成功！"));
    EXPECT_EQ(S().QuestionState[1] & 4, 4);
    EXPECT_FALSE(w.Label1->Visible());
    EXPECT_EQ(frmTm().LblUnit->Caption(), QStringLiteral("未完成的题目 2"));
}

} // namespace

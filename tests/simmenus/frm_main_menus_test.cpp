// The simulated menus in the window: releases and hovers on the bars, drop-downs, cascades,
// palettes, panes and context menus, driven by real mouse events where the candidate would use
// the mouse.

#include "simwindow/sim_window_fixture.h"

#include "simmenus/menu_layouts.h"

#include <QFile>

using platform::Clock;

namespace {

// A step that shows the menu bar and all toolbars.
Step barStep(const char* code = "7000")
{
    Step s(QString::fromUtf8(code));
    s.zones(QStringLiteral("A7"));
    return s;
}

QSize sizeOf(const vb::Control& c) { return {c.Width() / 15, c.Height() / 15}; }

} // namespace

class MenuTest : public SimWindowTest {
protected:
    // A picture of the simulated menus; its size in pixels tells which one a control shows.
    void chrome(const QString& code, QSize size) const
    {
        inst.writePicture(QStringLiteral("examdata/") + code + QStringLiteral(".mxy"), size, Qt::blue);
    }
    void SetUp() override
    {
        SimWindowTest::SetUp();
        inst.mkdir(QStringLiteral("examdata"));
        // The bars, at the sizes that hold every element.
        picture(QStringLiteral("9lX007"), {800, 19}, Qt::lightGray);
        picture(QStringLiteral("9lX008"), {800, 24}, Qt::lightGray);
        picture(QStringLiteral("9lX009"), {800, 52}, Qt::lightGray);
    }
    static void release(FrmMain& w, int element) { tsupport::click(w.LblZHU(element)); }
};

TEST_F(MenuTest, ReleasesOnBarElements)
{
    chrome(QStringLiteral("570099"), {35, 22});
    chrome(QStringLiteral("570077"), {150, 100});
    chrome(QStringLiteral("860099"), {23, 22});
    chrome(QStringLiteral("110099"), {58, 18});
    chrome(QStringLiteral("110077"), {180, 300});
    chrome(QStringLiteral("050077"), {200, 150});
    session({{barStep()}});
    FrmMain& w = show();

    release(w, 57);
    EXPECT_EQ(w.zhuIndex, 57);
    EXPECT_EQ(sizeOf(*w.ImgTool), QSize(35, 22));
    EXPECT_EQ(w.ImgTool->Left(), w.LblZHU(86).Left());
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_EQ(sizeOf(*w.Pic1J), QSize(150, 100));
    EXPECT_EQ(w.Pic1J->Left(), 6600);
    EXPECT_EQ(w.Pic1J->Top(), 750 + 15 + 330);
    EXPECT_EQ(w.Lbl1J(6).Top(), 1785);

    release(w, 86);
    EXPECT_EQ(sizeOf(*w.ImgTool), QSize(23, 22));
    EXPECT_EQ(w.ImgTool->Left(), 6600);
    EXPECT_FALSE(w.Pic1J->Visible());

    // The drawing toolbar's menus open upwards.
    release(w, 11);
    EXPECT_EQ(sizeOf(*w.ImgHui), QSize(58, 18));
    EXPECT_FALSE(w.ImgTool->Picture().has_value());
    EXPECT_EQ(w.Pic1J->Top(), 8340 + 60 - 300 * 15);
    EXPECT_EQ(w.Pic1J->Left(), 150);

    release(w, 5);
    EXPECT_EQ(w.Pic1J->Left(), 3900);
    EXPECT_EQ(w.Pic1J->Top(), 690);
    EXPECT_EQ(w.Lbl1J(8).Top(), 2475);
    EXPECT_EQ(w.Lbl1J(9).Top(), -100); // parked
    EXPECT_FALSE(w.ImgHui->Picture().has_value());

    // A pane palette element shows nothing and closes what is open.
    w.LblZHU_MouseUp(33, vb::vbLeftButton, 0, 0, 0);
    EXPECT_EQ(w.zhuIndex, 33);
    EXPECT_FALSE(w.Pic1J->Visible());
    for (vb::Image* img : {w.ImgMenu, w.ImgTool, w.ImgHui, w.ImgElse})
        EXPECT_FALSE(img->Picture().has_value());
    EXPECT_EQ(step(), 1);
}

TEST_F(MenuTest, ReleasesMatchTheStepsElementCodes)
{
    const struct {
        const char* code;
        int column;
        int element;
        int to;
    } cases[] = {{"H050000000", 125, 5, 2}, {"H05000000C", 125, 5, 4}, {"H050000000", 125, 4, 1},
                 {"H050300000", 125, 5, 1}, {"H860000000", 96, 86, 2},  {"D050000000", 86, 5, 1}};
    for (const auto& c : cases) {
        session({{barStep().at(c.column, QString::fromUtf8(c.code)), barStep("0001"), barStep("0001"), barStep("0001")}});
        FrmMain& w = show();
        release(w, c.element);
        EXPECT_EQ(step(), c.to) << c.code << " on " << c.element;
        // A drop-down opened by a matching release closes with the advance.
        EXPECT_EQ(w.Pic1J->Visible(), c.to == 1 && c.element != 86) << c.code << " on " << c.element;
        vb::Forms::unloadAll();
        Clock::advance(1);
    }
}

TEST_F(MenuTest, TheStepsMarkedItem)
{
    chrome(QStringLiteral("123477"), {60, 22});
    chrome(QStringLiteral("123400"), {61, 22});
    chrome(QStringLiteral("050400"), {62, 22});
    chrome(QStringLiteral("050077"), {270, 200});
    const struct {
        const char* mark;
        int column;
        bool shown;
    } cases[] = {{"D0503 1234", 86, true},  {"D0503 1234", 125, false}, {"D0503 1234", 96, false},
                 {"D0403 1234", 86, false}, {"D0500 1234", 86, false},  {"D0503 9999", 86, false},
                 // Menu 5 has eight items: the spot of item 15 stays parked outside the picture.
                 {"D0515 1234", 86, false}};
    for (const auto& c : cases) {
        session({{barStep().at(c.column, QString::fromUtf8(c.mark))}});
        FrmMain& w = show();
        // An earlier mark must not show through a code that names no item or whose picture is
        // missing.
        w.Img1jBK->setPicture(QPixmap(4, 4));
        w.Img1jBK->setVisible(true);
        release(w, 5);
        EXPECT_EQ(w.Img1jBK->Visible(), c.shown) << c.mark << " at " << c.column;
        if (c.shown) {
            EXPECT_EQ(QPoint(w.Img1jBK->Left(), w.Img1jBK->Top()), QPoint(30, 720));
            EXPECT_EQ(sizeOf(*w.Img1jBK), QSize(60, 22));
            // Its hover picture is the mark's own; the neighbour's is its item picture.
            tsupport::move(w.Lbl1J(3));
            EXPECT_EQ(sizeOf(*w.Img1J), QSize(61, 22));
            tsupport::move(w.Lbl1J(4));
            EXPECT_EQ(sizeOf(*w.Img1J), QSize(62, 22));
            EXPECT_EQ(w.Img1J->Top(), 1065);
        }
        vb::Forms::unloadAll();
        Clock::advance(1);
    }
}

TEST_F(MenuTest, CascadesOpenBesideTheirItemAndStayInsideTheWindow)
{
    chrome(QStringLiteral("030077"), {280, 300});
    chrome(QStringLiteral("030477"), {270, 470});
    chrome(QStringLiteral("030402"), {255, 22});
    session({{barStep().at(86, QStringLiteral("H030402000")), barStep("0001")}});
    FrmMain& w = show();
    release(w, 3);
    tsupport::click(w.Lbl1J(4));
    EXPECT_EQ(w.item1JIndex, 4);
    ASSERT_TRUE(w.Pic2J->Visible());
    EXPECT_EQ(sizeOf(*w.Pic2J), QSize(270, 470));
    EXPECT_EQ(w.Pic2J->Left(), w.Pic1J->Left() + w.Pic1J->Width() - 15);
    // 7050 high from 690 + 1095 it would end below 8820: raised to end there.
    EXPECT_EQ(w.Pic2J->Top(), 8820 - 470 * 15);
    EXPECT_EQ(w.Lbl2J(20).Top() - w.Lbl2J(19).Top(), 375);
    EXPECT_EQ(step(), 1);

    tsupport::move(w.Lbl2J(2));
    EXPECT_EQ(sizeOf(*w.Img2J), QSize(255, 22));
    // Moving to another item of the drop-down closes the cascade.
    tsupport::move(w.Lbl1J(5));
    EXPECT_FALSE(w.Pic2J->Visible());
    tsupport::click(w.Lbl1J(4));
    tsupport::click(w.Lbl2J(3));
    EXPECT_EQ(step(), 1);
    EXPECT_TRUE(w.Pic2J->Visible());
    tsupport::click(w.Lbl2J(2));
    EXPECT_EQ(step(), 2);
    EXPECT_FALSE(w.Pic1J->Visible());
    EXPECT_FALSE(w.Pic2J->Visible());
}

TEST_F(MenuTest, DropDownChoices)
{
    chrome(QStringLiteral("499912"), {34, 18});
    chrome(QStringLiteral("844100"), {144, 22});
    chrome(QStringLiteral("050077"), {270, 200});
    chrome(QStringLiteral("840077"), {150, 135});
    session({{barStep().at(125, QStringLiteral("H050300000")), barStep().at(125, QStringLiteral("H841200000")),
              barStep().at(125, QStringLiteral("H05030000B")), barStep("0001"), barStep("0001")}});
    FrmMain& w = show();
    release(w, 5);
    tsupport::click(w.Lbl1J(2));
    EXPECT_EQ(step(), 1);
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_EQ(w.zhuIndex, 5);
    tsupport::click(w.Lbl1J(3));
    EXPECT_EQ(step(), 2);

    // A palette: its cells share the palette's cell pictures, its wide item has its own.
    release(w, 84);
    tsupport::move(w.Lbl1J(12));
    EXPECT_EQ(sizeOf(*w.Img1J), QSize(34, 18));
    tsupport::move(w.Lbl1J(41));
    EXPECT_EQ(sizeOf(*w.Img1J), QSize(144, 22));
    tsupport::click(w.Lbl1J(12));
    EXPECT_EQ(step(), 3);

    // A letter in the code's jump field jumps.
    release(w, 5);
    tsupport::click(w.Lbl1J(3));
    EXPECT_EQ(step(), 5);
}

TEST_F(MenuTest, HoversAlongTheBars)
{
    chrome(QStringLiteral("050088"), {58, 18});
    chrome(QStringLiteral("570088"), {35, 22});
    chrome(QStringLiteral("140088"), {23, 22});
    chrome(QStringLiteral("050077"), {200, 150});
    session({{barStep()}});
    FrmMain& w = show();
    hover(w.LblZHU(5));
    EXPECT_EQ(sizeOf(*w.ImgMenu), QSize(58, 18));
    EXPECT_EQ(w.ImgMenu->Left(), w.LblZHU(5).Left());
    release(w, 5);
    ASSERT_TRUE(w.Pic1J->Visible());
    // Moving within the open title changes nothing.
    tsupport::move(w.LblZHU(5), 0, 0, 100.0, 100.0);
    tsupport::move(w.LblZHU(5), 0, 0, 300.0, 100.0);
    EXPECT_TRUE(w.Pic1J->Visible());
    EXPECT_EQ(w.zhuIndex, 5);
    // Another element closes the drop-down; only its own bar's highlight is filled.
    w.Pic2J->setVisible(true);
    tsupport::move(w.LblZHU(57));
    EXPECT_FALSE(w.Pic1J->Visible());
    EXPECT_FALSE(w.Pic2J->Visible());
    EXPECT_EQ(w.zhuIndex, 0);
    EXPECT_EQ(w.ImgTool->Left(), 6600);
    EXPECT_EQ(sizeOf(*w.ImgTool), QSize(35, 22));
    EXPECT_FALSE(w.ImgMenu->Picture().has_value());
    tsupport::move(w.LblZHU(14));
    EXPECT_FALSE(w.ImgTool->Picture().has_value());
    EXPECT_EQ(sizeOf(*w.ImgHui), QSize(23, 22));
    // Element 10 (past the last title) clears every highlight and shows none.
    w.LblZHU_MouseMove(10, 0, 0, 0, 0);
    for (vb::Image* img : {w.ImgMenu, w.ImgTool, w.ImgHui, w.ImgElse})
        EXPECT_FALSE(img->Picture().has_value());
}

TEST_F(MenuTest, PanesAndPalettesAStepOpens)
{
    chrome(QStringLiteral("360000"), {160, 100});
    chrome(QStringLiteral("330077"), {150, 140});
    const auto pane = [](const char* code, const char* pos) {
        return barStep("0001").zones(QStringLiteral("B7")).at(86, QString::fromUtf8(code)).at(96, QString::fromUtf8(pos));
    };
    session({{pane("H36", "01000 0200"), pane("H32", "01000 0200"), pane("H38", "01000 0200"),
              pane("H33", "02400 1500"), pane("H05", "01000 0200")}});
    FrmMain& w = show();
    ASSERT_TRUE(w.PicElse->Visible());
    EXPECT_EQ(QPoint(w.PicElse->Left(), w.PicElse->Top()), QPoint(6510, 420));
    EXPECT_EQ(sizeOf(*w.PicElse), QSize(160, 100));
    EXPECT_EQ(w.LblZHU(36).Width(), 8100);
    EXPECT_EQ(w.LblZHU(36).Height(), 6000);
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(QPoint(w.PicElse->Left(), w.PicElse->Top()), QPoint(9090, 1905));
    EXPECT_EQ(w.LblZHU(36).Width(), 0);
    w.GoStep(QStringLiteral("A"));
    EXPECT_EQ(QPoint(w.PicElse->Left(), w.PicElse->Top()), QPoint(1000, 200));

    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.PicElse->Visible());
    ASSERT_TRUE(w.Pic1J->Visible());
    EXPECT_EQ(sizeOf(*w.Pic1J), QSize(150, 140));
    EXPECT_EQ(QPoint(w.Pic1J->Left(), w.Pic1J->Top()), QPoint(2400, 1500));
    EXPECT_EQ(w.zhuIndex, 0);
    EXPECT_EQ(w.Lbl1J(1).Width(), 0);
    Clock::advance(100);
    EXPECT_EQ(w.zhuIndex, 33);
    EXPECT_FALSE(w.TimTool->Enabled());
    int laidOut = 0;
    for (int i = 1; i <= simmenus::DropDownSpots; ++i)
        laidOut += w.Lbl1J(i).Width() > 0 ? 1 : 0;
    EXPECT_EQ(laidOut, 42);

    // The next step closes the palette.
    w.GoStep(QStringLiteral("A"));
    EXPECT_FALSE(w.PicElse->Visible());
    EXPECT_FALSE(w.Pic1J->Visible());
}

// The context-menu file: set 1, menu 4 (lines 46-60) has a plain group, a "0" group, a long
// line, a separator and a third submenu.
class ContextMenuTest : public MenuTest {
protected:
    std::vector<vb::Menu*> popups;
    std::function<vb::Menu*(FrmMain&)> choose = [](FrmMain&) { return nullptr; };

    void SetUp() override
    {
        MenuTest::SetUp();
        QStringList lines(405, QStringLiteral("0"));
        const auto block = [&](int set, int menu, int line, const QString& text) {
            lines[(set - 1) * 135 + (menu - 1) * 15 + line - 1] = text;
        };
        block(1, 4, 4, QStringLiteral("1|2|3|4|5|6|7|8|9|10|11|12"));
        block(1, 4, 8, QStringLiteral("排序"));
        block(1, 4, 9, QStringLiteral("升序|-|降序"));
        block(1, 1, 4, QStringLiteral("剪切|复制"));
        inst.writeLines(QStringLiteral("sMenu.sys"), lines);
        vb::setPopupResponder([this](vb::Menu& m) -> vb::Menu* {
            popups.push_back(&m);
            return choose(frmMain());
        });
    }
};

TEST_F(ContextMenuTest, ToolbarRightClickBuildsTheMenuFromItsBlock)
{
    session({{barStep("3452"), barStep("0001")}});
    FrmMain& w = show();
    // An earlier pop-up's item in a group that this block leaves out.
    w.sMivoInde2(0).setCaption(QStringLiteral("old"));
    w.sMivoInde2(0).setVisible(true);
    tsupport::click(w.LblZHU(45), vb::vbRightButton);
    ASSERT_EQ(popups.size(), 1U);
    EXPECT_EQ(w.MenuContext, 4);
    EXPECT_FALSE(w.sMivoInde2(0).Visible());
    EXPECT_FALSE(w.sMivoMain1->Visible());
    EXPECT_TRUE(w.sMivoMain3->Visible());
    EXPECT_EQ(w.sMivoMain3->Caption(), QStringLiteral("排序"));
    for (int i = 0; i <= 9; ++i)
        EXPECT_TRUE(w.sMivoInde1(i).Visible()) << i;
    EXPECT_FALSE(w.sMivoInde1(10).Visible());
    EXPECT_EQ(w.sMivoInde1(9).Caption(), QStringLiteral("10"));
    EXPECT_EQ(w.sMivoSub3(1).Caption(), QStringLiteral("-"));
    EXPECT_EQ(step(), 1);

    // Only the third item of submenu 3 advances; the separator, another group or dismissing
    // changes nothing.
    for (vb::Menu* wrong : {&w.sMivoInde1(2), &w.sMivoSub3(1), &w.sMivoSub3(0), static_cast<vb::Menu*>(nullptr)}) {
        choose = [wrong](FrmMain&) { return wrong; };
        tsupport::click(w.LblZHU(45), vb::vbRightButton);
        EXPECT_EQ(step(), 1);
    }
    choose = [](FrmMain& f) { return &f.sMivoSub3(2); };
    tsupport::click(w.LblZHU(45), vb::vbLeftButton);
    EXPECT_EQ(step(), 1);
    tsupport::click(w.LblZHU(45), vb::vbRightButton);
    EXPECT_EQ(step(), 2);
}

TEST_F(ContextMenuTest, RouteCodesAndTheReleaseAfterTheMenu)
{
    // "R3452" at column 86 decides the menu and the choice, not the step's own 0003.
    session({{Step(QStringLiteral("0003")).target1(3000, 3000, 900, 300).at(86, QStringLiteral("R3452")),
              Step(QStringLiteral("0003")).target1(3000, 3000, 900, 300), Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    choose = [](FrmMain& f) { return &f.sMivoSub3(2); };
    tsupport::click(*w.Label1, vb::vbRightButton);
    EXPECT_EQ(w.MenuContext, 4);
    // The choice advanced to a 0003 step: the same release does not advance it once more.
    EXPECT_EQ(step(), 2);

    // Dismissed, the release then counts for the step's own 0003.
    choose = [](FrmMain&) { return nullptr; };
    w.GoStep(QStringLiteral("1"));
    tsupport::click(*w.Label1, vb::vbRightButton);
    EXPECT_EQ(step(), 2);
}

TEST_F(ContextMenuTest, WithoutTheContextMenuFileNothingPopsUp)
{
    QFile::remove(inst.path(QStringLiteral("sMenu.sys")));
    session({{barStep("3452"), barStep("0001")},
             {Step(QStringLiteral("3123")).target1(3000, 3000, 900, 300), Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    tsupport::click(w.LblZHU(45), vb::vbRightButton);
    S().CurrentQuestion = 2;
    frmTm().DqExam();
    Clock::advance(100);
    tsupport::click(*w.Label1, vb::vbRightButton);
    EXPECT_TRUE(popups.empty());
    EXPECT_EQ(step(), 1);
}

// A whole question through the menus with the mouse: a menu and its cascade, a toolbar
// palette, a palette that the step opens itself, the toolbars' context menu and the end.
TEST_F(ContextMenuTest, AQuestionPlayedThroughTheMenus)
{
    chrome(QStringLiteral("030077"), {270, 270});
    chrome(QStringLiteral("030477"), {270, 470});
    chrome(QStringLiteral("840077"), {150, 135});
    chrome(QStringLiteral("330077"), {150, 135});
    session({{barStep().at(125, QStringLiteral("H030402000")), barStep().at(96, QStringLiteral("H841200000")),
              barStep().at(86, QStringLiteral("H33")).at(96, QStringLiteral("03000 2000")).at(125, QStringLiteral("H331200000")),
              barStep("3452"), barStep("9999")}});
    FrmMain& w = show();

    // Wrong turns first: another menu, an item of the right menu without the cascade.
    release(w, 2);
    tsupport::click(w.Lbl1J(3));
    release(w, 3);
    tsupport::click(w.Lbl1J(3));
    EXPECT_EQ(step(), 1);
    tsupport::click(w.Lbl1J(4));
    tsupport::move(w.Lbl2J(1));
    tsupport::click(w.Lbl2J(2));
    EXPECT_EQ(step(), 2);

    release(w, 84);
    tsupport::click(w.Lbl1J(13));
    EXPECT_EQ(step(), 2);
    tsupport::click(w.Lbl1J(12));
    EXPECT_EQ(step(), 3);

    // The step's own palette takes clicks once its timer has laid it out.
    ASSERT_TRUE(w.Pic1J->Visible());
    Clock::advance(100);
    EXPECT_EQ(QPoint(w.Pic1J->Left(), w.Pic1J->Top()), QPoint(3000, 2000));
    tsupport::click(w.Lbl1J(12));
    EXPECT_EQ(step(), 4);

    choose = [](FrmMain& f) { return &f.sMivoSub3(2); };
    tsupport::click(w.LblZHU(60), vb::vbRightButton);
    EXPECT_EQ(step(), 5);
    EXPECT_GE(S().QuestionState[1], 4);
}

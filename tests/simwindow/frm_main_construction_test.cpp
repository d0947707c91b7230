#include "sim_window_fixture.h"

#include "simmenus/hotspots.h"

#include <QGuiApplication>
#include <QScreen>

namespace {

using ConstructionTest = SimWindowTest;

struct ScreenCase {
    int rows;
    double twipsPerPixel;
    bool centred; // false: maximised at 0, 0
};

class ScreenSizeTest : public SimWindowTest, public ::testing::WithParamInterface<ScreenCase> {};

TEST_P(ScreenSizeTest, WindowSizeAndPlaceFollowTheScreenAndThePanelIsDocked)
{
    const ScreenCase c = GetParam();
    vb::setTwipsPerPixelOverride(c.twipsPerPixel, c.twipsPerPixel);
    vb::setScreenSizeOverride(1024, c.rows);
    S().ScaleX = S().ScaleY = c.twipsPerPixel / 15;

    FrmMain& w = frmMain();
    const FrmTm& panel = frmTm();
    // The panel's bottom-right corner in pixels, against the screen's figures: the corner of
    // the centred window, or of the whole screen for a maximised one (not shown yet).
    const QPoint corner(vb::pxX(panel.Left() + panel.Width()), vb::pxY(panel.Top() + panel.Height()));
    if (c.centred)
        EXPECT_EQ(corner, QPoint((1024 - 800) / 2 + 800, (c.rows - 600) / 2 + 600));
    else
        EXPECT_EQ(corner, QPoint(1024, c.rows));
    if (c.centred) {
        EXPECT_EQ(w.WindowState(), vb::vbNormal);
        // 12000 x 9000 design twips keep their pixel size on any screen.
        EXPECT_EQ(vb::pxX(w.Width()), 800);
        EXPECT_EQ(vb::pxY(w.Height()), 600);
        EXPECT_EQ(vb::pxX(w.Left()), (1024 - 800) / 2);
        EXPECT_EQ(vb::pxY(w.Top()), (c.rows - 600) / 2);
    } else {
        EXPECT_EQ(w.WindowState(), vb::vbMaximized);
        EXPECT_EQ(w.Left(), 0);
        EXPECT_EQ(w.Top(), 0);
    }
    EXPECT_EQ(panel.Width(), qRound(4980 * S().ScaleX));
    EXPECT_EQ(panel.Height(), qRound(3630 * S().ScaleY));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenSizeTest,
                         ::testing::Values(ScreenCase{768, 15, true}, ScreenCase{650, 15, false},
                                           ScreenCase{651, 15, true}, ScreenCase{640, 15, false},
                                           ScreenCase{768, 12, true}));

// A maximised window has its geometry once it is shown: the panel is docked to it then, and
// stays docked when the session's first question is laid out.
TEST_F(ConstructionTest, ThePanelStaysDockedToTheMaximisedWindowOnceItIsShown)
{
    vb::setScreenSizeOverride(1024, 600);
    session({{Step(QStringLiteral("0001"))}});
    FrmMain& w = frmMain();
    FrmTm& panel = frmTm();
    const auto docked = [&] {
        EXPECT_EQ(panel.Left() + panel.Width(), w.Left() + w.Width());
        EXPECT_EQ(panel.Top() + panel.Height(), w.Top() + w.Height());
    };
    w.Show();
    platform::Clock::advance(1);
    ASSERT_EQ(w.WindowState(), vb::vbMaximized);
    const QRect area = w.screen()->availableGeometry();
    EXPECT_EQ(QRect(vb::pxX(w.Left()), vb::pxY(w.Top()), vb::pxX(w.Width()), vb::pxY(w.Height())), area);
    docked();
    show(1);
    docked();
}

// On a small screen of the window system itself (the simwindow_small_screen run of this program,
// on a 1024 x 600 offscreen screen, which applies the maximised state): the maximised window
// fills the screen, a normal state (the input-method choice, the end of a demonstration) gives
// the design size at 0, 0, and the panel is docked to the window after each change.
TEST_F(ConstructionTest, SmallScreenNormalStateHasTheDesignSize)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen || screen->availableGeometry() != QRect(0, 0, 1024, 600))
        GTEST_SKIP() << "runs on the 1024 x 600 screen of tests/support/small_screen.json";
    vb::setScreenSizeOverride(0, 0);
    session({{Step(QStringLiteral("0001"))}});
    FrmMain& w = frmMain();
    FrmTm& panel = frmTm();
    const auto pixels = [&] { return QRect(vb::pxX(w.Left()), vb::pxY(w.Top()), vb::pxX(w.Width()), vb::pxY(w.Height())); };
    const auto docked = [&] {
        EXPECT_EQ(panel.Left() + panel.Width(), w.Left() + w.Width());
        EXPECT_EQ(panel.Top() + panel.Height(), w.Top() + w.Height());
    };
    w.Show();
    show(1);
    platform::Clock::advance(1);
    EXPECT_EQ(w.WindowState(), vb::vbMaximized);
    EXPECT_EQ(pixels(), QRect(0, 0, 1024, 600));
    docked();

    w.setWindowState(vb::vbNormal);
    platform::Clock::advance(1);
    EXPECT_EQ(pixels(), QRect(0, 0, 800, 600));
    docked();
}

// The panel follows the window during a drag of the strip and is docked when it ends; later
// moves of the window leave it where it is.
TEST_F(ConstructionTest, ThePanelFollowsOnlyTheDragOfTheStrip)
{
    FrmMain& w = frmMain();
    w.Show();
    FrmTm& panel = frmTm();
    tsupport::press(*w.lblMove, vb::vbLeftButton);
    w.Move(w.Left() + 1500, w.Top() + 600);
    platform::Clock::advance(1);
    tsupport::release(*w.lblMove, vb::vbLeftButton);
    EXPECT_EQ(panel.Left() + panel.Width(), w.Left() + w.Width());
    EXPECT_EQ(panel.Top() + panel.Height(), w.Top() + w.Height());

    const QPoint before(panel.Left(), panel.Top());
    w.Move(w.Left() - 3000, w.Top() - 1200);
    platform::Clock::advance(1);
    EXPECT_EQ(QPoint(panel.Left(), panel.Top()), before);
}

TEST_F(ConstructionTest, ToolbarTooltipsFromTheHotSpotTable)
{
    FrmMain& w = frmMain();
    EXPECT_EQ(w.LblZHU(24).ToolTipText(), QStringLiteral("填充颜色"));
    EXPECT_EQ(w.LblZHU(84).ToolTipText(), QStringLiteral("填充颜色"));
    EXPECT_EQ(w.LblZHU(26).ToolTipText(), QStringLiteral("字体颜色"));
    EXPECT_EQ(w.LblZHU(85).ToolTipText(), QStringLiteral("字体颜色"));
    EXPECT_EQ(w.LblZHU(57).ToolTipText(), QStringLiteral("自动求和"));
    EXPECT_EQ(w.LblZHU(86).ToolTipText(), QStringLiteral("自动求和"));
    for (int n = 0; n <= 13; ++n)
        EXPECT_TRUE(w.LblZHU(n).ToolTipText().isEmpty()) << n;
    for (int n = 32; n <= 40; ++n)
        EXPECT_TRUE(w.LblZHU(n).ToolTipText().isEmpty()) << n;
}

TEST_F(ConstructionTest, EachPopupItemArrayHasElevenMembersAfterEveryLoad)
{
    for (int load = 0; load < 2; ++load) {
        FrmMain& w = frmMain();
        for (auto* items : {&w.sMivoInde1, &w.sMivoInde2, &w.sMivoInde3, &w.sMivoInde4, &w.sMivoSub1,
                            &w.sMivoSub2, &w.sMivoSub3, &w.sMivoSub4, &w.sMivoSub5}) {
            EXPECT_EQ(items->count(), 11);
            EXPECT_EQ(items->lbound(), 0);
            EXPECT_EQ(items->ubound(), 10);
        }
        // The submenus hold their item arrays; the plain items lie in the pop-up itself, in order.
        EXPECT_EQ(w.sMivoMain1->Items().size(), 11U);
        EXPECT_EQ(w.sMivoMain5->Items().size(), 11U);
        EXPECT_EQ(w.wm100->Items().size(), 5U + 4U * 11U);
        EXPECT_EQ(w.sMivoInde1(10).Parent(), w.wm100);
        vb::Unload(w);
        platform::Clock::advance(1);
        vb::DoEvents();
    }
}

TEST_F(ConstructionTest, OpensWithoutItsTablesAndPictures)
{
    // Nothing but the default background exists: no faces, no bar pictures, no layout tables.
    FrmMain& w = frmMain();
    EXPECT_TRUE(w.FontColorTable.fontName(0).isEmpty());
    EXPECT_TRUE(w.TabLayoutTable.forLetter(u"A")->line.isEmpty());
    EXPECT_FALSE(w.PicMenu->Picture().has_value());
    // Only the panel's first question display, which the window's load runs, asks for a layout.
    EXPECT_TRUE(w.Timer2->Enabled());
    EXPECT_FALSE(w.Timer3->Enabled() || w.TimerDisFK->Enabled() || w.TimTool->Enabled());
    EXPECT_FALSE(w.PicList->Visible());
    EXPECT_FALSE(w.LblSuccess->Visible());
    EXPECT_EQ(w.imgDir, S().AppPath + QStringLiteral("/examdata/"));
}

TEST_F(ConstructionTest, SavedStepOfTheFirstFortyQuestionsOnly)
{
    // The panel, loaded first, puts every saved step to 1; the window's own load then does so
    // for the first forty questions only.
    frmTm();
    vb::Unload(frmMain());
    platform::Clock::advance(1);
    vb::DoEvents();
    S().SavedStep[40] = 7;
    S().SavedStep[41] = 7;
    frmMain();
    EXPECT_EQ(S().SavedStep[1], 1);
    EXPECT_EQ(S().SavedStep[40], 1);
    EXPECT_EQ(S().SavedStep[41], 7);
}

TEST_F(ConstructionTest, HotSpotsLieWhereTheTableSays)
{
    FrmMain& w = frmMain();
    const std::map<simmenus::Container, vb::Container*> boxes{{simmenus::Container::PicMenu, w.PicMenu},
                                                              {simmenus::Container::PicTool, w.PicTool},
                                                              {simmenus::Container::PicHui, w.PicHui}};
    for (const simmenus::HotSpot& spot : simmenus::barHotSpots()) {
        const vb::Label& l = w.LblZHU(spot.no);
        EXPECT_EQ(l.Container(), boxes.at(spot.container)) << spot.no;
        EXPECT_EQ(QRect(l.Left(), l.Top(), l.Width(), l.Height()), spot.rect()) << spot.no;
    }
    for (const auto& [c, box] : boxes) {
        const QPoint at = *simmenus::containerPos(c);
        EXPECT_EQ(static_cast<vb::PictureBox*>(box)->Left(), at.x());
        EXPECT_EQ(static_cast<vb::PictureBox*>(box)->Top(), at.y());
    }
    for (int n = 32; n <= 40; ++n)
        EXPECT_EQ(w.LblZHU(n).Container(), w.PicElse);
}

TEST_F(ConstructionTest, AClickInTheOverlapOfTheSumButtonAndItsArrowHitsTheSumButton)
{
    picture(QStringLiteral("9lX009"), {800, 50}, Qt::gray);
    FrmMain& w = frmMain();
    w.Show();
    w.PicTool->setVisible(true);
    std::vector<int> hits;
    w.LblZHU.MouseUp = [&hits](int i, int, int, double, double) { hits.push_back(i); };
    const struct {
        int x;
        int expected;
    } cases[] = {{6937, 86}, {6700, 86}, {7050, 57}, {1900, -1}, {135 + 100, 41}};
    for (const auto& c : cases) {
        hits.clear();
        tsupport::click(*w.PicTool, vb::vbLeftButton, 0, c.x, 150);
        if (c.expected < 0)
            EXPECT_TRUE(hits.empty()) << c.x;
        else
            EXPECT_EQ(hits, std::vector<int>{c.expected}) << c.x;
    }
}

TEST_F(ConstructionTest, ClickOnTheBareWindowClosesTheLocationList)
{
    FrmMain& w = frmMain();
    w.Show();
    w.PicList->setVisible(true);
    w.PicList->setHeight(3720);
    tsupport::click(w, vb::vbLeftButton, 0, 6000, 6000);
    EXPECT_EQ(w.PicList->Height(), 330);
    EXPECT_TRUE(w.PicList->Visible());
}

TEST_F(ConstructionTest, DraggingTheTitleStripDocksThePanelForAnyButton)
{
    FrmMain& w = frmMain();
    w.Show();
    FrmTm& panel = frmTm();
    panel.Move(0, 0);
    tsupport::press(*w.lblMove, vb::vbRightButton);
    tsupport::release(*w.lblMove, vb::vbRightButton);
    EXPECT_EQ(panel.Left() + panel.Width(), w.Left() + w.Width());
    EXPECT_EQ(panel.Top() + panel.Height(), w.Top() + w.Height());

    // Below 650 rows the strip does nothing at all.
    vb::setScreenSizeOverride(1024, 640);
    panel.Move(0, 0);
    tsupport::press(*w.lblMove, vb::vbLeftButton);
    tsupport::release(*w.lblMove, vb::vbLeftButton);
    EXPECT_EQ(panel.Left(), 0);
}

} // namespace

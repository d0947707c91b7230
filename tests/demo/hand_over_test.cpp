#include "demo_fixture.h"

#include "controls/mivo_button.h"

namespace {

using platform::Clock;

class HandOverTest : public DemoTest {
protected:
    void SetUp() override
    {
        DemoTest::SetUp();
        S().DemoRunning = 0;
        inst.writeLines(QStringLiteral("data/288869.mxy"),
                        {QStringLiteral("000001甲|乙"), QStringLiteral("000001picture123456A|B"),
                         QStringLiteral("000001c")});
        S().QuestionFilePath = S().DataDir + QStringLiteral("288869.mxy");
        picture(QStringLiteral("123456"));
        session({{Step(QStringLiteral("9999"))}, {Step(QStringLiteral("9999"))}, {Step(QStringLiteral("9999"))},
                 {Step(QStringLiteral("9999"))}});
    }
    // The panel's demonstration button on question q, and the two ticks of its start timer.
    static void demonstrate() { frmTm().CmdGN_Click(FrmTm::BtnDemo); }
};

TEST_F(HandOverTest, TheButtonHandsTheQuestionOverOnItsSecondTickAndGetsItBack)
{
    FrmMain& main = show(1, 1);
    FrmTm& panel = frmTm();
    panel.Show();
    SessionState& s = S();
    s.CurrentStep = 1;
    s.SavedStep[1] = 1;
    const int state = s.QuestionState[1];

    demonstrate();
    EXPECT_EQ(s.DemoRunning, -1);
    EXPECT_EQ(panel.RtbTM->Text(), QStringLiteral("甲|乙"));
    Clock::advance(100);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(panel.Visible());
    Clock::advance(100);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    FrmYanShi& w = vb::Forms::get<FrmYanShi>();
    EXPECT_TRUE(w.Visible());
    EXPECT_FALSE(main.Visible());
    EXPECT_FALSE(panel.Visible());
    EXPECT_EQ(s.DemoRunning, -1);
    EXPECT_EQ(QPoint(w.Left(), w.Top()), QPoint(main.Left(), main.Top()));
    EXPECT_EQ(w.ImgLogo->Caption(), QStringLiteral("甲|乙"));
    EXPECT_GE(w.ImgLogo->Height(), 195);
    EXPECT_EQ(w.LHelp->Caption(), QStringLiteral("操作成功！"));
    EXPECT_EQ(QPoint(st().PtX, st().PtY), QPoint(7680, 5760));

    Clock::advance(300);
    EXPECT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    Clock::advance(100);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(s.DemoRunning, 0);
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(panel.Visible());
    EXPECT_TRUE(panel.TimerREDO->Enabled());
    Clock::advance(100);
    EXPECT_FALSE(panel.TimerREDO->Enabled());
    EXPECT_EQ(panel.RtbTM->Text(), QStringLiteral("甲\r\n乙"));
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ(s.CurrentStep, 1);
    EXPECT_EQ(s.SavedStep[1], 1);
    EXPECT_EQ(s.QuestionState[1], state);
    Clock::advance(1000);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());

    // A second demonstration starts again at step 1, from the start position.
    st().StepNo = 7;
    demonstrate();
    Clock::advance(200);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(st().StepNo, 1);
    EXPECT_EQ(QPoint(st().PtX, st().PtY), QPoint(7680, 5760));
}

// A close from the window system while a step plays ends the demonstration as a double click
// does: the simulated window and the panel come back with the question.
TEST_F(HandOverTest, AWindowSystemCloseEndsTheDemonstrationAsItsOwnEndDoes)
{
    session({{Step(QStringLiteral("8888")), Step(QStringLiteral("8888")), Step(QStringLiteral("9999"))}});
    FrmMain& main = show(1, 1);
    FrmTm& panel = frmTm();
    panel.Show();
    demonstrate();
    Clock::advance(200);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    FrmYanShi& w = vb::Forms::get<FrmYanShi>();
    Clock::advance(300);
    ASSERT_EQ(st().StepNo, 1);

    w.close();
    EXPECT_TRUE(w.TimEnd->Enabled());
    Clock::advance(400);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(S().DemoRunning, 0);
    EXPECT_EQ(st().StepNo, 1);
    EXPECT_TRUE(main.Visible());
    EXPECT_TRUE(panel.Visible());
    Clock::advance(100);
    EXPECT_EQ(panel.RtbTM->Text(), QStringLiteral("甲\r\n乙"));
    EXPECT_EQ(S().DisplayMode, 2);
}

TEST_F(HandOverTest, TheNoteOfAnIllustratedQuestionAndOfAMissingLine)
{
    show(2, 1);
    FrmTm& panel = frmTm();
    panel.Image2->setCaption(QStringLiteral("隐藏图片"));
    demonstrate();
    EXPECT_EQ(panel.RtbTM->Text(), QStringLiteral("A|B"));
    EXPECT_TRUE(panel.Image2->Visible());
    EXPECT_EQ(panel.Image2->Caption(), QStringLiteral("显示图片"));
    Clock::advance(200);
    EXPECT_EQ(vb::Forms::get<FrmYanShi>().ImgLogo->Caption(), QStringLiteral("A|B"));
    Clock::advance(400);
    ASSERT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    Clock::advance(100);

    // Question 4 has no line in the question file: an empty note, and the demonstration plays.
    S().CurrentQuestion = 4;
    demonstrate();
    EXPECT_EQ(panel.RtbTM->Text(), QString());
    Clock::advance(200);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_EQ(vb::Forms::get<FrmYanShi>().ImgLogo->Caption(), QString());
    EXPECT_EQ(vb::Forms::get<FrmYanShi>().LHelp->Caption(), QStringLiteral("操作成功！"));
}

} // namespace

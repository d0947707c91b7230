// The operation-hint dialog: a click anywhere but the answer button only closes it; the answer
// button warns first, and on Yes turns the exam into unscored practice with the demonstration.

#include "session/frm_czts.h"

#include "platform/vb.h"
#include "session/panel_fixture.h"
#include "session_state/session_state.h"
#include "support/dialog_fixture.h"

#include <gtest/gtest.h>

using namespace vb;

namespace {

class FrmCztsTest : public tsupport::DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        install.writePicture(QStringLiteral("data/l01038.mxy"), {512, 30}, Qt::gray);
        install.writePicture(QStringLiteral("data/l01039.mxy"), {512, 30}, Qt::blue);
        S().DisplayMode = 3;
        S().ExamStartTime = QStringLiteral("2026-12-10 15:00:00");
        S().SessionKind = 0;
        S().CurrentStep = 4;
        setMsgBoxResponder([this](const QString& prompt, int buttons, const QString& title) {
            asked.append({prompt, buttons, title});
            return answer;
        });
    }
    void TearDown() override
    {
        setMsgBoxResponder({});
        DialogTest::TearDown();
    }
    FrmCZTS& open()
    {
        FrmCZTS& dlg = frmCZTS();
        dlg.Show();
        return dlg;
    }
    void expectExamUnchanged()
    {
        EXPECT_EQ(S().DisplayMode, 3);
        EXPECT_EQ(S().ExamStartTime, QStringLiteral("2026-12-10 15:00:00"));
        EXPECT_EQ(S().CurrentStep, 4);
        EXPECT_EQ(S().DemoRunning, 0);
    }

    struct Asked {
        QString prompt;
        int buttons;
        QString title;
    };
    QList<Asked> asked;
    int answer = vbNo;
};

} // namespace

TEST_F(FrmCztsTest, TheDialogShowsItsNoticeAtItsDesignSize)
{
    FrmCZTS& dlg = open();
    EXPECT_EQ(dlg.Caption(), QStringLiteral("Talvesk练习系统——电子表格模块"));
    EXPECT_EQ(dlg.ScaleWidth(), 4815);
    EXPECT_EQ(dlg.ScaleHeight(), 5130);
    EXPECT_TRUE(dlg.Topmost());
    EXPECT_EQ(dlg.Label3->Caption(), QStringLiteral("请注意!!!"));
    EXPECT_TRUE(dlg.Label2->Caption().startsWith(QStringLiteral("1.正式考试时不能看答案。\r\n\r\n2.")));
    EXPECT_EQ(dlg.Command1->Width(), 1920);
    EXPECT_EQ(dlg.Command2->Height(), 450);
    EXPECT_TRUE(dlg.Command2->Picture().has_value());
}

TEST_F(FrmCztsTest, ClicksElsewhereOnlyClose)
{
    for (int where = 0; where < 4; ++where) {
        FrmCZTS& dlg = open();
        switch (where) {
        case 0: tsupport::click(*dlg.Command1); break;
        case 1: tsupport::click(*dlg.Label2); break;
        case 2: tsupport::click(*dlg.Label3); break;
        default: tsupport::click(dlg, vbLeftButton, 0, 4500, 300); break;
        }
        DoEvents();
        EXPECT_FALSE(Forms::isLoaded<FrmCZTS>()) << where;
        expectExamUnchanged();
    }
    EXPECT_TRUE(asked.isEmpty());
}

TEST_F(FrmCztsTest, NoToTheWarningKeepsTheDialogOpen)
{
    FrmCZTS& dlg = open();
    tsupport::click(*dlg.Command2);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked[0].prompt, QStringLiteral("立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！\r\n"
                                              "您现在就要看答案吗？"));
    EXPECT_EQ(asked[0].buttons, vbYesNo);
    EXPECT_EQ(asked[0].title, QStringLiteral("不建议您立即看答案"));
    EXPECT_TRUE(dlg.isLoaded());
    expectExamUnchanged();
}

// ---- The answer view on a running exam --------------------------------------------------------

TEST_F(PanelTest, YesToTheWarningTurnsTheExamIntoPracticeWithTheDemonstration)
{
    questions({QStringLiteral("a"), QStringLiteral("b")});
    SessionState& s = S();
    s.SessionKind = 0;
    s.DisplayMode = 3;
    s.ExamStartTime = QStringLiteral("2026-12-10 15:00:00");
    picture(QStringLiteral("l01003"), {60, 22}, Qt::blue);
    picture(QStringLiteral("l01011"), {60, 22}, Qt::green);
    FrmTm& p = panel();
    p.TimeKS->setEnabled(true);
    s.CurrentStep = 3;
    s.MinutesLeft = 42;
    answer = vb::vbYes;
    vb::setModalResponder([](vb::Form& f) {
        if (auto* dlg = dynamic_cast<FrmCZTS*>(&f))
            tsupport::click(*dlg->Command2);
    });
    p.CmdGN_Click(FrmTm::BtnOperationHint);
    ASSERT_EQ(boxes.size(), 1);
    EXPECT_EQ(boxes[0], FrmCZTS::answerWarning());
    EXPECT_EQ(boxTitles[0], FrmCZTS::answerWarningTitle());
    EXPECT_EQ(lastButtons, vb::vbYesNo);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmCZTS>());
    EXPECT_EQ(s.DisplayMode, 2);
    EXPECT_EQ(s.ExamStartTime, QStringLiteral("-1"));
    EXPECT_EQ(s.PanelMayClose, 0);
    EXPECT_EQ(s.DemoRunning, -1);
    EXPECT_EQ(s.CurrentStep, 1);
    EXPECT_EQ(s.SessionKind, 0);
    EXPECT_EQ(s.MinutesLeft, 42);
    EXPECT_TRUE(p.TimeKS->Enabled()) << "the exam clock keeps counting";
    EXPECT_EQ(p.CmdGN(FrmTm::BtnMark).Picture()->toImage().pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(p.CmdGN(FrmTm::BtnUnmark).Picture()->toImage().pixelColor(0, 0), QColor(Qt::green));
    EXPECT_TRUE(p.PicUnit->Visible());
    for (int i = FrmTm::BtnBack; i <= FrmTm::BtnOperationHint; ++i)
        EXPECT_EQ(p.CmdGN(i).Visible(), i <= FrmTm::BtnDemo) << i;
    EXPECT_TRUE(p.TimStartYS->Enabled());
    EXPECT_TRUE(p.TimKsModel->Enabled());
    EXPECT_TRUE(frmMain().Visible());
}

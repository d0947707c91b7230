// A mock exam on the real panel: the login that opens it with its clock, the hand-in dialogs
// (cancel back to the exam, confirm to the score report, no cancel once the time is up), and
// the three ways on from the score report.

#include "panel_fixture.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/frm_fengmian.h"
#include "demo/frm_yanshi.h"
#include "session/frm_chengji.h"
#include "session/frm_czts.h"
#include "session/frm_end1.h"
#include "session/frm_end2.h"
#include "session/frm_ime.h"
#include "session/frm_logon.h"
#include "session/record_files.h"

#include <QApplication>

using platform::Clock;

namespace {

class ExamFlowTest : public PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        fixedPaperExam(100);
    }
    // Logs in through the imitation login and lets the exam open.
    FrmTm& login(const QString& seat)
    {
        FrmLogon& f = frmLogon();
        f.Show();
        Clock::advance(100);
        f.TxtZwh->setText(seat);
        tsupport::click(*f.CmdLog);
        Clock::advance(700);
        EXPECT_FALSE(vb::Forms::isLoaded<FrmLogon>());
        Clock::advance(600);
        return frmTm();
    }
    // Answers the hand-in dialogs: `steps` says, dialog after dialog, which button to click
    // (1 confirm, 2 cancel); what each showed is kept.
    void answerHandIn(std::vector<int> steps)
    {
        plan = std::move(steps);
        vb::setModalResponder([this](vb::Form& f) {
            auto* d = dynamic_cast<HandInDialog*>(&f);
            if (!d || plan.empty()) {
                vb::Unload(f);
                return;
            }
            notices << d->Label1->Caption();
            cancelShown.push_back(d->Command2->Visible());
            const int button = plan.front();
            plan.erase(plan.begin());
            tsupport::click(button == 1 ? *d->Command1 : *d->Command2);
        });
    }
    // The paper's own files, which the login names, with an illustration for question 1.
    void illustrateFirstQuestion() const
    {
        picture(QStringLiteral("123456"), {40, 26});
        QStringList lines;
        for (int i = 1; i <= 40; ++i)
            lines << QStringLiteral("000001") + (i == 1 ? QStringLiteral("picture123456") : QString()) + QStringLiteral("题%1").arg(i);
        inst.writeLines(QStringLiteral("data/288854.mxy"), lines);
        QFile::remove(inst.path(QStringLiteral("data/288804.mxy")));
        QFile::copy(inst.path(QStringLiteral("data/288819.mxy")), inst.path(QStringLiteral("data/288804.mxy")));
    }
    // A new exam after the score report of the last one.
    static void backToTheCover()
    {
        tsupport::click(*frmChengji().Command2);
        vb::Unload(frmFengmian());
    }
    // A dialog of the exam stands open: the operation hint, the input-method dialog, the
    // illustration or the demonstration.
    static bool examDialogOpen()
    {
        return vb::Forms::isLoaded<FrmCZTS>() || vb::Forms::isLoaded<FrmIME>() || vb::Forms::isLoaded<FrmYanShi>()
            || (vb::Forms::isLoaded<FrmPicture>() && frmPicture().Visible());
    }
    static QByteArray bytes(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    std::vector<int> plan;
    QStringList notices;
    std::vector<bool> cancelShown;
};

} // namespace

TEST_F(ExamFlowTest, LoginOpensTheExamWithAFreshClock)
{
    FrmTm& p = login(QStringLiteral("7"));
    EXPECT_TRUE(p.Visible());
    EXPECT_TRUE(frmMain().Visible());
    EXPECT_EQ(p.KsZWH1->Caption(), QStringLiteral("07"));
    EXPECT_EQ(p.LblTime->Caption(), QStringLiteral("剩余50分钟"));
    EXPECT_TRUE(p.TimeKS->Enabled());
    EXPECT_NE(S().ExamStartTime, QStringLiteral("-1"));
    Clock::advance(60000);
    EXPECT_EQ(S().MinutesLeft, 49);
}

TEST_F(ExamFlowTest, HandInCancelledGoesBackToTheExam)
{
    FrmTm& p = login(QStringLiteral("7"));
    Clock::advance(60000);
    for (int i = 1; i <= 40; ++i)
        S().QuestionState[static_cast<std::size_t>(i)] = 5;
    S().QuestionState[3] = 1;
    answerHandIn({2});
    p.CmdGN_Click(FrmTm::BtnHandIn);
    EXPECT_EQ(notices, QStringList{QStringLiteral("\r\n您是否确定交卷?")});
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.Left() + p.Width(), frmMain().Left() + frmMain().Width());
    EXPECT_EQ(p.Top() + p.Height(), frmMain().Top() + frmMain().Height());
    EXPECT_TRUE(p.TimeKS->Enabled());
    EXPECT_EQ(S().MinutesLeft, 49);

    // The second dialog's cancel does the same.
    S().QuestionState[3] = 3;
    notices.clear();
    answerHandIn({1, 2});
    p.CmdGN_Click(FrmTm::BtnHandIn);
    EXPECT_EQ(notices, (QStringList{QStringLiteral("您还有题目未做或仍处于标识状态！\r\n\r\n您是否确定交卷?"),
                                    QStringLiteral("按“交卷”后您将退出本场考试，并且不能重新登录!\r\n\r\n是否确定交卷?")}));
    EXPECT_TRUE(p.Visible());
    EXPECT_TRUE(p.TimeKS->Enabled());
    EXPECT_FALSE(vb::Forms::isLoaded<FrmChengji>());
}

TEST_F(ExamFlowTest, HandInConfirmedOpensTheScoreReport)
{
    FrmTm& p = login(QStringLiteral("7"));
    Clock::advance(3 * 60000);
    answerHandIn({1, 1});
    p.CmdGN_Click(FrmTm::BtnHandIn);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_TRUE(frmChengji().Visible());
    EXPECT_TRUE(vb::Forms::isLoaded<FrmTm>());
    EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
    EXPECT_EQ(S().MinutesLeft, 50);
    EXPECT_EQ(p.LblTime->Caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(p.LblTimeJD->Width(), 0);
    EXPECT_FALSE(p.TimeKS->Enabled());
    EXPECT_EQ(frmChengji().Label1->Caption(), QStringLiteral("第5套得分：0分"));
}

TEST_F(ExamFlowTest, AfterTimeUpTheDialogsHaveNoCancel)
{
    FrmTm& p = login(QStringLiteral("7"));
    answerHandIn({1, 1});
    Clock::advance(50 * 60000);
    EXPECT_EQ(boxes, QStringList{QStringLiteral("时间已到，自动交卷！")});
    EXPECT_EQ(cancelShown, (std::vector<bool>{false, false}));
    EXPECT_TRUE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_FALSE(p.TimeKS->Enabled());
}

TEST_F(ExamFlowTest, ASecondExamShowsItsOwnLoginAndClock)
{
    login(QStringLiteral("7"));
    answerHandIn({1, 1});
    frmTm().CmdGN_Click(FrmTm::BtnHandIn);
    tsupport::click(*frmChengji().Command2);
    EXPECT_FALSE(frmTm().TimeKS->Enabled());
    // Long on the cover: the finished exam is never handed in again.
    Clock::advance(60 * 60000);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmChengji>());
    vb::Unload(frmFengmian());
    S().ExamStartTime = QStringLiteral("-1");
    FrmTm& p = login(QStringLiteral("9"));
    EXPECT_EQ(p.KsZWH1->Caption(), QStringLiteral("09"));
    EXPECT_TRUE(p.TimeKS->Enabled());
    EXPECT_EQ(p.LblTime->Caption(), QStringLiteral("剩余50分钟"));
}

TEST_F(ExamFlowTest, LoginQuitStopsAClockLeftRunning)
{
    FrmTm& p = frmTm();
    p.TimeKS->setEnabled(true);
    FrmLogon& f = frmLogon();
    f.Show();
    Clock::advance(100);
    answer = vb::vbYes;
    tsupport::click(*f.CmdExit);
    EXPECT_FALSE(p.TimeKS->Enabled());
    EXPECT_TRUE(frmFengmian().Visible());
}

// A close request of the window system (Alt+F4, the task bar) ends the score report and the
// login as their own way out does, so that no hidden window keeps the program running.
TEST_F(ExamFlowTest, ClosingTheScoreReportOrTheLoginTakesTheirOwnWayOut)
{
    login(QStringLiteral("7"));
    answerHandIn({1, 1});
    frmTm().CmdGN_Click(FrmTm::BtnHandIn);
    ASSERT_TRUE(frmChengji().Visible());
    frmChengji().close();
    EXPECT_FALSE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
    ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(frmFengmian().Visible());
    EXPECT_EQ(S().ReturnPage, 17);

    // The next exam's login, with the finished exam's panel still loaded and hidden.
    vb::Unload(frmFengmian());
    ASSERT_TRUE(vb::Forms::isLoaded<FrmTm>());
    FrmLogon& f = frmLogon();
    f.Show();
    Clock::advance(100);
    boxes.clear();
    answer = vb::vbNo;
    f.close();
    EXPECT_EQ(boxes, QStringList{QStringLiteral("确实要退出考试系统吗？")});
    EXPECT_TRUE(vb::Forms::isLoaded<FrmLogon>());
    EXPECT_TRUE(f.Visible());
    answer = vb::vbYes;
    f.close();
    EXPECT_FALSE(vb::Forms::isLoaded<FrmLogon>());
    ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(frmFengmian().Visible());
}

// After an exam the cover hides the exam's panel: its close asks the exit question, and only the
// confirm button ends the program.
TEST_F(ExamFlowTest, ClosingTheCoverAfterAnExamAsksTheExitQuestion)
{
    login(QStringLiteral("7"));
    answerHandIn({1, 1});
    frmTm().CmdGN_Click(FrmTm::BtnHandIn);
    tsupport::click(*frmChengji().Command2);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmTm>());
    EXPECT_FALSE(closeCoverAnswering(0));
    ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(frmFengmian().Visible());
    EXPECT_TRUE(closeCoverAnswering(1));
}

// Only the two buttons end a hand-in dialog: no close box, and a close request is refused
// (closed, FrmEnd1 would leave the exam with its panel hidden and its clock running).
TEST_F(ExamFlowTest, TheHandInDialogsHaveNoCloseBoxAndRefuseAClose)
{
    FrmTm& p = login(QStringLiteral("7"));
    std::vector<bool> closeBox, stayed;
    vb::setModalResponder([&](vb::Form& f) {
        auto* d = dynamic_cast<HandInDialog*>(&f);
        if (!d) {
            vb::Unload(f);
            return;
        }
        closeBox.push_back(d->windowFlags().testFlag(Qt::WindowCloseButtonHint));
        d->close();
        stayed.push_back(d->isLoaded() && d->Visible());
        if (d->isLoaded())
            tsupport::click(closeBox.size() == 1 ? *d->Command1 : *d->Command2);
    });
    p.CmdGN_Click(FrmTm::BtnHandIn);
    EXPECT_EQ(closeBox, (std::vector<bool>{false, false}));
    EXPECT_EQ(stayed, (std::vector<bool>{true, true}));
    EXPECT_TRUE(p.Visible());
    EXPECT_TRUE(p.TimeKS->Enabled());
}

// The clock runs out while a hand-in dialog (the first or the second) is open: what the
// time-up opens is loaded anew, and neither dialog offers the way back any more.
TEST_F(ExamFlowTest, TimeUpWithAHandInDialogOpenLeavesNoCancel)
{
    for (const int openAt : {1, 2}) {
        SCOPED_TRACE(openAt);
        if (openAt == 2) {
            // A second exam after the first one's report.
            tsupport::click(*frmChengji().Command2);
            vb::Unload(frmFengmian());
        }
        FrmTm& p = login(QStringLiteral("7"));
        cancelShown.clear();
        int shown = 0;
        vb::setModalResponder([&](vb::Form& f) {
            auto* d = dynamic_cast<HandInDialog*>(&f);
            if (!d) {
                vb::Unload(f);
                return;
            }
            cancelShown.push_back(d->Command2->Visible());
            if (++shown == openAt)
                Clock::advance(50 * 60000); // the time runs out while this one is open
            else
                tsupport::click(*d->Command1);
        });
        p.CmdGN_Click(FrmTm::BtnHandIn);
        EXPECT_EQ(cancelShown, openAt == 1 ? (std::vector<bool>{true, false, false}) : (std::vector<bool>{true, true, false, false}));
        EXPECT_TRUE(vb::Forms::isLoaded<FrmChengji>());
        EXPECT_FALSE(vb::Forms::isLoaded<FrmEnd1>());
        EXPECT_FALSE(vb::Forms::isLoaded<FrmEnd2>());
        EXPECT_FALSE(p.TimeKS->Enabled());
    }
}

// The time runs out while a dialog of the exam is open: it gives way first, as its own cancel ends
// it, so that the message and then each hand-in dialog stand over nothing of the exam and are the
// active window, above the panel, and the hand-in goes on to the score report by clicks alone.
TEST_F(ExamFlowTest, TimeUpEndsTheOpenDialogBeforeTheHandIn)
{
    enum Open { Hint, InputMethods, Picture, Demonstration };
    for (const Open open : {Hint, InputMethods, Picture, Demonstration}) {
        SCOPED_TRACE(open);
        if (open != Hint)
            backToTheCover();
        illustrateFirstQuestion();
        FrmTm& p = login(QStringLiteral("7"));
        std::vector<bool> openAtMessage, openAtHandIn, activeAtHandIn;
        vb::setMsgBoxResponder([&](const QString& prompt, int, const QString&) {
            if (prompt == QStringLiteral("时间已到，自动交卷！"))
                openAtMessage.push_back(examDialogOpen());
            return prompt == FrmCZTS::answerWarning() ? vb::vbYes : vb::vbOK;
        });
        const auto timeUpWhileOpen = [](vb::Form& dialog) {
            QPointer<vb::Form> d(&dialog);
            Clock::advance(50 * 60000);
            // Still open, the dialog would hold the test in its loop.
            if (d && d->isLoaded())
                vb::Unload(*d);
        };
        vb::setModalResponder([&](vb::Form& f) {
            if (auto* d = dynamic_cast<HandInDialog*>(&f)) {
                vb::DoEvents();
                activeAtHandIn.push_back(QApplication::activeWindow() == d && d->Topmost());
                openAtHandIn.push_back(examDialogOpen());
                tsupport::click(*d->Command1);
            } else if (auto* hint = dynamic_cast<FrmCZTS*>(&f); hint && open == Demonstration) {
                tsupport::click(*hint->Command2); // "我想立即看答案", and Yes
            } else {
                timeUpWhileOpen(f);
            }
        });
        switch (open) {
        case Hint:
            tsupport::click(p.CmdGN(FrmTm::BtnOperationHint));
            break;
        case InputMethods:
            tsupport::click(*p.CmdEn);
            break;
        case Picture:
            tsupport::click(*p.Image2);
            ASSERT_TRUE(frmPicture().Visible());
            Clock::advance(50 * 60000);
            break;
        case Demonstration:
            // Started a second before the time is up (the login's clock started 600 ms ago).
            Clock::advance(50 * 60000 - 600 - 1000);
            tsupport::click(p.CmdGN(FrmTm::BtnOperationHint));
            Clock::advance(800);
            ASSERT_TRUE(vb::Forms::isLoaded<FrmYanShi>() && vb::Forms::get<FrmYanShi>().Visible());
            Clock::advance(60000);
            break;
        }
        EXPECT_EQ(openAtMessage, std::vector<bool>{false});
        EXPECT_EQ(openAtHandIn, (std::vector<bool>{false, false}));
        EXPECT_EQ(activeAtHandIn, (std::vector<bool>{true, true}));
        ASSERT_TRUE(vb::Forms::isLoaded<FrmChengji>());
        EXPECT_TRUE(frmChengji().Visible());
        EXPECT_FALSE(examDialogOpen());
        EXPECT_FALSE(p.Visible());
        EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
        EXPECT_EQ(S().DemoRunning, 0);
    }
}

// The warning of the operation hint's answer button is still open when the time runs out: its
// answer, given after the hand-in, changes nothing of the finished exam.
TEST_F(ExamFlowTest, TimeUpUnderTheAnswerWarningLeavesTheExamAsHandedIn)
{
    FrmTm& p = login(QStringLiteral("7"));
    vb::setMsgBoxResponder([](const QString& prompt, int, const QString&) {
        if (prompt != FrmCZTS::answerWarning())
            return vb::vbOK;
        Clock::advance(50 * 60000);
        return vb::vbYes;
    });
    vb::setModalResponder([](vb::Form& f) {
        if (auto* d = dynamic_cast<HandInDialog*>(&f)) {
            tsupport::click(*d->Command1);
        } else if (auto* hint = dynamic_cast<FrmCZTS*>(&f)) {
            QPointer<FrmCZTS> alive(hint);
            tsupport::click(*hint->Command2);
            if (alive && alive->isLoaded())
                vb::Unload(*alive);
        }
    });
    tsupport::click(p.CmdGN(FrmTm::BtnOperationHint));
    Clock::advance(1000);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmChengji>());
    EXPECT_EQ(S().DisplayMode, 3);
    EXPECT_EQ(S().DemoRunning, 0);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmYanShi>());
    EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
    EXPECT_FALSE(p.Visible());
}

// After the hand-in, by the clock or by the button, nothing of the finished exam stays on the
// screen, and its panel, whatever shows it again, neither moves to another question nor hands
// the exam in again: the score report's records are written once.
TEST_F(ExamFlowTest, AHandedInExamLeavesTheScreenAndTakesNoInput)
{
    for (const bool byClock : {true, false}) {
        SCOPED_TRACE(byClock ? "time-up" : "hand-in button");
        if (!byClock)
            backToTheCover();
        illustrateFirstQuestion();
        FrmTm& p = login(QStringLiteral("7"));
        tsupport::click(*p.Image2);
        notices.clear();
        answerHandIn({1, 1});
        if (byClock)
            Clock::advance(50 * 60000);
        else
            tsupport::click(p.CmdGN(FrmTm::BtnHandIn));
        ASSERT_TRUE(vb::Forms::isLoaded<FrmChengji>());
        EXPECT_TRUE(frmChengji().Visible());
        EXPECT_FALSE(p.Visible());
        EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
        EXPECT_FALSE(frmPicture().Visible());
        EXPECT_EQ(p.Image2->Caption(), QStringLiteral("显示图片"));

        const QString history = inst.path(QStringLiteral("ksdata/288892.mxy"));
        const QByteArray written = bytes(history);
        p.Show();
        tsupport::click(p.CmdGN(FrmTm::BtnNext));
        tsupport::click(p.CmdGN(FrmTm::BtnHandIn));
        Clock::advance(60 * 60000);
        EXPECT_EQ(S().CurrentQuestion, 1);
        EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
        EXPECT_EQ(notices.size(), 2);
        EXPECT_EQ(bytes(history), written);
        p.Hide();
    }
}

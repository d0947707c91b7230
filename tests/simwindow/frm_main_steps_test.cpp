#include "sim_window_fixture.h"

namespace {

using StepsTest = SimWindowTest;
using platform::Clock;

TEST_F(StepsTest, EndRecordCompletesTheQuestionOnce)
{
    session({{Step(QStringLiteral("0001")), Step(QStringLiteral("9999"))},
              {Step(QStringLiteral("0001"))},
              {Step(QStringLiteral("0001"))}});
    S().QuestionState = {};
    S().QuestionState[1] = 1;
    S().QuestionState[2] = 4 + 1;
    S().QuestionState[3] = 2;
    FrmTm& panel = frmTm();
    FrmMain& w = show();
    panel.LblBiao->setCaption(QStringLiteral("第1题 (未完成)"));
    S().DisplayMode = 1;
    w.doNext();
    ASSERT_EQ(step(), 2);
    EXPECT_EQ(S().QuestionState[1], 5);
    EXPECT_TRUE(w.LblSuccess->Visible());
    EXPECT_EQ(w.LblSuccess->Caption(), QStringLiteral("操作成功！"));
    EXPECT_FALSE(w.LHelp->Visible());
    EXPECT_FALSE(w.Shape1->Visible());
    EXPECT_EQ(panel.LblUnit->Caption(), QStringLiteral("未完成的题目 3"));
    EXPECT_EQ(panel.LblBiao->Caption(), QStringLiteral("第1题 (已完成)"));

    // Laying the end record out again, or an action it still takes, adds nothing.
    w.GoStep(QStringLiteral("a"));
    w.doNext();
    EXPECT_EQ(S().QuestionState[1], 5);
    EXPECT_EQ(step(), 2);
}

TEST_F(StepsTest, EndRecordInAnExamShowsNoSuccess)
{
    session({{Step(QStringLiteral("9999"))}, {Step(QStringLiteral("0001"))}});
    S().DisplayMode = 3;
    FrmMain& w = show();
    EXPECT_EQ(S().QuestionState[1], 4 + 1); // completed, and visited by the panel
    EXPECT_FALSE(w.LblSuccess->Visible());
    EXPECT_EQ(frmTm().LblUnit->Caption(), QStringLiteral("未完成的题目 2"));
}

TEST_F(StepsTest, AutomaticStepsAdvanceOncePerSecond)
{
    session({{Step(QStringLiteral("8888")), Step(QStringLiteral("8888")), Step(QStringLiteral("0001")),
              Step(QStringLiteral("9999"))}});
    FrmMain& w = show();
    ASSERT_EQ(step(), 1);
    Clock::advance(999);
    EXPECT_EQ(step(), 1);
    Clock::advance(1);
    EXPECT_EQ(step(), 2);
    Clock::advance(999);
    EXPECT_EQ(step(), 2);
    Clock::advance(1);
    EXPECT_EQ(step(), 3);
    EXPECT_FALSE(w.Timer3->Enabled());
    Clock::advance(5000);
    EXPECT_EQ(step(), 3);
}

TEST_F(StepsTest, AnAutomaticTickAfterThePanelShowedAnotherQuestionDoesNothing)
{
    session({{Step(QStringLiteral("8888")), Step(QStringLiteral("0001"))},
              {Step(QStringLiteral("0001")), Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    Clock::advance(950);
    // The panel shows question 2; its layout comes 100 ms later, after the pending tick.
    S().CurrentQuestion = 2;
    frmTm().DqExam();
    Clock::advance(60);
    EXPECT_EQ(step(), 1);
    EXPECT_FALSE(w.Timer3->Enabled());
    Clock::advance(40);
    EXPECT_EQ(step(), 1);
    EXPECT_EQ(S().StepRecord, Step(QStringLiteral("0001")).line());
    EXPECT_EQ(S().SavedStep[1], 1);
    Clock::advance(3000);
    EXPECT_EQ(step(), 1);
}

TEST_F(StepsTest, AutomaticStepReadsTheStepsOwnCode)
{
    session({{Step(QStringLiteral("8888")), Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    // Another handler's test code must not stop the automatic step.
    w.ExpectedCode = 6113;
    Clock::advance(1000);
    EXPECT_EQ(step(), 2);
}

struct JumpCase {
    int from;
    const char* code;
    int to;
    bool laidOut; // a layout ran
};

class JumpTest : public SimWindowTest, public ::testing::WithParamInterface<JumpCase> {};

TEST_P(JumpTest, JumpsStayInsideTheQuestion)
{
    const JumpCase c = GetParam();
    std::vector<QString> q2;
    for (int i = 1; i <= 5; ++i)
        q2.push_back(Step(QStringLiteral("0001")).at(1, Step::num(20 + i, 3)));
    session({{Step(QStringLiteral("0001")).at(1, QStringLiteral("011"))}, q2,
              {Step(QStringLiteral("0001")).at(1, QStringLiteral("031"))}});
    FrmMain& w = show(2, c.from);
    S().StepRecord.clear();
    w.GoStep(QString::fromUtf8(c.code));
    EXPECT_EQ(step(), c.to);
    if (c.laidOut)
        EXPECT_EQ(S().StepRecord.left(3), Step::num(20 + c.to, 3));
    else
        EXPECT_TRUE(S().StepRecord.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(Codes, JumpTest,
                         ::testing::Values(JumpCase{3, "0", 3, false}, JumpCase{3, "A", 4, true},
                                           JumpCase{2, "C", 5, true}, JumpCase{3, "2", 1, true},
                                           JumpCase{3, "9", 1, true}, JumpCase{3, "Z", 3, true},
                                           JumpCase{5, "A", 5, true}, JumpCase{3, "c", 3, true},
                                           JumpCase{3, "", 4, true}));

TEST_F(StepsTest, AdvanceStopsAtTheLastStepOfAQuestionWithoutEndRecord)
{
    session({{Step(QStringLiteral("0001")).at(1, QStringLiteral("011")),
              Step(QStringLiteral("0001")).at(1, QStringLiteral("012"))},
              {Step(QStringLiteral("0001")).at(1, QStringLiteral("021"))}});
    FrmMain& w = show();
    w.doNext();
    w.doNext();
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(S().StepRecord.left(3), QStringLiteral("012"));
}

TEST_F(StepsTest, QuestionResumesAtItsSavedStepWithItsLastPictures)
{
    picture(QStringLiteral("bk0001"), {20, 20}, Qt::blue);
    picture(QStringLiteral("im0001"), {12, 12});
    session({{Step(QStringLiteral("0001")).back(QStringLiteral("bk0001")).image(1, 100, 100, QStringLiteral("im0001")),
              Step(QStringLiteral("0001")).image(1, 100, 100, QStringLiteral("888888")),
              Step(QStringLiteral("9999"))},
              {Step(QStringLiteral("0001")).image(1, 100, 100, QStringLiteral("888888"))}});
    FrmMain& w = show();
    w.doNext();
    S().CurrentQuestion = 2;
    frmTm().DqExam();
    Clock::advance(100);
    EXPECT_FALSE(w.Image1->Picture().has_value());
    // Back to question 1: step 2 keeps its picture, which the panel puts back.
    S().CurrentQuestion = 1;
    frmTm().DqExam();
    Clock::advance(100);
    EXPECT_EQ(step(), 2);
    ASSERT_TRUE(w.Image1->Picture().has_value());
    EXPECT_EQ(w.Image1->Picture()->width(), 12);
    EXPECT_EQ(S().DisplayMode, 2);
}

} // namespace

namespace {

TEST_F(StepsTest, FilesChangedBetweenTwoStepsShowTheirNewContent)
{
    picture(QStringLiteral("700001"), {10, 10}, Qt::red);
    session({{Step(QStringLiteral("0001")).image(1, 100, 100, QStringLiteral("700001")),
              Step(QStringLiteral("0001")).image(1, 100, 100, QStringLiteral("700001")),
              Step(QStringLiteral("0001"))}});
    FrmMain& w = show();
    ASSERT_EQ(w.Image1->Picture()->width(), 10);
    picture(QStringLiteral("700001"), {16, 16}, Qt::blue);
    // The step file is rewritten too: its second record now puts the picture elsewhere.
    session({{Step(QStringLiteral("0001")).image(1, 100, 100, QStringLiteral("700001")),
              Step(QStringLiteral("0001")).image(1, 200, 100, QStringLiteral("700001")),
              Step(QStringLiteral("0001"))}});
    w.doNext();
    EXPECT_EQ(w.Image1->Left(), 200);
    EXPECT_EQ(w.Image1->Picture()->width(), 16);
}

} // namespace

namespace {

// The last question of a session whose step counts were not recorded: its end comes from the
// first-line entry stored after it, or, for the 500th question, from the end of the step file. A
// jump past its last step stays and lays the step out again; it never reaches the records that
// follow (here another question's end record).
TEST_F(StepsTest, JumpsInTheLastQuestionStayInsideIt)
{
    const QStringList twoQuestions{Step(QStringLiteral("0001")), Step(QStringLiteral("9999")),
                                   Step(QStringLiteral("0001")).at(1, QStringLiteral("021")),
                                   Step(QStringLiteral("0001")).at(1, QStringLiteral("022"))};
    for (const int q : {2, MaxQuestions}) {
        SessionState& s = S();
        s.QuestionFirstLine = {};
        s.QuestionStepCount = {};
        s.QuestionCount = 2;
        s.QuestionFirstLine[1] = 1;
        s.QuestionFirstLine[q] = 3;
        if (q < MaxQuestions) {
            s.QuestionFirstLine[q + 1] = 5;
            inst.writeLines(QStringLiteral("data/288819.mxy"),
                            twoQuestions + QStringList{Step(QStringLiteral("9999")).at(1, QStringLiteral("099"))});
        } else {
            // The step file ends with the 500th question.
            inst.writeLines(QStringLiteral("data/288819.mxy"), twoQuestions);
        }
        FrmMain& w = show(q);
        ASSERT_EQ(S().StepRecord.left(3), QStringLiteral("021")) << q;
        for (const char* code : {"E", "Z", "B"}) {
            S().StepRecord.clear();
            w.GoStep(QString::fromLatin1(code));
            EXPECT_EQ(step(), 1) << q << code;
            EXPECT_EQ(S().StepRecord.left(3), QStringLiteral("021")) << q << code;
            EXPECT_FALSE(w.LblSuccess->Visible()) << q << code;
        }
        w.GoStep(QStringLiteral("A"));
        EXPECT_EQ(S().StepRecord.left(3), QStringLiteral("022")) << q;
        w.doNext();
        EXPECT_EQ(step(), 2) << q;
        EXPECT_FALSE(w.LblSuccess->Visible()) << q;
        vb::Forms::unloadAll();
        platform::Clock::advance(1);
    }
}

} // namespace

namespace {

// A step file cut to nothing between two reads of one line: the step keeps its last record and
// the program goes on; once the file is back its records are read afresh.
TEST_F(StepsTest, AStepFileCutToNothingKeepsTheLastRecord)
{
    const QString first = Step(QStringLiteral("0001")).at(1, QStringLiteral("011"));
    session({{first, Step(QStringLiteral("0001")).at(1, QStringLiteral("012"))}});
    FrmMain& w = show();
    ASSERT_EQ(S().StepRecord, first);
    {
        QFile f(S().StepFilePath);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    }
    w.GoStep(QStringLiteral("c"));
    EXPECT_EQ(S().StepRecord, first);
    w.doNext();
    EXPECT_EQ(step(), 2);
    EXPECT_EQ(S().StepRecord, first);

    session({{first, Step(QStringLiteral("0001")).at(1, QStringLiteral("022"))}});
    w.GoStep(QStringLiteral("c"));
    EXPECT_EQ(S().StepRecord.left(3), QStringLiteral("022"));
}

} // namespace

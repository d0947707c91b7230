// The imitation login: its key filter and length limits, the examinee data of a login, the bar
// that opens the exam on its seventh tick, and the quit question.

#include "exam_fixture.h"

#include "cover/frm_fengmian.h"
#include "session/exam_rules.h"
#include "session/frm_logon.h"

using platform::Clock;

namespace {

class LogonTest : public ExamWindowTest {
protected:
    void SetUp() override
    {
        ExamWindowTest::SetUp();
        S().SessionKind = 0;
        S().SetIndex = 3;
        FrmLogon& f = frmLogon();
        f.Show();
        Clock::advance(100); // the panels are placed
    }
};

} // namespace

TEST_F(LogonTest, LoadSetsTheSessionPathsAndShowsTheLoginPanel)
{
    FrmLogon& f = frmLogon();
    EXPECT_EQ(S().StepFilePath, S().DataDir + "288803.mxy");
    EXPECT_EQ(S().QuestionFilePath, S().DataDir + "288853.mxy");
    EXPECT_EQ(S().TextTablePath, S().DataDir + "288890.mxy");
    EXPECT_TRUE(f.Picture1->Visible());
    EXPECT_FALSE(f.Picture2->Visible());
    EXPECT_EQ(f.TxtZwh->Left(), 5070);
    EXPECT_EQ(f.TxtSFZ->Top(), 4905);
    EXPECT_EQ(f.CmdExit->Left(), 6660);
    EXPECT_EQ(f.P2->Width(), 10335);
    EXPECT_EQ(f.TxtZwh->Text(), "18");
    EXPECT_EQ(f.TxtSFZ->Text().size(), 18);
}

TEST_F(LogonTest, IdBoxTakesDigitsAndAnXOnlyAsItsLastCharacter)
{
    FrmLogon& f = frmLogon();
    f.TxtSFZ->setText(QString());
    tsupport::typeText(*f.TxtSFZ, "1234567890123456");
    tsupport::typeText(*f.TxtSFZ, "x");
    EXPECT_EQ(f.TxtSFZ->Text(), "1234567890123456");
    tsupport::typeText(*f.TxtSFZ, "7x");
    EXPECT_EQ(f.TxtSFZ->Text(), "12345678901234567x");
    tsupport::typeText(*f.TxtSFZ, "9"); // a 19th character of any kind
    EXPECT_EQ(f.TxtSFZ->Text().size(), 18);
    f.TxtSFZ->setText("12");
    tsupport::typeText(*f.TxtSFZ, "a -");
    tsupport::key(*f.TxtSFZ, vb::vbKeyReturn);
    tsupport::key(*f.TxtSFZ, vb::vbKeyBack);
    EXPECT_EQ(f.TxtSFZ->Text(), "1");
    f.TxtZwh->setText(QString());
    tsupport::typeText(*f.TxtZwh, "a12b");
    EXPECT_EQ(f.TxtZwh->Text(), "a12");
}

TEST_F(LogonTest, EnterLogsNobodyIn)
{
    FrmLogon& f = frmLogon();
    tsupport::key(*f.TxtZwh, vb::vbKeyReturn);
    tsupport::key(*f.TxtSFZ, vb::vbKeyReturn);
    Clock::advance(2000);
    EXPECT_TRUE(vb::Forms::isLoaded<FrmLogon>());
    EXPECT_TRUE(f.Picture1->Visible());
    EXPECT_EQ(S().ExamStartTime, "-1");
}

TEST_F(LogonTest, LoginShowsTheDataAndTheExamStartsOnTheSeventhTick)
{
    FrmLogon& f = frmLogon();
    S().PanelMayClose = -1;
    f.TxtZwh->setText(" 5 ");
    f.TxtSFZ->setText("123");
    tsupport::click(*f.CmdLog);
    EXPECT_EQ(S().PanelMayClose, 0);
    EXPECT_EQ(S().SeatNo, "05");
    EXPECT_EQ(S().IdCardNo, exam::IdCardSample.right(15) + "123");
    EXPECT_FALSE(f.Picture1->Visible());
    EXPECT_TRUE(f.Picture2->Visible());
    EXPECT_EQ(f.LblName->Caption(), "考生甲");
    EXPECT_EQ(f.LblZwh->Caption(), "05");
    EXPECT_EQ(f.LblCC->Caption(), "18");
    EXPECT_EQ(f.LblKm->Caption(), "电子表格");
    EXPECT_EQ(f.LblSfz->Caption(), S().IdCardNo);
    EXPECT_EQ(f.LblDah->Caption(), "888888");
    EXPECT_EQ(f.LblDate->Caption(), exam::loginDate(QDate::currentDate()));
    Clock::advance(600);
    ASSERT_TRUE(vb::Forms::isLoaded<FrmLogon>());
    EXPECT_EQ(f.LJD->Width(), 255 + 6 * 1500);
    EXPECT_EQ(S().ExamStartTime, "-1");
    Clock::advance(100);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmLogon>());
    EXPECT_EQ(S().CurrentQuestion, 1);
    const QDateTime start = QDateTime::fromString(S().ExamStartTime, "yyyy-MM-dd hh:mm:ss");
    ASSERT_TRUE(start.isValid());
    EXPECT_LE(qAbs(start.secsTo(QDateTime::currentDateTime())), 5);
}

TEST_F(LogonTest, QuitAsksAndNoKeepsTheLogin)
{
    FrmLogon& f = frmLogon();
    f.TxtZwh->setText("42");
    answer = vb::vbNo;
    tsupport::click(*f.CmdExit);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].prompt, "确实要退出考试系统吗？");
    EXPECT_EQ(boxes[0].title, "Talvesk职称计算机");
    EXPECT_EQ(boxes[0].buttons, vb::vbYesNo + vb::vbQuestion + vb::vbDefaultButton2);
    EXPECT_TRUE(vb::Forms::isLoaded<FrmLogon>());
    EXPECT_EQ(f.TxtZwh->Text(), "42");
    EXPECT_FALSE(vb::Forms::isLoaded<FrmFengmian>());

    answer = vb::vbYes;
    tsupport::click(*f.CmdExit);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmLogon>());
    ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(frmFengmian().Visible());
}

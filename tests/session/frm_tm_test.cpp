#include "panel_fixture.h"

#include "cover/frm_fengmian.h"
#include "session/frm_end1.h"
#include "session/record_files.h"
#include "session/session_start.h"
#include "session/unfinished_list_view.h"

#include <QFontMetrics>
#include <QImage>
#include <QWidget>

namespace {

using platform::Clock;

TEST_F(PanelTest, ShowsPlainAndIllustratedQuestions)
{
    picture(QStringLiteral("123456"), {40, 20});
    questions({QStringLiteral("甲|乙"), QStringLiteral("picture123456A|B")});
    FrmTm& p = panel();
    EXPECT_EQ(p.RtbTM->Text(), QStringLiteral("甲\r\n乙"));
    EXPECT_FALSE(p.Image2->Visible());
    EXPECT_FALSE(p.CmdGN(FrmTm::BtnPrev).Enabled());
    EXPECT_TRUE(p.CmdGN(FrmTm::BtnNext).Enabled());

    p.CmdGN_Click(FrmTm::BtnNext);
    EXPECT_EQ(p.RtbTM->Text(), QStringLiteral("A|B"));
    EXPECT_TRUE(p.Image2->Visible());
    EXPECT_EQ(p.Image2->Caption(), QStringLiteral("显示图片"));
    ASSERT_TRUE(frmPicture().Image1->Picture().has_value());
    EXPECT_EQ(frmPicture().Image1->Picture()->width(), 40);
    EXPECT_FALSE(frmPicture().Visible());
    EXPECT_FALSE(p.CmdGN(FrmTm::BtnNext).Enabled());

    // Back to the plain question: an open popup and the button go.
    p.Image2_Click();
    EXPECT_TRUE(frmPicture().Visible());
    p.CmdGN_Click(FrmTm::BtnPrev);
    EXPECT_FALSE(frmPicture().Visible());
    EXPECT_FALSE(p.Image2->Visible());
}

TEST_F(PanelTest, TitleUnfinishedListVisitedBitAndDisplayMode)
{
    questions({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d"), QStringLiteral("e")});
    SessionState& s = S();
    s.SessionKind = 6;
    s.QuestionDoneText[3] = QStringLiteral("F");
    s.QuestionId[3] = 103;
    s.QuestionState = {};
    const int states[] = {4, 1, 0, 5, 2};
    for (int i = 0; i < 5; ++i)
        s.QuestionState[static_cast<std::size_t>(i + 1)] = states[i];
    s.CurrentQuestion = 3;
    s.DisplayMode = 1;
    FrmTm& p = panel();
    EXPECT_EQ(p.LblBiao->Caption(), QStringLiteral("电子 未3/5(0203)(未完成)"));
    EXPECT_EQ(p.LblUnit->Caption(), QStringLiteral("未完成的题目 2 3 5"));
    EXPECT_EQ(s.QuestionState[3], 1);
    EXPECT_EQ(s.QuestionState[1], 5); // the load marks question 1 visited too
    EXPECT_EQ(s.DisplayMode, 2);
    s.DisplayMode = 3;
    p.DqExam();
    EXPECT_EQ(s.DisplayMode, 3);
}

// A long list of unfinished questions keeps to its one line in the clock row: it ends with dots
// where numbers are left out, and nothing of it reaches under the row or the controls beside it.
TEST_F(PanelTest, LongUnfinishedListsKeepToTheirLine)
{
    for (const int count : {20, 500}) {
        questions(QStringList(count, QStringLiteral("q")));
        S().QuestionState = {};
        FrmTm& p = panel();
        const auto* list = dynamic_cast<UnfinishedListView*>(p.LblUnit);
        ASSERT_NE(list, nullptr);
        QString whole = QStringLiteral("未完成的题目");
        for (int i = 1; i <= count; ++i)
            whole += u' ' + QString::number(i);
        EXPECT_EQ(p.LblUnit->Caption(), whole) << count;

        const QString shown = list->shownText();
        EXPECT_TRUE(shown.startsWith(QStringLiteral("未完成的题目 1 2 3 "))) << shown.toStdString();
        EXPECT_TRUE(shown.endsWith(QStringLiteral(" ..."))) << shown.toStdString();
        const QFontMetrics fm(p.LblUnit->widget()->font());
        EXPECT_LE(fm.horizontalAdvance(shown), p.LblUnit->widget()->width());
        EXPECT_GE(p.LblUnit->widget()->height(), fm.height()) << "the line shows whole";

        // The label lies inside its box, and the box beside the input-method controls.
        const QRect box(p.PicUnit->Left(), p.PicUnit->Top(), p.PicUnit->Width(), p.PicUnit->Height());
        EXPECT_GE(p.LblUnit->Left(), 0);
        EXPECT_GE(p.LblUnit->Top(), 0);
        EXPECT_LE(p.LblUnit->Left() + p.LblUnit->Width(), p.PicUnit->Width());
        EXPECT_LE(p.LblUnit->Top() + p.LblUnit->Height(), p.PicUnit->Height());
        for (vb::Control* c : std::initializer_list<vb::Control*>{p.LblIME, p.CmdEn, &p.CmdGN(FrmTm::BtnBack), &p.CmdGN(FrmTm::BtnHint),
                                                                  &p.CmdGN(FrmTm::BtnDemo), p.RtbTM})
            EXPECT_FALSE(box.intersects(QRect(c->Left(), c->Top(), c->Width(), c->Height()))) << count;

        // Drawn: ink on the first line only, none below it (a glyph may reach one pixel below
        // its line box; a second line's ink would begin lower).
        const QImage drawn = p.PicUnit->widget()->grab().toImage();
        const QRgb ground = drawn.pixel(drawn.width() - 1, drawn.height() - 1);
        int lowestInk = -1;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                if (drawn.pixel(x, y) != ground)
                    lowestInk = y;
        EXPECT_GE(lowestInk, 0) << "the list is drawn";
        EXPECT_LE(lowestInk, p.LblUnit->widget()->y() + fm.height()) << count;
        vb::Forms::unloadAll();
    }
}

TEST_F(PanelTest, AQuestionFileWithoutTheQuestionShowsNoTextAndIsReported)
{
    questions({QStringLiteral("first"), QStringLiteral("second")});
    S().QuestionCount = 3;
    FrmTm& p = panel();
    S().CurrentQuestion = 3;
    p.DqExam();
    EXPECT_EQ(p.RtbTM->Text(), QString());
    EXPECT_TRUE(runLog().contains(QStringLiteral("dqexam")));

    QFile::remove(S().QuestionFilePath);
    S().CurrentQuestion = 1;
    p.DqExam();
    EXPECT_EQ(p.RtbTM->Text(), QString());
}

TEST_F(PanelTest, ConstructionDocksThePanelAndSetsTheClock)
{
    questions({QStringLiteral("a")});
    FrmTm& p = panel();
    const FrmMain& w = frmMain();
    EXPECT_EQ(p.Width(), 4980);
    EXPECT_EQ(p.Height(), 3630);
    EXPECT_EQ(p.Left() + p.Width(), w.Left() + w.Width());
    EXPECT_EQ(p.Top() + p.Height(), w.Top() + w.Height());
    EXPECT_EQ(p.LblTime->Caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(p.LblTimeJD->Width(), 0);
    EXPECT_EQ(S().MinutesLeft, 50);
    EXPECT_FALSE(p.FrmSelect->Visible());
    EXPECT_FALSE(p.FrmKSXX->Visible());
    EXPECT_EQ(p.CmdGN(FrmTm::BtnMark).Left(), p.CmdGN(FrmTm::BtnUnmark).Left());
    EXPECT_EQ(p.mEng->Caption(), QStringLiteral("英语（美国）"));
    EXPECT_TRUE(p.mCn[0]->Visible());
    EXPECT_FALSE(p.mCn[1]->Visible());
}

struct PagesCase {
    int count;
    int lastPage;
    bool pageButtons;
    int numbersShown;
};
class ListPagesTest : public PanelTest, public ::testing::WithParamInterface<PagesCase> {};

TEST_P(ListPagesTest, QuestionCountGivesPages)
{
    const PagesCase c = GetParam();
    questions({QStringLiteral("a")});
    S().QuestionCount = c.count;
    FrmTm& p = panel();
    EXPECT_EQ(p.LastListPage, c.lastPage);
    p.CmdGN_Click(FrmTm::BtnList);
    EXPECT_TRUE(p.FrmSelect->Visible());
    EXPECT_EQ(p.CmdSelNext->Visible(), c.pageButtons);
    EXPECT_EQ(p.CmdSelLast->Visible(), c.pageButtons);
    int shown = 0;
    for (int i = 1; i <= 40; ++i)
        shown += p.CmTNO(i).Visible() ? 1 : 0;
    EXPECT_EQ(shown, c.numbersShown);
}

INSTANTIATE_TEST_SUITE_P(Counts, ListPagesTest,
                         ::testing::Values(PagesCase{0, -1, false, 0}, PagesCase{25, 0, false, 25},
                                           PagesCase{40, 0, false, 40}, PagesCase{41, 1, true, 40},
                                           PagesCase{80, 1, true, 40}, PagesCase{81, 2, true, 40}));

TEST_F(PanelTest, QuestionListPagesFacesAndChoice)
{
    QStringList texts;
    for (int i = 1; i <= 41; ++i)
        texts << QStringLiteral("q%1").arg(i);
    questions(texts);
    SessionState& s = S();
    s.QuestionState[41] = 3;
    FrmTm& p = panel();
    p.CmdGN_Click(FrmTm::BtnList);
    p.CmdSelNext_Click();
    p.CmdSelNext_Click(); // stays on the last page
    EXPECT_EQ(p.ListPage, 1);
    EXPECT_EQ(p.CmTNO(1).Caption(), QStringLiteral("41"));
    EXPECT_FALSE(p.CmTNO(2).Visible());

    // A face that cannot be read keeps the number's face; the page is drawn to its end.
    QFile::remove(s.DataDir + QStringLiteral("l01032.mxy"));
    p.CmdSelLast_Click();
    s.QuestionState[1] = 2;
    p.dqYeMian();
    EXPECT_TRUE(p.CmTNO(1).Picture().has_value());
    EXPECT_TRUE(p.CmTNO(40).Visible());
    EXPECT_EQ(p.CmTNO(40).Caption(), QStringLiteral("40"));
    EXPECT_TRUE(runLog().contains(QStringLiteral("dqyemian")));

    p.CmdSelNext_Click();
    tsupport::click(p.CmTNO(1));
    EXPECT_EQ(s.CurrentQuestion, 41);
    EXPECT_FALSE(p.FrmSelect->Visible());
    EXPECT_EQ(p.RtbTM->Text(), QStringLiteral("q41"));
}

TEST_F(PanelTest, PreviousNextRedoMarkAndHint)
{
    questions({QStringLiteral("a"), QStringLiteral("b")});
    SessionState& s = S();
    FrmTm& p = panel();
    tsupport::click(p.CmdGN(FrmTm::BtnPrev)); // disabled: nothing
    p.CmdGN_Click(FrmTm::BtnPrev);
    EXPECT_EQ(s.CurrentQuestion, 1);
    tsupport::click(p.CmdGN(FrmTm::BtnNext));
    p.CmdGN_Click(FrmTm::BtnNext);
    EXPECT_EQ(s.CurrentQuestion, 2);
    EXPECT_EQ(p.RtbTM->Text(), QStringLiteral("b"));

    s.SavedStep[2] = 4;
    s.QuestionState[2] = 5;
    p.CmdGN_Click(FrmTm::BtnRedo);
    EXPECT_EQ(s.CurrentStep, 1);
    EXPECT_EQ(s.QuestionState[2], 5);

    p.CmdGN_Click(FrmTm::BtnMark);
    EXPECT_EQ(s.QuestionState[2], 7);
    EXPECT_FALSE(p.CmdGN(FrmTm::BtnMark).Visible());
    EXPECT_TRUE(p.CmdGN(FrmTm::BtnUnmark).Visible());
    p.CmdGN_Click(FrmTm::BtnMark); // already marked: the state stays
    EXPECT_EQ(s.QuestionState[2], 7);
    p.CmdGN_Click(FrmTm::BtnUnmark);
    EXPECT_EQ(s.QuestionState[2], 5);
    EXPECT_TRUE(p.CmdGN(FrmTm::BtnMark).Visible());
    EXPECT_FALSE(p.CmdGN(FrmTm::BtnUnmark).Visible());

    FrmMain& w = frmMain();
    p.CmdGN_Click(FrmTm::BtnHint);
    EXPECT_EQ(s.DisplayMode, 1);
    EXPECT_TRUE(w.LHelp->Visible());
    EXPECT_TRUE(w.Shape2->Visible());
    EXPECT_TRUE(w.TimerDisFK->Enabled());
    p.CmdGN_Click(FrmTm::BtnPrev);
    EXPECT_EQ(s.DisplayMode, 2);
}

TEST_F(PanelTest, ButtonLayoutFollowsTheDisplayMode)
{
    questions({QStringLiteral("a")});
    FrmTm& p = panel();
    for (int i = FrmTm::BtnBack; i <= FrmTm::BtnOperationHint; ++i)
        EXPECT_EQ(p.CmdGN(i).Visible(), i <= FrmTm::BtnDemo) << i;
    EXPECT_TRUE(p.PicUnit->Visible());
    S().DisplayMode = 3;
    p.TimKsModel->setEnabled(true);
    Clock::advance(500);
    for (int i = FrmTm::BtnBack; i <= FrmTm::BtnOperationHint; ++i)
        EXPECT_EQ(p.CmdGN(i).Visible(), i > FrmTm::BtnDemo) << i;
    EXPECT_FALSE(p.PicUnit->Visible());
}

TEST_F(PanelTest, ExamClockHandsInOnceAtTimeUp)
{
    questions({QStringLiteral("a")});
    SessionState& s = S();
    s.SessionKind = 8;
    s.DisplayMode = 3;
    int handIns = 0;
    vb::setModalResponder([&handIns](vb::Form& f) {
        if (dynamic_cast<FrmEnd1*>(&f)) {
            ++handIns;
            vb::Unload(f);
        }
    });
    FrmTm& p = panel();
    Clock::advance(60000 - 500);
    EXPECT_EQ(p.LblTime->Caption(), QStringLiteral("剩余50分钟"));
    EXPECT_EQ(p.LblTimeJD->Width(), 0);
    Clock::advance(60000);
    EXPECT_EQ(p.LblTimeJD->Width(), qRound(p.PTime->Width() / 50.0f));
    Clock::advance(48 * 60000);
    EXPECT_EQ(p.LblTime->Caption(), QStringLiteral("剩余1分钟"));
    EXPECT_EQ(boxes, QStringList{QStringLiteral("时间已到，自动交卷！")});
    EXPECT_EQ(boxTitles.value(0), QStringLiteral("电子表格"));
    EXPECT_EQ(handIns, 1);
    EXPECT_FALSE(p.TimeKS->Enabled());
    // No later tick hands in again.
    Clock::advance(60 * 60000);
    EXPECT_EQ(handIns, 1);
}

TEST_F(PanelTest, ClockStopsOutsideAnExamAndThePanelStaysUntilAllowed)
{
    questions({QStringLiteral("a")});
    FrmTm& p = panel();
    Clock::advance(60000);
    EXPECT_FALSE(p.TimeKS->Enabled());
    EXPECT_EQ(S().MinutesLeft, 50);

    // A finished exam whose panel stays loaded: a tick stops the clock and does nothing else.
    S().SessionKind = 0;
    S().PanelMayClose = -1;
    p.TimeKS->setEnabled(true);
    Clock::advance(60000);
    EXPECT_FALSE(p.TimeKS->Enabled());
    EXPECT_EQ(S().MinutesLeft, 50);
    EXPECT_TRUE(boxes.isEmpty());

    S().PanelMayClose = 0;
    p.close();
    vb::DoEvents();
    EXPECT_TRUE(vb::Forms::isLoaded<FrmTm>());
    S().PanelMayClose = -1;
    vb::Unload(p);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmTm>());
}

TEST_F(PanelTest, MinimiseRestoreAndTheIllustrationPopup)
{
    picture(QStringLiteral("123456"), {40, 26});
    questions({QStringLiteral("picture123456text")});
    FrmTm& p = panel();
    const FrmMain& w = frmMain();
    p.LblMinimise_Click();
    EXPECT_TRUE(p.FrmMinStrip->Visible());
    EXPECT_EQ(p.Width(), p.FrmMinStrip->Width());
    EXPECT_EQ(p.Left(), w.Left());
    EXPECT_EQ(p.Top() + p.Height(), w.Top() + w.Height());

    p.Move(0, 0);
    tsupport::click(*p.Command2);
    EXPECT_FALSE(p.FrmMinStrip->Visible());
    EXPECT_EQ(p.Width(), 4980);
    EXPECT_EQ(p.Height(), 3630);
    EXPECT_EQ(p.Left() + p.Width(), w.Left() + w.Width());
    EXPECT_EQ(p.Top() + p.Height(), w.Top() + w.Height());

    tsupport::click(*p.Image2);
    FrmPicture& popup = frmPicture();
    EXPECT_TRUE(popup.Visible());
    EXPECT_EQ(p.Image2->Caption(), QStringLiteral("隐藏图片"));
    Clock::advance(100);
    // 600 x 390 twips of picture and 60 twips all round, centred on the 1024 x 768 screen.
    EXPECT_EQ(popup.Width(), 720);
    EXPECT_EQ(popup.Height(), 510);
    EXPECT_EQ(popup.Left(), (1024 * 15 - 720) / 2);
    EXPECT_EQ(popup.Top(), (768 * 15 - 510) / 2);
    EXPECT_EQ(popup.Image1->Left(), 60);
    tsupport::click(*p.Image2);
    EXPECT_FALSE(popup.Visible());
    EXPECT_EQ(p.Image2->Caption(), QStringLiteral("显示图片"));

    // Closed by the window system, the popup goes as the button hides it and keeps its picture.
    tsupport::click(*p.Image2);
    popup.close();
    ASSERT_TRUE(vb::Forms::isLoaded<FrmPicture>());
    EXPECT_FALSE(popup.Visible());
    EXPECT_EQ(p.Image2->Caption(), QStringLiteral("显示图片"));
    tsupport::click(*p.Image2);
    EXPECT_TRUE(popup.Visible());
    EXPECT_TRUE(popup.Image1->Picture().has_value());
}

// Minimised by the window manager and then hidden with the button, the popup comes back with the
// button shown as it was first shown, not as an icon.
TEST_F(PanelTest, AMinimisedPopupComesBackNormalWithItsButton)
{
    picture(QStringLiteral("123456"), {40, 26});
    questions({QStringLiteral("picture123456text")});
    FrmTm& p = panel();
    FrmPicture& popup = frmPicture();
    tsupport::click(*p.Image2);
    popup.showMinimized();
    vb::DoEvents();
    ASSERT_EQ(popup.WindowState(), vb::vbMinimized);
    tsupport::click(*p.Image2);
    tsupport::click(*p.Image2);
    vb::DoEvents();
    EXPECT_TRUE(popup.Visible());
    EXPECT_EQ(popup.WindowState(), vb::vbNormal);
    EXPECT_EQ(p.Image2->Caption(), QStringLiteral("隐藏图片"));
}

// Minimised by the window manager, the panel comes back at once as its own minimise leaves it:
// the strip on the simulated window's bottom-left corner, whose restore button brings it back.
TEST_F(PanelTest, AWindowManagerMinimiseBecomesThePanelsStrip)
{
    questions({QStringLiteral("a")});
    FrmTm& p = panel();
    const FrmMain& w = frmMain();
    p.showMinimized();
    vb::DoEvents();
    EXPECT_EQ(p.WindowState(), vb::vbNormal);
    EXPECT_TRUE(p.Visible());
    EXPECT_TRUE(p.FrmMinStrip->Visible());
    EXPECT_EQ(p.Left(), w.Left());
    EXPECT_EQ(p.Top() + p.Height(), w.Top() + w.Height());
    tsupport::click(*p.Command2);
    EXPECT_EQ(p.Width(), 4980);
}

TEST_F(PanelTest, DragStripsDragOnlyWithTheLeftButtonAndGiveTheWindowBack)
{
    questions({QStringLiteral("a")});
    FrmTm& p = panel();
    int drags = 0;
    vb::setDragObserver([&drags](vb::Form&) { ++drags; });
    tsupport::press(*p.lblMove, vb::vbRightButton);
    tsupport::release(*p.lblMove, vb::vbRightButton);
    EXPECT_EQ(drags, 0);
    tsupport::press(*p.lblMove, vb::vbLeftButton);
    tsupport::release(*p.lblMove, vb::vbLeftButton);
    EXPECT_EQ(drags, 1);
    vb::setDragObserver(nullptr);
    EXPECT_TRUE(frmMain().Visible());
}

TEST_F(PanelTest, EveryNewSessionStartsWithoutTheLastSessionsLook)
{
    questions({QStringLiteral("a")});
    SessionState& s = S();
    s.SeatNo = QStringLiteral("07");
    s.DisplayMode = 3;
    picture(QStringLiteral("l01053"), {60, 22}, Qt::red);
    picture(QStringLiteral("l01003"), {60, 22}, Qt::blue);
    FrmTm& p = panel();
    EXPECT_EQ(p.KsZWH1->Caption(), QStringLiteral("07"));
    ASSERT_TRUE(p.CmdGN(FrmTm::BtnMark).Picture().has_value());
    EXPECT_EQ(p.CmdGN(FrmTm::BtnMark).Picture()->toImage().pixelColor(0, 0), QColor(Qt::red));

    // The panel stays loaded; the next session is a practice with other pictures and steps.
    s.QuestionPictures[1][0] = QStringLiteral("310010");
    s.SavedStep[1] = 6;
    s.SeatNo = QStringLiteral("12");
    s.DisplayMode = 2;
    session::beginSession(s);
    EXPECT_TRUE(s.QuestionPictures[1][0].isEmpty());
    EXPECT_EQ(s.SavedStep[1], 1);
    p.TimerREDO->setEnabled(true);
    Clock::advance(100);
    EXPECT_FALSE(p.TimerREDO->Enabled());
    EXPECT_EQ(p.KsZWH1->Caption(), QStringLiteral("12"));
    EXPECT_EQ(s.CurrentStep, 1);
    ASSERT_TRUE(p.CmdGN(FrmTm::BtnMark).Picture().has_value());
    EXPECT_EQ(p.CmdGN(FrmTm::BtnMark).Picture()->toImage().pixelColor(0, 0), QColor(Qt::blue));
}

TEST_F(PanelTest, HandInHidesThePanelUntilTheDialogHandsItBack)
{
    picture(QStringLiteral("123456"), {40, 26});
    questions({QStringLiteral("picture123456text")});
    S().SessionKind = 8;
    S().DisplayMode = 3;
    FrmTm& p = panel();
    bool hiddenMeanwhile = false;
    vb::setModalResponder([&](vb::Form& f) {
        if (auto* end = dynamic_cast<FrmEnd1*>(&f)) {
            hiddenMeanwhile = !p.Visible() && p.Left() == 0 && p.Top() == 0;
            tsupport::click(*end->Command2);
        } else {
            vb::Unload(f);
        }
    });
    p.CmdGN_Click(FrmTm::BtnHandIn);
    EXPECT_TRUE(hiddenMeanwhile);
    EXPECT_TRUE(p.Visible());
    EXPECT_EQ(p.Left() + p.Width(), frmMain().Left() + frmMain().Width());

    // The operation hint closes an open illustration first.
    p.Image2_Click();
    p.CmdGN_Click(FrmTm::BtnOperationHint);
    EXPECT_FALSE(frmPicture().Visible());
    EXPECT_EQ(p.Image2->Caption(), QStringLiteral("显示图片"));
}

class FinishTest : public PanelTest {
protected:
    QString record(const QString& number) const { return records::readRecordLinesChecked(records::recordPath(S().AppPath, number)).value().value(0); }
};

TEST_F(FinishTest, UnitPracticeWritesItsLineAndReturnsToTheUnitsPanel)
{
    questions({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
               QStringLiteral("5"), QStringLiteral("6")});
    inst.writeLines(QStringLiteral("ksdata/288893.mxy"), {QStringLiteral("TT"), QStringLiteral("F"), QStringLiteral("TFT"),
                                                          QStringLiteral("FFFFFF"), QStringLiteral("T")});
    SessionState& s = S();
    s.SessionKind = 20;
    s.SetIndex = 3;
    s.UnitCount = 5;
    FrmTm& p = panel();
    s.QuestionState[1] = 5;
    s.QuestionState[4] = 4;
    s.QuestionState[2] = 3; // marked
    s.QuestionId[2] = 302;
    tsupport::click(p.CmdGN(FrmTm::BtnBack));
    vb::DoEvents();
    const QStringList lines = records::readRecordLinesChecked(records::recordPath(s.AppPath, records::UnitProgress)).value();
    EXPECT_EQ(lines, (QStringList{QStringLiteral("TT"), QStringLiteral("F"), QStringLiteral("TFT"),
                                  QStringLiteral("TFFTFF"), QStringLiteral("T"), QString()}));
    EXPECT_EQ(record(records::FavouriteList), QStringLiteral("0302"));
    EXPECT_EQ(record(records::FavouriteFlags), QStringLiteral("F"));
    EXPECT_EQ(s.ReturnPage, 16);
    EXPECT_EQ(s.PanelMayClose, -1);
    EXPECT_FALSE(vb::Forms::isLoaded<FrmTm>());
    EXPECT_FALSE(vb::Forms::isLoaded<FrmMain>());
    ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(vb::Forms::get<FrmFengmian>().Visible());
    EXPECT_TRUE(vb::Forms::get<FrmFengmian>().TimFH->Enabled()); // reopens the units panel
}

TEST_F(FinishTest, PaperWrongListReviewAsksAndPrunesOnYes)
{
    for (const int reply : {vb::vbNo, vb::vbYes}) {
        questions({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                   QStringLiteral("5")});
        inst.writeLines(QStringLiteral("ksdata/182405.mxy"), {QStringLiteral("01010102010301040105")});
        SessionState& s = S();
        s.SessionKind = 2;
        s.PaperNo = 5;
        s.PanelMayClose = 0;
        for (int i = 1; i <= 5; ++i)
            s.QuestionId[static_cast<std::size_t>(i)] = 100 + i;
        FrmTm& p = panel();
        s.QuestionState[2] = 5;
        s.QuestionState[4] = 4;
        boxes.clear();
        answer = reply;
        p.CmdGN_Click(FrmTm::BtnBack);
        vb::DoEvents();
        ASSERT_EQ(boxes.size(), 1);
        EXPECT_TRUE(boxes[0].startsWith(QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？\r\n如果")));
        EXPECT_EQ(lastButtons, vb::vbYesNo + vb::vbQuestion + vb::vbDefaultButton2);
        EXPECT_EQ(record(QStringLiteral("182405")),
                  reply == vb::vbYes ? QStringLiteral("010101030105") : QStringLiteral("01010102010301040105"));
        EXPECT_EQ(s.ReturnPage, 0);
        vb::Forms::unloadAll();
        Clock::advance(1);
        s.QuestionState = {};
    }
}

TEST_F(FinishTest, ReturnPageByKindAndNoQuestionWithoutACompletedOne)
{
    const std::pair<int, int> cases[] = {{10, 18}, {13, 19}, {0, 0}, {2, 0}};
    for (const auto& [kind, page] : cases) {
        questions({QStringLiteral("1")});
        S().SessionKind = kind;
        S().PanelMayClose = 0;
        boxes.clear();
        panel().CmdGN_Click(FrmTm::BtnBack);
        vb::DoEvents();
        EXPECT_EQ(S().ReturnPage, page) << kind;
        EXPECT_TRUE(boxes.isEmpty()) << kind;
        vb::Forms::unloadAll();
        Clock::advance(1);
    }
}

// A close from the window system never strands the candidate: the panel and the simulated
// window refuse it in the run's first session and in the next one (whose way back left
// PanelMayClose set), the way back still writes the session's records, and the cover after a
// session asks its exit question (the hidden picture popup would keep the program running).
TEST_F(FinishTest, WindowSystemClosesInASessionAndOnTheCoverAfterIt)
{
    SessionState& s = S();
    s.SessionKind = 20;
    s.SetIndex = 0;
    s.UnitCount = 1;
    inst.writeLines(QStringLiteral("ksdata/288893.mxy"), {QStringLiteral("FF")});
    const QString progress[] = {QStringLiteral("TF"), QStringLiteral("TT")};
    for (int session = 1; session <= 2; ++session) {
        SCOPED_TRACE(session);
        questions({QStringLiteral("1"), QStringLiteral("2")});
        if (session == 2)
            vb::Unload(frmFengmian()); // the cover goes as the next session starts
        FrmTm& p = panel();
        p.close();
        frmMain().close();
        vb::DoEvents();
        ASSERT_TRUE(vb::Forms::isLoaded<FrmTm>());
        ASSERT_TRUE(vb::Forms::isLoaded<FrmMain>());
        EXPECT_TRUE(p.Visible());
        EXPECT_TRUE(frmMain().Visible());
        s.QuestionState[static_cast<std::size_t>(session)] = 4;
        tsupport::click(p.CmdGN(FrmTm::BtnBack));
        vb::DoEvents();
        EXPECT_EQ(records::readRecordLinesChecked(records::recordPath(s.AppPath, records::UnitProgress)).value().value(0),
                  progress[session - 1]);
        ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
        EXPECT_TRUE(frmFengmian().Visible());
    }
    ASSERT_TRUE(vb::Forms::isLoaded<FrmPicture>());

    EXPECT_FALSE(closeCoverAnswering(0));
    ASSERT_TRUE(vb::Forms::isLoaded<FrmFengmian>());
    EXPECT_TRUE(frmFengmian().Visible());
    EXPECT_TRUE(closeCoverAnswering(1));
}

} // namespace

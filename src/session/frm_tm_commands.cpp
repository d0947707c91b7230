// The question panel's buttons, its question list, the exam clock and the button layout.

#include "session/frm_tm.h"

#include "controls/mivo_button.h"
#include "demo/frm_yanshi.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_picture.h"
#include "session/frm_czts.h"
#include "session/frm_end1.h"
#include "session/frm_ime.h"
#include "session/panel_rules.h"
#include "session/record_rules.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"

void FrmTm::CmdGN_Click(int index)
{
    SessionState& s = S();
    const auto qi = static_cast<std::size_t>(std::clamp(s.CurrentQuestion, 1, MaxQuestions));
    int& state = s.QuestionState[qi];
    switch (index) {
    case BtnPrev:
        s.CurrentQuestion = std::max(s.CurrentQuestion - 1, 1);
        DqExam();
        break;
    case BtnNext:
        s.CurrentQuestion = std::clamp(s.CurrentQuestion + 1, 1, std::clamp(s.QuestionCount, 1, MaxQuestions));
        DqExam();
        break;
    case BtnRedo:
        s.SavedStep[qi] = 1;
        DqExam();
        break;
    case BtnMark:
        if (!records::isMarked(state))
            state += 2;
        CmdGN(BtnUnmark).setVisible(true);
        CmdGN(BtnMark).setVisible(false);
        break;
    case BtnList:
        dqYeMian();
        break;
    case BtnBack:
        FinishSession();
        break;
    case BtnHint: {
        s.DisplayMode = 1;
        FrmMain& window = frmMain();
        for (vb::Control* c : std::initializer_list<vb::Control*>{window.LHelp, window.Shape1, window.Shape4, window.Shape2})
            c->setVisible(true);
        window.TimerDisFK->setEnabled(true);
        showWindow();
        break;
    }
    case BtnDemo:
        StartDemonstration();
        break;
    case BtnHandIn:
        leaveForHandIn();
        showHandIn();
        break;
    case BtnExamineeInfo:
        FrmKSXX->setVisible(true);
        break;
    case BtnOperationHint:
        hidePicture();
        frmCZTS().Show(vb::vbModal);
        break;
    case BtnUnmark:
        if (records::isMarked(state))
            state -= 2;
        CmdGN(BtnMark).setVisible(true);
        CmdGN(BtnUnmark).setVisible(false);
        break;
    default:
        break;
    }
}

void FrmTm::CmTNO_Click(int index)
{
    S().CurrentQuestion = std::clamp(ListPage * 40 + index, 1, MaxQuestions);
    FrmSelect->setVisible(false);
    DqExam();
}

void FrmTm::CmdSelLast_Click()
{
    ListPage = std::max(ListPage - 1, 0);
    dqYeMian();
}

void FrmTm::CmdSelNext_Click()
{
    ListPage = std::min(ListPage + 1, LastListPage);
    dqYeMian();
}

void FrmTm::CmdSelFH_Click() { FrmSelect->setVisible(false); }

void FrmTm::CmdKSFH_Click() { FrmKSXX->setVisible(false); }

void FrmTm::dqYeMian()
{
    const SessionState& s = S();
    const int count = std::clamp(s.QuestionCount, 0, MaxQuestions);
    const bool paged = count > 40;
    CmdSelLast->setVisible(paged);
    CmdSelNext->setVisible(paged);
    LastListPage = panel::lastListPage(count);
    // A page left open by an earlier, longer session is not one of this session's pages.
    ListPage = std::clamp(ListPage, 0, std::max(LastListPage, 0));
    const int shown = panel::numbersOnPage(count, ListPage);
    bool reported = false;
    for (int i = 1; i <= shown; ++i) {
        const int n = ListPage * 40 + i;
        mivoButton& b = CmTNO(i);
        b.setCaption(QString::number(n));
        // A face that cannot be read keeps the number's previous face, and the page is finished.
        const QString path = facePath(panel::listFace(s.QuestionState[static_cast<std::size_t>(n)]));
        if (auto p = vb::LoadPicture(path)) {
            b.setPicture(p);
        } else if (!reported) {
            reported = true;
            reportFailure(QStringLiteral("dqyemian"), runerr::FileNotFound, runerr::text(runerr::FileNotFound) + u' ' + path);
        }
        b.setVisible(true);
    }
    FrmSelect->setVisible(true);
    for (int i = std::max(shown, 0) + 1; i <= 40; ++i)
        CmTNO(i).setVisible(false);
}

void FrmTm::LblUnit_Click() { LblUnit->setToolTipText(LblUnit->Caption()); }

void FrmTm::LblUnit_MouseMove(int, int, double, double) { LblUnit->setToolTipText(LblUnit->Caption()); }

void stopExamClock()
{
    if (vb::Forms::isLoaded<FrmTm>())
        frmTm().TimeKS->setEnabled(false);
}

void FrmTm::TimeKS_Timer()
{
    SessionState& s = S();
    // The clock counts only while an exam is being sat; a tick at any other time (practice, an
    // exam already handed in or ended) stops it and does nothing else.
    const bool examRunning =
        (s.SessionKind == 0 || s.SessionKind == 8) && s.PanelMayClose == 0 && s.MinutesLeft > 0 && !s.ExamHandedIn;
    if (!examRunning) {
        TimeKS->setEnabled(false);
        return;
    }
    LblTime->setCaption(QStringLiteral("剩余%1分钟").arg(s.MinutesLeft));
    LblTimeJD->setWidth(panel::elapsedBarWidth(s.MinutesLeft, PTime->Width()));
    s.MinutesLeft -= 1;
    if (s.MinutesLeft == 0) {
        TimeKS->setEnabled(false);
        endExamDialogs();
        vb::MsgBox(QStringLiteral("时间已到，自动交卷！"), vb::vbOKOnly, s.ModuleName);
        showHandIn();
    }
}

void FrmTm::endExamDialogs()
{
    // Each goes as its own cancel ends it, so that the message and the hand-in dialogs open on
    // top and take the keys (a topmost dialog left open would stand over them, blocked by them).
    vb::closeMenusAndMessageBoxes();
    if (vb::Forms::isLoaded<FrmCZTS>())
        vb::Unload(frmCZTS()); // as its close button
    if (vb::Forms::isLoaded<FrmIME>())
        vb::Unload(frmIME()); // as its close buttons, which bring the window and the full panel back
    hidePicture();
    // A demonstration that the operation hint started ends: the exam it would hand back to is over.
    TimStartYS->setEnabled(false);
    DemoStartTicks = 0;
    if (vb::Forms::isLoaded<FrmYanShi>()) {
        vb::Unload(vb::Forms::get<FrmYanShi>());
        showWindow();
        Show();
    }
    S().DemoRunning = 0;
}

void FrmTm::TimKsModel_Timer()
{
    PicUnit->setVisible(S().DisplayMode != 3);
    for (int i = BtnBack; i <= BtnOperationHint; ++i)
        CmdGN(i).setVisible(i > BtnDemo ? !PicUnit->Visible() : PicUnit->Visible());
    TimKsModel->setEnabled(false);
}

void FrmTm::Form_Unload(int& cancel)
{
    if (S().PanelMayClose == 0)
        cancel = 1;
}

// The window system's close has no part in a session, whatever PanelMayClose says (it stays set
// from the run's earlier session): without the panel the simulated window has no way on or back
// and the session's records would never be written.
void FrmTm::Form_QueryUnload(int& cancel, int) { cancel = 1; }

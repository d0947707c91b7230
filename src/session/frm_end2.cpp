#include "session/frm_end2.h"

#include "session/frm_chengji.h"
#include "session/frm_tm.h"
#include "session/panel_rules.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

FrmEnd2& frmEnd2() { return vb::Forms::get<FrmEnd2>(); }

void FrmEnd2::Command1_Click()
{
    SessionState& s = S();
    s.MinutesLeft = 50;
    s.ExamHandedIn = true;
    // The exam is over: its clock stops, and its display reads as at the start of an exam.
    FrmTm& panel = frmTm();
    panel.TimeKS->setEnabled(false);
    panel.LblTime->setCaption(QStringLiteral("剩余%1分钟").arg(s.MinutesLeft));
    panel.LblTimeJD->setWidth(panel::elapsedBarWidth(s.MinutesLeft, panel.PTime->Width()));
    vb::Unload(*this);
    // Whatever opened the hand-in (the clock's time-up leaves the panel where it was), nothing of
    // the finished exam stays over the score report.
    panel.leaveForHandIn();
    // The panel refuses: PanelMayClose is 0 throughout the exam.
    vb::Unload(panel);
    if (vb::Forms::isLoaded<FrmMain>())
        vb::Unload(frmMain());
    frmChengji().Show();
}

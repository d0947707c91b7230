#include "session/frm_exam_seam.h"

#include "cover/frm_fengmian.h"
#include "platform/vb_form.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

namespace examseam {

void panelShowQuestionSoon() { frmTm().DqExam(); }
void panelLayoutSoon() {}
void panelStartClock() { S().MinutesLeft = 50; }
void panelStopClock() {}
void panelResetClockDisplay() {}
void panelDock()
{
    FrmTm& p = frmTm();
    FrmMain& m = frmMain();
    p.Move(m.Left() + m.Width() - p.Width(), m.Top() + m.Height() - p.Height());
}
void panelShow() { frmTm().Show(); }
void panelUnload()
{
    if (S().PanelMayClose != 0 && vb::Forms::isLoaded<FrmTm>())
        vb::Unload(frmTm());
}
void panelShowExaminee() {}
void panelListUpTo(int) {}
void simWindowShow() { frmMain().Show(); }
void simWindowUnload()
{
    if (vb::Forms::isLoaded<FrmMain>())
        vb::Unload(frmMain());
}

void showCover(int replay)
{
    FrmFengmian& cover = frmFengmian();
    if (replay != 0) {
        S().ReturnPage = replay;
        cover.TimFH->setEnabled(true);
    }
    cover.Show();
}

} // namespace examseam

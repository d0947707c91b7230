#include "session/frm_end2.h"

#include "session/frm_chengji.h"
#include "session/frm_exam_seam.h"
#include "session_state/session_state.h"

FrmEnd2& frmEnd2() { return vb::Forms::get<FrmEnd2>(); }

void FrmEnd2::Command1_Click()
{
    SessionState& s = S();
    s.MinutesLeft = 50;
    examseam::panelStopClock();
    examseam::panelResetClockDisplay();
    vb::Unload(*this);
    examseam::panelUnload();
    examseam::simWindowUnload();
    frmChengji().Show();
}

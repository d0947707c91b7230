// The end of a practice session: the progress records, then back to the cover page.

#include "session/frm_tm.h"

#include "controls/mivo_button.h"
#include "cover/frm_fengmian.h"
#include "platform/vb_msgbox.h"
#include "session/record_files.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

void FrmTm::FinishSession()
{
    SessionState& s = S();
    hidePicture();
    LblMinimise_Click();

    records::writeSessionEnd(s);
    const records::SessionQuestions qs = records::sessionQuestions(s);
    if (s.SessionKind == 2 && records::anyCompleted(qs)) {
        const int answer = vb::MsgBox(QStringLiteral("本次答对的题目要从“错题复习”中去掉吗？\r\n"
                                                     "如果你认为掌握的还不太好，建议你点“否”，把它们保留在错题记录中。"),
                                      vb::vbYesNo + vb::vbQuestion + vb::vbDefaultButton2);
        if (answer == vb::vbYes)
            records::pruneReviewedPaper(s.AppPath, s.PaperNo, qs);
    }

    TimeKS->setEnabled(false);
    TimStartYS->setEnabled(false);
    TimerREDO->setEnabled(false);
    s.PanelMayClose = -1;
    vb::Unload(frmMain());
    vb::Unload(*this);
    // Nothing of the panel is touched from here on. The cover page, built anew, reopens the
    // panel that ReturnPage names.
    s.ReturnPage = records::returnPageFor(s.SessionKind);
    FrmFengmian& cover = vb::Forms::get<FrmFengmian>();
    if (s.ReturnPage != 0)
        cover.TimFH->setEnabled(true);
    cover.Show();
}

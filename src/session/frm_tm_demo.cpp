// The hand-over to the demonstration: the panel prepares the question's text for the
// demonstration's note and, two ticks later (once the requesting handler or dialog has
// returned), hides itself and the simulated window and opens the demonstration window.

#include "session/frm_tm.h"

#include "controls/mivo_button.h"
#include "demo/frm_yanshi.h"
#include "session/panel_rules.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

void FrmTm::StartDemonstration()
{
    SessionState& s = S();
    s.DemoRunning = -1;
    // A question file without this question gives an empty note; the demonstration still plays.
    if (!readQuestionLine())
        s.QuestionLine.clear();
    // The note shows the text on one line, with its "|" marks, and without the illustration's
    // code.
    const panel::QuestionText shown = panel::questionText(s.QuestionLine);
    RtbTM->setText(shown.pictureCode ? shown.text : panel::textField(s.QuestionLine));
    showIllustration(shown.pictureCode);
    s.DemoRunning = -1;
    TimStartYS->setEnabled(true);
}

void FrmTm::TimStartYS_Timer()
{
    if (++DemoStartTicks < 2)
        return;
    DemoStartTicks = 0;
    TimStartYS->setEnabled(false);
    frmMain().setVisible(false);
    setVisible(false);
    // Opening the demonstration window runs its load, which lays out the first step.
    vb::Forms::get<FrmYanShi>().Show();
    S().DemoRunning = -1;
}

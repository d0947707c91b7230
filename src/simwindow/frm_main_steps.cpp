// Moving the step counter: the first layout of a question, the advance, the jump and the
// automatic step.

#include "simwindow/frm_main.h"

#include "session_state/session_state.h"
#include "simwindow/jump_code.h"
#include "simwindow/step_record.h"

void FrmMain::Timer2_Timer()
{
    setData();
    Timer2->setEnabled(false);
}

void FrmMain::doNext()
{
    // Only the candidate's actions complete a step, never the layout's own set-up.
    if (layingOut())
        return;
    SessionState& s = S();
    frmCsh();
    zhuIndex = 0;
    item1JIndex = 0;
    const int q = s.CurrentQuestion;
    if (q < 1 || q > MaxQuestions)
        return;
    if (currentRecord().OperationCode == u"9999") {
        // The end record keeps the question where it is.
        int& state = s.QuestionState[static_cast<std::size_t>(q)];
        if (state < 4)
            state += 4;
        zhuIndex = 0;
    } else {
        // A question without an end record stays on its last step rather than running into
        // the next question's records.
        s.CurrentStep = simwindow::jumpTarget(s.CurrentStep, 1, simwindow::questionStepCount(s, q));
        setData();
    }
    bringWindowsToFront();
}

void FrmMain::GoStep(const QString& code)
{
    if (layingOut())
        return;
    // The jump stays within the question: before its first step it lands on step 1, past its
    // last step it stays and lays the step out again.
    const std::optional<int> target = simwindow::goStepTarget(S(), code);
    if (!target)
        return;
    S().CurrentStep = *target;
    setData();
}

void FrmMain::Timer3_Timer()
{
    // A tick belongs to the step that switched the timer on; once the panel has shown another
    // question or the step has moved, it does nothing.
    const SessionState& s = S();
    if (StepCode != 8888 || s.CurrentQuestion != autoQuestion_ || s.CurrentStep != autoStep_) {
        Timer3->setEnabled(false);
        return;
    }
    doNext();
}

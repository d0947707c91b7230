// Clicks, double clicks, right clicks and hovers on the step's first target and pictures.

#include "simwindow/frm_main.h"

#include "platform/vb_picture.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"
#include "simwindow/text_table.h"

using simwindow::StepAction;
using simwindow::StepRecord;

StepRecord FrmMain::currentRecord() const { return StepRecord::fromLine(S().StepRecord); }

void FrmMain::act(const StepAction& action)
{
    switch (action.kind) {
    case StepAction::Kind::None:
        break;
    case StepAction::Kind::Next:
        doNext();
        break;
    case StepAction::Kind::Jump:
        GoStep(action.jump);
        break;
    case StepAction::Kind::ContextMenu:
        MenuContext = action.menuContext;
        popUpContextMenu();
        break;
    }
}

bool FrmMain::typedTextAccepted() const
{
    // Without a text table nothing is accepted (acceptsTyped).
    const auto answers = simwindow::answersAt(S().TextTablePath, currentRecord().AnswerField);
    return simwindow::acceptsTyped(answers, Text1->Text());
}

void FrmMain::Label1_MouseUp(int button, int shift, double, double)
{
    // The jump of the step that took the release, even when a context menu moves the step.
    const StepRecord before = currentRecord();
    const QString target1Jump = before.Target1Jump;
    if (codes::field(before.line, 86, 1) == u"R") {
        ExpectedCode = codes::numField(before.line, 87, 4);
        if (const std::optional<int> context = simwindow::routeContextMenu(before, button)) {
            MenuContext = *context;
            const int question = S().CurrentQuestion;
            const int stepNo = S().CurrentStep;
            popUpContextMenu();
            // A chosen entry has already advanced the step: this release belonged to the old one.
            if (S().CurrentQuestion != question || S().CurrentStep != stepNo)
                return;
        }
    }

    ExpectedCode = currentRecord().expectedCode();
    act(simwindow::releaseOverTarget1(ExpectedCode, target1Jump, button, shift,
                                      [this] { return typedTextAccepted(); }));
}

void FrmMain::Label1_DblClick() { act(simwindow::doubleClickOnTarget1(currentRecord())); }

void FrmMain::Label1_MouseMove(int, int, double, double)
{
    frmCsh();
    const QString code = currentRecord().OperationCode;
    if (code == u"0030")
        doNext();
    // During a range drag the target keeps the ordinary pointer; otherwise the pointer of the
    // step now shown.
    if (code.startsWith(u"004") || code.startsWith(u"005"))
        simwindow::applyPointer(*Label1, {});
    else
        simwindow::applyPointer(*Label1, simwindow::pointerSpec(currentRecord(), S().AppPath));
}

void FrmMain::Image1_Click() { act(simwindow::pictureClick(currentRecord(), 1)); }
void FrmMain::Image2_Click() { act(simwindow::pictureClick(currentRecord(), 2)); }
void FrmMain::Image3_Click() { act(simwindow::pictureClick(currentRecord(), 3)); }
void FrmMain::Image4_Click() { act(simwindow::pictureClick(currentRecord(), 4)); }

// Passing over a step picture closes what the simulated menus left open.
void FrmMain::Image1_MouseMove(int, int, double, double) { frmCsh(); }
void FrmMain::Image2_MouseMove(int, int, double, double) { frmCsh(); }
void FrmMain::Image3_MouseMove(int, int, double, double) { frmCsh(); }
void FrmMain::Image4_MouseMove(int, int, double, double) { frmCsh(); }

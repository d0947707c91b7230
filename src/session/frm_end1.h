#pragma once
// The two hand-in confirmations of a mock exam. FrmEnd1 asks whether to hand in and warns of
// questions never shown or still marked; its confirm leads to FrmEnd2, which warns that the
// exam ends for good and, confirmed, opens the score report. Cancel in either goes back to the
// exam, except after the time is up: then there is no exam to go back to, and no cancel.

#include "controls/mivo_button.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

// The window and controls both dialogs share.
class HandInDialog : public vb::Form {
    Q_OBJECT
public:
    HandInDialog();

    vb::Frame* Frame1 = nullptr;
    vb::Label* Label1 = nullptr;   // the notice
    mivoButton* Command1 = nullptr; // confirm
    mivoButton* Command2 = nullptr; // cancel, back to the exam

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    virtual void Command1_Click() = 0;
    // Back to the exam: the panel docked at the simulated window's bottom-right and shown.
    void Command2_Click();
};

class FrmEnd1 : public HandInDialog {
    Q_OBJECT
protected:
    void Form_Load() override;
    void Command1_Click() override;
};

FrmEnd1& frmEnd1();

// Opens the hand-in with FrmEnd1, loaded anew and modal. A hand-in dialog still open from an
// earlier showing (the clock ran out while it was open) goes first, so that what opens is made
// for this moment: once the time is up, neither dialog offers the way back. An exam already
// handed in is not handed in again.
void showHandIn();

#pragma once
// The second hand-in confirmation: handing in ends the exam for good; confirmed, the clock
// display is reset, the exam windows close and the score report opens.

#include "session/frm_end1.h"

class FrmEnd2 : public HandInDialog {
    Q_OBJECT
protected:
    void Command1_Click() override;
};

FrmEnd2& frmEnd2();

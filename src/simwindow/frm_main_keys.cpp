// Keys and shortcuts: every key pressed while the window, a bar, a drop-down, the location list
// or a list border holds the focus goes to KeyClick. The editors and the list keep their keys.

#include "simwindow/frm_main.h"

#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"

void FrmMain::KeyClick(int keyCode, int shift)
{
    const simwindow::KeyVerdict v = simwindow::keyClick(currentRecord(), keyCode, shift);
    ExpectedCode = v.expectedCode;
    if (v.passes)
        doNext();
}

void FrmMain::Form_KeyDown(int& keyCode, int shift) { KeyClick(keyCode, shift); }

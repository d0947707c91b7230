#pragma once
// The input-method option dialog: the candidate switches the input-method helper on or off (the
// option lives in the record folder) and reads why it may be wise to switch it off. Closing it
// in any way brings the simulated window and the full question panel back.

#include "controls/mivo_button.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmIME : public vb::Form {
    Q_OBJECT
public:
    FrmIME();

    vb::Image* ImgLogo1 = nullptr;
    // 0 the notice, 1 the notice that no input-method framework answers, 2 the title.
    vb::ControlArray<vb::Label> Label1;
    vb::Label* lblMove = nullptr;
    // 0 close (top right), 1 close (bottom right).
    vb::ControlArray<mivoButton> LblClick;
    vb::CheckBox* Check1 = nullptr;

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;

private:
    void Check1_Click();
    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, double x, double y);
};

FrmIME& frmIME();

#pragma once
// The program's own modal confirmation box, drawn from the installation's pictures.
//
// A caller clears MsgBoxResult, fills in the title, the picture and the prompt (the first touch
// loads the box), shows it modally and reads MsgBoxResult: 1 after a confirmation, 0 after
// cancel or close.
//     S().MsgBoxResult = 0;
//     FrmQVMSGBOX& box = frmQVMSGBOX();
//     box.LblTitle->setCaption(title);
//     box.Image1->setPicture(picture);
//     box.LblPrompt->setCaption(prompt);
//     box.Show(vb::vbModal);
//     if (S().MsgBoxResult == 1) ...

#include "controls/mivo_button.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmQVMSGBOX : public vb::Form {
    Q_OBJECT
public:
    FrmQVMSGBOX();

    vb::Image* ImgLogo1 = nullptr;
    vb::Label* LblTitle = nullptr;
    vb::Image* Image1 = nullptr;
    vb::Label* LblPrompt = nullptr;
    // The strip along the top by which the borderless box is dragged.
    vb::Label* lblMove = nullptr;
    // 0 cancel, 1 confirm, 2 unused (hidden), 3 close.
    vb::ControlArray<mivoButton> LblClick;

protected:
    void Form_Load() override;

private:
    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, double x, double y);
};

FrmQVMSGBOX& frmQVMSGBOX();

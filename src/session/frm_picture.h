#pragma once
// The picture popup: a borderless, topmost window that shows a question's illustration with a
// margin around it and centres itself on the screen each time it is shown.

#include "platform/clock.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmPicture : public vb::Form {
    Q_OBJECT
public:
    FrmPicture();

    vb::Image* Image1 = nullptr;
    platform::Timer* Timer1 = nullptr; // 100 ms: fits the popup to its picture and centres it

    void Timer1_Timer();

protected:
    void Form_Load() override;
    void Form_MouseDown(int button, int shift, double x, double y) override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
};

FrmPicture& frmPicture();

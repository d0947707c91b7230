#pragma once
// The cover page, the home of the program between sessions. For now it holds no more than the
// start-up relies on: its load takes the screen's scale, lays the window out from its face and
// the configuration, and the window shows.

#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmFengmian : public vb::Form {
    Q_OBJECT
public:
    FrmFengmian();

    vb::Label* LblTitle = nullptr;

protected:
    void Form_Load() override;
};

FrmFengmian& frmFengmian();

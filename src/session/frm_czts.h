#pragma once
// The operation-hint dialog. For now a small window with one button that closes it.

#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmCZTS : public vb::Form {
    Q_OBJECT
public:
    FrmCZTS();

    vb::CommandButton* CmdBack = nullptr;

protected:
    void Form_Load() override;
};

FrmCZTS& frmCZTS();

#pragma once
// The first hand-in dialog. For now a small window that hands the exam back: its one button
// docks the question panel at the simulated window again and shows it, as a cancelled hand-in
// does.

#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmEnd1 : public vb::Form {
    Q_OBJECT
public:
    FrmEnd1();

    vb::CommandButton* CmdBack = nullptr;

    void CmdBack_Click();

protected:
    void Form_Load() override;
};

FrmEnd1& frmEnd1();

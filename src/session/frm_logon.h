#pragma once
// The imitation of the exam's login screen, as far as the session launch needs it: the window
// that fixed and random papers are handed to.

#include "platform/vb_form.h"

class FrmLogon : public vb::Form {
    Q_OBJECT
public:
    FrmLogon();
};

FrmLogon& frmLogon();

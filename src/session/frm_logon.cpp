#include "session/frm_logon.h"

FrmLogon& frmLogon() { return vb::Forms::get<FrmLogon>(); }

FrmLogon::FrmLogon() { setBorderStyle(0); }

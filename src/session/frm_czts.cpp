#include "session/frm_czts.h"

#include "platform/vb_units.h"
#include "session_state/session_state.h"

FrmCZTS& frmCZTS() { return vb::Forms::get<FrmCZTS>(); }

FrmCZTS::FrmCZTS()
{
    setBorderStyle(3);
    CmdBack = new vb::CommandButton(this);
    CmdBack->setCaption(QStringLiteral("返回"));
    CmdBack->Click = [this] { vb::Unload(*this); };
}

void FrmCZTS::Form_Load()
{
    setCaption(QStringLiteral("操作提示"));
    const int width = scaledX(3000);
    const int height = scaledY(1500);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    CmdBack->Move(scaledX(1020), scaledY(480), scaledX(900), scaledY(360));
}

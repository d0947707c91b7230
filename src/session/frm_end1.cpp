#include "session/frm_end1.h"

#include "platform/vb_units.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

FrmEnd1& frmEnd1() { return vb::Forms::get<FrmEnd1>(); }

FrmEnd1::FrmEnd1()
{
    setBorderStyle(3);
    CmdBack = new vb::CommandButton(this);
    CmdBack->setCaption(QStringLiteral("返回"));
    CmdBack->Click = [this] { CmdBack_Click(); };
}

void FrmEnd1::Form_Load()
{
    setCaption(QStringLiteral("交卷"));
    const int width = scaledX(3000);
    const int height = scaledY(1500);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    CmdBack->Move(scaledX(1020), scaledY(480), scaledX(900), scaledY(360));
}

void FrmEnd1::CmdBack_Click()
{
    const FrmMain& window = frmMain();
    FrmTm& panel = frmTm();
    panel.Move(window.Left() + window.Width() - panel.Width(), window.Top() + window.Height() - panel.Height());
    panel.Show();
    vb::Unload(*this);
}

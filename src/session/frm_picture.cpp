#include "session/frm_picture.h"

#include "controls/mivo_button.h"
#include "platform/vb_units.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"

FrmPicture& frmPicture() { return vb::Forms::get<FrmPicture>(); }

FrmPicture::FrmPicture()
{
    setBorderStyle(0);
    Image1 = new vb::Image(this);
    Timer1 = new platform::Timer(this, 100);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Image1->MouseDown = [this](int b, int s, double x, double y) { Form_MouseDown(b, s, x, y); };
}

void FrmPicture::Form_Load()
{
    Image1->Move(scaledX(60), scaledY(60));
    Timer1->setEnabled(true);
}

void FrmPicture::Timer1_Timer()
{
    const int width = scaledX(120) + Image1->Width();
    const int height = scaledY(120) + Image1->Height();
    setTopmost(true);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    Timer1->setEnabled(false);
}

void FrmPicture::Form_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
}

// Closed by the window system: hidden as the panel's illustration button hides it (unloaded, the
// popup would lose the question's picture while the button still offered to hide it).
void FrmPicture::Form_QueryUnload(int& cancel, int)
{
    cancel = 1;
    if (vb::Forms::isLoaded<FrmTm>())
        frmTm().Image2_Click();
    else
        Hide();
}

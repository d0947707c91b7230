// The question panel as a window: minimise to its strip and restore, drag by its strips, hand
// the keyboard back to the simulated window, and the illustration button.

#include "session/frm_tm.h"

#include "controls/mivo_button.h"
#include "session/frm_picture.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

void FrmTm::showWindow()
{
    // Back from a minimise in the normal state, as every hand-back gives it: on a small screen,
    // where the window opened maximised, that is the design size at 0, 0.
    FrmMain& window = frmMain();
    if (window.WindowState() == vb::vbMinimized)
        window.setWindowState(vb::vbNormal);
    window.Show();
    // The panel stays above the window, also where the window system keeps no topmost layer.
    if (isVisible())
        bringToFront();
}

// The candidate's keys and clicks are meant for the simulated program.
void FrmTm::focusBack() { showWindow(); }

void FrmTm::LblMinimise_Click()
{
    const FrmMain& window = frmMain();
    const int height = FrmMinStrip->Height();
    Move(window.Left(), window.Top() + window.Height() - height, FrmMinStrip->Width(), height);
    FrmMinStrip->setVisible(true);
}

void FrmTm::Form_Resize()
{
    // Minimised by the window manager, the panel would come back only through a task bar the
    // candidate may not have: it takes its own minimise instead, the strip on the simulated
    // window, once the window manager's change is through.
    if (WindowState() != vb::vbMinimized)
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (WindowState() != vb::vbMinimized)
                return;
            setWindowState(vb::vbNormal);
            Show();
            LblMinimise_Click();
        },
        Qt::QueuedConnection);
}

void FrmTm::Command2_Click()
{
    focusBack();
    const FrmMain& window = frmMain();
    const int width = scaledX(4980);
    const int height = scaledY(3630);
    Move(window.Left() + window.Width() - width, window.Top() + window.Height() - height, width, height);
    FrmMinStrip->setVisible(false);
}

void FrmTm::Command2_MouseMove(int, int, double, double) { Command2->setBorderStyle(1); }

void FrmTm::FrmMinStrip_MouseMove(int, int, double, double) { Command2->setBorderStyle(0); }

void FrmTm::FrmMinStrip_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
    Command2->setBorderStyle(0);
}

void FrmTm::Label2_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
    Command2->setBorderStyle(0);
    focusBack();
}

void FrmTm::lblMove_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
    focusBack();
}

void FrmTm::Form_KeyUp(int&, int) { focusBack(); }

void FrmTm::RtbTM_Click() { focusBack(); }

void FrmTm::Image2_Click()
{
    if (Image2->Caption() != u"显示图片") {
        hidePicture();
        return;
    }
    FrmPicture& popup = frmPicture();
    popup.Show();
    // Minimised by the window manager before it was hidden, the popup comes back as an icon:
    // restored once it is shown, as from a task bar, it comes back on top.
    if (popup.WindowState() == vb::vbMinimized)
        popup.setWindowState(vb::vbNormal);
    popup.Timer1->setEnabled(true);
    Image2->setCaption(QStringLiteral("隐藏图片"));
}

void FrmTm::hidePicture()
{
    if (vb::Forms::isLoaded<FrmPicture>())
        frmPicture().Hide();
    Image2->setCaption(QStringLiteral("显示图片"));
}

void FrmTm::leaveForHandIn()
{
    // The popup stands on top and in the middle of the screen, where the hand-in dialogs open.
    hidePicture();
    Move(0, 0);
    Hide();
}

void FrmTm::showEvent(QShowEvent* e)
{
    vb::Form::showEvent(e);
    // A handed-in exam's panel, whatever shows it again, takes no more input: its questions and
    // buttons would bring the finished exam back.
    setEnabled(!S().ExamHandedIn);
}

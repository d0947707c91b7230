#include "session/frm_ime.h"

#include "controls/dialog_frame.h"
#include "platform/input_methods.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session/frm_tm.h"
#include "session/input_method_choice.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/face_picture.h"

namespace {

std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

} // namespace

FrmIME& frmIME() { return vb::Forms::get<FrmIME>(); }

FrmIME::FrmIME()
{
    setBorderStyle(0);
    ImgLogo1 = new vb::Image(this);
    vb::Label* title = Label1.create(2, this);
    title->setBackStyle(0);
    title->setAutoSize(true);
    title->setForeColor(vb::RGB(255, 255, 255));
    title->setFontName(QStringLiteral("宋体"));
    title->setCaption(QStringLiteral("输入法调用提示"));
    vb::Label* notice = Label1.create(0, this);
    notice->setBackStyle(0);
    notice->setWordWrap(true);
    notice->setCaption(QStringLiteral("如果输入文字时出现计算机考试***.exe遇到问题需要关闭时，说明您另外安装的输入法和本软件不兼容，"
                                      "您可以取消调用输入法，在您需要输入汉字时，可以按Ctrl+Shift键切换，或者点击电脑右下角的输入法按钮。"));
    vb::Label* none = Label1.create(1, this);
    none->setBackStyle(0);
    none->setWordWrap(true);
    none->setForeColor(vb::RGB(255, 0, 0));
    none->setCaption(session::NoInputMethodNotice);
    none->setVisible(false);
    // Over the logo and the title, so that the whole strip drags.
    lblMove = new vb::Label(this);
    lblMove->setBackStyle(0);
    lblMove->MouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
    LblClick.create(0, this);
    LblClick.create(1, this);
    LblClick.Click = [this](int i) { LblClick_Click(i); };
    Check1 = new vb::CheckBox(this);
    Check1->setCaption(QStringLiteral("调用输入法"));
    Check1->setForeColor(vb::RGB(255, 0, 0));
    Check1->setBackColor(vb::RGB(255, 255, 225));
    Check1->Click = [this] { Check1_Click(); };
}

void FrmIME::Form_Load()
{
    const SessionState& s = S();
    layOutDialogFrame(*this, *ImgLogo1, *lblMove, LblClick(0));
    LblClick(1).Move(scaledX(4620), scaledY(3480), scaledX(1350), scaledY(450));
    LblClick(1).setPicture(face(QStringLiteral("l20001")));
    Label1(0).Move(scaledX(720), scaledY(1440), scaledX(4695), scaledY(1215));
    Label1(0).setFontSize(9 * s.ScaleX);
    Check1->Move(scaledX(2400), scaledY(2520), scaledX(1455), scaledY(255));
    Check1->setFontSize(9 * s.ScaleX);
    Label1(2).Move(scaledX(600), scaledY(180));
    Label1(2).setFontSize(10 * s.ScaleX);
    Label1(1).Move(scaledX(720), scaledY(2880), scaledX(4695), scaledY(540));
    Label1(1).setFontSize(9 * s.ScaleX);
    Label1(1).setVisible(!platform::inputMethods().hasFramework());

    // Ticking raises Check1_Click, which writes the option back as "1" and turns the helper on.
    Check1->setValue(session::readImeOption() ? 1 : 0);
}

void FrmIME::Check1_Click()
{
    const bool on = Check1->Value() == 1;
    // The choice holds for this run even when the record folder takes no file (the write
    // reports that).
    S().ImeHelperOn = on ? -1 : 0;
    session::writeImeOption(on);
}

void FrmIME::LblClick_Click(int) { vb::Unload(*this); }

void FrmIME::lblMove_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
}

void FrmIME::Form_Unload(int&)
{
    // Back to work: the simulated window restored, the panel at full size in its corner.
    FrmMain& window = frmMain();
    window.setWindowState(vb::vbNormal);
    window.Show();
    FrmTm& panel = frmTm();
    panel.setWidth(scaledX(4980));
    panel.setHeight(scaledY(3630));
    panel.Move(window.Left() + window.Width() - panel.Width(), window.Top() + window.Height() - panel.Height());
    panel.FrmMinStrip->setVisible(false);
    // Above the window just shown, also where no window manager keeps it on top.
    panel.bringToFront();
}

#include "controls/frm_qvmsgbox.h"

#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/face_picture.h"
#include "startup/start_values.h"

#include <QApplication>
#include <QPalette>

namespace {

// A face of the installation; a missing or broken one leaves that part empty.
std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

} // namespace

FrmQVMSGBOX& frmQVMSGBOX() { return vb::Forms::get<FrmQVMSGBOX>(); }

FrmQVMSGBOX::FrmQVMSGBOX()
{
    setBorderStyle(0);
    // Nothing beyond its design to show: the window manager's maximise would only stretch the
    // empty background.
    setKeepsSize(true);

    ImgLogo1 = new vb::Image(this);
    LblTitle = new vb::Label(this);
    LblTitle->setAutoSize(true);
    LblTitle->setBackStyle(0);
    LblTitle->setForeColor(vb::RGB(255, 255, 255));
    LblTitle->setFontName(QStringLiteral("宋体"));
    Image1 = new vb::Image(this);
    LblPrompt = new vb::Label(this);
    LblPrompt->setWordWrap(true);
    LblPrompt->setBackStyle(0);
    LblPrompt->setForeColor(QApplication::palette().color(QPalette::ButtonText));
    LblPrompt->setFontName(QStringLiteral("宋体"));
    // Made last of the drawn controls, so it lies over the logo and the title: the whole strip
    // drags.
    lblMove = new vb::Label(this);
    lblMove->setBackStyle(0);
    lblMove->MouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };

    for (int i = 0; i <= 3; ++i)
        LblClick.create(i, this);
    LblClick.Click = [this](int i) { LblClick_Click(i); };
}

void FrmQVMSGBOX::Form_Load()
{
    // A caller that forgets to clear the result must not read an earlier confirmation.
    S().MsgBoxResult = 0;

    setIcon(face(QStringLiteral("l62011")));
    setCaption(S().ApplicationTitle);
    const int width = scaledX(5550);
    const int height = scaledY(3750);
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    setPicture(face(QStringLiteral("l20069")));
    ImgLogo1->Move(scaledX(120), scaledY(90));
    ImgLogo1->setPicture(face(QStringLiteral("l20067")));
    setTopmost(true);
    LblTitle->Move(scaledX(600), scaledY(180));
    LblTitle->setFontSize(10 * S().ScaleX);
    LblPrompt->Move(scaledX(1200), scaledY(720), scaledX(4080), scaledY(1920));
    LblPrompt->setFontSize(10 * S().ScaleX);
    Image1->Move(scaledX(240), scaledY(690));
    lblMove->Move(0, 0, scaledX(4500), scaledY(540));
    LblClick(0).Move(scaledX(3960), scaledY(2880), scaledX(1350), scaledY(450));
    LblClick(1).Move(scaledX(2460), scaledY(2880), scaledX(1350), scaledY(450));
    LblClick(3).Move(Width() - scaledX(420), scaledY(90), scaledX(330), scaledY(330));
    LblClick(2).Move(scaledX(4560), scaledY(120), scaledX(330), scaledY(330));
    LblClick(2).setVisible(false);
    for (int i = 0; i <= 3; ++i)
        LblClick(i).setPicture(face(QStringLiteral("l2000%1").arg(i)));
}

void FrmQVMSGBOX::LblClick_Click(int index)
{
    if (index == 1)
        S().MsgBoxResult = 1;
    vb::Unload(*this);
}

void FrmQVMSGBOX::lblMove_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
}

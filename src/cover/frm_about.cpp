#include "cover/frm_about.h"

#include "controls/dialog_frame.h"
#include "cover/frm_fengmian.h"
#include "platform/desktop.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session_state/session_state.h"
#include "startup/face_picture.h"

#include <QDir>

namespace {

std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

const QString SongTi = QStringLiteral("宋体");

// The installation folder as the candidate knows it: without a trailing separator.
QString programFolder() { return QDir::toNativeSeparators(QDir::cleanPath(S().AppPath)); }


} // namespace

FrmAbout& frmAbout() { return vb::Forms::get<FrmAbout>(); }

FrmAbout::FrmAbout()
{
    setBorderStyle(0);
    ImgLogo1 = new vb::Image(this);
    for (int i : {0, 1, 2, 3, 4, 6}) {
        vb::Label* l = Label1.create(i, this);
        l->setBackStyle(0);
        l->setAutoSize(true);
        l->setFontName(SongTi);
    }
    Label1(3).setAutoSize(false);
    Label1(3).setWordWrap(true);
    Label1(3).setMousePointer(vb::vbCustom);
    Label1(3).setMouseIcon(QCursor(Qt::PointingHandCursor));
    Label1.Click = [this](int i) { Label1_Click(i); };
    Line1.create(4, this);
    Line1.create(3, this);
    // Over the logo and the name on the strip, so that the whole strip drags.
    lblMove = new vb::Label(this);
    lblMove->setBackStyle(0);
    lblMove->MouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
    LblClick.create(0, this);
    LblClick.create(1, this);
    LblClick.Click = [this](int i) { LblClick_Click(i); };
}

void FrmAbout::Form_Load()
{
    const SessionState& s = S();
    layOutDialogFrame(*this, *ImgLogo1, *lblMove, LblClick(0));
    setTopmost(true);
    const QString systemName = s.sysInfo[0] + s.sysInfo[9];
    Label1(1).setCaption(systemName);
    Label1(2).setCaption(Label1(1).Caption());
    LblClick(1).Move(scaledX(4680), scaledY(3480), scaledX(1350), scaledY(450));
    LblClick(1).setPicture(face(QStringLiteral("l20001")));

    const double pt = s.ScaleX;
    Label1(2).Move(scaledX(600), scaledY(180));
    Label1(2).setFontSize(10 * pt);
    Label1(2).setForeColor(vb::RGB(255, 255, 255));
    Label1(1).Move(scaledX(480), scaledY(720));
    Label1(1).setFontSize(10 * pt);
    Label1(1).setForeColor(vb::RGB(0x0C, 0x7F, 0xE9));
    const int left = Label1(1).Left();
    Label1(4).setCaption(QStringLiteral("── ") + s.ModuleTitle);
    Label1(4).Move(left, scaledY(1080));
    Label1(4).setFontSize(12 * pt);
    Label1(4).setFontBold(true);
    Label1(4).setForeColor(vb::RGB(255, 0, 0));
    Label1(0).setCaption(frmFengmian().LblInfo(0).Caption());
    Label1(0).Move(left, scaledY(1500));
    Label1(0).setFontSize(10 * pt);
    Label1(3).setCaption(QStringLiteral("系统工作目录: ") + programFolder());
    Label1(3).Move(left, scaledY(1800), scaledX(5490), scaledY(540));
    Label1(3).setFontSize(10 * pt);
    Label1(6).setCaption(s.sysInfo[7]);
    Label1(6).Move(left, scaledY(3600));
    Label1(6).setFontSize(10 * pt);

    vb::Line& grey = Line1(4);
    grey.setBorderColor(vb::RGB(128, 128, 128));
    grey.setX1(scaledX(360));
    grey.setX2(scaledX(5760));
    grey.setY1(scaledY(2385));
    grey.setY2(grey.Y1());
    vb::Line& white = Line1(3);
    white.setBorderColor(vb::RGB(255, 255, 255));
    white.setX1(grey.X1() + 15);
    white.setX2(grey.X2() + 15);
    white.setY1(grey.Y1() + 15);
    white.setY2(white.Y1());
}

void FrmAbout::Label1_Click(int index)
{
    if (index == 3)
        platform::openAddress(programFolder());
}

void FrmAbout::LblClick_Click(int) { vb::Unload(*this); }

void FrmAbout::lblMove_MouseDown(int button, int, double, double)
{
    if (button == vb::vbLeftButton)
        beginDrag();
}

#include "session/frm_czts.h"

#include "controls/dialog_frame.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "controls/mivo_button.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/face_picture.h"

namespace {

std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

const QString SongTi = QStringLiteral("宋体");

} // namespace

FrmCZTS& frmCZTS() { return vb::Forms::get<FrmCZTS>(); }

QString FrmCZTS::answerWarning()
{
    return QStringLiteral("立即看答案将不能测试您的实际水平，如果你坚持现在看答案，成绩将不记入本次练习记录！\r\n"
                          "您现在就要看答案吗？");
}

FrmCZTS::FrmCZTS()
{
    setBorderStyle(3);
    // The dialog keeps its design size on every screen; only the buttons follow the scale.
    Shape1 = new vb::Shape(this);
    Shape1->Move(60, 60, 4695, 5010);
    Shape1->setBorderColor(vb::RGB(128, 128, 128));
    Shape2 = new vb::Shape(this);
    Shape2->Move(75, 75, 4695, 5010);
    Shape2->setBorderColor(vb::RGB(255, 255, 255));
    Label3 = new vb::Label(this);
    Label3->setBackStyle(0);
    Label3->setForeColor(vb::RGB(0, 0, 255));
    Label3->setFontName(SongTi);
    Label3->setFontSize(12);
    Label3->setCaption(QStringLiteral("请注意!!!"));
    Label3->Move(240, 360, 1080, 240);
    Label3->Click = [this] { vb::Unload(*this); };
    Label2 = new vb::Label(this);
    Label2->setBackStyle(0);
    Label2->setWordWrap(true);
    Label2->setForeColor(vb::RGB(255, 0, 0));
    Label2->setFontName(SongTi);
    Label2->setFontSize(12);
    Label2->setCaption(QStringLiteral("1.正式考试时不能看答案。\r\n\r\n"
                                      "2.如果有不会做的题目，在结束考试后，可以点“本次错题复习”或者“本次考题复习”，这时，"
                                      "所有试题都可以查看答案（手把手教和操作演示都可以）。\r\n\r\n"
                                      "3.如果你实在等不及了，可以点“我想立即看答案”。"));
    Label2->Move(240, 840, 4380, 3540);
    Label2->Click = [this] { vb::Unload(*this); };
    Command1 = new mivoButton(this);
    Command1->Move(360, 4440);
    Command1->Click = [this] { Command1_Click(); };
    Command2 = new mivoButton(this);
    Command2->Move(2520, 4440);
    Command2->Click = [this] { Command2_Click(); };
}

void FrmCZTS::Form_Load()
{
    setIcon(face(QStringLiteral("l62011")));
    setCaption(standardWindowTitle());
    setTopmost(true);
    // The client area is 4815 x 5130; the frame comes on top of it.
    const int width = 4815 + Width() - ScaleWidth();
    const int height = 5130 + Height() - ScaleHeight();
    Move((vb::screenWidthTw() - width) / 2, (vb::screenHeightTw() - height) / 2, width, height);
    Command1->Move(Command1->Left(), Command1->Top(), scaledX(1920), scaledY(450));
    Command2->Move(Command2->Left(), Command2->Top(), Command1->Width(), Command1->Height());
    Command1->setPicture(face(QStringLiteral("l01038")));
    Command2->setPicture(face(QStringLiteral("l01039")));
}

void FrmCZTS::Form_Click() { vb::Unload(*this); }

void FrmCZTS::Command1_Click() { vb::Unload(*this); }

void FrmCZTS::Command2_Click()
{
    if (vb::MsgBox(answerWarning(), vb::vbYesNo | vb::vbDefaultButton1, answerWarningTitle()) != vb::vbYes)
        return;
    // The exam's time ran out while the warning was open: the dialog went with the hand-in.
    if (!isLoaded())
        return;
    SessionState& s = S();
    s.DisplayMode = 2;
    // The panel's practice look: the practice faces of mark and unmark, the list of unfinished
    // questions, back, hint and demonstration in place of hand-in, examinee card and this hint.
    FrmTm& panel = frmTm();
    panel.CmdGN(FrmTm::BtnMark).setPicture(face(QStringLiteral("l01003")));
    panel.CmdGN(FrmTm::BtnUnmark).setPicture(face(QStringLiteral("l01011")));
    panel.PicUnit->setVisible(true);
    for (int i = FrmTm::BtnBack; i <= FrmTm::BtnOperationHint; ++i)
        panel.CmdGN(i).setVisible(i <= FrmTm::BtnDemo);
    s.PanelMayClose = 0;
    s.ExamStartTime = QStringLiteral("-1");
    vb::Unload(*this);
    frmMain().Show();
    // The panel stays above the window, also where no window manager keeps it on top.
    panel.bringToFront();
    s.DemoRunning = -1;
    s.CurrentStep = 1;
    // The demonstration and the button layout start after this handler has returned.
    panel.TimStartYS->setEnabled(true);
    panel.TimKsModel->setEnabled(true);
}

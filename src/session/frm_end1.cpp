#include "session/frm_end1.h"

#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session/exam_rules.h"
#include "session/frm_end2.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/face_picture.h"

#include <span>

FrmEnd1& frmEnd1() { return vb::Forms::get<FrmEnd1>(); }

HandInDialog::HandInDialog()
{
    // Only the two buttons end the dialog: a close of the window system would leave the exam
    // with its panel hidden and its clock running.
    setControlBox(false);
    setBorderStyle(3);
    setCaption(QStringLiteral("重要提示"));
    const QColor paper(235, 233, 216);
    Frame1 = new vb::Frame(this);
    Frame1->setBorderStyle(0);
    Frame1->setBackColor(paper);
    Frame1->Move(90, 60, 4215, 1935);
    Label1 = new vb::Label(Frame1);
    Label1->setBackColor(paper);
    Label1->setForeColor(QColor(255, 0, 0));
    Label1->setFontName(QStringLiteral("宋体"));
    Label1->setFontSize(15);
    Label1->setFontBold(true);
    Label1->setWordWrap(true);
    Label1->Move(150, 240, 3855, 1575);
    Label1->setCaption(exam::HandInFinalNotice);
    Command1 = new mivoButton(this);
    Command1->Move(600, 2160, 1320, 420);
    Command1->Click = [this] { Command1_Click(); };
    Command2 = new mivoButton(this);
    Command2->Move(2400, 2160, 1320, 420);
    Command2->Click = [this] { Command2_Click(); };
}

void HandInDialog::Form_Load()
{
    setIcon(vb::LoadPicture(facePath(QStringLiteral("l62011"))));
    Command1->setWidth(scaledX(1320));
    Command1->setHeight(scaledY(420));
    Command2->setWidth(Command1->Width());
    Command2->setHeight(Command1->Height());
    Command1->setPicture(vb::LoadPicture(facePath(QStringLiteral("l01041"))));
    Command2->setPicture(vb::LoadPicture(facePath(QStringLiteral("l01042"))));
    // After the time is up the clock has stopped: going back would leave an exam without one.
    Command2->setVisible(S().MinutesLeft > 0);
    // Above the panel, which stays above every other window and, after the time is up, stays
    // where it was: it would cover part of the dialog.
    setTopmost(true);
    Move((vb::screenWidthTw() - 4410) / 2, (vb::screenHeightTw() - 2670) / 2, 4410, 2670);
}

void HandInDialog::Form_QueryUnload(int& cancel, int) { cancel = 1; }

void HandInDialog::Command2_Click()
{
    vb::Unload(*this);
    frmMain().dockPanel();
    frmTm().Show();
}

void showHandIn()
{
    // One exam, one score report.
    if (S().ExamHandedIn)
        return;
    if (vb::Forms::isLoaded<FrmEnd2>())
        vb::Unload(frmEnd2());
    if (vb::Forms::isLoaded<FrmEnd1>())
        vb::Unload(frmEnd1());
    frmEnd1().Show(vb::vbModal);
}

void FrmEnd1::Form_Load()
{
    HandInDialog::Form_Load();
    const auto& states = S().QuestionState;
    Label1->setCaption(exam::handInNotice(std::span<const int>(states).subspan(1, 40)));
}

void FrmEnd1::Command1_Click()
{
    vb::Unload(*this);
    frmEnd2().Show(vb::vbModal);
}

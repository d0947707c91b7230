#include "session/frm_logon.h"

#include "cover/cover_files.h"
#include "cover/frm_fengmian.h"
#include "cover/session_builder.h"
#include "platform/vb_msgbox.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session/exam_rules.h"
#include "session/frm_tm.h"
#include "session/session_start.h"
#include "simwindow/frm_main.h"
#include "session_state/session_state.h"
#include "startup/face_picture.h"

#include <QDateTime>

FrmLogon& frmLogon() { return vb::Forms::get<FrmLogon>(); }

namespace {

// The confirmation panel's labels: transparent, sized to their text, 宋体 12 pt bold.
vb::Label* dataLabel(vb::Container* panel)
{
    auto* l = new vb::Label(panel);
    l->setBackStyle(0);
    l->setAutoSize(true);
    l->setFontName(QStringLiteral("宋体"));
    l->setFontSize(12);
    l->setFontBold(true);
    return l;
}

vb::TextBox* field(vb::Container* panel, const QString& text, int maxLength)
{
    auto* t = new vb::TextBox(panel);
    t->setFontName(QStringLiteral("宋体"));
    t->setFontSize(12);
    t->setFontBold(true);
    t->setMaxLength(maxLength);
    t->setText(text);
    t->Move(0, 0, 3255, 360);
    return t;
}

vb::Label* spot(vb::Container* panel)
{
    auto* l = new vb::Label(panel);
    l->setBackStyle(0);
    l->setMousePointer(vb::vbCustom);
    l->setMouseIcon(QCursor(Qt::PointingHandCursor));
    l->Move(0, 0, 1335, 495);
    return l;
}

} // namespace

FrmLogon::FrmLogon()
{
    setBorderStyle(0);
    setBackColor(QColor(64, 128, 128));
    Picture1 = new vb::PictureBox(this);
    Picture1->setBorderStyle(0);
    Picture1->Move(0, 0, 12000, 9000);
    Picture2 = new vb::PictureBox(this);
    Picture2->setBorderStyle(0);
    Picture2->Move(0, 0, 12000, 9000);

    TxtZwh = field(Picture1, QStringLiteral("18"), 3);
    TxtSFZ = field(Picture1, exam::IdCardPrefill, 18);
    TxtSFZ->KeyPress = [this](int& k) { TxtSFZ_KeyPress(k); };
    CmdLog = spot(Picture1);
    CmdLog->Click = [this] { CmdLog_Click(); };
    CmdExit = spot(Picture1);
    CmdExit->Click = [this] { CmdExit_Click(); };

    LblName = dataLabel(Picture2);
    LblZwh = dataLabel(Picture2);
    LblCC = dataLabel(Picture2);
    LblKm = dataLabel(Picture2);
    LblSfz = dataLabel(Picture2);
    LblDah = dataLabel(Picture2);
    LblDate = dataLabel(Picture2);
    P2 = new vb::PictureBox(Picture2);
    P2->setBorderStyle(0);
    P2->setBackColor(QColor(64, 128, 128));
    P2->Move(0, 0, 10335, 180);
    LJD = new vb::Label(P2);
    LJD->setBackColor(QColor(0, 0, 255));
    LJD->Move(0, 0, 255, 375);

    Timer1 = new platform::Timer(this, 100);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Timer1->setEnabled(true);
    Timer2 = new platform::Timer(this, 100);
    Timer2->onTimer = [this] { Timer2_Timer(); };
}

void FrmLogon::Form_Load()
{
    SessionState& s = S();
    setIcon(vb::LoadPicture(facePath(QStringLiteral("l62011"))));
    TxtZwh->Move(scaledX(5070), scaledY(4440));
    TxtSFZ->Move(TxtZwh->Left(), scaledY(4905));
    CmdLog->Move(scaledX(4275), scaledY(5640));
    CmdExit->Move(scaledX(6660), scaledY(5640));
    LblName->setLeft(scaledX(4080));
    LblZwh->setLeft(LblName->Left());
    LblCC->setLeft(LblName->Left());
    LblName->setTop(scaledY(2610));
    LblZwh->setTop(scaledY(2940));
    LblCC->setTop(scaledY(3300));
    LblKm->setLeft(scaledX(2505));
    LblSfz->setLeft(LblKm->Left());
    LblDah->setLeft(LblKm->Left());
    LblDate->setLeft(LblKm->Left());
    LblKm->setTop(scaledY(4215));
    LblSfz->setTop(scaledY(4590));
    LblDah->setTop(scaledY(4950));
    LblDate->setTop(scaledY(5250));
    P2->Move(scaledX(1110), scaledY(7980), scaledX(10335));
    Picture1->setPicture(vb::LoadPicture(facePath(QStringLiteral("9l0056"))));
    Picture2->setPicture(vb::LoadPicture(facePath(QStringLiteral("9l0057"))));

    s.TextTablePath = cover::dataFile(QStringLiteral("288890"));
    s.StepFilePath = cover::dataFile(QStringLiteral("2888") + cover::sessionFileNo(s));
    s.QuestionFilePath = cover::dataFile(QStringLiteral("2888") + cover::twoDigits(s.SessionKind + s.SetIndex + 50));
    // Maximised; a window system that does not maximise still gets the whole screen.
    Move(0, 0, vb::screenWidthTw(), vb::screenHeightTw());
    setWindowState(vb::vbMaximized);
    TxtZwh->SetFocus();
}

void FrmLogon::Timer1_Timer()
{
    Picture1->Move(0, 0);
    Picture2->Move(Picture1->Left(), Picture1->Top());
    Picture1->setVisible(true);
    Picture2->setVisible(false);
    Timer1->setEnabled(false);
    TxtZwh->SetFocus();
}

void FrmLogon::TxtSFZ_KeyPress(int& keyAscii)
{
    if (!exam::idKeyPasses(keyAscii, static_cast<int>(TxtSFZ->Text().size())))
        keyAscii = 0;
}

void FrmLogon::CmdLog_Click()
{
    SessionState& s = S();
    s.PanelMayClose = 0;
    s.SeatNo = exam::seatNo(TxtZwh->Text());
    s.SittingNo = QStringLiteral("18");
    s.IdCardNo = exam::idCardNo(TxtSFZ->Text());
    s.ArchiveNo = QStringLiteral("888888");
    LblName->setCaption(s.CandidateName);
    LblZwh->setCaption(s.SeatNo);
    LblCC->setCaption(s.SittingNo);
    LblKm->setCaption(s.ModuleName);
    LblSfz->setCaption(s.IdCardNo);
    LblDah->setCaption(s.ArchiveNo);
    LblDate->setCaption(exam::loginDate(QDate::currentDate()));
    Picture1->setVisible(false);
    Picture2->setVisible(true);
    Timer2->setEnabled(true);
}

void FrmLogon::Timer2_Timer()
{
    LJD->setWidth(LJD->Width() + scaledX(1500));
    if (LJD->Width() <= P2->Width())
        return;
    vb::Unload(*this);
    SessionState& s = S();
    s.ExamStartTime = exam::timeStamp(QDateTime::currentDateTime());
    s.CurrentQuestion = 1;
    // The panel may stay loaded from an earlier exam: a new session renews its examinee card
    // with this login, and its clock starts afresh at 50 minutes.
    session::beginSession(s);
    s.MinutesLeft = 50;
    FrmTm& panel = frmTm();
    panel.LblTime->setCaption(QStringLiteral("剩余50分钟"));
    panel.LblTimeJD->setWidth(0);
    // Off and on: the first minute counts from now, not from the panel's load.
    panel.TimeKS->setEnabled(false);
    panel.TimeKS->setEnabled(true);
    panel.TimerREDO->setEnabled(true);
    frmMain().Show();
    panel.Show();
}

void FrmLogon::Form_QueryUnload(int& cancel, int)
{
    // Closed by the window system: the quit button's question, and on Yes the cover page (an
    // earlier exam's hidden panel would otherwise keep the program running with no window).
    cancel = 1;
    CmdExit_Click();
}

void FrmLogon::CmdExit_Click()
{
    const int answer = vb::MsgBox(QStringLiteral("确实要退出考试系统吗？"), vb::vbYesNo + vb::vbQuestion + vb::vbDefaultButton2,
                                  S().sysInfo[0] + QStringLiteral("职称计算机"));
    if (answer != vb::vbYes)
        return;
    stopExamClock();
    vb::Unload(*this);
    frmFengmian().Show();
}

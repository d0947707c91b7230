// The question panel's controls, its construction and the display of a question.

#include "session/frm_tm.h"

#include "controls/mivo_button.h"
#include "platform/files.h"
#include "platform/vb_picture.h"
#include "session/frm_picture.h"
#include "session/panel_rules.h"
#include "session/record_rules.h"
#include "session/unfinished_list_view.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "simwindow/step_rules.h"
#include "simwindow/step_view.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"

namespace {

const QString SongTi = QStringLiteral("宋体");
const QString ShowPicture = QStringLiteral("显示图片");

std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

// A face that cannot be read leaves the control's picture as it was.
template <class C>
void setFace(C& control, const QString& name)
{
    if (auto p = face(name))
        control.setPicture(p);
}

QString buttonFace(int i) { return QStringLiteral("l010%1").arg(i, 2, 10, QChar(u'0')); }

} // namespace

FrmTm& frmTm() { return vb::Forms::get<FrmTm>(); }

FrmTm::FrmTm()
{
    setBorderStyle(0);
    buildControls();
    wireHandlers();
}

void FrmTm::buildControls()
{
    // Lightweight controls of the title strip lie beneath the windowed ones; the drag label
    // covers the strip, the two buttons lie over it.
    ImgLogo1 = new vb::Image(this);
    LblBiao = new vb::Label(this);
    LblBiao->setBackStyle(0);
    LblBiao->setAutoSize(true);
    LblBiao->setForeColor(Qt::white);
    LblBiao->setFontBold(true);
    lblMove = new vb::Label(this);
    lblMove->setBackStyle(0);
    LblMinimise = new mivoButton(this);
    LblClose = new mivoButton(this);

    FrmZhuYa = new vb::PictureBox(this);
    FrmZhuYa->setBorderStyle(0);
    FrmZhuYa->setBackColor(QColor(236, 243, 252));
    LblTime = new vb::Label(FrmZhuYa);
    LblTime->setBackStyle(0);
    LblName = new vb::Label(FrmZhuYa);
    LblName->setBackStyle(0);
    LblName->setAlignment(2);
    LblIME = new vb::Label(FrmZhuYa);
    LblIME->setBackStyle(0);
    LblIME->setCaption(QStringLiteral("EN"));
    for (int i = 0; i <= 11; ++i)
        CmdGN.create(i, static_cast<vb::Container*>(FrmZhuYa));
    RtbTM = new vb::TextBox(FrmZhuYa);
    RtbTM->setMultiLine(true);
    RtbTM->setLocked(true);
    RtbTM->setScrollBars(2);
    RtbTM->setFontName(SongTi);
    Image2 = new mivoButton(FrmZhuYa);
    Image2->setVisible(false);
    PTime = new vb::PictureBox(FrmZhuYa);
    PTime->setBorderStyle(1);
    PTime->setBackColor(Qt::white);
    LblTimeJD = new vb::Label(PTime);
    LblTimeJD->setBackColor(QColor(0, 0, 255));
    CmdEn = new mivoButton(FrmZhuYa);
    PicUnit = new vb::PictureBox(FrmZhuYa);
    PicUnit->setBorderStyle(0);
    PicUnit->setBackColor(FrmZhuYa->BackColor());
    LblUnit = new UnfinishedListView(PicUnit);
    LblUnit->setBackStyle(0);
    LblUnit->setCaption(QStringLiteral("未完成的题目:"));

    FrmSelect = new vb::PictureBox(this);
    FrmSelect->setBorderStyle(0);
    FrmSelect->setBackColor(FrmZhuYa->BackColor());
    for (int i = 1; i <= 40; ++i)
        CmTNO.create(i, static_cast<vb::Container*>(FrmSelect));
    CmdSelLast = new mivoButton(FrmSelect);
    CmdSelNext = new mivoButton(FrmSelect);
    CmdSelFH = new mivoButton(FrmSelect);

    FrmKSXX = new vb::PictureBox(this);
    FrmKSXX->setBorderStyle(0);
    FrmKSXX->setBackColor(FrmZhuYa->BackColor());
    Image1 = new vb::Image(FrmKSXX);
    Image1->setStretch(true);
    const char16_t* names[] = {u"姓    名：", u"座 位 号：", u"场    次：", u"档 案 号：", u"报考科目：", u"身份证号："};
    for (int k = 0; k <= 5; ++k) {
        vb::Label* l = Label1.create(k, static_cast<vb::Container*>(FrmKSXX));
        l->setBackStyle(0);
        l->setAutoSize(true);
        l->setCaption(QString::fromUtf16(names[k]));
    }
    for (vb::Label** value : {&KsName1, &KsZWH1, &KsCC1, &KsDAH1, &KsKM1, &KsSFZ1}) {
        *value = new vb::Label(FrmKSXX);
        (*value)->setBackStyle(0);
        (*value)->setAutoSize(true);
    }
    CmdKSFH = new mivoButton(FrmKSXX);

    FrmMinStrip = new vb::PictureBox(this);
    FrmMinStrip->setBorderStyle(1);
    FrmMinStrip->setBackColor(QColor(44, 104, 168));
    FrmMinStrip->setVisible(false);
    Label2 = new vb::Label(FrmMinStrip);
    Label2->setBackStyle(0);
    Label2->setForeColor(Qt::white);
    Label2->setAlignment(2);
    Label2->setCaption(QStringLiteral("试题"));
    Command2 = new vb::Label(FrmMinStrip);
    Command2->setBackStyle(1);
    Command2->setBackColor(QColor(236, 243, 252));
    Command2->setAlignment(2);
    Command2->setCaption(QStringLiteral("\r\n还原"));

    mIme = new vb::Menu(static_cast<vb::Form*>(this), QStringLiteral("输入法"));
    mIme->setVisible(false);
    mEng = new vb::Menu(mIme, QStringLiteral("英语（美国）"));
    for (int k = 0; k < 10; ++k)
        mCn[static_cast<std::size_t>(k)] = new vb::Menu(mIme, QStringLiteral("中文%1").arg(k + 1));

    TimeKS = new platform::Timer(this, 60000);
    TimKsModel = new platform::Timer(this, 500);
    TimerREDO = new platform::Timer(this, 100);
    TimStartYS = new platform::Timer(this, 100);
}

void FrmTm::wireHandlers()
{
    CmdGN.Click = [this](int i) { CmdGN_Click(i); };
    CmTNO.Click = [this](int i) { CmTNO_Click(i); };
    CmdSelLast->Click = [this] { CmdSelLast_Click(); };
    CmdSelNext->Click = [this] { CmdSelNext_Click(); };
    CmdSelFH->Click = [this] { CmdSelFH_Click(); };
    CmdKSFH->Click = [this] { CmdKSFH_Click(); };
    LblUnit->Click = [this] { LblUnit_Click(); };
    LblUnit->MouseMove = [this](int b, int s, double x, double y) { LblUnit_MouseMove(b, s, x, y); };
    LblMinimise->Click = [this] { LblMinimise_Click(); };
    Command2->Click = [this] { Command2_Click(); };
    Command2->MouseMove = [this](int b, int s, double x, double y) { Command2_MouseMove(b, s, x, y); };
    FrmMinStrip->MouseMove = [this](int b, int s, double x, double y) { FrmMinStrip_MouseMove(b, s, x, y); };
    FrmMinStrip->MouseDown = [this](int b, int s, double x, double y) { FrmMinStrip_MouseDown(b, s, x, y); };
    Label2->MouseDown = [this](int b, int s, double x, double y) { Label2_MouseDown(b, s, x, y); };
    lblMove->MouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
    PicUnit->KeyUp = [this](int&, int) { focusBack(); };
    RtbTM->Click = [this] { RtbTM_Click(); };
    RtbTM->KeyUp = [this](int&, int) { focusBack(); };
    Image2->Click = [this] { Image2_Click(); };
    TimeKS->onTimer = [this] { TimeKS_Timer(); };
    TimKsModel->onTimer = [this] { TimKsModel_Timer(); };
    TimerREDO->onTimer = [this] { TimerREDO_Timer(); };
    TimStartYS->onTimer = [this] { TimStartYS_Timer(); };
    wireInputMethods();
}

void FrmTm::Form_Load()
{
    SessionState& s = S();
    setIcon(face(QStringLiteral("l62011")));
    Move(Left(), Top(), scaledX(4980), scaledY(3630));
    setPicture(face(QStringLiteral("l01046")));
    ImgLogo1->Move(scaledX(60), scaledY(30));
    setFace(*ImgLogo1, QStringLiteral("l20067"));
    DemoStartTicks = 0;
    s.SavedStep.fill(1);
    setTopmost(true);
    // The bottom-right corner at 1024 x 600 pixels; the simulated window docks the panel at its
    // own corner when it loads.
    Move(scaledX(15360) - Width(), scaledY(9000) - Height());

    layOut();
    showSessionLook();

    s.MinutesLeft = 50;
    LblTime->setCaption(QStringLiteral("剩余%1分钟").arg(s.MinutesLeft));
    LblTimeJD->setWidth(panel::elapsedBarWidth(s.MinutesLeft, PTime->Width()));
    buildQuestionList();
    FrmSelect->setVisible(false);
    FrmKSXX->setVisible(false);
    if (s.QuestionState[1] % 2 == 0)
        s.QuestionState[1] += 1;
    fillInputMethods();

    TimeKS->setEnabled(true);
    DqExam();
    TimKsModel->setEnabled(true);
}

void FrmTm::layOut()
{
    const int W = Width();
    LblUnit->setFontSize(9 * S().ScaleX);
    LblTime->setFontSize(9 * S().ScaleX);
    LblIME->setFontSize(9 * S().ScaleX);
    LblName->setFontSize(9 * S().ScaleX);
    LblBiao->Move(scaledX(510), scaledY(90));
    LblBiao->setFontSize(10 * S().ScaleX);

    lblMove->Move(0, 0, W, scaledY(450));
    LblClose->Move(W - scaledX(420) + scaledX(30), scaledY(30), scaledX(330), scaledY(330));
    setFace(*LblClose, QStringLiteral("l20003"));
    LblMinimise->Move(W - scaledX(825) + scaledX(30), scaledY(30), scaledX(330), scaledY(330));
    setFace(*LblMinimise, QStringLiteral("l20002"));

    const int top = scaledY(450);
    FrmSelect->Move(0, top, W, scaledY(4035));
    FrmKSXX->Move(0, top, W, scaledY(4035));
    FrmZhuYa->Move(0, top, W, Height() - top);
    FrmMinStrip->Move(0, 0, scaledX(1230), scaledY(870));

    struct Place {
        int left, top, width;
    };
    const Place places[12] = {{90, 15, 720},     {1050 - 30, 15, 720}, {2010 - 60, 15, 870}, {2970 + 60, 15, 870},
                              {3930 + 180, 15, 720}, {90, 2355, 870},  {2010, 2355, 870},    {3930, 2355, 870},
                              {90, 2355, 870},   {2010, 2355, 870},    {3930, 2355, 870},    {2970 + 60, 15, 870}};
    for (int i = 0; i <= 11; ++i) {
        const Place& p = places[i];
        CmdGN(i).Move(scaledX(p.left), scaledY(p.top), scaledX(p.width), scaledY(330));
        setFace(CmdGN(i), buttonFace(i));
    }

    Label2->Move(0, 0, FrmMinStrip->ScaleWidth(), scaledY(270));
    Command2->Move((FrmMinStrip->Width() - scaledX(645)) / 2, scaledY(270), scaledX(645), scaledY(540));

    RtbTM->Move(CmdGN(0).Left(), scaledY(450), scaledX(4770), scaledY(1815));
    RtbTM->setFontSize(11 * S().ScaleX);
    Image2->Move(scaledX(3720), scaledY(1800), scaledX(870), scaledY(330));
    Image2->setCaption(ShowPicture);
    Image2->setFontSize(9 * S().ScaleX);
    Image2->setForeColor(Qt::black);
    setFace(*Image2, QStringLiteral("l01044"));
    LblTime->Move(CmdGN(5).Left(), scaledY(2760), scaledX(1215), scaledY(285));
    PTime->Move(scaledX(1365), LblTime->Top(), scaledX(2055), LblTime->Height());
    LblTimeJD->Move(0, 0, 0, PTime->ScaleHeight());
    LblName->Move(scaledX(3450), LblTime->Top(), scaledX(735), LblTime->Height());
    LblIME->Move(scaledX(4230), LblTime->Top(), scaledX(615), LblTime->Height());
    PicUnit->Move(LblTime->Left(), LblTime->Top(), scaledX(4080), LblTime->Height());
    LblUnit->Move(0, 0, PicUnit->Width(), PicUnit->Height());

    Image1->Move(scaledX(120), scaledY(120), scaledX(1455), scaledY(1740));
    for (int k = 0; k <= 5; ++k)
        Label1(k).Move(scaledX(1680), k == 0 ? scaledY(120) : Label1(k - 1).Top() + scaledY(315));
    vb::Label* values[] = {KsName1, KsZWH1, KsCC1, KsDAH1, KsKM1, KsSFZ1};
    for (int k = 0; k <= 5; ++k)
        values[k]->Move(scaledX(2640), Label1(k).Top());
    for (int k = 0; k <= 5; ++k) {
        Label1(k).setFontSize(9 * S().ScaleX);
        values[k]->setFontSize(9 * S().ScaleX);
    }
    // The input-method option button at the right end of the input-method label.
    CmdEn->Move(LblIME->Left() + LblIME->Width() - scaledX(240), LblIME->Top(), scaledX(240), scaledY(270));
    setFace(*CmdEn, QStringLiteral("l01043"));
}

void FrmTm::buildQuestionList()
{
    const int count = S().QuestionCount;
    for (int i = 1; i <= 40; ++i) {
        mivoButton& b = CmTNO(i);
        b.setCaption(QString::number(i));
        b.setForeColor(Qt::black);
        b.Move(scaledX(60 + ((i - 1) % 10) * 480), scaledY(150 + ((i - 1) / 10) * 480), scaledX(450), scaledY(450));
        setFace(b, QStringLiteral("l01030"));
    }
    ListPage = 0;
    const bool paged = count >= 41;
    CmdSelLast->setVisible(paged);
    CmdSelNext->setVisible(paged);
    for (int i = std::max(count, 0) + 1; i <= 40; ++i)
        CmTNO(i).setVisible(false);
    LastListPage = panel::lastListPage(count);

    CmdSelFH->Move((FrmSelect->Width() - scaledX(825)) / 2, CmTNO(35).Top() + CmTNO(35).Height() + scaledY(540),
                   scaledX(825), scaledY(330));
    setFace(*CmdSelFH, QStringLiteral("l01045"));
    const int pageStep = qRound(1.5 * CmdSelFH->Width());
    CmdSelLast->Move(CmdSelFH->Left() - pageStep, CmdSelFH->Top(), CmdSelFH->Width(), CmdSelFH->Height());
    setFace(*CmdSelLast, QStringLiteral("l01047"));
    CmdKSFH->Move(CmdSelFH->Left(), CmdSelFH->Top(), CmdSelFH->Width(), CmdSelFH->Height());
    setFace(*CmdKSFH, QStringLiteral("l01045"));
    CmdSelNext->Move(CmdSelFH->Left() + pageStep, CmdSelFH->Top(), CmdSelFH->Width(), CmdSelFH->Height());
    setFace(*CmdSelNext, QStringLiteral("l01048"));
}

void FrmTm::showSessionLook()
{
    const SessionState& s = S();
    lookOfSession_ = s.SessionNo;
    // Also where the last session's handed-in exam left the panel shown (and so taking no input).
    setEnabled(!s.ExamHandedIn);
    const bool exam = s.DisplayMode == 3;
    setFace(CmdGN(BtnMark), exam ? QStringLiteral("l01053") : buttonFace(BtnMark));
    setFace(CmdGN(BtnUnmark), exam ? QStringLiteral("l01054") : buttonFace(BtnUnmark));
    KsName1->setCaption(s.CandidateName);
    KsZWH1->setCaption(s.SeatNo);
    KsCC1->setCaption(s.SittingNo);
    KsDAH1->setCaption(s.ArchiveNo);
    KsKM1->setCaption(s.ModuleName);
    KsSFZ1->setCaption(s.IdCardNo);
    LblName->setCaption(s.CandidateName);
}

bool FrmTm::readQuestionLine()
{
    SessionState& s = S();
    const std::optional<QStringList> lines = platform::readLines(s.QuestionFilePath);
    if (!lines) {
        reportFailure(QStringLiteral("dqexam"), runerr::FileNotFound,
                      runerr::text(runerr::FileNotFound) + u' ' + s.QuestionFilePath);
        return false;
    }
    if (s.CurrentQuestion < 1 || s.CurrentQuestion > lines->size()) {
        reportFailure(QStringLiteral("dqexam"), 62, QStringLiteral("Input past end of file ") + s.QuestionFilePath);
        return false;
    }
    s.QuestionLine = lines->at(s.CurrentQuestion - 1);
    return true;
}

void FrmTm::DqExam()
{
    SessionState& s = S();
    if (s.SessionNo != lookOfSession_)
        showSessionLook();
    const int q = std::clamp(s.CurrentQuestion, 1, MaxQuestions);
    const auto qi = static_cast<std::size_t>(q);
    CmdGN(BtnPrev).setEnabled(q > 1);
    CmdGN(BtnNext).setEnabled(q < s.QuestionCount);

    // A question file without this question shows no text rather than another question's.
    if (!readQuestionLine())
        s.QuestionLine.clear();
    const panel::QuestionText shown = panel::questionText(s.QuestionLine);
    RtbTM->setText(shown.text);
    showIllustration(shown.pictureCode);

    // The pictures the question showed last, so that it comes back with the look it was left
    // with; a picture that cannot be read leaves the slot as it is.
    FrmMain& window = frmMain();
    const auto& codes = s.QuestionPictures[qi];
    if (auto p = simwindow::stepPicture(codes[0]))
        window.setPicture(p);
    for (int k = 1; k <= 5; ++k)
        if (auto p = simwindow::stepPicture(codes[static_cast<std::size_t>(k)]))
            window.image(k)->setPicture(p);
    if (auto p = simwindow::stepPicture(codes[6]))
        window.Image6->setPicture(p);
    window.Timer2->setEnabled(true);

    if (const auto t = panel::title(s, q))
        LblBiao->setCaption(*t);
    LblUnit->setCaption(simwindow::unfinishedCaption(s));
    int& state = s.QuestionState[qi];
    if (state % 2 == 0)
        state += 1;
    s.CurrentStep = s.SavedStep[qi];
    if (s.DisplayMode != 3)
        s.DisplayMode = 2;
    const bool marked = records::isMarked(state);
    CmdGN(BtnMark).setVisible(!marked);
    CmdGN(BtnUnmark).setVisible(marked);
    if (s.SessionKind == 0 && s.DisplayMode == 2)
        TimKsModel->setEnabled(true);
    showWindow();
}

void FrmTm::showIllustration(const std::optional<QString>& pictureCode)
{
    FrmPicture& popup = frmPicture();
    popup.Hide();
    Image2->setVisible(false);
    if (!pictureCode)
        return;
    if (auto p = simwindow::stepPicture(*pictureCode))
        popup.Image1->setPicture(p);
    Image2->setCaption(ShowPicture);
    Image2->setVisible(true);
}

void FrmTm::TimerREDO_Timer()
{
    // A handed-in exam's question would bring its simulated window back over the score report.
    if (!S().ExamHandedIn)
        DqExam();
    TimerREDO->setEnabled(false);
}

#include "session/frm_chengji.h"

#include "platform/files.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session/exam_rules.h"
#include "session/frm_tm.h"
#include "session/record_files.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/face_picture.h"

#include <QDateTime>
#include <span>

FrmChengji& frmChengji() { return vb::Forms::get<FrmChengji>(); }

namespace {

std::optional<QPixmap> face(const QString& name) { return vb::LoadPicture(facePath(name)); }

} // namespace

FrmChengji::FrmChengji()
{
    setBorderStyle(0);
    setBackColor(QColor(246, 249, 254));
    Picture1 = new vb::PictureBox(this);
    Picture1->setBorderStyle(0);
    Picture1->setBackColor(QColor(246, 249, 254));
    Picture1->Move(0, 0, 12000, 9000);
    Frame1 = new vb::Frame(Picture1);
    Frame1->setBorderStyle(0);
    Frame1->setBackColor(QColor(246, 249, 254));
    for (int i = 1; i <= 40; ++i)
        CmTNO.create(i, Frame1);
    CmTNO.Click = [this](int i) { CmTNO_Click(i); };
    Label1 = new vb::Label(Picture1);
    Label1->setBackStyle(0);
    Label1->setAutoSize(true);
    Label1->setFontSize(14);
    Label1->setFontBold(true);
    Label1->setCaption(QStringLiteral("得分：0分"));
    LblTiMuYQ = new vb::Label(Picture1);
    LblTiMuYQ->setBackStyle(0);
    LblTiMuYQ->setWordWrap(true);
    LblTiMuYQ->setFontSize(10);
    Command3 = new mivoButton(Picture1);
    Command3->Click = [this] { Command3_Click(); };
    Command1 = new mivoButton(Picture1);
    Command1->Click = [this] { Command1_Click(); };
    Command2 = new mivoButton(Picture1);
    Command2->Click = [this] { Command2_Click(); };
    Timer1 = new platform::Timer(this, 100);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Timer1->setEnabled(true);
}

void FrmChengji::Form_Load()
{
    if (vb::Forms::isLoaded<FrmMain>())
        vb::Unload(frmMain());
    // The panel refuses while the exam's session holds it (PanelMayClose is 0).
    if (vb::Forms::isLoaded<FrmTm>())
        vb::Unload(frmTm());
    setIcon(face(QStringLiteral("l62011")));
    setCaption(S().ApplicationTitle);
    Command3->setVisible(true);
    Picture1->setPicture(face(QStringLiteral("9l0058")));
    Command3->Move(scaledX(3480), scaledY(4080), scaledX(1920), scaledY(450));
    Command1->Move(Command3->Left() + Command3->Width() + scaledX(120), scaledY(4080), Command3->Width(), Command3->Height());
    Command2->Move(Command1->Left() + Command1->Width() + scaledX(120), scaledY(4080), scaledX(870), Command3->Height());
    Label1->Move(scaledX(5010), scaledY(5040));
    Command1->setPicture(face(QStringLiteral("l01035")));
    Command3->setPicture(face(QStringLiteral("l01036")));
    Command2->setPicture(face(QStringLiteral("l01037")));

    gradeExam();
    // Maximised; a window system that does not maximise still gets the whole screen.
    Move(0, 0, vb::screenWidthTw(), vb::screenHeightTw());
    setWindowState(vb::vbMaximized);
}

void FrmChengji::gradeExam()
{
    SessionState& s = S();
    const QString& app = s.AppPath;
    // The exam's records change as one group: a save cut off by a full disk or a crash never
    // leaves a best score beside another exam's wrong questions.
    records::RecordTexts changed = records::mergedFavourites(app, records::sessionQuestions(s)).value_or(records::RecordTexts());

    // The exam's own questions decide what was wrong: a paper file changed or cut since the
    // exam started must not put unrelated ids in the records.
    const std::span<const int> ids = std::span<const int>(s.QuestionId).subspan(1, 40);
    const std::span<const int> states = std::span<const int>(s.QuestionState).subspan(1, 40);
    const exam::Grade g = exam::grade(ids, states);
    for (int i = 1; i <= 40; ++i) {
        mivoButton& b = CmTNO(i);
        b.setCaption(QString::number(i));
        b.Move(((i - 1) % 10) * scaledX(480), ((i - 1) / 10) * scaledY(480), scaledX(450), scaledY(450));
        const auto k = static_cast<std::size_t>(i - 1);
        b.setPicture(face(exam::isRight(ids[k], states[k]) ? QStringLiteral("l01033") : QStringLiteral("l01034")));
        b.setFontBold(true);
        b.setForeColor(QColor(0, 0, 0));
        b.setVisible(true);
    }

    changed.append({records::paperWrongListPath(app, s.PaperNo), g.wrongList()});
    if (const auto wrong = records::mergedWrongList(app, g.wrongIds))
        changed += *wrong;

    Frame1->Move(0, scaledY(5520), CmTNO(40).Left() + CmTNO(40).Width(), CmTNO(40).Top() + CmTNO(40).Height());
    Frame1->setLeft((Picture1->Width() - Frame1->Width()) / 2);
    Frame1->setEnabled(true);
    LblTiMuYQ->Move(0, Frame1->Top() + Frame1->Height() + scaledY(360), scaledX(9855), scaledY(855));
    LblTiMuYQ->setLeft((Picture1->Width() - LblTiMuYQ->Width()) / 2);

    Label1->setCaption(exam::resultCaption(s.SessionKind, s.SetIndex, g.score));

    // A score history that exists but cannot be read is left as it is: rewriting it from the
    // defaults would lose every best score.
    if (auto history = records::readScoreHistory(app)) {
        exam::recordExam(*history, s.PaperNo, s.ExamStartTime, g.score, exam::timeStamp(QDateTime::currentDateTime()));
        changed.append({records::recordPath(app, records::ScoreHistory), records::linesText(records::scoreLines(*history, 31))});
    }
    records::writeRecords(changed);
    s.ExamStartTime = QStringLiteral("-1");

    const auto lines = platform::readLines(s.QuestionFilePath);
    for (int i = 1; i <= 40; ++i)
        QuestionTexts[static_cast<std::size_t>(i)] =
            lines && i <= lines->size() ? exam::resultQuestionText(lines->at(i - 1)) : QString();
}

void FrmChengji::CmTNO_Click(int index)
{
    if (index >= 1 && index <= 40)
        LblTiMuYQ->setCaption(QStringLiteral("第%1题： ").arg(index) + QuestionTexts[static_cast<std::size_t>(index)]);
}

void FrmChengji::Form_QueryUnload(int& cancel, int)
{
    // Closed by the window system: the way out of the back button, so that the exam's hidden
    // windows go with the report and the cover page comes back.
    cancel = 1;
    Command2_Click();
}

void FrmChengji::Timer1_Timer()
{
    Picture1->Move((ScaleWidth() - Picture1->Width()) / 2, (ScaleHeight() - Picture1->Height()) / 2);
    Timer1->setEnabled(false);
}

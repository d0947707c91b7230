#include "session/frm_tm.h"

#include "platform/vb_picture.h"
#include "session_state/session_state.h"
#include "simwindow/data_path.h"
#include "simwindow/frm_main.h"

FrmTm& frmTm() { return vb::Forms::get<FrmTm>(); }

FrmTm::FrmTm()
{
    setBorderStyle(0);
    LblUnit = new vb::Label(this);
    LblUnit->setWordWrap(true);
    LblBiao = new vb::Label(this);
    LblBiao->setAutoSize(true);
    TimerREDO = new platform::Timer(this, 100);
    TimerREDO->onTimer = [this] {
        TimerREDO->setEnabled(false);
        DqExam();
    };
    TimKsModel = new platform::Timer(this, 500);
    TimKsModel->onTimer = [this] { TimKsModel->setEnabled(false); };
}

void FrmTm::Form_Load()
{
    Move(Left(), Top(), scaledX(4980), scaledY(3630));
    LblBiao->Move(scaledX(120), scaledY(120));
    LblUnit->Move(scaledX(120), scaledY(3000), scaledX(4740), scaledY(500));
    setTopmost(true);
}

void FrmTm::DqExam()
{
    SessionState& s = S();
    const int q = s.CurrentQuestion;
    if (q < 1 || q > MaxQuestions)
        return;
    const auto qi = static_cast<std::size_t>(q);
    FrmMain& window = frmMain();

    // The pictures the question showed last, so that a step that keeps its pictures finds them.
    // A question not shown before has none; a picture that cannot be read keeps the slot's.
    const auto picture = [&s](const QString& code) -> std::optional<std::optional<QPixmap>> {
        if (code.isEmpty())
            return std::optional<QPixmap>();
        const std::optional<QString> path = simwindow::dataFilePath(s.DataDir, code);
        if (!path)
            return std::nullopt;
        if (auto p = vb::LoadPicture(*path))
            return p;
        return std::nullopt;
    };
    const auto& codes = s.QuestionPictures[qi];
    if (auto p = picture(codes[0]))
        window.setPicture(*p);
    vb::Image* const images[] = {window.Image1, window.Image2, window.Image3, window.Image4, window.Image5};
    for (int k = 1; k <= 5; ++k)
        if (auto p = picture(codes[static_cast<std::size_t>(k)]))
            images[k - 1]->setPicture(*p);
    if (auto p = picture(codes[6]))
        window.Image6->setPicture(*p);

    s.CurrentStep = s.SavedStep[qi] < 1 ? 1 : s.SavedStep[qi];
    if (s.DisplayMode != 3)
        s.DisplayMode = 2;
    window.Timer2->setEnabled(true);
    window.Show();
}

// The three ways on from the score report: the paper again as practice, the exam's wrong
// questions as a session of their own, and back to the papers panel.

#include "session/frm_chengji.h"

#include "controls/frm_qvmsgbox.h"
#include "platform/files.h"
#include "platform/vb_picture.h"
#include "session/exam_record_seam.h"
#include "session/frm_exam_seam.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "startup/face_picture.h"

void FrmChengji::showReviewPanel()
{
    SessionState& s = S();
    // A reviewed question starts at its first step, as the window's reload shows it.
    for (int i = 1; i <= MaxQuestions; ++i)
        s.SavedStep[static_cast<std::size_t>(i)] = 1;
    examseam::panelStopClock();
    examseam::panelLayoutSoon();
    examseam::simWindowShow();
    examseam::panelShow();
    examseam::panelListUpTo(s.QuestionCount);
    s.CurrentQuestion = 1;
    examseam::panelShowQuestionSoon();
    examseam::panelDock();
}

void FrmChengji::Command1_Click()
{
    SessionState& s = S();
    s.DisplayMode = 2;
    s.PanelMayClose = 0;
    for (int i = 1; i <= 40; ++i)
        s.QuestionDoneText[static_cast<std::size_t>(i)] = QStringLiteral("F");
    vb::Unload(*this);
    showReviewPanel();
}

void FrmChengji::Command2_Click()
{
    examseam::panelStopClock();
    examseam::simWindowUnload();
    vb::Unload(*this);
    examseam::showCover(17);
}

void FrmChengji::Command3_Click()
{
    S().DisplayMode = 2;
    InitShiTi();
}

void FrmChengji::InitShiTi()
{
    SessionState& s = S();
    const auto lines = examseam::readRecordLines(examseam::paperWrongListPath(s.PaperNo));
    const QString list = lines && !lines->isEmpty() ? lines->first() : QString();
    if (codes::trimSpaces(list).size() < 4) {
        // Nothing to review: say so and stay on the report, as the cover's own review does.
        S().MsgBoxResult = 0;
        FrmQVMSGBOX& box = frmQVMSGBOX();
        box.LblTitle->setCaption(QStringLiteral("没有生成错题"));
        box.Image1->setPicture(vb::LoadPicture(facePath(QStringLiteral("l20071"))));
        box.LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n请点“开始考试”做本套试题。"));
        box.Show(vb::vbModal);
        return;
    }
    if (!examseam::buildSession(list, 19))
        return;
    s.SessionKind = 2;
    s.SetIndex = 17;
    s.DisplayMode = 2;
    s.PanelMayClose = 0;
    for (int i = 1; i <= s.QuestionCount; ++i)
        s.QuestionDoneText[static_cast<std::size_t>(i)] = QStringLiteral("F");
    examseam::launchSession();
    vb::Unload(*this);
    showReviewPanel();
}

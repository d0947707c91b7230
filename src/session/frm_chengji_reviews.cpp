// The three ways on from the score report: the paper again as practice, the exam's wrong
// questions as a session of their own, and back to the papers panel.

#include "session/frm_chengji.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/frm_fengmian.h"
#include "cover/session_builder.h"
#include "platform/vb_picture.h"
#include "session/frm_tm.h"
#include "session/record_files.h"
#include "session/session_start.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/error_report.h"
#include "startup/face_picture.h"

#include <algorithm>

void FrmChengji::showReviewPanel()
{
    SessionState& s = S();
    // A new session for the panel: every question starts at its first step, as the window's
    // reload shows it, with no picture of the exam's last look.
    session::beginSession(s);
    FrmTm& panel = frmTm();
    // The panel's clock runs from its load; a review is practice and has none.
    panel.TimeKS->setEnabled(false);
    panel.TimKsModel->setEnabled(true);
    FrmMain& window = frmMain();
    window.Show();
    panel.Show();
    for (int i = s.QuestionCount + 1; i <= 40; ++i)
        panel.CmTNO(i).setVisible(false);
    panel.LblUnit->setCaption(QString());
    s.CurrentQuestion = 1;
    panel.TimerREDO->setEnabled(true);
    window.dockPanel();
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
    stopExamClock();
    if (vb::Forms::isLoaded<FrmMain>())
        vb::Unload(frmMain());
    vb::Unload(*this);
    S().ReturnPage = 17;
    FrmFengmian& cover = frmFengmian();
    cover.TimFH->setEnabled(true);
    cover.Show();
}

void FrmChengji::Command3_Click()
{
    S().DisplayMode = 2;
    InitShiTi();
}

void FrmChengji::notice(const QString& title, const QString& prompt)
{
    S().MsgBoxResult = 0;
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.LblTitle->setCaption(title);
    box.Image1->setPicture(vb::LoadPicture(facePath(QStringLiteral("l20071"))));
    box.LblPrompt->setCaption(prompt);
    box.Show(vb::vbModal);
}

void FrmChengji::InitShiTi()
{
    SessionState& s = S();
    // Read trimmed, as the cover's review and the pruning at the session's end read it.
    const std::optional<QString> read = records::readListLineChecked(records::paperWrongListPath(s.AppPath, s.PaperNo), QStringLiteral("initshiti"));
    if (!read) {
        notice(QStringLiteral("错题复习"), QStringLiteral("\r\n\r\n\r\n记录文件无法读取，不能复习本套试卷的错题。"));
        return;
    }
    const QString& list = *read;
    if (list.size() < 4) {
        // Nothing to review: say so and stay on the report, as the cover's own review does.
        notice(QStringLiteral("没有生成错题"),
               QStringLiteral("\r\n\r\n\r\n你可能是还没有做本套试题，或者上次得分为0。\r\n请点“开始考试”做本套试题。"));
        return;
    }
    // A unit bank that cannot be read would make the review a row of placeholders: the
    // candidate stays on the report and is told.
    const cover::BuiltSession built = cover::buildSession(s.DataDir, list);
    const bool bankMissing = std::any_of(built.missing.begin(), built.missing.end(),
                                         [](const cover::BuiltSession::Missing& m) { return m.error == runerr::FileNotFound; });
    if (bankMissing) {
        reportFailure(QStringLiteral("initshiti"), runerr::FileNotFound);
        notice(QStringLiteral("错题复习"), QStringLiteral("\r\n\r\n\r\n题库文件无法读取，请重新安装题库后再试。"));
        return;
    }
    // The report stays, with the exam's session as it was, when the review cannot start: its
    // paper review and its way back still belong to the exam.
    const SessionState exam = s;
    if (!cover::writeSession(built, 19)) {
        notice(QStringLiteral("错题复习"), QStringLiteral("\r\n\r\n\r\n题目文件无法写入，请检查磁盘空间和文件夹权限后再试。"));
        return;
    }
    s.SessionKind = 2;
    s.SetIndex = 17;
    s.DisplayMode = 2;
    s.PanelMayClose = 0;
    for (int i = 1; i <= s.QuestionCount; ++i) {
        s.QuestionDoneText[static_cast<std::size_t>(i)] = QStringLiteral("F");
        s.QuestionState[static_cast<std::size_t>(i)] = 0;
    }
    // Paths, cursors, first lines and the favourite marks, as every session starts.
    if (!cover::prepareLaunch(s)) {
        s = exam;
        reportFailure(QStringLiteral("initshiti"), runerr::FileNotFound);
        notice(QStringLiteral("错题复习"), QStringLiteral("\r\n\r\n\r\n题库文件无法读取，请重新安装题库后再试。"));
        return;
    }
    vb::Unload(*this);
    showReviewPanel();
}

// The cover's commands: one handler for the whole button array, the panels, the help pages,
// the exit question, and the launch of a prepared session.
#include "cover/frm_fengmian.h"

#include "controls/frm_qvmsgbox.h"
#include "cover/cover_files.h"
#include "cover/cover_rules.h"
#include "cover/session_builder.h"
#include "platform/desktop.h"
#include "platform/vb_msgbox.h"
#include "session/frm_logon.h"
#include "session/frm_tm.h"
#include "session/session_start.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"
#include "startup/error_report.h"
#include "update/frm_updata.h"

#include <QFileInfo>

namespace {

const QString CommandTag = QStringLiteral("clickbotn");

const QString HelpTitles[] = {
    QStringLiteral("软件介绍"), QStringLiteral("备考指南"), QStringLiteral("考试大纲"),
    QStringLiteral("答题技巧"), QStringLiteral("常见问题"),
};

} // namespace

void FrmFengmian::ClickBotn_Click(int index)
{
    SessionState& s = S();
    switch (index) {
    case 2: case 13:
        setWindowState(1);
        return;
    case 3: case 14:
        confirmExit();
        return;
    case 4: case 16: {
        showPanel(PicTiKu, 16);
        std::vector<std::pair<int, int>> rows;
        for (int u = 0; u < s.UnitCount && u < cover::MaxUnits; ++u)
            rows.emplace_back(codes::num16(s.UnitTable[static_cast<std::size_t>(u)][1]),
                              codes::num16(s.UnitTable[static_cast<std::size_t>(u)][2]));
        ClickBotn_Click(50 + cover::defaultUnit(rows, std::min(s.UnitCount, 20)));
        PicAd->setVisible(true);
        return;
    }
    case 5: case 17:
        showPanel(PicKaCH, 17);
        ClickBotn_Click(papers::defaultPaperTab(SprintLastSlot, PaperHistory));
        PicAd->setVisible(true);
        return;
    case 6: case 18:
        showPanel(PicBiaoZhi, 18);
        PicAd->setVisible(true);
        return;
    case 7: case 19:
        showPanel(PicCuoTi, 19);
        PicAd->setVisible(true);
        return;
    case 11:
        showPanel(PicHelp, 0);
        PicAd->setVisible(true);
        return;
    case 15:
        showPanel(nullptr, 0);
        PicAd->setVisible(false);
        return;
    case 8:
        s.UpdateWindowShown = 1;
        frmUpdata().Show();
        return;
    case 12:
        platform::openAddress(s.sysInfo[2]);
        return;
    case 20:
        startUnitPractice();
        return;
    case 21:
        generateRandomPaper();
        return;
    case 22: case 24:
        startListPractice(index == 22 ? cover::QuestionList::Favourites : cover::QuestionList::Wrong);
        return;
    case 23: case 25:
        clearList(index == 23 ? cover::QuestionList::Favourites : cover::QuestionList::Wrong);
        return;
    case 28: case 29: case 30: case 31:
        showPaperTab(index);
        return;
    case 37: case 38: case 39:
        ChapterFilter = index - 37;
        for (int i = 37; i <= 39; ++i)
            if (auto p = face(QStringLiteral("l200") + QString::number(i == index ? i + 50 : i), CommandTag))
                ClickBotn(i).setPicture(p);
        return;
    case 40: case 41: case 42: case 43:
        toggleListFilter(index);
        return;
    case 47: case 48:
        SelectedUnit = (index - 47) * 10;
        ClickBotn_Click(50 + SelectedUnit);
        showUnitPage(index == 48);
        return;
    default:
        break;
    }
    if (index >= 32 && index <= 36)
        openHelpPage(index);
    else if (index >= 49 && index <= 69)
        selectUnit(index);
    else if (index >= 70 && index <= 99)
        startPaperSlot(index - 70);
}

void FrmFengmian::showPanel(vb::PictureBox* panel, int topBarButton)
{
    PicTOP->setVisible(panel != nullptr);
    for (vb::PictureBox* p : {PicTiKu, PicKaCH, PicBiaoZhi, PicCuoTi, PicHelp})
        p->setVisible(p == panel);
    if (panel == PicHelp)
        return; // the top bar's buttons stay as they are
    for (int i = 15; i <= 19; ++i)
        ClickBotn(i).setEnabled(true);
    if (topBarButton)
        ClickBotn(topBarButton).setEnabled(false);
}

QString FrmFengmian::helpPagePath(int index) { return cover::dataFile(QStringLiteral("l3818") + QString::number(index - 32)); }

void FrmFengmian::openHelpPage(int index)
{
    for (int i = 32; i <= 36; ++i)
        ClickBotn(i).setEnabled(true);
    LlbHelpCAP->setCaption(HelpTitles[index - 32]);
    ClickBotn(index).setEnabled(false);
    WebHelpCON->Navigate(helpPagePath(index));
}

void FrmFengmian::WebHelpCON_LinkFollowed()
{
    // A link may lead to another of the five pages: its own button shows it is on show, and the
    // button of the page left behind takes clicks again.
    const QString shown = QFileInfo(WebHelpCON->LocationURL()).canonicalFilePath();
    for (int i = 32; i <= 36; ++i) {
        const bool onShow = QFileInfo(helpPagePath(i)).canonicalFilePath() == shown;
        ClickBotn(i).setEnabled(!onShow);
        if (onShow)
            LlbHelpCAP->setCaption(HelpTitles[i - 32]);
    }
}

void FrmFengmian::notice(const QString& title, const QString& prompt)
{
    S().MsgBoxResult = 0;
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.LblTitle->setCaption(title);
    box.Image1->setPicture(face(QStringLiteral("l20072"), CommandTag));
    box.LblPrompt->setCaption(prompt);
    box.Show(vb::vbModal);
}

void FrmFengmian::confirmExit()
{
    S().MsgBoxResult = 0;
    FrmQVMSGBOX& box = frmQVMSGBOX();
    box.LblTitle->setCaption(QStringLiteral("退出系统"));
    box.Image1->setPicture(face(QStringLiteral("l20071"), CommandTag));
    box.LblPrompt->setCaption(QStringLiteral("\r\n\r\n\r\n您确实要退出学习软件吗？"));
    box.Show(vb::vbModal);
    // The program ends at once, without its windows' unload handlers.
    if (S().MsgBoxResult == 1)
        vb::End();
}

// Closed by the window system: the exit button's question. A session leaves windows loaded
// behind the cover (the picture popup, after an exam the panel), so a plain unload would leave
// the program running with nothing on the screen.
void FrmFengmian::Form_QueryUnload(int& cancel, int)
{
    cancel = 1;
    confirmExit();
}

bool FrmFengmian::InitShiTi(const QString& idList, int nn)
{
    // A session whose files were not written would run the previous session's questions and
    // record against them.
    if (cover::InitShiTi(idList, nn))
        return true;
    vb::MsgBox(QStringLiteral("本次练习的题目文件无法写入，请检查磁盘空间和文件夹权限后再试。"), vb::vbOKOnly + vb::vbExclamation);
    return false;
}

void FrmFengmian::startLianXi()
{
    if (prepareSession())
        handOver();
}

bool FrmFengmian::prepareSession()
{
    // Nothing is unloaded before the session's questions are known to be there.
    if (cover::prepareLaunch(S()))
        return true;
    reportFailure(QStringLiteral("startlianxi"), runerr::FileNotFound);
    vb::MsgBox(QStringLiteral("本次练习的题目文件无法读取，请重新安装题库后再试。"), vb::vbOKOnly + vb::vbExclamation);
    return false;
}

void FrmFengmian::handOver()
{
    SessionState& s = S();
    session::beginSession(s);
    vb::Unload(*this);
    if (cover::handoverFor(s.SessionKind) == cover::Handover::Login) {
        frmLogon().Show();
        return;
    }
    FrmTm& panel = frmTm();
    panel.TimerREDO->setEnabled(true);
    panel.TimKsModel->setEnabled(true);
    panel.Show();
    frmMain().Show();
}

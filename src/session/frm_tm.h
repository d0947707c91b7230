#pragma once
// The question panel: a small borderless window docked at the simulated window's bottom-right
// corner for the whole of a practice session or exam. It shows the question's text (and offers
// its illustration), moves between questions, restarts and marks them, lists them a page at a
// time, shows hints, runs the exam clock, switches between its practice and exam buttons, and at
// the end of a practice session writes the progress records and returns to the cover page.
//
// Files: frm_tm.cpp (construction and the question display), frm_tm_commands.cpp (buttons,
// question list, clock and layout), frm_tm_window.cpp (minimise, restore, drag, focus,
// illustration), frm_tm_finish.cpp (the end of a practice session), frm_tm_ime.cpp (the
// input-method helper).

#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"
#include "platform/vb_menu.h"

#include <QPointF>
#include <QString>
#include <array>
#include <optional>

class mivoButton;

class FrmTm : public vb::Form {
    Q_OBJECT
public:
    FrmTm();

    // Title strip.
    vb::Image* ImgLogo1 = nullptr;
    vb::Label* LblBiao = nullptr; // the title, ending in "(未完成)" or "(已完成)" in practice
    vb::Label* lblMove = nullptr;
    mivoButton* LblMinimise = nullptr;
    mivoButton* LblClose = nullptr;

    // Question area.
    vb::PictureBox* FrmZhuYa = nullptr;
    vb::ControlArray<mivoButton> CmdGN; // 0-11, see the Btn* indices
    vb::TextBox* RtbTM = nullptr;
    mivoButton* Image2 = nullptr; // the illustration: "显示图片" / "隐藏图片"
    vb::Label* LblTime = nullptr;
    vb::PictureBox* PTime = nullptr;
    vb::Label* LblTimeJD = nullptr;
    vb::Label* LblName = nullptr;
    vb::Label* LblIME = nullptr;
    mivoButton* CmdEn = nullptr;
    vb::PictureBox* PicUnit = nullptr;
    vb::Label* LblUnit = nullptr; // "未完成的题目" and the numbers of the unfinished questions

    // Question list.
    vb::PictureBox* FrmSelect = nullptr;
    vb::ControlArray<mivoButton> CmTNO; // 1-40
    mivoButton* CmdSelLast = nullptr;
    mivoButton* CmdSelNext = nullptr;
    mivoButton* CmdSelFH = nullptr;

    // Examinee card.
    vb::PictureBox* FrmKSXX = nullptr;
    vb::ControlArray<vb::Label> Label1; // 0-5, the field names
    vb::Label* KsName1 = nullptr;
    vb::Label* KsZWH1 = nullptr;
    vb::Label* KsCC1 = nullptr;
    vb::Label* KsDAH1 = nullptr;
    vb::Label* KsKM1 = nullptr;
    vb::Label* KsSFZ1 = nullptr;
    vb::Image* Image1 = nullptr;
    mivoButton* CmdKSFH = nullptr;

    // Minimise strip.
    vb::PictureBox* FrmMinStrip = nullptr;
    vb::Label* Command2 = nullptr; // restore
    vb::Label* Label2 = nullptr;   // drag handle

    // Input-method menu.
    vb::Menu* mIme = nullptr;
    vb::Menu* mEng = nullptr;
    std::array<vb::Menu*, 10> mCn{}; // mCn1 .. mCn10

    platform::Timer* TimeKS = nullptr;     // 60000 ms, on at load: the exam clock
    platform::Timer* TimKsModel = nullptr; // 500 ms, on at load: practice or exam buttons
    platform::Timer* TimerREDO = nullptr;  // 100 ms: shows the current question again
    platform::Timer* TimStartYS = nullptr; // 100 ms: the demonstration's start

    // The function buttons by index.
    enum PanelButton {
        BtnPrev = 0,
        BtnNext = 1,
        BtnRedo = 2,
        BtnMark = 3,
        BtnList = 4,
        BtnBack = 5,
        BtnHint = 6,
        BtnDemo = 7,
        BtnHandIn = 8,
        BtnExamineeInfo = 9,
        BtnOperationHint = 10,
        BtnUnmark = 11,
    };

    int ListPage = 0;
    int LastListPage = 0;
    int DemoStartTicks = 0;
    int ImeMenuRows = 1;
    // The input method each item of mIme switches to (mEng, mCn1 .. mCn10); none where no
    // method stands behind the item.
    std::array<std::optional<QString>, 11> ImeMethods{};

    // Shows question CurrentQuestion: its text, title, unfinished list and buttons, and hands it
    // to the simulated window at its saved step.
    void DqExam();
    // Draws page ListPage of the question list and shows it.
    void dqYeMian();

    // Handlers.
    void CmdGN_Click(int index);
    void CmTNO_Click(int index);
    void CmdSelLast_Click();
    void CmdSelNext_Click();
    void CmdSelFH_Click();
    void CmdKSFH_Click();
    void LblUnit_Click();
    void LblUnit_MouseMove(int button, int shift, double x, double y);
    void TimeKS_Timer();
    void TimKsModel_Timer();
    void TimerREDO_Timer();
    void TimStartYS_Timer();
    void LblMinimise_Click();
    void Command2_Click();
    void Command2_MouseMove(int button, int shift, double x, double y);
    void FrmMinStrip_MouseMove(int button, int shift, double x, double y);
    void FrmMinStrip_MouseDown(int button, int shift, double x, double y);
    void Label2_MouseDown(int button, int shift, double x, double y);
    void lblMove_MouseDown(int button, int shift, double x, double y);
    void RtbTM_Click();
    void Image2_Click();
    // The input-method helper (frm_tm_ime.cpp).
    void CmdEn_Click();
    void LblIME_Click();
    void mIme_Click(int item); // 0 mEng, k mCnk
    // Where LblIME_Click opens the menu (panel twips; its right edge at x).
    QPointF imeMenuAt() const;
    // Out of the way of the hand-in, as the hand-in button puts it: the illustration hidden as
    // its button hides it, the panel moved to the screen's corner and hidden (still loaded).
    void leaveForHandIn();

protected:
    void Form_Load() override;
    void Form_Unload(int& cancel) override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;
    void Form_Resize() override;
    void Form_KeyUp(int& keyCode, int shift) override;
    void showEvent(QShowEvent* e) override;

private:
    void buildControls();
    void wireHandlers();
    void layOut();
    void buildQuestionList();
    void fillInputMethods();
    void wireInputMethods();
    // The examinee card's values and the mark faces, which belong to the session.
    void showSessionLook();
    void FinishSession();
    // The question's text for the demonstration's note, then the hand-over two ticks later
    // (frm_tm_demo.cpp).
    void StartDemonstration();
    // Closes the illustration popup and offers the question's illustration, if it has one.
    void showIllustration(const std::optional<QString>& pictureCode);
    // Hides the illustration popup as the illustration button hides it.
    void hidePicture();
    // At the end of the exam's time: whatever the candidate has open gives way to the hand-in.
    void endExamDialogs();
    // Shows the simulated window, bringing it back when minimised.
    void showWindow();
    // Hands the keyboard back to the simulated window.
    void focusBack();
    // Reads question line CurrentQuestion into QuestionLine; false (reported) when the session's
    // question file has no such line.
    bool readQuestionLine();

    int lookOfSession_ = -1;
};

FrmTm& frmTm();

// Stops the exam clock of a loaded panel (a panel that is not loaded has no clock to stop).
void stopExamClock();

#pragma once
// The score report after a mock exam: grades the 40 questions at 2.5 points each, shows a
// result button per question and the score, writes the exam into the records (favourites,
// wrong questions, the slot's wrong list, time and best score), and leads on to a review of
// the paper, a review of its wrong questions, or back to the papers panel.

#include "controls/mivo_button.h"
#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

#include <array>

class FrmChengji : public vb::Form {
    Q_OBJECT
public:
    FrmChengji();

    vb::PictureBox* Picture1 = nullptr; // holds every other control
    vb::Frame* Frame1 = nullptr;         // holds the result buttons
    vb::ControlArray<mivoButton> CmTNO;  // 1..40
    vb::Label* Label1 = nullptr;         // the result text
    vb::Label* LblTiMuYQ = nullptr;      // the clicked question's text
    mivoButton* Command1 = nullptr;      // review of the paper
    mivoButton* Command3 = nullptr;      // review of the wrong questions
    mivoButton* Command2 = nullptr;      // back to the papers panel
    platform::Timer* Timer1 = nullptr;   // one-shot centring

    // Builds the review of the slot's wrong questions and starts it; stays on the report with
    // a notice when there is nothing to review or the session cannot be built.
    void InitShiTi();

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void CmTNO_Click(int index);
    void Timer1_Timer();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    // Grading and the records of the exam (once, at load).
    void gradeExam();
    // The panel back for a review: practice layout, question 1, docked, no clock.
    void showReviewPanel();
    void notice(const QString& title, const QString& prompt);

    std::array<QString, 41> QuestionTexts{};
};

FrmChengji& frmChengji();

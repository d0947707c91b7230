#pragma once
// The question panel, as far as the simulated window needs it: its size, the list of
// unfinished questions, the title with its completion marker, and the display of the current
// question, which hands the question's pictures to the simulated window and starts its layout.

#include "platform/clock.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmTm : public vb::Form {
    Q_OBJECT
public:
    FrmTm();

    vb::Label* LblUnit = nullptr; // "未完成的题目" and the numbers of the unfinished questions
    vb::Label* LblBiao = nullptr; // the title, ending in "(未完成)" or "(已完成)"

    // 100 ms, one tick: shows question CurrentQuestion. 500 ms, one tick: the buttons' layout.
    platform::Timer* TimerREDO = nullptr;
    platform::Timer* TimKsModel = nullptr;

    // Shows question CurrentQuestion in the simulated window at its saved step.
    void DqExam();

protected:
    void Form_Load() override;
};

FrmTm& frmTm();

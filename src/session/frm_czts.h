#pragma once
// The operation-hint dialog of a mock exam: why answers cannot be seen during an exam, where to
// see them afterwards, and the button that, after a second warning, turns the exam into
// unscored practice and starts the demonstration of the current question.

#include "controls/mivo_button.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmCZTS : public vb::Form {
    Q_OBJECT
public:
    FrmCZTS();

    vb::Shape* Shape1 = nullptr;
    vb::Shape* Shape2 = nullptr;
    vb::Label* Label3 = nullptr; // "请注意!!!"
    vb::Label* Label2 = nullptr; // the three points
    mivoButton* Command1 = nullptr; // close
    mivoButton* Command2 = nullptr; // see the answer now

    // The warning before the answer view, and its title.
    static QString answerWarning();
    static QString answerWarningTitle() { return QStringLiteral("不建议您立即看答案"); }

protected:
    void Form_Load() override;
    void Form_Click() override;

private:
    void Command1_Click();
    void Command2_Click();
};

FrmCZTS& frmCZTS();

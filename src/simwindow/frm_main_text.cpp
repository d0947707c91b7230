// Typed text: the cell editor Text1, the dialog editors Text2 and Text3, and the edit bar Text4.

#include "simwindow/frm_main.h"

#include "platform/vb_constants.h"
#include "session_state/session_state.h"
#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/text_table.h"

using simwindow::StepRecord;

namespace {

std::optional<simwindow::Answers> answersOf(const StepRecord& rec)
{
    return simwindow::answersAt(S().TextTablePath, rec.AnswerField);
}

// Copies a text into an editor only when it differs, so that two mirrored editors stop after
// one exchange.
void mirror(vb::TextBox& to, const QString& text)
{
    if (to.Text() != text)
        to.setText(text);
}

} // namespace

void FrmMain::Text1_Change()
{
    const StepRecord rec = currentRecord();
    ExpectedCode = rec.expectedCode();
    const QString code = rec.OperationCode;
    if (code == u"0028")
        mirror(*Text4, Text1->Text());
    if (code == u"0020" && simwindow::acceptsTyped(answersOf(rec), Text1->Text()))
        doNext();
    else if (code == u"0025" && simwindow::acceptsTyped(answersOf(rec), Text1->Text(), simwindow::LetterCase::Keep))
        doNext();
}

void FrmMain::Text1_KeyUp(int keyCode, int)
{
    const StepRecord rec = currentRecord();
    const QString code = rec.OperationCode;
    if (keyCode != vb::vbKeyReturn || (code != u"0022" && code != u"0024" && code != u"0028"))
        return;
    if (simwindow::enterAccepted(answersOf(rec), Text1->Text()))
        doNext();
    else
        Text1->setText(QString()); // the edit bar follows through the change handler
}

void FrmMain::Text1_MouseUp(int, int, double, double)
{
    // A selection made with the keyboard counts only once a button is released over the box.
    const StepRecord rec = currentRecord();
    if (rec.OperationCode != u"0023")
        return;
    if (simwindow::selectionAccepted(simwindow::fieldText(S().TextTablePath, rec.HintField), Text1->SelText()))
        doNext();
}

void FrmMain::Text1_GotFocus()
{
    // The panel gives the cell editor the focus; a 0027 step types into the third editor.
    if (currentRecord().OperationCode == u"0027" && Text3->Visible())
        Text3->SetFocus();
}

void FrmMain::Text2_Change()
{
    if (simwindow::wholeAnswerAccepted(simwindow::fieldText(S().TextTablePath, currentRecord().AnswerField),
                                       Text2->Text()))
        doNext();
}

void FrmMain::Text3_Change()
{
    if (simwindow::acceptsTyped(answersOf(currentRecord()), Text3->Text()))
        doNext();
}

void FrmMain::Text4_Change()
{
    if (currentRecord().OperationCode == u"0028")
        mirror(*Text1, Text4->Text());
}

void FrmMain::Text4_KeyUp(int keyCode, int shift)
{
    if (currentRecord().OperationCode == u"0028" && keyCode == vb::vbKeyReturn)
        Text1_KeyUp(keyCode, shift);
}

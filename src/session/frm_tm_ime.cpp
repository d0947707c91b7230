// The question panel's input-method helper: the option dialog, and the menu of the desktop's
// input methods whose choice the simulated window's editors switch to.

#include "session/frm_tm.h"

#include "controls/mivo_button.h"
#include "platform/input_methods.h"
#include "platform/vb_msgbox.h"
#include "session/frm_ime.h"
#include "session/input_method_choice.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

void FrmTm::wireInputMethods()
{
    CmdEn->Click = [this] { CmdEn_Click(); };
    LblIME->Click = [this] { LblIME_Click(); };
    mEng->Click = [this] { mIme_Click(0); };
    for (int k = 1; k <= 10; ++k)
        mCn[static_cast<std::size_t>(k - 1)]->Click = [this, k] { mIme_Click(k); };
}

void FrmTm::fillInputMethods()
{
    const session::ImeMenu menu = session::imeMenu(platform::inputMethods().list());
    ImeMenuRows = menu.rows;
    ImeMethods = menu.methods;
    mEng->setCaption(menu.captions[0]);
    for (std::size_t k = 1; k < session::ImeMenuItems; ++k) {
        mCn[k - 1]->setCaption(menu.captions[k]);
        mCn[k - 1]->setVisible(menu.visible[k]);
    }
}

void FrmTm::CmdEn_Click()
{
    // The dialog's close brings the panel back at full size.
    LblMinimise_Click();
    frmIME().Show(vb::vbModal);
}

QPointF FrmTm::imeMenuAt() const
{
    return {static_cast<double>(LblIME->Left()), static_cast<double>(LblIME->Top() - ImeMenuRows * 300 + FrmZhuYa->Top())};
}

void FrmTm::LblIME_Click()
{
    if (!S().ImeHelperOn)
        return;
    const QPointF at = imeMenuAt();
    PopupMenu(*mIme, vb::vbPopupMenuRightAlign, at.x(), at.y());
}

void FrmTm::mIme_Click(int item)
{
    const std::optional<QString>& method = ImeMethods[static_cast<std::size_t>(item)];
    if (!method) {
        vb::MsgBox(session::NoInputMethodNotice, vb::vbOKOnly | vb::vbInformation);
        return;
    }
    S().ChosenKeyboardLayout = *method;
    // The cell editor's focus switches to the method.
    FrmMain& window = frmMain();
    window.setWindowState(vb::vbNormal);
    window.Show();
    window.Text1->SetFocus();
}

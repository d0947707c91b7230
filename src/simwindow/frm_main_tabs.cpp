// Dialog tabs, the back area, the drop-down list and the location list.

#include "simwindow/frm_main.h"

#include "session_state/session_state.h"
#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"

using simwindow::StepRecord;

void FrmMain::LblXXK_Click(int index)
{
    if (index == 0) {
        // The back area of a dialog, or the field of a closed combo box.
        S().CurrentStep = simwindow::stepAfterBack(S().CurrentStep, ComboState);
        setData();
        return;
    }
    vb::Image* dialog = image(DialogImage);
    // A page picture that cannot be read leaves the page the dialog shows.
    if (dialog)
        if (auto page = simwindow::stepPicture(TabLayoutLine.pagePicture(index)))
            dialog->setPicture(page);
    if (TabCount > 9) {
        TabRow = simwindow::tabRow(index);
        DoubleXXK();
    }
    if (index == ExpectedTab) {
        if (dialog)
            if (auto own = simwindow::stepPicture(currentRecord().overlay(DialogImage).picture))
                dialog->setPicture(own);
        Label1->setVisible(true);
    }
    showTabState(index == ExpectedTab);
    LHelp->setCaption(LHelp->Caption().replace(u'|', QStringLiteral("\r\n")));
}

void FrmMain::LstLA_Click()
{
    LblXXK(0).setCaption(LstLA->Text());
    // The set-up's own selection decides nothing: it passes after the set-up, if at all.
    if (layingOut() || !simwindow::listChoicePasses(currentRecord(), LstLA->ListIndex()))
        return;
    for (vb::Control* c : std::initializer_list<vb::Control*>{LstLA, PicLeft, PicRight, PicTop, PicBottom})
        c->setVisible(false);
    LblXXK(0).setCaption(QString());
    doNext();
}

void FrmMain::LblADD_Click(int index) { ImgLiN_Click(index); }

void FrmMain::LblADD_MouseMove(int index, int, int, double, double)
{
    for (int i = 0; i <= 13; ++i)
        ImgLiN(i).setVisible(i == index);
}

void FrmMain::LblADDmyXZ_Click()
{
    PicList->setHeight(PicList->Height() < scaledY(3600) ? scaledY(3720) : scaledY(330));
}

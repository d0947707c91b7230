#pragma once
// The update window, opened by the cover page's update command: it shows the installed bank
// version, refreshes the cover page's announcement from the update endpoint, and on its one
// start tick runs the update run TKUP, which compares the endpoint's list with the installed
// version, asks the candidate and fetches the newer files.
//
// The cover page opens it so:
//     S().UpdateWindowShown = 1;
//     frmUpdata().Show();
// Shown again while hidden after a refused update, it keeps its texts and runs nothing anew.

#include "platform/clock.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class mivoButton;

class FrmUpdata : public vb::Form {
    Q_OBJECT
public:
    FrmUpdata();

    vb::Image* ImgLogo1 = nullptr;
    vb::Label* Label4 = nullptr;
    vb::Label* Label3 = nullptr;
    vb::Label* LblVer = nullptr;
    vb::Label* Label1 = nullptr;
    vb::Label* Label2 = nullptr;
    // The strip along the top by which the borderless window is dragged.
    vb::Label* lblMove = nullptr;
    mivoButton* Command1 = nullptr;
    platform::Timer* Timer1 = nullptr;

    // The program's executable as the update list names it ("talvesk.exe").
    QString AppExeName;

    // The update run; the start tick runs it once per load.
    void TKUP();

protected:
    void Form_Load() override;
    // While an accepted run fetches, the window stays: the run ends the program itself once it
    // has said what it did.
    void Form_Unload(int& cancel) override;

private:
    void Timer1_Timer();
    void Command1_Click();
    void lblMove_MouseDown(int button, int shift, double x, double y);
    // The texts of a run that got no usable list.
    void showNoList();
    bool fetching_ = false;
};

FrmUpdata& frmUpdata();

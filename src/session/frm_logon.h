#pragma once
// The imitation of the examination's login screen before every mock exam: the candidate types
// a seat and an identity-card number, logs in, watches the examinee data while a bar fills,
// and the exam opens; or quits back to the cover page.

#include "platform/clock.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmLogon : public vb::Form {
    Q_OBJECT
public:
    FrmLogon();

    vb::PictureBox* Picture1 = nullptr; // the login panel
    vb::PictureBox* Picture2 = nullptr; // the confirmation panel
    vb::TextBox* TxtZwh = nullptr;      // seat number
    vb::TextBox* TxtSFZ = nullptr;      // identity-card number
    vb::Label* CmdLog = nullptr;        // spot over the drawn login button
    vb::Label* CmdExit = nullptr;       // spot over the drawn quit button
    vb::Label* LblName = nullptr;
    vb::Label* LblZwh = nullptr;
    vb::Label* LblCC = nullptr;
    vb::Label* LblKm = nullptr;
    vb::Label* LblSfz = nullptr;
    vb::Label* LblDah = nullptr;
    vb::Label* LblDate = nullptr;
    vb::PictureBox* P2 = nullptr;       // progress track
    vb::Label* LJD = nullptr;           // progress bar
    platform::Timer* Timer1 = nullptr;  // one-shot panel placement
    platform::Timer* Timer2 = nullptr;  // progress of the bar

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void Timer1_Timer();
    void TxtSFZ_KeyPress(int& keyAscii);
    void CmdLog_Click();
    void Timer2_Timer();
    void CmdExit_Click();
};

FrmLogon& frmLogon();

#pragma once
// The splash window: the first window of the program and the only one made at start. Its load
// refuses a second running instance, loads the configuration, sets the screen scale and the
// start values, and shows the splash picture with a status line; its timer's first tick hands
// over to the cover page, fixes this run's log path and unloads the splash.

#include "platform/clock.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmStart : public vb::Form {
    Q_OBJECT
public:
    FrmStart();

    vb::Label* Label1 = nullptr;
    platform::Timer* Timer1 = nullptr;
    // Set by the load just before the timer starts; cleared by the first tick.
    bool StartPending = false;

protected:
    void Form_Load() override;
    void Form_QueryUnload(int& cancel, int unloadMode) override;

private:
    void Timer1_Timer();
    void UpdataExe();
};

FrmStart& frmStart();

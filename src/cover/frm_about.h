#pragma once
// The about box: the system's and the module's names, the question bank's version line as the
// cover page shows it, the program folder (a click opens it) and the configured supplier line.

#include "controls/mivo_button.h"
#include "platform/vb_array.h"
#include "platform/vb_controls.h"
#include "platform/vb_form.h"

class FrmAbout : public vb::Form {
    Q_OBJECT
public:
    FrmAbout();

    vb::Image* ImgLogo1 = nullptr;
    // 0 version line, 1 system name, 2 system name on the top strip, 3 program folder,
    // 4 module name, 6 supplier line.
    vb::ControlArray<vb::Label> Label1;
    vb::Label* lblMove = nullptr;
    // 0 close (top right), 1 OK.
    vb::ControlArray<mivoButton> LblClick;
    vb::ControlArray<vb::Line> Line1; // 3 and 4: an etched separator

protected:
    void Form_Load() override;

private:
    void Label1_Click(int index);
    void LblClick_Click(int index);
    void lblMove_MouseDown(int button, int shift, double x, double y);
};

FrmAbout& frmAbout();

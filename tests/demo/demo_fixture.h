#pragma once
// The demonstration window on a small session: the simulated window's fixture (temporary
// installation, step file, text table) with the demonstration running and the session's
// files named as a list session names them.

#include "demo/demo_player.h"
#include "demo/frm_yanshi.h"
#include "simwindow/sim_window_fixture.h"

#include <QRect>

class DemoTest : public SimWindowTest {
protected:
    void SetUp() override
    {
        SimWindowTest::SetUp();
        SessionState& s = S();
        s.SessionKind = 0;
        s.SetIndex = 19;
        s.DemoRunning = -1;
        yanShiState() = YanShiState();
        inst.mkdir(QStringLiteral("examdata"));
    }

    // A picture of the simulated menus and toolbars.
    QString chrome(const QString& name, QSize size = {4, 4}, const QColor& colour = Qt::blue) const
    {
        return inst.writePicture(QStringLiteral("examdata/") + name + QStringLiteral(".mxy"), size, colour);
    }

    // The demonstration of question q opens on its first step.
    static FrmYanShi& demo(int q = 1)
    {
        S().CurrentQuestion = q;
        return vb::Forms::get<FrmYanShi>();
    }
    static YanShiState& st() { return yanShiState(); }
    static void arrive() { vb::Forms::get<FrmYanShi>().player().arrive(); }
};

inline QRect rectOf(const vb::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

// A menu or toolbar step: "7000" and a target code at a column.
inline Step menuStep(const QString& code, int col = 125)
{
    return Step(QStringLiteral("7000")).at(col, code);
}

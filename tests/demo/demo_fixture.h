#pragma once
// The demonstration window on a small session: the simulated window's fixture (temporary
// installation, step file, text table) with the demonstration running and the session's
// files named as a list session names them.

#include "demo/demo_player.h"
#include "demo/frm_yanshi.h"
#include "simwindow/sim_window_fixture.h"

#include "platform/vb_units.h"

#include <QColor>
#include <QImage>
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

// The pixels of a region of the window (twips) that the viewer sees in a colour.
template <class Colour>
int pixelsOf(QWidget& window, const QRect& twips, Colour isColour)
{
    const QImage seen =
        window.grab(QRect(vb::pxX(twips.x()), vb::pxY(twips.y()), vb::pxX(twips.width()), vb::pxY(twips.height())))
            .toImage();
    int n = 0;
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x)
            n += isColour(QColor(seen.pixel(x, y))) ? 1 : 0;
    return n;
}
inline bool isInk(const QColor& c) { return qGray(c.rgb()) < 128; }
inline bool isRed(const QColor& c) { return c.red() > 200 && c.green() < 80 && c.blue() < 80; }
// The hint's and the note's light yellow.
inline bool isNoteYellow(const QColor& c) { return c == QColor(255, 255, 192); }

// A menu or toolbar step: "7000" and a target code at a column.
inline Step menuStep(const QString& code, int col = 125)
{
    return Step(QStringLiteral("7000")).at(col, code);
}

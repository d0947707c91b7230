// Drags: a range from the second target to the first with a set of modifier keys, and the step
// picture Image5 dragged past a point.

#include "simwindow/frm_main.h"

#include "platform/vb_picture.h"
#include "session_state/session_state.h"
#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"

using simwindow::StepRecord;
using vb::bounds;

void FrmMain::Label4_MouseDown(int button, int shift, double, double)
{
    const StepRecord rec = currentRecord();
    if (simwindow::plainPressAdvances(rec, button)) {
        doNext();
        return;
    }
    MarqueeOn = false;
    if (!simwindow::rangeDragShiftHeld(rec, shift))
        return;
    if (simwindow::rangeDragHasMarquee(rec)) {
        Shape6->setWidth(15);
        Shape6->setHeight(15);
        Shape6->setVisible(true);
        AnchorLeft = Label4->Left();
        AnchorTop = Label4->Top();
        MarqueeOn = true;
    }
    // Any button arms the drag; only the plain press looks at the button.
    RangeArmed = true;
}

void FrmMain::Label4_MouseMove(int, int shift, double x, double y)
{
    frmCsh();
    Label4->setMousePointer(vb::vbDefault);
    const StepRecord rec = currentRecord();
    if (!simwindow::rangeDragShiftHeld(rec, shift))
        return;
    if (simwindow::rangeDragHasMarquee(rec) && MarqueeOn) {
        if (!Shape6->Visible())
            return;
        const QRect r = simwindow::marqueeRect({AnchorLeft, AnchorTop}, {Label4->Left(), Label4->Top()}, x, y);
        Shape6->Move(r.x(), r.y(), r.width(), r.height());
    }
    if (!RangeArmed)
        return;
    // The armed pointer tells the release's slack test that the drag really moved. A pointer
    // file that cannot be read still gives a pointer of its own, so the drag can pass.
    const simwindow::PointerSpec spec = simwindow::armedDragPointer(rec, S().AppPath);
    simwindow::applyPointer(*Label4, spec);
    if (spec.kind == simwindow::PointerSpec::Kind::File && Label4->MousePointer() == vb::vbDefault)
        Label4->setMousePointer(vb::vbCrosshair);
}

void FrmMain::Label4_MouseUp(int, int shift, double x, double y)
{
    const StepRecord rec = currentRecord();
    const QPointF p(Label4->Left() + x, Label4->Top() + y);
    const bool armedShift = simwindow::rangeDragShiftHeld(rec, shift);

    if (armedShift && simwindow::rangeDragHasMarquee(rec)) {
        Shape6->setWidth(15);
        Shape6->setHeight(15);
        if (Shape6->Visible() && simwindow::onTarget(p, bounds(*Label1))) {
            doNext();
            MarqueeOn = false;
            return;
        }
        Shape6->setVisible(false);
    }
    if (armedShift) {
        RangeArmed = false;
        if (Label4->MousePointer() != vb::vbDefault &&
            simwindow::nearTarget(p, bounds(*Label1), S().ScaleX, S().ScaleY)) {
            doNext();
            return;
        }
        Label4->setMousePointer(vb::vbDefault);
    }
    if (rec.OperationCode == u"0028" && typedTextAccepted()) {
        doNext();
        return;
    }
    if (rec.Target2Jump != u"0")
        GoStep(rec.Target2Jump);
}

void FrmMain::Image5_MouseMove(int button, int, double x, double y)
{
    const std::optional<simwindow::DragPos> to =
        simwindow::pictureDragMove(ExpectedCode, button, x, y, {DragLeft, DragTop});
    if (!to)
        return;
    Image5->Move(to->left, to->top);
    DragLeft = to->left;
    DragTop = to->top;
}

void FrmMain::Image5_MouseUp(int, int, double, double)
{
    const StepRecord rec = currentRecord();
    const simwindow::DragPos point{scaledX(PointX), scaledY(PointY)};
    const simwindow::DragPos start{scaledX(rec.Image5Left), scaledY(rec.Image5StartY)};
    const std::optional<simwindow::DragEnd> end =
        simwindow::pictureDragEnd(ExpectedCode, {DragLeft, DragTop}, point, start);
    if (!end)
        return;
    Image5->Move(end->to.left, end->to.top);
    DragLeft = end->to.left;
    DragTop = end->to.top;
    if (end->passed)
        doNext();
}

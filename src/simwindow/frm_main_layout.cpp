// The step layout: reads the record of the current step and rebuilds the window for it.

#include "simwindow/frm_main.h"

#include "platform/files.h"
#include "platform/vb_picture.h"
#include "session/frm_tm.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/input_rules.h"
#include "simwindow/jump_code.h"
#include "simwindow/layout_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"
#include "simwindow/text_table.h"

#include <QRect>

using codes::field;
using simwindow::StepRecord;

using vb::bounds;
using vb::setBounds;

simwindow::StepVars FrmMain::vars()
{
    return {Target1Width, Target1Height, SavedHint, TabLayoutLine, DialogImage,
            DialogLeft,   DialogTop,     ExpectedTab, TabCount,      TabRow};
}

void FrmMain::showTabState(bool onExpectedTab) { simwindow::showTabState(controls_, vars(), onExpectedTab); }

void FrmMain::DoubleXXK() { simwindow::DoubleXXK(controls_, vars()); }

void FrmMain::setData()
{
    if (!setUp_.run([this] { layoutStep(); }))
        return;
    // The step stands: a list that showed the expected entry from the start passes now, once.
    // On the last step of a question without an end record the advance would stay and lay this
    // step out again, passing it again without end: there it stands.
    const SessionState& s = S();
    if (simwindow::jumpTarget(s.CurrentStep, 1, simwindow::questionStepCount(s, s.CurrentQuestion)) != s.CurrentStep)
        doNext();
}

void FrmMain::layoutStep()
{
    SessionState& s = S();
    const simwindow::StepControls& c = controls_;

    LblSuccess->setVisible(false);
    bringWindowsToFront();

    Pic1J->Move(scaledX(30000), scaledY(30000));
    Text1->setFontSize(9 * s.ScaleX);
    Text2->setFontSize(9 * s.ScaleX);
    for (vb::PictureBox* p : {PicMenu, PicTool, PicHui, PicElse})
        p->setVisible(false);
    Shape6->Move(Shape6->Left(), Shape6->Top(), 1, 1);
    MarqueeOn = false;
    // A drag armed in an earlier step must not let a mere click pass this one.
    RangeArmed = false;
    Label4->setMousePointer(vb::vbDefault);
    zhuIndex = 0;

    const int q = s.CurrentQuestion;
    if (q < 1 || q > MaxQuestions)
        return;
    const auto qi = static_cast<std::size_t>(q);
    if (s.CurrentStep < 1)
        s.CurrentStep = 1;
    // A step file that cannot be read leaves the record of the previous layout.
    if (auto line = platform::readLineAt(s.StepFilePath, s.QuestionFirstLine[qi] + s.CurrentStep - 1))
        s.StepRecord = *line;
    const StepRecord rec = StepRecord::fromLine(s.StepRecord);

    simwindow::resetTabs(c);

    if (s.CurrentStep == 1) {
        for (int k = 1; k <= 5; ++k)
            image(k)->setPicture(std::nullopt);
        Image6->setPicture(std::nullopt);
    }
    s.SavedStep[qi] = s.CurrentStep;

    simwindow::layoutPictures(c, *this, rec, s.CurrentStep == 1, &s.QuestionPictures[qi]);
    DragLeft = Image5->Left();
    DragTop = Image5->Top();
    PointX = rec.PointX;
    PointY = rec.PointY;
    simwindow::layoutTargets(c, rec, vars(), FontColorTable, TabLayoutTable);
    ComboState = rec.isCombo() ? rec.ComboSpec : QStringLiteral("NONO");

    ExpectedCode = rec.expectedCode();
    StepCode = ExpectedCode;
    Timer3->setEnabled(false);
    if (StepCode == 8888) {
        autoQuestion_ = q;
        autoStep_ = s.CurrentStep;
        Timer3->setEnabled(true);
    }
    simwindow::shrinkTargetsForPictureDrag(c, rec);
    layoutEndCode(rec, q);

    simwindow::layoutEditorVariants(c, rec);
    // The editor shown in the cell editor's place takes the keyboard with it: the layout gave
    // Text1 the focus while Text3 (0027) or Text2 (0021) was not shown yet, and Text1 is hidden
    // now, so the candidate's keys would reach no editor until a click.
    if (rec.OperationCode == u"0027")
        Text3->SetFocus();
    else if (rec.OperationCode == u"0021")
        Text2->SetFocus();
    simwindow::layoutTyping(c, rec);
    if (simwindow::layoutList(c, rec))
        setUp_.completeAfter();
    if (const std::optional<int> entry = simwindow::layoutLocationList(c, rec)) {
        ImgLiN_Click(*entry);
        if (simwindow::locationChoicePasses(rec, *entry))
            setUp_.completeAfter();
    }

    simwindow::hideSmallFrame(c);
    Shape2->setVisible(LHelp->Visible());

    simwindow::applyPointer(*Label1, simwindow::pointerSpec(rec, s.AppPath));
    simwindow::layoutZones(c, rec);
    simwindow::breakHintLines(c);
    bringWindowsToFront();

    frmCsh();
    ElseToolCSH();
    TimerDisFK->setEnabled(true);
}

void FrmMain::layoutEndCode(const StepRecord& rec, int q)
{
    SessionState& s = S();
    if (rec.OperationCode != u"9999") {
        Shape1->setVisible(LHelp->Visible());
        return;
    }
    int& state = s.QuestionState[static_cast<std::size_t>(q)];
    if (state <= 3)
        state += 4;
    Shape1->setVisible(false);
    if (s.DisplayMode != 3) {
        LblSuccess->setVisible(true);
        LHelp->setVisible(false);
    }
    FrmTm& panel = vb::Forms::get<FrmTm>();
    panel.LblUnit->setCaption(simwindow::unfinishedCaption(s));
    panel.LblBiao->setCaption(simwindow::markCompleted(panel.LblBiao->Caption()));
}

void FrmMain::ImgLiN_Click(int index)
{
    simwindow::selectLocationEntry(controls_, index);
    if (simwindow::locationChoicePasses(currentRecord(), index))
        doNext();
}

void FrmMain::TimerDisFK_Timer()
{
    for (vb::Shape* frame : {ShapeMenu, ShapeTool, ShapeHui, ShapeElse})
        frame->setVisible(false);
    const QString& line = S().StepRecord;
    const std::array<std::pair<int, bool>, 3> places{{{96, true}, {86, true}, {125, false}}};
    for (const auto& [col, acceptD] : places) {
        const std::optional<int> element = simwindow::frameElement(field(line, col, 10), acceptD);
        if (!element || !LblZHU.exists(*element))
            continue;
        const auto frame = simwindow::hintFrame(*element, bounds(LblZHU(*element)),
                                                QSize(PicElse->Width(), PicElse->Height()), S().ScaleX, S().ScaleY);
        if (!frame)
            continue;
        vb::Shape* shape = frame->container == simmenus::Container::PicMenu   ? ShapeMenu
                           : frame->container == simmenus::Container::PicHui  ? ShapeHui
                           : frame->container == simmenus::Container::PicElse ? ShapeElse
                                                                              : ShapeTool;
        setBounds(*shape, frame->rect);
        shape->setVisible(LHelp->Visible());
    }
    TimerDisFK->setEnabled(false);
}

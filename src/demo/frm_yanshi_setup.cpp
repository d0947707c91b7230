// The set-up of one demonstrated step: the record, the step's pictures, targets, editors,
// tabs and lists (laid out as the simulated window lays them out), the zones, the menu target,
// the pop-up reset and the hot spots of the bars and panes.

#include "demo/demo_rules.h"
#include "demo/frm_yanshi.h"

#include "platform/files.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simmenus/hotspots.h"
#include "simmenus/menu_layouts.h"
#include "simmenus/menu_rules.h"
#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"
#include "simwindow/step_rules.h"
#include "startup/error_report.h"

#include <QRect>

using simwindow::StepRecord;

namespace {

using vb::setBounds;

QRect scaled(const QRect& r) { return {scaledX(r.x()), scaledY(r.y()), scaledX(r.width()), scaledY(r.height())}; }

} // namespace

void FrmYanShi::setData()
{
    // A location list that shows the expected entry from the start ends the step once the
    // set-up stands, still inside this call.
    if (setUp_.run([this] { layoutStep(); }))
        doNext();
}

void FrmYanShi::layoutStep()
{
    SessionState& s = S();
    const simwindow::StepControls& c = controls_;

    // The question panel stays above; this window comes back to the top later in the set-up.
    if (vb::Forms::isLoaded<FrmTm>())
        frmTm().setTopmost(true);
    setTopmost(false);
    Shape5->setBorderColor(QColor(255, 0, 0));
    CSH();
    st.TypePos = 0;
    s.StepFilePath = s.DataDir + demo::sessionFileCode(s.SessionKind, s.SetIndex, 0) + QStringLiteral(".mxy");
    s.QuestionFilePath = s.DataDir + demo::sessionFileCode(s.SessionKind, s.SetIndex, 50) + QStringLiteral(".mxy");
    Img1J->setVisible(false);
    Text1->setFontSize(9 * s.ScaleX);
    Text2->setFontSize(9 * s.ScaleX);
    for (vb::Image* zone : {PicMenu, PicTool, PicHui, PicElse})
        zone->setVisible(false);
    st.TickCount = 0;
    Shape6->Move(Shape6->Left(), Shape6->Top(), 10, 10);
    st.RangeDragLeg = false;
    const demo::MenuTarget none;
    st.ZhuNo = none.zhuNo;
    st.Item1J = none.item1J;
    st.Item2J = none.item2J;
    st.JumpCode = none.jumpCode;

    // A step outside the question would show a neighbouring question's record: nothing is laid
    // out and the demonstration ends.
    const int q = s.CurrentQuestion;
    if (q < 1 || q > MaxQuestions || !demo::stepInQuestion(s, q, st.StepNo)) {
        WriteRunLog(s.RunLogPath, QStringLiteral("demonstration: step %1 of question %2 does not exist")
                                                    .arg(st.StepNo)
                                                    .arg(q));
        TimEnd->setEnabled(true);
        return;
    }
    // A step file that cannot be read leaves the record of the previous step.
    if (auto line = platform::readLineAt(s.StepFilePath, s.QuestionFirstLine[static_cast<std::size_t>(q)] + st.StepNo - 1))
        s.StepRecord = *line;
    const StepRecord rec = StepRecord::fromLine(s.StepRecord);

    simwindow::resetTabs(c);
    simwindow::layoutPictures(c, *this, rec, st.StepNo == 1, nullptr);
    st.PointX = rec.PointX;
    st.PointY = rec.PointY;
    simwindow::layoutTargets(c, rec, vars(), st.FontColorTable, st.TabLayoutTable);

    st.RightKeyCode = rec.expectedCode();
    // The automatic step waits on the player's pause timer; this timer carries dragged pictures.
    Timer3->setEnabled(false);
    simwindow::shrinkTargetsForPictureDrag(c, rec);
    if (rec.OperationCode == u"9999") {
        LHelp->setCaption(QStringLiteral("操作成功！"));
        Shape1->setVisible(false);
        TimEnd->setEnabled(true);
        return;
    }
    Shape1->setVisible(LHelp->Visible());
    simwindow::layoutEditorVariants(c, rec);
    simwindow::layoutTyping(c, rec);
    simwindow::layoutList(c, rec);
    if (const std::optional<int> entry = simwindow::layoutLocationList(c, rec)) {
        ImgLiN_Click(*entry);
        if (simwindow::locationChoicePasses(rec, *entry))
            setUp_.completeAfter();
    }
    simwindow::hideSmallFrame(c);
    setTopmost(true);
    Shape2->setVisible(LHelp->Visible());
    simwindow::applyPointer(*Label1, simwindow::pointerSpec(rec, s.AppPath));
    simwindow::layoutZones(c, rec);

    const demo::MenuTarget target = demo::menuTarget(rec);
    st.ZhuNo = target.zhuNo;
    st.Item1J = target.item1J;
    st.Item2J = target.item2J;
    st.JumpCode = target.jumpCode;
    simwindow::breakHintLines(c);

    CSH();
    ToolCSH();
    ElseToolCSH();
    MuBiaoWei();
}

void FrmYanShi::ImgLiN_Click(int index)
{
    simwindow::selectLocationEntry(controls_, index);
    // The set-up's own choice ends the step once the set-up stands (setData).
    if (!setUp_.running() && simwindow::locationChoicePasses(StepRecord::fromLine(S().StepRecord), index))
        doNext();
}

void FrmYanShi::DoubleXXK() { simwindow::DoubleXXK(controls_, vars()); }

void FrmYanShi::CSH()
{
    if (!S().DemoRunning)
        return;
    for (int i = 0; i <= 9; ++i) {
        for (auto* arr : {&LRM2, &LRM4, &LRM6, &LRM9, &LRS}) {
            (*arr)(i).setVisible(false);
            (*arr)(i).setCaption(QString());
        }
        LRFGX(i).setVisible(false);
    }
    for (const int i : {1, 3, 5, 7, 8}) {
        LRMJL(i).setVisible(false);
        LRMJL(i).setCaption(QString());
        ImgJLSanjiao(i).setVisible(false);
    }
    for (int i = 0; i <= 5; ++i)
        LRSFgx(i).setVisible(false);
    for (vb::Control* c : std::initializer_list<vb::Control*>{LRightMMenu, ShapeRMain, LRightSub, ShapeRSUB})
        c->setVisible(false);
    // The palettes of panes 33 and 34 stay open through the step that shows them.
    if (st.ZhuNo != 33 && st.ZhuNo != 34)
        Pic1J->setVisible(false);
    Pic2J->setVisible(false);
    ImgMenu->setPicture(std::nullopt);
    ImgElse->setPicture(std::nullopt);
    PicList->setHeight(scaledY(330));
}

void FrmYanShi::ToolCSH()
{
    for (vb::Image* img : {ImgMenu, ImgHui, ImgTool, ImgElse})
        img->setPicture(std::nullopt);
    Pic1J->setVisible(false);
    Pic2J->setVisible(false);
    const auto zoneOf = [this](simmenus::Container c) {
        return c == simmenus::Container::PicMenu ? PicMenu : c == simmenus::Container::PicTool ? PicTool : PicHui;
    };
    for (const simmenus::Container c :
         {simmenus::Container::PicMenu, simmenus::Container::PicTool, simmenus::Container::PicHui}) {
        const QPoint at = *simmenus::containerPos(c);
        zoneOf(c)->Move(scaledX(at.x()), scaledY(at.y()));
    }
    // The labels lie on the window: the spot's place on the bar, moved by the bar's place. The
    // sum button and its arrow are one spot here, 57.
    for (const simmenus::HotSpot& spot : simmenus::barHotSpots()) {
        if (spot.no == 86)
            continue;
        QRect r = spot.rect();
        if (spot.no == 57)
            r = r.united(simmenus::hotSpot(86)->rect());
        const vb::Image* zone = zoneOf(spot.container);
        setBounds(LblZHU(spot.no), scaled(r).translated(zone->Left(), zone->Top()));
    }
}

void FrmYanShi::ElseToolCSH()
{
    for (int n = 32; n <= 40; ++n)
        LblZHU(n).Move(0, 0, 0, 0);
    PicElse->setVisible(false);
    const std::optional<simmenus::PaneRequest> pane = simmenus::paneRequest(StepRecord::fromLine(S().StepRecord));
    if (pane) {
        PicElse->Move(scaledX(pane->pos.x()), scaledY(pane->pos.y()));
        if (auto picture = chromePicture(simmenus::chrome::pane(pane->element)))
            PicElse->setPicture(picture);
        PicElse->setVisible(true);
        if (pane->kind == simmenus::PaneRequest::Kind::Palette) {
            // A palette opens as a drop-down where the pane would stand.
            PicElse->setVisible(false);
            Pic1J->Move(PicElse->Left(), PicElse->Top());
            if (auto picture = chromePicture(simmenus::chrome::dropDown(pane->element)))
                Pic1J->setPicture(picture);
            Pic1J->setVisible(true);
            TimTool->setEnabled(true);
        }
    }
    // Every pane spot stands at the pane picture's corner, also in a step without a pane.
    const int shown = pane ? pane->element : 0;
    for (int n = 32; n <= 40; ++n) {
        const demo::SpotSize size = demo::paneSpotSize(n, shown);
        LblZHU(n).Move(PicElse->Left(), PicElse->Top(), scaledX(size.width), scaledY(size.height));
    }
}

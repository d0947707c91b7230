// The drawn pointer: the aim of each step, the travel ticks and their arrivals, the typing, the
// picture drag, the pause, the click ring, and the step advance and jump.

#include "demo/frm_yanshi_pointer.h"

#include "demo/frm_yanshi.h"
#include "demo/player_rules.h"
#include "platform/vb_picture.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/data_path.h"
#include "simwindow/step_record.h"
#include "simwindow/text_table.h"

using simwindow::StepRecord;

namespace {

QRect boundsOf(const vb::Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }

void place(vb::Line& l, const demo::Segment& s)
{
    l.setX1(s.x1);
    l.setY1(s.y1);
    l.setX2(s.x2);
    l.setY2(s.y2);
}

std::optional<QPixmap> cursorPicture(const QString& path)
{
    if (auto p = vb::LoadPicture(path))
        return p;
    if (auto c = vb::LoadCursor(path))
        return c->pixmap();
    return std::nullopt;
}

} // namespace

YanShiPointer::YanShiPointer(FrmYanShi& window) : w_(window), st_(window.st)
{
    vb::Container* self = &w_;
    // The range-drag cursor and the arrow lie above everything on the window, the ring beneath.
    vb::Container* layer = w_.PointerLayer;
    ImgICO = new vb::Image(layer);
    ImgICO->setVisible(false);
    ImgICO->Move(0, 0, 480, 480);
    for (int i = 0; i <= 5; ++i) {
        vb::Line* l = LPoinB.create(i, layer);
        l->setBorderColor(Qt::white);
        l->setBorderWidth(2);
    }
    for (int i = 0; i <= 7; ++i) {
        vb::Line* l = LPoint.create(i, layer);
        l->setBorderColor(Qt::black);
        l->setBorderWidth(1);
    }
    measure_ = new vb::Label(self);
    measure_->setBackStyle(0);
    measure_->setAutoSize(true);
    measure_->setVisible(false);

    w_.Timer1->onTimer = [this] { Timer1_Timer(); };
    w_.Timer2->onTimer = [this] { Timer2_Timer(); };
    w_.Timer3->onTimer = [this] { Timer3_Timer(); };
    w_.Timer4->onTimer = [this] { Timer4_Timer(); };
    w_.Timer5->onTimer = [this] { Timer5_Timer(); };
    w_.Timer6->onTimer = [this] { Timer6_Timer(); };
    w_.Timer7->onTimer = [this] { Timer7_Timer(); };
    w_.TimerRM->onTimer = [this] { TimerRM_Timer(); };
    w_.TimerRS->onTimer = [this] { TimerRS_Timer(); };
}

QString YanShiPointer::code() const { return codes::field(S().StepRecord, 8, 4); }

void YanShiPointer::doNext()
{
    if (!S().DemoRunning)
        return;
    for (platform::Timer* t : {w_.Timer1, w_.Timer2, w_.Timer3, w_.Timer4, w_.Timer5, w_.Timer6, w_.Timer7})
        t->setEnabled(false);
    if (code() == u"9999") {
        w_.Timer2->setEnabled(false);
        w_.Shape5->Move(demo::ParkedAt, demo::ParkedAt);
        st_.PtX = demo::ParkedAt;
        st_.PtY = demo::ParkedAt;
        w_.TimEnd->setEnabled(true);
        return;
    }
    // The step set-up ends the demonstration at a step past the question's last one.
    ++st_.StepNo;
    w_.setData();
}

void YanShiPointer::GoStep(const QString& code)
{
    const std::optional<int> step = demo::jumpStep(st_.StepNo, code);
    if (!step)
        return;
    // The step set-up ends the demonstration at a step outside the question.
    st_.StepNo = *step;
    w_.setData();
}

void YanShiPointer::MuBiaoWei()
{
    if (!S().DemoRunning)
        return;
    secondLeg_ = false;
    const StepRecord rec = StepRecord::fromLine(S().StepRecord);
    const QPoint previous(st_.TargetX, st_.TargetY);
    QPoint target = previous;
    switch (demo::aimKind(rec.OperationCode, demo::tabStepWithOtherTab(rec.TabSpec))) {
    case demo::AimKind::DialogTab:
        if (w_.LblXXK.exists(st_.ExpectedTab))
            target = demo::centreOf(boundsOf(w_.LblXXK(st_.ExpectedTab)));
        break;
    case demo::AimKind::MainTarget:
        target = demo::centreOf(boundsOf(*w_.Label1));
        break;
    case demo::AimKind::RangeStart:
        target = demo::centreOf(boundsOf(*w_.Label4));
        break;
    case demo::AimKind::Editor:
        target = demo::editorTarget(boundsOf(*w_.Text1));
        break;
    case demo::AimKind::DragPicture:
        target = demo::centreOf(boundsOf(*w_.Image5));
        break;
    case demo::AimKind::MenuElement:
        if (w_.LblZHU.exists(st_.ZhuNo)) {
            const QRect spot = boundsOf(w_.LblZHU(st_.ZhuNo));
            w_.Shape1->Move(spot.x(), spot.y(), spot.width(), spot.height());
            w_.Shape1->setVisible(true);
            target = demo::centreOf(spot);
        }
        break;
    case demo::AimKind::KeyPause:
        st_.TickCount = 0;
        st_.TargetX = st_.PtX;
        st_.TargetY = st_.PtY;
        w_.Timer4->setEnabled(true);
        w_.Timer2->setEnabled(false);
        return;
    case demo::AimKind::AutoPause:
        w_.Timer4->setEnabled(true);
        w_.Timer2->setEnabled(false);
        return;
    case demo::AimKind::List:
        target = demo::centreOf(boundsOf(*w_.LstLA));
        break;
    case demo::AimKind::LocationList:
        target = demo::locationListTarget(boundsOf(*w_.PicList), S().ScaleY);
        break;
    case demo::AimKind::Unchanged:
        break;
    }
    aim(target.x(), target.y(), *w_.Timer2);
}

void YanShiPointer::aim(int x, int y, platform::Timer& travel)
{
    st_.TargetX = x;
    st_.TargetY = y;
    const demo::Aim a = demo::aimAt({st_.PtX, st_.PtY}, {x, y});
    st_.PtSpeed = a.speed;
    st_.StepX = a.stepX;
    st_.StepY = a.stepY;
    travel.setEnabled(true);
}

void YanShiPointer::arrive()
{
    if (!S().DemoRunning)
        return;
    const auto jump = [this] {
        st_.PtX = st_.TargetX;
        st_.PtY = st_.TargetY;
        pointMove();
    };
    if (w_.Timer7->Enabled()) {
        jump();
        arrival7();
    } else if (w_.Timer6->Enabled()) {
        jump();
        arrival6();
    } else if (w_.TimerRS->Enabled()) {
        jump();
        arrivalRS();
    } else if (w_.TimerRM->Enabled()) {
        jump();
        arrivalRM();
    } else if (w_.Timer3->Enabled()) {
        arrival3(); // the picture goes along with the pointer
    } else if (w_.Timer2->Enabled()) {
        jump();
        arrival2();
    } else if (w_.Timer4->Enabled()) {
        st_.TickCount = demo::PauseTicks - 1;
        Timer4_Timer();
    }
}

void YanShiPointer::pointMove()
{
    w_.setTopmost(true);
    const demo::Arrow a = demo::arrowAt({st_.PtX, st_.PtY}, S().ScaleX, S().ScaleY);
    for (int i = 0; i <= 6; ++i)
        place(LPoint(i), a.outline[std::size_t(i)]);
    for (int i = 0; i <= 5; ++i)
        place(LPoinB(i), a.fill[std::size_t(i)]);
    place(LPoint(7), a.outline[7]);
}

bool YanShiPointer::travelTick()
{
    st_.PtX += st_.StepX;
    st_.PtY += st_.StepY;
    pointMove();
    return demo::hasArrived({st_.PtX, st_.PtY}, {st_.TargetX, st_.TargetY}, st_.PtSpeed, S().ScaleX);
}

void YanShiPointer::placeRing()
{
    const QPoint corner = demo::ringCorner({st_.PtX, st_.PtY});
    w_.Shape5->Move(corner.x(), corner.y());
    w_.Timer5->setEnabled(true);
}

void YanShiPointer::secondLegTo(QPoint target)
{
    aim(target.x(), target.y(), *w_.Timer2);
    secondLeg_ = true;
    w_.Shape4->setLeft(-100);
}

void YanShiPointer::Timer2_Timer()
{
    const QString op = code();
    w_.Shape5->setBorderColor(demo::colourOf(demo::clickRingColour(op)));
    if (!S().DemoRunning) {
        w_.Timer2->setEnabled(false);
        return;
    }
    w_.Shape6->setWidth(1);
    w_.Shape6->setHeight(1);
    st_.PtX += st_.StepX;
    st_.PtY += st_.StepY;
    if (demo::showsDragCursor(op, secondLeg_)) {
        if (demo::growsMarquee(op, st_.RangeDragLeg)) {
            // A marquee that would turn inside out keeps its one twip on that axis.
            const int width = st_.PtX - w_.Shape6->Left() + scaledX(120);
            const int height = st_.PtY - w_.Shape6->Top() + scaledY(120);
            if (width > 0)
                w_.Shape6->setWidth(width);
            if (height > 0)
                w_.Shape6->setHeight(height);
        }
        const StepRecord rec = StepRecord::fromLine(S().StepRecord);
        if (auto path = simwindow::safeFilePath(installPath(u""), demo::dragCursorFile(rec.CursorSpec)))
            if (auto p = cursorPicture(*path))
                ImgICO->setPicture(p);
        ImgICO->Move(st_.PtX, st_.PtY);
        ImgICO->setVisible(true);
        for (auto* lines : {&LPoinB, &LPoint})
            for (int i : lines->indices())
                place((*lines)(i), {-100, (*lines)(i).Y1(), -100, (*lines)(i).Y2()});
    } else {
        ImgICO->setVisible(false);
        pointMove();
    }
    if (demo::hasArrived({st_.PtX, st_.PtY}, {st_.TargetX, st_.TargetY}, st_.PtSpeed, S().ScaleX))
        arrival2();
}

void YanShiPointer::arrival2()
{
    const StepRecord rec = StepRecord::fromLine(S().StepRecord);
    const QString op = rec.OperationCode;
    const demo::Arrival action = demo::arrivalAction(op, demo::tabStepWithOtherTab(rec.TabSpec), secondLeg_);
    if (action == demo::Arrival::PictureDrag) {
        // The travel may end up to a step short of the picture's centre, beside a small picture:
        // the pointer takes the picture at its centre.
        st_.PtX = st_.TargetX;
        st_.PtY = st_.TargetY;
        pointMove();
    }
    placeRing();
    if (demo::arrivalHidesMarquee(action))
        w_.Shape6->setVisible(false);
    switch (action) {
    case demo::Arrival::TabClick: {
        // The click on the tab brings its page to the front; then on to the step's own target.
        if (vb::Image* dialog = w_.image(st_.DialogImageNo))
            if (auto p = simwindow::stepPicture(rec.overlay(st_.DialogImageNo).picture))
                dialog->setPicture(p);
        w_.Label1->setVisible(true);
        w_.Label1->setHeight(scaledY(st_.Target1Height));
        w_.Label1->setWidth(scaledX(st_.Target1Width));
        w_.LHelp->setCaption(st_.HintText);
        const QRect label = boundsOf(*w_.Label1);
        w_.Shape1->Move(label.x(), label.y(), label.width(), label.height());
        secondLegTo(demo::centreOf(label));
        Timer2_Timer();
        return;
    }
    case demo::Arrival::Advance:
    case demo::Arrival::AdvanceClick:
    case demo::Arrival::Unnamed: // a code no arrival names ends its step rather than drift on
        doNext();
        return;
    case demo::Arrival::RangeDrag: {
        const QPoint target = demo::centreOf(boundsOf(*w_.Label1));
        st_.RangeDragLeg = true;
        w_.Shape6->Move(w_.Shape4->Left(), w_.Shape4->Top(), 1, 1);
        w_.Shape6->setVisible(op.startsWith(u"004"));
        secondLegTo(target);
        w_.Shape4->setWidth(15);
        Timer2_Timer();
        return;
    }
    case demo::Arrival::LocationListOpen: {
        const double sy = S().ScaleY;
        w_.PicList->setHeight(demo::openLocationListHeight(sy));
        const int j = codes::num16(QStringView(op).right(2));
        secondLegTo(demo::locationEntryTarget(boundsOf(*w_.PicList), j, sy));
        if (w_.ImgLiN.exists(j))
            w_.ImgLiN(j).setVisible(true);
        Timer2_Timer();
        return;
    }
    case demo::Arrival::ContextMenu:
        RightKeyMenu();
        w_.Timer2->setEnabled(false);
        return;
    case demo::Arrival::Typing:
        setUpTyping();
        w_.Timer1->setEnabled(true);
        w_.Timer2->setEnabled(false);
        return;
    case demo::Arrival::PictureDrag: {
        // Held by its centre, the picture goes to where the candidate's drag would leave it.
        const QPoint drop = demo::dropPoint({st_.PtX, st_.PtY}, {w_.Image5->Left(), w_.Image5->Top()},
                                            codes::num16(op), {scaledX(st_.PointX), scaledY(st_.PointY)});
        w_.Timer2->setEnabled(false);
        aim(drop.x(), drop.y(), *w_.Timer3);
        return;
    }
    case demo::Arrival::MenuClick:
        w_.Timer2->setEnabled(false);
        w_.DemoZhuClick(st_.ZhuNo);
        return;
    }
}

void YanShiPointer::setUpTyping()
{
    const StepRecord rec = StepRecord::fromLine(S().StepRecord);
    const QString text = simwindow::fieldText(S().TextTablePath, rec.AnswerField).value_or(QString());
    st_.TypeText = demo::typingText(text);
    st_.TypePos = demo::typingStart(st_.TypeText, w_.Text1->Text());
}

void YanShiPointer::Timer1_Timer()
{
    if (!S().DemoRunning) {
        w_.Timer1->setEnabled(false);
        return;
    }
    const QString op = code();
    const demo::TypingTick t = demo::typingTick(op, st_.TypePos, st_.TypeText);
    vb::TextBox* editor = nullptr;
    switch (demo::typingEditor(op)) {
    case demo::TypingEditor::Text1: editor = w_.Text1; break;
    case demo::TypingEditor::Text2: editor = w_.Text2; break;
    case demo::TypingEditor::Text3: editor = w_.Text3; break;
    case demo::TypingEditor::None: break;
    }
    if (editor) {
        editor->setText(t.shown);
        editor->setSelStart(static_cast<int>(t.shown.size()));
    }
    st_.TypePos = t.pos;
    if (!t.done)
        return;
    w_.Timer1->setEnabled(false);
    if (op == u"0026")
        secondLegTo(demo::centreOf(boundsOf(*w_.Label1)));
    else
        doNext();
}

void YanShiPointer::carryPicture(int dx, int dy)
{
    st_.PtX += dx;
    st_.PtY += dy;
    pointMove();
    w_.Image5->Move(w_.Image5->Left() + dx, w_.Image5->Top() + dy);
}

void YanShiPointer::Timer3_Timer()
{
    if (!S().DemoRunning)
        return;
    carryPicture(st_.StepX, st_.StepY);
    if (demo::hasArrived({st_.PtX, st_.PtY}, {st_.TargetX, st_.TargetY}, st_.PtSpeed, S().ScaleX))
        arrival3();
}

void YanShiPointer::arrival3()
{
    // The drop: the last short way onto the point, with the picture, so that the picture stands
    // where the next step's pictures show it. No ring.
    carryPicture(st_.TargetX - st_.PtX, st_.TargetY - st_.PtY);
    doNext();
    w_.Timer3->setEnabled(false);
}

void YanShiPointer::Timer4_Timer()
{
    if (++st_.TickCount < demo::PauseTicks)
        return;
    st_.TickCount = 0;
    w_.Timer4->setEnabled(false);
    doNext();
}

void YanShiPointer::Timer5_Timer()
{
    if (!S().DemoRunning)
        return;
    w_.Shape5->setVisible(demo::ringVisibleAt(st_.TickCount));
    if (++st_.TickCount >= demo::RingTicks) {
        st_.TickCount = 0;
        w_.Shape5->setVisible(false);
        w_.Timer5->setEnabled(false);
    }
}

void YanShiPointer::Timer6_Timer()
{
    if (S().DemoRunning && travelTick())
        arrival6();
}

void YanShiPointer::arrival6()
{
    placeRing();
    st_.TickCount = 0;
    w_.Timer6->setEnabled(false);
    w_.Demo1JClick(st_.Item1J);
}

void YanShiPointer::Timer7_Timer()
{
    if (S().DemoRunning && travelTick())
        arrival7();
}

void YanShiPointer::arrival7()
{
    placeRing();
    st_.TickCount = 0;
    w_.Timer7->setEnabled(false);
    w_.Demo2JClick(st_.Item2J);
}

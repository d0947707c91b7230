// The press of a menu title, toolbar button or pane element, its drop-down and cascade: the
// hot spots come from the simulated menus' tables, laid on the window over the pictures.

#include "demo/demo_player.h"
#include "demo/demo_rules.h"
#include "demo/frm_yanshi.h"

#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simmenus/menu_layouts.h"
#include "simmenus/menu_rules.h"

#include <cmath>

namespace {

// Item spots of a picture onto the window: parked first, then the table's spots, then every
// spot moved by the picture's place.
void layItems(vb::ControlArray<vb::Label>& spots, int count, const std::vector<simmenus::ItemSpot>& items,
              const vb::Image& picture, std::optional<int> width)
{
    for (int k = 1; k <= count; ++k)
        spots(k).Move(simmenus::ParkedAt.x(), simmenus::ParkedAt.y(), 0, 0);
    for (const simmenus::ItemSpot& item : items)
        if (item.no >= 1 && item.no <= count)
            vb::setBounds(spots(item.no), item.rect);
    // The menu rows span the picture less its margin.
    if (width)
        for (const simmenus::ItemSpot& item : items)
            if (item.no >= 1 && item.no <= count)
                spots(item.no).setWidth(*width);
    for (int k = 1; k <= count; ++k)
        spots(k).Move(spots(k).Left() + picture.Left(), spots(k).Top() + picture.Top());
}

} // namespace

QPoint centreOf(const vb::Control& c)
{
    const auto even = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    return {even(c.Left() + c.Width() / 2.0), even(c.Top() + c.Height() / 2.0)};
}

void FrmYanShi::endMenuStep()
{
    if (st.JumpCode == u"0")
        doNext();
    else
        GoStep(st.JumpCode);
}

void FrmYanShi::DemoZhuClick(int n)
{
    for (vb::Image* img : {ImgMenu, ImgHui, ImgTool, ImgElse})
        img->setPicture(std::nullopt);
    const demo::Press press = demo::pressOf(n);
    // A press with no item ends the step; so does one whose element opens nothing to choose
    // from, which would otherwise leave the demonstration waiting for ever.
    if ((st.Item1J == 0 && st.Item2J == 0) || !press.opensDropDown) {
        Timer2->setEnabled(false);
        endMenuStep();
        return;
    }
    Pic1J->setVisible(false);
    const vb::Label& spot = LblZHU(n);
    vb::Image* pressed = press.bar == demo::PressedBar::Menu  ? ImgMenu
                         : press.bar == demo::PressedBar::Hui ? ImgHui
                         : press.bar == demo::PressedBar::Tool ? ImgTool
                                                               : ImgElse;
    const vb::Image* zone = press.bar == demo::PressedBar::Menu  ? PicMenu
                            : press.bar == demo::PressedBar::Hui ? PicHui
                            : press.bar == demo::PressedBar::Tool ? PicTool
                                                                  : PicElse;
    pressed->Move(spot.Left(), spot.Top());
    pressed->setPicture(chromePicture(simmenus::chrome::pressed(n)));
    pressed->setVisible(true);
    // A drop-down picture that cannot be read leaves the last one, placed as this one.
    if (auto picture = chromePicture(simmenus::chrome::dropDown(n)))
        Pic1J->setPicture(picture);

    // The spots lie on the window; the opener's rule takes them on their bar. The drawing
    // toolbar's drop-downs stand on the bar's top edge, not on the button's.
    const QRect bar = vb::bounds(*zone);
    QRect onBar = vb::bounds(spot).translated(-bar.topLeft());
    if (press.bar == demo::PressedBar::Hui)
        onBar.moveTop(0);
    simmenus::OpenerGeometry g;
    g.spot = onBar;
    g.container = bar;
    g.sumButton = onBar;
    g.dropDownHeight = Pic1J->Height();
    g.pressedHeight = ImgTool->Height();
    g.sx = S().ScaleX;
    const QPoint at = simmenus::dropDownPos(n, g);
    Pic1J->Move(at.x(), at.y());
    Pic1J->setVisible(true);
    Tool1JCSH();
}

void FrmYanShi::Tool1JCSH()
{
    const SessionState& s = S();
    Img1J->setPicture(std::nullopt);
    std::optional<int> width;
    if (!simmenus::menuGroupSizes(st.ZhuNo).isEmpty())
        width = Pic1J->Width() - scaledX(60);
    // The palette of pane 33 has no item spots here.
    const std::vector<simmenus::ItemSpot> items =
        st.ZhuNo == 33 ? std::vector<simmenus::ItemSpot>{} : simmenus::dropDownItems(st.ZhuNo, s.ScaleX, s.ScaleY);
    layItems(Lbl1J, simmenus::DropDownSpots, items, *Pic1J, width);
    // The demonstration places the first menu's last item by its own figure, not by the running
    // sum of rounded tops that the simulated window uses; they part at other scales.
    if (st.ZhuNo == 1 && Lbl1J.exists(21))
        Lbl1J(21).setTop(Pic1J->Top() + static_cast<int>(std::nearbyint(7140 * s.ScaleY)));
    // An item beyond the spots keeps the frame and the aim where they were.
    if (Lbl1J.exists(st.Item1J)) {
        const vb::Label& item = Lbl1J(st.Item1J);
        vb::setBounds(*Shape1, vb::bounds(item));
        st.TargetX = centreOf(item).x();
        st.TargetY = centreOf(item).y();
    }
    player().aim(st.TargetX, st.TargetY, *Timer6);
}

void FrmYanShi::Tool2JCSH()
{
    const SessionState& s = S();
    const int key = st.ZhuNo * 100 + st.Item1J;
    std::optional<int> width;
    if (key < 800)
        width = Pic2J->Width() - scaledX(30);
    layItems(Lbl2J, simmenus::CascadeSpots, simmenus::cascadeItems(key, s.ScaleX, s.ScaleY), *Pic2J, width);
    if (st.Item2J == 0)
        return;
    if (Lbl2J.exists(st.Item2J)) {
        const vb::Label& item = Lbl2J(st.Item2J);
        vb::setBounds(*Shape1, vb::bounds(item));
        st.TargetX = centreOf(item).x();
        st.TargetY = centreOf(item).y();
    }
    player().aim(st.TargetX, st.TargetY, *Timer7);
}

void FrmYanShi::Demo1JClick(int item)
{
    const SessionState& s = S();
    st.Item1J = item;
    const bool hasSpot = Lbl1J.exists(item);
    if (simmenus::opensCascade(st.ZhuNo, item) && hasSpot) {
        if (auto picture = chromePicture(simmenus::chrome::cascade(st.ZhuNo, item)))
            Pic2J->setPicture(picture);
        const QPoint at = simmenus::cascadeOpenPos(vb::bounds(*Pic1J), Lbl1J(item).Top() - Pic1J->Top(), s.ScaleX);
        Pic2J->Move(at.x(), at.y());
        Pic2J->setVisible(true);
    }
    // The cascade stays within the screen, open or not.
    const QPoint fit = simmenus::cascadeFitPos(vb::bounds(*Pic2J), vb::bounds(*Pic1J), s.ScaleX, s.ScaleY);
    Pic2J->Move(fit.x(), fit.y());
    Tool2JCSH();

    if (hasSpot)
        Img1J->Move(Lbl1J(item).Left(), Lbl1J(item).Top());
    Img1J->setPicture(chromePicture(simmenus::chrome::itemHover(st.ZhuNo, item)));
    // A step may name the highlight of its item itself ("D" at column 86).
    const std::optional<simmenus::StepMark> mark = simmenus::stepMark(codes::field(s.StepRecord, 86, 10), st.ZhuNo);
    if (mark && mark->item == item)
        if (auto picture = chromePicture(mark->picture + QStringLiteral("00")))
            Img1J->setPicture(picture);
    Img1J->setVisible(true);
    if (st.Item2J == 0)
        endMenuStep();
}

void FrmYanShi::Demo2JClick(int)
{
    if (st.Item2J == 0)
        return;
    endMenuStep();
    Img1J->setVisible(false);
}

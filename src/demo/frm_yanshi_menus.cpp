// The press of a menu title, toolbar button or pane element, its drop-down and cascade.

#include "demo/demo_rules.h"
#include "demo/frm_yanshi.h"

#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "demo/demo_player.h"

#include <cmath>

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
    vb::Label& spot = LblZHU(n);
    const QString nn = demo::twoDigits(n);
    vb::Image* pressed = press.bar == demo::PressedBar::Menu  ? ImgMenu
                         : press.bar == demo::PressedBar::Hui ? ImgHui
                         : press.bar == demo::PressedBar::Tool ? ImgTool
                                                               : ImgElse;
    pressed->Move(spot.Left(), spot.Top());
    pressed->setPicture(chromePicture(nn + QStringLiteral("0099")));
    pressed->setVisible(true);
    // A drop-down picture that cannot be read leaves the last one, placed as this one.
    if (auto picture = chromePicture(nn + QStringLiteral("0077")))
        Pic1J->setPicture(picture);
    switch (press.bar) {
    case demo::PressedBar::Menu:
        Pic1J->Move(PicMenu->Left() + spot.Left(), spot.Top() + spot.Height());
        break;
    case demo::PressedBar::Hui:
        // The drawing toolbar lies at the bottom: its drop-downs open upwards.
        Pic1J->Move(spot.Left(), PicHui->Top() - Pic1J->Height());
        break;
    case demo::PressedBar::Tool:
        Pic1J->Move(spot.Left(), spot.Top() + ImgTool->Height());
        break;
    case demo::PressedBar::Else:
        Pic1J->Move(PicElse->Left() + (st.ZhuNo == 32 ? scaledX(750) : 0), PicElse->Top() + PicElse->Height());
        break;
    case demo::PressedBar::None:
        break;
    }
    Pic1J->setVisible(true);
    Tool1JCSH();
}

void FrmYanShi::Tool1JCSH()
{
    Img1J->setPicture(std::nullopt);
    for (int k = 1; k <= 44; ++k)
        Lbl1J(k).Move(-100, -100, 0, 0);
    // TODO drop-down tables
    for (int k = 1; k <= 44; ++k)
        Lbl1J(k).Move(Lbl1J(k).Left() + Pic1J->Left(), Lbl1J(k).Top() + Pic1J->Top());
    vb::Label& item = Lbl1J.exists(st.Item1J) ? Lbl1J(st.Item1J) : Lbl1J(0);
    Shape1->Move(item.Left(), item.Top(), item.Width(), item.Height());
    player().aim(static_cast<int>(std::nearbyint(item.Left() + item.Width() / 2.0)),
                 static_cast<int>(std::nearbyint(item.Top() + item.Height() / 2.0)), *Timer6);
}

void FrmYanShi::Tool2JCSH() {}

void FrmYanShi::Demo1JClick(int item)
{
    st.Item1J = item;
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

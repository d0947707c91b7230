// The simulated menu bar, toolbars and panes: hovers and releases on their elements, the
// drop-downs and cascades they open, the items' hovers and clicks, and the panes and palettes
// that a step opens by itself.

#include "simwindow/frm_main.h"

#include "platform/vb_picture.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simmenus/menu_layouts.h"
#include "simmenus/menu_rules.h"
#include "simwindow/data_path.h"
#include "simwindow/step_record.h"

using vb::bounds;
using vb::setBounds;
namespace chrome = simmenus::chrome;

void FrmMain::wireMenuHandlers()
{
    LblZHU.MouseUp = [this](int i, int b, int s, double x, double y) { LblZHU_MouseUp(i, b, s, x, y); };
    LblZHU.MouseMove = [this](int i, int b, int s, double x, double y) { LblZHU_MouseMove(i, b, s, x, y); };
    LblZHU.Click = [this](int i) { LblZHU_Click(i); };
    Lbl1J.MouseMove = [this](int i, int b, int s, double x, double y) { Lbl1J_MouseMove(i, b, s, x, y); };
    Lbl1J.Click = [this](int i) { Lbl1J_Click(i); };
    Lbl2J.MouseMove = [this](int i, int b, int s, double x, double y) { Lbl2J_MouseMove(i, b, s, x, y); };
    Lbl2J.Click = [this](int i) { Lbl2J_Click(i); };
    TimTool->onTimer = [this] { TimTool_Timer(); };
}

std::optional<QPixmap> FrmMain::chromePicture(const QString& code) const
{
    const std::optional<QString> path = simwindow::dataFilePath(imgDir, code);
    if (!path)
        return std::nullopt;
    return vb::LoadPicture(*path);
}

vb::Image* FrmMain::highlightImage(int element) const
{
    if (element >= 0 && element <= 9)
        return ImgMenu;
    if (element >= 11 && element <= 31)
        return ImgHui;
    if (element >= 41 && element <= 86)
        return ImgTool;
    if (element >= 32 && element <= 40)
        return ImgElse;
    return nullptr;
}

vb::PictureBox* FrmMain::barOf(int element) const
{
    vb::Image* img = highlightImage(element);
    return img == ImgMenu ? PicMenu : img == ImgHui ? PicHui : img == ImgTool ? PicTool : PicElse;
}

// A highlight picture of an element goes where the element lies; the sum arrow's pictures show
// the whole sum button from the left of 86.
static void placeHighlight(vb::Image& img, vb::ControlArray<vb::Label>& spots, int element)
{
    img.Move(spots(element == 57 ? 86 : element).Left(), spots(element).Top());
}

void FrmMain::LblZHU_MouseMove(int index, int, int, double, double)
{
    // Moving over the open element keeps its picture and its drop-down.
    if (zhuIndex == index)
        return;
    zhuIndex = 0;
    Pic1J->setVisible(false);
    Pic2J->setVisible(false);
    for (vb::Image* img : {ImgMenu, ImgHui, ImgTool, ImgElse})
        img->setPicture(std::nullopt);
    vb::Image* img = highlightImage(index);
    if (!img)
        return;
    placeHighlight(*img, LblZHU, index);
    if (auto picture = chromePicture(chrome::hover(index)))
        img->setPicture(picture);
}

void FrmMain::LblZHU_Click(int) {}

void FrmMain::LblZHU_MouseUp(int index, int button, int, double, double)
{
    if (button != vb::vbLeftButton) {
        ExpectedCode = codes::numField(S().StepRecord, 8, 4);
        // The toolbars' own context menu, wherever on the bars the candidate right-clicks.
        if (ExpectedCode > 3400 && ExpectedCode < 3500 && button == vb::vbRightButton) {
            MenuContext = (ExpectedCode / 100) % 10;
            popUpContextMenu();
        }
        return;
    }
    for (vb::Image* img : {ImgMenu, ImgHui, ImgTool, ImgElse})
        img->setPicture(std::nullopt);
    zhuIndex = index;
    Pic1J->setVisible(false);
    if (simmenus::showsPressed(index)) {
        vb::Image* img = highlightImage(index);
        placeHighlight(*img, LblZHU, index);
        if (auto picture = chromePicture(chrome::pressed(index)))
            img->setPicture(picture);
    }
    if (simmenus::opensDropDown(index))
        placeDropDown(index);
    act(simmenus::elementClick(currentRecord().TargetCode, zhuIndex));
}

void FrmMain::placeDropDown(int element)
{
    // A drop-down picture that cannot be read leaves the panel's last one, shown at the new place.
    if (auto picture = chromePicture(chrome::dropDown(element)))
        Pic1J->setPicture(picture);
    simmenus::OpenerGeometry g;
    g.spot = bounds(LblZHU(element));
    g.container = bounds(*barOf(element));
    g.sumButton = bounds(LblZHU(86));
    g.dropDownHeight = Pic1J->Height();
    g.pressedHeight = ImgTool->Height();
    g.sx = S().ScaleX;
    const QPoint at = simmenus::dropDownPos(element, g);
    Pic1J->Move(at.x(), at.y());
    Pic1J->setVisible(true);
    Tool1JCSH();
}

void FrmMain::Tool1JCSH()
{
    Img1J->setPicture(std::nullopt);
    for (int i = 1; i <= simmenus::DropDownSpots; ++i)
        Lbl1J(i).Move(simmenus::ParkedAt.x(), simmenus::ParkedAt.y(), 0, 0);
    for (const simmenus::ItemSpot& spot : simmenus::dropDownItems(zhuIndex, S().ScaleX, S().ScaleY))
        setBounds(Lbl1J(spot.no), spot.rect);
    if (zhuIndex == 33 || zhuIndex == 34)
        Pic1J->setVisible(true);

    // The item the step shows marked; only a mark on a hot spot with its picture shows.
    Img1jBK->setVisible(false);
    const auto mark = simmenus::stepMark(codes::field(S().StepRecord, 86, 10), zhuIndex);
    if (!mark)
        return;
    if (auto picture = chromePicture(mark->picture + QStringLiteral("77"))) {
        Img1jBK->setPicture(picture);
        Img1jBK->Move(Lbl1J(mark->item).Left(), Lbl1J(mark->item).Top());
        Img1jBK->setVisible(true);
    }
}

void FrmMain::Tool2JCSH()
{
    Img2J->setPicture(std::nullopt);
    for (int i = 1; i <= simmenus::CascadeSpots; ++i)
        Lbl2J(i).Move(simmenus::ParkedAt.x(), simmenus::ParkedAt.y(), 0, 0);
    for (const simmenus::ItemSpot& spot : simmenus::cascadeItems(zhuIndex * 100 + item1JIndex, S().ScaleX, S().ScaleY))
        setBounds(Lbl2J(spot.no), spot.rect);
}

void FrmMain::Lbl1J_MouseMove(int index, int, int, double, double)
{
    Img1J->Move(Lbl1J(index).Left(), Lbl1J(index).Top());
    // A missing picture leaves the one shown before, at the new place.
    QString code = chrome::itemHover(zhuIndex, index);
    const auto mark = simmenus::stepMark(codes::field(S().StepRecord, 86, 10), zhuIndex);
    if (mark && mark->item == index)
        code = mark->picture + QStringLiteral("00");
    if (auto picture = chromePicture(code))
        Img1J->setPicture(picture);
    if (item1JIndex != index)
        Pic2J->setVisible(false);
}

void FrmMain::Lbl1J_Click(int index)
{
    item1JIndex = index;
    const double sx = S().ScaleX;
    if (simmenus::opensCascade(zhuIndex, item1JIndex)) {
        if (auto picture = chromePicture(chrome::cascade(zhuIndex, item1JIndex)))
            Pic2J->setPicture(picture);
        const QPoint at = simmenus::cascadeOpenPos(bounds(*Pic1J), Lbl1J(item1JIndex).Top(), sx);
        Pic2J->Move(at.x(), at.y());
        Pic2J->setVisible(true);
        Tool2JCSH();
    }
    // Every click keeps the cascade box inside the window, open or not.
    const QPoint fit = simmenus::cascadeFitPos(bounds(*Pic2J), bounds(*Pic1J), sx, S().ScaleY);
    Pic2J->Move(fit.x(), fit.y());
    act(simmenus::itemClick(currentRecord().TargetCode, zhuIndex, item1JIndex));
}

void FrmMain::Lbl2J_MouseMove(int index, int, int, double, double)
{
    Img2J->Move(Lbl2J(index).Left(), Lbl2J(index).Top());
    if (auto picture = chromePicture(chrome::cascadeItemHover(zhuIndex, item1JIndex, index)))
        Img2J->setPicture(picture);
}

void FrmMain::Lbl2J_Click(int index)
{
    act(simmenus::cascadeClick(currentRecord().TargetCode, zhuIndex, item1JIndex, index));
}

void FrmMain::ElseToolCSH()
{
    for (int i = 32; i <= 40; ++i)
        LblZHU(i).Move(0, 0, 0, 0);
    PicElse->setVisible(false);
    const auto pane = simmenus::paneRequest(currentRecord());
    if (!pane)
        return;
    const QString code = pane->kind == simmenus::PaneRequest::Kind::Pane ? chrome::pane(pane->element)
                                                                          : chrome::dropDown(pane->element);
    // A picture that cannot be read leaves the one shown before; the pane or palette still opens.
    vb::PictureBox* box = pane->kind == simmenus::PaneRequest::Kind::Pane ? PicElse : Pic1J;
    box->Move(scaledX(pane->pos.x()), scaledY(pane->pos.y()));
    if (auto picture = chromePicture(code))
        box->setPicture(picture);
    box->setVisible(true);
    if (pane->kind == simmenus::PaneRequest::Kind::Pane) {
        LblZHU(pane->element).Move(0, 0, scaledX(simmenus::PaneSpotWidth), scaledY(simmenus::PaneSpotHeight));
    } else {
        // The palette's hot spots come with the timer, once the event that laid out the step
        // has been handled.
        TimTool->setEnabled(true);
    }
}

void FrmMain::TimTool_Timer()
{
    zhuIndex = codes::numField(S().StepRecord, 87, 2);
    TimTool->setEnabled(false);
    Tool1JCSH();
}

// The simulated window's controls, its construction, the bar hot spots and the small
// behaviours of the window itself (reset, drag strip, click on the bare surface).

#include "simwindow/frm_main.h"

#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simmenus/hotspots.h"
#include "simwindow/data_path.h"
#include "simwindow/step_view.h"

#include <QGuiApplication>
#include <QMoveEvent>
#include <QScreen>
#include <QPainter>
#include <QtMath>
#include <array>

using simwindow::entryHighlight;
using simwindow::ListEdge;
using simwindow::makeFrame;
using simwindow::makeTransparent;
using simwindow::Red;
using simwindow::SongTi;
using simwindow::WindowFace;

namespace {

// The location list's pictures are part of the window, not of the data: the highlighted entries
// (each 16 pixels high), the face's picture of the chosen entry and the patch over the face's
// left edge.
constexpr std::array<int, 14> EntryWidthsPx{97, 49, 83, 83, 123, 123, 123, 123, 123, 159, 135, 93, 117, 83};

QPixmap chosenEntryFace()
{
    QPixmap p(83, 16);
    p.fill(Qt::white);
    return p;
}

QPixmap faceEdgePatch()
{
    QPixmap p(5, 22);
    p.fill(Qt::white);
    QPainter g(&p);
    g.setPen(ListEdge);
    g.drawLine(0, 0, 0, 21);
    g.drawLine(0, 0, 4, 0);
    g.drawLine(0, 21, 4, 21);
    return p;
}

vb::PictureBox* barPanel(vb::Container* parent)
{
    auto* p = new vb::PictureBox(parent);
    p->setAutoSize(true);
    p->setBorderStyle(0);
    p->setBackColor(WindowFace);
    return p;
}

} // namespace

FrmMain& frmMain() { return vb::Forms::get<FrmMain>(); }

FrmMain::FrmMain()
{
    setBorderStyle(0);
    setBackColor(WindowFace);
    buildControls();
    buildPopup();
    wireHandlers();
    controls_ = simwindow::stepControlsOf(*this);
}

FrmMain::~FrmMain() = default;


void FrmMain::buildControls()
{
    // Among the step controls, from the back: the logo over the step pictures; the success label
    // and the drag strip over the hint; the bar panels over the editors and the list; inside the
    // location list the patch over its face. The drop-downs open over everything.
    simwindow::makeStepControls(
        *this, *this,
        {.afterPictures =
             [this] {
                 ImgLogo = new vb::Image(this);
                 ImgLogo->setStretch(true);
             },
         .afterHint =
             [this] {
                 LblSuccess = new vb::Label(this);
                 LblSuccess->setBackStyle(0);
                 LblSuccess->setForeColor(Red);
                 LblSuccess->setFontName(SongTi);
                 LblSuccess->setFontSize(72);
                 LblSuccess->setAutoSize(true);
                 LblSuccess->setCaption(QStringLiteral("操作成功！"));
                 LblSuccess->setVisible(false);
                 lblMove = new vb::Label(this);
                 makeTransparent(*lblMove);
             },
         .afterEditors =
             [this] {
                 buildBar(PicMenu, ImgMenu, ShapeMenu, {{1, 10}});
                 buildBar(PicHui, ImgHui, ShapeHui, {{11, 31}});
                 // Ascending numbers stack 86 in front of 57, which it overlaps.
                 buildBar(PicTool, ImgTool, ShapeTool, {{41, 86}});
                 buildBar(PicElse, ImgElse, ShapeElse, {{0, 0}, {32, 40}});
                 PicElse->setVisible(false);
                 for (const int i : LblZHU.indices())
                     LblZHU(i).Move(0, 0, 0, 0);
             },
         .afterChosenEntry =
             [this] {
                 ImgFuGai = new vb::Image(PicList);
                 ImgFuGai->setPicture(faceEdgePatch());
             }});
    LHelp->setFontSize(10.5);
    Image6->setBackColor(Qt::white);
    Text1->setFontSize(12);
    ImgSelAD->setPicture(chosenEntryFace());
    for (int i = 0; i <= 13; ++i) {
        ImgLiN(i).setPicture(entryHighlight(EntryWidthsPx[static_cast<std::size_t>(i)]));
        ImgLiN(i).setVisible(false);
    }

    Pic1J = barPanel(this);
    Pic1J->setVisible(false);
    Img1jBK = new vb::Image(Pic1J);
    Img1J = new vb::Image(Pic1J);
    for (int i = 1; i <= 44; ++i)
        makeTransparent(*Lbl1J.create(i, static_cast<vb::Container*>(Pic1J)));
    Pic2J = barPanel(this);
    Pic2J->setVisible(false);
    Img2J = new vb::Image(Pic2J);
    for (int i = 1; i <= 33; ++i)
        makeTransparent(*Lbl2J.create(i, static_cast<vb::Container*>(Pic2J)));
    for (auto* arr : {&Lbl1J, &Lbl2J})
        for (const int i : arr->indices())
            (*arr)(i).Move(0, 0, 0, 0);

    Timer2 = new platform::Timer(this, 100);
    Timer3 = new platform::Timer(this, 1000);
    TimerDisFK = new platform::Timer(this, 100);
    TimTool = new platform::Timer(this, 100);
}

// A bar panel holds, from the back: its highlight image, its hot spots, its hint frame.
void FrmMain::buildBar(vb::PictureBox*& box, vb::Image*& highlight, vb::Shape*& frame,
                       std::initializer_list<std::pair<int, int>> elements)
{
    box = barPanel(this);
    highlight = new vb::Image(box);
    for (const auto& [from, to] : elements)
        for (int i = from; i <= to; ++i)
            makeTransparent(*LblZHU.create(i, static_cast<vb::Container*>(box)));
    frame = new vb::Shape(box);
    makeFrame(*frame, Red, 2);
}

void FrmMain::buildPopup()
{
    // Only element 0 of each item array exists before the window loads; the load adds the rest.
    wm100 = new vb::Menu(static_cast<vb::Form*>(this));
    wm100->setVisible(false);
    const auto hidden = [](vb::Menu* m) {
        m->setVisible(false);
        return m;
    };
    sMivoMain1 = hidden(new vb::Menu(wm100));
    hidden(sMivoSub1.create(0, sMivoMain1));
    hidden(sMivoInde1.create(0, wm100));
    sMivoMain2 = hidden(new vb::Menu(wm100));
    hidden(sMivoSub2.create(0, sMivoMain2));
    hidden(sMivoInde2.create(0, wm100));
    sMivoMain3 = hidden(new vb::Menu(wm100));
    hidden(sMivoSub3.create(0, sMivoMain3));
    hidden(sMivoInde3.create(0, wm100));
    sMivoMain4 = hidden(new vb::Menu(wm100));
    hidden(sMivoSub4.create(0, sMivoMain4));
    sMivoMain5 = hidden(new vb::Menu(wm100));
    hidden(sMivoSub5.create(0, sMivoMain5));
    hidden(sMivoInde4.create(0, wm100));
}

void FrmMain::wireHandlers()
{
    Timer2->onTimer = [this] { Timer2_Timer(); };
    Timer3->onTimer = [this] { Timer3_Timer(); };
    TimerDisFK->onTimer = [this] { TimerDisFK_Timer(); };
    lblMove->MouseDown = [this](int b, int s, double x, double y) { lblMove_MouseDown(b, s, x, y); };
    lblMove->MouseUp = [this](int, int, double, double) { lblMove_MouseUp(); };
    Label1->MouseUp = [this](int b, int s, double x, double y) { Label1_MouseUp(b, s, x, y); };
    Label1->DblClick = [this] { Label1_DblClick(); };
    Label1->MouseMove = [this](int b, int s, double x, double y) { Label1_MouseMove(b, s, x, y); };
    Image1->Click = [this] { Image1_Click(); };
    Image2->Click = [this] { Image2_Click(); };
    Image3->Click = [this] { Image3_Click(); };
    Image4->Click = [this] { Image4_Click(); };
    Image1->MouseMove = [this](int b, int s, double x, double y) { Image1_MouseMove(b, s, x, y); };
    Image2->MouseMove = [this](int b, int s, double x, double y) { Image2_MouseMove(b, s, x, y); };
    Image3->MouseMove = [this](int b, int s, double x, double y) { Image3_MouseMove(b, s, x, y); };
    Image4->MouseMove = [this](int b, int s, double x, double y) { Image4_MouseMove(b, s, x, y); };
    ImgLiN.Click = [this](int i) { ImgLiN_Click(i); };

    // Image6_KeyDown, PicMenu_KeyDown ... PicBottom_KeyDown: each hands the key on unchanged.
    for (vb::Control* c : std::initializer_list<vb::Control*>{Image6, PicMenu, PicTool, PicHui, PicElse, Pic1J, Pic2J,
                                                               PicList, PicLeft, PicRight, PicTop, PicBottom})
        c->KeyDown = [this](int& keyCode, int shift) { KeyClick(keyCode, shift); };

    Label4->MouseDown = [this](int b, int s, double x, double y) { Label4_MouseDown(b, s, x, y); };
    Label4->MouseMove = [this](int b, int s, double x, double y) { Label4_MouseMove(b, s, x, y); };
    Label4->MouseUp = [this](int b, int s, double x, double y) { Label4_MouseUp(b, s, x, y); };
    Image5->MouseMove = [this](int b, int s, double x, double y) { Image5_MouseMove(b, s, x, y); };
    Image5->MouseUp = [this](int b, int s, double x, double y) { Image5_MouseUp(b, s, x, y); };

    Text1->Change = [this] { Text1_Change(); };
    Text1->KeyUp = [this](int& k, int s) { Text1_KeyUp(k, s); };
    Text1->MouseUp = [this](int b, int s, double x, double y) { Text1_MouseUp(b, s, x, y); };
    Text1->GotFocus = [this] { Text1_GotFocus(); };
    Text2->Change = [this] { Text2_Change(); };
    Text3->Change = [this] { Text3_Change(); };
    Text3->GotFocus = [this] { Text3_GotFocus(); };
    Text4->Change = [this] { Text4_Change(); };
    Text4->KeyUp = [this](int& k, int s) { Text4_KeyUp(k, s); };

    LblXXK.Click = [this](int i) { LblXXK_Click(i); };
    LstLA->Click = [this] { LstLA_Click(); };
    LblADD.Click = [this](int i) { LblADD_Click(i); };
    LblADD.MouseMove = [this](int i, int b, int s, double x, double y) { LblADD_MouseMove(i, b, s, x, y); };
    LblADDmyXZ->Click = [this] { LblADDmyXZ_Click(); };
    wireMenuHandlers();
    wirePopupHandlers();
}

void FrmMain::Form_Load()
{
    SessionState& s = S();
    if (auto icon = simwindow::stepPicture(QStringLiteral("l62011")))
        setIcon(icon);

    // The normal window has the design size, 800 x 600 pixels.
    const int w = scaledX(12000);
    const int h = scaledY(9000);
    if (vb::screenHeightTw() / 15.0 > 650 * s.ScaleY) {
        // More than 650 pixel rows: in the middle of the screen.
        normalBounds_ = QRect((vb::screenWidthTw() - w) / 2, (vb::screenHeightTw() - h) / 2, w, h);
        setWindowState(vb::vbNormal);
        Move(normalBounds_.x(), normalBounds_.y(), w, h);
    } else {
        // Maximised at 0, 0. The window takes the screen's area itself before the state (a
        // change of its size would end the state), for a window system that applies no states
        // (X without a window manager); a later normal state gives it the design size at 0, 0.
        normalBounds_ = QRect(0, 0, w, h);
        Move(0, 0, vb::screenWidthTw(), vb::screenHeightTw());
        setWindowState(vb::vbMaximized);
    }
    dockPanel();

    Label1->setCaption(QString());
    ImgLogo->Move(scaledX(10200), scaledY(8235), scaledX(1740), scaledY(345));
    if (auto logo = simwindow::stepPicture(QStringLiteral("l62009")))
        ImgLogo->setPicture(logo);

    for (int q = 1; q <= 40; ++q)
        s.SavedStep[static_cast<std::size_t>(q)] = 1;

    for (int i = 1; i <= 10; ++i)
        for (auto* items : {&sMivoInde1, &sMivoInde2, &sMivoInde3, &sMivoInde4, &sMivoSub1, &sMivoSub2,
                            &sMivoSub3, &sMivoSub4, &sMivoSub5})
            items->Load(i);

    imgDir = installPath(u"examdata/");

    simwindow::loadStepControls(*this);

    const std::array<std::pair<vb::PictureBox*, const char16_t*>, 4> bars{
        {{PicMenu, u"9lX007"}, {PicHui, u"9lX008"}, {PicTool, u"9lX009"}, {PicList, u"9lX010"}}};
    for (const auto& [box, code] : bars)
        if (auto picture = simwindow::stepPictureFile(QString::fromUtf16(code)))
            box->setPicture(*picture);

    FontColorTable = simwindow::FontColorTable::fromDataDir(s.DataDir);
    TabLayoutTable = simwindow::TabLayoutTable::fromDataDir(s.DataDir);

    for (const simmenus::HotSpot& spot : simmenus::barHotSpots())
        if (!spot.tooltip.isEmpty())
            LblZHU(spot.no).setToolTipText(spot.tooltip.toString());

    lblMove->Move(scaledX(1440), 0, scaledX(9495), scaledY(375));
    LblSuccess->setFontSize(72 * s.ScaleX);
    LblSuccess->Move(scaledX(2640), scaledY(3840));
    LblSuccess->setVisible(false);

    ToolCSH();
}

void FrmMain::ToolCSH()
{
    for (vb::Image* img : {ImgMenu, ImgHui, ImgTool, ImgElse})
        img->setPicture(std::nullopt);
    Pic1J->setVisible(false);
    Pic2J->setVisible(false);
    for (const simmenus::Container c : {simmenus::Container::PicMenu, simmenus::Container::PicTool,
                                        simmenus::Container::PicHui}) {
        const QPoint at = *simmenus::containerPos(c);
        vb::PictureBox* box = c == simmenus::Container::PicMenu ? PicMenu
                              : c == simmenus::Container::PicTool ? PicTool
                                                                  : PicHui;
        box->Move(scaledX(at.x()), scaledY(at.y()));
    }
    for (const simmenus::HotSpot& spot : simmenus::barHotSpots())
        LblZHU(spot.no).Move(scaledX(spot.left), scaledY(spot.top), scaledX(spot.width), scaledY(spot.height));
}

void FrmMain::frmCsh()
{
    // The palettes that a step opens for a pane stay open over the pointer's moves.
    if (zhuIndex != 33 && zhuIndex != 34) {
        Pic1J->setVisible(false);
        zhuIndex = 0;
    }
    Pic2J->setVisible(false);
    for (vb::Image* img : {ImgMenu, ImgElse, ImgHui, ImgTool})
        img->setPicture(std::nullopt);
    PicList->setHeight(scaledY(330));
}

void FrmMain::dockPanel()
{
    FrmTm& panel = vb::Forms::get<FrmTm>();
    // A maximised window takes its maximised geometry only when the window system has shown it
    // (after this window's load, or after the panel has shown it): until then it is docked to
    // the screen's area that it will fill, and docked again once it has it (Form_Resize).
    QRect window(Left(), Top(), Width(), Height());
    const QScreen* screen = this->screen();
    if (WindowState() == vb::vbMaximized && !(isVisible() && screen && frameGeometry() == screen->availableGeometry()))
        window = QRect(0, 0, vb::screenWidthTw(), vb::screenHeightTw());
    panel.Move(window.x() + window.width() - panel.Width(), window.y() + window.height() - panel.Height());
}

void FrmMain::Form_Resize()
{
    // Where the window system keeps no window states of its own (X without a window manager),
    // or restores a size of its own, the normal window takes its design size here.
    const int state = WindowState();
    if (state == vb::vbNormal && !normalBounds_.isEmpty()
        && (Width() != normalBounds_.width() || Height() != normalBounds_.height()))
        Move(normalBounds_.x(), normalBounds_.y(), normalBounds_.width(), normalBounds_.height());
    // The panel follows every change of the window's size or state (a move alone is the drag's).
    if (state != vb::vbMinimized && vb::Forms::isLoaded<FrmTm>())
        dockPanel();
}

void FrmMain::bringWindowsToFront()
{
    // The window comes above the other windows and the panel stays above it; the panel is
    // raised last too, for window systems that keep no topmost layer of their own.
    FrmTm& panel = vb::Forms::get<FrmTm>();
    panel.setTopmost(true);
    bringToFront();
    panel.bringToFront();
}

void FrmMain::lblMove_MouseDown(int button, int, double, double)
{
    // Below 650 pixel rows the window fills the screen and stays put.
    if (650 * S().ScaleY > vb::screenHeightTw() / 15.0)
        return;
    if (button == vb::vbLeftButton) {
        // The window system moves the window after this handler has returned: the panel
        // follows the moves of this drag only (moveEvent), and is docked once more when the
        // drag has ended (lblMove_MouseUp, or the first move seen without the button).
        followDrag_ = true;
        beginDrag();
    }
    dockPanel();
}

void FrmMain::lblMove_MouseUp()
{
    if (!followDrag_)
        return;
    followDrag_ = false;
    dockPanel();
}

void FrmMain::moveEvent(QMoveEvent* e)
{
    vb::Form::moveEvent(e);
    if (!followDrag_)
        return;
    dockPanel();
    if (!(QGuiApplication::mouseButtons() & Qt::LeftButton))
        followDrag_ = false;
}

void FrmMain::Form_Click() { PicList->setHeight(scaledY(330)); }

// The simulated program is not closed from the window system: the panel's buttons are the
// session's way on and back, and they need this window.
void FrmMain::Form_QueryUnload(int& cancel, int) { cancel = 1; }

// The demonstration window's controls, its load, its end and the candidate's interruptions.

#include "demo/frm_yanshi.h"

#include "demo/demo_player.h"
#include "demo/frm_yanshi_pointer.h"
#include "demo/player_rules.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"
#include "session_state/codes.h"
#include "session_state/session_state.h"
#include "simwindow/data_path.h"
#include "simwindow/step_view.h"
#include "session/frm_tm.h"
#include "simwindow/frm_main.h"

#include <QFontMetrics>

#include <algorithm>
#include <initializer_list>

namespace {

vb::Image* hiddenImage(vb::Container* parent)
{
    auto* img = new vb::Image(parent);
    img->setVisible(false);
    return img;
}

// A borderless picture box drawing nothing of its own, through which the mouse reaches the
// controls beneath it and which never takes the focus.
vb::PictureBox* clearLayer(vb::Container* parent)
{
    auto* layer = new vb::PictureBox(parent);
    layer->setBorderStyle(0);
    layer->setBackColor(Qt::transparent);
    layer->widget()->setAttribute(Qt::WA_TransparentForMouseEvents);
    layer->widget()->setFocusPolicy(Qt::NoFocus);
    return layer;
}

} // namespace

YanShiState& yanShiState()
{
    static YanShiState state;
    return state;
}

FrmYanShi::FrmYanShi() : st(yanShiState())
{
    setBorderStyle(0);
    setBackColor(simwindow::WindowFace);
    // The keys that end the demonstration reach the window before its editors, whichever of
    // them has the focus at a typing step.
    setKeyPreview(true);
    buildControls();
    player_ = std::make_unique<YanShiPointer>(*this);
}

FrmYanShi::~FrmYanShi() = default;

void FrmYanShi::setPlayer(std::unique_ptr<DemoPlayer> player) { player_ = std::move(player); }

void FrmYanShi::buildMenuPictures(vb::Container* self)
{
    ImgMenu = new vb::Image(self);
    ImgHui = new vb::Image(self);
    ImgTool = new vb::Image(self);
    ImgElse = new vb::Image(self);
    Pic1J = hiddenImage(self);
    Pic2J = hiddenImage(self);
    Img1J = hiddenImage(self);
    for (int i = 0; i <= 86; ++i)
        simwindow::makeTransparent(*LblZHU.create(i, self));
    for (int i = 0; i <= 44; ++i)
        simwindow::makeTransparent(*Lbl1J.create(i, self));
    Lbl1J(0).Move(0, 0, 495, 495);
    for (int i = 1; i <= 33; ++i)
        simwindow::makeTransparent(*Lbl2J.create(i, self));
}

void FrmYanShi::buildNoteAndContextMenu(vb::Container* self)
{
    ImgLogo = new vb::Label(self);
    ImgLogo->setCaption(QStringLiteral("Label2"));
    ImgLogo->setWordWrap(true);

    // The drawn context menu and submenu: the player shows them.
    const auto hidden = [](vb::Control* c) { c->setVisible(false); };
    LRightMMenu = new vb::Label(self);
    ShapeRMain = new vb::Shape(self);
    for (auto* arr : {&LRM2, &LRM4, &LRM6, &LRM9})
        for (int i = 0; i <= 9; ++i)
            hidden(arr->create(i, self));
    for (const int i : {1, 3, 5, 7, 8}) {
        hidden(LRMJL.create(i, self));
        hidden(ImgJLSanjiao.create(i, self));
    }
    for (int i = 0; i <= 9; ++i)
        hidden(LRFGX.create(i, self));
    // The submenu over the menu, its entries and rules over its body.
    LRightSub = new vb::Label(self);
    ShapeRSUB = new vb::Shape(self);
    for (int i = 0; i <= 9; ++i)
        hidden(LRS.create(i, self));
    for (int i = 0; i <= 5; ++i)
        hidden(LRSFgx.create(i, self));
    for (vb::Control* c : std::initializer_list<vb::Control*>{LRightMMenu, ShapeRMain, LRightSub, ShapeRSUB})
        hidden(c);

    // What the pointer opens lies over the hint and the note that might stand in its way, and
    // the red frame over the menu whose row it marks.
    for (vb::Control* c : std::initializer_list<vb::Control*>{Pic1J, Pic2J, Img1J, Shape1})
        c->ZOrder(0);
}

void FrmYanShi::buildControls()
{
    vb::Container* self = this;
    // Among the step controls, from the back: the bars and panes under the step pictures; over
    // them the pressed pictures and the hot spots; the frames; the hint, the note and the drawn
    // context menu; the open drop-down, cascade and highlight; the red frame on top. Above every
    // control the pointer layer with the click ring and the arrow.
    PicMenu = new vb::Image(self);
    PicTool = new vb::Image(self);
    PicHui = new vb::Image(self);
    PicElse = hiddenImage(self);
    simwindow::makeStepControls(
        *this, *this,
        {.afterPictures = [this, self] { buildMenuPictures(self); },
         .afterHint = [this, self] { buildNoteAndContextMenu(self); }});
    Image6->setVisible(false);
    PointerLayer = clearLayer(self);
    Shape5 = new vb::Shape(PointerLayer);
    simwindow::makeFrame(*Shape5, simwindow::Red, 2);
    Shape5->setShape(3);
    Shape5->Move(-500, -500, 375, 375);
    for (int i = 0; i <= 13; ++i)
        ImgLiN(i).setPicture(simwindow::entryHighlight(123));

    Timer1 = new platform::Timer(this, 500);
    Timer2 = new platform::Timer(this, 100);
    Timer3 = new platform::Timer(this, 1000);
    Timer4 = new platform::Timer(this, 200);
    Timer5 = new platform::Timer(this, 100);
    Timer6 = new platform::Timer(this, 100);
    Timer7 = new platform::Timer(this, 200);
    TimerRM = new platform::Timer(this, 100);
    TimerRS = new platform::Timer(this, 100);
    TimEnd = new platform::Timer(this, 100);
    TimTool = new platform::Timer(this, 100);
    TimEnd->onTimer = [this] { TimEnd_Timer(); };
    ImgLiN.Click = [this](int i) { ImgLiN_Click(i); };
    for (vb::Image* img : {Image1, Image2, Image3, Image4, Image5})
        img->DblClick = [this] { TimEnd->setEnabled(true); };

    controls_ = simwindow::stepControlsOf(*this);
}

simwindow::StepVars FrmYanShi::vars()
{
    return {st.Target1Width, st.Target1Height, st.HintText,   st.TabLayoutRow, st.DialogImageNo,
            st.DialogLeft,   st.DialogTop,     st.ExpectedTab, st.TabCount,     st.FrontTabRow,
            true};
}

std::optional<QPixmap> FrmYanShi::chromePicture(const QString& name) const
{
    const std::optional<QString> path = simwindow::safeFilePath(st.imgDir, name + QStringLiteral(".mxy"));
    if (!path)
        return std::nullopt;
    return vb::LoadPicture(*path);
}

void FrmYanShi::Form_Load()
{
    SessionState& s = S();
    if (auto icon = simwindow::stepPicture(QStringLiteral("l62011")))
        setIcon(icon);
    const QPoint start = demo::startPosition(s.ScaleX, s.ScaleY);
    st.PtX = start.x();
    st.PtY = start.y();
    s.DisplayMode = 1;
    st.TickCount = 0;
    Label1->setCaption(QString());

    const int w = scaledX(12000);
    const int h = scaledY(9000);
    setWindowState(vb::vbNormal);
    Move((vb::screenWidthTw() - w) / 2, (vb::screenHeightTw() - h) / 2, w, h);
    Form_Resize(); // a hidden window hears of its size only once it is shown

    // The note: the question's text as the panel shows it (without a panel, the question line's
    // text), on light yellow, one 180-twip line per 14 characters.
    const QString note = vb::Forms::isLoaded<FrmTm>() ? frmTm().RtbTM->Text().trimmed()
                                                      : codes::trimSpaces(QStringView(s.QuestionLine).mid(6));
    ImgLogo->setBackStyle(1);
    ImgLogo->setBackColor(QColor(255, 255, 192));
    ImgLogo->setFontSize(9 * s.ScaleX);
    ImgLogo->setCaption(note);
    // The count of lines assumes a font of 12-pixel lines and characters; the text wrapped at
    // the box's width in the note's own face may need more, and gets it, so that the end of the
    // question is never cut off. A box that would reach past the window's bottom stands higher.
    const int width = scaledX(2535);
    const QRect wrapped = QFontMetrics(ImgLogo->widget()->font())
                              .boundingRect(QRect(0, 0, vb::pxX(width), 1 << 20), Qt::TextWordWrap, note);
    const int height = std::max(demo::noteHeight(static_cast<int>(note.size()), s.ScaleY),
                                qRound(vb::twY(wrapped.height())) + scaledY(15));
    const int top = std::max(0, std::min(scaledY(7620), h - height));
    ImgLogo->Move(scaledX(9420), top, width, height);
    setTopmost(true);
    // The window lies exactly over the hidden simulated window.
    if (vb::Forms::isLoaded<FrmMain>()) {
        FrmMain& main = frmMain();
        main.setWindowState(vb::vbNormal);
        Move(main.Left(), main.Top());
    }

    st.imgDir = installPath(u"examdata/");
    simwindow::loadStepControls(*this);
    for (const auto& [control, code] : {std::pair<vb::Image*, const char*>{PicMenu, "9lX007"},
                                        {PicHui, "9lX008"}, {PicTool, "9lX009"}})
        if (auto picture = simwindow::stepPictureFile(QString::fromLatin1(code)))
            control->setPicture(*picture);
    if (auto picture = simwindow::stepPictureFile(QStringLiteral("9lX010")))
        PicList->setPicture(*picture);

    st.FontColorTable = simwindow::FontColorTable::fromDataDir(s.DataDir);
    st.TabLayoutTable = simwindow::TabLayoutTable::fromDataDir(s.DataDir);

    st.StepNo = 1;
    CSH();
    setData();
}

// The pointer layer covers the whole window, whatever its size.
void FrmYanShi::Form_Resize() { PointerLayer->Move(0, 0, ScaleWidth(), ScaleHeight()); }

void FrmYanShi::TimEnd_Timer()
{
    Shape5->Move(-500, -500);
    ++st.TickCount;
    if (st.TickCount < 4)
        return;
    for (platform::Timer* t : {Timer1, Timer2, Timer3, Timer4, Timer5, Timer6, Timer7})
        t->setEnabled(false);
    st.TickCount = 0;
    st.StepNo = 1;
    S().DemoRunning = 0;
    TimEnd->setEnabled(false);
    // Nothing below touches this window: it is gone.
    vb::Unload(*this);
    // Back to the practice: the simulated window, and the panel that shows the question again.
    if (vb::Forms::isLoaded<FrmMain>())
        frmMain().Show();
    if (vb::Forms::isLoaded<FrmTm>()) {
        FrmTm& panel = frmTm();
        panel.TimerREDO->setEnabled(true);
        panel.Show();
    }
}

void FrmYanShi::Form_DblClick() { TimEnd->setEnabled(true); }

// Closed by the window system: the end a double click starts, so that the simulated window and
// the panel, hidden while the demonstration plays, come back with it.
void FrmYanShi::Form_QueryUnload(int& cancel, int)
{
    cancel = 1;
    TimEnd->setEnabled(true);
}

namespace {

bool endsTheDemonstration(int keyCode) { return keyCode == 13 || keyCode == 32 || keyCode == 27; }

} // namespace

// The demonstration's editors show what the pointer types: these keys end it and type nothing.
void FrmYanShi::Form_KeyDown(int& keyCode, int)
{
    if (endsTheDemonstration(keyCode))
        keyCode = 0;
}

void FrmYanShi::Form_KeyUp(int& keyCode, int)
{
    if (endsTheDemonstration(keyCode))
        TimEnd->setEnabled(true);
}

void FrmYanShi::doNext() { player_->doNext(); }
void FrmYanShi::GoStep(const QString& code) { player_->GoStep(code); }
void FrmYanShi::MuBiaoWei() { player_->MuBiaoWei(); }

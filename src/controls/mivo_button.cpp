#include "controls/mivo_button.h"

#include "platform/vb_hosted.h"
#include "platform/vb_units.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <cmath>

namespace {

std::optional<QPoint>& pointerOverride()
{
    static std::optional<QPoint> at;
    return at;
}

constexpr int FrameNormal = 0;
constexpr int FrameHover = 1;
constexpr int FramePressed = 2;
constexpr int FrameDisabled = 3;

} // namespace

int mivoCaptionOffset(int outer, int inner)
{
    // Halves go to the even neighbour (nearbyint rounds to even in the default rounding mode);
    // the division then truncates toward zero.
    const int half = static_cast<int>(std::nearbyint((outer - inner) / 2.0));
    return half / 15 * 15;
}

mivoButton::mivoButton(vb::Container* container) : ContainerControl(container)
{
    // The button's own window; where the strip does not cover it (a missing picture) it reacts
    // like the strip, so a button without its face still answers.
    auto* w = new vb::detail::Hosted<QWidget>(container->containerWidget());
    w->setFocusPolicy(Qt::NoFocus);
    attach(w, w);

    ImgBack = new vb::Image(this);
    ImgBack->setStretch(false);
    ImgBack->setTop(0);
    LblCaption = new vb::Label(this);
    LblCaption->setBackStyle(0);
    LblCaption->setAutoSize(true);
    LblCaption->setForeColor(QApplication::palette().color(QPalette::ButtonText));

    // The caption hands its mouse events to the strip's handlers, so the whole face behaves alike.
    for (vb::Control* part : {static_cast<vb::Control*>(ImgBack), static_cast<vb::Control*>(LblCaption)}) {
        part->MouseDown = [this](int, int, double, double) { ImgBack_MouseDown(); };
        part->MouseMove = [this](int, int, double, double) { ImgBack_MouseMove(); };
        part->MouseUp = [this](int, int, double, double) { ImgBack_MouseUp(); };
    }

    // The timer belongs to the button's window, so that unloading the form stops it too.
    Timer1 = new platform::Timer(w, 100);
    Timer1->onTimer = [this] { Timer1_Timer(); };
    Timer1->setEnabled(true);

    centreCaption();
    showFrame(FrameNormal);
}

mivoButton::~mivoButton()
{
    if (widget()) { // the timer lives as long as the window
        Timer1->setEnabled(false);
        Timer1->onTimer = nullptr;
    }
    destroyControls();
    ImgBack = nullptr;
    LblCaption = nullptr;
}

vb::Control* mivoButton::clone() const
{
    auto* c = new mivoButton(Control::Container());
    c->copyBaseFrom(*this);
    c->setFont(Font());
    c->setForeColor(ForeColor());
    c->setMouseIcon(mouseIcon_);
    c->setPicture(Picture());
    c->setCaption(Caption());
    c->setEnabled(Enabled());
    return c;
}

// ---------------------------------------------------------------------------------------------
// Properties

QColor mivoButton::ForeColor() const { return LblCaption->ForeColor(); }
void mivoButton::setForeColor(const QColor& color) { LblCaption->setForeColor(color); }

void mivoButton::setEnabled(bool enabled)
{
    Control::setEnabled(enabled);
    showFrame(enabled ? FrameNormal : FrameDisabled);
}

QFont mivoButton::Font() const
{
    QFont f = vb::makeFont(LblCaption->FontName(), LblCaption->FontSize(), LblCaption->FontBold());
    f.setItalic(LblCaption->FontItalic());
    f.setUnderline(LblCaption->FontUnderline());
    return f;
}

void mivoButton::setFont(const QFont& font)
{
    LblCaption->setFontName(font.family());
    if (font.pointSizeF() > 0)
        LblCaption->setFontSize(font.pointSizeF());
    LblCaption->setFontBold(font.bold());
    LblCaption->setFontItalic(font.italic());
    LblCaption->setFontUnderline(font.underline());
}

QString mivoButton::Caption() const { return LblCaption->Caption(); }

void mivoButton::setCaption(const QString& caption)
{
    LblCaption->setCaption(caption);
    centreCaption();
}

bool mivoButton::FontBold() const { return LblCaption->FontBold(); }
void mivoButton::setFontBold(bool on) { LblCaption->setFontBold(on); }
QString mivoButton::FontName() const { return LblCaption->FontName(); }
void mivoButton::setFontName(const QString& name) { LblCaption->setFontName(name); }
double mivoButton::FontSize() const { return LblCaption->FontSize(); }
void mivoButton::setFontSize(double points) { LblCaption->setFontSize(points); }
bool mivoButton::FontUnderline() const { return LblCaption->FontUnderline(); }
void mivoButton::setFontUnderline(bool on) { LblCaption->setFontUnderline(on); }

void mivoButton::setMouseIcon(std::optional<QCursor> icon)
{
    mouseIcon_ = icon;
    Control::setMouseIcon(std::move(icon));
}

const std::optional<QPixmap>& mivoButton::Picture() const { return ImgBack->Picture(); }
void mivoButton::setPicture(std::optional<QPixmap> picture) { ImgBack->setPicture(std::move(picture)); }
void mivoButton::setPicture(const vb::PictureFile& file) { ImgBack->setPicture(file); }

// ---------------------------------------------------------------------------------------------
// Looks

int mivoButton::shownFrame() const { return Width() > 0 ? -ImgBack->Left() / Width() : 0; }

void mivoButton::showFrame(int frame) { ImgBack->setLeft(-frame * Width()); }

void mivoButton::centreCaption()
{
    LblCaption->Move(mivoCaptionOffset(Width(), LblCaption->Width()), mivoCaptionOffset(Height(), LblCaption->Height()));
}

void mivoButton::pressCaption()
{
    // One screen pixel right and down.
    LblCaption->Move(mivoCaptionOffset(Width(), LblCaption->Width()) + qRound(vb::twipsPerPixelX()),
                     mivoCaptionOffset(Height(), LblCaption->Height()) + qRound(vb::twipsPerPixelY()));
}

bool mivoButton::IsMouseOver() const
{
    const QPoint at = pointerOverride().value_or(QCursor::pos());
    const QWidget* under = QApplication::widgetAt(at);
    return under && widget() && (under == widget() || widget()->isAncestorOf(under));
}

void mivoButton::setPointerOverride(std::optional<QPoint> globalPx) { pointerOverride() = globalPx; }

void mivoButton::applyGeometry()
{
    Control::applyGeometry();
    if (ImgBack && (Width() != laidOutWidth_ || Height() != laidOutHeight_))
        UserControl_Resize();
}

// ---------------------------------------------------------------------------------------------
// Handlers

bool mivoButton::raiseMouse(vb::detail::MouseKind kind, int, int, double, double)
{
    using vb::detail::MouseKind;
    if (!live())
        return false;
    QPointer<mivoButton> self(this);
    switch (kind) {
    case MouseKind::Down: ImgBack_MouseDown(); break;
    case MouseKind::Move: ImgBack_MouseMove(); break;
    case MouseKind::Up: ImgBack_MouseUp(); break;
    default: break; // the strip handles no click or double click of its own either
    }
    return !self.isNull();
}

void mivoButton::UserControl_Resize()
{
    laidOutWidth_ = Width();
    laidOutHeight_ = Height();
    // The strip's left edge, and so the frame it shows, stays as it was.
    centreCaption();
    ImgBack->setTop(0);
}

void mivoButton::ImgBack_MouseMove()
{
    if (ImgBack->Left() == 0) {
        showFrame(FrameHover);
        centreCaption();
    }
    Timer1->setEnabled(true);
}

void mivoButton::ImgBack_MouseDown()
{
    showFrame(FramePressed);
    pressCaption();
    Timer1->setEnabled(true);
}

void mivoButton::ImgBack_MouseUp()
{
    // The look is restored and the timer stopped before Click, so a handler that unloads the
    // hosting window finds the button idle.
    showFrame(FrameNormal);
    centreCaption();
    Timer1->setEnabled(false);
    raise(Click);
}

void mivoButton::Timer1_Timer()
{
    if (IsMouseOver())
        return;
    // Only the hover and pressed looks end here: a disabled button keeps its disabled frame.
    if (ImgBack->Left() != 0 && Enabled()) {
        showFrame(FrameNormal);
        centreCaption();
    }
    Timer1->setEnabled(false);
}

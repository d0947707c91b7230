#include "platform/vb_control.h"

#include "platform/vb_form.h"
#include "platform/vb_keys.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"

#include <QApplication>
#include <QFont>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <type_traits>

namespace vb {

namespace detail {
namespace {

int depth = 0;
std::vector<QPointer<QObject>>& pending()
{
    static std::vector<QPointer<QObject>> p;
    return p;
}

} // namespace

DispatchScope::DispatchScope() { ++depth; }

DispatchScope::~DispatchScope()
{
    if (--depth == 0 && !pending().empty()) {
        const auto objects = std::exchange(pending(), {});
        for (const auto& o : objects)
            if (o)
                o->deleteLater();
    }
}

void deleteSoon(QObject* object)
{
    if (!object)
        return;
    if (depth > 0)
        pending().emplace_back(object);
    else
        object->deleteLater();
}

bool routeMouse(MouseReceiver& r, MouseState& state, QMouseEvent* e, QPointF local, QSizeF sizePx,
                bool clickOnRelease, bool hasDblClick)
{
    const int shift = shiftFromQt(e->modifiers());
    const double x = twX(local.x());
    const double y = twY(local.y());
    switch (e->type()) {
    case QEvent::MouseButtonPress:
        state.afterDblClick = false;
        return r.raiseMouse(MouseKind::Down, buttonFromQt(e->button()), shift, x, y);
    case QEvent::MouseButtonDblClick:
        // The second press of a double click raises DblClick instead of MouseDown; its release
        // raises MouseUp only.
        if (e->button() == Qt::LeftButton && hasDblClick) {
            state.afterDblClick = true;
            return r.raiseMouse(MouseKind::DblClick, 0, 0, 0, 0);
        }
        state.afterDblClick = false;
        return r.raiseMouse(MouseKind::Down, buttonFromQt(e->button()), shift, x, y);
    case QEvent::MouseButtonRelease: {
        const int button = buttonFromQt(e->button());
        const bool afterDbl = state.afterDblClick && e->button() == Qt::LeftButton;
        if (e->button() == Qt::LeftButton)
            state.afterDblClick = false;
        if (!r.raiseMouse(MouseKind::Up, button, shift, x, y))
            return false;
        const bool over = local.x() >= 0 && local.y() >= 0 && local.x() < sizePx.width() && local.y() < sizePx.height();
        if (clickOnRelease && !afterDbl && e->button() == Qt::LeftButton && over)
            return r.raiseMouse(MouseKind::Click, 0, 0, 0, 0);
        return true;
    }
    case QEvent::MouseMove:
        return r.raiseMouse(MouseKind::Move, buttonsFromQt(e->buttons()), shift, x, y);
    default:
        return true;
    }
}

} // namespace detail

namespace {
const QString SongTi = QStringLiteral("宋体");
} // namespace

QString defaultFontName()
{
    // The windows are laid out for 宋体's metrics: CJK characters one em wide, Latin letters,
    // digits and blanks half an em. Where 宋体 itself is missing, a Song face of the same
    // metrics stands in for it, so that a score fits the blanks left for it and no caption runs
    // into its neighbour; the general fallback would take Latin glyphs of other widths.
    static const bool substituted = [] {
        QFont::insertSubstitutions(SongTi, {QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("AR PL UMing CN"),
                                            QStringLiteral("AR PL UMing")});
        return true;
    }();
    (void)substituted;
    return SongTi;
}

QFont makeFont(const QString& name, double points, bool bold)
{
    QFont f(name);
    f.setPointSizeF(points);
    f.setBold(bold);
    // Small 宋体 is drawn in whole pixels, black and sharp, as its bitmap sizes are; smoothed,
    // the thin strokes of a Song face turn pale grey. Its bold is made by thickening the
    // strokes, which whole pixels would run together: bold stays smoothed.
    if (name == SongTi && points <= 12 && !bold)
        f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// ---------------------------------------------------------------------------------------------
// Container

namespace detail {

void PointerOwner::setMousePointer(int pointer)
{
    pointer_ = pointer;
    applyCursor();
}

void PointerOwner::setMouseIcon(std::optional<QCursor> cursor)
{
    mouseIcon_ = std::move(cursor);
    applyCursor();
}

void PointerOwner::applyCursor() { applyMousePointer(pointerWidget(), pointer_, mouseIcon_); }

} // namespace detail

Container::~Container() { destroyControls(); }

void Container::destroyControls()
{
    destroying_ = true;
    const auto controls = std::exchange(order_, {});
    // Detach every control first: a widget torn down must not raise anything into a form that is
    // half destroyed (focus moving as widgets go, say).
    for (Control* c : controls)
        if (c->link_)
            c->link_->owner = nullptr;
    for (auto it = controls.rbegin(); it != controls.rend(); ++it) {
        (*it)->container_ = nullptr;
        delete *it;
    }
    destroying_ = false;
}

void Container::adopt(Control* c)
{
    if (c->isWindowed()) {
        order_.push_back(c);
    } else {
        const auto firstWindowed = std::find_if(order_.begin(), order_.end(), [](Control* o) { return o->isWindowed(); });
        order_.insert(firstWindowed, c);
    }
    place(c);
}

void Container::release(Control* c)
{
    if (destroying_)
        return;
    order_.erase(std::remove(order_.begin(), order_.end(), c), order_.end());
}

void Container::zorder(Control* c, bool front)
{
    order_.erase(std::remove(order_.begin(), order_.end(), c), order_.end());
    const bool windowed = c->isWindowed();
    const auto firstWindowed = std::find_if(order_.begin(), order_.end(), [](Control* o) { return o->isWindowed(); });
    if (windowed)
        order_.insert(front ? order_.end() : firstWindowed, c);
    else
        order_.insert(front ? firstWindowed : order_.begin(), c);
    place(c);
}

void Container::place(Control* c)
{
    // Each widget lies directly under the next control of the list, the last on top of all.
    const auto it = std::find(order_.begin(), order_.end(), c);
    if (it == order_.end() || !c->widget())
        return;
    const auto next = std::next(it);
    if (next != order_.end() && (*next)->widget())
        c->widget()->stackUnder((*next)->widget());
    else
        c->widget()->raise();
}

// ---------------------------------------------------------------------------------------------
// Control

Control::Control(vb::Container* container) : container_(container), fontName_(defaultFontName()) {}

Control::~Control()
{
    if (link_)
        link_->owner = nullptr;
    if (container_)
        container_->release(this);
    delete widget_.data();
}

void Control::bind(QWidget* w, detail::HostLink* link)
{
    if (link_)
        link_->owner = nullptr;
    widget_ = w;
    link_ = link;
    link_->owner = this;
    applyAll();
}

void Control::attach(QWidget* w, detail::HostLink* link)
{
    bind(w, link);
    if (container_)
        container_->adopt(this);
}

void Control::replaceWidget(QWidget* w, detail::HostLink* link)
{
    QWidget* old = widget_;
    const bool hadFocus = old && old->hasFocus();
    bind(w, link);
    if (container_)
        container_->place(this);
    delete old;
    if (hadFocus)
        w->setFocus();
}

void Control::applyAll()
{
    QWidget* w = widget_;
    w->setMouseTracking(true);
    w->setAttribute(Qt::WA_TransparentForMouseEvents, !takesMouse());
    applyGeometry();
    applyFont();
    applyColors();
    w->setEnabled(enabled_);
    w->setToolTip(toolTip_);
    applyCursor();
    w->setVisible(visible_);
}

void Control::copyBaseFrom(const Control& o)
{
    left_ = o.left_;
    top_ = o.top_;
    width_ = o.width_;
    height_ = o.height_;
    visible_ = false;
    enabled_ = o.enabled_;
    toolTip_ = o.toolTip_;
    PointerOwner::operator=(o);
    tag_ = o.tag_;
    fontName_ = o.fontName_;
    fontSize_ = o.fontSize_;
    bold_ = o.bold_;
    italic_ = o.italic_;
    underline_ = o.underline_;
    foreColor_ = o.foreColor_;
    backColor_ = o.backColor_;
    if (widget_)
        applyAll();
}

void Control::applyGeometry()
{
    if (!widget_)
        return;
    const QPoint o = container_ ? container_->clientOrigin() : QPoint();
    widget_->setGeometry(o.x() + pxX(left_), o.y() + pxY(top_), std::max(0, pxX(width_)), std::max(0, pxY(height_)));
}

void Control::applyFont()
{
    if (!widget_)
        return;
    QFont f = makeFont(fontName_, fontSize_ > 0 ? fontSize_ : 9, bold_);
    f.setItalic(italic_);
    f.setUnderline(underline_);
    widget_->setFont(f);
}

void Control::applyColors()
{
    if (!widget_)
        return;
    QPalette pal = widget_->palette();
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        pal.setColor(role, foreColor_);
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button})
        pal.setColor(role, backColor_);
    widget_->setPalette(pal);
    widget_->update();
}


void Control::setSizeTw(int width, int height)
{
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    applyGeometry();
}

void Control::setLeft(int twips) { Move(twips, top_); }
void Control::setTop(int twips) { Move(left_, twips); }
void Control::setWidth(int twips)
{
    if (twips >= 0)
        Move(left_, top_, twips);
}
void Control::setHeight(int twips)
{
    if (twips >= 0)
        Move(left_, top_, -1, twips);
}

void Control::Move(int left, int top, int width, int height)
{
    left_ = left;
    top_ = top;
    if (width >= 0)
        width_ = width;
    if (height >= 0)
        height_ = height;
    applyGeometry();
}

void Control::setVisible(bool visible)
{
    visible_ = visible;
    if (!widget_)
        return;
    // A control that goes out of sight gives the keyboard up to its form, as the old toolkit
    // did; Qt would leave the keys with the hidden widget.
    const bool focused = !visible && (widget_->hasFocus() || widget_->isAncestorOf(QApplication::focusWidget()));
    widget_->setVisible(visible);
    if (focused)
        if (Form* form = parentForm())
            form->setFocus();
}

void Control::setEnabled(bool enabled)
{
    enabled_ = enabled;
    if (widget_)
        widget_->setEnabled(enabled);
}

void Control::setToolTipText(const QString& text)
{
    toolTip_ = text;
    if (widget_)
        widget_->setToolTip(text);
}


void Control::setFontName(const QString& name)
{
    fontName_ = name;
    applyFont();
}

void Control::setFontSize(double points)
{
    if (points <= 0)
        return;
    fontSize_ = points;
    applyFont();
}

void Control::setFontBold(bool on)
{
    bold_ = on;
    applyFont();
}

void Control::setFontItalic(bool on)
{
    italic_ = on;
    applyFont();
}

void Control::setFontUnderline(bool on)
{
    underline_ = on;
    applyFont();
}

void Control::setForeColor(const QColor& c)
{
    foreColor_ = c;
    applyColors();
}

void Control::setBackColor(const QColor& c)
{
    backColor_ = c;
    applyColors();
}

void Control::ZOrder(int position)
{
    if (container_)
        container_->zorder(this, position == 0);
}

Form* Control::parentForm() const { return container_ ? container_->parentForm() : nullptr; }

void Control::SetFocus()
{
    if (widget_ && widget_->focusPolicy() != Qt::NoFocus)
        widget_->setFocus(Qt::OtherFocusReason);
}

bool Control::HasFocus() const { return widget_ && widget_->hasFocus(); }

void Control::Refresh()
{
    if (widget_)
        widget_->repaint();
}

void Control::paint(QPainter&) {}

bool Control::live() const
{
    const Form* f = parentForm();
    return !unloaded_ && (!f || f->isLoaded());
}

bool Control::raise(const std::function<void()>& event)
{
    if (!live())
        return false;
    if (!event)
        return true;
    QPointer<Control> self(this);
    const auto handler = event; // the handler may replace itself or destroy this control
    handler();
    return !self.isNull();
}

bool Control::raiseMouse(detail::MouseKind kind, int button, int shift, double x, double y)
{
    using detail::MouseKind;
    if (!live())
        return false;
    QPointer<Control> self(this);
    std::function<void(int, int, double, double)> h;
    switch (kind) {
    case MouseKind::Down: h = MouseDown; break;
    case MouseKind::Move: h = MouseMove; break;
    case MouseKind::Up: h = MouseUp; break;
    case MouseKind::Click: return raise(Click);
    case MouseKind::DblClick: return raise(DblClick);
    }
    if (h)
        h(button, shift, x, y);
    return !self.isNull();
}

bool Control::handleEvent(QWidget* self, QWidget* source, QEvent* e, BaseHandler base)
{
    detail::DispatchScope scope;
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        if (!self->isEnabled() || !takesMouse())
            return base(self, e);
        auto* me = static_cast<QMouseEvent*>(e);
        QPointF local = me->position();
        if (source != self)
            local = QPointF(source->mapTo(self, QPoint(0, 0))) + local;
        const QPoint off = clientOffset();
        local -= QPointF(off);
        const QSizeF size(self->width() - 2 * off.x(), self->height() - 2 * off.y());
        QPointer<QWidget> alive(self);
        // The old events first, then Qt's own handling: a text box places its caret, a button
        // reports its click after MouseUp, a list selects its item (and so raises its Click
        // between MouseDown and MouseUp, as the old lists did).
        if (!detail::routeMouse(*this, mouse_, me, local, size, clicksOnRelease(), hasDblClick()) || !alive)
            return true;
        base(self, e);
        e->accept();
        return true;
    }
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        return onKey(self, static_cast<QKeyEvent*>(e), base);
    case QEvent::FocusIn:
    case QEvent::FocusOut:
        return onFocus(self, e, base);
    default:
        return base(self, e);
    }
}

namespace {

// The character a key event types, 0 for none (arrows, function keys, Delete).
int charCode(const QString& text)
{
    if (text.isEmpty())
        return 0;
    const char32_t c = text.toUcs4().value(0);
    return c == 0x7F ? 0 : int(c);
}

QPointer<Control>& focusOwner()
{
    static QPointer<Control> owner;
    return owner;
}

} // namespace

bool Control::onKey(QWidget* self, QKeyEvent* e, BaseHandler base)
{
    QPointer<Control> me(this);
    QPointer<QWidget> alive(self);
    Form* form = parentForm();
    const bool preview = form && form->KeyPreview() && live();
    const int shift = shiftFromQt(e->modifiers());
    const auto swallow = [e] {
        e->accept();
        return true;
    };
    // The form first (KeyPreview), then the control; a 0 from either swallows the key. Empty
    // when the key goes on.
    const auto chain = [&](const auto& toForm, const auto& handler, int& value) -> std::optional<bool> {
        if (preview && (!toForm(value) || !me))
            return true;
        if (value == 0)
            return swallow();
        if (handler && live()) {
            const auto h = handler;
            if constexpr (std::is_invocable_v<decltype(h), int&, int>)
                h(value, shift);
            else
                h(value);
            if (!me)
                return true;
        }
        if (value == 0)
            return swallow();
        return std::nullopt;
    };

    if (e->type() == QEvent::KeyRelease) {
        // The old toolkit repeated KeyDown while a key was held, and raised one KeyUp.
        int code = keyCode(*e);
        if (!e->isAutoRepeat() && code != 0) {
            if (const auto done = chain([&](int& v) { return form->previewKeyUp(v, shift); }, KeyUp, code))
                return *done;
        }
        if (alive)
            base(self, e);
        return swallow();
    }

    int code = keyCode(*e);
    if (code != 0) {
        if (const auto done = chain([&](int& v) { return form->previewKeyDown(v, shift); }, KeyDown, code))
            return *done;
    }
    const int typed = charCode(e->text());
    if (typed != 0) {
        int ascii = typed;
        if (const auto done = chain([&](int& v) { return form->previewKeyPress(v); }, KeyPress, ascii))
            return *done;
        if (ascii != typed) {
            // A handler that changes the character types its own instead.
            const char32_t c = char32_t(ascii);
            QKeyEvent changed(e->type(), e->key(), e->modifiers(), QString::fromUcs4(&c, 1), e->isAutoRepeat(),
                              ushort(e->count()));
            if (alive)
                base(self, &changed);
            return swallow();
        }
    }
    if (alive)
        base(self, e);
    return swallow();
}

bool Control::onFocus(QWidget* self, QEvent* e, BaseHandler base)
{
    QPointer<Control> me(this);
    const bool result = base(self, e);
    if (!me)
        return result;
    const auto reason = static_cast<QFocusEvent*>(e)->reason();
    // A pop-up menu borrowing the focus, or the whole program going to the background, moves
    // nothing as far as the old handlers are concerned.
    if (reason == Qt::PopupFocusReason)
        return result;
    if (e->type() == QEvent::FocusIn) {
        if (focusOwner() != this) {
            focusOwner() = this;
            raise(GotFocus);
        }
    } else {
        if (reason == Qt::ActiveWindowFocusReason && !QApplication::activeWindow())
            return result;
        if (focusOwner() == this) {
            focusOwner() = nullptr;
            raise(LostFocus);
        }
    }
    return result;
}

} // namespace vb

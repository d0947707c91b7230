#include "platform/vb_form.h"

#include "platform/clock.h"
#include "platform/vb_array.h"
#include "platform/vb_keys.h"
#include "platform/vb_menu.h"
#include "platform/vb_picture.h"
#include "platform/vb_units.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QBackingStore>
#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWindow>
#include <QtGui/qguiapplication_platform.h>
#include <cstdlib>
#include <typeindex>
#include <xcb/xcb.h>

namespace vb {
namespace {

struct Registered {
    std::type_index type;
    QPointer<Form> form;
};

std::vector<Registered>& registry()
{
    static std::vector<Registered> r;
    return r;
}

std::function<void(Form&)>& modalResponder()
{
    static std::function<void(Form&)> r;
    return r;
}

std::function<Menu*(Menu&)>& popupResponder()
{
    static std::function<Menu*(Menu&)> r;
    return r;
}

std::function<void(Form&)>& dragObserver()
{
    static std::function<void(Form&)> o;
    return o;
}

// The hidden home of control arrays' stand-ins.
class Limbo : public QWidget, public Container {
public:
    Limbo() { setAttribute(Qt::WA_DontShowOnScreen); }
    ~Limbo() override { destroyControls(); }
    QWidget* containerWidget() override { return this; }
    Form* parentForm() override { return nullptr; }
};

// Raising a window is the window system's; the test platforms have none and say so loudly.
void raiseWindow(QWidget* w)
{
    const QString platform = QGuiApplication::platformName();
    if (platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"))
        w->raise();
}

// The window system maps a new window at once but asks for its contents only when the event
// loop runs again, and a window's first paint takes a while: until then the window stands
// empty on the screen, longer still when the caller goes on to show other windows. So the
// first frame is drawn before the window is mapped and sent with the map; the paint that the
// window system asks for later draws the same again.
QWidget* shownChild(QObject* o, QWidget& parent)
{
    auto* child = qobject_cast<QWidget*>(o);
    return child && !child->isWindow() && child->isVisibleTo(&parent) ? child : nullptr;
}

void paintShown(QWidget& w, QPainter& p, QPoint at, const QRegion& clip)
{
    // What opaque children cover is left to them, as in the window's own paint.
    QRegion own = clip.translated(-at);
    for (QObject* o : w.children())
        if (QWidget* child = shownChild(o, w); child && child->testAttribute(Qt::WA_OpaquePaintEvent))
            own -= child->geometry();
    if (!own.isEmpty()) {
        p.setClipRegion(clip);
        // A control fills its background only where it asks to, as in the window's own paint.
        w.render(&p, at, own, w.isWindow() ? QWidget::DrawWindowBackground : QWidget::RenderFlags());
    }
    // Children in their stacking order, bottom first, each inside its parent.
    for (QObject* o : w.children()) {
        if (QWidget* child = shownChild(o, w)) {
            const QRect r = child->geometry().translated(at);
            paintShown(*child, p, r.topLeft(), clip.intersected(r));
        }
    }
}

// Draws the window's first frame into its backing store while the window is not yet mapped;
// false when there is nothing to draw into.
bool drawFirstFrame(QWidget& form)
{
    if (form.isMinimized() || form.testAttribute(Qt::WA_DontShowOnScreen))
        return false;
    (void)form.winId(); // the window and its store, still unmapped
    QBackingStore* store = form.backingStore();
    if (!store)
        return false;
    const QRect all = form.rect();
    store->resize(form.size());
    store->beginPaint(all);
    QPaintDevice* device = store->paintDevice();
    if (device) {
        QPainter p(device);
        paintShown(form, p, {}, QRegion(all));
    }
    store->endPaint();
    return device != nullptr;
}

// The X server's connection, when the windows are on one (not on the test platforms, whose X
// interface, where they have one, has no connection).
xcb_connection_t* x11Connection()
{
    auto* x11 = qApp ? qApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

// The toolkit writes the Motif hints with a window's flags, but for a title bar without
// buttons it leaves out the decorations, and a window manager that reads them then draws all its
// buttons. A window without a close box says here that its title bar has none: a border and a
// title, and moving as its only function.
void writeTitleOnlyHints(QWidget& w)
{
    xcb_connection_t* c = x11Connection();
    if (!c || !w.windowHandle())
        return;
    static const xcb_atom_t motifHints = [c] {
        const char name[] = "_MOTIF_WM_HINTS";
        xcb_intern_atom_reply_t* r = xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, sizeof name - 1, name), nullptr);
        const xcb_atom_t atom = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
        free(r);
        return atom;
    }();
    if (motifHints == XCB_ATOM_NONE)
        return;
    enum : uint32_t { Functions = 1, Decorations = 2, FuncMove = 4, DecorBorder = 2, DecorTitle = 8 };
    const uint32_t hints[5] = {Functions | Decorations, FuncMove, DecorBorder | DecorTitle, 0, 0};
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(w.winId()), motifHints, motifHints, 32, 5, hints);
    xcb_flush(c);
}

// A modal window that the window manager minimised stays minimised when the candidate clicks
// or activates the window it blocks: the toolkit passes the focus on to the modal window, which
// cannot take it while minimised, and the blocked window takes no clicks. Such a click or
// activation brings the modal window back.
void recallMinimisedModal()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isMinimized())
        return;
    modal->setWindowState(modal->windowState() & ~Qt::WindowMinimized);
    modal->show();
    raiseWindow(modal);
    modal->activateWindow();
}

// The toolkit takes the mouse through the X input extension where the server has it; its events
// come as generic events of that extension.
int inputExtensionOpcode(xcb_connection_t* c)
{
    const char name[] = "XInputExtension";
    xcb_query_extension_reply_t* r = xcb_query_extension_reply(c, xcb_query_extension(c, sizeof name - 1, name), nullptr);
    const int opcode = r && r->present ? r->major_opcode : -1;
    free(r);
    return opcode;
}

class ModalRecall : public QAbstractNativeEventFilter {
public:
    explicit ModalRecall(xcb_connection_t* c) : inputOpcode_(inputExtensionOpcode(c)) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override
    {
        if (type != "xcb_generic_event_t")
            return false;
        const auto* e = static_cast<const xcb_generic_event_t*>(message);
        const int kind = e->response_type & 0x7f;
        const bool press = kind == XCB_BUTTON_PRESS
            || (kind == XCB_GE_GENERIC && reinterpret_cast<const xcb_ge_generic_event_t*>(e)->extension == inputOpcode_
                && reinterpret_cast<const xcb_ge_generic_event_t*>(e)->event_type == XiButtonPress);
        if (press || kind == XCB_FOCUS_IN) {
            // Acted on once the event is through.
            if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isMinimized())
                QMetaObject::invokeMethod(qApp, &recallMinimisedModal, Qt::QueuedConnection);
        }
        return false;
    }

private:
    static constexpr int XiButtonPress = 4;
    int inputOpcode_;
};

// The window manager moves a window from the press until the next release. A click so short
// that the release is already through when the move is asked for would leave the window
// following the pointer until the next click: such a press starts no move.
bool leftButtonAlreadyUp()
{
    xcb_connection_t* c = x11Connection();
    if (!c)
        return false;
    xcb_query_pointer_reply_t* r = xcb_query_pointer_reply(c, xcb_query_pointer(c, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root), nullptr);
    const bool up = r && !(r->mask & XCB_BUTTON_MASK_1);
    free(r);
    return up;
}

void watchForMinimisedModals()
{
    static ModalRecall* filter = nullptr;
    if (filter || !qApp)
        return;
    if (xcb_connection_t* c = x11Connection()) {
        filter = new ModalRecall(c); // lives as long as the program
        qApp->installNativeEventFilter(filter);
    }
}

bool holds(const Menu& menu, const Menu* item)
{
    for (const Menu* m = item; m; m = m->Parent())
        if (m == &menu)
            return true;
    return false;
}

} // namespace

namespace detail {
vb::Container* limbo()
{
    static QPointer<Limbo> home;
    if (!home)
        home = new Limbo; // lives as long as the program
    return home.data();
}
} // namespace detail

Form::Form() : QWidget(nullptr, Qt::Window)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
    setFont(makeFont(defaultFontName(), 9));
    watchForMinimisedModals();
}

Form::~Form()
{
    Forms::remove(this);
    destroyControls();
    // Once this window and whatever goes with it are gone, their memory goes back too.
    if (QCoreApplication::instance())
        giveFreedMemoryBackSoon();
}

void Form::runLoad()
{
    loadRan_ = true;
    detail::DispatchScope scope;
    Form_Load();
}

void Form::ensureLoadRan()
{
    if (!loadRan_)
        runLoad();
}

void Form::setIcon(std::optional<QPixmap> icon)
{
    setWindowIcon(icon ? QIcon(*icon) : QIcon());
}

void Form::setPicture(std::optional<QPixmap> picture)
{
    picture_.set(std::move(picture));
    update();
}

void Form::setPicture(const PictureFile& file)
{
    picture_.set(file);
    update();
}

void Form::setBackColor(const QColor& c)
{
    backColor_ = c;
    update();
}

void Form::setFlags(Qt::WindowFlags flags)
{
    if (windowHandle() && isVisible()) {
        // Changing the flags of a shown window through QWidget would hide it.
        overrideWindowFlags(flags);
        windowHandle()->setFlags(flags);
        writeWindowManagerHints();
    } else {
        setWindowFlags(flags);
    }
}

// After the toolkit has written its own, which it does with every change of the flags and when
// it makes the native window.
void Form::writeWindowManagerHints()
{
    if (!controlBox_ && borderStyle_ != 0)
        writeTitleOnlyHints(*this);
}

void Form::setBorderStyle(int style)
{
    borderStyle_ = style;
    Qt::WindowFlags f = Qt::Window;
    switch (style) {
    case 0: f |= Qt::FramelessWindowHint; break;
    case 1:
        f |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
            | Qt::WindowCloseButtonHint;
        break;
    case 3: f = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint; break;
    case 4:
    case 5: f = Qt::Tool; break;
    default: break;
    }
    if (!controlBox_)
        f &= ~(Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint);
    f.setFlag(Qt::WindowStaysOnTopHint, windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    setFlags(f);
}

void Form::setControlBox(bool on)
{
    controlBox_ = on;
    setBorderStyle(borderStyle_);
}

void Form::setKeepsSize(bool on)
{
    keepsSize_ = on;
    if (on) {
        setFixedSize(size());
    } else if (borderStyle_ != 1 && borderStyle_ != 3) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
}

bool Form::Topmost() const { return windowFlags().testFlag(Qt::WindowStaysOnTopHint); }

void Form::setTopmost(bool on)
{
    if (on == Topmost())
        return;
    Qt::WindowFlags f = windowFlags();
    f.setFlag(Qt::WindowStaysOnTopHint, on);
    setFlags(f);
}

void Form::bringToFront() { raiseWindow(this); }

int Form::WindowState() const
{
    if (isMinimized())
        return vbMinimized;
    if (isMaximized())
        return vbMaximized;
    return vbNormal;
}

void Form::setWindowState(int state)
{
    switch (state) {
    case vbMinimized: QWidget::setWindowState(Qt::WindowMinimized); break;
    case vbMaximized: QWidget::setWindowState(Qt::WindowMaximized); break;
    default: QWidget::setWindowState(Qt::WindowNoState); break;
    }
}

// The twips given are kept as long as the window has the pixel geometry they make; once the
// window system or the user changed it, the window's own geometry speaks.
int Form::Left() const
{
    const int px = frameGeometry().x();
    return geometrySet_ && pxX(left_) == px ? left_ : qRound(twX(px));
}

int Form::Top() const
{
    const int px = frameGeometry().y();
    return geometrySet_ && pxY(top_) == px ? top_ : qRound(twY(px));
}

int Form::Width() const
{
    const int px = frameGeometry().width();
    return geometrySet_ && pxX(width_) == px ? width_ : qRound(twX(px));
}

int Form::Height() const
{
    const int px = frameGeometry().height();
    return geometrySet_ && pxY(height_) == px ? height_ : qRound(twY(px));
}

void Form::syncTwipsFromWidget()
{
    if (geometrySet_)
        return;
    left_ = Left();
    top_ = Top();
    width_ = Width();
    height_ = Height();
    geometrySet_ = true;
}

void Form::applyGeometry()
{
    const QRect frame = frameGeometry();
    const QRect inner = geometry();
    const int dw = frame.width() - inner.width();
    const int dh = frame.height() - inner.height();
    const QSize size(std::max(1, pxX(width_) - dw), std::max(1, pxY(height_) - dh));
    // A fixed border is one the window manager cannot drag or maximise either.
    if (borderStyle_ == 1 || borderStyle_ == 3 || keepsSize_)
        setFixedSize(size);
    else
        resize(size);
    move(pxX(left_), pxY(top_));
}

void Form::setLeft(int twips)
{
    syncTwipsFromWidget();
    left_ = twips;
    applyGeometry();
}

void Form::setTop(int twips)
{
    syncTwipsFromWidget();
    top_ = twips;
    applyGeometry();
}

void Form::setWidth(int twips)
{
    if (twips < 0)
        return;
    syncTwipsFromWidget();
    width_ = twips;
    applyGeometry();
}

void Form::setHeight(int twips)
{
    if (twips < 0)
        return;
    syncTwipsFromWidget();
    height_ = twips;
    applyGeometry();
}

void Form::Move(int left, int top, int width, int height)
{
    syncTwipsFromWidget();
    left_ = left;
    top_ = top;
    if (width >= 0)
        width_ = width;
    if (height >= 0)
        height_ = height;
    applyGeometry();
}

int Form::ScaleWidth() const { return qRound(twX(width())); }
int Form::ScaleHeight() const { return qRound(twY(height())); }

void Form::Show(int modal)
{
    QPointer<Form> self(this);
    ensureLoadRan();
    if (!self || !loaded_)
        return;
    const bool mapping = !isVisible();
    if (modal && mapping)
        setWindowModality(Qt::ApplicationModal);
    // Drawn before the window is mapped and sent as soon as it is.
    const QSize framed = mapping && drawFirstFrame(*this) ? size() : QSize();
    show();
    if (framed.isValid() && isVisible() && size() == framed)
        backingStore()->flush(rect());
    raiseWindow(this);
    activateWindow();
    if (!modal)
        return;
    if (auto responder = modalResponder()) {
        responder(*this);
        if (!self || !loaded_)
            return;
    }
    QEventLoop loop;
    connect(this, &Form::unloaded, &loop, &QEventLoop::quit);
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    loop.exec();
    if (self && !self->isVisible())
        setWindowModality(Qt::NonModal);
}

void Form::PopupMenu(Menu& menu) { PopupMenu(menu, -1, 0, 0); }

void Form::PopupMenu(Menu& menu, int flags, double xTw, double yTw)
{
    detail::DispatchScope scope;
    Menu* chosen = nullptr;
    if (auto responder = popupResponder()) {
        chosen = responder(menu);
    } else {
        QMenu* qm = menu.menu();
        QPoint at = QCursor::pos();
        if (flags >= 0) {
            at = mapToGlobal(QPoint(pxX(xTw), pxY(yTw)));
            const int w = qm->sizeHint().width();
            if (flags & vbPopupMenuRightAlign)
                at.rx() -= w;
            else if (flags & vbPopupMenuCenterAlign)
                at.rx() -= w / 2;
        }
        chosen = menuOfAction(qm->exec(at));
    }
    // Only an item of this menu that a candidate could choose runs its Click.
    if (chosen && chosen != &menu && holds(menu, chosen) && chosen->Enabled() && chosen->Visible()
        && chosen->Items().empty() && chosen->Caption() != QLatin1String("-"))
        chosen->raiseClick();
}

void Form::beginDrag()
{
    if (auto observer = dragObserver())
        observer(*this);
    if (QWindow* w = windowHandle(); w && !leftButtonAlreadyUp())
        w->startSystemMove();
}

bool Form::previewKeyDown(int& keyCode, int shift)
{
    QPointer<Form> self(this);
    Form_KeyDown(keyCode, shift);
    return !self.isNull();
}

bool Form::previewKeyPress(int& keyAscii)
{
    QPointer<Form> self(this);
    Form_KeyPress(keyAscii);
    return !self.isNull();
}

bool Form::previewKeyUp(int& keyCode, int shift)
{
    QPointer<Form> self(this);
    Form_KeyUp(keyCode, shift);
    return !self.isNull();
}

void Form::Form_MouseDown(int, int, double, double) {}
void Form::Form_MouseMove(int, int, double, double) {}
void Form::Form_MouseUp(int, int, double, double) {}

bool Form::raiseMouse(detail::MouseKind kind, int button, int shift, double x, double y)
{
    using detail::MouseKind;
    QPointer<Form> self(this);
    switch (kind) {
    case MouseKind::Down: Form_MouseDown(button, shift, x, y); break;
    case MouseKind::Move: Form_MouseMove(button, shift, x, y); break;
    case MouseKind::Up: Form_MouseUp(button, shift, x, y); break;
    case MouseKind::Click: Form_Click(); break;
    case MouseKind::DblClick: Form_DblClick(); break;
    }
    return !self.isNull();
}

bool Form::event(QEvent* e)
{
    detail::DispatchScope scope;
    switch (e->type()) {
    case QEvent::Show:
        // Sent before the window is mapped, when the window manager first reads the hints.
        writeWindowManagerHints();
        return QWidget::event(e);
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove: {
        // The bare surface of the form, or a disabled control passing the mouse on.
        if (!isEnabled())
            return QWidget::event(e);
        auto* me = static_cast<QMouseEvent*>(e);
        detail::routeMouse(*this, mouse_, me, me->position(), size(), true, true);
        me->accept();
        return true;
    }
    default:
        return QWidget::event(e);
    }
}

void Form::paintEvent(QPaintEvent* e)
{
    QPainter p(this);
    p.fillRect(rect(), backColor_);
    // The region excludes what opaque controls cover: a picture wholly under them is not decoded.
    if (picture_.has() && e->region().intersects(QRect(QPoint(), picture_.size()))) {
        if (const std::optional<QPixmap>& picture = picture_.get())
            p.drawPixmap(0, 0, *picture);
    }
}

void Form::keyPressEvent(QKeyEvent* e)
{
    // Keys reach the form itself when no control of it has the focus.
    e->accept();
    QPointer<Form> self(this);
    int code = keyCode(*e);
    if (code != 0) {
        Form_KeyDown(code, shiftFromQt(e->modifiers()));
        if (!self || code == 0)
            return;
    }
    const QString text = e->text();
    const int typed = text.isEmpty() ? 0 : int(text.toUcs4().value(0));
    if (typed != 0 && typed != 0x7F) {
        int ascii = typed;
        Form_KeyPress(ascii);
    }
}

void Form::keyReleaseEvent(QKeyEvent* e)
{
    e->accept();
    if (e->isAutoRepeat())
        return;
    int code = keyCode(*e);
    if (code != 0)
        Form_KeyUp(code, shiftFromQt(e->modifiers()));
}

void Form::closeEvent(QCloseEvent* e)
{
    // Closing the window is an unload, which the form may refuse or turn into its own way out.
    e->ignore();
    QPointer<Form> self(this);
    int cancel = 0;
    {
        detail::DispatchScope scope;
        Form_QueryUnload(cancel, vbFormControlMenu);
    }
    if (self && !cancel)
        Unload(*this);
}

void Form::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    Form_Resize();
}

void Form::moveEvent(QMoveEvent* e)
{
    QWidget::moveEvent(e);
    Q_EMIT moved();
}

void Form::changeEvent(QEvent* e)
{
    QWidget::changeEvent(e);
    // The old toolkit raised Resize for a change of the window state too: a window system may
    // maximise or restore a window without changing its size (or not at once).
    if (e->type() == QEvent::WindowStateChange)
        Form_Resize();
}

// ---------------------------------------------------------------------------------------------

void Unload(Form& form)
{
    if (!form.loaded_ || form.unloading_)
        return;
    QPointer<Form> self(&form);
    form.unloading_ = true;
    int cancel = 0;
    {
        detail::DispatchScope scope;
        form.Form_Unload(cancel);
    }
    if (!self)
        return;
    form.unloading_ = false;
    if (cancel)
        return;
    form.loaded_ = false;
    // An unloaded form's timers tick no more, even before the form is gone.
    for (auto* t : form.findChildren<platform::Timer*>())
        t->setEnabled(false);
    form.hide();
    const bool owned = form.inRegistry_;
    Forms::remove(&form);
    Q_EMIT form.unloaded();
    if (self && owned)
        detail::deleteSoon(&form);
    // The old program ended when its last form was unloaded. A handler may unload the last form
    // and then load the next, so look again once it has returned.
    if (Forms::loaded().empty())
        QMetaObject::invokeMethod(
            qApp,
            [] {
                if (Forms::loaded().empty())
                    QCoreApplication::quit();
            },
            Qt::QueuedConnection);
}

Form* Forms::find(const std::type_info& type)
{
    for (const auto& r : registry())
        if (r.type == std::type_index(type) && r.form)
            return r.form.data();
    return nullptr;
}

void Forms::add(const std::type_info& type, Form* form)
{
    form->inRegistry_ = true;
    registry().push_back({std::type_index(type), form});
}

void Forms::remove(Form* form)
{
    auto& r = registry();
    r.erase(std::remove_if(r.begin(), r.end(), [form](const Registered& x) { return !x.form || x.form == form; }), r.end());
}

std::vector<Form*> Forms::loaded()
{
    std::vector<Form*> v;
    for (const auto& r : registry())
        if (r.form)
            v.push_back(r.form.data());
    return v;
}

void Forms::unloadAll()
{
    const auto forms = loaded();
    registry().clear();
    for (Form* f : forms) {
        QPointer<Form> self(f);
        f->loaded_ = false;
        for (auto* t : f->findChildren<platform::Timer*>())
            t->setEnabled(false);
        f->hide();
        Q_EMIT f->unloaded();
        if (self)
            detail::deleteSoon(f);
    }
    platform::Clock::processEvents();
}

void closeMenusAndMessageBoxes()
{
    // A menu's close hands the pop-up role to the menu it came from, if any: one at a time.
    for (QWidget* popup = QApplication::activePopupWidget(); popup; popup = QApplication::activePopupWidget()) {
        popup->close();
        if (popup == QApplication::activePopupWidget())
            break;
    }
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* w : windows) {
        auto* box = qobject_cast<QMessageBox*>(w);
        if (!box || !box->isVisible())
            continue;
        box->close();
        // A box without a button that a close may choose is ended all the same.
        if (box->isVisible())
            box->reject();
    }
}

void DoEvents() { platform::Clock::processEvents(); }

namespace {
std::function<void()>& endResponder()
{
    static std::function<void()> r;
    return r;
}
} // namespace

void End()
{
    if (endResponder()) {
        endResponder()();
        return;
    }
    QCoreApplication::exit(0);
    Forms::unloadAll();
}

void setEndResponder(std::function<void()> responder) { endResponder() = std::move(responder); }

void setModalResponder(std::function<void(Form&)> responder) { modalResponder() = std::move(responder); }
void setPopupResponder(std::function<Menu*(Menu&)> responder) { popupResponder() = std::move(responder); }

void setDragObserver(std::function<void(Form&)> observer) { dragObserver() = std::move(observer); }

} // namespace vb

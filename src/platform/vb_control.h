#pragma once
// The base of every control of the toolkit, and the containers that hold them.
//
// A control keeps its properties in the old units (twips, points, old codes) and drives one Qt
// widget. Its events are public std::function members that the form wires to its handlers:
//     Label1->MouseUp = [this](int b, int s, double x, double y) { Label1_MouseUp(b, s, x, y); };
// Events keep the old meanings and order (see Control::handleEvent).

#include "platform/vb_constants.h"

#include <QCursor>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <optional>
#include <vector>

class QEvent;
class QKeyEvent;
class QMouseEvent;
class QPainter;

namespace vb {

class Control;
class Form;

namespace detail {

// The link from a toolkit widget back to the control it serves; the control clears it when it
// goes, so that a widget being torn down raises nothing.
struct HostLink {
    Control* owner = nullptr;
};

// Marks the delivery of an event to the toolkit. While one is under way, deletions asked for by
// handlers (an unloaded form, an unloaded array member) wait until the outermost delivery has
// returned, so no handler ever runs on a deleted object, even one that calls DoEvents.
class DispatchScope {
public:
    DispatchScope();
    ~DispatchScope();
    DispatchScope(const DispatchScope&) = delete;
    DispatchScope& operator=(const DispatchScope&) = delete;
};
void deleteSoon(QObject* object);

// The old mouse semantics, shared by controls and forms.
enum class MouseKind { Down, Move, Up, Click, DblClick };
class MouseReceiver {
public:
    // Raises one event; false when the receiver is gone afterwards.
    virtual bool raiseMouse(MouseKind kind, int button, int shift, double xTw, double yTw) = 0;

protected:
    ~MouseReceiver() = default;
};
struct MouseState {
    bool afterDblClick = false; // the next left release follows a DblClick: MouseUp only
};
// Turns one Qt mouse event at `local` (pixels, relative to the receiver's client area) into the
// old events. Returns false when the receiver is gone afterwards.
bool routeMouse(MouseReceiver& r, MouseState& state, QMouseEvent* e, QPointF local, QSizeF sizePx,
                bool clickOnRelease, bool hasDblClick);

// The pointer shown over a control or a form: an old pointer code, and the icon that vbCustom
// shows.
class PointerOwner {
public:
    int MousePointer() const { return pointer_; }
    void setMousePointer(int pointer);
    void setMouseIcon(std::optional<QCursor> cursor);

protected:
    PointerOwner() = default;
    PointerOwner(const PointerOwner&) = default;
    PointerOwner& operator=(const PointerOwner&) = default;
    ~PointerOwner() = default;
    // Shows the pointer on the owner's widget (nothing while it has none).
    void applyCursor();
    virtual QWidget* pointerWidget() = 0;

private:
    int pointer_ = 0;
    std::optional<QCursor> mouseIcon_;
};

} // namespace detail

// Something that holds controls: a form, a picture box, a frame.
class Container {
public:
    Container() = default;
    Container(const Container&) = delete;
    Container& operator=(const Container&) = delete;
    virtual ~Container();

    // The widget the controls' widgets live in.
    virtual QWidget* containerWidget() = 0;
    // The form this container belongs to (nullptr for a detached container).
    virtual Form* parentForm() = 0;
    // Where the area that children are placed in begins, in pixels (inside a border).
    virtual QPoint clientOrigin() const { return {}; }
    // The controls held here, from the bottom of the stack to its top.
    const std::vector<Control*>& Controls() const { return order_; }

protected:
    // Deletes the controls; a derived container calls it while its widget still exists.
    void destroyControls();

private:
    friend class Control;
    void adopt(Control* c);
    void release(Control* c);
    void zorder(Control* c, bool front);
    void place(Control* c);
    std::vector<Control*> order_;
    bool destroying_ = false;
};

class Control : public QObject, protected detail::MouseReceiver, public detail::PointerOwner {
    Q_OBJECT
public:
    ~Control() override;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    // Geometry in twips, relative to the container's client area. A control keeps the exact
    // twips it was given; negative sizes are refused (the old toolkit raised an error there).
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void Move(int left, int top, int width = -1, int height = -1);

    bool Visible() const { return visible_; }
    void setVisible(bool visible);
    bool Enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    QString ToolTipText() const { return toolTip_; }
    void setToolTipText(const QString& text);
    QString Tag() const { return tag_; }
    void setTag(const QString& tag) { tag_ = tag; }

    // Font and colours (used by the kinds that draw text or a background).
    QString FontName() const { return fontName_; }
    void setFontName(const QString& name);
    double FontSize() const { return fontSize_; }
    void setFontSize(double points);
    bool FontBold() const { return bold_; }
    void setFontBold(bool on);
    bool FontItalic() const { return italic_; }
    void setFontItalic(bool on);
    bool FontUnderline() const { return underline_; }
    void setFontUnderline(bool on);
    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor& c);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& c);

    // 0: to the front of its layer; 1: to the back.
    void ZOrder(int position = 0);
    // The index in its control array, -1 for a single control.
    int Index() const { return index_; }
    QWidget* widget() const { return widget_; }
    vb::Container* Container() const { return container_; }
    Form* parentForm() const;
    void SetFocus();
    bool HasFocus() const;
    void Refresh();

    // Lightweight controls (labels, images, shapes, lines) lie beneath the windowed ones.
    virtual bool isWindowed() const = 0;
    // A new control of the same kind and properties in the same container, hidden (array Load).
    virtual Control* clone() const = 0;

    // Events.
    std::function<void(int button, int shift, double x, double y)> MouseDown, MouseMove, MouseUp;
    std::function<void()> Click, DblClick, GotFocus, LostFocus, Change;
    std::function<void(int& keyCode, int shift)> KeyDown, KeyUp;
    std::function<void(int& keyAscii)> KeyPress;

    // Entry of the events of the control's widget (called by the toolkit's widgets): raises the
    // old events around Qt's own handling `base`.
    using BaseHandler = bool (*)(QWidget* self, QEvent* e);
    bool handleEvent(QWidget* self, QWidget* source, QEvent* e, BaseHandler base);
    // Drawing of the kinds that draw themselves.
    virtual void paint(QPainter& p);

protected:
    explicit Control(vb::Container* container);
    // The derived constructor hands over its widget (whose parent is the container's widget);
    // the base properties are applied and the control is stacked on top of its layer.
    void attach(QWidget* w, detail::HostLink* link);
    // Puts another widget in place of the current one (a text box switching to multi-line).
    void replaceWidget(QWidget* w, detail::HostLink* link);
    // Copies the base properties of another control (clone); the copy stays hidden.
    void copyBaseFrom(const Control& other);
    // Sets the size in twips as the control itself decides it (auto-size).
    void setSizeTw(int width, int height);

    virtual void applyGeometry();
    virtual void applyFont();
    virtual void applyColors();
    virtual bool takesMouse() const { return true; }
    // Click on a left release over the control (kinds whose Qt widget reports clicks say no).
    virtual bool clicksOnRelease() const { return true; }
    virtual bool hasDblClick() const { return true; }
    // Where the client area begins inside the widget (a picture box's border).
    virtual QPoint clientOffset() const { return {}; }

    bool raiseMouse(detail::MouseKind kind, int button, int shift, double xTw, double yTw) override;
    // Raises a parameterless event; false when the control is gone afterwards.
    bool raise(const std::function<void()>& event);
    // False once the control or its form has been unloaded: it raises nothing more.
    bool live() const;

private:
    void bind(QWidget* w, detail::HostLink* link);
    bool onKey(QWidget* self, QKeyEvent* e, BaseHandler base);
    bool onFocus(QWidget* self, QEvent* e, BaseHandler base);
    void applyAll();
    QWidget* pointerWidget() override { return widget_; }

    template <class> friend class ControlArray;
    vb::Container* container_ = nullptr;
    QPointer<QWidget> widget_;
    detail::HostLink* link_ = nullptr;
    detail::MouseState mouse_;
    int index_ = -1;
    bool unloaded_ = false;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    QString toolTip_;
    QString tag_;
    QString fontName_;
    double fontSize_ = 9;
    bool bold_ = false, italic_ = false, underline_ = false;
    QColor foreColor_{0, 0, 0};
    QColor backColor_{240, 240, 240};

    friend class vb::Container;
};

// The toolkit's default font: 宋体 9 points, as the old forms had.
QString defaultFontName();
// The font of a control or form by its name, size in points and weight.
QFont makeFont(const QString& name, double points, bool bold = false);

// A control's place and size in twips, as one rectangle.
inline QRect bounds(const Control& c) { return {c.Left(), c.Top(), c.Width(), c.Height()}; }
inline void setBounds(Control& c, const QRect& r) { c.Move(r.x(), r.y(), r.width(), r.height()); }

} // namespace vb

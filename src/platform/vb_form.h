#pragma once
// Forms: the top-level windows of the program, the registry that loads them on first touch,
// modal showing and unloading with the old semantics.
//
// A window of the program derives from vb::Form, creates its controls in its constructor and
// does the rest of its construction in Form_Load, which runs inside the first
// vb::Forms::get<FrmX>() (the old "load on first touch"):
//     FrmMain& frmMain() { return vb::Forms::get<FrmMain>(); }

#include "platform/vb_control.h"
#include "platform/vb_picture.h"

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <optional>
#include <typeinfo>
#include <vector>

namespace vb {

class Menu;

class Form : public QWidget, public Container, protected detail::MouseReceiver, public detail::PointerOwner {
    Q_OBJECT
public:
    Form();
    ~Form() override;

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    void setIcon(std::optional<QPixmap> icon);
    // Background picture, drawn at 0, 0 and not stretched.
    void setPicture(std::optional<QPixmap> picture);
    void setPicture(const PictureFile& file);
    bool hasPicture() const { return picture_.has(); }
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& c);
    // 0 none (no frame, no title bar), 1 fixed single, 2 sizable, 3 fixed dialog, 4/5 tool window.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    // False: a title bar without a close box or system menu.
    bool ControlBox() const { return controlBox_; }
    void setControlBox(bool on);
    // True: the window keeps the size the program gives it, as a fixed border does: the window
    // system can neither resize nor maximise it (a borderless dialog has nothing to show beyond
    // its design).
    bool KeepsSize() const { return keepsSize_; }
    void setKeepsSize(bool on);
    // 0 normal, 1 minimised, 2 maximised.
    int WindowState() const;
    void setWindowState(int state);

    // Outer geometry in twips; ScaleWidth/ScaleHeight are the inner (client) size.
    int Left() const;
    int Top() const;
    int Width() const;
    int Height() const;
    void setLeft(int twips);
    void setTop(int twips);
    void setWidth(int twips);
    void setHeight(int twips);
    void Move(int left, int top, int width = -1, int height = -1);
    int ScaleWidth() const;
    int ScaleHeight() const;

    bool KeyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }
    bool Topmost() const;
    void setTopmost(bool on);
    // Raises the window above the others without moving it.
    void bringToFront();
    bool Visible() const { return isVisible(); }

    // Modeless (0) or modal (vbModal): a modal Show returns when the form has been unloaded.
    void Show(int modal = vbModeless);
    void Hide() { hide(); }
    // False once unloaded (the object may still exist until its deferred deletion).
    bool isLoaded() const { return loaded_; }

    // Shows a menu as a pop-up at the pointer (or at x, y in twips of this form's client area
    // with the vbPopupMenu* alignment flags) and returns after it has closed and the chosen
    // item's Click has run.
    void PopupMenu(Menu& menu);
    void PopupMenu(Menu& menu, int flags, double xTw, double yTw);

    // Starts the window system's move of the window with the pointer (dragging a borderless
    // window by a strip); does nothing where the platform cannot.
    void beginDrag();

    QWidget* containerWidget() override { return this; }
    Form* parentForm() override { return this; }

Q_SIGNALS:
    void unloaded();
    // The window moved (the window system moves it on its own after beginDrag()).
    void moved();

protected:
    // The form's own events, as the old toolkit raised them.
    virtual void Form_Load() {}
    virtual void Form_Unload(int& cancel) { Q_UNUSED(cancel); }
    // A close request from the window system (unloadMode vbFormControlMenu), before the unload
    // it leads to; a cancel refuses it. Unload from code does not raise it.
    virtual void Form_QueryUnload(int& cancel, int unloadMode) { Q_UNUSED(cancel); Q_UNUSED(unloadMode); }
    virtual void Form_Click() {}
    virtual void Form_DblClick() {}
    virtual void Form_KeyDown(int& keyCode, int shift) { Q_UNUSED(keyCode); Q_UNUSED(shift); }
    virtual void Form_KeyUp(int& keyCode, int shift) { Q_UNUSED(keyCode); Q_UNUSED(shift); }
    virtual void Form_KeyPress(int& keyAscii) { Q_UNUSED(keyAscii); }
    virtual void Form_MouseDown(int button, int shift, double x, double y);
    virtual void Form_MouseMove(int button, int shift, double x, double y);
    virtual void Form_MouseUp(int button, int shift, double x, double y);
    virtual void Form_Resize() {}

    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void moveEvent(QMoveEvent* e) override;
    void changeEvent(QEvent* e) override;

    bool raiseMouse(detail::MouseKind kind, int button, int shift, double xTw, double yTw) override;

private:
    friend class Control;
    friend class Forms;
    friend void Unload(Form& form);
    void runLoad();
    void ensureLoadRan();
    // Keys of the form itself, or previewed before the control with the focus; false when the
    // form is gone afterwards.
    bool previewKeyDown(int& keyCode, int shift);
    bool previewKeyPress(int& keyAscii);
    bool previewKeyUp(int& keyCode, int shift);
    void applyGeometry();
    void syncTwipsFromWidget();
    void setFlags(Qt::WindowFlags flags);
    void writeWindowManagerHints();
    QWidget* pointerWidget() override { return this; }

    HeldPicture picture_;
    QColor backColor_{240, 240, 240};
    int borderStyle_ = 2;
    bool controlBox_ = true;
    bool keepsSize_ = false;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool geometrySet_ = false;
    bool applyingGeometry_ = false;
    bool keyPreview_ = false;
    bool loaded_ = true;
    bool loadRan_ = false;
    bool unloading_ = false;
    bool inRegistry_ = false;
    detail::MouseState mouse_;
};

// Unload: runs Form_Unload(cancel) and, unless cancelled, hides the form, stops its timers,
// removes it from the registry and deletes it later (safe inside the form's own handlers). The
// next touch through the registry builds a new one. A form made outside the registry is only
// hidden and marked unloaded; its owner deletes it. When no form of the registry is loaded any
// more once the current handler has returned, the application's event loop quits (the old
// program ended with its last form).
void Unload(Form& form);

// The registry of forms: one instance per form class, built on first touch.
class Forms {
public:
    // The loaded form of class F; builds it and runs its Form_Load inside the call when needed.
    template <class F>
    static F& get()
    {
        if (Form* f = find(typeid(F)))
            return static_cast<F&>(*f);
        auto* f = new F(); // owned by the registry; deleted after its unload
        add(typeid(F), f);
        f->runLoad();
        return *f;
    }
    template <class F>
    static bool isLoaded()
    {
        return find(typeid(F)) != nullptr;
    }
    // Tests' tear-down (and the end of the program): removes every loaded form at once, without
    // unload handlers, like the old End statement.
    static void unloadAll();
    static std::vector<Form*> loaded();

private:
    friend class Form;
    friend void Unload(Form& form);
    static Form* find(const std::type_info& type);
    static void add(const std::type_info& type, Form* form);
    static void remove(Form* form);
};

// Closes what stands open for a moment over the windows: pop-up menus, with no item chosen, and
// message boxes, each answered as a close of its window answers it (No or Cancel where it has
// one). The calls that opened them return once the caller's handler has returned. For a handler
// that must have the screen at once.
void closeMenusAndMessageBoxes();

// Processes pending events once (the old DoEvents).
void DoEvents();

// Ends the program at once (the old End): every form goes without its unload handler, no
// handler runs any more and the event loop quits. The caller must touch nothing of its form
// afterwards: it is gone.
void End();
// Tests: when set, End calls this instead and the forms stay.
void setEndResponder(std::function<void()> responder);

// Tests: when set, a modal Show calls the responder (after the form is shown) and enters the
// nested event loop only if the form is still loaded afterwards.
void setModalResponder(std::function<void(Form&)> responder);
// Tests: when set, PopupMenu asks the responder which item to choose (nullptr: dismissed).
void setPopupResponder(std::function<Menu*(Menu& popup)> responder);
// Tests: when set, every beginDrag tells the observer before it asks the window system (the
// test platforms move no windows, so this is where a test sees the drag begin).
void setDragObserver(std::function<void(Form&)> observer);

} // namespace vb

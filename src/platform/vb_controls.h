#pragma once
// The kinds of controls. Each is created with its container, which owns it:
//     Label1 = new vb::Label(this);            // on the form
//     ImgMenu = new vb::Image(PicMenu);        // inside a picture box
// A control may also be deleted directly; an array member is removed with its array's Unload.

#include "platform/vb_control.h"
#include "platform/vb_picture.h"

#include <QPen>
#include <QPixmap>
#include <QStringList>
#include <optional>

class QLineEdit;
class QPlainTextEdit;
class QListWidget;
class QTextEdit;
class QUrl;
class QAbstractButton;
class QCheckBox;
class QGroupBox;

namespace vb {

// The lightweight controls (labels, images, shapes, lines): drawn on their container, beneath
// its windowed controls, never holding the focus.
class DrawnControl : public Control {
    Q_OBJECT
public:
    bool isWindowed() const override { return false; }

protected:
    using Control::Control;
    // The derived constructor draws on a widget of the container's (after its own overrides are in
    // place: attaching asks whether the control takes the mouse).
    void attachCanvas();
};

// A windowed control that holds controls of its own (a picture box, a frame, the program's
// picture button); they go with it while its widget still exists.
class ContainerControl : public Control, public vb::Container {
    Q_OBJECT
public:
    using Control::Container; // the container this one lies in
    ~ContainerControl() override { destroyControls(); }

    bool isWindowed() const override { return true; }
    QWidget* containerWidget() override { return widget(); }
    Form* parentForm() override { return Control::parentForm(); }

protected:
    using Control::Control;
};

// A control on a Qt button with a caption, which reports its clicks itself (from the mouse and
// from the keyboard) and knows no double click.
class ButtonControl : public Control {
    Q_OBJECT
public:
    QString Caption() const;
    void setCaption(const QString& caption);

    bool isWindowed() const override { return true; }

protected:
    using Control::Control;
    // The derived constructor hands over its button (made on the container's widget).
    void attachButton(QAbstractButton* button, detail::HostLink* link);
    bool clicksOnRelease() const override { return false; }
    bool hasDblClick() const override { return false; }

private:
    QAbstractButton* button_ = nullptr;
};

// Lines drawn on the container (a shape's outline, a line); they never take the mouse.
class LineArt : public DrawnControl {
    Q_OBJECT
public:
    QColor BorderColor() const { return borderColor_; }
    void setBorderColor(const QColor& c);
    int BorderWidth() const { return borderWidth_; } // pixels
    void setBorderWidth(int px);
    // 0 transparent, 1 solid, 2 dash, 3 dot, 4 dash-dot, 5 dash-dot-dot, 6 inside solid.
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

protected:
    using DrawnControl::DrawnControl;
    bool takesMouse() const override { return false; }
    void copyBorderFrom(const LineArt& other);
    // Nothing when the border is transparent or 0 pixels wide.
    std::optional<QPen> borderPen() const;

private:
    int borderWidth_ = 1, borderStyle_ = 1;
    QColor borderColor_{0, 0, 0};
};

// A caption drawn on its container. Even with a transparent background it takes the mouse over
// its whole rectangle. The caption wraps at the label's width as the old labels did; AutoSize
// sizes the label to its caption (WordWrap: the width stays and the height follows).
class Label : public DrawnControl {
    Q_OBJECT
public:
    explicit Label(vb::Container* container);
    QString Caption() const { return caption_; }
    void setCaption(const QString& caption);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    bool WordWrap() const { return wordWrap_; }
    void setWordWrap(bool on);
    int BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque
    void setBackStyle(int style);
    int Alignment() const { return alignment_; } // 0 left, 1 right, 2 centre
    void setAlignment(int alignment);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void setBorderStyle(int style);
    // The width in twips that text takes in the label's font.
    int TextWidth(const QString& text) const;

    Control* clone() const override;
    void paint(QPainter& p) override;

protected:
    void applyFont() override;

private:
    void fit();
    QString caption_;
    bool autoSize_ = false, wordWrap_ = false;
    int backStyle_ = 1, alignment_ = 0, borderStyle_ = 0;
};

// A picture drawn on its container: at its own size (the control takes the picture's pixel
// size), or stretched to the control.
class Image : public DrawnControl {
    Q_OBJECT
public:
    explicit Image(vb::Container* container);
    const std::optional<QPixmap>& Picture() const { return picture_.get(); }
    void setPicture(std::optional<QPixmap> picture);
    void setPicture(const PictureFile& file);
    bool Stretch() const { return stretch_; }
    void setStretch(bool on);

    Control* clone() const override;
    void paint(QPainter& p) override;

protected:
    void applyGeometry() override;

private:
    void fit();
    void pictureChanged();
    HeldPicture picture_;
    bool stretch_ = false;
};

// A windowed container with a background colour and a picture at its top-left corner; it can
// hold the focus and raises key events.
class PictureBox : public ContainerControl {
    Q_OBJECT
public:
    explicit PictureBox(vb::Container* container);
    const std::optional<QPixmap>& Picture() const { return picture_.get(); }
    void setPicture(std::optional<QPixmap> picture);
    void setPicture(const PictureFile& file);
    bool AutoSize() const { return autoSize_; }
    void setAutoSize(bool on);
    int BorderStyle() const { return borderStyle_; } // 0 none, 1 fixed single
    void setBorderStyle(int style);
    // The inner size in twips.
    int ScaleWidth() const;
    int ScaleHeight() const;

    Control* clone() const override;
    void paint(QPainter& p) override;
    QPoint clientOrigin() const override { return clientOffset(); }

protected:
    QPoint clientOffset() const override;

private:
    void fit();
    void pictureChanged();
    HeldPicture picture_;
    bool autoSize_ = false;
    int borderStyle_ = 1;
};

// A text editor; Change fires whenever its text changes, also when code sets it.
class TextBox : public Control {
    Q_OBJECT
public:
    explicit TextBox(vb::Container* container);
    QString Text() const;
    void setText(const QString& text);
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    QString SelText() const;
    void setSelText(const QString& text);
    int Alignment() const { return alignment_; }
    void setAlignment(int alignment);
    bool MultiLine() const { return multiLine_; }
    void setMultiLine(bool on);
    bool Locked() const { return locked_; }
    void setLocked(bool on);
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);
    // 0 none, 1 horizontal, 2 vertical, 3 both (multi-line only).
    int ScrollBars() const { return scrollBars_; }
    void setScrollBars(int bars);
    // The most characters the candidate can type (single-line boxes); 0 means no limit.
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length);

    bool isWindowed() const override { return true; }
    Control* clone() const override;

private:
    void build();
    void applyOptions();
    QLineEdit* line_ = nullptr;
    QPlainTextEdit* multi_ = nullptr;
    int alignment_ = 0, borderStyle_ = 1, scrollBars_ = 0, maxLength_ = 0;
    bool multiLine_ = false, locked_ = false;
};

// A framed container with a caption.
class Frame : public ContainerControl {
    Q_OBJECT
public:
    explicit Frame(vb::Container* container);
    QString Caption() const;
    void setCaption(const QString& caption);
    int BorderStyle() const { return borderStyle_; }
    void setBorderStyle(int style);

    Control* clone() const override;

private:
    QGroupBox* box_;
    int borderStyle_ = 1;
};

// A push button; Click also comes from the keyboard.
class CommandButton : public ButtonControl {
    Q_OBJECT
public:
    explicit CommandButton(vb::Container* container);

    Control* clone() const override;
};

// A check box; Value 0 unchecked, 1 checked. Click fires whenever Value changes.
class CheckBox : public ButtonControl {
    Q_OBJECT
public:
    explicit CheckBox(vb::Container* container);
    int Value() const;
    void setValue(int value);

    Control* clone() const override;

private:
    QCheckBox* box_;
};

// A list of texts; Click fires whenever ListIndex changes (by the user or by code).
class ListBox : public Control {
    Q_OBJECT
public:
    explicit ListBox(vb::Container* container);
    // Adds at the end, or before `index` when 0 <= index <= ListCount.
    void AddItem(const QString& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    // "" for an index out of range.
    QString List(int index) const;
    void setList(int index, const QString& item);
    int ListCount() const;
    int ListIndex() const;
    void setListIndex(int index);
    // The text of the chosen item, "" when none.
    QString Text() const;

    bool isWindowed() const override { return true; }
    Control* clone() const override;

protected:
    bool clicksOnRelease() const override { return false; }

private:
    QListWidget* list_;
    bool quiet_ = false;
};

// A rectangle (or oval) outline drawn on its container; it never takes the mouse.
class Shape : public LineArt {
    Q_OBJECT
public:
    explicit Shape(vb::Container* container);
    // 0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded rectangle, 5 rounded square.
    int ShapeKind() const { return shape_; }
    void setShape(int shape);
    // 0 solid, 1 transparent.
    int FillStyle() const { return fillStyle_; }
    void setFillStyle(int style);
    QColor FillColor() const { return fillColor_; }
    void setFillColor(const QColor& c);
    int BackStyle() const { return backStyle_; } // 0 transparent, 1 opaque (BackColor)
    void setBackStyle(int style);

    Control* clone() const override;
    void paint(QPainter& p) override;

private:
    int shape_ = 0, fillStyle_ = 1, backStyle_ = 0;
    QColor fillColor_{0, 0, 0};
};

// A line between two points of its container (twips); it never takes the mouse.
class Line : public LineArt {
    Q_OBJECT
public:
    explicit Line(vb::Container* container);
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void setX1(int tw);
    void setY1(int tw);
    void setX2(int tw);
    void setY2(int tw);

    Control* clone() const override;
    void paint(QPainter& p) override;

protected:
    void applyGeometry() override;

private:
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
};

// A read-only text display with scroll bars.
class RichTextBox : public Control {
    Q_OBJECT
public:
    explicit RichTextBox(vb::Container* container);
    QString Text() const;
    void setText(const QString& text);

    bool isWindowed() const override { return true; }
    Control* clone() const override;

private:
    QTextEdit* edit_;
};

namespace detail {
class PageBrowser;
}

// A browser of local pages: shows an HTML (or text) file, bounded by platform::webPageLimits. The
// folder of the page its owner opened is the browser's reach: links to pages in or below it are
// followed in the pane, and pictures and style sheets are loaded from it alone. Links to web
// pages and mail addresses go to the desktop; every other link is refused, the pane unchanged.
class WebView : public Control {
    Q_OBJECT
public:
    explicit WebView(vb::Container* container);
    // Shows the file at `path` (looked up without regard to case). False when it cannot be read or
    // is past the limits: the pane then shows the notice set for that case, or nothing.
    bool Navigate(const QString& path);
    // The page on show, or asked for last when it could not be shown.
    QString LocationURL() const { return location_; }
    QString documentText() const;
    void setNotices(const QString& unreadable, const QString& pastLimits);

    // Raised after a link in the page has brought another page into the pane.
    std::function<void()> LinkFollowed;

    bool isWindowed() const override { return true; }
    Control* clone() const override;

    // A page is laid out once in a process of its own, this program started again with a hidden
    // argument, before it is shown; main() hands its arguments here first. Nothing when they are
    // not that argument's, otherwise the process's exit code.
    static std::optional<int> runLayoutProcess(int argc, char** argv);
    // Tests: the command started in place of this program to lay a page out (the arguments
    // follow it), and what is done after each few milliseconds of real time the view waits for
    // it on the manual clock (which otherwise stands still while it waits).
    static void setLayoutProcessHooks(QStringList command, std::function<void()> whileWaiting);

private:
    bool show(const QString& path);
    // How laying a page out in a process of its own went; NotRun when the process could not be
    // started or got no further than starting, before it had the page.
    enum class LayoutRun { InTime, PastItsTime, NotRun };
    LayoutRun layOutApart(const QString& text, bool rich, const QString& folder) const;
    void follow(const QUrl& link);
    detail::PageBrowser* browser_;
    QString location_, root_;
    QString unreadableNotice_, pastLimitsNotice_;
};

} // namespace vb

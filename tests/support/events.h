#pragma once
// Test helpers: real Qt input events delivered through the window system to the toolkit's
// controls and forms, and a temporary installation folder to build fixtures in.
//
// Mouse helpers take a point in twips relative to the control (or to the form's client area),
// the control's centre by default, map it into its window and hand the event to Qt as the
// window system would: hit testing, the implicit grab of a press and double-click detection all
// happen as for a candidate. So a click "on" a control that something covers reaches what covers
// it. The window must be shown. Key helpers deliver to the control's widget directly, as to the
// control with the focus.

#include "platform/vb.h"

#include <QByteArray>
#include <QColor>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <optional>

namespace tsupport {

// Fixes the screen the fixtures lay windows out on: 96 dpi (15 twips a pixel), 1024 x 768 pixels.
inline void standardScreen()
{
    vb::setTwipsPerPixelOverride(15, 15);
    vb::setScreenSizeOverride(1024, 768);
}

using Coord = std::optional<double>;

void press(vb::Control& c, int button = vb::vbLeftButton, int shift = 0, Coord xTw = {}, Coord yTw = {});
void release(vb::Control& c, int button = vb::vbLeftButton, int shift = 0, Coord xTw = {}, Coord yTw = {});
void click(vb::Control& c, int button = vb::vbLeftButton, int shift = 0, Coord xTw = {}, Coord yTw = {});
void dblClick(vb::Control& c, int button = vb::vbLeftButton, int shift = 0, Coord xTw = {}, Coord yTw = {});
// A move with `buttons` held (a set of vbLeftButton...).
void move(vb::Control& c, int buttons = 0, int shift = 0, Coord xTw = {}, Coord yTw = {});

// The same at a point of a form's client area (twips).
void press(vb::Form& f, int button, int shift, double xTw, double yTw);
void release(vb::Form& f, int button, int shift, double xTw, double yTw);
void click(vb::Form& f, int button, int shift, double xTw, double yTw);
void dblClick(vb::Form& f, int button, int shift, double xTw, double yTw);
void move(vb::Form& f, int buttons, int shift, double xTw, double yTw);
// Moves the pointer (no button) to a point of the form: hovers whatever lies there.
void moveTo(vb::Form& f, double xTw, double yTw);

// Clicks the middle of the first place where `text` stands in a web view's page, as on a link
// there. False when the page does not show the text.
bool clickPageText(vb::WebView& web, const QString& text);

// Presses and releases a key by its old code (vbKeyReturn, vbKeyA...) on the control's widget.
void key(vb::Control& c, int keyCode, int shift = 0);
void key(vb::Form& f, int keyCode, int shift = 0);
void keyDown(vb::Control& c, int keyCode, int shift = 0);
void keyUp(vb::Control& c, int keyCode, int shift = 0);
// Types each character as a key press and release (any character, Chinese too).
void typeText(vb::Control& c, const QString& text);

// What takes a candidate's keys in the form's window: the shown control that holds its keyboard
// focus, or the form itself when none does.
QWidget* keyboardFocus(vb::Form& f);
// Types as a candidate does: each key goes to the form's keyboard focus of that moment.
void typeText(vb::Form& f, const QString& text);
void keyToFocus(vb::Form& f, int keyCode, int shift = 0);

// A one-colour GIF whose canvas (the size its header declares) is `canvas` and whose one frame
// covers `frame` (the whole canvas when null).
QByteArray solidGif(QSize canvas, const QColor& color = Qt::red, QRect frame = {});

// A temporary installation folder.
class TempInstall {
public:
    TempInstall();
    bool isValid() const { return dir_.isValid(); }
    // The folder, and a path inside it (with '/' separators).
    QString root() const { return dir_.path(); }
    QString path(const QString& relative) const;
    // Creates a folder (and its parents); returns its path.
    QString mkdir(const QString& relative) const;
    // Writes a text file in GBK: the lines each ended by CR LF. Returns its path.
    QString writeLines(const QString& relative, const QStringList& lines) const;
    // Writes raw bytes. Returns its path.
    QString writeBytes(const QString& relative, const QByteArray& bytes) const;
    // Writes a picture of one colour in the given format ("PNG", "BMP", "GIF", "JPEG"), whatever
    // the file's extension. Returns its path.
    QString writePicture(const QString& relative, QSize size = {4, 4}, const QColor& color = Qt::red,
                         const char* format = "PNG") const;

private:
    QTemporaryDir dir_;
};

} // namespace tsupport

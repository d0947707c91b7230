#include "support/events.h"

#include "platform/files.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QKeyEvent>
#include <QTest>
#include <QTextBrowser>
#include <QWindow>
#include <gtest/gtest.h>

namespace tsupport {
namespace {

// Event time stamps: a new gesture starts well after the last one, so that only dblClick makes
// a double click.
int& stamp()
{
    static int t = 100000;
    return t;
}
constexpr int kNewGesture = 5000;
constexpr int kSameGesture = 10;

void sendMouse(QWidget* w, QPointF localPx, Qt::MouseButtons state, Qt::MouseButton button, QEvent::Type type,
               int shift, int gap)
{
    QWidget* top = w->window();
    if (!top->isVisible() || !top->windowHandle()) {
        ADD_FAILURE() << "mouse event to a window that is not shown";
        return;
    }
    QWindow* win = top->windowHandle();
    const QPointF at = QPointF(w->mapTo(top, QPoint(0, 0))) + localPx;
    stamp() += gap;
    qt_handleMouseEvent(win, at, win->mapToGlobal(at.toPoint()), state, button, type, vb::qtModifiers(shift), stamp());
}

QPointF pointOf(vb::Control& c, Coord x, Coord y)
{
    QWidget* w = c.widget();
    QPointF p(w->width() / 2, w->height() / 2);
    QPoint origin;
    if (auto* container = dynamic_cast<vb::Container*>(&c))
        origin = container->clientOrigin();
    if (x)
        p.setX(origin.x() + vb::pxX(*x));
    if (y)
        p.setY(origin.y() + vb::pxY(*y));
    return p;
}

QPointF pointOf(double x, double y) { return QPointF(vb::pxX(x), vb::pxY(y)); }

void doPress(QWidget* w, QPointF p, int button, int shift)
{
    sendMouse(w, p, vb::qtButton(button), vb::qtButton(button), QEvent::MouseButtonPress, shift, kNewGesture);
}

void doRelease(QWidget* w, QPointF p, int button, int shift)
{
    sendMouse(w, p, Qt::NoButton, vb::qtButton(button), QEvent::MouseButtonRelease, shift, kSameGesture);
}

void doDblClick(QWidget* w, QPointF p, int button, int shift)
{
    const Qt::MouseButton b = vb::qtButton(button);
    sendMouse(w, p, b, b, QEvent::MouseButtonPress, shift, kNewGesture);
    sendMouse(w, p, Qt::NoButton, b, QEvent::MouseButtonRelease, shift, kSameGesture);
    sendMouse(w, p, b, b, QEvent::MouseButtonPress, shift, kSameGesture);
    sendMouse(w, p, Qt::NoButton, b, QEvent::MouseButtonRelease, shift, kSameGesture);
}

void doMove(QWidget* w, QPointF p, int buttons, int shift)
{
    sendMouse(w, p, vb::qtButtons(buttons), Qt::NoButton, QEvent::MouseMove, shift, kSameGesture);
}

void sendKey(QWidget* w, QEvent::Type type, int keyCode, int shift)
{
    const vb::QtKey k = vb::qtKeyFromKeyCode(keyCode, shift);
    QKeyEvent e(type, k.key, k.modifiers, k.text);
    QApplication::sendEvent(w, &e);
}

} // namespace

void press(vb::Control& c, int button, int shift, Coord x, Coord y) { doPress(c.widget(), pointOf(c, x, y), button, shift); }
void release(vb::Control& c, int button, int shift, Coord x, Coord y) { doRelease(c.widget(), pointOf(c, x, y), button, shift); }

void click(vb::Control& c, int button, int shift, Coord x, Coord y)
{
    const QPointF p = pointOf(c, x, y);
    QPointer<QWidget> w(c.widget());
    doPress(w, p, button, shift);
    if (w)
        doRelease(w, p, button, shift);
}

void dblClick(vb::Control& c, int button, int shift, Coord x, Coord y) { doDblClick(c.widget(), pointOf(c, x, y), button, shift); }
void move(vb::Control& c, int buttons, int shift, Coord x, Coord y) { doMove(c.widget(), pointOf(c, x, y), buttons, shift); }

void press(vb::Form& f, int button, int shift, double x, double y) { doPress(&f, pointOf(x, y), button, shift); }
void release(vb::Form& f, int button, int shift, double x, double y) { doRelease(&f, pointOf(x, y), button, shift); }

void click(vb::Form& f, int button, int shift, double x, double y)
{
    QPointer<QWidget> w(&f);
    doPress(w, pointOf(x, y), button, shift);
    if (w)
        doRelease(w, pointOf(x, y), button, shift);
}

void dblClick(vb::Form& f, int button, int shift, double x, double y) { doDblClick(&f, pointOf(x, y), button, shift); }
void move(vb::Form& f, int buttons, int shift, double x, double y) { doMove(&f, pointOf(x, y), buttons, shift); }
void moveTo(vb::Form& f, double x, double y) { doMove(&f, pointOf(x, y), 0, 0); }

void keyDown(vb::Control& c, int keyCode, int shift) { sendKey(c.widget(), QEvent::KeyPress, keyCode, shift); }
void keyUp(vb::Control& c, int keyCode, int shift) { sendKey(c.widget(), QEvent::KeyRelease, keyCode, shift); }

bool clickPageText(vb::WebView& web, const QString& text)
{
    auto* browser = qobject_cast<QTextBrowser*>(web.widget());
    const QTextCursor found = browser ? browser->document()->find(text) : QTextCursor();
    if (found.isNull())
        return false;
    QTextCursor at(browser->document());
    at.setPosition(found.selectionStart());
    const QRect first = browser->cursorRect(at);
    at.setPosition(found.selectionEnd());
    const QRect last = browser->cursorRect(at);
    const QPointF p((first.left() + last.left()) / 2.0, first.center().y());
    doPress(browser->viewport(), p, vb::vbLeftButton, 0);
    doRelease(browser->viewport(), p, vb::vbLeftButton, 0);
    return true;
}

void key(vb::Control& c, int keyCode, int shift)
{
    QPointer<QWidget> w(c.widget());
    sendKey(w, QEvent::KeyPress, keyCode, shift);
    if (w)
        sendKey(w, QEvent::KeyRelease, keyCode, shift);
}

void key(vb::Form& f, int keyCode, int shift)
{
    QPointer<QWidget> w(&f);
    sendKey(w, QEvent::KeyPress, keyCode, shift);
    if (w)
        sendKey(w, QEvent::KeyRelease, keyCode, shift);
}

namespace {

void typeChar(QWidget* target, char32_t ch)
{
    QPointer<QWidget> w(target);
    const QString s = QString::fromUcs4(&ch, 1);
    const Qt::Key key = ch < 0x80 ? Qt::Key(QChar(ch).toUpper().unicode()) : Qt::Key_unknown;
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, s);
    QApplication::sendEvent(w, &down);
    if (!w)
        return;
    QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, s);
    QApplication::sendEvent(w, &up);
}

} // namespace

void typeText(vb::Control& c, const QString& text)
{
    QPointer<QWidget> w(c.widget());
    for (const char32_t ch : text.toUcs4()) {
        if (!w)
            return;
        typeChar(w, ch);
    }
}

QWidget* keyboardFocus(vb::Form& f)
{
    QWidget* w = f.focusWidget();
    return w && w->isVisible() && w->isEnabled() ? w : &f;
}

void typeText(vb::Form& f, const QString& text)
{
    QPointer<vb::Form> form(&f);
    for (const char32_t ch : text.toUcs4()) {
        if (!form)
            return;
        typeChar(keyboardFocus(*form), ch);
    }
}

void keyToFocus(vb::Form& f, int keyCode, int shift)
{
    QPointer<QWidget> w(keyboardFocus(f));
    sendKey(w, QEvent::KeyPress, keyCode, shift);
    if (w)
        sendKey(w, QEvent::KeyRelease, keyCode, shift);
}

// ---------------------------------------------------------------------------------------------

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

} // namespace

// Qt reads GIF but does not write it: a one-colour GIF89a by hand. The pixel codes are 3 bits
// wide (minimum code size 2) and a clear code follows every two pixels, so the code width never
// grows.
QByteArray solidGif(QSize canvas, const QColor& color, QRect frame)
{
    if (frame.isNull())
        frame = QRect(QPoint(0, 0), canvas);
    const QSize size = canvas;
    QByteArray out("GIF89a");
    const auto le16 = [&out](int v) {
        out.append(char(v & 0xFF));
        out.append(char((v >> 8) & 0xFF));
    };
    le16(size.width());
    le16(size.height());
    out.append(char(0x80)); // global colour table of 2 entries
    out.append(char(0));
    out.append(char(0));
    out.append(char(color.red())).append(char(color.green())).append(char(color.blue()));
    out.append(char(0)).append(char(0)).append(char(0));
    out.append(',');
    le16(frame.x());
    le16(frame.y());
    le16(frame.width());
    le16(frame.height());
    out.append(char(0));
    out.append(char(2)); // minimum code size

    QByteArray data;
    quint32 acc = 0;
    int bits = 0;
    const auto put = [&](int code) {
        acc |= quint32(code) << bits;
        bits += 3;
        while (bits >= 8) {
            data.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    };
    const int pixels = frame.width() * frame.height();
    for (int i = 0; i < pixels; ++i) {
        if (i % 2 == 0)
            put(4); // clear
        put(0);
    }
    put(5); // end
    if (bits > 0)
        data.append(char(acc & 0xFF));
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(';');
    return out;
}

TempInstall::TempInstall() = default;

QString TempInstall::path(const QString& relative) const { return dir_.filePath(relative); }

QString TempInstall::mkdir(const QString& relative) const
{
    const QString p = path(relative);
    QDir().mkpath(p);
    return p;
}

QString TempInstall::writeLines(const QString& relative, const QStringList& lines) const
{
    QString text;
    for (const QString& l : lines)
        text += l + QStringLiteral("\r\n");
    const QString p = path(relative);
    writeFile(p, platform::toGbk(text));
    return p;
}

QString TempInstall::writeBytes(const QString& relative, const QByteArray& bytes) const
{
    const QString p = path(relative);
    writeFile(p, bytes);
    return p;
}

QString TempInstall::writePicture(const QString& relative, QSize size, const QColor& color, const char* format) const
{
    const QString p = path(relative);
    QDir().mkpath(QFileInfo(p).absolutePath());
    if (qstricmp(format, "GIF") == 0) {
        writeFile(p, solidGif(size, color));
        return p;
    }
    QImage img(size, QImage::Format_RGB32);
    img.fill(color);
    img.save(p, format);
    return p;
}

} // namespace tsupport

#pragma once
// The old key codes, buttons and Shift sets from Qt's, and back (the test helpers press keys by
// their old codes).

#include <QString>
#include <Qt>

class QKeyEvent;

namespace vb {

// The old key code of a Qt key (0 for a key that has none). Keypad keys get the keypad codes.
int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
int keyCode(const QKeyEvent& e);

// The Shift set (vbShiftMask, vbCtrlMask, vbAltMask) of Qt modifiers, and back.
int shiftFromQt(Qt::KeyboardModifiers modifiers);
Qt::KeyboardModifiers qtModifiers(int shift);

// The old button number of a Qt button, the old button set of Qt buttons, and back.
int buttonFromQt(Qt::MouseButton button);
int buttonsFromQt(Qt::MouseButtons buttons);
Qt::MouseButton qtButton(int button);
Qt::MouseButtons qtButtons(int buttons);

// A Qt key for an old key code, with the text a US keyboard types for it under `shift`.
struct QtKey {
    Qt::Key key = Qt::Key_unknown;
    Qt::KeyboardModifiers modifiers;
    QString text;
};
QtKey qtKeyFromKeyCode(int keyCode, int shift);

} // namespace vb

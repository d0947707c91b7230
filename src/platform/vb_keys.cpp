#include "platform/vb_keys.h"

#include "platform/vb_constants.h"

#include <QKeyEvent>
#include <array>

namespace vb {
namespace {

struct KeyPair {
    int qt;
    int code;
};

// Keys whose old code does not follow from their character.
constexpr std::array<KeyPair, 36> kSpecial{{
    {Qt::Key_Backspace, vbKeyBack},   {Qt::Key_Tab, vbKeyTab},         {Qt::Key_Backtab, vbKeyTab},
    {Qt::Key_Clear, vbKeyClear},      {Qt::Key_Return, vbKeyReturn},   {Qt::Key_Enter, vbKeyReturn},
    {Qt::Key_Shift, vbKeyShift},      {Qt::Key_Control, vbKeyControl}, {Qt::Key_Alt, vbKeyMenu},
    {Qt::Key_AltGr, vbKeyMenu},       {Qt::Key_Pause, vbKeyPause},     {Qt::Key_CapsLock, vbKeyCapital},
    {Qt::Key_Escape, vbKeyEscape},    {Qt::Key_Space, vbKeySpace},     {Qt::Key_PageUp, vbKeyPageUp},
    {Qt::Key_PageDown, vbKeyPageDown}, {Qt::Key_End, vbKeyEnd},        {Qt::Key_Home, vbKeyHome},
    {Qt::Key_Left, vbKeyLeft},        {Qt::Key_Up, vbKeyUp},           {Qt::Key_Right, vbKeyRight},
    {Qt::Key_Down, vbKeyDown},        {Qt::Key_Select, vbKeySelect},   {Qt::Key_Print, vbKeySnapshot},
    {Qt::Key_Execute, vbKeyExecute},  {Qt::Key_Insert, vbKeyInsert},  {Qt::Key_Delete, vbKeyDelete},
    {Qt::Key_Help, vbKeyHelp},        {Qt::Key_NumLock, vbKeyNumlock}, {Qt::Key_ScrollLock, vbKeyScrollLock},
    {Qt::Key_Meta, 91},               {Qt::Key_Menu, 93},              {Qt::Key_Super_L, 91},
    {Qt::Key_Super_R, 92},            {Qt::Key_SysReq, vbKeySnapshot}, {Qt::Key_Cancel, 3},
}};

// Punctuation keys of a US keyboard, unshifted and shifted, and their old codes.
struct Punct {
    char plain;
    char shifted;
    int code;
};
constexpr std::array<Punct, 11> kPunct{{
    {';', ':', 186}, {'=', '+', 187}, {',', '<', 188}, {'-', '_', 189}, {'.', '>', 190}, {'/', '?', 191},
    {'`', '~', 192}, {'[', '{', 219}, {'\\', '|', 220}, {']', '}', 221}, {'\'', '"', 222},
}};

// Shifted digits of a US keyboard: ")!@#$%^&*(" for 0-9.
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

} // namespace

int keyCodeFromQt(int qtKey, Qt::KeyboardModifiers modifiers)
{
    const bool keypad = modifiers.testFlag(Qt::KeypadModifier);
    if (keypad) {
        if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
            return vbKeyNumpad0 + (qtKey - Qt::Key_0);
        switch (qtKey) {
        case Qt::Key_Asterisk: return vbKeyMultiply;
        case Qt::Key_Plus: return vbKeyAdd;
        case Qt::Key_Minus: return vbKeySubtract;
        case Qt::Key_Period:
        case Qt::Key_Comma: return vbKeyDecimal;
        case Qt::Key_Slash: return vbKeyDivide;
        default: break;
        }
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return qtKey; // same codes
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F16)
        return vbKeyF1 + (qtKey - Qt::Key_F1);
    for (const auto& k : kSpecial)
        if (k.qt == qtKey)
            return k.code;
    if (qtKey > 0 && qtKey < 0x80) {
        const char c = char(qtKey);
        for (int i = 0; i < 10; ++i)
            if (kShiftedDigits[i] == c)
                return vbKey0 + i;
        for (const auto& p : kPunct)
            if (p.plain == c || p.shifted == c)
                return p.code;
    }
    return 0;
}

int keyCode(const QKeyEvent& e) { return keyCodeFromQt(e.key(), e.modifiers()); }

int shiftFromQt(Qt::KeyboardModifiers m)
{
    return (m.testFlag(Qt::ShiftModifier) ? vbShiftMask : 0) | (m.testFlag(Qt::ControlModifier) ? vbCtrlMask : 0)
        | (m.testFlag(Qt::AltModifier) ? vbAltMask : 0);
}

Qt::KeyboardModifiers qtModifiers(int shift)
{
    Qt::KeyboardModifiers m;
    if (shift & vbShiftMask)
        m |= Qt::ShiftModifier;
    if (shift & vbCtrlMask)
        m |= Qt::ControlModifier;
    if (shift & vbAltMask)
        m |= Qt::AltModifier;
    return m;
}

int buttonFromQt(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return vbLeftButton;
    case Qt::RightButton: return vbRightButton;
    case Qt::MiddleButton: return vbMiddleButton;
    default: return 0;
    }
}

int buttonsFromQt(Qt::MouseButtons b)
{
    return (b.testFlag(Qt::LeftButton) ? vbLeftButton : 0) | (b.testFlag(Qt::RightButton) ? vbRightButton : 0)
        | (b.testFlag(Qt::MiddleButton) ? vbMiddleButton : 0);
}

Qt::MouseButton qtButton(int button)
{
    switch (button) {
    case vbRightButton: return Qt::RightButton;
    case vbMiddleButton: return Qt::MiddleButton;
    default: return Qt::LeftButton;
    }
}

Qt::MouseButtons qtButtons(int buttons)
{
    Qt::MouseButtons b;
    if (buttons & vbLeftButton)
        b |= Qt::LeftButton;
    if (buttons & vbRightButton)
        b |= Qt::RightButton;
    if (buttons & vbMiddleButton)
        b |= Qt::MiddleButton;
    return b;
}

QtKey qtKeyFromKeyCode(int code, int shift)
{
    QtKey k;
    k.modifiers = qtModifiers(shift);
    const bool shifted = shift & vbShiftMask;
    const bool ctrl = shift & vbCtrlMask;
    if (code >= vbKeyA && code <= vbKeyZ) {
        k.key = Qt::Key(code);
        if (ctrl)
            k.text = QString(QChar(code - vbKeyA + 1));
        else
            k.text = QString(QChar(shifted ? code : code + 32));
    } else if (code >= vbKey0 && code <= vbKey9) {
        k.key = Qt::Key(code);
        k.text = QString(QChar(shifted ? kShiftedDigits[code - vbKey0] : char(code)));
    } else if (code >= vbKeyNumpad0 && code <= vbKeyNumpad0 + 9) {
        k.key = Qt::Key(Qt::Key_0 + code - vbKeyNumpad0);
        k.modifiers |= Qt::KeypadModifier;
        k.text = QString(QChar('0' + code - vbKeyNumpad0));
    } else if (code >= vbKeyF1 && code <= vbKeyF16) {
        k.key = Qt::Key(Qt::Key_F1 + code - vbKeyF1);
    } else {
        switch (code) {
        case vbKeyMultiply: k.key = Qt::Key_Asterisk; k.modifiers |= Qt::KeypadModifier; k.text = "*"; return k;
        case vbKeyAdd: k.key = Qt::Key_Plus; k.modifiers |= Qt::KeypadModifier; k.text = "+"; return k;
        case vbKeySubtract: k.key = Qt::Key_Minus; k.modifiers |= Qt::KeypadModifier; k.text = "-"; return k;
        case vbKeyDecimal: k.key = Qt::Key_Period; k.modifiers |= Qt::KeypadModifier; k.text = "."; return k;
        case vbKeyDivide: k.key = Qt::Key_Slash; k.modifiers |= Qt::KeypadModifier; k.text = "/"; return k;
        default: break;
        }
        for (const auto& p : kPunct)
            if (p.code == code) {
                k.key = Qt::Key(shifted ? p.shifted : p.plain);
                k.text = QString(QChar(shifted ? p.shifted : p.plain));
                return k;
            }
        for (const auto& s : kSpecial)
            if (s.code == code) {
                k.key = Qt::Key(s.qt);
                break;
            }
        switch (code) {
        case vbKeyBack: k.text = "\b"; break;
        case vbKeyTab: k.text = "\t"; break;
        case vbKeyReturn: k.text = "\r"; break;
        case vbKeyEscape: k.text = "\x1b"; break;
        case vbKeySpace: k.text = " "; break;
        default: break;
        }
    }
    return k;
}

} // namespace vb

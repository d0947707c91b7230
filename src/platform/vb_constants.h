#pragma once
// The constants, colours and run-time errors of the old window toolkit, with their old values:
// handlers compare against them and record files and step codes carry them as numbers.

#include <QColor>
#include <QString>

namespace vb {

// Mouse buttons and the Shift set of mouse and key events.
inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;
inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

// Key codes.
inline constexpr int vbKeyBack = 8;
inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyClear = 12;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyShift = 16;
inline constexpr int vbKeyControl = 17;
inline constexpr int vbKeyMenu = 18;
inline constexpr int vbKeyPause = 19;
inline constexpr int vbKeyCapital = 20;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeySpace = 32;
inline constexpr int vbKeyPageUp = 33;
inline constexpr int vbKeyPageDown = 34;
inline constexpr int vbKeyEnd = 35;
inline constexpr int vbKeyHome = 36;
inline constexpr int vbKeyLeft = 37;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyRight = 39;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeySelect = 41;
inline constexpr int vbKeyPrint = 42;
inline constexpr int vbKeyExecute = 43;
inline constexpr int vbKeySnapshot = 44;
inline constexpr int vbKeyInsert = 45;
inline constexpr int vbKeyDelete = 46;
inline constexpr int vbKeyHelp = 47;
inline constexpr int vbKey0 = 48, vbKey1 = 49, vbKey2 = 50, vbKey3 = 51, vbKey4 = 52, vbKey5 = 53,
                     vbKey6 = 54, vbKey7 = 55, vbKey8 = 56, vbKey9 = 57;
inline constexpr int vbKeyA = 65, vbKeyB = 66, vbKeyC = 67, vbKeyD = 68, vbKeyE = 69, vbKeyF = 70,
                     vbKeyG = 71, vbKeyH = 72, vbKeyI = 73, vbKeyJ = 74, vbKeyK = 75, vbKeyL = 76,
                     vbKeyM = 77, vbKeyN = 78, vbKeyO = 79, vbKeyP = 80, vbKeyQ = 81, vbKeyR = 82,
                     vbKeyS = 83, vbKeyT = 84, vbKeyU = 85, vbKeyV = 86, vbKeyW = 87, vbKeyX = 88,
                     vbKeyY = 89, vbKeyZ = 90;
inline constexpr int vbKeyNumpad0 = 96; // 96..105 for the keypad digits
inline constexpr int vbKeyMultiply = 106;
inline constexpr int vbKeyAdd = 107;
inline constexpr int vbKeySeparator = 108;
inline constexpr int vbKeySubtract = 109;
inline constexpr int vbKeyDecimal = 110;
inline constexpr int vbKeyDivide = 111;
inline constexpr int vbKeyF1 = 112, vbKeyF2 = 113, vbKeyF3 = 114, vbKeyF4 = 115, vbKeyF5 = 116,
                     vbKeyF6 = 117, vbKeyF7 = 118, vbKeyF8 = 119, vbKeyF9 = 120, vbKeyF10 = 121,
                     vbKeyF11 = 122, vbKeyF12 = 123, vbKeyF13 = 124, vbKeyF14 = 125,
                     vbKeyF15 = 126, vbKeyF16 = 127;
inline constexpr int vbKeyNumlock = 144;
inline constexpr int vbKeyScrollLock = 145;

// Mouse pointers.
inline constexpr int vbDefault = 0;
inline constexpr int vbArrow = 1;
inline constexpr int vbCrosshair = 2;
inline constexpr int vbIbeam = 3;
inline constexpr int vbIconPointer = 4;
inline constexpr int vbSizePointer = 5;
inline constexpr int vbSizeNESW = 6;
inline constexpr int vbSizeNS = 7;
inline constexpr int vbSizeNWSE = 8;
inline constexpr int vbSizeWE = 9;
inline constexpr int vbUpArrow = 10;
inline constexpr int vbHourglass = 11;
inline constexpr int vbNoDrop = 12;
inline constexpr int vbArrowHourglass = 13;
inline constexpr int vbArrowQuestion = 14;
inline constexpr int vbSizeAll = 15;
inline constexpr int vbCustom = 99;

// Message boxes: buttons, icons, default button, answers.
inline constexpr int vbOKOnly = 0;
inline constexpr int vbOKCancel = 1;
inline constexpr int vbAbortRetryIgnore = 2;
inline constexpr int vbYesNoCancel = 3;
inline constexpr int vbYesNo = 4;
inline constexpr int vbRetryCancel = 5;
inline constexpr int vbCritical = 16;
inline constexpr int vbQuestion = 32;
inline constexpr int vbExclamation = 48;
inline constexpr int vbInformation = 64;
inline constexpr int vbDefaultButton1 = 0;
inline constexpr int vbDefaultButton2 = 256;
inline constexpr int vbDefaultButton3 = 512;
inline constexpr int vbOK = 1;
inline constexpr int vbCancel = 2;
inline constexpr int vbAbort = 3;
inline constexpr int vbRetry = 4;
inline constexpr int vbIgnore = 5;
inline constexpr int vbYes = 6;
inline constexpr int vbNo = 7;

// Forms.
inline constexpr int vbModeless = 0;
inline constexpr int vbModal = 1;
inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;
// QueryUnload's UnloadMode: the window system's close (close box, Alt+F4, task bar).
inline constexpr int vbFormControlMenu = 0;

// Pop-up menu alignment (PopupMenu flags).
inline constexpr int vbPopupMenuLeftAlign = 0;
inline constexpr int vbPopupMenuCenterAlign = 4;
inline constexpr int vbPopupMenuRightAlign = 8;

// Colours.
using Color = QColor;
inline QColor RGB(int r, int g, int b) { return QColor(r & 0xFF, g & 0xFF, b & 0xFF); }

// A run-time error with the old number and text.
struct Error {
    int number = 0;
    QString text;
};

inline constexpr int errInvalidCall = 5;
inline constexpr int errOverflow = 6;
inline constexpr int errSubscript = 9;
inline constexpr int errTypeMismatch = 13;
inline constexpr int errFileNotFound = 53;
inline constexpr int errPathNotFound = 76;
inline constexpr int errInvalidPicture = 481;

// The old run-time's text for an error number ("" for a number it does not know).
QString errorText(int number);
inline Error makeError(int number) { return Error{number, errorText(number)}; }

} // namespace vb

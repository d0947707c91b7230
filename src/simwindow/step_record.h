#pragma once
// One step of a question script: a line of the session's step file read into its fixed
// columns. The simulated window and the demonstration window both read steps through this type,
// so that a column means the same thing everywhere.
//
// Text fields are kept as they stand in the line (a short line gives short or empty fields);
// numbers are the shared numeric parse held as 16-bit values. Some columns carry different
// fields in different kinds of steps; every reading is offered and the step decides which one
// applies.

#include <QString>
#include <QStringView>
#include <array>

namespace simwindow {

// What kind of action a step waits for, by its `OperationCode`.
enum class OpFamily {
    Other,           // no action of its own (0000, codes outside every family)
    Click,           // 0001 plain left click on target 1
    DoubleClick,     // 0002
    RightClick,      // 0003
    Typing,          // 0020-0029
    Hover,           // 0030
    RangeDrag,       // 0040-0059, Shift state in the last digit
    ContextMenu,     // 3000-5999
    Key,             // 6000-6999
    Menu,            // 7000: recognised by the target codes alone
    PictureDrag,     // 8001-8009 except 8005
    Auto,            // 8888: advances by itself after a second
    ClickWithButton, // 9000-9998: button = code mod 100, Shift = (code mod 1000) \ 100
    End,             // 9999: the question is completed
    List,            // "L" and three digits
    LocationList,    // "K", one digit, two digits
};

// The place and picture of one overlay slot (Image1-Image6).
struct Overlay {
    int left = 0;
    int top = 0;
    QString picture;
    QString jump; // empty for Image5 and Image6, which carry no jump
};

struct StepRecord {
    QString line; // the whole record as read

    QString Spare1;          // 1-3
    QString ZoneSpec1;       // 4-5
    QString ZoneSpec2;       // 6-7
    QString OperationCode;   // 8-11
    int DragShift = 0;       // 11, the last digit of a range-drag code
    QString BackPicture;     // 12-17

    int Image1Left = 0;      // 18-22
    QString Image1Jump;      // 23
    int Image1Top = 0;       // 24-27
    QString Image1Picture;   // 28-33
    int Image2Left = 0;      // 34-38
    QString Image2Jump;      // 39
    int Image2Top = 0;       // 40-43
    QString Image2Picture;   // 44-49
    int Image3Left = 0;      // 50-54
    QString Image3Jump;      // 55
    int Image3Top = 0;       // 56-59
    QString Image3Picture;   // 60-65

    int Target1Left = 0;     // 66-70
    QString Target1Jump;     // 71
    int Target1Top = 0;      // 72-75
    int Target1Width = 0;    // 76-80
    int Target1Height = 0;   // 81-85

    // Columns 86-105, read every way they are used.
    int EditorLeft = 0;      // 86-90
    int EditorTop = 0;       // 92-95
    int EditorWidth = 0;     // 96-100
    int EditorHeight = 0;    // 101-105
    QString RouteCode;       // 86-90: "R" and a context-menu code
    QString PaneCode;        // 86-88: "H" and a pane element
    QString PanePos;         // 96-105
    int PanePosLeft = 0;     // 96-100
    int PanePosTop = 0;      // 102-105 (101 is not part of it)
    std::array<QString, 3> AltKey; // 86-90, 91-95, 96-100: "P" and a key code
    QString CursorSpec;      // 101-105

    // The text-line fields as they stand ("000" names no text, simwindow::fieldText), and as
    // numbers for the "L" steps, where they are 0-based list entries.
    QString EditorTextField; // 106-108
    QString AnswerField;     // 109-111
    QString HintField;       // 122-124
    int EditorTextLine = 0;  // 106-108 (an "L" step: the entry selected at the start)
    int AnswerLine = 0;      // 109-111 (an "L" step: the entry to choose)
    int HintLeft = 0;        // 112-116
    int HintTop = 0;         // 117-121
    int HintLine = 0;        // 122-124

    QString EditorFormat;    // 125-134
    QString ComboSpec;       // 125-129
    QString TabSpec;         // 130-134

    // The three places of a menu or toolbar target code, in the order every matcher tries
    // them: the first place 125-134, then 86-95, then 96-105.
    std::array<QString, 3> TargetCode;

    int Image4Left = 0;      // 135-139
    QString Image4Jump;      // 140
    int Image4Top = 0;       // 141-144
    QString Image4Picture;   // 145-150
    int Image5Left = 0;      // 151-155
    int Image5StartY = 0;    // 156-160, where a failed drag puts Image5 back
    int Image5Top = 0;       // 157-160, where the step starts it
    QString Image5Picture;   // 161-166
    int PointX = 0;          // 167-171
    int PointY = 0;          // 172-176

    int Target2Left = 0;     // 177-181
    QString Target2Jump;     // 182
    int Target2Top = 0;      // 183-186
    int Target2Width = 0;    // 187-191
    int Target2Height = 0;   // 192-196

    int Image6Left = 0;      // 197-201
    QString Spare202;        // 202
    int Image6Top = 0;       // 203-206
    QString Image6Picture;   // 207-212

    static StepRecord fromLine(const QString& line);

    // Columns 86-105 hold an editor only when their twenty characters read as a number other
    // than 0, so a route, pane, key or target code (they begin with a letter) never shows one.
    bool hasEditor() const;
    // Twenty "0" in 66-85 mean the step has no target 1.
    bool hasTarget1() const;
    // Ten "0" in 187-196 mean the step has no target 2.
    bool hasTarget2() const;
    // Ten zeros in 112-121 keep the hint's place and text of the previous step.
    bool hintUnchanged() const;
    // "Q" in column 125: the editor is a combo field.
    bool isCombo() const;
    // "X" in column 130: a dialog-tab step, whatever its code.
    bool isDialogTab() const;

    // The numeric `OperationCode` ("L" and "K" steps read 0).
    int expectedCode() const;
    OpFamily family() const;

    // Slot k = 1..6 (Image1-Image6); any other k gives an empty slot.
    Overlay overlay(int k) const;
};

// The family of an operation code given as text.
OpFamily opFamily(QStringView operationCode);

} // namespace simwindow

#pragma once
// The rules of the demonstration's drawn pointer, decided without any window: where a step sends
// the pointer, how far it moves per tick, when it has arrived, what its arrival does, the colour
// of the click ring, the typing animation, the pause, and the step reached by a jump. The
// demonstration window applies the answers to its controls.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>

namespace demo {

// A computed figure as a whole number: halves go to the even neighbour (20.5 → 20, 21.5 → 22).
int roundHalfEven(double v);

// The centre of a rectangle, rounded as above.
QPoint centreOf(const QRect& r);

// Where the pointer starts a demonstration, in window twips.
QPoint startPosition(double scaleX, double scaleY);

// One aim: the travel per tick along the longer axis (a fifteenth of the distance) and the
// signed steps added to the pointer at every tick. A target on the pointer gives 0, 0, 0.
struct Aim {
    double speed = 0;
    int stepX = 0;
    int stepY = 0;
    bool operator==(const Aim&) const = default;
};
Aim aimAt(QPoint pointer, QPoint target);

// Whether a pointer at `pointer` has reached `target` for a travel of `speed` per tick: both
// axes within 1.2 × speed, or the distance below 1.5 × speed, or below 120 twips × scaleX.
bool hasArrived(QPoint pointer, QPoint target, double speed, double scaleX);

// The click ring's outline colour for a step's code: green for a double click, yellow for a right
// click and the context menus of sets 1 and 2, red for everything else.
// Colours are numbers in the layout 0x00BBGGRR.
int clickRingColour(QStringView code);
QColor colourOf(int bgr);
// The ring's top-left corner, centred on the pointer.
QPoint ringCorner(QPoint pointer);
// Where ring and pointer are parked out of sight when a demonstration ends.
inline constexpr int ParkedAt = -500;

// What a step's set-up aims the pointer at.
enum class AimKind {
    DialogTab,    // the expected dialog tab's label
    MainTarget,   // centre of Label1: clicks, hover, context menus, clicks with button
    RangeStart,   // centre of Label4: the first cell of a range drag
    Editor,       // 300 twips into the editor, at its middle height
    DragPicture,  // centre of Image5
    MenuElement,  // centre of the pressed menu title or toolbar button (framed first)
    KeyPause,     // no travel: the pointer stays, the pause timer runs
    AutoPause,    // no travel: "8888", the pause timer runs, the target stays as it was
    List,         // centre of the list
    LocationList, // the location list's top box
    Unchanged,    // no family: the previous target again
};
// `tabStepWithOtherTab`: a dialog-tab step whose shown tab differs from the expected one (one
// with equal tabs aims by its code).
AimKind aimKind(QStringView code, bool tabStepWithOtherTab);
// A dialog-tab step (its tab field beginning with "X") whose shown tab (3rd character) differs
// from the expected one (4th).
bool tabStepWithOtherTab(QStringView tabSpec);

// The target of a typing step: 300 twips (unscaled) right of the editor's left edge, at its
// vertical centre.
QPoint editorTarget(const QRect& editor);
// The first box of the location list, 165 twips (scaled) below its top.
QPoint locationListTarget(const QRect& list, double scaleY);
// The entry j of an opened location list, 255 twips (scaled) per entry below its top.
QPoint locationEntryTarget(const QRect& list, int entry, double scaleY);
// The height of the opened location list.
int openLocationListHeight(double scaleY);
// Where the pointer that holds a dragged picture (800x) at `pointer` takes it, the picture's
// top-left corner standing at `corner`: the picture goes where the simulated window's passed
// drag leaves it, and the pointer keeps its hold on it. So the pointer moves by the distance from
// the corner to the step's point (scaled twips) along each axis that the code drags along and on
// which the step gives a point (0 gives none), and stays on every other axis.
QPoint dropPoint(QPoint pointer, QPoint corner, int code, QPoint point);

// What the main travel's arrival does, tried in this order.
enum class Arrival {
    TabClick,         // first leg of a dialog-tab step: on to Label1, tick at once
    Advance,          // the step ends: plain clicks, hover, lists, every second leg
    RangeDrag,        // first leg of a range drag: on to Label1 with the marquee, tick at once
    LocationListOpen, // the location list opens, on to the entry, tick at once
    AdvanceClick,     // the step ends: clicks with button and shift (9xxx)
    ContextMenu,      // the drawn context menu opens at the pointer
    Typing,           // the typing timer starts
    PictureDrag,      // the picture drag timer starts
    MenuClick,        // the menu title or toolbar button is pressed
    Unnamed,          // no row names the code: the step ends as well, lest the pointer drift away
};
Arrival arrivalAction(QStringView code, bool tabStepWithOtherTab, bool secondLeg);
// Whether the arrival hides the range marquee first (every action after the range drag's).
bool arrivalHidesMarquee(Arrival a);

// Whether the travel tick shows the range-drag cursor picture instead of the drawn arrow: on both
// legs of a 004x step, on the second leg of a 005x step.
bool showsDragCursor(QStringView code, bool secondLeg);
// The marquee grows only on the drag leg of a 004x step.
bool growsMarquee(QStringView code, bool dragLeg);
// The cursor file of a range drag (in the installation folder): the standard arrow for a cursor
// field beginning with "S", else "ico" and the field's last two characters.
QString dragCursorFile(QStringView cursorSpec);

// The text a typing step types: its first accepted answer.
QString typingText(QStringView answerText);
// Where the typing starts: after what the editor already shows when that is how the answer begins
// (letter case included), else from the first character.
int typingStart(QStringView typeText, QStringView editorText);

// The editor a typing step writes into.
enum class TypingEditor { None, Text1, Text2, Text3 };
TypingEditor typingEditor(QStringView code);

// One tick of the typing timer: the new position, the text to show and whether the typing is over.
struct TypingTick {
    int pos = 0;
    QString shown;
    bool done = false;
    bool operator==(const TypingTick&) const = default;
};
TypingTick typingTick(QStringView code, int typePos, QStringView typeText);

// Timer periods and the tick counts of the counting timers.
inline constexpr int PauseTicks = 5;     // 200 ms each: one second held on a key or automatic step
inline constexpr int RingTicks = 3;      // 100 ms each: the ring's blink
// Whether the ring shows after blink tick number `tickCount` (counted before the tick adds one).
inline bool ringVisibleAt(int tickCount) { return tickCount % 2 == 0; }

// The question note's height: one 180-twip line per 14 characters, plus one line, plus 15 twips.
int noteHeight(int textLength, double scaleY);

// The step reached by a jump code from `stepNo`: nothing for "0" (no jump, no new layout); a
// digit goes back, a capital letter forward, any other character stays. The step set-up ends
// the demonstration at a step outside the question.
std::optional<int> jumpStep(int stepNo, QStringView code);

// The fourteen lines of the drawn arrow at the pointer: eight outline lines, then six fill lines.
struct Segment {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    bool operator==(const Segment&) const = default;
};
struct Arrow {
    std::array<Segment, 8> outline;
    std::array<Segment, 6> fill;
};
Arrow arrowAt(QPoint pointer, double scaleX, double scaleY);

} // namespace demo

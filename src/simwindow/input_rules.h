#pragma once
// What the simulated window makes of the candidate's drags, keys, typed texts, dialog tabs and
// list choices. Pure decisions on a step record and the window's figures: the simulated window
// and the demonstration window apply the answers to their own controls.

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringView>
#include <optional>

namespace simwindow {

struct StepRecord;
struct Answers;

// ---- Menu and toolbar target codes -------------------------------------------------------

// A ten-character target code: "H" names a click target (element, item, cascade item, jump),
// "D" marks a drop-down item shown in another state. Nothing for any other first character.
struct TargetRef {
    QChar kind;      // 'H' or 'D'
    int element = 0; // characters 2-3
    int item = 0;    // characters 4-5
    int cascade = 0; // characters 6-7
    QString jump;    // character 10
    QString itemKey; // characters 2-5, the key of the item's shortcut
};
std::optional<TargetRef> targetRef(QStringView code);

// ---- Range drags (004x, 005x) and picture drags (8001-8009) ------------------------------

// A range-drag step (004x or 005x) whose Shift set is held; `marquee` only for 004x.
bool rangeDragShiftHeld(const StepRecord& rec, int shift);
bool rangeDragHasMarquee(const StepRecord& rec);

// A plain left press on the second target advances: not blocked by "EE", jump field "0", and
// not a typing step that completes on the release.
bool plainPressAdvances(const StepRecord& rec, int button);

// The marquee: its corner stays on the anchor (the second target's corner at the press); its
// size is the pointer's distance from the anchor on each axis (x, y in twips from the target's
// own corner `targetCorner`).
QRect marqueeRect(QPoint anchor, QPoint targetCorner, double x, double y);

// The release point of a range drag on the first target: exactly on it (edges included), or on
// it widened by 720 twips to the right and 330 downwards (both scaled) for the slack test.
bool onTarget(QPointF p, const QRect& target1);
bool nearTarget(QPointF p, const QRect& target1, double sx, double sy);

// The way a picture drag's code moves the picture on each axis: -1 towards smaller values (left,
// up), +1 towards larger ones, 0 not along that axis. Nothing for a code that is no picture drag
// (8005 included).
struct DragAxes {
    int x = 0;
    int y = 0;
};
std::optional<DragAxes> pictureDragAxes(int code);

// A picture drag movement: where the picture's left and top go (each moves half the way towards
// the pointer along the step's axes); nothing when the picture stays (another code, a button
// set other than the left button alone).
struct DragPos {
    int left = 0;
    int top = 0;
    bool operator==(const DragPos&) const = default;
};
std::optional<DragPos> pictureDragMove(int code, int buttons, double x, double y, DragPos at);

// Where a passed picture drag leaves the picture that stands at `at`: on the step's point
// (scaled twips) along each axis the code drags it. Nothing for a code that is no picture drag.
std::optional<DragPos> pictureDropped(int code, DragPos at, DragPos point);

// The release of a picture drag at `at`: the place the picture snaps to and whether the step
// passes. `point` is the threshold and `start` the place it returns to, both scaled twips.
// Nothing for a code that is no picture drag.
struct DragEnd {
    bool passed = false;
    DragPos to;
    bool operator==(const DragEnd&) const = default;
};
std::optional<DragEnd> pictureDragEnd(int code, DragPos at, DragPos point, DragPos start);

// ---- Keys ---------------------------------------------------------------------------------

// The shortcut of a menu item by its item key ("0204" = Ctrl+C); nothing for an item without.
struct Shortcut {
    int keyCode = 0;
    int shift = 0;
};
std::optional<Shortcut> shortcutOf(QStringView itemKey);

// A key press against the step: whether it passes (once: the first match decides), and the code
// the handler leaves in the window's expected code (the step's code, or the last alternative key
// tested).
struct KeyVerdict {
    bool passes = false;
    int expectedCode = 0;
    bool operator==(const KeyVerdict&) const = default;
};
KeyVerdict keyClick(const StepRecord& rec, int keyCode, int shift);

// ---- Typed text ---------------------------------------------------------------------------

// The characters a formula is made of: printable single-byte characters without the space, so
// blanks and Chinese characters drop out.
QString compactText(QStringView text);

// The Enter rule of 0022, 0024 and 0028: the compact or the full text, trimmed and lowered,
// equals an alternative trimmed and lowered. Without a table nothing is accepted.
bool enterAccepted(const std::optional<Answers>& answers, QStringView typed);

// 0021: the trimmed text equals the whole trimmed answer ("|" is an ordinary character), case
// kept.
bool wholeAnswerAccepted(const std::optional<QString>& answer, QStringView typed);

// 0023: the selection, lowered, equals the trimmed, lowered hint text.
bool selectionAccepted(const std::optional<QString>& hintText, QStringView selected);

// ---- Dialog tabs and lists ----------------------------------------------------------------

// The hint that asks for the expected tab.
QString tabHint(int expectedTab);

// The row of tabs that lies next to the page in a two-row dialog: 2 for tabs 8-13, else 1.
int tabRow(int tab);

// The back area of a dialog: one step back (never before step 1); in a combo step ("Q") the
// count in the last character of the combo state, 0 or a non-digit counting 1, again never
// before step 1.
int stepAfterBack(int currentStep, QStringView comboState);

// A list step passes on the entry at index `chosen` (0-based) when it is the answer entry.
bool listChoicePasses(const StepRecord& rec, int chosen);
// A location-list step ("K", shown entry, two-digit expected entry).
int locationStartEntry(const StepRecord& rec);
bool locationChoicePasses(const StepRecord& rec, int chosen);

} // namespace simwindow

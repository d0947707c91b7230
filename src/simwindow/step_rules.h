#pragma once
// What the simulated window does with the candidate's clicks, double clicks and hovers on a
// step's targets and pictures, how it words the typing hints, and how it reads the editor's
// format and the pointer of a step. Pure decisions: the window applies the answer.

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

struct SessionState;

namespace simwindow {

struct StepRecord;

// The answer of a rule: nothing; the next step; a jump by a jump character; or the context
// menu of the given number (1-9) to be built and popped up.
struct StepAction {
    enum class Kind { None, Next, Jump, ContextMenu };
    Kind kind = Kind::None;
    QString jump;        // Jump
    int menuContext = 0; // ContextMenu

    static StepAction none() { return {}; }
    static StepAction next() { return {Kind::Next, {}, 0}; }
    static StepAction jumpBy(const QString& code) { return {Kind::Jump, code, 0}; }
    static StepAction contextMenu(int context) { return {Kind::ContextMenu, {}, context}; }
    // A target's own jump field: "0" advances one step, anything else jumps.
    static StepAction nextOrJump(const QString& code) { return code == u"0" ? next() : jumpBy(code); }

    bool operator==(const StepAction&) const = default;
};

// Mouse buttons and modifier bits as the window's events carry them.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;

// Before the release rules: a right release on target 1 of a step with a route code ("R" in
// column 86 and a context-menu code from 3000 up to, not including, 6000) opens that context
// menu first. Gives the menu number, or nothing.
std::optional<int> routeContextMenu(const StepRecord& rec, int button);

// A button released over target 1. `code` is the numeric operation code of the step shown
// after the route menu has closed; `target1Jump` was read before it opened. The typed-text
// test is asked only for the codes that complete by a click after typing (22, 26, 28).
StepAction releaseOverTarget1(int code, const QString& target1Jump, int button, int shift,
                              const std::function<bool()>& typedTextAccepted);

// A double click on target 1: only a 0002 step takes it.
StepAction doubleClickOnTarget1(const StepRecord& rec);

// The pointer moved over target 1: a 0030 step advances.
StepAction hoverOverTarget1(const StepRecord& rec);

// A click on overlay picture k (1-4): its jump field, whatever the step expects; "0" ignores
// the click.
StepAction pictureClick(const StepRecord& rec, int k);

// What a typing step makes of the hint label, the red frame around target 1 and the edit bar.
enum class FrameRule { Untouched, Hidden, FollowsHint };
struct TypingHint {
    QString caption;
    FrameRule frame = FrameRule::Untouched;
    bool clearSelection = false; // no selection in the editor
    bool showEditBar = false;    // Text4 shown (else hidden)
};
TypingHint typingHint(QStringView operationCode, const QString& caption);

// The question panel's list of unfinished questions: every question whose state has not got
// its completed bit.
QString unfinishedCaption(const SessionState& s);
// The panel title of a completed question: "(未完成)" becomes "(已完成)".
QString markCompleted(QString title);

// The editor's format of a step (columns 125-134).
enum class EditorAlign { Left, Right, Centre };
struct EditorFormatSpec {
    double pointSize = 9;           // unscaled points
    EditorAlign align = EditorAlign::Left;
    std::optional<int> style;       // bits 1 bold, 2 italic, 4 underline; nothing keeps the last
    int fontDigit = 0;              // font name: font-and-colour entry d
    int foreDigit = 0;              // text colour: entry 10 + d
    int backDigit = 0;              // background colour: entry 20 + d
};
EditorFormatSpec editorFormat(const StepRecord& rec);

// The pointer over target 1 (column 101 "S" or "M" and the number in 104-105).
struct PointerSpec {
    enum class Kind { Default, Standard, File };
    Kind kind = Kind::Default;
    int shape = 0;   // Standard: 0-15 in the old toolkit's numbering
    QString file;    // File: appPath & "ico" & nn & ".CUR"
};
PointerSpec pointerSpec(const StepRecord& rec, const QString& appPath);
// The pointer over target 2 during an armed range drag: "S" the standard pointer of the number
// in columns 104-105, any other letter the pointer file of that number.
PointerSpec armedDragPointer(const StepRecord& rec, const QString& appPath);

} // namespace simwindow

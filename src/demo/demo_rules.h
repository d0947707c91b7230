#pragma once
// Decisions of the demonstration window that need no window: the session files of a step, the
// bounds of a question's steps, the menu target of a menu step, the pane hot spots and where a
// pressed element opens its drop-down.

#include <QString>
#include <QStringView>

struct SessionState;

namespace simwindow {
struct StepRecord;
}

namespace demo {

// "2888" and the session's two-digit file number (SessionKind + SetIndex) plus `offset`
// (0 the step file, 50 the question file).
QString sessionFileCode(int sessionKind, int setIndex, int offset);

// Step `stepNo` belongs to question q: 1 up to its step count (when the count can be told).
bool stepInQuestion(const SessionState& s, int q, int stepNo);

// The target of a menu step ("7000"): the code at column 125 when it begins "H", else the one at
// column 86; element 86 is pressed as 57, whose hot spot covers the sum button and its arrow.
// Every other step: 0, 0, 0 and "0".
struct MenuTarget {
    int zhuNo = 0;
    int item1J = 0;
    int item2J = 0;
    QString jumpCode = QStringLiteral("0");
    bool operator==(const MenuTarget&) const = default;
};
MenuTarget menuTarget(const simwindow::StepRecord& rec);

// Size (design twips) of pane hot spot n (32-40) in a step that shows pane `shown` (0 none):
// 32 only while shown, 33 and 34 only while shown, 36 and 37 always, the others none.
struct SpotSize {
    int width = 0;
    int height = 0;
    bool operator==(const SpotSize&) const = default;
};
SpotSize paneSpotSize(int n, int shown);

// What a press on element n shows: the pressed picture's bar and whether a drop-down opens (as in
// the simulated window, and the palette of pane 34 as well).
enum class PressedBar { None, Menu, Hui, Tool, Else };
struct Press {
    PressedBar bar = PressedBar::None;
    bool opensDropDown = false;
    bool operator==(const Press&) const = default;
};
Press pressOf(int n);

} // namespace demo

#pragma once
// What a step expects of the simulated menus: which click on a bar element, a drop-down item or
// a cascade item matches its target codes, which drop-down item it shows marked, which pane or
// palette it opens by itself, and which context-menu entry it waits for. Pure decisions: the
// simulated window applies the answer.

#include "simwindow/step_rules.h"

#include <QPoint>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>
#include <vector>

namespace simwindow {
struct StepRecord;
}

namespace simmenus {

using TargetCodes = std::array<QString, 3>; // columns 125, 86, 96, in the order they are tried

// A left release on bar element `element`: the first "H" code naming the element itself
// (characters 4-7 "0000"). One click acts once: the codes after the first match are not tried
// against the step that the match lays out.
simwindow::StepAction elementClick(const TargetCodes& codes, int element);
// A click on item `item` of the open drop-down of `element`: the first "H" code naming that
// item and no cascade item ("00" in characters 6-7).
simwindow::StepAction itemClick(const TargetCodes& codes, int element, int item);
// A click on cascade item `sub` of item `item` of `element`'s drop-down.
simwindow::StepAction cascadeClick(const TargetCodes& codes, int element, int item, int sub);

// The drop-down item a step shows marked (a "D" code at column 86 naming the open element): the
// item and the four characters of its pictures. Nothing when the code names another element or
// its item names no hot spot that the element's drop-down lays out (0, not a number, above 44,
// past the element's last item): the highlight of a parked spot would lie outside the picture.
struct StepMark {
    int item;
    QString picture;
};
std::optional<StepMark> stepMark(QStringView column86, int element);

// What a step opens by itself (its pane code at column 86): a floating pane at a place on the
// window, or a palette's drop-down (33, 34). Places in design twips.
struct PaneRequest {
    enum class Kind { Pane, Palette };
    Kind kind;
    int element;
    QPoint pos;
};
std::optional<PaneRequest> paneRequest(const simwindow::StepRecord& rec);
// The size of the hot spot that covers a pane, in design twips.
inline constexpr int PaneSpotWidth = 8100;
inline constexpr int PaneSpotHeight = 6000;

// Context menus. The code under test: the operation code, or the route code when column 86
// holds "R".
int contextCode(const simwindow::StepRecord& rec);
// The line after which the block of the context menu `menuContext` of the code's set begins
// (sets by the thousands digit 3, 4, 5; any other digit reads the first lines of the file).
int contextBlockStart(int code, int menuContext);
// The 15 lines of a block out of the file's lines; lines past the end are empty.
QStringList contextBlock(const QStringList& fileLines, int start);
// The texts of an item line: "|" separates, at most ten items.
QStringList contextItems(const QString& line);

// The pop-up built from a block, in the order its entries stand: groups 1-9 by their position
// (the tens digit of the code). A submenu's group holds its caption; a plain group has none.
struct PopupGroup {
    int position;      // 1-9
    bool submenu;
    bool present;      // caption (or plain line) not "0"
    QString caption;   // submenus only
    QStringList items; // filled when present
};
std::vector<PopupGroup> contextPopup(const QStringList& block);

// A choice of member `index` of the group at `position` is the expected one.
bool contextChoiceMatches(int code, int menuContext, int position, int index);

} // namespace simmenus

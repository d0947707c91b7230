#pragma once
// Small decisions of the step layout that the simulated window applies to its controls: which
// bar panels a step shows, the tab numbers of a dialog step, the items of a list step, where the
// location list's face puts the chosen entry, and where a hint frame goes around a bar target.

#include "simmenus/hotspots.h"

#include <QRect>
#include <QSize>
#include <QStringList>
#include <QStringView>
#include <optional>

namespace simwindow {

struct StepRecord;

// The bar panels of a step: the two zone sets ("A" or "B" and a digit whose bits 1, 2 and 4 name
// the menu bar, the toolbars and the drawing toolbar; "B" also the pane panel) add up.
struct ZonePanels {
    bool menu = false;
    bool tool = false;
    bool hui = false;
    bool pane = false;
    bool operator==(const ZonePanels&) const = default;
};
ZonePanels zonePanels(const StepRecord& rec);

// A tab of a dialog step: "1"-"9", or "A"-"D" for 10-13; anything else 0.
int tabNumber(QStringView c);

// The items of a list step's text: every "|" separates, an empty part is an empty item.
QStringList listItems(const QString& text);

// The left (design twips) of the face picture that shows location entry `entry` (0-13); the
// entries are drawn with different indents. Nothing for an entry outside the list.
std::optional<int> locationFaceLeft(int entry);

// The red frame around a bar target named by a ten-character target code ("H" or, where
// `acceptD`, "D", then two digits of the element). `spot` is the element's hot spot and
// `paneSize` the pane panel's size, both in twips as laid out; sx, sy the scale factors.
struct HintFrame {
    simmenus::Container container;
    QRect rect;
};
std::optional<int> frameElement(QStringView targetCode, bool acceptD);
std::optional<HintFrame> hintFrame(int element, const QRect& spot, const QSize& paneSize, double sx, double sy);

} // namespace simwindow

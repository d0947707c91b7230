#pragma once
// The texts of the simulated program's drop-downs and cascades, item by item in the order of
// their hot spots.

#include <QString>
#include <QStringList>

namespace samplegen::menus {

// Item texts of element `element`'s drop-down (lists only; grids draw cells); empty when the
// drop-down has no texts.
QStringList dropDownTexts(int element);

// Item texts of the cascade of key element * 100 + item (lists only).
QStringList cascadeTexts(int key);

// The caption of a pane element 32-40 and the texts of its drop-down rows.
QString paneTitle(int element);

} // namespace samplegen::menus

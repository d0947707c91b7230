#pragma once
// The menu bar, the two toolbar rows and the drawing toolbar of the simulated window, drawn
// with every button at the place where the window lays its hot spot, and the hover and
// pressed pictures of each element.

#include <QImage>
#include <QRect>
#include <QString>
#include <utility>
#include <vector>

namespace samplegen::bars {

constexpr int Width = 800;
constexpr int MenuBarHeight = 19;    // "9lX007"
constexpr int ToolBarsHeight = 52;   // "9lX009": standard row above, formatting row below
constexpr int DrawingBarHeight = 24; // "9lX008"

// The toolbar panel "9lX009" ends with the standard row's band: the dock right of it is the
// window's background, where a step can lay a target of its own (the toolbars' menu opens on
// a right click there, as on any button).
constexpr int ToolBarsPanelWidth = 744;

// Where the window puts the three bars, in pixels from its top.
constexpr int MenuBarTop = 28;
constexpr int ToolBarsTop = 50;
constexpr int DrawingBarTop = 556;

// What the three boxes of the toolbars read: the zoom box of the standard row, the font and
// size boxes of the formatting row. The toolbar panel's picture reads as a sheet opens.
struct Boxes {
    QString zoom = QStringLiteral("100%");
    QString font = QStringLiteral("宋体");
    QString size = QStringLiteral("12");
    bool operator==(const Boxes&) const = default;
};

// The hot-spot rectangle of an element inside its bar picture, in pixels; empty for a number
// that names no element of the bars (0, 10, the panes 32-40, above 86).
QRect elementRect(int element);

QImage menuBar();
QImage toolBars(const Boxes& boxes = {});
// The panel's picture: the bars as a sheet opens, up to the dock's blank end.
QImage toolBarsPanel();
// The blank end of the dock right of the toolbars, on the window; its height follows the rows
// shown.
QRect toolBarsDock(bool formatRow);
QImage drawingBar();

// Hover ("nn0088") and pressed ("nn0099") pictures of the menu titles and toolbar buttons,
// each with its six-character code.
std::vector<std::pair<QString, QImage>> elementPictures();

} // namespace samplegen::bars

#pragma once
// The hot spots over the pictures of the menu bar and the toolbars: each element's number
// (`ElementNo`), the picture box it lies on, its place in design twips, and its tooltip.
// The layout is fixed; only the floating panes (32-40) are placed per step.

#include <QPoint>
#include <QRect>
#include <QStringView>
#include <optional>
#include <span>

namespace simmenus {

enum class Container {
    PicMenu, // the menu bar, elements 1-9
    PicTool, // the standard (41-66, 86) and formatting (67-85) toolbars
    PicHui,  // the drawing toolbar, 11-31
    PicElse, // one floating pane, 32-40
};

struct HotSpot {
    int no;              // ElementNo
    Container container;
    int left;            // inside the container
    int top;
    int width;
    int height;
    QStringView tooltip; // empty: none

    QRect rect() const { return {left, top, width, height}; }
};

// Elements 1-9, 11-31 and 41-86 in ascending number, which is also their stacking order from
// back to front (86 lies in front of 57, which it overlaps).
std::span<const HotSpot> barHotSpots();

// The element n of the bars; nothing for 0, 10, the panes 32-40 and numbers outside.
std::optional<HotSpot> hotSpot(int no);

// The container of an element number; nothing for 0, 10 and numbers outside 1-86.
std::optional<Container> containerOf(int no);

// Where a bar container stands on the window (PicElse has no fixed place).
std::optional<QPoint> containerPos(Container c);

// The front-most element of a bar container under a point of that container; gaps between
// buttons hit nothing.
std::optional<int> elementAt(Container c, int xTw, int yTw);

// Where an element's hover and pressed pictures go: its own place, except the sum arrow 57,
// whose pictures show the whole sum button from the left of 86.
std::optional<QPoint> highlightPos(int no);

} // namespace simmenus

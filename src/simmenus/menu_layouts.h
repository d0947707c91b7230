#pragma once
// The hot spots over the pictures of the drop-downs and cascades of the simulated menus: the
// group sizes of the menus, the lists and grids of the toolbar drop-downs and palettes, the
// cascades, and where an opener puts a drop-down or a cascade on the window. Pure data and
// arithmetic on Qt's geometry types only: the simulated window, the demonstration window and
// the sample generator all lay out the same pictures from these tables.
//
// Every figure is in twips. The functions take the screen's scale factors and give scaled
// values; with 1 and 1 they give the design figures.

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <vector>

namespace simmenus {

// An item hot spot of a drop-down (ItemNo 1-44) or of a cascade (CascadeItemNo 1-33), relative
// to the top-left corner of its picture.
struct ItemSpot {
    int no;
    QRect rect;
    bool operator==(const ItemSpot&) const = default;
};

inline constexpr int DropDownSpots = 44;
inline constexpr int CascadeSpots = 33;
// Where an unused hot spot waits, unscaled and without size, so that it can never be hit.
inline constexpr QPoint ParkedAt{-100, -100};

// The group sizes of a menu title 1-9 ("35114241" for menu 1); the panes 36 and 37 take those
// of menus 8 and 5. Empty for every other element.
QString menuGroupSizes(int element);

// The item hot spots of element `element`'s first-level drop-down, in ascending ItemNo (a
// higher number lies in front where two overlap). Empty for an element without a layout.
std::vector<ItemSpot> dropDownItems(int element, double sx, double sy);

// The seven colour palettes (24, 25, 26, 33, 34, 84, 85): their cells 1-40 share one set of
// hover pictures.
bool isPalette(int element);

// The items that open a cascade, by element and ItemNo.
bool opensCascade(int element, int item);
// Every cascade key (element * 100 + item) of the items above, ascending.
std::vector<int> cascadeKeys();

// The group sizes of a menu cascade below key 800 ("A" = 19 items); empty without an entry.
QString cascadeGroupSizes(int key);

// The item hot spots of the cascade of key element * 100 + item. Empty for a key without a
// layout.
std::vector<ItemSpot> cascadeItems(int key, double sx, double sy);

// The tops of a list laid out by the menu rule: `count` rows from `firstTop` on a pitch of
// `pitch`, a gap of 30 after each group; every value rounded (halves to even) as it is stored,
// so that a scaled list can differ by a twip from the unrounded products.
std::vector<int> groupedTops(const QString& groups, int count, double firstTop, double pitch, double sy);

// Which elements show a pressed picture when released on, and which open a drop-down.
bool showsPressed(int element);
bool opensDropDown(int element);

// Where an opener puts the drop-down panel of `element` on the window. The caller gives the
// element's hot spot and its container's place on the window (both as laid out), the sum
// button's hot spot (the arrow 57 opens under it), the panel's height after its picture was
// loaded, and the height of the pressed picture of a toolbar button.
struct OpenerGeometry {
    QRect spot;
    QRect container;
    QRect sumButton;
    int dropDownHeight = 0;
    int pressedHeight = 0;
    double sx = 1;
};
QPoint dropDownPos(int element, const OpenerGeometry& g);

// Where a cascade opens: overlapping the drop-down's right edge by one pixel, its top level
// with the clicked item.
QPoint cascadeOpenPos(const QRect& dropDown, int itemTop, double sx);
// Keeps a cascade inside the window: one that would reach below 8820 (scaled) is raised to end
// there; one that would reach past 11850 (scaled) opens on the left of the drop-down instead.
QPoint cascadeFitPos(const QRect& cascade, const QRect& dropDown, double sx, double sy);

// The pictures of the simulated menus, by their six-character codes.
namespace chrome {
QString two(int n); // two digits, a leading "0" below 10
inline QString hover(int element) { return two(element) + QStringLiteral("0088"); }
inline QString pressed(int element) { return two(element) + QStringLiteral("0099"); }
inline QString dropDown(int element) { return two(element) + QStringLiteral("0077"); }
inline QString pane(int element) { return two(element) + QStringLiteral("0000"); }
// The hover picture of a drop-down item: the palettes' shared cell pictures for cells 1-40.
QString itemHover(int element, int item);
inline QString cascade(int element, int item) { return two(element) + two(item) + QStringLiteral("77"); }
inline QString cascadeItemHover(int element, int item, int sub) { return two(element) + two(item) + two(sub); }
} // namespace chrome

} // namespace simmenus

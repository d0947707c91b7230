#include "simmenus/menu_layouts.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace simmenus {

namespace {

// Stored values round as the old toolkit's integers did: to the nearest, halves to even.
int store(double v) { return static_cast<int>(std::nearbyint(v)); }

struct Scale {
    double sx, sy;
    QRect rect(double left, double top, double width, double height) const
    {
        return {store(left * sx), store(top * sy), store(width * sx), store(height * sy)};
    }
};

// A column of items of one size on a fixed pitch.
void column(std::vector<ItemSpot>& out, const Scale& s, int from, int to, int left, int firstTop, int pitch,
            int width, int height)
{
    for (int k = from; k <= to; ++k)
        out.push_back({k, s.rect(left, firstTop + pitch * (k - from), width, height)});
}

// A column of items laid out by the menu rule (gaps after each group).
void groupedColumn(std::vector<ItemSpot>& out, const Scale& s, const QString& groups, int left, int firstTop,
                   int width, int height)
{
    int count = 0;
    for (const QChar c : groups)
        count += c == u'A' ? 19 : c.digitValue();
    const std::vector<int> tops = groupedTops(groups, count, firstTop, 345, s.sy);
    for (int k = 1; k <= count; ++k)
        out.push_back({k, QRect(store(left * s.sx), tops[static_cast<std::size_t>(k - 1)], store(width * s.sx),
                                store(height * s.sy))});
}

// Cells 1..count of a grid of `columns` columns, then the wide items after them.
struct Wide {
    int left, top, width, height;
};
void grid(std::vector<ItemSpot>& out, const Scale& s, int count, int columns, int left, int top, int pitchX,
          int pitchY, int width, int height, std::initializer_list<Wide> wide = {})
{
    for (int k = 1; k <= count; ++k) {
        const int c = (k - 1) % columns;
        const int r = (k - 1) / columns;
        out.push_back({k, s.rect(left + pitchX * c, top + pitchY * r, width, height)});
    }
    int k = count;
    for (const Wide& w : wide)
        out.push_back({++k, s.rect(w.left, w.top, w.width, w.height)});
}

constexpr std::array<const char16_t*, 9> MenuGroups{u"35114241", u"2653", u"2423", u"744", u"44",
                                                   u"4635", u"5441", u"523", u"2241"};

struct CascadeGroups {
    int key;
    const char16_t* groups;
};
constexpr std::array<CascadeGroups, 23> CascadeGroupTable{{
    {109, u"21"}, {112, u"2"},  {115, u"5"},  {209, u"7"},   {210, u"4"},  {304, u"A1"},
    {410, u"5"},  {412, u"33"}, {502, u"4"},  {503, u"5"},   {504, u"32"}, {508, u"3"},
    {604, u"1"},  {607, u"2"},  {609, u"4"},  {610, u"11"},  {613, u"431"}, {614, u"32"},
    {702, u"3"},  {709, u"43"}, {711, u"123"}, {712, u"451"}, {713, u"3121"},
}};

// The cascades of the drawing toolbar's two menus have layouts of their own.
constexpr std::array<int, 13> ExplicitCascades{1104, 1106, 1107, 1108, 1109, 1112, 1301,
                                               1302, 1303, 1304, 1305, 1306, 1307};

} // namespace

QString menuGroupSizes(int element)
{
    if (element == 36)
        element = 8;
    else if (element == 37)
        element = 5;
    if (element < 1 || element > 9)
        return {};
    return QString::fromUtf16(MenuGroups[static_cast<std::size_t>(element - 1)]);
}

std::vector<int> groupedTops(const QString& groups, int count, double firstTop, double pitch, double sy)
{
    std::vector<int> tops(static_cast<std::size_t>(std::max(count, 0)));
    if (tops.empty())
        return tops;
    tops[0] = store(firstTop * sy);
    for (std::size_t k = 1; k < tops.size(); ++k)
        tops[k] = store(tops[k - 1] + pitch * sy);
    std::size_t n = 0;
    for (const QChar c : groups) {
        n += static_cast<std::size_t>(c == u'A' ? 19 : std::max(c.digitValue(), 0));
        for (std::size_t k = n; k < tops.size(); ++k)
            tops[k] = store(tops[k] + 30 * sy);
    }
    return tops;
}

std::vector<ItemSpot> dropDownItems(int element, double sx, double sy)
{
    const Scale s{sx, sy};
    std::vector<ItemSpot> out;
    if (const QString groups = menuGroupSizes(element); !groups.isEmpty()) {
        groupedColumn(out, s, groups, 30, 30, 3900, 330);
        return out;
    }
    switch (element) {
    case 11: groupedColumn(out, s, QStringLiteral("31441"), 30, 30, 3135, 330); break;
    case 13: groupedColumn(out, s, QStringLiteral("71"), 30, 165, 2505, 330); break;
    case 27:
        column(out, s, 1, 9, 60, 90, 240, 2100, 240);
        column(out, s, 10, 13, 105, 2310, 240, 2100, 240);
        column(out, s, 14, 14, 30, 3390, 0, 2100, 240);
        break;
    case 28: column(out, s, 1, 8, 60, 90, 210, 1470, 210); break;
    case 29:
        column(out, s, 1, 11, 60, 90, 240, 1470, 240);
        column(out, s, 12, 12, 30, 2850, 0, 1530, 330);
        break;
    case 57: groupedColumn(out, s, QStringLiteral("51"), 30, 30, 2145, 330); break;
    case 62: column(out, s, 1, 6, 30, 30, 180, 990, 180); break;
    case 67: column(out, s, 1, 12, 30, 30, 300, 3750, 330); break;
    case 68: column(out, s, 1, 12, 30, 30, 180, 390, 180); break;
    case 32: groupedColumn(out, s, QStringLiteral("641"), 30, 30, 1785, 330); break;
    case 24:
    case 25:
        grid(out, s, 40, 8, 60, 600, 270, 270, 270, 270,
             {{60, 210, 2160, 330}, {30, 2070, 2160, 330}, {30, 2400, 2160, 330}});
        break;
    case 26:
        // Its third wide item has no size and sits at the origin: it can never be hit.
        grid(out, s, 40, 8, 60, 600, 270, 270, 270, 270, {{60, 210, 2160, 330}, {60, 2010, 2160, 330}, {0, 0, 0, 0}});
        break;
    case 84:
    case 85: grid(out, s, 40, 8, 60, 600, 270, 270, 270, 270, {{60, 210, 2160, 330}}); break;
    case 33: grid(out, s, 40, 8, 60, 480, 270, 270, 270, 270, {{60, 90, 2160, 330}, {30, 1950, 2160, 330}}); break;
    case 34: grid(out, s, 40, 8, 0, 0, 270, 270, 270, 270); break;
    case 30: grid(out, s, 20, 4, 60, 480, 405, 405, 390, 390, {{75, 90, 1560, 330}, {30, 2610, 1665, 330}}); break;
    case 31: grid(out, s, 20, 4, 60, 480, 390, 390, 390, 390, {{60, 90, 1560, 330}, {30, 2550, 1620, 330}}); break;
    case 83: grid(out, s, 12, 4, 105, 210, 375, 360, 375, 360, {{30, 1410, 1650, 330}}); break;
    default: break;
    }
    return out;
}

bool isPalette(int element)
{
    switch (element) {
    case 24: case 25: case 26: case 33: case 34: case 84: case 85: return true;
    default: return false;
    }
}

std::vector<int> cascadeKeys()
{
    std::vector<int> keys;
    for (const CascadeGroups& c : CascadeGroupTable)
        keys.push_back(c.key);
    keys.insert(keys.end(), ExplicitCascades.begin(), ExplicitCascades.end());
    return keys;
}

bool opensCascade(int element, int item)
{
    if (element < 1 || item < 1 || item > 99)
        return false;
    const int key = element * 100 + item;
    const std::vector<int> keys = cascadeKeys();
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

QString cascadeGroupSizes(int key)
{
    for (const CascadeGroups& c : CascadeGroupTable)
        if (c.key == key)
            return QString::fromUtf16(c.groups);
    return {};
}

std::vector<ItemSpot> cascadeItems(int key, double sx, double sy)
{
    const Scale s{sx, sy};
    std::vector<ItemSpot> out;
    if (key < 800) {
        if (const QString groups = cascadeGroupSizes(key); !groups.isEmpty())
            groupedColumn(out, s, groups, 30, 30, 3900, 330);
        return out;
    }
    const auto list = [&](std::initializer_list<int> tops) {
        int i = 0;
        for (const int top : tops)
            out.push_back({++i, s.rect(30, top, 3900, 330)});
    };
    switch (key) {
    case 1104:
    case 1106: column(out, s, 1, 6, 30, 165, 345, 3900, 330); break;
    case 1107:
    case 1108: list({165, 510, 855, 1230, 1575, 1920, 2295, 2640, 3015}); break;
    case 1109: list({165, 540, 885, 1230, 1575, 1950, 2295, 2670}); break;
    case 1112: column(out, s, 1, 5, 30, 30, 345, 3900, 330); break;
    case 1301:
    case 1302: grid(out, s, 9, 3, 30, 180, 345, 330, 345, 330); break;
    case 1303: case 1304: case 1305: case 1306: case 1307: grid(out, s, 32, 4, 30, 180, 345, 330, 345, 330); break;
    default: break;
    }
    return out;
}

bool showsPressed(int element)
{
    return (element >= 1 && element <= 9) || (element >= 11 && element <= 31) || (element >= 41 && element <= 86) ||
           element == 32 || element == 36 || element == 37;
}

bool opensDropDown(int element)
{
    if (element >= 1 && element <= 9)
        return true;
    switch (element) {
    case 11: case 13: case 24: case 25: case 26: case 27: case 28: case 29: case 30: case 31:
    case 57: case 62: case 67: case 68: case 83: case 84: case 85:
    case 32: case 36: case 37:
        return true;
    default:
        return false;
    }
}

QPoint dropDownPos(int element, const OpenerGeometry& g)
{
    if (element >= 1 && element <= 9)
        return {g.container.left() + g.spot.left(), g.container.top() + g.spot.top() + g.spot.height()};
    if (element >= 11 && element <= 31)
        // Above the drawing toolbar: the panel's lower edge on the button's top edge.
        return {g.spot.left(), g.container.top() + g.spot.top() - g.dropDownHeight};
    if (element >= 41 && element <= 86) {
        // The sum button's arrow opens its list under the whole sum button.
        const int left = element == 57 ? g.sumButton.left() : g.spot.left();
        return {left, g.container.top() + g.spot.top() + g.pressedHeight};
    }
    // The panes: just below the pane picture; the list of pane 32 a little to the right.
    const int left = g.container.left() + (element == 32 ? store(750 * g.sx) : 0);
    return {left, g.container.top() + g.container.height()};
}

QPoint cascadeOpenPos(const QRect& dropDown, int itemTop, double sx)
{
    return {dropDown.left() + dropDown.width() - store(15 * sx), dropDown.top() + itemTop};
}

QPoint cascadeFitPos(const QRect& cascade, const QRect& dropDown, double sx, double sy)
{
    // Compared in single precision, as the window's own test did.
    QPoint at = cascade.topLeft();
    const float bottom = static_cast<float>(8820 * sy);
    if (static_cast<float>(at.y() + cascade.height()) > bottom)
        at.setY(store(bottom - static_cast<float>(cascade.height())));
    const float right = static_cast<float>(11850 * sx);
    if (static_cast<float>(at.x() + cascade.width()) > right)
        at.setX(dropDown.left() - cascade.width() + store(15 * sx));
    return at;
}

namespace chrome {

QString two(int n) { return QStringLiteral("%1").arg(n, 2, 10, QChar(u'0')); }

QString itemHover(int element, int item)
{
    if (isPalette(element) && item <= 40)
        return QStringLiteral("4999") + two(item);
    return two(element) + two(item) + QStringLiteral("00");
}

} // namespace chrome

} // namespace simmenus

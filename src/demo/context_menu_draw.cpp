#include "demo/context_menu_draw.h"

#include "demo/player_rules.h"
#include "platform/files.h"

namespace demo {

namespace {

int digitAt(QStringView code, int i)
{
    return i < code.size() && code[i].isDigit() && code[i].unicode() < 128 ? code[i].unicode() - u'0' : 0;
}

// The block line of each menu position (index 1-9).
constexpr std::array<int, 10> PositionLine{0, 2, 4, 5, 7, 8, 10, 11, 13, 15};

// The block line of each submenu's entries (by position).
int submenuEntriesLine(int g)
{
    switch (g) {
    case 1: return 3;
    case 3: return 6;
    case 5: return 9;
    case 7: return 12;
    case 8: return 14;
    default: return 0;
    }
}

// The row a code's entry index names: its own place, separators included, or the group's last
// place when the group has fewer entries.
const MenuEntry* entryAt(const std::vector<MenuEntry>& entries, int index)
{
    if (entries.empty())
        return nullptr;
    return &entries[std::min<std::size_t>(std::size_t(std::max(index, 0)), entries.size() - 1)];
}

struct Column {
    int rowTop = 0;
    int widest = 0;
};

// Lays the entries of one line out from the column's row top down: labels 270 apart, separators
// 135. Separator places take the column's width once it is known.
void layEntries(const QStringList& entries, int labelLeft, Column& col, const LabelSize& labelSize,
                std::vector<MenuEntry>& out, std::vector<int>& separatorTops)
{
    for (const QString& e : entries) {
        MenuEntry m;
        m.caption = e;
        if (e == u"-") {
            m.separator = true;
            m.rect = QRect(labelLeft, col.rowTop, 0, 135);
            separatorTops.push_back(col.rowTop);
            col.rowTop += 135;
        } else {
            const QSize size = labelSize(e);
            m.rect = QRect(QPoint(labelLeft, col.rowTop), size);
            col.widest = std::max(col.widest, size.width());
            col.rowTop += 270;
        }
        out.push_back(std::move(m));
    }
}

void widenSeparatorPlaces(std::vector<MenuEntry>& entries, int widest)
{
    for (MenuEntry& m : entries)
        if (m.separator)
            m.rect.setWidth(widest);
}

} // namespace

ContextCode contextCode(QStringView operationCode)
{
    return {digitAt(operationCode, 0) - 2, digitAt(operationCode, 1), digitAt(operationCode, 2),
            digitAt(operationCode, 3)};
}

bool isSubmenuPosition(int g) { return g == 1 || g == 3 || g == 5 || g == 7 || g == 8; }
bool isGroupPosition(int g) { return g == 2 || g == 4 || g == 6 || g == 9; }

QString MenuBlock::line(int k) const { return k >= 1 && k <= 15 ? lines[std::size_t(k - 1)] : QString(); }

int blockStartLine(int set, int menu) { return (menu - 1) * 15 + (set - 1) * 135; }

MenuBlock menuBlockFrom(const QStringList& fileLines, int set, int menu)
{
    MenuBlock b;
    const int start = blockStartLine(set, menu);
    for (int k = 1; k <= 15; ++k) {
        const int n = start + k; // 1-based file line
        if (n >= 1 && n <= fileLines.size())
            b.lines[std::size_t(k - 1)] = fileLines[n - 1];
    }
    return b;
}

MenuBlock readMenuBlock(const QString& path, int set, int menu)
{
    return menuBlockFrom(platform::readLines(platform::resolvePath(path)).value_or(QStringList()), set, menu);
}

QStringList menuEntries(QStringView line)
{
    QStringList out;
    qsizetype from = 0;
    for (int i = 1; i <= 10; ++i) {
        const qsizetype bar = line.indexOf(u'|', from);
        if (bar < 0) {
            out << line.mid(from).toString();
            break;
        }
        out << line.mid(from, bar - from).toString();
        from = bar + 1;
    }
    return out;
}

DrawnMenu drawContextMenu(const MenuBlock& block, const ContextCode& code, QPoint pointer, QSize window,
                          double scaleY, const LabelSize& labelSize, QPoint previous)
{
    DrawnMenu m;
    const int left = pointer.x();
    const int top = pointer.y();
    Column col{top + 90, 0};
    std::vector<int> separatorTops;
    for (int p = 1; p <= 9; ++p) {
        const QString line = block.line(PositionLine[std::size_t(p)]);
        if (line == u"0")
            continue;
        if (isSubmenuPosition(p)) {
            // A caption's width does not widen the menu.
            m.captionTexts[std::size_t(p)] = line;
            m.captions[std::size_t(p)] = QRect(QPoint(left + 300, col.rowTop), labelSize(line));
            m.triangles[std::size_t(p)] = QPoint(0, col.rowTop + 30);
            col.rowTop += 270;
        } else {
            layEntries(menuEntries(line), left + 300, col, labelSize, m.groups[std::size_t(p)], separatorTops);
        }
    }
    m.body = QRect(left, top, col.widest + 690, col.rowTop - top);
    for (auto& t : m.triangles)
        if (t)
            t->setX(m.body.x() + m.body.width() - 180);
    for (auto& g : m.groups)
        widenSeparatorPlaces(g, col.widest);
    // Ten separator lines; more still take their room but draw nothing.
    for (std::size_t i = 0; i < separatorTops.size() && i < 10; ++i)
        m.separators.push_back({left + 60, separatorTops[i], left + 60 + m.body.width() - 120, separatorTops[i]});

    // Kept inside the window: opened to the left of the pointer near the right edge, raised near
    // the bottom edge.
    int dx = 0, dy = 0;
    const int w = m.body.width(), h = m.body.height();
    if (m.body.x() + w >= window.width() - w)
        dx = -w;
    if (m.body.y() + h >= window.height() - roundHalfEven(300 * scaleY))
        dy = -((m.body.y() + h) - roundHalfEven(window.height() - 600 * scaleY));
    if (dx != 0 || dy != 0) {
        m.body.translate(dx, dy);
        for (auto& c : m.captions)
            if (c)
                c->translate(dx, dy);
        for (auto& t : m.triangles)
            if (t)
                *t += QPoint(dx, dy);
        for (auto& g : m.groups)
            for (MenuEntry& e : g)
                e.rect.translate(dx, dy);
        for (Rule& r : m.separators)
            r = {r.x1 + dx, r.y1 + dy, r.x2 + dx, r.y2 + dy};
    }

    m.target = previous;
    const int g = code.position;
    if (isGroupPosition(g)) {
        if (const MenuEntry* e = entryAt(m.groups[std::size_t(g)], code.entry))
            m.target = centreOf(e->rect);
    } else if (isSubmenuPosition(g) && m.captions[std::size_t(g)]) {
        m.target = centreOf(*m.captions[std::size_t(g)]);
    }
    m.frame = QRect(m.body.x(), roundHalfEven(m.target.y() - 135 * scaleY), m.body.width(), roundHalfEven(270 * scaleY));
    return m;
}

DrawnSubmenu drawContextSubmenu(const MenuBlock& block, const ContextCode& code, const QRect& menuBody,
                                int captionTop, const LabelSize& labelSize)
{
    DrawnSubmenu s;
    const int left = menuBody.x() + menuBody.width() - 60;
    const int top = captionTop;
    Column col{top + 135, 0};
    std::vector<int> separatorTops;
    layEntries(menuEntries(block.line(submenuEntriesLine(code.position))), left + 300, col, labelSize, s.entries,
               separatorTops);
    s.body = QRect(left, top, col.widest + 690, col.rowTop - top);
    widenSeparatorPlaces(s.entries, col.widest);
    for (std::size_t i = 0; i < separatorTops.size() && i < 6; ++i)
        s.separators.push_back({left + 60, separatorTops[i], left + 60 + s.body.width() - 120, separatorTops[i]});
    const MenuEntry* e = entryAt(s.entries, code.entry); // never empty: a line gives one entry at least
    s.target = centreOf(e->rect);
    s.frame = QRect(left, e->rect.y() - 60, s.body.width(), 285);
    return s;
}

} // namespace demo

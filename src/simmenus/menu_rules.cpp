#include "simmenus/menu_rules.h"

#include "session_state/codes.h"
#include "simmenus/menu_layouts.h"
#include "simwindow/input_rules.h"
#include "simwindow/step_record.h"

#include <algorithm>

namespace simmenus {

using codes::field;
using codes::numField;
using simwindow::StepAction;

namespace {

using simwindow::TargetRef;

// The first "H" code that matches acts; `match` also sees the code's own text for the fields
// that must read "00" as written.
template <class Match>
StepAction firstMatch(const TargetCodes& codes, Match match)
{
    for (const QString& code : codes) {
        const std::optional<TargetRef> t = simwindow::targetRef(code);
        if (t && t->kind == u'H' && match(*t, code))
            return StepAction::nextOrJump(t->jump);
    }
    return StepAction::none();
}

} // namespace

StepAction elementClick(const TargetCodes& codes, int element)
{
    return firstMatch(codes, [&](const TargetRef& t, const QString& c) {
        return field(c, 4, 4) == u"0000" && t.element == element;
    });
}

StepAction itemClick(const TargetCodes& codes, int element, int item)
{
    return firstMatch(codes, [&](const TargetRef& t, const QString& c) {
        return field(c, 6, 2) == u"00" && t.element == element && t.item == item;
    });
}

StepAction cascadeClick(const TargetCodes& codes, int element, int item, int sub)
{
    return firstMatch(codes, [&](const TargetRef& t, const QString&) {
        return t.element == element && t.item == item && t.cascade == sub;
    });
}

std::optional<StepMark> stepMark(QStringView column86, int element)
{
    const std::optional<TargetRef> t = simwindow::targetRef(column86);
    if (!t || t->kind != u'D' || t->element != element)
        return std::nullopt;
    if (t->item < 1 || t->item > 44)
        return std::nullopt;
    // A hot spot that the drop-down's layout leaves parked lies outside the picture: its mark
    // would show over the first items instead.
    const std::vector<ItemSpot> spots = dropDownItems(element, 1, 1);
    if (std::none_of(spots.begin(), spots.end(), [&](const ItemSpot& s) { return s.no == t->item; }))
        return std::nullopt;
    return StepMark{t->item, field(column86, 7, 4)};
}

std::optional<PaneRequest> paneRequest(const simwindow::StepRecord& rec)
{
    const QString code = field(rec.line, 86, 3);
    if (field(code, 1, 1) != u"H")
        return std::nullopt;
    const int n = codes::num16(field(code, 2, 2));
    const QPoint pos(rec.PanePosLeft, rec.PanePosTop);
    switch (n) {
    case 33:
    case 34: return PaneRequest{PaneRequest::Kind::Palette, n, pos};
    // Three panes always stand where the program shows them, over the menu bar or beside it.
    case 32: return PaneRequest{PaneRequest::Kind::Pane, n, {9090, 1905}};
    case 36: return PaneRequest{PaneRequest::Kind::Pane, n, {6510, 420}};
    case 37: return PaneRequest{PaneRequest::Kind::Pane, n, {5640, 420}};
    case 35: case 38: case 39: case 40: return PaneRequest{PaneRequest::Kind::Pane, n, pos};
    default: return std::nullopt;
    }
}

int contextCode(const simwindow::StepRecord& rec)
{
    if (field(rec.line, 86, 1) == u"R")
        return numField(rec.line, 87, 4);
    return numField(rec.line, 8, 4);
}

int contextBlockStart(int code, int menuContext)
{
    const int digit = code / 1000;
    const int set = digit >= 3 && digit <= 5 ? digit - 2 : 0;
    return (menuContext - 1) * 15 + (set - 1) * 135;
}

QStringList contextBlock(const QStringList& fileLines, int start)
{
    QStringList block;
    for (qsizetype i = std::max(start, 0); i < fileLines.size() && block.size() < 15; ++i)
        block << fileLines[i];
    while (block.size() < 15)
        block << QString();
    return block;
}

QStringList contextItems(const QString& line)
{
    QStringList items = line.split(u'|');
    if (items.size() > 10)
        items.resize(10);
    return items;
}

std::vector<PopupGroup> contextPopup(const QStringList& block)
{
    const auto line = [&](int n) { return block.value(n - 1); };
    // Block lines of each group position: the caption line of a submenu (0 for a plain group)
    // and the line of its items.
    struct Place {
        int position, captionLine, itemsLine;
    };
    static constexpr Place Places[] = {{1, 2, 3}, {2, 0, 4}, {3, 5, 6}, {4, 0, 7}, {5, 8, 9},
                                       {6, 0, 10}, {7, 11, 12}, {8, 13, 14}, {9, 0, 15}};
    std::vector<PopupGroup> groups;
    for (const Place& p : Places) {
        PopupGroup g{p.position, p.captionLine != 0, false, {}, {}};
        const QString head = line(p.captionLine != 0 ? p.captionLine : p.itemsLine);
        g.present = head != u"0";
        if (g.present) {
            if (g.submenu)
                g.caption = head;
            g.items = contextItems(line(p.itemsLine));
        }
        groups.push_back(g);
    }
    return groups;
}

bool contextChoiceMatches(int code, int menuContext, int position, int index)
{
    // The set digit is not compared: the pop-up was built from the set's own block.
    return code % 10 == index && (code / 100) % 10 == menuContext && (code / 10) % 10 == position;
}

} // namespace simmenus

// A step that waits for a click on something the window draws takes the click anywhere on it
// and nowhere else: its target covers the thing under it whole, as the picture the step is
// drawn from shows it. A pane that a step opens passes nothing by itself: the step waits for the
// item it names in the pane's list.

#include "bank.h"
#include "bars.h"
#include "menus.h"
#include "output.h"
#include "panels.h"
#include "session.h"
#include "simmenus/hotspots.h"
#include "simmenus/menu_layouts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <optional>

namespace {

using namespace samplegen;

struct Step {
    std::string where;
    QString record;
    const model::Traced* trace;
};

// Every step of the sample with the state its picture is drawn from.
const std::vector<Step>& allSteps()
{
    static const bank::Builder units = bank::units(101);
    static const auto sessionQuestions = session::questions();
    static const auto sessionTraces = session::traces();
    static const std::vector<Step> steps = [] {
        std::vector<Step> out;
        for (std::size_t q = 0; q < sessionQuestions.size(); ++q)
            for (std::size_t k = 0; k < sessionQuestions[q].steps.size(); ++k)
                out.push_back({"session question " + std::to_string(q + 1) + " step " + std::to_string(k + 1),
                               sessionQuestions[q].steps[k].text(), &sessionTraces[q][k]});
        for (std::size_t u = 0; u < units.units().size(); ++u)
            for (std::size_t q = 0; q < units.units()[u].size(); ++q) {
                const bank::Question& question = units.units()[u][q];
                for (std::size_t k = 0; k < question.steps.size(); ++k)
                    out.push_back({"unit " + std::to_string(u + 1) + " task " + std::to_string(q + 1) + " step " + std::to_string(k + 1),
                                   question.steps[k].text(), &question.trace[k]});
            }
        return out;
    }();
    return steps;
}

int number(const QString& record, int col, int width) { return record.mid(col - 1, width).toInt(); }

// A target's rectangle in the record (left, jump, top, width, height from col), as the window
// lays it out at scale 1, in pixels; empty for none.
QRect targetAt(const QString& record, int col)
{
    return QRect(number(record, col, 5), number(record, col + 6, 4), number(record, col + 10, 5), number(record, col + 15, 5));
}
QRect pixels(const QRect& tw) { return QRect(tw.x() / 15, tw.y() / 15, tw.width() / 15, tw.height() / 15); }

// The targets a step's action is aimed at: target 1 of the clicks, hovers, context menus and the
// clicks that end a typing step, target 1 and target 2 of a range drag.
std::vector<QRect> clickTargets(const QString& record)
{
    const QString code = record.mid(7, 4);
    const int n = code.toInt();
    const QRect one = pixels(targetAt(record, 66));
    std::vector<QRect> out;
    if (one.isEmpty())
        return out;
    const bool clicked = code == u"0001" || code == u"0002" || code == u"0003" || code == u"0030" || code == u"0022" ||
                         code == u"0026" || code == u"0028" || (n >= 3000 && n < 6000) || (n >= 9000 && n < 9999);
    const bool drag = code.startsWith(u"004") || code.startsWith(u"005");
    if (clicked || drag)
        out.push_back(one);
    if (drag)
        out.push_back(pixels(targetAt(record, 177)));
    return out;
}

TEST(SampleTargets, EveryClickTargetCoversTheThingUnderItWhole)
{
    int checked = 0;
    for (const Step& step : allSteps()) {
        for (const QRect& target : clickTargets(step.record)) {
            const model::State& state = step.trace->drawnFrom;
            const auto thing = model::thingAt(state, target.center());
            ASSERT_TRUE(thing) << step.where << ": the target stands on nothing drawn";
            const QRect area = *model::areaOf(state, *thing);
            const std::string what = step.where + " on " + thing->toStdString();
            const QPoint inside[] = {area.topLeft(), area.topRight(), area.bottomLeft(), area.bottomRight(), area.center()};
            for (const QPoint& p : inside)
                EXPECT_TRUE(target.contains(p)) << what << ": a click at " << p.x() << "," << p.y() << " misses";
            const QPoint outside[] = {{area.left() - 1, area.center().y()}, {area.right() + 1, area.center().y()},
                                      {area.center().x(), area.top() - 1}, {area.center().x(), area.bottom() + 1}};
            for (const QPoint& p : outside)
                EXPECT_FALSE(target.contains(p)) << what << ": a click at " << p.x() << "," << p.y() << " beside it passes";
            ++checked;
        }
    }
    EXPECT_GT(checked, 60);
}

// The target codes at 125, 86 and 96: "H", element, item, cascade item.
std::vector<QString> menuTargets(const QString& record)
{
    std::vector<QString> out;
    for (const int col : {125, 86, 96})
        if (record.mid(col - 1, 1) == u"H")
            out.push_back(record.mid(col - 1, 10));
    return out;
}

TEST(SampleTargets, APaneStepWaitsForTheItemOfItsList)
{
    int panes = 0;
    for (const Step& step : allSteps()) {
        if (step.record.mid(85, 1) != u"H")
            continue;
        const int pane = number(step.record, 87, 2);
        if (pane < 32 || pane > 40)
            continue;
        ++panes;
        const auto codes = menuTargets(step.record);
        // A click on the pane itself matches no code: none names the pane without an item.
        for (const QString& code : codes)
            EXPECT_FALSE(code.mid(1, 2).toInt() == pane && code.mid(3, 4) == u"0000") << step.where << ": " << code.toStdString();
        // The item the step waits for is one of the pane's list.
        bool listed = false;
        for (const QString& code : codes)
            for (const simmenus::ItemSpot& spot : simmenus::dropDownItems(pane, 1, 1))
                listed = listed || (code.mid(1, 2).toInt() == pane && code.mid(3, 2).toInt() == spot.no && !spot.rect.isEmpty());
        EXPECT_TRUE(listed) << step.where << ": no item of pane " << pane << "'s list is named";
    }
    EXPECT_GE(panes, 4);
}

// The text of a line of the text table: the hand-written lines, then the units' from 101 on.
QString tableText(int line)
{
    static const QStringList session = [] {
        QStringList out = readSourceLines(QStringLiteral(TALVESK_SOURCE_DIR "/sample/session/texts.txt")).value_or(QStringList());
        for (QString& l : out)
            l = l.mid(3);
        return out;
    }();
    static const QStringList units = bank::units(101).texts();
    if (line >= 1 && line <= session.size())
        return session[line - 1];
    if (line >= 101 && line - 101 < units.size())
        return units[line - 101];
    return {};
}

// The hint label of a step as the demonstration shows it, the larger of the two windows', at its
// place in the record; empty when the step leaves the hint alone or shows none. The typing steps
// word their answer into an instruction on one line.
QRect hintRect(const QString& record)
{
    if (record.mid(111, 10) == QString(10, u'0') || record.mid(121, 3) == u"000")
        return {};
    const QSize size = bank::hintSize(bank::shownHint(record.mid(7, 4), tableText(number(record, 122, 3))));
    return QRect(QPoint(number(record, 112, 5) / 15, number(record, 117, 5) / 15), size);
}

// The size of a picture of the menus, by its code; empty for none.
QSize menuPictureSize(const QString& code)
{
    static const std::map<QString, QSize> sizes = [] {
        std::map<QString, QSize> out;
        for (const auto& [c, image] : menus::pictures())
            out[c] = image.size();
        return out;
    }();
    const auto it = sizes.find(code);
    return it == sizes.end() ? QSize() : it->second;
}

// The item that a target code names in a drop-down of the menu bar or the toolbars, and the
// cascade item beside it, where the window opens them (pixels); nothing for the element itself
// and the drawing toolbar's lists.
std::optional<QRect> chosenItem(const QString& target)
{
    using namespace simmenus;
    const int element = target.mid(1, 2).toInt();
    const int item = target.mid(3, 2).toInt();
    const int sub = target.mid(5, 2).toInt();
    const auto spot = hotSpot(element);
    if (item == 0 || !spot || (element > 9 && element < 41))
        return std::nullopt;
    const QPoint container = *containerPos(spot->container);
    const QPoint at(element == 57 ? hotSpot(86)->left : container.x() + spot->left, container.y() + spot->top + spot->height);
    const std::vector<ItemSpot> items = dropDownItems(element, 1, 1);
    const auto it = std::find_if(items.begin(), items.end(), [&](const ItemSpot& i) { return i.no == item; });
    if (it == items.end())
        return std::nullopt;
    QRect chosen = it->rect.translated(at);
    if (sub != 0) {
        const QRect dropDown(at, menuPictureSize(chrome::dropDown(element)) * 15);
        const QRect opened(cascadeOpenPos(dropDown, it->rect.top(), 1), menuPictureSize(chrome::cascade(element, item)) * 15);
        const QPoint cascadeAt = cascadeFitPos(opened, dropDown, 1, 1);
        const std::vector<ItemSpot> subs = cascadeItems(element * 100 + item, 1, 1);
        const auto s = std::find_if(subs.begin(), subs.end(), [&](const ItemSpot& i) { return i.no == sub; });
        if (s == subs.end())
            return std::nullopt;
        chosen = s->rect.translated(cascadeAt);
    }
    return pixels(chosen);
}

// What a step's hint must leave in sight: target 1 and its red frame, target 2, the editor or
// list the step works in (a location list with the list it opens), the pane it opens, the
// frames of the menu-bar and toolbar elements its target codes name and the items they name in
// the drop-downs and cascades those open.
std::vector<std::pair<std::string, QRect>> keptInSight(const QString& record)
{
    std::vector<std::pair<std::string, QRect>> out;
    const QString code = record.mid(7, 4);
    if (const QRect r = pixels(targetAt(record, 66)); !r.isEmpty())
        out.emplace_back("target 1", r);
    if (const QRect r = pixels(targetAt(record, 177)); !r.isEmpty())
        out.emplace_back("target 2", r);
    if (record.at(85).isDigit() && (code.startsWith(u"002") || code.startsWith(u'L') || code.startsWith(u'K'))) {
        QRect r = pixels(targetAt(record, 86));
        if (code.startsWith(u'K'))
            r.setHeight(r.height() + panels::LocationListHeight);
        out.emplace_back("editor", r);
    }
    for (const QString& target : menuTargets(record)) {
        const int element = target.mid(1, 2).toInt();
        if (element >= 32 && element <= 40 && record.mid(85, 1) == u"H" && record.mid(86, 2).toInt() == element)
            out.emplace_back("pane", QRect(QPoint(number(record, 96, 5) / 15, number(record, 102, 4) / 15),
                                           menuPictureSize(simmenus::chrome::pane(element))));
        if (const auto item = chosenItem(target))
            out.emplace_back("item " + target.toStdString(), *item);
        const int top = element <= 9 ? bars::MenuBarTop : element <= 31 ? bars::DrawingBarTop : element >= 41 ? bars::ToolBarsTop : -1;
        if (top >= 0 && !bars::elementRect(element).isEmpty())
            out.emplace_back("frame of element " + std::to_string(element), bars::elementRect(element).translated(0, top));
    }
    return out;
}

// The bar panels a step shows (its zone digits: 1 the menu bar, 2 the toolbars' panel, 4 the
// drawing toolbar): windows of their own, above the hint label.
std::vector<std::pair<std::string, QRect>> barPanels(const QString& record)
{
    int shown = 0;
    for (const int col : {4, 6})
        if (record.at(col - 1) == u'A' || record.at(col - 1) == u'B')
            shown |= record.mid(col, 1).toInt();
    std::vector<std::pair<std::string, QRect>> out;
    if (shown & 1)
        out.emplace_back("menu bar", QRect(0, bars::MenuBarTop, bars::Width, bars::MenuBarHeight));
    if (shown & 2)
        out.emplace_back("toolbars", QRect(0, bars::ToolBarsTop, bars::ToolBarsPanelWidth, bars::ToolBarsHeight));
    if (shown & 4)
        out.emplace_back("drawing toolbar", QRect(0, bars::DrawingBarTop, bars::Width, bars::DrawingBarHeight));
    return out;
}

// The question panel docks at the simulated window's bottom right: on a screen of 1024 x 768
// the window stands in the middle at its 800 x 600, on one of 1024 x 600 it is maximised and
// the panel lies further right. Either way the window lays its hints at the same pixels (the
// scale follows the screen's dots per inch, not its size).
QRect questionPanel(QSize screen)
{
    const QSize panel(332, 242);
    const QSize window = screen.height() > 650 ? QSize(800, 600) : screen;
    return QRect(QPoint(window.width() - panel.width(), window.height() - panel.height()), panel);
}

TEST(SampleHints, AHintStandsClearOfItsStepsTargetsAndFramesAndOfTheQuestionPanel)
{
    int checked = 0;
    for (const QSize screen : {QSize(1024, 768), QSize(1024, 600)}) {
        for (const Step& step : allSteps()) {
            const QRect hint = hintRect(step.record);
            if (hint.isEmpty())
                continue;
            const std::string at = step.where + " at " + std::to_string(screen.width()) + "x" + std::to_string(screen.height());
            EXPECT_TRUE(QRect(0, 0, 800, 600).contains(hint)) << at << ": the hint leaves the window";
            for (const auto& [what, r] : barPanels(step.record))
                EXPECT_FALSE(hint.intersects(r)) << at << ": the " << what << " covers the hint";
            EXPECT_FALSE(hint.intersects(questionPanel(screen))) << at << ": the question panel covers the hint";
            for (const auto& [what, r] : keptInSight(step.record)) {
                EXPECT_FALSE(hint.intersects(r)) << at << ": the hint covers the " << what;
                ++checked;
            }
        }
    }
    EXPECT_GT(checked, 100);
}

} // namespace

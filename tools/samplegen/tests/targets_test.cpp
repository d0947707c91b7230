// A step that waits for a click on something the window draws takes the click anywhere on it
// and nowhere else: its target covers the thing under it whole, as the picture the step is
// drawn from shows it. A pane that a step opens passes nothing by itself: the step waits for the
// item it names in the pane's list.

#include "bank.h"
#include "session.h"
#include "simmenus/menu_layouts.h"

#include <gtest/gtest.h>

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

} // namespace

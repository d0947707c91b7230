// The sample units let a person practise every kind of action the simulated window knows: each
// kind stands in at least two steps of the unit banks, so that one broken question never leaves
// a kind without an example.

#include "sample_install.h"

#include "platform/files.h"
#include "simmenus/menu_layouts.h"
#include "simmenus/menu_rules.h"
#include "simwindow/step_record.h"

#include <gtest/gtest.h>

#include <QFile>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace {

using simwindow::OpFamily;
using simwindow::StepRecord;

// Every step record of every unit bank.
std::vector<StepRecord> unitSteps()
{
    std::vector<StepRecord> out;
    const QString data = tsample::sampleDir() + QStringLiteral("/data/");
    for (int unit = 0; QFile::exists(data + QStringLiteral("2888%1.mxy").arg(70 + unit)); ++unit)
        for (const QString& line : platform::readLines(data + QStringLiteral("2888%1.mxy").arg(20 + unit)).value_or(QStringList()))
            if (!line.trimmed().isEmpty())
                out.push_back(StepRecord::fromLine(line));
    return out;
}

// A menu target code "H" EE II SS .. J: element, item, cascade item.
struct Target {
    int element, item, sub;
    QChar jump;
};
std::vector<Target> targets(const StepRecord& r)
{
    std::vector<Target> out;
    for (const QString& code : r.TargetCode)
        if (code.size() == 10 && code.startsWith(u'H'))
            out.push_back({code.mid(1, 2).toInt(), code.mid(3, 2).toInt(), code.mid(5, 2).toInt(), code.at(9)});
    return out;
}
bool anyTarget(const StepRecord& r, const std::function<bool(const Target&)>& pred)
{
    for (const Target& t : targets(r))
        if (pred(t))
            return true;
    return false;
}

bool typing(const StepRecord& r, QStringView code) { return r.family() == OpFamily::Typing && r.OperationCode == code; }
// 6SKK: a key alone, or with Shift, Ctrl or Alt held (a shortcut).
int keyShift(const StepRecord& r) { return r.expectedCode() / 100 % 10; }
bool jumps(const StepRecord& r)
{
    const auto far = [](const QString& j) { return !j.isEmpty() && j != u"0"; };
    if (far(r.Image1Jump) || far(r.Image2Jump) || far(r.Image3Jump) || far(r.Image4Jump) ||
        (r.hasTarget1() && far(r.Target1Jump)) || (r.hasTarget2() && far(r.Target2Jump)))
        return true;
    return anyTarget(r, [](const Target& t) { return t.jump != u'0'; });
}
bool opens(const StepRecord& r, simmenus::PaneRequest::Kind kind)
{
    const auto pane = simmenus::paneRequest(r);
    return pane && pane->kind == kind;
}

struct Family {
    const char* name;
    std::function<bool(const StepRecord&)> in;
};

TEST(SampleFamilies, EveryKindOfActionStandsInAtLeastTwoSteps)
{
    using Kind = simmenus::PaneRequest::Kind;
    const auto is = [](OpFamily f) { return [f](const StepRecord& r) { return r.family() == f; }; };
    const auto typed = [](const char16_t* code) { return [code](const StepRecord& r) { return typing(r, code); }; };
    const std::vector<Family> families{
        {"click", is(OpFamily::Click)},
        {"double click", is(OpFamily::DoubleClick)},
        {"right click", is(OpFamily::RightClick)},
        {"hover", is(OpFamily::Hover)},
        {"range drag", is(OpFamily::RangeDrag)},
        {"picture drag", is(OpFamily::PictureDrag)},
        {"key", [](const StepRecord& r) { return r.family() == OpFamily::Key && keyShift(r) == 0; }},
        {"shortcut", [](const StepRecord& r) { return r.family() == OpFamily::Key && keyShift(r) != 0; }},
        {"typing 0020", typed(u"0020")},
        {"typing 0021", typed(u"0021")},
        {"typing 0022", typed(u"0022")},
        {"typing 0023", typed(u"0023")},
        {"typing 0024", typed(u"0024")},
        {"typing 0025", typed(u"0025")},
        {"typing 0026", typed(u"0026")},
        {"typing 0027", typed(u"0027")},
        {"typing 0028", typed(u"0028")},
        {"menu item",
         [](const StepRecord& r) { return anyTarget(r, [](const Target& t) { return t.element >= 1 && t.element <= 9 && t.item > 0 && t.sub == 0; }); }},
        {"cascade item", [](const StepRecord& r) { return anyTarget(r, [](const Target& t) { return t.sub > 0; }); }},
        {"palette cell",
         [](const StepRecord& r) { return anyTarget(r, [](const Target& t) { return simmenus::isPalette(t.element) && t.item > 0; }); }},
        {"palette opened by the step", [=](const StepRecord& r) { return opens(r, Kind::Palette); }},
        {"pane", [=](const StepRecord& r) { return opens(r, Kind::Pane); }},
        {"context menu", [](const StepRecord& r) { return r.family() == OpFamily::ContextMenu || r.RouteCode.startsWith(u'R'); }},
        {"dialog tab", [](const StepRecord& r) { return r.isDialogTab(); }},
        {"drop-down list", is(OpFamily::List)},
        {"location list", is(OpFamily::LocationList)},
        {"automatic step", is(OpFamily::Auto)},
        {"jump", jumps},
    };
    const std::vector<StepRecord> steps = unitSteps();
    ASSERT_FALSE(steps.empty());
    for (const Family& f : families) {
        const auto n = std::count_if(steps.begin(), steps.end(), f.in);
        EXPECT_GE(n, 2) << f.name;
    }
}

// A step that passes only with Shift, Ctrl or Alt held says so in its hint: the candidate has no
// other way to know it.
TEST(SampleFamilies, EveryHeldKeyIsNamedInItsHint)
{
    const auto texts = platform::readLines(tsample::sampleDir() + QStringLiteral("/data/288890.mxy"));
    ASSERT_TRUE(texts);
    const auto held = [](const StepRecord& r) {
        const int code = r.expectedCode();
        switch (r.family()) {
        case OpFamily::RangeDrag: return r.DragShift;
        case OpFamily::Key: return keyShift(r);
        case OpFamily::ClickWithButton: return code % 1000 / 100;
        default: return 0;
        }
    };
    int checked = 0;
    for (const StepRecord& r : unitSteps()) {
        const int keys = held(r);
        if (keys == 0)
            continue;
        ++checked;
        ASSERT_GE(r.HintLine, 1);
        ASSERT_LE(r.HintLine, texts->size());
        const QString hint = texts->at(r.HintLine - 1).mid(3);
        for (const auto& [bit, name] : {std::pair{1, "Shift"}, std::pair{2, "Ctrl"}, std::pair{4, "Alt"}}) {
            if ((keys & bit) != 0) {
                EXPECT_TRUE(hint.contains(QLatin1String(name))) << name << " is not named in " << hint.toStdString();
            }
        }
    }
    EXPECT_GT(checked, 0);
}

// The words of a task that name the way one of its steps is done: a step done one way only
// must be named in the task, since the window takes no other.
QStringList waysOf(const StepRecord& r)
{
    QStringList ways;
    const int code = r.expectedCode();
    switch (r.family()) {
    case OpFamily::RangeDrag:
        ways << QStringLiteral("拖动");
        break;
    case OpFamily::ContextMenu:
        ways << QStringLiteral("快捷菜单");
        break;
    case OpFamily::Key: {
        // 6SKK: a letter or digit with Ctrl, or a key of its own.
        const int key = code % 100;
        static const std::map<int, QString> named{{46, QStringLiteral("Delete")}, {12, QStringLiteral("F1")}};
        if (keyShift(r) == 2)
            ways << QStringLiteral("Ctrl+") + QChar(key);
        else if (named.count(key))
            ways << named.at(key);
        break;
    }
    default: break;
    }
    if (r.RouteCode.startsWith(u'R'))
        ways << QStringLiteral("快捷菜单");
    for (const Target& t : targets(r)) {
        if (t.element >= 1 && t.element <= 9)
            ways << QStringLiteral("菜单");
        else if (t.element == 32)
            ways << QStringLiteral("任务窗格");
        else if (t.element == 36 || t.element == 37)
            ways << QStringLiteral("浮动");
        else if (t.element >= 41)
            ways << QStringLiteral("工具栏|按钮");
    }
    return ways;
}

TEST(SampleFamilies, EveryTaskNamesTheWayOfEachStepThatTakesOneWayOnly)
{
    const QString data = tsample::sampleDir() + QStringLiteral("/data/");
    int named = 0;
    for (int unit = 0; QFile::exists(data + QStringLiteral("2888%1.mxy").arg(70 + unit)); ++unit) {
        const auto questions = platform::readLines(data + QStringLiteral("2888%1.mxy").arg(70 + unit));
        const auto steps = platform::readLines(data + QStringLiteral("2888%1.mxy").arg(20 + unit));
        ASSERT_TRUE(questions && steps);
        int line = 0;
        for (const QString& question : *questions) {
            const QString task = question.mid(6);
            const int count = question.mid(4, 2).toInt();
            for (int k = 0; k < count; ++k) {
                ASSERT_LT(line, steps->size());
                for (const QString& way : waysOf(StepRecord::fromLine(steps->at(line)))) {
                    const QStringList words = way.split(u'|');
                    EXPECT_TRUE(std::any_of(words.begin(), words.end(), [&](const QString& w) { return task.contains(w); }))
                        << "task " << question.left(4).toStdString() << " step " << k + 1 << " does not name \""
                        << way.toStdString() << "\": " << task.toStdString();
                    ++named;
                }
                ++line;
            }
        }
    }
    EXPECT_GT(named, 50);
}

} // namespace

// The pictures of a sample question follow what the candidate did: every step's background is
// drawn from a state that holds each change of the actions before it.

#include "bank.h"
#include "bars.h"
#include "session.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <map>

namespace {

using namespace samplegen;

// The units as the generator builds them (the text lines numbered after a table of 100).
const bank::Builder& units()
{
    static const bank::Builder b = bank::units(101);
    return b;
}

struct Place {
    std::size_t unit, question, step;
    std::string name() const
    {
        return "unit " + std::to_string(unit + 1) + " question " + std::to_string(question + 1) + " step " +
               std::to_string(step + 1);
    }
};

// Every question of the sample: the hand-written session's, which open the first unit, then
// the units' own.
std::vector<std::vector<std::vector<model::Traced>>> allTraces()
{
    std::vector<std::vector<std::vector<model::Traced>>> out(units().units().size());
    for (auto& t : session::traces())
        out.at(0).push_back(t);
    for (std::size_t u = 0; u < units().units().size(); ++u)
        for (const bank::Question& q : units().units()[u])
            out[u].push_back(q.trace);
    return out;
}

template <typename F>
void forEachStep(F f)
{
    static const auto all = allTraces();
    for (std::size_t u = 0; u < all.size(); ++u)
        for (std::size_t q = 0; q < all[u].size(); ++q)
            for (std::size_t s = 0; s < all[u][q].size(); ++s)
                f(Place{u, q, s}, all[u][q]);
}

TEST(SampleModel, EveryActionsChangeShowsInTheStateOfTheStepItLeadsTo)
{
    int checked = 0;
    forEachStep([&](const Place& at, const std::vector<model::Traced>& trace) {
        const model::Traced& step = trace[at.step];
        if (step.code == u"9999") {
            EXPECT_EQ(at.step + 1, trace.size()) << at.name();
            return;
        }
        // Every action says what it changed, or why the window shows nothing new.
        EXPECT_FALSE(step.changes.empty()) << at.name() << " (" << step.code.toStdString() << ") changes nothing";
        const std::size_t next = at.step + static_cast<std::size_t>(step.advance);
        ASSERT_LT(next, trace.size()) << at.name();
        for (const model::Change& c : step.changes) {
            EXPECT_TRUE(model::shows(trace[next].drawnFrom, c))
                << at.name() << " (" << step.code.toStdString() << "): " << model::describe(c).toStdString();
            ++checked;
        }
    });
    EXPECT_GT(checked, 0);
}

// Pixels inside a cell's picture well darker than its lightest: its text's ink, on white or
// under the band of a selection.
int inkIn(const QImage& cell)
{
    int lightest = 0;
    for (int y = 2; y < cell.height() - 2; ++y)
        for (int x = 2; x < cell.width() - 2; ++x)
            lightest = std::max(lightest, qGray(cell.pixel(x, y)));
    int dark = 0;
    for (int y = 2; y < cell.height() - 2; ++y)
        for (int x = 2; x < cell.width() - 2; ++x)
            dark += qGray(cell.pixel(x, y)) < lightest - 90;
    return dark;
}

// Text typed into a cell is in the next picture: ink in the cell where there was none or other.
TEST(SampleModel, TypedTextInkShowsInTheNextPicture)
{
    int pairs = 0;
    forEachStep([&](const Place& at, const std::vector<model::Traced>& trace) {
        const model::Traced& step = trace[at.step];
        if (!step.code.startsWith(u"002"))
            return;
        for (const model::Change& c : step.changes) {
            if (c.kind != model::Change::Kind::CellText || c.what.isEmpty())
                continue;
            const auto& before = step.drawnFrom.view;
            const auto& after = trace[at.step + 1].drawnFrom.view;
            if (sheet::shownText(before.cells, c.where) == sheet::shownText(after.cells, c.where))
                continue; // a formula that gives the value the cell had
            const QRect r = *sheet::cellRect(c.where);
            const QImage was = sheet::window(before).copy(r);
            const QImage now = sheet::window(after).copy(r);
            EXPECT_GT(inkIn(now), 8) << at.name() << ": no ink of \"" << c.what.toStdString() << "\" in " << c.where.toStdString();
            EXPECT_NE(was, now) << at.name();
            ++pairs;
        }
    });
    EXPECT_GT(pairs, 3);
}

// After a step that clears or deletes, the sheet shows what the spreadsheet would: the texts
// stay where only formats go, a formula over emptied cells shows its error, and the columns
// right of a deleted one move in. Every text left is drawn in ink.
TEST(SampleModel, ClearingAndDeletingLeaveWhatTheSpreadsheetShows)
{
    struct Shown {
        const char16_t* cell;
        const char16_t* before;
        const char16_t* after;
    };
    struct Case {
        std::size_t unit, question, step; // as the candidate counts them, from 1
        const char16_t* code;
        std::vector<Shown> cells;
    };
    const Case cases[] = {
        // Delete over E3:E7: the totals go, the heading stays, their average has nothing left.
        {2, 7, 2, u"6046", {{u"E2", u"总分", u"总分"}, {u"E3", u"256", u""}, {u"E7", u"277", u""},
                            {u"E8", u"261.6", u"#DIV/0!"}, {u"D8", u"86.8", u"86.8"}}},
        // 编辑 ▸ 清除 ▸ 格式 over A2:E2: the headings keep their texts.
        {2, 8, 2, u"7000", {{u"A2", u"姓名", u"姓名"}, {u"C2", u"数学", u"数学"}, {u"E2", u"总分", u"总分"},
                            {u"A3", u"张明", u"张明"}}},
        // Deleting column C: D and E move into C and D, their averages with them.
        {2, 13, 1, u"3241", {{u"C2", u"数学", u"英语"}, {u"D2", u"英语", u"总分"}, {u"E2", u"总分", u""},
                             {u"C8", u"87.4", u"86.8"}, {u"D8", u"86.8", u"261.6"}}},
    };
    for (const Case& c : cases) {
        const std::vector<model::Traced>& trace = units().units().at(c.unit - 1).at(c.question - 1).trace;
        const std::string name = "unit " + std::to_string(c.unit) + " question " + std::to_string(c.question);
        ASSERT_LT(c.step, trace.size()) << name;
        const model::Traced& step = trace[c.step - 1];
        ASSERT_EQ(step.code, QString::fromUtf16(c.code)) << name;
        const sheet::View& before = step.drawnFrom.view;
        const sheet::View& after = trace[c.step - 1 + static_cast<std::size_t>(step.advance)].drawnFrom.view;
        const QImage picture = sheet::window(after);
        for (const Shown& cell : c.cells) {
            const QString at = QString::fromUtf16(cell.cell);
            const std::string where = name + " " + at.toStdString();
            EXPECT_EQ(sheet::shownText(before.cells, at), QString::fromUtf16(cell.before)) << where << " before";
            EXPECT_EQ(sheet::shownText(after.cells, at), QString::fromUtf16(cell.after)) << where << " after";
            if (!QStringView(cell.after).isEmpty()) {
                EXPECT_GT(inkIn(picture.copy(*sheet::cellRect(at))), 8) << where << ": its text is not drawn";
            }
        }
    }
}

// The session's records are hand-built: each step's background is the picture of the state its
// trace says it is drawn from.
TEST(SampleModel, SessionBackgroundsAreDrawnFromTheirStates)
{
    std::map<QString, QImage> pictures;
    for (const auto& [code, image] : session::pictures())
        pictures[code] = image;
    const auto questions = session::questions();
    const auto traces = session::traces();
    ASSERT_EQ(questions.size(), traces.size());
    for (std::size_t q = 0; q < questions.size(); ++q) {
        ASSERT_EQ(questions[q].steps.size(), traces[q].size());
        for (std::size_t k = 0; k < traces[q].size(); ++k) {
            const QString back = questions[q].steps[k].text().mid(11, 6);
            ASSERT_TRUE(pictures.count(back)) << "question " << q + 1 << " step " << k + 1;
            EXPECT_EQ(pictures[back], sheet::window(traces[q][k].drawnFrom.view)) << "question " << q + 1 << " step " << k + 1;
        }
    }
}

// A change the model makes is drawn: the merged title stands centred over A1:E1, the
// inserted row is blank, the chart stands where it was dropped.
TEST(SampleModel, ChangesAreDrawn)
{
    model::State s;
    model::select(s, QStringLiteral("A1"), QStringLiteral("E1"));
    const QImage plain = sheet::window(s.view);
    model::merge(s);
    const QImage merged = sheet::window(s.view);
    const QRect c1 = *sheet::cellRect(u"C1");
    EXPECT_NE(plain.copy(c1), merged.copy(c1)) << "the merged title is centred over C1";

    model::State rows;
    model::insertRow(rows, 5);
    const QImage inserted = sheet::window(rows.view);
    const QRect b5 = *sheet::cellRect(u"B5");
    for (int x = b5.left() + 2; x < b5.right() - 2; ++x)
        EXPECT_GT(qGray(inserted.pixel(x, b5.center().y())), 150) << "row 5 is blank at x " << x;

    model::State chart;
    model::moveChart(chart, QPoint(480, 300));
    EXPECT_EQ(sheet::window(chart.view).pixelColor(480, 300), QColor(Qt::black)) << "the chart's frame";
}

// A box's hover and pressed pictures leave its text to the picture beneath, which reads the
// sheet's choice: the demonstration keeps its last pressed picture over the question's end.
TEST(SampleModel, ABoxsHoverAndPressedPicturesShowTheTextBeneath)
{
    std::map<QString, QImage> pictures;
    for (const auto& [code, image] : bars::elementPictures())
        pictures[code] = image;
    for (const char* box : {"62", "67", "68"})
        for (const char* look : {"0088", "0099"}) {
            const QString code = QLatin1String(box) + QLatin1String(look);
            ASSERT_TRUE(pictures.count(code)) << code.toStdString();
            const QImage& image = pictures[code];
            EXPECT_EQ(qAlpha(image.pixel(image.width() / 3, image.height() / 2)), 0) << code.toStdString() << " where the text stands";
            EXPECT_EQ(qAlpha(image.pixel(image.width() - 8, image.height() / 2)), 255) << code.toStdString() << " the arrow";
        }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

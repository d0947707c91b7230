#include "session.h"

#include "bars.h"
#include "model.h"
#include "panels.h"
#include "sheet.h"

#include <stdexcept>

namespace samplegen::session {

namespace {

// Pictures of the session.
const QString DefaultBack = QStringLiteral("310010"); // A1 active
const QString CommentD8 = QStringLiteral("310013");   // the comment of D8, an overlay
const QString ShowA1B2 = QStringLiteral("310030");    // the illustration of question 2: its corner
const QString Keep = QStringLiteral("888888");
const QString CommentText = QStringLiteral("英语平均分，由D3:D7的英语成绩求得。");


// Lines of the text table (sample/session/texts.txt) that the records name.
enum TextLine {
    HintClickB3 = 1,
    HintDoubleClickC5,
    HintHoverD8,
    HintCommentShown,
    HintRightClickA1,
    HintCtrlClickB2,
    AnswerC3,        // also the hint of the typing step
    HintDragB3D3,
    HintCopy,
    HintDialogOk,
    ListFunctions,
    HintChooseAverage,
    HintToolbarsFormat,
    HintFillYellow,
    HintPaletteRed,
    HintToolbarMenuDrawing,
    HintInsertAtB3,
    HintTaskPaneOpen,
    HintChartLine,
    HintDragComment,
    HintShiftDragB3D3,
    LastTextLine = HintShiftDragB3D3
};

// Standard pointer 1 is the arrow, 2 the cross; cursor file 01 is the I-beam "ico01.CUR".
constexpr int ArrowPointer = 1;
constexpr int CrossPointer = 2;
constexpr int IBeamFile = 1;
// Cursor file 07 ("ico07.CUR") is the hand that a range drag of the demonstration shows.
constexpr int HandFile = 7;

TwipsRect cell(QStringView address)
{
    const auto r = sheet::cellRect(address);
    if (!r)
        throw std::invalid_argument("a step names a cell outside the drawn sheet");
    return {twips(r->left()), twips(r->top()), twips(r->width()), twips(r->height())};
}

// A step; its background is given by the question's run (Run::add) unless named here.
StepLine step(int n, QStringView code, const QString& back)
{
    StepLine s;
    s.stepNumber(n).zones(u"A7").code(code);
    if (!back.isEmpty())
        s.background(back);
    return s;
}

// A step that waits for an action on one cell, with the hint just right of the cell.
StepLine cellStep(int n, QStringView code, const QString& back, QStringView address, TextLine hint,
                  QChar pointerKind = u'S', int pointer = CrossPointer)
{
    const TwipsRect target = cell(address);
    StepLine s = step(n, code, back);
    s.target1(target).pointer(pointerKind, pointer).hint(hint, target.left + target.width + twips(8), target.top);
    return s;
}

// Where D8's comment note pops up, beside the cell.
QPoint commentPlace()
{
    const TwipsRect d8 = cell(u"D8");
    return {d8.left + d8.width, d8.top - twips(sheet::CommentAnchorY)};
}

// The comment pops up beside D8 and the step moves on by itself after a second.
StepLine commentStep(int n, const QString& back)
{
    const QPoint note = commentPlace();
    StepLine s = step(n, u"8888", back);
    s.overlay(1, note.x(), note.y(), CommentD8).hint(HintCommentShown, note.x(), note.y() + twips(64));
    return s;
}

// The answer typed into C3.
StepLine typingStep(int n)
{
    const TwipsRect c3 = cell(u"C3");
    StepLine s = step(n, u"0020", DefaultBack);
    s.editor(c3).texts(0, AnswerC3).hint(AnswerC3, c3.left + c3.width + twips(8), c3.top);
    return s;
}

// A drag from B3 to D3 with the pointer that the step names.
StepLine rangeDragStep(int n, QStringView code, QChar pointerKind, int pointer, TextLine hint = HintDragB3D3)
{
    const TwipsRect b3 = cell(u"B3");
    const TwipsRect d3 = cell(u"D3");
    StepLine s = step(n, code, DefaultBack);
    s.zones(u"A7", u"EE").target2(b3).target1(d3).pointer(pointerKind, pointer)
        .hint(hint, d3.left + d3.width + twips(8), d3.top);
    return s;
}

// The dialog opens on its first tab; the step works on the second.
StepLine dialogTabStep(int n, const QString& back, panels::Sample sample)
{
    const int dialogLeft = twips(panels::DialogLeft);
    const int dialogTop = twips(panels::DialogTop);
    const QRect ok = panels::dialogOkButton();
    StepLine s = step(n, u"0001", back);
    s.overlay(1, dialogLeft, dialogTop, panels::dialogPageCode(2, false, sample))
        .target1({dialogLeft + twips(ok.left()), dialogTop + twips(ok.top()), twips(ok.width()), twips(ok.height())})
        .dialogTabs(panels::layoutLetter(false, sample), 1, 2, 1)
        // Beside the dialog, under the toolbars' panel, which would hide it.
        .hint(HintDialogOk, dialogLeft + twips(panels::DialogWidth + 8), twips(bars::ToolBarsTop + bars::ToolBarsHeight + 2));
    return s;
}

// The list of functions under F3, its second entry to choose.
StepLine listStep(int n, const QString& back)
{
    const TwipsRect f3 = cell(u"F3");
    StepLine s = step(n, QStringLiteral("L%1").arg(ListFunctions, 3, 10, QChar(u'0')), back);
    s.editor({f3.left, f3.top + f3.height, twips(110), twips(80)}).texts(0, 1)
        .hint(HintChooseAverage, f3.left + twips(118), f3.top + f3.height);
    return s;
}

// Steps with no target of their own show their hint at one place of the window, left of the
// question panel so that the longest of them is read whole, and below question 6's chart.
StepLine hintAside(StepLine s, TextLine hint)
{
    s.hint(hint, twips(100), twips(440));
    return s;
}

// A menu or toolbar choice: the code of the entry the candidate must reach.
StepLine menuStep(int n, QStringView target, TextLine hint)
{
    StepLine s = step(n, u"7000", DefaultBack);
    s.menuTarget(125, target);
    return hintAside(s, hint);
}

// A choice in a pane or palette that the step opens itself, at a place in twips.
StepLine paneStep(int n, QStringView target, int left, int top, TextLine hint)
{
    StepLine s = step(n, u"7000", DefaultBack);
    s.pane(target, left, top);
    return hintAside(s, hint);
}

// A question's run of states: every step's background is drawn from the state its earlier
// steps left (a picture of its own, 31QQSS), and each action's change is kept with it.
struct Run {
    int question;
    Question q;
    model::State s;
    std::vector<model::Traced> trace;
    std::vector<std::pair<QString, sheet::View>>* backs;

    void add(StepLine st)
    {
        const QString code = QStringLiteral("31%1%2").arg(10 + question).arg(trace.size() + 1, 2, 10, QChar(u'0'));
        st.background(code).zones(QStringLiteral("A%1").arg(sheet::barPanels(s.view)), st.text().mid(5, 2));
        backs->emplace_back(code, s.view);
        trace.push_back({st.text().mid(7, 4), 1, s, {}});
        q.steps.push_back(std::move(st));
    }
    void after(const std::vector<model::Change>& changes)
    {
        trace.back().changes.insert(trace.back().changes.end(), changes.begin(), changes.end());
    }
};

// The dialog stands open in the step's overlay, on its first tab; the step works on the second
// and closes it.
void dialogTabs(Run& r, int n)
{
    model::openFormatDialog(r.s);
    const auto sample = panels::sampleOf(sheet::shownText(r.s.view.cells, r.s.view.active));
    if (!sample)
        throw std::invalid_argument("the format dialog has no layout with the active cell's value as its 示例");
    r.add(dialogTabStep(n, {}, *sample));
    r.after(model::closeDialog(r.s));
}

// The chart of question 6 stands under the table, left of the question panel.
const QPoint ChartAt(60, 282);

// Clicks, a double click and a hover that shows a comment.
void clickEditHover(Run& r)
{
    r.add(cellStep(1, u"0001", {}, u"B3", HintClickB3));
    r.after(model::activate(r.s, QStringLiteral("B3")));
    r.add(cellStep(2, u"0002", {}, u"C5", HintDoubleClickC5, u'M', IBeamFile));
    r.after(model::edit(r.s, QStringLiteral("C5")));
    r.add(cellStep(3, u"0030", {}, u"D8", HintHoverD8));
    r.after(model::stays(QStringLiteral("the next step shows D8's comment")));
    r.add(commentStep(4, {}));
    r.after(model::stays(QStringLiteral("moves on by itself")));
    StepLine s5 = step(5, u"9999", {});
    s5.overlay(1, commentPlace().x(), commentPlace().y(), Keep);
    r.add(s5);
}

void rightClickCtrlClick(Run& r)
{
    model::activate(r.s, QStringLiteral("B3"));
    r.add(cellStep(1, u"0003", {}, u"A1", HintRightClickA1));
    r.after(model::activate(r.s, QStringLiteral("A1")));
    r.add(cellStep(2, u"9201", {}, u"B2", HintCtrlClickB2));
    r.after(model::select(r.s, QStringLiteral("B2"), QStringLiteral("B2"), true));
    r.add(step(3, u"9999", {}));
}

// Typing into a cell, a range drag, a shortcut, a dialog tab and a list choice.
void typeDragKeyTabList(Run& r)
{
    model::startTyping(r.s, QStringLiteral("C3"));
    r.add(typingStep(1));
    r.after(model::setText(r.s, QStringLiteral("C3"), QStringLiteral("92")));
    // Ctrl is not needed: the drag runs from B3 to D3 with no modifier.
    r.add(rangeDragStep(2, u"0040", u'S', CrossPointer));
    r.after(model::select(r.s, QStringLiteral("B3"), QStringLiteral("D3")));
    const TwipsRect d3 = cell(u"D3");
    r.add(step(3, u"6267", {}).hint(HintCopy, d3.left + d3.width + twips(8), d3.top));
    r.after(model::copy(r.s, false));
    dialogTabs(r, 4);
    r.add(listStep(5, {}));
    // The function chosen from the list under F3 starts its formula there.
    r.after(model::edit(r.s, QStringLiteral("F3")));
    r.after(model::setText(r.s, QStringLiteral("F3"), QStringLiteral("=AVERAGE(")));
    r.add(step(6, u"9999", {}));
}

// The menus: a cascade of the View menu, the fill colour palette, a palette that the step
// opens itself, the toolbars' context menu and the cell's context menu. The window starts
// without the formatting and the drawing toolbars, which its steps show.
void menusAndPalettes(Run& r)
{
    r.s.view.formatBar = false;
    r.s.view.drawingBar = false;
    r.add(menuStep(1, u"H030402000", HintToolbarsFormat));
    r.after(model::formatBar(r.s, true));
    r.add(menuStep(2, u"H842700000", HintFillYellow));
    r.after(model::fill(r.s, QColor(255, 255, 0)));
    r.add(paneStep(3, u"H341700000", twips(300), twips(200), HintPaletteRed));
    r.after(model::ink(r.s, QColor(255, 0, 0)));
    // The toolbars' menu opens on the blank end of their dock, as on any of their buttons.
    const QRect dock = bars::toolBarsDock(true);
    StepLine s4 = step(4, u"3427", {});
    s4.target1({twips(dock.left()), twips(dock.top()), twips(dock.width()), twips(dock.height())})
        .pointer(u'S', ArrowPointer)
        // Under the toolbars, its 24 characters ending before the dock.
        .hint(HintToolbarMenuDrawing, twips(dock.left() - 2 - 24 * 16), twips(dock.bottom() + 6));
    r.add(s4);
    r.after(model::drawingBar(r.s, true));
    r.add(cellStep(5, u"3140", {}, u"B3", HintInsertAtB3));
    r.after(model::insertCell(r.s, QStringLiteral("B3")));
    r.after(model::activate(r.s, QStringLiteral("B3")));
    r.add(step(6, u"9999", {}));
}

// A tour of what a demonstration shows: a menu with its cascade, the task pane's list, a
// dialog's tabs and a list.
void demonstrationTour(Run& r)
{
    r.s.view.formatBar = false;
    r.add(menuStep(1, u"H030402000", HintToolbarsFormat));
    r.after(model::formatBar(r.s, true));
    r.add(paneStep(2, u"H320700000", 0, 0, HintTaskPaneOpen));
    r.after(model::stays(QStringLiteral("the task pane's choice opens a window of the real program")));
    dialogTabs(r, 3);
    r.add(listStep(4, {}));
    r.after(model::edit(r.s, QStringLiteral("F3")));
    r.after(model::setText(r.s, QStringLiteral("F3"), QStringLiteral("=AVERAGE(")));
    r.add(step(5, u"9999", {}));
}

// Every kind of action in one question, for a demonstration from its first step to its last:
// clicks, typing, a menu's cascade, a context menu's submenu, a shortcut, a pause, a picture
// drag, a range drag and a dialog tab. The chart stands on the sheet, and the formatting
// toolbar that step 4 shows is hidden until then.
void everyAction(Run& r)
{
    r.s.view.chart = ChartAt;
    r.s.view.formatBar = false;
    r.add(cellStep(1, u"0001", {}, u"B3", HintClickB3));
    r.after(model::activate(r.s, QStringLiteral("B3")));
    r.add(cellStep(2, u"0002", {}, u"C5", HintDoubleClickC5, u'M', IBeamFile));
    r.after(model::edit(r.s, QStringLiteral("C5")));
    r.add(typingStep(3));
    r.after(model::edit(r.s, QStringLiteral("C3")));
    r.after(model::setText(r.s, QStringLiteral("C3"), QStringLiteral("92")));
    r.add(menuStep(4, u"H030402000", HintToolbarsFormat));
    r.after(model::formatBar(r.s, true));
    r.after(model::activate(r.s, QStringLiteral("C3")));
    // The chart's context menu (set 1, menu 6): its first submenu, the third entry. A right
    // click anywhere on the chart opens it.
    const QImage chart = sheet::chart();
    StepLine s5 = step(5, u"3612", {});
    s5.target1({twips(ChartAt.x()), twips(ChartAt.y()), twips(chart.width()), twips(chart.height())})
        .hint(HintChartLine, twips(ChartAt.x() + chart.width() + 8), twips(ChartAt.y()));
    r.add(s5);
    r.after(model::lineChart(r.s));
    r.add(hintAside(step(6, u"6267", {}), HintCopy));
    r.after(model::copy(r.s, false));
    r.add(commentStep(7, {}));
    r.after(model::stays(QStringLiteral("moves on by itself")));
    const QPoint note = commentPlace();
    const TwipsRect f12 = cell(u"F12");
    // A drag to the right: only the x the code tests is given, so that the demonstration
    // keeps the note on its row; dropped, it stays where the drag left it.
    StepLine s8 = step(8, u"8002", {});
    s8.dragPicture(note.x(), note.y(), CommentD8).dragPoint(f12.left, 0).hint(HintDragComment, note.x(), note.y() - twips(24));
    r.add(s8);
    r.after(model::showNote(r.s, QPoint(f12.left / 15, note.y() / 15), CommentText));
    // Held Shift: the step says so, since the drag alone does not pass.
    r.add(rangeDragStep(9, u"0041", u'M', HandFile, HintShiftDragB3D3));
    r.after(model::select(r.s, QStringLiteral("B3"), QStringLiteral("D3")));
    dialogTabs(r, 10);
    r.add(step(11, u"9999", {}));
}

struct Built {
    std::vector<Question> questions;
    std::vector<std::vector<model::Traced>> traces;
    std::vector<std::pair<QString, sheet::View>> backs;
};

const Built& built()
{
    static const Built b = [] {
        Built out;
        const std::pair<const char*, void (*)(Run&)> scripts[] = {
            {"0001", clickEditHover},     {"0002", rightClickCtrlClick}, {"0003", typeDragKeyTabList},
            {"0004", menusAndPalettes},   {"0005", demonstrationTour},  {"0006", everyAction},
        };
        int n = 0;
        for (const auto& [id, script] : scripts) {
            Run r{++n, Question{QString::fromLatin1(id), {}}, {}, {}, &out.backs};
            script(r);
            out.questions.push_back(std::move(r.q));
            out.traces.push_back(std::move(r.trace));
        }
        return out;
    }();
    return b;
}

} // namespace

std::vector<Question> questions() { return built().questions; }

std::vector<std::vector<model::Traced>> traces() { return built().traces; }

int textLinesUsed()
{
    return LastTextLine;
}

std::vector<std::pair<QString, QImage>> pictures()
{
    sheet::View a1b2;
    a1b2.active = QStringLiteral("B2");
    a1b2.alsoSelected = {QStringLiteral("A1")};
    std::vector<std::pair<QString, QImage>> out{
        // The window's default background, which a first step of "888888" loads.
        {DefaultBack, sheet::window({})},
        {CommentD8, sheet::commentNote(QStringLiteral("教师"), CommentText)},
        {ShowA1B2, sheet::window(a1b2).copy(0, 0, 360, 240)},
    };
    for (const auto& [code, view] : built().backs)
        out.emplace_back(code, sheet::window(view));
    return out;
}

} // namespace samplegen::session

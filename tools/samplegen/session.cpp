#include "session.h"

#include "model.h"
#include "panels.h"
#include "sheet.h"

#include <stdexcept>

namespace samplegen::session {

namespace {

// Pictures of the session.
const QString DefaultBack = QStringLiteral("310010"); // A1 active
const QString BackB3 = QStringLiteral("310011");      // B3 active
const QString BackC5Edit = QStringLiteral("310012");  // C5 in edit mode
const QString CommentD8 = QStringLiteral("310013");   // the comment of D8, an overlay
const QString BackA1B2 = QStringLiteral("310014");    // A1 and B2 selected with Ctrl, B2 active
const QString BackB3D3 = QStringLiteral("310015");    // B3:D3 selected
const QString ShowA1B2 = QStringLiteral("310030");    // the illustration of question 2: its corner
const QString Keep = QStringLiteral("888888");
const QString CommentText = QStringLiteral("英语平均分，由D3:D7的英语成绩求得。");

// The menu step that shows the formatting toolbar starts from a window without it: its row is
// missing from the background, and the toolbar panel (which carries both rows) is not shown.
constexpr QStringView WithoutFormatBar = u"A5";
const QString DefaultNoFormatBar = QStringLiteral("310016");


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
    HintPaletteYellow,
    HintToolbarMenuDrawing,
    HintInsertAtB3,
    HintTaskPaneOpen,
    HintChartLine,
    HintDragComment,
    HintShiftDragB3D3,
    LastTextLine = HintShiftDragB3D3
};

// Standard pointer 2 is the cross; cursor file 01 is the I-beam "ico01.CUR".
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

StepLine step(int n, QStringView code, const QString& back)
{
    StepLine s;
    s.stepNumber(n).zones(u"A7").code(code).background(back);
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

Question clickEditHover()
{
    Question q{QStringLiteral("0001"), {}};
    q.steps.push_back(cellStep(1, u"0001", DefaultBack, u"B3", HintClickB3));
    q.steps.push_back(cellStep(2, u"0002", BackB3, u"C5", HintDoubleClickC5, u'M', IBeamFile));
    q.steps.push_back(cellStep(3, u"0030", BackC5Edit, u"D8", HintHoverD8));

    q.steps.push_back(commentStep(4, Keep));
    StepLine s5 = step(5, u"9999", Keep);
    s5.overlay(1, commentPlace().x(), commentPlace().y(), Keep);
    q.steps.push_back(s5);
    return q;
}

Question rightClickCtrlClick()
{
    Question q{QStringLiteral("0002"), {}};
    q.steps.push_back(cellStep(1, u"0003", BackB3, u"A1", HintRightClickA1));
    q.steps.push_back(cellStep(2, u"9201", DefaultBack, u"B2", HintCtrlClickB2));
    q.steps.push_back(step(3, u"9999", BackA1B2));
    return q;
}

// The dialog opens on its first tab; the step works on the second.
StepLine dialogTabStep(int n, const QString& back)
{
    const int dialogLeft = twips(panels::DialogLeft);
    const int dialogTop = twips(panels::DialogTop);
    const QRect ok = panels::dialogOkButton();
    StepLine s = step(n, u"0001", back);
    s.overlay(1, dialogLeft, dialogTop, panels::dialogPageCode(2))
        .target1({dialogLeft + twips(ok.left()), dialogTop + twips(ok.top()), twips(ok.width()), twips(ok.height())})
        .dialogTabs(u'A', 1, 2, 1)
        .hint(HintDialogOk, dialogLeft + twips(panels::DialogWidth + 8), dialogTop);
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

// Typing into a cell, a range drag, a shortcut, a dialog tab and a list choice.
// Question 3's backgrounds from its second step on (codes from 310050): 92 typed into C3, then
// B3:D3 selected, then copied.
std::vector<sheet::View> typeDragKeyTabListViews()
{
    model::State s;
    model::edit(s, QStringLiteral("C3"));
    model::setText(s, QStringLiteral("C3"), QStringLiteral("92"));
    std::vector<sheet::View> out{s.view};                // step 2
    model::select(s, QStringLiteral("B3"), QStringLiteral("D3"));
    out.push_back(s.view);                               // step 3
    model::copy(s, false);
    out.push_back(s.view);                               // steps 4-6
    return out;
}

QString typeDragKeyTabListBack(int k) { return QStringLiteral("3100%1").arg(50 + k); }

Question typeDragKeyTabList()
{
    Question q{QStringLiteral("0003"), {}};
    q.steps.push_back(typingStep(1));
    // Ctrl is not needed: the drag runs from B3 to D3 with no modifier.
    q.steps.push_back(rangeDragStep(2, u"0040", u'S', CrossPointer).background(typeDragKeyTabListBack(0)));
    const TwipsRect d3 = cell(u"D3");

    q.steps.push_back(step(3, u"6267", typeDragKeyTabListBack(1)).hint(HintCopy, d3.left + d3.width + twips(8), d3.top));

    q.steps.push_back(dialogTabStep(4, typeDragKeyTabListBack(2)));
    q.steps.push_back(listStep(5, typeDragKeyTabListBack(2)));
    q.steps.push_back(step(6, u"9999", typeDragKeyTabListBack(2)));
    return q;
}

// Steps with no target of their own show their hint at one place of the window, left of the
// question panel so that the longest of them is read whole, and below question 6's chart.
StepLine hintAside(StepLine s, TextLine hint)
{
    s.hint(hint, twips(100), twips(440));
    return s;
}

// A menu, palette or pane choice: the code of the entry the candidate must reach.
StepLine menuStep(int n, QStringView target, TextLine hint)
{
    StepLine s = step(n, u"7000", DefaultBack);
    s.menuTarget(125, target);
    return hintAside(s, hint);
}

// Question 4's backgrounds (codes from 310060): it starts without the formatting and the
// drawing toolbars, which its steps show; A1 turns yellow; B3 takes a new cell, the column
// below moving down.
std::vector<sheet::View> menusAndPalettesViews()
{
    model::State s;
    s.view.formatBar = false;
    s.view.drawingBar = false;
    std::vector<sheet::View> out{s.view};                // step 1
    model::formatBar(s, true);
    out.push_back(s.view);                               // step 2
    model::fill(s, QColor(255, 255, 0));
    out.push_back(s.view);                               // steps 3, 4
    model::drawingBar(s, true);
    out.push_back(s.view);                               // step 5
    for (int row = 8; row >= 3; --row)
        s.view.cells[QStringLiteral("B%1").arg(row + 1)] = s.view.cells.value(QStringLiteral("B%1").arg(row));
    s.view.cells.remove(QStringLiteral("B3"));
    model::activate(s, QStringLiteral("B3"));
    out.push_back(s.view);                               // step 6
    return out;
}

QString menusAndPalettesBack(int k) { return QStringLiteral("3100%1").arg(60 + k); }

// The toolbar panel is shown once the formatting row is, the drawing toolbar's panel once
// step 4 has shown it.
constexpr QStringView WithoutDrawingBar = u"A3";
constexpr QStringView WithoutEitherBar = u"A1";

// The menus: a cascade of the View menu, the fill colour palette, a palette that the step
// opens itself, the toolbars' context menu and the cell's context menu.
Question menusAndPalettes()
{
    Question q{QStringLiteral("0004"), {}};
    q.steps.push_back(menuStep(1, u"H030402000", HintToolbarsFormat).background(menusAndPalettesBack(0)).zones(WithoutEitherBar));
    q.steps.push_back(menuStep(2, u"H842700000", HintFillYellow).background(menusAndPalettesBack(1)).zones(WithoutDrawingBar));
    q.steps.push_back(menuStep(3, u"H332700000", HintPaletteYellow).pane(33, twips(300), twips(200))
                          .background(menusAndPalettesBack(2)).zones(WithoutDrawingBar));
    q.steps.push_back(hintAside(step(4, u"3427", menusAndPalettesBack(2)), HintToolbarMenuDrawing).zones(WithoutDrawingBar));
    q.steps.push_back(cellStep(5, u"3140", menusAndPalettesBack(3), u"B3", HintInsertAtB3));
    q.steps.push_back(step(6, u"9999", menusAndPalettesBack(4)));
    return q;
}

// A tour of what a demonstration shows: a menu with its cascade, the task pane's list, a
// dialog's tabs and a list.
Question demonstrationTour()
{
    Question q{QStringLiteral("0005"), {}};
    q.steps.push_back(menuStep(1, u"H030402000", HintToolbarsFormat).background(DefaultNoFormatBar).zones(WithoutFormatBar));
    q.steps.push_back(menuStep(2, u"H320700000", HintTaskPaneOpen).pane(32, 0, 0));
    q.steps.push_back(dialogTabStep(3, DefaultBack));
    q.steps.push_back(listStep(4, DefaultBack));
    q.steps.push_back(step(5, u"9999", Keep));
    return q;
}

// The chart of question 6 stands under the table, over B10, where its context menu is opened.
const QPoint ChartAt(60, 282);

// Question 6's backgrounds, each drawn from the state its earlier steps left (codes from
// 310040 on, in step order): the chart on the sheet, the formatting toolbar hidden until step
// 4 shows it, B3 clicked, C5 in edit mode, 92 typed into C3, C3 copied, B3:D3 selected.
std::vector<sheet::View> everyActionViews()
{
    model::State s;
    s.view.chart = ChartAt;
    s.view.formatBar = false;
    std::vector<sheet::View> out{s.view};                // step 1
    model::activate(s, QStringLiteral("B3"));
    out.push_back(s.view);                               // step 2
    model::edit(s, QStringLiteral("C5"));
    out.push_back(s.view);                               // step 3
    model::edit(s, QStringLiteral("C3"));
    model::setText(s, QStringLiteral("C3"), QStringLiteral("92"));
    out.push_back(s.view);                               // step 4
    model::formatBar(s, true);
    model::activate(s, QStringLiteral("C3"));
    out.push_back(s.view);                               // step 5
    s.view.lineChart = true;
    out.push_back(s.view);                               // step 6
    model::copy(s, false);
    out.push_back(s.view);                               // steps 7, 8
    // The note dragged right stays where the drag left it.
    s.view.noteAt = QPoint(cell(u"F12").left / 15, commentPlace().y() / 15);
    s.view.noteText = CommentText;
    out.push_back(s.view);                               // step 9
    model::select(s, QStringLiteral("B3"), QStringLiteral("D3"));
    out.push_back(s.view);                               // steps 10, 11
    return out;
}

QString everyActionBack(int k) { return QStringLiteral("3100%1").arg(40 + k); }

// Every kind of action in one question, for a demonstration from its first step to its last:
// clicks, typing, a menu's cascade, a context menu's submenu, a shortcut, a pause, a picture
// drag, a range drag and a dialog tab.
Question everyAction()
{
    Question q{QStringLiteral("0006"), {}};
    q.steps.push_back(cellStep(1, u"0001", everyActionBack(0), u"B3", HintClickB3).zones(WithoutFormatBar));
    q.steps.push_back(cellStep(2, u"0002", everyActionBack(1), u"C5", HintDoubleClickC5, u'M', IBeamFile).zones(WithoutFormatBar));
    q.steps.push_back(typingStep(3).background(everyActionBack(2)).zones(WithoutFormatBar));
    q.steps.push_back(menuStep(4, u"H030402000", HintToolbarsFormat).background(everyActionBack(3)).zones(WithoutFormatBar));
    // The chart's context menu (set 1, menu 6): its first submenu, the third entry. Opened at
    // B10 on the chart, the menu and its submenu stand clear of the question panel.
    q.steps.push_back(cellStep(5, u"3612", everyActionBack(4), u"B10", HintChartLine));
    q.steps.push_back(hintAside(step(6, u"6267", everyActionBack(5)), HintCopy));
    q.steps.push_back(commentStep(7, everyActionBack(6)));
    const QPoint note = commentPlace();
    const TwipsRect f12 = cell(u"F12");
    // A drag to the right: only the x the code tests is given, so that the demonstration
    // keeps the note on its row.
    StepLine s8 = step(8, u"8002", everyActionBack(6));
    s8.dragPicture(note.x(), note.y(), CommentD8)
        .dragPoint(f12.left, 0)
        .hint(HintDragComment, note.x(), note.y() - twips(24));
    q.steps.push_back(s8);
    // Held Shift: the step says so, since the drag alone does not pass.
    q.steps.push_back(rangeDragStep(9, u"0041", u'M', HandFile, HintShiftDragB3D3).background(everyActionBack(7)));
    q.steps.push_back(dialogTabStep(10, everyActionBack(8)));
    q.steps.push_back(step(11, u"9999", everyActionBack(8)));
    return q;
}

} // namespace

std::vector<Question> questions()
{
    return {clickEditHover(), rightClickCtrlClick(), typeDragKeyTabList(), menusAndPalettes(), demonstrationTour(),
            everyAction()};
}

int textLinesUsed()
{
    return LastTextLine;
}

std::vector<std::pair<QString, QImage>> pictures()
{
    sheet::View b3;
    b3.active = QStringLiteral("B3");
    sheet::View c5;
    c5.active = QStringLiteral("C5");
    c5.editing = true;
    sheet::View b3d3;
    b3d3.active = QStringLiteral("B3");
    b3d3.alsoSelected = {QStringLiteral("C3"), QStringLiteral("D3")};
    sheet::View a1b2;
    a1b2.active = QStringLiteral("B2");
    a1b2.alsoSelected = {QStringLiteral("A1")};
    sheet::View noFormatBar;
    noFormatBar.formatBar = false;
    std::vector<std::pair<QString, QImage>> out{
        {DefaultBack, sheet::window({})},
        {DefaultNoFormatBar, sheet::window(noFormatBar)},
        {BackB3, sheet::window(b3)},
        {BackC5Edit, sheet::window(c5)},
        {CommentD8, sheet::commentNote(QStringLiteral("教师"), CommentText)},
        {BackA1B2, sheet::window(a1b2)},
        {BackB3D3, sheet::window(b3d3)},
        {ShowA1B2, sheet::window(a1b2).copy(0, 0, 360, 240)},
    };
    const auto add = [&out](const std::vector<sheet::View>& views, QString (*code)(int)) {
        for (std::size_t k = 0; k < views.size(); ++k)
            out.emplace_back(code(static_cast<int>(k)), sheet::window(views[k]));
    };
    add(typeDragKeyTabListViews(), typeDragKeyTabListBack);
    add(menusAndPalettesViews(), menusAndPalettesBack);
    add(everyActionViews(), everyActionBack);
    return out;
}

} // namespace samplegen::session

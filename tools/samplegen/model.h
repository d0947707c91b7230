#pragma once
// What the candidate's actions do to the simulated window: the sheet, its bars and the dialog
// over it. The builder keeps one State per question, draws every step's background from the
// state reached so far and changes it by each action, so that the picture after a step shows
// what the step did. Every change is also kept as a Change, which says where to look for it in
// a later state.

#include "sheet.h"

#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <utility>
#include <vector>

namespace samplegen::model {

// A dialog of the simulated program drawn over the window: what it shows and where it stands
// (pixels of the window), with the texts its fields hold so far.
struct Dialog {
    QString key;
    QString title;
    QSize size;
    std::vector<std::pair<QString, QRect>> fields;  // label and place in the dialog
    std::vector<std::pair<QString, QRect>> buttons; // caption and place; the first is the default
    QPoint pos;
    std::map<int, QString> values;                  // field index -> text shown in it
    std::vector<int> lists;                         // fields that open a list, with their arrow

    QRect on(const QRect& inDialog) const { return inDialog.translated(pos); }
    // The field at a rectangle of the window, or -1.
    int fieldAt(const QRect& px) const;
};

struct State {
    sheet::View view;
    std::optional<Dialog> dialog;
    bool formatDialog = false;   // the tabbed format dialog is open
    bool mergeTicked = false;    // its "合并单元格" box is ticked
    QString range = QStringLiteral("A1"); // the selected range ("A2:E7"), or the active cell
    QString clipboard;           // the range copied or cut
    bool cut = false;
};

struct Change {
    enum class Kind {
        Active,       // where: the active cell
        Selected,     // where: a range shown selected
        CellText,     // where: a cell; what: its text
        Editing,      // where: the cell in edit mode
        TextSelected, // where: the cell; what: the part of its text selected
        Bold,         // where: range; what: "1" or "0"
        Fill,         // where: range; what: colour name
        Ink,          // where: range; what: colour name
        Face,         // where: cell; what: face
        Size,         // where: cell; what: size in pixels
        Merged,       // where: range
        RowInserted,  // where: row number; what: the text the row's first cell had
        ColumnDeleted,// where: column letter; what: the heading the column to its right had
        ColumnHidden, // where: column letter
        Copied,       // where: range with the moving border
        ChartAt,      // what: "x,y" of the chart's top-left
        ChartLines,   // the chart drawn as lines
        RowHeight,    // where: row number; what: pixels
        ColumnWidth,  // where: column letter; what: pixels
        NoteAt,       // what: "x,y" of a comment note shown on the sheet
        SheetNames,   // what: the tabs' names joined by ","
        Title,        // what: the book's name in the title bar
        FieldText,    // where: the dialog's key and field index "key:n"; what: the text
        Ticked,       // the format dialog's merge box
        DialogShown,  // where: the dialog's key ("format" for the tabbed one)
        DialogClosed,
        FormulaBar,   // what: "1" shown, "0" hidden
        FormatBar,
        DrawingBar,
        AutoFilter,
        Frozen,       // where: the cell the panes are frozen at
        Zoom,         // what: the zoom in per cent
        Comment,      // where: the cell that carries a comment
        Stays,        // what: why the window shows nothing new after this action
    };
    Kind kind;
    QString where;
    QString what;
};

// One step as a question's script made it: the state its background was drawn from and what
// its action changed; advance is how many steps a matching action moves on.
struct Traced {
    QString code;
    int advance = 1;
    State drawnFrom;
    std::vector<Change> changes;
};

// What the candidate sees at a point of the window (pixels): the topmost thing a state draws
// there, by name ("B3", "chart", "row 5", "column C", "tab 2", "name box", "button 确定",
// "field 1", "dialog", "format ok", "format merge", "format dialog", "toolbar dock"), if any.
std::optional<QString> thingAt(const State& s, QPoint px);
// The area a state draws a thing on (pixels of the window).
std::optional<QRect> areaOf(const State& s, const QString& thing);

// Whether a state shows a change.
bool shows(const State& s, const Change& c);
// A line naming the change, for a test's message.
QString describe(const Change& c);

// The cell whose rectangle on the window px is, if it is one.
std::optional<QString> cellAt(const QRect& px);
// The cells of a range in reading order.
QStringList cellsOf(const QString& range);

// The operations of the tasks. Each changes the state and returns what it changed.
std::vector<Change> activate(State& s, const QString& cell);
std::vector<Change> select(State& s, const QString& from, const QString& to, bool addToSelection = false);
std::vector<Change> selectColumn(State& s, QChar column);
std::vector<Change> selectRow(State& s, int row);
std::vector<Change> edit(State& s, const QString& cell);
std::vector<Change> setText(State& s, const QString& cell, const QString& text);
// Typing into a cell: its editor stands on it and starts empty, so the cell is the active one,
// in edit mode, and the formula bar shows nothing yet; the cell keeps its value until the
// entry is made.
std::vector<Change> startTyping(State& s, const QString& cell);
std::vector<Change> selectText(State& s, const QString& cell, const QString& part);
std::vector<Change> typeIntoField(State& s, int field, const QString& text);
std::vector<Change> showDialog(State& s, const Dialog& d);
std::vector<Change> closeDialog(State& s);
std::vector<Change> copy(State& s, bool cut);
std::vector<Change> paste(State& s);
std::vector<Change> clear(State& s);
std::vector<Change> clearFormats(State& s);
std::vector<Change> fillDown(State& s);
std::vector<Change> merge(State& s);
std::vector<Change> bold(State& s, bool on);
std::vector<Change> fill(State& s, const QColor& colour);
std::vector<Change> ink(State& s, const QColor& colour);
std::vector<Change> face(State& s, const QString& face);
// The active cell's font size in pixels; its row grows to hold the larger font.
std::vector<Change> size(State& s, int pixels);
std::vector<Change> insertRow(State& s, int row);
// A cell inserted with the cells below it moving down.
std::vector<Change> insertCell(State& s, const QString& cell);
std::vector<Change> deleteColumn(State& s, QChar column);
std::vector<Change> hideColumn(State& s, QChar column);
std::vector<Change> moveChart(State& s, QPoint topLeft);
std::vector<Change> lineChart(State& s);
// A row's height in points and a column's width in characters, drawn in pixels.
std::vector<Change> rowHeight(State& s, int row, int points);
std::vector<Change> columnWidth(State& s, QChar column, int characters);
std::vector<Change> showNote(State& s, QPoint topLeft, const QString& text);
std::vector<Change> sheetNames(State& s, const QStringList& names, int active);
std::vector<Change> newBook(State& s, const QString& title);
std::vector<Change> title(State& s, const QString& book);
std::vector<Change> formulaBar(State& s, bool shown);
std::vector<Change> formatBar(State& s, bool shown);
std::vector<Change> drawingBar(State& s, bool shown);
std::vector<Change> autoFilter(State& s);
std::vector<Change> freeze(State& s);
std::vector<Change> zoom(State& s, int percent);
std::vector<Change> comment(State& s, const QString& cell);
std::vector<Change> sortDescending(State& s, QChar byColumn, int firstRow, int lastRow);
std::vector<Change> openFormatDialog(State& s);
std::vector<Change> tickMerge(State& s);
std::vector<Change> stays(const QString& why);

} // namespace samplegen::model

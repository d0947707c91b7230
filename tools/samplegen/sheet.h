#pragma once
// The simulated spreadsheet window as one 800 x 600 picture: title bar, menu bar and
// toolbars, formula bar, column and row headers, the grid with a small table of marks, sheet
// tabs, drawing toolbar and status bar. Step pictures are variants of it.

#include "bars.h"

#include <QColor>
#include <QImage>
#include <QMap>
#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>
#include <utility>

namespace samplegen::sheet {

constexpr int Width = 800;
constexpr int Height = 600;

// The rectangle of a cell ("B3") on the window, in pixels; nothing for an address outside the
// drawn columns A-L and rows 1-23. Outside window() the design's sizes: where the hot spots lie.
std::optional<QRect> cellRect(QStringView address);

// What a cell holds and how it is formatted. A text that starts with "=" is a formula: the
// cell shows its value, the edit bar the formula.
struct Cell {
    QString text;
    bool bold = false;
    QColor fill;    // none: white
    QColor ink;     // none: black
    QString face;   // none: the sheet's face
    int size = 0;   // pixels; 0: the sheet's size
};

// The sample sheet of marks: A1 its title, A2:E2 the headings, A3:E7 five students, A8:E8 the
// averages (formulas).
QMap<QString, Cell> sampleCells();
// What a cell shows: a formula's value where the sheet can work it out, else the text.
QString shownText(const QMap<QString, Cell>& cells, const QString& address);

struct View {
    QString active = QStringLiteral("A1");
    QStringList alsoSelected;  // further cells of a selection made with Ctrl
    bool editing = false;      // the active cell is in edit mode
    QString editSelection;     // in edit mode: the leading part of the text shown selected
    std::optional<QString> editorText; // in edit mode: what the editor holds where it is not the cell's text yet
    QStringList wholeColumns;  // column letters shown selected from top to bottom
    QList<int> wholeRows;      // row numbers shown selected across
    QList<std::pair<QString, QString>> entries; // cells whose text differs from the cells below
    QMap<QString, Cell> cells = sampleCells();
    QStringList merged;        // ranges ("A1:E1") drawn as one cell, their text centred
    QString hiddenColumns;     // letters the headers skip
    QString copied;            // the range a copy or cut left its moving border on
    std::optional<QPoint> chart; // top-left of the marks chart on the sheet
    bool lineChart = false;      // the chart drawn as lines instead of columns
    std::optional<QPoint> noteAt; // a comment note shown on the sheet: its place and text
    QString noteText;
    QString title = QStringLiteral("Book1");
    QStringList sheetNames = {QStringLiteral("Sheet1"), QStringLiteral("Sheet2"), QStringLiteral("Sheet3")};
    int activeSheet = 0;
    QStringList comments = {QStringLiteral("D8")}; // cells with a comment marker
    bool formulaBar = true;
    bool formatBar = true;     // the formatting row under the standard toolbar
    bool drawingBar = true;
    bool autoFilter = false;   // the headings of row 2 carry filter arrows
    QString frozenAt;          // the cell the panes are frozen at
    int zoom = 100;            // per cent; below 100 the sheet's area shows more of the sheet
    QMap<int, int> rowHeights;     // rows (from 1) drawn at another height, pixels
    QMap<QChar, int> columnWidths; // columns drawn at another width, pixels
};

// The marks chart as it stands on the sheet or is dragged, in columns or in lines.
QImage chart(bool lines = false);

// The name box at the left of the formula bar, a column's or a row's header, and the tab of
// sheet 1-3, in pixels of the window.
QRect nameBoxRect();
QRect columnHeaderRect(QChar column);
QRect rowHeaderRect(int row);
QRect sheetTabRect(int sheet);

QImage window(const View& view);

// What the zoom, font and size boxes of the toolbars read for a view: its zoom and the active
// cell's face and size.
bars::Boxes toolBoxes(const View& view);
// The bar panels a step over a view shows (the zone digit: 1 the menu bar, 2 the toolbar
// panel, 4 the drawing toolbar); a bar that the view hides, or whose panel's fixed picture
// would not read as the view's bar does, is shown by the background alone.
int barPanels(const View& view);

// A cell comment as it pops up beside its cell: the picture's top-left pixel row 7 is where
// the pointer line starts, so the picture is placed with that point on the cell's top-right
// corner.
QImage commentNote(const QString& author, const QString& text);
constexpr int CommentAnchorY = 7;

} // namespace samplegen::sheet

#pragma once
// The simulated spreadsheet window as one 800 x 600 picture: title bar, menu bar and
// toolbars, formula bar, column and row headers, the grid with a small table of marks, sheet
// tabs, drawing toolbar and status bar. Step pictures are variants of it.

#include <QImage>
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
// drawn columns A-L and rows 1-23.
std::optional<QRect> cellRect(QStringView address);

struct View {
    QString active = QStringLiteral("A1");
    QStringList alsoSelected;  // further cells of a selection made with Ctrl
    bool editing = false;      // the active cell is in edit mode
    QStringList wholeColumns;  // column letters shown selected from top to bottom
    QList<int> wholeRows;      // row numbers shown selected across
    QList<std::pair<QString, QString>> entries; // cells whose text differs from the sample table
};

// The name box at the left of the formula bar, a column's or a row's header, and the tab of
// sheet 1-3, in pixels of the window.
QRect nameBoxRect();
QRect columnHeaderRect(QChar column);
QRect rowHeaderRect(int row);
QRect sheetTabRect(int sheet);

QImage window(const View& view);

// A cell comment as it pops up beside its cell: the picture's top-left pixel row 7 is where
// the pointer line starts, so the picture is placed with that point on the cell's top-right
// corner.
QImage commentNote(const QString& author, const QString& text);
constexpr int CommentAnchorY = 7;

} // namespace samplegen::sheet

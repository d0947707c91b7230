#include "sheet.h"

#include "bars.h"
#include "draw.h"
#include "icons.h"

#include <QMap>

#include <algorithm>
#include <cmath>
#include <limits>

namespace samplegen::sheet {

namespace {

constexpr int TitleHeight = 28;
constexpr int FormulaTop = 102;
constexpr int HeaderTop = 122;
constexpr int GridTop = 140;
constexpr int RowHeaderWidth = 30;
constexpr int ColumnWidth = 64;
constexpr int RowHeight = 17;
constexpr int Columns = 12;      // A-L
constexpr int Rows = 23;         // fully visible rows
constexpr int GridBottom = 538;  // first row of the sheet-tab bar
constexpr int TabsLeft = 66;     // the first sheet tab, and the distance to the next
constexpr int TabStep = 56;
constexpr int ScrollLeft = 783;
constexpr int StatusTop = 580;
// A zoom below 100 % shows more of the sheet: room for this many columns and rows at 50 %.
constexpr int MaxColumns = 2 * Columns + 2;
constexpr int MaxRows = 2 * Rows + 2;

// The part of the sheet a window shows: the design's columns and rows up to the scroll bars,
// or, while a zoomed window is drawn, the larger part that the zoom brings in. The hot spots
// always use the design's.
struct Extent {
    int columns = Columns;
    int rows = Rows;
    int right = ScrollLeft;
    int bottom = GridBottom;
};
Extent shown;

struct Address {
    int column;
    int row;
};

std::optional<Address> parse(QStringView address)
{
    if (address.size() < 2 || address[0] < u'A' || address[0] >= QChar(u'A' + shown.columns))
        return std::nullopt;
    bool ok = false;
    const int row = address.mid(1).toInt(&ok);
    if (!ok || row < 1 || row > shown.rows)
        return std::nullopt;
    return Address{address[0].unicode() - u'A', row - 1};
}

// The sizes of the drawn columns and rows (from 0): the design's, or while a window is drawn,
// the view's own where a task changed them. The hot spots always use the design's.
struct Sizes {
    int column[MaxColumns];
    int row[MaxRows + 1];
    Sizes()
    {
        std::fill(std::begin(column), std::end(column), ColumnWidth);
        std::fill(std::begin(row), std::end(row), RowHeight);
    }
};
Sizes drawn;

int columnLeft(int c)
{
    int x = RowHeaderWidth;
    for (int i = 0; i < c && i < MaxColumns; ++i)
        x += drawn.column[i];
    return x;
}
int columnWidth(int c) { return c < MaxColumns ? drawn.column[c] : ColumnWidth; }
int rowTop(int r)
{
    int y = GridTop;
    for (int i = 0; i < r && i <= MaxRows; ++i)
        y += drawn.row[i];
    return y;
}
int rowHeight(int r) { return r <= MaxRows ? drawn.row[r] : RowHeight; }

// Sets the view's sizes for as long as one window is drawn.
class DrawnSizes {
public:
    explicit DrawnSizes(const View& v)
    {
        for (auto it = v.rowHeights.cbegin(); it != v.rowHeights.cend(); ++it)
            if (it.key() >= 1 && it.key() <= Rows + 1)
                drawn.row[it.key() - 1] = it.value();
        for (auto it = v.columnWidths.cbegin(); it != v.columnWidths.cend(); ++it)
            if (it.key() >= u'A' && it.key().unicode() < u'A' + Columns)
                drawn.column[it.key().unicode() - u'A'] = it.value();
    }
    ~DrawnSizes() { drawn = Sizes(); }
    DrawnSizes(const DrawnSizes&) = delete;
    DrawnSizes& operator=(const DrawnSizes&) = delete;
};

// Sets the part of the sheet a window at a zoom shows, for as long as it is drawn: the sheet's
// area holds 100 / zoom times as much, and as many more columns and rows as fill it.
class ZoomedExtent {
public:
    explicit ZoomedExtent(int zoom)
    {
        if (zoom <= 0 || zoom >= 100)
            return;
        shown.right = ScrollLeft * 100 / zoom;
        shown.bottom = HeaderTop + (GridBottom - HeaderTop) * 100 / zoom;
        shown.columns = Columns;
        while (shown.columns < MaxColumns && columnLeft(shown.columns) < shown.right)
            ++shown.columns;
        shown.rows = Rows;
        while (shown.rows < MaxRows && rowTop(shown.rows) < shown.bottom)
            ++shown.rows;
    }
    ~ZoomedExtent() { shown = Extent(); }
    ZoomedExtent(const ZoomedExtent&) = delete;
    ZoomedExtent& operator=(const ZoomedExtent&) = delete;
};

QRect cellAt(int column, int row)
{
    return QRect(columnLeft(column), rowTop(row), columnWidth(column), rowHeight(row));
}

// The cells of a range "B3:D7" in reading order.
QStringList cellsOf(QStringView range)
{
    const qsizetype colon = range.indexOf(u':');
    const QStringView from = colon < 0 ? range : range.left(colon);
    const QStringView to = colon < 0 ? range : range.mid(colon + 1);
    const auto a = parse(from);
    const auto b = parse(to);
    QStringList out;
    if (!a || !b)
        return out;
    for (int row = a->row; row <= b->row; ++row)
        for (int column = a->column; column <= b->column; ++column)
            out << QString(QChar(u'A' + column)) + QString::number(row + 1);
    return out;
}

std::optional<double> valueOf(const QMap<QString, Cell>& cells, const QString& address);

// A formula of the kinds the sample's tasks enter: SUM, AVERAGE, MAX and MIN of a range, or
// cells and numbers joined by "+".
std::optional<double> evaluate(const QMap<QString, Cell>& cells, QString formula)
{
    formula = formula.mid(1).trimmed().toUpper();
    const qsizetype open = formula.indexOf(u'(');
    if (open > 0 && formula.endsWith(u')')) {
        const QString name = formula.left(open);
        const QStringList range = cellsOf(QStringView(formula).mid(open + 1, formula.size() - open - 2));
        if (range.isEmpty())
            return std::nullopt;
        // Empty and text cells count for nothing, as in the spreadsheet: over a range left
        // without numbers SUM, MAX and MIN give 0 and AVERAGE divides by none (#DIV/0!).
        QList<double> values;
        for (const QString& a : range)
            if (const auto v = valueOf(cells, a))
                values << *v;
        double sum = 0;
        for (const double v : values)
            sum += v;
        if (name == u"SUM")
            return sum;
        if (name == u"AVERAGE")
            return values.isEmpty() ? std::numeric_limits<double>::quiet_NaN() : sum / values.size();
        if (name == u"MAX")
            return values.isEmpty() ? 0 : *std::max_element(values.begin(), values.end());
        if (name == u"MIN")
            return values.isEmpty() ? 0 : *std::min_element(values.begin(), values.end());
        return std::nullopt;
    }
    double sum = 0;
    for (const QString& term : formula.split(u'+')) {
        bool ok = false;
        const double number = term.toDouble(&ok);
        if (ok) {
            sum += number;
            continue;
        }
        const auto v = valueOf(cells, term.trimmed());
        if (!v)
            return std::nullopt;
        sum += *v;
    }
    return sum;
}

std::optional<double> valueOf(const QMap<QString, Cell>& cells, const QString& address)
{
    const QString text = cells.value(address).text;
    if (text.startsWith(u'='))
        return evaluate(cells, text);
    bool ok = false;
    const double v = text.toDouble(&ok);
    return ok ? std::optional<double>(v) : std::nullopt;
}

bool isNumber(const QMap<QString, Cell>& cells, const QString& address)
{
    const QString text = cells.value(address).text;
    return text.startsWith(u'=') || valueOf(cells, address).has_value();
}

void titleBar(QPainter& p, const QString& book)
{
    const QRect bar(0, 0, Width, TitleHeight);
    fillVertical(p, bar, colours::TitleLight, colours::TitleDark);
    p.fillRect(0, TitleHeight - 1, Width, 1, QColor(0, 50, 150));
    drawSheetGlyph(p, QPoint(6, 6));
    drawText(p, QRect(28, 0, 500, TitleHeight), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("Microsoft Excel - ") + book, Qt::white, uiFont(13, true));
    // Minimise, maximise and close, in the operating system's look.
    const int top = 4;
    for (int i = 0; i < 3; ++i) {
        const QRect b(Width - 3 * 23 - 3 + i * 23, top, 21, 21);
        const bool close = i == 2;
        fillVertical(p, b, close ? QColor(230, 120, 90) : QColor(100, 160, 255),
                     close ? QColor(200, 60, 30) : QColor(30, 90, 230));
        outline(p, b, Qt::white);
        p.setPen(QPen(Qt::white, 2));
        if (i == 0)
            p.drawLine(b.left() + 5, b.bottom() - 5, b.left() + 11, b.bottom() - 5);
        else if (i == 1)
            p.drawRect(b.adjusted(5, 5, -6, -6));
        else {
            p.drawLine(b.left() + 6, b.top() + 6, b.right() - 6, b.bottom() - 6);
            p.drawLine(b.right() - 6, b.top() + 6, b.left() + 6, b.bottom() - 6);
        }
    }
}

void formulaBar(QPainter& p, const View& view, const QString& activeText)
{
    const QRect bar(0, FormulaTop, Width, HeaderTop - FormulaTop);
    fillVertical(p, bar, QColor(238, 243, 250), QColor(214, 226, 245));
    field(p, QRect(2, FormulaTop + 2, 100, 16), view.active, true);
    int x = 112;
    if (view.editing) {
        drawText(p, QRect(x, FormulaTop + 2, 16, 16), Qt::AlignCenter, QStringLiteral("×"), QColor(200, 0, 0),
                 uiFont(13, true));
        drawText(p, QRect(x + 18, FormulaTop + 2, 16, 16), Qt::AlignCenter, QStringLiteral("✓"),
                 QColor(0, 130, 0), uiFont(13, true));
    }
    x += 50;
    QFont fx = uiFont(12, false);
    fx.setItalic(true);
    drawText(p, QRect(x, FormulaTop + 2, 24, 16), Qt::AlignCenter, QStringLiteral("fx"), colours::Text, fx);
    // The edit bar lies where the window puts its own edit field in typing steps.
    const QRect edit(192, FormulaTop + 2, Width - 192 - 17, 16);
    p.fillRect(edit, Qt::white);
    outline(p, edit, colours::FieldBorder);
    drawText(p, edit.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, activeText, colours::Text, uiFont(12));
}

// The letter of the c-th drawn column: hidden columns are skipped.
QChar columnLetter(int c, const QString& hidden)
{
    for (char16_t letter = u'A';; ++letter)
        if (!hidden.contains(QChar(letter)) && c-- == 0)
            return QChar(letter);
}

void headers(QPainter& p, const QStringList& selected, const QString& hidden)
{
    QList<int> activeColumns;
    QList<int> activeRows;
    for (const QString& a : selected)
        if (const auto addr = parse(a)) {
            activeColumns << addr->column;
            activeRows << addr->row;
        }
    const QRect corner(0, HeaderTop, RowHeaderWidth, GridTop - HeaderTop);
    fillVertical(p, corner, colours::HeaderFace, QColor(200, 214, 236));
    p.setPen(QColor(158, 182, 206));
    for (int c = 0; c < shown.columns; ++c) {
        const QRect h(columnLeft(c), HeaderTop, columnWidth(c), GridTop - HeaderTop);
        if (activeColumns.contains(c))
            fillVertical(p, h, QColor(255, 236, 190), colours::HeaderActive);
        else
            fillVertical(p, h, colours::HeaderFace, QColor(200, 214, 236));
        p.setPen(QColor(158, 182, 206));
        p.drawLine(h.right(), h.top(), h.right(), h.bottom());
        drawText(p, h, Qt::AlignCenter, QString(columnLetter(c, hidden)), colours::Text, uiFont(12));
        if (c > 0 && columnLetter(c, hidden).unicode() - columnLetter(c - 1, hidden).unicode() > 1)
            p.fillRect(h.left() - 1, h.top(), 2, h.height(), QColor(90, 110, 140));
    }
    for (int r = 0; r <= shown.rows; ++r) {
        const QRect h(0, rowTop(r), RowHeaderWidth, rowHeight(r));
        if (activeRows.contains(r))
            fillHorizontal(p, h, QColor(255, 236, 190), colours::HeaderActive);
        else
            fillHorizontal(p, h, colours::HeaderFace, QColor(210, 222, 240));
        p.setPen(QColor(158, 182, 206));
        p.drawLine(h.left(), h.bottom(), h.right(), h.bottom());
        drawText(p, h, Qt::AlignCenter, QString::number(r + 1), colours::Text, uiFont(12));
    }
    p.setPen(QColor(158, 182, 206));
    p.drawLine(0, GridTop - 1, shown.right, GridTop - 1);
    p.drawLine(RowHeaderWidth - 1, HeaderTop, RowHeaderWidth - 1, shown.bottom - 1);
}

void grid(QPainter& p)
{
    p.fillRect(QRect(RowHeaderWidth, GridTop, shown.right - RowHeaderWidth, shown.bottom - GridTop), Qt::white);
    p.setPen(colours::GridLine);
    for (int c = 1; c <= shown.columns; ++c) {
        const int x = columnLeft(c) - 1;
        p.drawLine(x, GridTop, x, shown.bottom - 1);
    }
    for (int r = 1; r <= shown.rows + 1; ++r) {
        const int y = rowTop(r) - 1;
        p.drawLine(RowHeaderWidth, y, shown.right - 1, y);
    }
}

QFont cellFont(const Cell& cell)
{
    QFont f = uiFont(cell.size > 0 ? cell.size : 12, cell.bold);
    if (!cell.face.isEmpty())
        f.setFamilies({cell.face, QStringLiteral("WenQuanYi Micro Hei")});
    return f;
}

// A cell's text; merged is the whole merged area when the cell heads one.
void cellText(QPainter& p, const QRect& r, const Cell& cell, const QString& shown, bool number,
              const std::optional<QRect>& merged)
{
    if (cell.fill.isValid())
        p.fillRect((merged ? *merged : r).adjusted(0, 0, -1, -1), cell.fill);
    const QColor ink = cell.ink.isValid() ? cell.ink : colours::Text;
    if (merged) {
        drawText(p, *merged, Qt::AlignCenter, shown, ink, cellFont(cell));
        return;
    }
    // Numbers stand right, error values in the middle; text may run on into the empty cells to
    // its right, as in the real program.
    const bool error = number && shown.startsWith(u'#');
    const int align = Qt::AlignVCenter | (error ? Qt::AlignHCenter : number ? Qt::AlignRight : Qt::AlignLeft);
    const QRect area = number ? r.adjusted(2, 0, -3, 0) : QRect(r.left() + 2, r.top(), 3 * ColumnWidth, r.height());
    drawText(p, area, align, shown, ink, cellFont(cell));
}

void commentMarker(QPainter& p, const QRect& cell)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0));
    p.drawPolygon(QPolygon({QPoint(cell.right() - 5, cell.top()), QPoint(cell.right() - 1, cell.top()),
                            QPoint(cell.right() - 1, cell.top() + 4)}));
}

void selection(QPainter& p, const View& view, const QMap<QString, Cell>& content, const std::optional<QRect>& activeArea)
{
    const QColor band(182, 202, 234, 150);
    for (const QChar c : view.wholeColumns.join(QString()))
        if (const auto top = cellRect(QString(c) + u'1'))
            p.fillRect(QRect(top->left(), GridTop, top->width() - 1, shown.bottom - GridTop), band);
    for (const int row : view.wholeRows)
        p.fillRect(QRect(RowHeaderWidth, rowTop(row - 1), shown.right - RowHeaderWidth, rowHeight(row - 1) - 1), band);
    // A cell of a whole column or row selected lies under that band already: a second layer
    // would wash its text out.
    for (const QString& a : view.alsoSelected)
        if (const auto r = cellRect(a); r && !view.wholeColumns.contains(a.left(1)) && !view.wholeRows.contains(a.mid(1).toInt()))
            p.fillRect(r->adjusted(0, 0, -1, -1), band);
    const auto active = activeArea;
    if (!active)
        return;
    if (view.editing) {
        const QString text = view.editorText.value_or(content.value(view.active).text);
        const QFontMetrics metrics(uiFont(12));
        const QRect box(active->left(), active->top(),
                        std::max(active->width(), metrics.horizontalAdvance(text) + 8), active->height());
        p.fillRect(box.adjusted(0, 0, -1, -1), Qt::white);
        if (!view.editSelection.isEmpty() && text.startsWith(view.editSelection))
            p.fillRect(active->left() + 2, active->top() + 2, metrics.horizontalAdvance(view.editSelection),
                       active->height() - 4, QColor(49, 106, 197));
        drawText(p, active->adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, text, colours::Text, uiFont(12));
        if (!view.editSelection.isEmpty() && text.startsWith(view.editSelection))
            drawText(p, active->adjusted(2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, view.editSelection, Qt::white,
                     uiFont(12));
        const int caretX = active->left() + 3 + metrics.horizontalAdvance(text);
        p.fillRect(caretX, active->top() + 2, 1, active->height() - 4, Qt::black);
    }
    if (view.alsoSelected.isEmpty()) {
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(Qt::NoBrush);
        p.drawRect(active->adjusted(0, 0, -1, -1));
        if (!view.editing) {
            p.fillRect(active->right() - 2, active->bottom() - 2, 5, 5, Qt::white);
            p.fillRect(active->right() - 1, active->bottom() - 1, 4, 4, Qt::black);
        }
    } else {
        outline(p, *active, Qt::black);
    }
}

void scrollBars(QPainter& p)
{
    const QRect vertical(ScrollLeft, HeaderTop, Width - ScrollLeft, GridBottom - HeaderTop);
    fillHorizontal(p, vertical, QColor(243, 241, 236), QColor(254, 254, 251));
    for (const QRect& b : {QRect(ScrollLeft, HeaderTop, 17, 17), QRect(ScrollLeft, GridBottom - 17, 17, 17),
                           QRect(ScrollLeft + 1, HeaderTop + 18, 15, 40)}) {
        fillHorizontal(p, b, QColor(202, 220, 252), QColor(180, 202, 245));
        outline(p, b, QColor(164, 185, 231));
    }
    dropArrow(p, QRect(ScrollLeft, GridBottom - 17, 17, 17), QColor(77, 97, 133));
    p.save();
    p.translate(ScrollLeft + 17, HeaderTop + 17);
    p.rotate(180);
    dropArrow(p, QRect(0, 0, 17, 17), QColor(77, 97, 133));
    p.restore();
}

void sheetTabs(QPainter& p, const QStringList& names, int activeSheet)
{
    const QRect bar(0, GridBottom, Width, bars::DrawingBarTop - GridBottom);
    fillVertical(p, bar, QColor(236, 233, 216), QColor(222, 218, 200));
    p.setPen(QColor(128, 128, 128));
    p.drawLine(0, GridBottom, Width, GridBottom);
    // The four buttons that scroll the row of tabs.
    for (int i = 0; i < 4; ++i) {
        const QRect b(2 + i * 15, GridBottom + 3, 14, 12);
        p.save();
        p.translate(b.center() + QPoint(1, 1));
        p.rotate(i < 2 ? 90 : -90);
        dropArrow(p, QRect(-7, -7, 14, 14), QColor(60, 60, 60));
        p.restore();
    }
    for (int i = static_cast<int>(names.size()) - 1; i >= 0; --i) {
        if (i == activeSheet)
            continue;
        const int left = TabsLeft + i * TabStep;
        const QPolygon tab({QPoint(left, GridBottom), QPoint(left + 8, GridBottom + 16),
                            QPoint(left + 56, GridBottom + 16), QPoint(left + 64, GridBottom)});
        p.setPen(QColor(90, 90, 90));
        p.setBrush(QColor(236, 233, 216));
        p.drawPolygon(tab);
        drawText(p, QRect(left + 8, GridBottom, 48, 16), Qt::AlignCenter, names[i], colours::Text, uiFont(12));
    }
    // The active tab stands in front of its neighbours.
    if (activeSheet >= 0 && activeSheet < names.size()) {
        const int left = TabsLeft + activeSheet * TabStep;
        p.setPen(QColor(90, 90, 90));
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygon({QPoint(left, GridBottom), QPoint(left + 8, GridBottom + 16), QPoint(left + 56, GridBottom + 16),
                                QPoint(left + 64, GridBottom)}));
        drawText(p, QRect(left + 4, GridBottom, 56, 16), Qt::AlignCenter, names[activeSheet], colours::Text,
                 uiFont(12, true));
    }
    const QRect hscroll(420, GridBottom + 1, ScrollLeft - 420, 16);
    fillVertical(p, hscroll, QColor(243, 241, 236), QColor(254, 254, 251));
    outline(p, QRect(420, GridBottom + 1, 17, 16), QColor(164, 185, 231));
    outline(p, QRect(ScrollLeft - 17, GridBottom + 1, 17, 16), QColor(164, 185, 231));
}

void statusBar(QPainter& p, bool editing)
{
    const QRect bar(0, StatusTop, Width, Height - StatusTop);
    fillVertical(p, bar, QColor(196, 218, 250), QColor(158, 190, 245));
    p.setPen(QColor(106, 140, 203));
    p.drawLine(0, StatusTop, Width, StatusTop);
    drawText(p, bar.adjusted(6, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
             editing ? QStringLiteral("编辑") : QStringLiteral("就绪"), colours::Text, uiFont(12));
    drawText(p, QRect(680, StatusTop, 100, Height - StatusTop), Qt::AlignVCenter | Qt::AlignLeft,
             QStringLiteral("数字"), colours::Text, uiFont(12));
}

} // namespace

bars::Boxes toolBoxes(const View& view)
{
    bars::Boxes boxes;
    boxes.zoom = QStringLiteral("%1%").arg(view.zoom);
    const Cell active = view.cells.value(view.active);
    if (!active.face.isEmpty())
        boxes.font = active.face;
    // The size box reads points; the sheet draws pixels at 96 dots an inch.
    if (active.size > 0)
        boxes.size = QString::number(qRound(active.size * 72 / 96.0));
    return boxes;
}

int barPanels(const View& view)
{
    // The toolbar panel is one fixed picture with the boxes as a sheet opens: where the state's
    // boxes read otherwise, the background shows both rows and the panel stays hidden.
    const bool panel = view.formatBar && toolBoxes(view) == bars::Boxes();
    return 1 + (panel ? 2 : 0) + (view.drawingBar ? 4 : 0);
}

QRect nameBoxRect() { return QRect(2, FormulaTop + 2, 100, 16); }

QRect columnHeaderRect(QChar column)
{
    return QRect(RowHeaderWidth + (column.unicode() - u'A') * ColumnWidth, HeaderTop, ColumnWidth, GridTop - HeaderTop);
}

QRect rowHeaderRect(int row) { return QRect(0, GridTop + (row - 1) * RowHeight, RowHeaderWidth, RowHeight); }

// The tabs are trapezoids; the hot part is the text between the slopes.
QRect sheetTabRect(int sheet) { return QRect(TabsLeft + (sheet - 1) * TabStep + 8, GridBottom, 48, 16); }

std::optional<QRect> cellRect(QStringView address)
{
    const auto a = parse(address);
    if (!a)
        return std::nullopt;
    return cellAt(a->column, a->row);
}

QImage window(const View& view)
{
    const DrawnSizes sizes(view);
    const ZoomedExtent extent(view.zoom);
    QImage image = canvas(Width, Height, Qt::white);
    QPainter p(&image);
    QMap<QString, Cell> content = view.cells;
    for (const auto& [address, text] : view.entries)
        content[address].text = text;
    // The merged areas: the first cell holds the text, the others are covered.
    QMap<QString, QRect> mergedAt;
    QStringList covered;
    for (const QString& range : view.merged) {
        const QStringList cells = cellsOf(range);
        if (cells.isEmpty())
            continue;
        QRect area;
        for (const QString& c : cells)
            area = area.united(*cellRect(c));
        mergedAt[cells.first()] = area;
        covered << cells.mid(1);
    }
    const auto areaOf = [&](const QString& address) -> std::optional<QRect> {
        if (mergedAt.contains(address))
            return mergedAt[address];
        return cellRect(address);
    };

    titleBar(p, view.title);
    fillHorizontal(p, QRect(0, TitleHeight, Width, FormulaTop - TitleHeight), colours::DockLeft, colours::DockRight);
    p.drawImage(0, bars::MenuBarTop, bars::menuBar());
    // Without the formatting row the standard row stands alone on the dock.
    const QImage toolBars = bars::toolBars(toolBoxes(view));
    p.drawImage(0, bars::ToolBarsTop, view.formatBar ? toolBars : toolBars.copy(0, 0, Width, bars::ToolBarsHeight / 2));
    if (view.formulaBar)
        formulaBar(p, view, view.editing && view.editorText ? *view.editorText : content.value(view.active).text);
    else
        fillHorizontal(p, QRect(0, FormulaTop, Width, HeaderTop - FormulaTop), colours::DockLeft, colours::DockRight);

    // The sheet's area, headers included, drawn at the zoom: what lies beyond the design's
    // columns and rows comes into it.
    p.save();
    p.setClipRect(QRect(0, HeaderTop, ScrollLeft, GridBottom - HeaderTop));
    if (view.zoom > 0 && view.zoom < 100) {
        p.translate(0, HeaderTop);
        p.scale(view.zoom / 100.0, view.zoom / 100.0);
        p.translate(0, -HeaderTop);
    }
    grid(p);
    for (auto it = mergedAt.cbegin(); it != mergedAt.cend(); ++it)
        p.fillRect(it.value().adjusted(0, 0, -1, -1), Qt::white);
    for (auto it = content.cbegin(); it != content.cend(); ++it)
        if (const auto r = cellRect(it.key()); r && !covered.contains(it.key()) && !(view.editing && it.key() == view.active)) {
            const auto merged = mergedAt.contains(it.key()) ? std::optional<QRect>(mergedAt[it.key()]) : std::nullopt;
            cellText(p, *r, it.value(), shownText(content, it.key()), isNumber(content, it.key()), merged);
        }
    for (const QString& c : view.comments)
        if (const auto r = cellRect(c))
            commentMarker(p, *r);
    if (view.autoFilter)
        for (const QString& c : cellsOf(u"A2:E2")) {
            const QRect r = *cellRect(c);
            const QRect arrow(r.right() - 14, r.top() + 1, 14, r.height() - 3);
            fillVertical(p, arrow, QColor(243, 243, 239), QColor(214, 214, 206));
            outline(p, arrow, QColor(150, 150, 150));
            dropArrow(p, arrow);
        }
    if (!view.frozenAt.isEmpty())
        if (const auto r = cellRect(view.frozenAt)) {
            p.fillRect(QRect(RowHeaderWidth, r->top() - 1, shown.right - RowHeaderWidth, 1), Qt::black);
            p.fillRect(QRect(r->left() - 1, GridTop, 1, shown.bottom - GridTop), Qt::black);
        }
    if (view.chart)
        p.drawImage(*view.chart, chart(view.lineChart));
    if (view.noteAt)
        p.drawImage(*view.noteAt, commentNote(QStringLiteral("教师"), view.noteText));
    selection(p, view, content, areaOf(view.active));
    if (!view.copied.isEmpty()) {
        QRect area;
        for (const QString& c : cellsOf(view.copied))
            area = area.united(*cellRect(c));
        // The moving border of a copy, caught at one moment.
        p.setPen(QPen(Qt::black, 2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(area.adjusted(1, 1, -1, -1));
    }
    headers(p, QStringList(view.alsoSelected) << view.active, view.hiddenColumns);
    p.restore();
    scrollBars(p);
    sheetTabs(p, view.sheetNames, view.activeSheet);
    if (view.drawingBar)
        p.drawImage(0, bars::DrawingBarTop, bars::drawingBar());
    else
        fillVertical(p, QRect(0, bars::DrawingBarTop, Width, StatusTop - bars::DrawingBarTop), QColor(236, 233, 216),
                     QColor(222, 218, 200));
    statusBar(p, view.editing);
    return image;
}

QImage chart(bool lines)
{
    QImage image = canvas(200, 130, Qt::white);
    QPainter p(&image);
    outline(p, image.rect(), Qt::black);
    drawText(p, QRect(0, 4, 200, 16), Qt::AlignCenter, QStringLiteral("成绩图表"), colours::Text, uiFont(12, true));
    const QColor series[] = {QColor(153, 153, 255), QColor(153, 51, 102), QColor(255, 204, 0)};
    const int marks[5][3] = {{86, 92, 78}, {90, 85, 88}, {78, 95, 91}, {88, 76, 84}, {95, 89, 93}};
    p.setPen(QColor(128, 128, 128));
    p.drawLine(20, 110, 190, 110);
    if (lines) {
        p.setRenderHint(QPainter::Antialiasing, true);
        for (int k = 0; k < 3; ++k) {
            QPolygonF line;
            for (int r = 0; r < 5; ++r)
                line << QPointF(36 + r * 33, 110 - (marks[r][k] - 60) * 2);
            p.setPen(QPen(series[k].darker(120), 2));
            p.drawPolyline(line);
            p.setBrush(series[k]);
            for (const QPointF& pt : line)
                p.drawRect(QRectF(pt.x() - 2.5, pt.y() - 2.5, 5, 5));
        }
        return image;
    }
    for (int r = 0; r < 5; ++r)
        for (int k = 0; k < 3; ++k) {
            const int h = (marks[r][k] - 60) * 2;
            const QRect bar(26 + r * 33 + k * 9, 110 - h, 8, h);
            p.fillRect(bar, k == 2 ? QColor(255, 255, 204) : series[k]);
            outline(p, bar, Qt::black);
        }
    return image;
}

QMap<QString, Cell> sampleCells()
{
    const auto entry = [](const QString& text, bool bold = false) {
        Cell c;
        c.text = text;
        c.bold = bold;
        return c;
    };
    QMap<QString, Cell> c;
    c[QStringLiteral("A1")] = entry(QStringLiteral("学生成绩表"), true);
    const QStringList heads = {QStringLiteral("姓名"), QStringLiteral("语文"), QStringLiteral("数学"),
                               QStringLiteral("英语"), QStringLiteral("总分")};
    for (int i = 0; i < heads.size(); ++i)
        c[QString(QChar(u'A' + i)) + u'2'] = entry(heads[i], true);
    struct Row {
        const char16_t* name;
        int marks[3];
    };
    static constexpr Row rows[] = {
        {u"张明", {86, 92, 78}}, {u"李华", {90, 85, 88}}, {u"王芳", {78, 95, 91}},
        {u"赵强", {88, 76, 84}}, {u"陈静", {95, 89, 93}},
    };
    for (int r = 0; r < 5; ++r) {
        const QString row = QString::number(r + 3);
        c[QStringLiteral("A") + row] = entry(QString::fromUtf16(rows[r].name));
        int total = 0;
        for (int k = 0; k < 3; ++k) {
            c[QString(QChar(u'B' + k)) + row] = entry(QString::number(rows[r].marks[k]));
            total += rows[r].marks[k];
        }
        c[QStringLiteral("E") + row] = entry(QString::number(total));
    }
    c[QStringLiteral("A8")] = entry(QStringLiteral("平均分"), true);
    for (int k = 0; k < 4; ++k) {
        const QString column(QChar(u'B' + k));
        c[column + u'8'] = entry(QStringLiteral("=AVERAGE(%1:%2)").arg(column + u'3', column + u'7'));
    }
    return c;
}

QString shownText(const QMap<QString, Cell>& cells, const QString& address)
{
    const QString text = cells.value(address).text;
    if (!text.startsWith(u'='))
        return text;
    const auto v = evaluate(cells, text);
    if (!v)
        return text;
    // A division by nothing gives no number; what depends on it shows the same error.
    if (std::isnan(*v))
        return QStringLiteral("#DIV/0!");
    return *v == std::floor(*v) ? QString::number(*v, 'f', 0) : QString::number(*v, 'f', 1);
}

QImage commentNote(const QString& author, const QString& text)
{
    QImage image = canvas(164, 60);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(QPointF(0, CommentAnchorY), QPointF(14, 3));
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect note(14, 0, 148, 58);
    p.fillRect(note, QColor(255, 255, 225));
    outline(p, note, Qt::black);
    drawText(p, note.adjusted(5, 3, -4, 0), Qt::AlignTop | Qt::AlignLeft, author + u':', colours::Text, uiFont(12, true));
    drawText(p, note.adjusted(5, 20, -4, -3), Qt::AlignTop | Qt::AlignLeft | Qt::TextWordWrap, text, colours::Text,
             uiFont(12));
    return image;
}

} // namespace samplegen::sheet

#include "model.h"

#include "bars.h"
#include "panels.h"

#include <QRegularExpression>

#include <algorithm>
#include <functional>

namespace samplegen::model {

namespace {

using Kind = Change::Kind;

QString address(QChar column, int row) { return QString(column) + QString::number(row); }
QChar columnOf(const QString& cell) { return cell.at(0); }
int rowOf(const QString& cell) { return QStringView(cell).mid(1).toInt(); }

// The sheet's cells that the tasks reach: A-L, rows 1-23.
constexpr char16_t LastColumn = u'L';
constexpr int LastRow = 23;

QString firstOf(const QString& range) { return range.section(u':', 0, 0); }
QString lastOf(const QString& range) { return range.contains(u':') ? range.section(u':', 1, 1) : range; }

QString colourName(const QColor& c) { return c.isValid() ? c.name() : QString(); }

bool allCells(const State& s, const QString& range, const std::function<bool(const sheet::Cell&)>& pred)
{
    for (const QString& c : cellsOf(range))
        if (!pred(s.view.cells.value(c)))
            return false;
    return true;
}

// Every cell of the range changed by f, as one change of the given kind.
std::vector<Change> format(State& s, Kind kind, const QString& what, const std::function<void(sheet::Cell&)>& f)
{
    for (const QString& c : cellsOf(s.range))
        f(s.view.cells[c]);
    return {{kind, s.range, what}};
}

// A formula's cell references moved as the cells they name move (a row inserted, a column
// taken out), so that it keeps giving the value it gave.
QString moveReferences(const QString& text, const std::function<QString(QChar, int)>& to)
{
    if (!text.startsWith(u'='))
        return text;
    static const QRegularExpression reference(QStringLiteral("\\b([A-L])(\\d+)\\b"));
    QString out;
    qsizetype last = 0;
    for (auto it = reference.globalMatch(text); it.hasNext();) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last) + to(m.captured(1).at(0), m.captured(2).toInt());
        last = m.capturedEnd();
    }
    return out + text.mid(last);
}

// The cells moved by an insertion or a removal: where each goes (nothing: it goes away).
void moveCells(State& s, const std::function<std::optional<QString>(QChar, int)>& to)
{
    QMap<QString, sheet::Cell> moved;
    for (auto it = s.view.cells.cbegin(); it != s.view.cells.cend(); ++it)
        if (const auto at = to(columnOf(it.key()), rowOf(it.key()))) {
            sheet::Cell c = it.value();
            c.text = moveReferences(c.text, [&](QChar col, int row) { return to(col, row).value_or(address(col, row)); });
            moved[*at] = c;
        }
    s.view.cells = moved;
    QStringList comments;
    for (const QString& c : s.view.comments)
        if (const auto at = to(columnOf(c), rowOf(c)))
            comments << *at;
    s.view.comments = comments;
}

} // namespace

int Dialog::fieldAt(const QRect& px) const
{
    for (std::size_t i = 0; i < fields.size(); ++i)
        if (on(fields[i].second) == px)
            return static_cast<int>(i);
    return -1;
}

namespace {

// Everything a state draws that a step may name, from the top down.
std::vector<std::pair<QString, QRect>> things(const State& s)
{
    std::vector<std::pair<QString, QRect>> out;
    if (s.dialog) {
        for (const auto& [caption, r] : s.dialog->buttons)
            out.emplace_back(QStringLiteral("button ") + caption, s.dialog->on(r));
        for (std::size_t i = 0; i < s.dialog->fields.size(); ++i)
            out.emplace_back(QStringLiteral("field %1").arg(i), s.dialog->on(s.dialog->fields[i].second));
        out.emplace_back(QStringLiteral("dialog"), QRect(s.dialog->pos, s.dialog->size));
    }
    if (s.formatDialog) {
        const QPoint at(panels::DialogLeft, panels::DialogTop);
        out.emplace_back(QStringLiteral("format ok"), panels::dialogOkButton().translated(at));
        out.emplace_back(QStringLiteral("format merge"), panels::mergeBox().translated(at));
        out.emplace_back(QStringLiteral("format dialog"), QRect(at, QSize(panels::DialogWidth, panels::DialogHeight)));
    }
    if (s.view.chart) {
        static const QSize chartSize = sheet::chart().size();
        out.emplace_back(QStringLiteral("chart"), QRect(*s.view.chart, chartSize));
    }
    out.emplace_back(QStringLiteral("name box"), sheet::nameBoxRect());
    out.emplace_back(QStringLiteral("toolbar dock"), bars::toolBarsDock(s.view.formatBar));
    for (char16_t c = u'A'; c <= LastColumn; ++c)
        out.emplace_back(QStringLiteral("column ") + QChar(c), sheet::columnHeaderRect(QChar(c)));
    for (int row = 1; row <= LastRow; ++row)
        out.emplace_back(QStringLiteral("row %1").arg(row), sheet::rowHeaderRect(row));
    for (int tab = 1; tab <= s.view.sheetNames.size(); ++tab)
        out.emplace_back(QStringLiteral("tab %1").arg(tab), sheet::sheetTabRect(tab));
    for (char16_t c = u'A'; c <= LastColumn; ++c)
        for (int row = 1; row <= LastRow; ++row) {
            const QString address = QChar(c) + QString::number(row);
            out.emplace_back(address, *sheet::cellRect(address));
        }
    return out;
}

} // namespace

std::optional<QString> thingAt(const State& s, QPoint px)
{
    for (const auto& [name, r] : things(s))
        if (r.contains(px))
            return name;
    return std::nullopt;
}

std::optional<QRect> areaOf(const State& s, const QString& thing)
{
    for (const auto& [name, r] : things(s))
        if (name == thing)
            return r;
    return std::nullopt;
}

std::optional<QString> cellAt(const QRect& px)
{
    for (char16_t c = u'A'; c <= LastColumn; ++c)
        for (int row = 1; row <= LastRow; ++row)
            if (sheet::cellRect(address(QChar(c), row)) == px)
                return address(QChar(c), row);
    return std::nullopt;
}

QStringList cellsOf(const QString& range)
{
    if (range.size() < 2)
        return {};
    const QString a = firstOf(range);
    const QString b = lastOf(range);
    QStringList out;
    for (int row = rowOf(a); row <= rowOf(b); ++row)
        for (char16_t c = columnOf(a).unicode(); c <= columnOf(b).unicode(); ++c)
            out << address(QChar(c), row);
    return out;
}

bool shows(const State& s, const Change& c)
{
    const sheet::View& v = s.view;
    switch (c.kind) {
    case Kind::Active: return v.active == c.where;
    case Kind::Selected: {
        const QStringList cells = cellsOf(c.where);
        return std::all_of(cells.begin(), cells.end(),
                           [&](const QString& a) { return a == v.active || v.alsoSelected.contains(a); });
    }
    case Kind::CellText: return v.cells.value(c.where).text == c.what;
    case Kind::Editing: return v.editing && v.active == c.where;
    case Kind::TextSelected: return v.editing && v.active == c.where && v.editSelection == c.what;
    case Kind::Bold: return allCells(s, c.where, [&](const sheet::Cell& x) { return x.bold == (c.what == u"1"); });
    case Kind::Fill: return allCells(s, c.where, [&](const sheet::Cell& x) { return colourName(x.fill) == c.what; });
    case Kind::Ink: return allCells(s, c.where, [&](const sheet::Cell& x) { return colourName(x.ink) == c.what; });
    case Kind::Face: return v.cells.value(c.where).face == c.what;
    case Kind::Size: return QString::number(v.cells.value(c.where).size) == c.what;
    case Kind::Merged: return v.merged.contains(c.where);
    case Kind::RowInserted: {
        const int row = c.where.toInt();
        return v.cells.value(address(u'A', row)).text.isEmpty() && v.cells.value(address(u'A', row + 1)).text == c.what;
    }
    case Kind::ColumnDeleted: return v.cells.value(c.where + u'2').text == c.what;
    case Kind::ColumnHidden: return v.hiddenColumns.contains(c.where);
    case Kind::Copied: return v.copied == c.where;
    case Kind::ChartAt: return v.chart && QStringLiteral("%1,%2").arg(v.chart->x()).arg(v.chart->y()) == c.what;
    case Kind::ChartLines: return v.chart && v.lineChart;
    case Kind::RowHeight: return QString::number(v.rowHeights.value(c.where.toInt())) == c.what;
    case Kind::ColumnWidth: return QString::number(v.columnWidths.value(c.where.at(0))) == c.what;
    case Kind::NoteAt: return v.noteAt && QStringLiteral("%1,%2").arg(v.noteAt->x()).arg(v.noteAt->y()) == c.what;
    case Kind::SheetNames: return v.sheetNames.join(u',') == c.what;
    case Kind::Title: return v.title == c.what;
    case Kind::FieldText: {
        if (!s.dialog || s.dialog->key != c.where.section(u':', 0, 0))
            return false;
        const auto it = s.dialog->values.find(c.where.section(u':', 1, 1).toInt());
        return it != s.dialog->values.end() && it->second == c.what;
    }
    case Kind::Ticked: return s.formatDialog && s.mergeTicked;
    case Kind::DialogShown: return c.where == u"format" ? s.formatDialog : s.dialog && s.dialog->key == c.where;
    case Kind::DialogClosed: return !s.dialog && !s.formatDialog;
    case Kind::FormulaBar: return v.formulaBar == (c.what == u"1");
    case Kind::FormatBar: return v.formatBar == (c.what == u"1");
    case Kind::DrawingBar: return v.drawingBar == (c.what == u"1");
    case Kind::AutoFilter: return v.autoFilter;
    case Kind::Frozen: return v.frozenAt == c.where;
    case Kind::Zoom: return QString::number(v.zoom) == c.what;
    case Kind::Comment: return v.comments.contains(c.where);
    case Kind::Stays: return !c.what.isEmpty();
    }
    return false;
}

QString describe(const Change& c)
{
    static const char* const names[] = {"active", "selected", "cell text", "editing", "text selected", "bold",
                                        "fill", "ink", "face", "size", "merged", "row inserted", "column deleted",
                                        "column hidden", "copied", "chart at", "chart lines", "row height", "column width", "note at", "sheet names", "title", "field text",
                                        "ticked", "dialog shown", "dialog closed", "formula bar", "format bar",
                                        "drawing bar", "auto filter", "frozen", "zoom", "comment", "stays"};
    return QStringLiteral("%1 %2 %3").arg(QString::fromLatin1(names[static_cast<int>(c.kind)]), c.where, c.what);
}

std::vector<Change> activate(State& s, const QString& cell)
{
    s.view.active = cell;
    s.view.alsoSelected.clear();
    s.view.wholeColumns.clear();
    s.view.wholeRows.clear();
    s.view.editing = false;
    s.view.editSelection.clear();
    s.view.editorText.reset();
    s.range = cell;
    return {{Kind::Active, cell, {}}};
}

std::vector<Change> select(State& s, const QString& from, const QString& to, bool addToSelection)
{
    QStringList keep;
    if (addToSelection)
        keep = QStringList(s.view.alsoSelected) << s.view.active;
    activate(s, from);
    const QString range = from == to ? from : from + u':' + to;
    for (const QString& c : cellsOf(range))
        if (c != from)
            s.view.alsoSelected << c;
    for (const QString& c : keep)
        if (!s.view.alsoSelected.contains(c) && c != from)
            s.view.alsoSelected << c;
    s.range = range;
    std::vector<Change> out{{Kind::Selected, range, {}}};
    for (const QString& c : keep)
        out.push_back({Kind::Selected, c, {}});
    return out;
}

std::vector<Change> selectColumn(State& s, QChar column)
{
    select(s, address(column, 1), address(column, LastRow));
    s.view.wholeColumns = {QString(column)};
    return {{Kind::Selected, address(column, 1) + u':' + address(column, LastRow), {}}};
}

std::vector<Change> selectRow(State& s, int row)
{
    select(s, address(u'A', row), address(LastColumn, row));
    s.view.wholeRows = {row};
    return {{Kind::Selected, address(u'A', row) + u':' + address(LastColumn, row), {}}};
}

std::vector<Change> edit(State& s, const QString& cell)
{
    activate(s, cell);
    s.view.editing = true;
    return {{Kind::Editing, cell, {}}};
}

std::vector<Change> setText(State& s, const QString& cell, const QString& text)
{
    s.view.cells[cell].text = text;
    if (cell == s.view.active)
        s.view.editorText.reset();
    return {{Kind::CellText, cell, text}};
}

std::vector<Change> startTyping(State& s, const QString& cell)
{
    auto changes = edit(s, cell);
    s.view.editorText = QString();
    return changes;
}

std::vector<Change> selectText(State& s, const QString& cell, const QString& part)
{
    edit(s, cell);
    s.view.editSelection = part;
    return {{Kind::TextSelected, cell, part}};
}

std::vector<Change> typeIntoField(State& s, int field, const QString& text)
{
    if (!s.dialog || field < 0)
        return {};
    s.dialog->values[field] = text;
    return {{Kind::FieldText, s.dialog->key + u':' + QString::number(field), text}};
}

std::vector<Change> showDialog(State& s, const Dialog& d)
{
    s.dialog = d;
    return {{Kind::DialogShown, d.key, {}}};
}

std::vector<Change> closeDialog(State& s)
{
    s.dialog.reset();
    s.formatDialog = false;
    s.mergeTicked = false;
    return {{Kind::DialogClosed, {}, {}}};
}

std::vector<Change> copy(State& s, bool cut)
{
    s.clipboard = s.range;
    s.cut = cut;
    s.view.copied = s.range;
    return {{Kind::Copied, s.range, {}}};
}

std::vector<Change> paste(State& s)
{
    const QStringList from = cellsOf(s.clipboard);
    const QString at = s.view.active;
    const int dc = columnOf(at).unicode() - columnOf(firstOf(s.clipboard)).unicode();
    const int dr = rowOf(at) - rowOf(firstOf(s.clipboard));
    const QMap<QString, sheet::Cell> before = s.view.cells;
    std::vector<Change> out;
    if (s.cut)
        for (const QString& c : from)
            s.view.cells.remove(c);
    for (const QString& c : from) {
        const QString to = address(QChar(columnOf(c).unicode() + dc), rowOf(c) + dr);
        // A moved formula keeps its value: the sample's moved cells are taken as values.
        sheet::Cell cell = before.value(c);
        cell.text = sheet::shownText(before, c);
        s.view.cells[to] = cell;
        out.push_back({Kind::CellText, to, cell.text});
    }
    if (s.cut)
        for (const QString& c : from)
            if (!s.view.cells.contains(c))
                out.push_back({Kind::CellText, c, {}});
    const QString last = address(QChar(columnOf(lastOf(s.clipboard)).unicode() + dc), rowOf(lastOf(s.clipboard)) + dr);
    for (const Change& c : select(s, at, last))
        out.push_back(c);
    if (s.cut) {
        s.clipboard.clear();
        s.view.copied.clear();
    } else {
        // After a paste the copied range keeps its moving border.
        s.view.copied = s.clipboard;
    }
    return out;
}

std::vector<Change> clear(State& s)
{
    std::vector<Change> out;
    for (const QString& c : cellsOf(s.range)) {
        s.view.cells[c].text.clear();
        out.push_back({Kind::CellText, c, {}});
    }
    return out;
}

std::vector<Change> clearFormats(State& s)
{
    // Only the formats go: the texts stay. An empty brace would pick QColor's assignment from
    // Qt::GlobalColor (color0, white), so the colours are reset by name.
    return format(s, Kind::Bold, QStringLiteral("0"), [](sheet::Cell& c) {
        c.bold = false;
        c.fill = QColor();
        c.ink = QColor();
        c.face.clear();
        c.size = 0;
    });
}

std::vector<Change> fillDown(State& s)
{
    const QString first = firstOf(s.range);
    const QString last = lastOf(s.range);
    std::vector<Change> out;
    for (char16_t col = columnOf(first).unicode(); col <= columnOf(last).unicode(); ++col) {
        const sheet::Cell top = s.view.cells.value(address(QChar(col), rowOf(first)));
        for (int row = rowOf(first) + 1; row <= rowOf(last); ++row) {
            s.view.cells[address(QChar(col), row)] = top;
            out.push_back({Kind::CellText, address(QChar(col), row), top.text});
        }
    }
    return out;
}

std::vector<Change> merge(State& s)
{
    s.view.merged << s.range;
    // The merged cell is active and alone selected.
    const QString range = s.range;
    activate(s, firstOf(range));
    s.range = range;
    return {{Kind::Merged, range, {}}};
}

std::vector<Change> bold(State& s, bool on)
{
    return format(s, Kind::Bold, on ? QStringLiteral("1") : QStringLiteral("0"), [on](sheet::Cell& c) { c.bold = on; });
}

std::vector<Change> fill(State& s, const QColor& colour)
{
    return format(s, Kind::Fill, colour.name(), [colour](sheet::Cell& c) { c.fill = colour; });
}

std::vector<Change> ink(State& s, const QColor& colour)
{
    return format(s, Kind::Ink, colour.name(), [colour](sheet::Cell& c) { c.ink = colour; });
}

std::vector<Change> face(State& s, const QString& face)
{
    s.view.cells[s.view.active].face = face;
    return {{Kind::Face, s.view.active, face}};
}

std::vector<Change> size(State& s, int pixels)
{
    s.view.cells[s.view.active].size = pixels;
    std::vector<Change> out{{Kind::Size, s.view.active, QString::number(pixels)}};
    // The row's height follows its largest font, with the margin the sheet's 12-pixel font has
    // in its 17-pixel rows.
    const int row = rowOf(s.view.active);
    const int needed = pixels + 6;
    if (needed > s.view.rowHeights.value(row, 17)) {
        s.view.rowHeights[row] = needed;
        out.push_back({Kind::RowHeight, QString::number(row), QString::number(needed)});
    }
    return out;
}

std::vector<Change> insertRow(State& s, int row)
{
    const QString firstText = s.view.cells.value(address(u'A', row)).text;
    moveCells(s, [row](QChar c, int r) -> std::optional<QString> { return address(c, r >= row ? r + 1 : r); });
    return {{Kind::RowInserted, QString::number(row), firstText}};
}

std::vector<Change> insertCell(State& s, const QString& cell)
{
    const QChar column = columnOf(cell);
    const int row = rowOf(cell);
    const QString below = s.view.cells.value(cell).text;
    moveCells(s, [column, row](QChar c, int r) -> std::optional<QString> {
        return address(c, c == column && r >= row ? r + 1 : r);
    });
    return {{Kind::CellText, cell, {}}, {Kind::CellText, address(column, row + 1), below}};
}

// The columns right of a removed one move one to the left.
std::function<std::optional<QString>(QChar, int)> closingUp(QChar column)
{
    return [column](QChar c, int r) -> std::optional<QString> {
        if (c == column)
            return std::nullopt;
        return address(c > column ? QChar(c.unicode() - 1) : c, r);
    };
}

std::vector<Change> deleteColumn(State& s, QChar column)
{
    const QString heading = s.view.cells.value(address(QChar(column.unicode() + 1), 2)).text;
    moveCells(s, closingUp(column));
    return {{Kind::ColumnDeleted, QString(column), heading}};
}

std::vector<Change> hideColumn(State& s, QChar column)
{
    // The drawn columns close up over the hidden one; its letter leaves the headers.
    moveCells(s, closingUp(column));
    s.view.hiddenColumns += column;
    return {{Kind::ColumnHidden, QString(column), {}}};
}

std::vector<Change> moveChart(State& s, QPoint topLeft)
{
    s.view.chart = topLeft;
    return {{Kind::ChartAt, {}, QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())}};
}

std::vector<Change> lineChart(State& s)
{
    s.view.lineChart = true;
    return {{Kind::ChartLines, {}, {}}};
}

std::vector<Change> rowHeight(State& s, int row, int points)
{
    const int pixels = (points * 96 + 36) / 72;
    s.view.rowHeights[row] = pixels;
    return {{Kind::RowHeight, QString::number(row), QString::number(pixels)}};
}

std::vector<Change> columnWidth(State& s, QChar column, int characters)
{
    // The sheet's 64-pixel columns hold 8.43 characters of its font: 7 pixels a character and 5
    // of margin.
    const int pixels = characters * 7 + 5;
    s.view.columnWidths[column] = pixels;
    return {{Kind::ColumnWidth, QString(column), QString::number(pixels)}};
}

std::vector<Change> showNote(State& s, QPoint topLeft, const QString& text)
{
    s.view.noteAt = topLeft;
    s.view.noteText = text;
    return {{Kind::NoteAt, {}, QStringLiteral("%1,%2").arg(topLeft.x()).arg(topLeft.y())}};
}

std::vector<Change> sheetNames(State& s, const QStringList& names, int active)
{
    s.view.sheetNames = names;
    s.view.activeSheet = active;
    return {{Kind::SheetNames, {}, names.join(u',')}};
}

std::vector<Change> newBook(State& s, const QString& book)
{
    s.view = sheet::View{};
    s.view.cells.clear();
    s.view.comments.clear();
    s.view.title = book;
    s.range = s.view.active;
    return {{Kind::Title, {}, book}, {Kind::CellText, QStringLiteral("A1"), {}}};
}

std::vector<Change> title(State& s, const QString& book)
{
    s.view.title = book;
    return {{Kind::Title, {}, book}};
}

std::vector<Change> formulaBar(State& s, bool shown)
{
    s.view.formulaBar = shown;
    return {{Kind::FormulaBar, {}, shown ? QStringLiteral("1") : QStringLiteral("0")}};
}

std::vector<Change> formatBar(State& s, bool shown)
{
    s.view.formatBar = shown;
    return {{Kind::FormatBar, {}, shown ? QStringLiteral("1") : QStringLiteral("0")}};
}

std::vector<Change> drawingBar(State& s, bool shown)
{
    s.view.drawingBar = shown;
    return {{Kind::DrawingBar, {}, shown ? QStringLiteral("1") : QStringLiteral("0")}};
}

std::vector<Change> autoFilter(State& s)
{
    s.view.autoFilter = true;
    return {{Kind::AutoFilter, {}, {}}};
}

std::vector<Change> freeze(State& s)
{
    s.view.frozenAt = s.view.active;
    return {{Kind::Frozen, s.view.active, {}}};
}

std::vector<Change> zoom(State& s, int percent)
{
    s.view.zoom = percent;
    return {{Kind::Zoom, {}, QString::number(percent)}};
}

std::vector<Change> comment(State& s, const QString& cell)
{
    if (!s.view.comments.contains(cell))
        s.view.comments << cell;
    return {{Kind::Comment, cell, {}}};
}

std::vector<Change> sortDescending(State& s, QChar byColumn, int firstRow, int lastRow)
{
    struct Row {
        QMap<QChar, sheet::Cell> cells;
        double key;
    };
    std::vector<Row> rows;
    for (int r = firstRow; r <= lastRow; ++r) {
        Row row;
        for (char16_t c = u'A'; c <= LastColumn; ++c)
            if (s.view.cells.contains(address(QChar(c), r)))
                row.cells[QChar(c)] = s.view.cells.value(address(QChar(c), r));
        row.key = sheet::shownText(s.view.cells, address(byColumn, r)).toDouble();
        rows.push_back(row);
    }
    std::stable_sort(rows.begin(), rows.end(), [](const Row& a, const Row& b) { return a.key > b.key; });
    std::vector<Change> out;
    for (int r = firstRow; r <= lastRow; ++r) {
        const Row& row = rows[static_cast<std::size_t>(r - firstRow)];
        for (auto it = row.cells.cbegin(); it != row.cells.cend(); ++it)
            s.view.cells[address(it.key(), r)] = it.value();
        out.push_back({Kind::CellText, address(u'A', r), row.cells.value(u'A').text});
    }
    return out;
}

std::vector<Change> openFormatDialog(State& s)
{
    s.formatDialog = true;
    s.mergeTicked = false;
    return {{Kind::DialogShown, QStringLiteral("format"), {}}};
}

std::vector<Change> tickMerge(State& s)
{
    s.mergeTicked = true;
    return {{Kind::Ticked, {}, {}}};
}

std::vector<Change> stays(const QString& why) { return {{Kind::Stays, {}, why}}; }

} // namespace samplegen::model

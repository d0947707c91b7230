#include "platform/web_page.h"

#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <vector>

namespace platform {

namespace {

bool isTagSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f'; }

bool holdsNothing(QStringView name)
{
    return name == u"img" || name == u"br" || name == u"hr" || name == u"meta";
}

// The elements a new element of this name may stand in; empty when it may stand anywhere.
std::vector<QStringView> contextsOf(QStringView name)
{
    if (name == u"td" || name == u"th")
        return {u"tr"};
    if (name == u"tr")
        return {u"table", u"thead", u"tbody", u"tfoot"};
    if (name == u"thead" || name == u"tbody" || name == u"tfoot" || name == u"caption")
        return {u"table"};
    if (name == u"dd")
        return {u"dt", u"dl"};
    if (name == u"dt")
        return {u"dl"};
    return {};
}

bool endsRun(QStringView name)
{
    static const QStringList blocks = {
        QStringLiteral("br"), QStringLiteral("p"), QStringLiteral("div"), QStringLiteral("td"), QStringLiteral("th"),
        QStringLiteral("tr"), QStringLiteral("li"), QStringLiteral("dt"), QStringLiteral("dd"), QStringLiteral("table"),
        QStringLiteral("h1"), QStringLiteral("h2"), QStringLiteral("h3"), QStringLiteral("h4"), QStringLiteral("h5"),
        QStringLiteral("h6"), QStringLiteral("hr"), QStringLiteral("blockquote"), QStringLiteral("ul"), QStringLiteral("ol"),
        QStringLiteral("dl"), QStringLiteral("center"), QStringLiteral("body"), QStringLiteral("html"),
    };
    return blocks.contains(name);
}

bool isChinese(char16_t u) { return (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF); }

// Characters that forbid a break on either side of them: no-break spaces and word joiners.
bool isGlue(QChar c)
{
    const char16_t u = c.unicode();
    return u == 0x00A0 || u == 0x2007 || u == 0x202F || u == 0x2060 || u == 0xFEFF;
}

// Carries the run of characters on through `text`; false once it is longer than `limit`. The
// engine may break a line at white space, and after a Chinese character unless glue follows it
// (an entity there is taken for glue, and so is the end of the text, which may be followed by
// glue in the next); punctuation and every other script keep the word together.
bool carryRun(QStringView text, int& run, int limit, bool entities)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isTagSpace(text[i])) {
            run = 0;
            continue;
        }
        if (isChinese(text[i].unicode()) && i + 1 < text.size() && !isGlue(text[i + 1]) && !(entities && text[i + 1] == u'&')) {
            run = 0;
            continue;
        }
        if (entities && text[i] == u'&') {
            const qsizetype semicolon = text.mid(i, 11).indexOf(u';');
            if (semicolon > 0)
                i += semicolon;
        }
        if (++run > limit)
            return false;
    }
    return true;
}

// The value of an attribute with its entities read as the engine reads the common ones.
QString attributeValue(QStringView raw)
{
    QString value;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw[i] != u'&') {
            value += raw[i];
            continue;
        }
        const qsizetype semicolon = raw.mid(i, 11).indexOf(u';');
        if (semicolon < 0) {
            value += raw[i];
            continue;
        }
        const QStringView entity = raw.mid(i + 1, semicolon - 1);
        bool ok = false;
        uint code = 0;
        if (entity.startsWith(u"#x", Qt::CaseInsensitive))
            code = entity.mid(2).toUInt(&ok, 16);
        else if (entity.startsWith(u'#'))
            code = entity.mid(1).toUInt(&ok, 10);
        else if (entity == u"amp")
            code = u'&', ok = true;
        else if (entity == u"lt")
            code = u'<', ok = true;
        else if (entity == u"gt")
            code = u'>', ok = true;
        else if (entity == u"quot")
            code = u'"', ok = true;
        else if (entity == u"apos")
            code = u'\'', ok = true;
        else if (entity == u"nbsp")
            code = 0xA0, ok = true;
        if (!ok || code == 0 || code > 0x10FFFF) {
            value += raw[i];
            continue;
        }
        const char32_t c = code;
        value += QString::fromUcs4(&c, 1);
        i += semicolon;
    }
    return value;
}

// The attributes of a tag (the text after its name), names in lower case.
QHash<QString, QString> attributesOf(QStringView tag)
{
    QHash<QString, QString> attributes;
    qsizetype i = 0;
    const qsizetype n = tag.size();
    while (i < n) {
        while (i < n && (isTagSpace(tag[i]) || tag[i] == u'/'))
            ++i;
        const qsizetype from = i;
        while (i < n && !isTagSpace(tag[i]) && tag[i] != u'=' && tag[i] != u'/')
            ++i;
        const QString name = tag.mid(from, i - from).toString().toLower();
        while (i < n && isTagSpace(tag[i]))
            ++i;
        QStringView value;
        if (i < n && tag[i] == u'=') {
            ++i;
            while (i < n && isTagSpace(tag[i]))
                ++i;
            if (i < n && (tag[i] == u'"' || tag[i] == u'\'')) {
                const QChar quote = tag[i++];
                const qsizetype start = i;
                while (i < n && tag[i] != quote)
                    ++i;
                value = tag.mid(start, i - start);
                ++i;
            } else {
                const qsizetype start = i;
                while (i < n && !isTagSpace(tag[i]))
                    ++i;
                value = tag.mid(start, i - start);
            }
        }
        if (!name.isEmpty() && !attributes.contains(name))
            attributes.insert(name, attributeValue(value));
        if (i == from)
            ++i;
    }
    return attributes;
}

// A span as the engine reads it: a whole number, 1 when it is not one or is less.
int spanOf(const QHash<QString, QString>& attributes, const QString& name)
{
    bool ok = false;
    const int span = attributes.value(name).trimmed().toInt(&ok);
    return ok && span > 1 ? span : 1;
}

// The grid of one table as the engine builds it: its rows, its widest row, and for each column
// the cell of an earlier row that reaches into it.
struct Grid {
    struct Span {
        qint64 row = -1;
        qint64 rows = 0;
        qint64 columns = 1;
    };
    qint64 rows = 0;
    qint64 widest = 0;
    qint64 column = 0; // where the next cell of the row on hand goes
    qint64 charged = 0;
    std::vector<Span> spans;

    void row()
    {
        ++rows;
        column = 0;
    }
    void cell(qint64 columns, qint64 rowSpan)
    {
        if (rows == 0)
            row();
        const qint64 at = rows - 1;
        while (column < std::ssize(spans) && spans[column].row >= 0 && spans[column].row + spans[column].rows > at)
            column += spans[column].columns;
        const qint64 first = column;
        column += columns;
        widest = std::max(widest, column);
        // The grid is judged before it grows further: past any limit, nothing more is kept.
        if (column <= 1'000'000 && std::ssize(spans) < column)
            spans.resize(column);
        for (qint64 c = first; c < std::min<qint64>(column, std::ssize(spans)); ++c)
            spans[c] = {at, rowSpan, columns};
    }
    qint64 cells() const { return std::max<qint64>(rows, 1) * widest; }
};

} // namespace

bool textWithinLimits(QStringView text, const PageLimits& limits)
{
    int run = 0;
    return carryRun(text, run, limits.run, false);
}

qint64 styleRules(QStringView css)
{
    // Every block counts one, and one more for each comma in front of it since the last block or
    // statement ended: more than the engine sees, where a comma stands in a comment or a string.
    qint64 rules = 0;
    qint64 commas = 0;
    for (const QChar c : css) {
        if (c == u',') {
            ++commas;
        } else if (c == u'{') {
            rules += 1 + commas;
            commas = 0;
        } else if (c == u'}' || c == u';') {
            commas = 0;
        }
    }
    return rules;
}

std::optional<MarkupSize> measureMarkup(QStringView html, const PageLimits& limits)
{
    struct Open {
        QString name;
        bool keepsLines; // pre, or an element styled to keep its line breaks
    };
    std::vector<Open> open; // the elements open, outermost first
    std::vector<Grid> grids; // of the tables among them
    Grid loose;              // the cells outside any table
    MarkupSize size;
    qint64& elements = size.elements;
    int run = 0;
    const qsizetype n = html.size();
    qsizetype i = 0;
    qint64 text = 0;
    QString style; // the text of the style element open
    // How much an element or a character of text weighs where it stands: each table open around
    // it has its grid.
    const auto weight = [&grids](qint64 inTable) {
        const auto around = std::ssize(grids);
        return around == 0 ? 1 : inTable << std::min<qint64>(around - 1, 40);
    };
    const auto within = [&] {
        return elements <= limits.elements && size.rules * std::max<qint64>(elements, 1) <= limits.styleWork;
    };
    const auto closeTo = [&](std::size_t depth) {
        while (open.size() > depth) {
            if (open.back().name == u"table")
                grids.pop_back();
            open.pop_back();
        }
        if (!style.isEmpty() && std::none_of(open.begin(), open.end(), [](const Open& o) { return o.name == u"style"; })) {
            size.rules += styleRules(style);
            style.clear();
        }
    };
    // Charges what a grid has grown by since it was charged last.
    const auto charge = [&](Grid& grid) {
        if (grid.widest > limits.elements || grid.rows > limits.elements)
            return false;
        const qint64 cells = grid.cells();
        if (cells > limits.elements)
            return false;
        elements += (cells - grid.charged) * weight(1);
        grid.charged = cells;
        return within();
    };
    while (true) {
        const qsizetype from = i;
        i = html.indexOf(u'<', i);
        const QStringView between = html.mid(from, i < 0 ? n - from : i - from);
        if (!carryRun(between, run, limits.run, true))
            return std::nullopt;
        const auto letters = std::count_if(between.begin(), between.end(), [](QChar c) { return !isTagSpace(c); });
        if (letters > 0 && (text += letters * weight(8)) > limits.text)
            return std::nullopt;
        if (std::any_of(open.begin(), open.end(), [](const Open& o) { return o.keepsLines; }))
            elements += between.count(u'\n') * weight(1);
        if (std::any_of(open.begin(), open.end(), [](const Open& o) { return o.name == u"style"; }))
            style += between;
        else
            size.rules += styleRules(between);
        if (i < 0)
            closeTo(0);
        if (!within())
            return std::nullopt;
        if (i < 0)
            return size;
        qsizetype j = i + 1;
        while (j < n && isTagSpace(html[j]))
            ++j;
        const bool closing = j < n && html[j] == u'/';
        if (closing)
            ++j;
        qsizetype k = j;
        while (k < n && !isTagSpace(html[k]) && html[k] != u'>' && html[k] != u'/' && html[k] != u'<')
            ++k;
        const QString name = html.mid(j, k - j).toString().toLower();
        const qsizetype attributesFrom = k;
        // A tag ends at its '>', or where the next one begins: the page is read once.
        while (k < n && html[k] != u'>' && html[k] != u'<')
            ++k;
        const QStringView rawAttributes = html.mid(attributesFrom, k - attributesFrom);
        i = k < n && html[k] == u'>' ? k + 1 : k;
        if (name.isEmpty())
            continue;
        if (endsRun(name))
            run = 0;
        if (closing) {
            const auto at = std::find_if(open.rbegin(), open.rend(), [&name](const Open& o) { return o.name == name; });
            if (at != open.rend())
                closeTo(std::prev(at.base()) - open.begin());
            continue;
        }
        const bool cell = name == u"td" || name == u"th";
        if (!cell)
            elements += weight(1);
        if (!within())
            return std::nullopt;
        const bool special = name.front() == u'!' || name.front() == u'?';
        const auto attributes = special ? QHash<QString, QString>() : attributesOf(rawAttributes);
        if (const QString background = attributes.value(QStringLiteral("background")); !background.isEmpty()) {
            PictureUse& use = size.pictures[background];
            ++use.uses;
            use.sized = false;
        }
        if (name == u"img") {
            const QString src = attributes.value(attributes.contains(QStringLiteral("src")) ? QStringLiteral("src") : QStringLiteral("source"));
            PictureUse& use = size.pictures[src];
            ++use.uses;
            bool wide = false, high = false;
            const double width = attributes.value(QStringLiteral("width")).toDouble(&wide);
            const double height = attributes.value(QStringLiteral("height")).toDouble(&high);
            if (wide && high && width >= 0 && height >= 0 && width < 1e6 && height < 1e6) {
                use.width = std::max(use.width, int(std::ceil(width)));
                use.height = std::max(use.height, int(std::ceil(height)));
            } else {
                use.sized = false;
            }
        }
        if (special || holdsNothing(name))
            continue;
        if ((name == u"p" || name == u"li") && !open.empty() && open.back().name == name) {
            closeTo(open.size() - 1);
        } else if (const auto contexts = contextsOf(name); !contexts.empty()) {
            std::size_t depth = open.size();
            while (depth > 0 && std::find(contexts.begin(), contexts.end(), open[depth - 1].name) == contexts.end())
                --depth;
            closeTo(depth);
        }
        Grid* grid = grids.empty() ? &loose : &grids.back();
        if (name == u"tr")
            grid->row();
        if (cell)
            grid->cell(spanOf(attributes, QStringLiteral("colspan")), spanOf(attributes, QStringLiteral("rowspan")));
        if ((name == u"tr" || cell) && !charge(*grid))
            return std::nullopt;
        const QString whiteSpace = attributes.value(QStringLiteral("style")).toLower();
        open.push_back({name, name == u"pre" || (whiteSpace.contains(u"white-space") && whiteSpace.contains(u"pre"))});
        if (name == u"table")
            grids.emplace_back();
        if (std::ssize(open) > limits.depth)
            return std::nullopt;
    }
}

std::optional<QString> fileInside(const QUrl& reference, const QString& from, const QString& root)
{
    QString path;
    if (reference.scheme().compare(QLatin1String("file"), Qt::CaseInsensitive) == 0) {
        path = reference.toLocalFile();
    } else if (reference.scheme().isEmpty() && reference.host().isEmpty()) {
        // Pages written for the old system separate folders with backslashes.
        path = reference.path(QUrl::FullyDecoded).replace(u'\\', u'/');
        if (path.isEmpty())
            return std::nullopt;
        if (QDir::isRelativePath(path))
            path = QDir(from).filePath(path);
    } else {
        return std::nullopt;
    }
    if (pathHoldsNul(path))
        return std::nullopt;
    const QFileInfo target(resolvePath(QDir::cleanPath(path)));
    const QString top = QFileInfo(root).canonicalFilePath();
    const QString real = target.canonicalFilePath();
    if (!target.isFile() || top.isEmpty() || !real.startsWith(top + u'/'))
        return std::nullopt;
    return real;
}

} // namespace platform

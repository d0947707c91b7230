#include "platform/web_page.h"

#include "platform/files.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
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

// Where the engine may break a line: at white space and between Chinese characters. A no-break
// space, punctuation and every other script keep the word together.
bool breaksRun(QChar c)
{
    const char16_t u = c.unicode();
    return isTagSpace(c) || (u >= 0x3400 && u <= 0x4DBF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF);
}

// Carries the run of characters on through `text`; false once it is longer than `limit`.
bool carryRun(QStringView text, int& run, int limit, bool entities)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (breaksRun(text[i])) {
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

} // namespace

bool textWithinLimits(QStringView text, const PageLimits& limits)
{
    int run = 0;
    return carryRun(text, run, limits.run, false);
}

qint64 styleRules(QStringView css) { return css.count(u'{'); }

std::optional<MarkupSize> measureMarkup(QStringView html, const PageLimits& limits)
{
    std::vector<QString> open; // the elements open, outermost first
    MarkupSize size;
    qint64& elements = size.elements;
    int run = 0;
    const qsizetype n = html.size();
    qsizetype i = 0;
    qint64 text = 0;
    // How much an element or a character of text weighs where it stands.
    const auto weight = [&open](qint64 inTable) {
        const auto tables = std::count(open.begin(), open.end(), QStringLiteral("table"));
        return tables == 0 ? 1 : inTable << std::min<qint64>(tables - 1, 40);
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
        size.rules += styleRules(between);
        if (size.rules * std::max<qint64>(elements, 1) > limits.styleWork)
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
        // A tag ends at its '>', or where the next one begins: the page is read once.
        while (k < n && html[k] != u'>' && html[k] != u'<')
            ++k;
        i = k < n && html[k] == u'>' ? k + 1 : k;
        if (name.isEmpty())
            continue;
        if (endsRun(name))
            run = 0;
        if (closing) {
            const auto at = std::find(open.rbegin(), open.rend(), name);
            if (at != open.rend())
                open.erase(std::prev(at.base()), open.end());
            continue;
        }
        elements += weight(1);
        if (elements > limits.elements || size.rules * elements > limits.styleWork)
            return std::nullopt;
        if (name.front() == u'!' || name.front() == u'?' || holdsNothing(name))
            continue;
        if ((name == u"p" || name == u"li") && !open.empty() && open.back() == name) {
            open.pop_back();
        } else if (const auto contexts = contextsOf(name); !contexts.empty()) {
            while (!open.empty() && std::find(contexts.begin(), contexts.end(), open.back()) == contexts.end())
                open.pop_back();
        }
        open.push_back(name);
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

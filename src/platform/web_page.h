#pragma once
// What a page shown in a web view may be, and where its links and pictures may lead.
//
// Qt's rich-text engine parses and lays out a page on the window's thread, in one go: its time
// grows with the page's size, with the square of its nesting, and doubles with every table put
// inside a table. A page is therefore measured before it goes there, and one past the limits is
// not shown at all.

#include <QHash>
#include <QString>
#include <QStringView>
#include <QUrl>
#include <optional>

namespace platform {

struct PageLimits {
    qsizetype bytes;         // the file as stored
    qint64 elements;         // start tags; inside nested tables each counts twice for every table
                             // around it beyond the first, as the engine lays it out that often
    qint64 text;             // characters of text other than white space; inside a table each
                             // counts 8, and twice that for every table around it beyond the first
    int depth;               // elements open inside one another
    qint64 styleWork;        // style rules (in the page and its style sheets) times elements: the
                             // engine matches every rule against every element
    int run;                 // characters in a row with no space or Chinese character among them:
                             // the engine breaks a longer word letter by letter, in a time that
                             // grows with the square of its length
    qsizetype resourceBytes; // the pictures and style sheets of one page together, as stored
    qint64 resourcePixels;   // the pictures of one page together, decoded
};

// The limits of the web view. The benchmark of the web view measures the worst pages within them.
inline constexpr PageLimits webPageLimits{256 * 1024, 4000, 256 * 1024, 100, 200'000, 1000, 4 * 1024 * 1024, 16'000'000};

// Whether plain text keeps to the limit on runs of characters.
bool textWithinLimits(QStringView text, const PageLimits& limits);

// How a page uses one of its pictures: how many times, and the largest size it gives it when
// every use gives both a width and a height (sized), in pixels.
struct PictureUse {
    qint64 uses = 0;
    bool sized = true;
    int width = 0;
    int height = 0;
};

// The size of a page's markup, when it keeps to the limits on elements, text, nesting, style rules
// and runs of characters; nothing once a limit is passed (found at the first one). Elements are
// counted as Qt's parser nests them: an end tag closes the elements opened after its own, a p or
// li closes the same element right around it, a cell, row or definition goes into the nearest row,
// table or list around it, and only img, br, hr and meta hold nothing. A tag the engine might read
// is never missed (quotes do not hide a '>', comments and scripts are read as markup), so a page
// is, if anything, counted larger than the engine sees it. An entity counts as one character, a
// block or a line break ends a run, and every selector of a style rule counts as a rule.
// A table counts the cells of the grid the engine lays out, not its cell tags: its rows times its
// widest row, a cell spanning columns as that many, one spanning rows pushing the cells of the
// rows below it to the right; cells outside any table make one table of their own. A line
// break inside pre counts as an element, as the engine makes a block of it. The pictures are
// told with how the page uses them.
struct MarkupSize {
    qint64 elements = 0;
    qint64 rules = 0;
    QHash<QString, PictureUse> pictures; // by the address as the page writes it
};
std::optional<MarkupSize> measureMarkup(QStringView html, const PageLimits& limits);
inline bool markupWithinLimits(QStringView html, const PageLimits& limits) { return measureMarkup(html, limits).has_value(); }

// The style rules of a style sheet, counted as in the markup: a rule with a list of selectors
// counts one for each, as the engine matches each of them against every element.
qint64 styleRules(QStringView css);

// The most style sheets a page may reach, its own links and the sheets these import together;
// each is read once, however many times it is imported.
inline constexpr int webPageStyleSheets = 16;

// The existing file that `reference` (relative, or a file address) names, looked up from the
// folder `from` without regard to case, when it lies inside the folder `root` (after following
// links and "..": a link out of the folder leads nowhere). Nothing otherwise.
std::optional<QString> fileInside(const QUrl& reference, const QString& from, const QString& root);

} // namespace platform

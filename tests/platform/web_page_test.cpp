// What a page may be before it is shown, and which files its links and pictures may reach.
#include "platform/web_page.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QFile>

using platform::PageLimits;

namespace {

QString repeated(const char* chunk, int times) { return QString::fromLatin1(chunk).repeated(times); }

TEST(WebPage, MarkupIsCountedAsTheEngineNestsIt)
{
    const PageLimits limits{1024, 20, 1000, 4, 1000, 10, 0, 0};
    const struct {
        QString html;
        bool within;
    } cases[] = {
        {QStringLiteral("plain text: a > b"), true},
        {repeated("<div>", 4) + u'x' + repeated("</div>", 4), true},
        {repeated("<div>", 5), false},
        {repeated("<div>x</div>", 20), true},
        {repeated("<div>x</div>", 21), false},
        {repeated("<DIV >", 5), false},
        {repeated("< div>", 5), false},
        {repeated("<x-y>", 5), false},
        // End tags close what was opened after them; stray ones close nothing.
        {QStringLiteral("<div><div><b><i>x</div></div><div><div><div>y") + repeated("</span>", 10), true},
        // Paragraphs and items close the one right around them, not one further out.
        {repeated("<p>a", 10), true},
        {QStringLiteral("<ul>") + repeated("<li>a", 10) + QStringLiteral("</ul>"), true},
        {repeated("<p><b>a", 3), false},
        // Cells, rows and definitions go into the nearest row, table or list.
        {QStringLiteral("<table>") + repeated("<tr><td>a<td><div>b", 4) + QStringLiteral("</table>"), true},
        {repeated("<tr><td>a", 8), true},
        {QStringLiteral("<dl>") + repeated("<dt>a<dd>b", 8), true},
        {repeated("<font color=red>a", 5), false},
        // Only these four hold nothing.
        {repeated("<img src=a><br><hr><meta>", 5), true},
        {repeated("<input>", 5), false},
        {repeated("<div/>", 5), false},
        // A '>' in quotes ends the tag all the same, and comments are counted as markup.
        {QStringLiteral("<a title='>") + repeated("<div>", 5) + QStringLiteral("'>"), false},
        {QStringLiteral("<!-- ") + repeated("<div>", 6) + QStringLiteral(" -->"), false},
        {QStringLiteral("<!doctype html><?xml?><html><body><div>x</div></body></html>"), true},
        {QStringLiteral("<table><tr><td>") + repeated("<b>b</b> ", 17), true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::markupWithinLimits(c.html, limits), c.within) << c.html.left(120).toStdString();

    // Inside nested tables an element counts twice for each table around it beyond the first:
    // three tables inside one another weigh 3 + 5 + 10, and an element inside them 4.
    const PageLimits deeper{1024, 22, 1000, 100, 1000, 10, 0, 0};
    EXPECT_TRUE(platform::markupWithinLimits(repeated("<table><tr><td>", 3) + QStringLiteral("<b>b</b>"), deeper));
    EXPECT_FALSE(platform::markupWithinLimits(repeated("<table><tr><td>", 3) + repeated("<b>b</b>", 2), deeper));
    EXPECT_FALSE(platform::markupWithinLimits(repeated("<table><tr><td>", 40), {1024, 1'000'000'000, 1000, 1000, 1000, 10, 0, 0}));

    // A word longer than the limit, in text or in markup: only white space, Chinese characters
    // and the ends of blocks and lines end it; an entity counts as one character.
    const struct {
        QString text;
        bool within;
    } runs[] = {
        {QStringLiteral("0123456789 0123456789\n0123456789\t0123456789"), true},
        {QStringLiteral("0123456789x"), false},
        {QStringLiteral("帮助页帮助页帮助页帮助页帮助页帮助页帮助页帮助页帮助页帮助页帮助页"), true},
        {QStringLiteral("01234中56789中0123456789"), true},
        {QStringLiteral("、、、、、、、、、、、"), false},
        {QString(11, QChar(0x00A0)), false},
        {QString(11, QChar(0xE000)), false},
    };
    for (const auto& r : runs) {
        EXPECT_EQ(platform::textWithinLimits(r.text, limits), r.within) << r.text.toStdString();
        EXPECT_EQ(platform::markupWithinLimits(r.text, limits), r.within) << r.text.toStdString();
    }
    const struct {
        QString html;
        bool within;
    } markupRuns[] = {
        {QStringLiteral("01234<b>56789</b>x"), false},
        {QStringLiteral("01234<zz>56789x"), false},
        {QStringLiteral("0123456789<br>0123456789<p>0123456789</p><td>0123456789"), true},
        {QStringLiteral("<a href=\"0123456789012345678901234567890\">0123456789</a>"), true},
        {QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"), true},
        {QStringLiteral("&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;&nbsp;"), false},
    };
    for (const auto& r : markupRuns)
        EXPECT_EQ(platform::markupWithinLimits(r.html, limits), r.within) << r.html.toStdString();

    // Text other than white space, eight times as heavy inside a table and twice again inside
    // each table further in.
    const PageLimits text{1024, 1000, 80, 100, 1000, 1000, 0, 0};
    const struct {
        QString html;
        bool within;
    } texts[] = {
        {repeated("abcd ", 20), true},
        {repeated("abcd ", 20) + u'x', false},
        {QStringLiteral("<table><tr><td>") + repeated("ab \n ", 5) + QStringLiteral("</table>"), true},
        {QStringLiteral("<table><tr><td>") + repeated("ab \n ", 5) + QStringLiteral("x</table>"), false},
        {QStringLiteral("<table><tr><td><table><tr><td>abcde</table>"), true},
        {QStringLiteral("<table><tr><td><table><tr><td>abcdef</table>"), false},
    };
    for (const auto& t : texts)
        EXPECT_EQ(platform::markupWithinLimits(t.html, text), t.within) << t.html.toStdString();

    // Style rules times elements: the engine matches each rule against each element.
    const PageLimits style{1024, 1000, 1000, 100, 20, 1000, 0, 0};
    EXPECT_TRUE(platform::markupWithinLimits(QStringLiteral("<style>a{} b{}</style>") + repeated("<p>x", 9), style));
    EXPECT_FALSE(platform::markupWithinLimits(QStringLiteral("<style>a{} b{}</style>") + repeated("<p>x", 10), style));
    EXPECT_FALSE(platform::markupWithinLimits(repeated("<p>x", 10) + QStringLiteral("<style>a{} b{}</style>"), style));
    const auto size = platform::measureMarkup(QStringLiteral("<style>a{} b{}</style>") + repeated("<p>x", 8), style);
    ASSERT_TRUE(size);
    EXPECT_EQ(size->elements, 9);
    EXPECT_EQ(size->rules, 2);

    // A page far past the limits is judged at once, whatever its size.
    const QString deep = repeated("<div>", 200'000);
    EXPECT_FALSE(platform::markupWithinLimits(deep, platform::webPageLimits));
    // Tags that never end and entities that never close are read once, not again for each.
    const PageLimits wide{1024, 1'000'000, 1'000'000, 1'000'000, 1'000'000, 1'000'000, 0, 0};
    EXPECT_TRUE(platform::markupWithinLimits(QStringLiteral("<") + repeated("<", 200'000) + QStringLiteral("</a"), wide));
    EXPECT_TRUE(platform::markupWithinLimits(repeated("& ", 200'000), wide));
}

TEST(WebPage, SelectorsGridsLinesAndGlueAreWeighedAsTheEngineMeetsThem)
{
    EXPECT_EQ(platform::styleRules(u"p span, b, i { color: red } a{} @import url(x.css); q, r {}"), 6);
    const PageLimits limits{1 << 20, 20, 1000, 100, 40, 10, 0, 0};
    const struct {
        QString html;
        bool within;
    } cases[] = {
        {QStringLiteral("<style>a, b, c, d{}</style>") + repeated("<p>x", 9), true},
        {QStringLiteral("<style>a, b, c, d{}</style>") + repeated("<p>x", 10), false},
        // Rows times the widest row, spans counted.
        {QStringLiteral("<table><tr>") + repeated("<td>x", 18), true},
        {QStringLiteral("<table><tr>") + repeated("<td>x", 19), false},
        {QStringLiteral("<table><tr>") + repeated("<td>x", 4) + repeated("<tr><td>x", 2), true},
        {QStringLiteral("<table><tr>") + repeated("<td>x", 4) + repeated("<tr><td>x", 3), false},
        {QStringLiteral("<table><tr><td colspan=17>x"), true},
        {QStringLiteral("<table><tr><td colspan=19>x"), false},
        {QStringLiteral("<table>") + repeated("<tr><td rowspan=9>x", 3), true},
        {QStringLiteral("<table>") + repeated("<tr><td rowspan=9>x", 4), false},
        {QStringLiteral("<table>") + repeated("<tr><td rowspan=x>x", 6), true},
        {repeated("<td>x", 20), true},
        {repeated("<td>x", 21), false},
        // Line breaks in pre are blocks; glue after a Chinese character forbids the break.
        {QStringLiteral("<pre>") + QString(18, u'\n') + QStringLiteral("x</pre>"), true},
        {QStringLiteral("<pre>") + QString(20, u'\n') + QStringLiteral("x</pre>"), false},
        {QStringLiteral("<div style='white-space: pre'>") + QString(20, u'\n') + QStringLiteral("x</div>"), false},
        {QStringLiteral("<p>") + QString(40, u'\n'), true},
        {QStringLiteral("<p>") + QString(QStringLiteral("中中")).repeated(10), true},
        {QStringLiteral("<p>") + QString(QStringLiteral("中\u00A0")).repeated(6), false},
        {QStringLiteral("<p>") + QString(QStringLiteral("中\u2060")).repeated(6), false},
        {QStringLiteral("<p>") + QString(QStringLiteral("中&nbsp;")).repeated(6), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(platform::markupWithinLimits(c.html, limits), c.within) << c.html.left(120).toStdString();

    const auto size = platform::measureMarkup(QStringLiteral("<img src=a.png width=5 height=7><IMG SRC='a.png' width=9 height=2>"
                                                             "<img src=b&amp;c.png><table background=b&amp;c.png>"),
                                              limits);
    ASSERT_TRUE(size);
    const platform::PictureUse a = size->pictures.value(QStringLiteral("a.png"));
    EXPECT_EQ(a.uses, 2);
    EXPECT_TRUE(a.sized);
    EXPECT_EQ(QSize(a.width, a.height), QSize(9, 7));
    const platform::PictureUse b = size->pictures.value(QStringLiteral("b&c.png"));
    EXPECT_EQ(b.uses, 2);
    EXPECT_FALSE(b.sized);
}

TEST(WebPage, ReferencesReachOnlyFilesInsideTheRoot)
{
    tsupport::TempInstall install;
    install.writeLines(QStringLiteral("data/L38181.MXY"), {QStringLiteral("page")});
    install.writeLines(QStringLiteral("data/sub/p.htm"), {QStringLiteral("page")});
    install.writeLines(QStringLiteral("outside.htm"), {QStringLiteral("page")});
    install.writeLines(QStringLiteral("data2/p.htm"), {QStringLiteral("page")});
    ASSERT_TRUE(QFile::link(install.path(QStringLiteral("outside.htm")), install.path(QStringLiteral("data/out.htm"))));
    const QString root = install.path(QStringLiteral("data"));
    const QString page = install.path(QStringLiteral("data/L38181.MXY"));
    const QString sub = install.path(QStringLiteral("data/sub/p.htm"));
    const QString fileUrl = QUrl::fromLocalFile(page).toString();
    const QString outsideUrl = QUrl::fromLocalFile(install.path(QStringLiteral("outside.htm"))).toString();
    const struct {
        QString reference;
        QString from;
        QString expected; // empty: nothing
    } cases[] = {
        {QStringLiteral("l38181.mxy"), root, page},
        {QStringLiteral("sub/P.HTM"), root, sub},
        {QStringLiteral("sub\\p.htm"), root, sub},
        {QStringLiteral("sub/../l38181.mxy#part"), root, page},
        {QStringLiteral("../l38181.mxy"), root + QStringLiteral("/sub"), page},
        {fileUrl, root, page},
        {QStringLiteral("../outside.htm"), root, {}},
        {QStringLiteral("..\\outside.htm"), root, {}},
        {QStringLiteral("..%2Foutside.htm"), root, {}},
        {QStringLiteral("../data2/p.htm"), root, {}},
        {QStringLiteral("../../../../../../etc/hostname"), root, {}},
        {QStringLiteral("/etc/hostname"), root, {}},
        {outsideUrl, root, {}},
        {QStringLiteral("file:///etc/hostname"), root, {}},
        {QStringLiteral("out.htm"), root, {}}, // a link out of the folder
        {QStringLiteral("missing.htm"), root, {}},
        {QStringLiteral("sub"), root, {}},
        {QStringLiteral("#part"), root, {}},
        {QStringLiteral("//host/share/p.htm"), root, {}},
        {QStringLiteral("http://example.com/l38181.mxy"), root, {}},
        {QStringLiteral("data:text/html,<p>x</p>"), root, {}},
        {QStringLiteral("ftp://example.com/p.htm"), root, {}},
        {QStringLiteral("javascript:alert(1)"), root, {}},
    };
    for (const auto& c : cases) {
        const auto found = platform::fileInside(QUrl(c.reference), c.from, root);
        EXPECT_EQ(found.value_or(QString()), c.expected) << c.reference.toStdString();
    }
}

} // namespace

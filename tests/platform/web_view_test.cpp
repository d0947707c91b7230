// The web view over pages as an installation or a server may leave them: what it shows, what
// its pictures and style sheets may be, and where a click on a link leads.
#include "platform/clock.h"
#include "platform/desktop.h"
#include "platform/files.h"
#include "platform/web_page.h"
#include "support/events.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <csignal>

using namespace vb;

namespace {

class Page : public Form {
public:
    WebView* Web = new WebView(this);
    int followed = 0;

    Page()
    {
        Move(0, 0, 9000, 10500);
        Web->Move(0, 0, 9000, 10500);
        Web->setNotices(QStringLiteral("unreadable"), QStringLiteral("past the limits"));
        Web->LinkFollowed = [this] { ++followed; };
    }
};

class WebViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tsupport::standardScreen();
        platform::setOpenAddressObserver([this](const QString& a) { opened << a; });
        root = install.mkdir(QStringLiteral("data"));
        install.writePicture(QStringLiteral("data/in.png"));
        install.writePicture(QStringLiteral("outside.png"));
        install.writeBytes(QStringLiteral("data/in.css"), "b { color: #00ff00 }");
        install.writeBytes(QStringLiteral("outside.css"), "b { color: #ff0000 }");
        install.writeBytes(QStringLiteral("outside.htm"), "<p>outside</p>");
    }
    void TearDown() override
    {
        WebView::setLayoutProcessHooks({}, {});
        Forms::unloadAll();
        platform::setOpenAddressObserver({});
    }
    QString outside(const char* name) const { return QUrl::fromLocalFile(install.path(QString::fromLatin1(name))).toString(); }
    QTextDocument* document(Page& p) const { return qobject_cast<QTextBrowser*>(p.Web->widget())->document(); }

    tsupport::TempInstall install;
    QString root;
    QStringList opened;
};

TEST_F(WebViewTest, PagesPastTheLimitsOrUnreadableShowTheirNotice)
{
    const auto& limits = platform::webPageLimits;
    const int words = int(limits.bytes - 3) / 5;
    install.writeBytes(QStringLiteral("data/start.htm"), "<p>start page</p>");
    const struct {
        const char* name;
        QByteArray bytes; // null: no such file
        QString shows;
    } cases[] = {
        {"empty.htm", QByteArray(""), QString()},
        {"missing.htm", QByteArray(), QStringLiteral("unreadable")},
        {"plain.txt", QByteArray("first line\nsecond"), QStringLiteral("first line\nsecond")},
        {"largest.htm", QByteArray("<p>") + QByteArray("word ").repeated(words), QStringLiteral("word ").repeated(words).trimmed()},
        {"word.htm", QByteArray("<p>") + QByteArray(limits.run + 1, 'x'), QStringLiteral("past the limits")},
        {"word.txt", QByteArray(limits.run + 1, 'x'), QStringLiteral("past the limits")},
        {"large.htm", QByteArray(limits.bytes + 1, 'x'), QStringLiteral("past the limits")},
        {"huge.htm", QByteArray(50 * 1024 * 1024, 'x'), QStringLiteral("past the limits")},
        {"nested.htm", QByteArray("<div>").repeated(200'000), QStringLiteral("past the limits")},
        {"deep.htm", QByteArray("<ul><li>").repeated(limits.depth / 2 + 1), QStringLiteral("past the limits")},
        {"many.htm", QByteArray("<b>x</b>").repeated(limits.elements + 1), QStringLiteral("past the limits")},
        {"tables.htm", QByteArray("<table><tr><td>").repeated(12), QStringLiteral("past the limits")},
    };
    auto& p = Forms::get<Page>();
    p.Show();
    for (const auto& c : cases) {
        if (!c.bytes.isNull())
            install.writeBytes(QStringLiteral("data/") + QLatin1String(c.name), c.bytes);
        ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/start.htm"))));
        EXPECT_EQ(p.Web->Navigate(install.path(QStringLiteral("data/") + QLatin1String(c.name))),
                  c.shows != QStringLiteral("unreadable") && c.shows != QStringLiteral("past the limits"))
            << c.name;
        const QString shown = p.Web->documentText().trimmed();
        EXPECT_TRUE(shown == c.shows) << c.name << ": " << shown.left(60).toStdString();
        EXPECT_TRUE(p.Web->LocationURL().endsWith(QLatin1String(c.name))) << c.name;
    }
    EXPECT_EQ(p.followed, 0) << "only links raise it";
}

TEST_F(WebViewTest, PicturesAndStyleSheetsComeFromThePagesFolderOnly)
{
    const QString png = QStringLiteral("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");
    const QStringList refused = {
        outside("outside.png"), QStringLiteral("../outside.png"), QStringLiteral("data:image/png;base64,") + png,
        QStringLiteral("http://127.0.0.1:9/pic.png"), QStringLiteral("qrc:/qt-project.org/styles/commonstyle/images/file-16.png"),
    };
    QString page = QStringLiteral("<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"../outside.css\"></head><body>"
                                  "<b>bold</b><img src=\"IN.PNG\">");
    for (const QString& src : refused)
        page += QStringLiteral("<img src=\"%1\">").arg(src);
    install.writeBytes(QStringLiteral("data/pictures.htm"), page.toUtf8() + "</body></html>");
    install.writeBytes(QStringLiteral("data/styled.htm"),
                       "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"in.css\"></head><body><b>bold</b></body></html>");

    auto& p = Forms::get<Page>();
    p.Show();
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/pictures.htm"))));
    QTextDocument* doc = document(p);
    const QUrl base = doc->baseUrl();
    EXPECT_EQ(doc->resource(QTextDocument::ImageResource, base.resolved(QUrl(QStringLiteral("IN.PNG")))).value<QPixmap>().size(),
              QSize(4, 4));
    // A refused picture is a blank one: given nothing, the engine would load the name itself.
    for (const QString& src : refused) {
        const QImage blank = doc->resource(QTextDocument::ImageResource, base.resolved(QUrl(src))).value<QPixmap>().toImage();
        EXPECT_EQ(blank.size(), QSize(1, 1)) << src.toStdString();
        EXPECT_EQ(blank.pixelColor(0, 0).alpha(), 0) << src.toStdString();
    }
    const auto colourOfBold = [&] {
        return doc->find(QStringLiteral("bold")).charFormat().foreground().color();
    };
    EXPECT_NE(colourOfBold(), QColor(255, 0, 0)) << "the style sheet from outside is not applied";
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/styled.htm"))));
    doc = document(p);
    EXPECT_EQ(colourOfBold(), QColor(0, 255, 0));

    // A style sheet whose rules, matched against every element, would hold the window is left out.
    const qint64 elements = 1000;
    install.writeBytes(QStringLiteral("data/heavy.css"),
                       QByteArray("b { color: #00ff00 }").repeated(platform::webPageLimits.styleWork / elements));
    install.writeBytes(QStringLiteral("data/heavy.htm"), "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"heavy.css\"></head><body>" +
                                                             QByteArray("<b>bold</b> ").repeated(elements - 3) + "</body></html>");
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/heavy.htm"))));
    EXPECT_NE(colourOfBold(), QColor(0, 255, 0));
    install.writeBytes(QStringLiteral("data/heavy.htm"), "<html><head><link rel=\"stylesheet\" type=\"text/css\" href=\"heavy.css\"></head><body>" +
                                                             QByteArray("<b>bold</b> ").repeated(elements - 4) + "</body></html>");
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/heavy.htm"))));
    EXPECT_EQ(colourOfBold(), QColor(0, 255, 0));
}

TEST_F(WebViewTest, LinksGoToTheDesktopOnlyForWebAndMailAndElseStayInTheFolder)
{
    install.writeBytes(QStringLiteral("data/other.htm"), "<p>other page</p><p id=\"end\">end</p>");
    install.writeBytes(QStringLiteral("data/sub/deeper.htm"), "<p>deeper page</p><a href=\"../other.htm\">back up</a>");
    const struct {
        QString href;
        QString opened;   // what the desktop is given
        QString location; // the page on show afterwards (relative to the data folder)
    } cases[] = {
        {QStringLiteral("javascript:alert(1)"), {}, QStringLiteral("links.htm")},
        {outside("outside.htm"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("file:///etc/hostname"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("data:text/html,<p>x</p>"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("ftp://example.com/file"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("../outside.htm"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("../../../../etc/hostname"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("/etc/hostname"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("missing.htm"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("C:\\Windows\\notepad.exe"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("http:no-host"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("https://example.com/a?b=1"), QStringLiteral("https://example.com/a?b=1"), QStringLiteral("links.htm")},
        {QStringLiteral("HTTP://example.com/"), QStringLiteral("http://example.com/"), QStringLiteral("links.htm")},
        {QStringLiteral("mailto:help@example.com"), QStringLiteral("mailto:help@example.com"), QStringLiteral("links.htm")},
        {QStringLiteral("#end"), {}, QStringLiteral("links.htm")},
        {QStringLiteral("OTHER.HTM#end"), {}, QStringLiteral("other.htm")},
        {QStringLiteral("sub\\deeper.htm"), {}, QStringLiteral("sub/deeper.htm")},
        {QStringLiteral("big.htm"), {}, QStringLiteral("big.htm")},
    };
    install.writeBytes(QStringLiteral("data/big.htm"), QByteArray(platform::webPageLimits.run + 1, 'x'));
    QByteArray page = "<html><body>";
    for (std::size_t i = 0; i < std::size(cases); ++i)
        page += QStringLiteral("<p><a href=\"%1\">link%2z</a></p>").arg(cases[i].href.toHtmlEscaped()).arg(i).toUtf8();
    install.writeBytes(QStringLiteral("data/links.htm"), page + "<p id=\"end\">end</p></body></html>");

    auto& p = Forms::get<Page>();
    p.Show();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const auto& c = cases[i];
        ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/links.htm"))));
        const int followedBefore = p.followed;
        opened.clear();
        ASSERT_TRUE(tsupport::clickPageText(*p.Web, QStringLiteral("link%1z").arg(i))) << c.href.toStdString();
        EXPECT_EQ(opened, c.opened.isEmpty() ? QStringList() : QStringList{c.opened}) << c.href.toStdString();
        EXPECT_EQ(p.Web->LocationURL(), platform::resolvePath(install.path(QStringLiteral("data/") + c.location)))
            << c.href.toStdString();
        EXPECT_EQ(p.followed - followedBefore, c.location == QStringLiteral("links.htm") ? 0 : 1) << c.href.toStdString();
    }

    // The notice in place of a page past the limits is plain text, not the link clicked last.
    EXPECT_EQ(p.Web->documentText(), QStringLiteral("past the limits"));
    EXPECT_FALSE(document(p)->begin().begin().fragment().charFormat().isAnchor());

    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/links.htm"))));
    ASSERT_TRUE(tsupport::clickPageText(*p.Web, QStringLiteral("link16z")));
    // The folder the owner opened stays the reach when a link has led into a folder below it.
    ASSERT_TRUE(tsupport::clickPageText(*p.Web, QStringLiteral("back up")));
    EXPECT_TRUE(p.Web->documentText().startsWith(QStringLiteral("other page")));
}

// Pages built the ways found to hold the window past every limit that looked complete.
TEST_F(WebViewTest, PagesThatHeldTheWindowAreRefusedOrShownLight)
{
    const auto page = [](const QByteArray& head, const QByteArray& body) { return "<html><head>" + head + "</head><body>" + body + "</body></html>"; };
    install.writeBytes(QStringLiteral("data/loop.css"), "@import url(loop.css); @import url(LOOP2.CSS); @import url(./loop.css);");
    install.writeBytes(QStringLiteral("data/loop2.css"), QByteArray("p, ").repeated(20'000) + "p { color: #00ff00 }");
    install.writeBytes(QStringLiteral("data/light.css"), "@import url(loop3.css); @import url(./light.css); b { color: #0000ff }");
    install.writeBytes(QStringLiteral("data/loop3.css"), "@import url(light.css); i { color: #0000ff }");
    QImage big(4000, 4000, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    ASSERT_TRUE(big.save(install.path(QStringLiteral("data/big.png"))));
    const QByteArray table = "<table border=1>";
    const struct {
        const char* name;
        QByteArray bytes;
        bool shown;
    } cases[] = {
        {"selectors.htm", page("<style>" + QByteArray("p span, ").repeated(15'000) + "b { color: red }</style>", QByteArray("<p><span>a</span></p>").repeated(1'900)), false},
        {"imports.htm", page("<style>@import url(loop.css);</style>", QByteArray("<p>x").repeated(3'000)), true},
        {"picture many times.htm", page({}, QByteArray("<img src=big.png width=50 height=50>").repeated(3'000)), true},
        {"one wide row.htm", table + "<tr>" + QByteArray("<td>x").repeated(400) + QByteArray("<tr><td>x").repeated(400), false},
        {"row spans.htm", table + QByteArray("<tr><td rowspan=1000>x").repeated(400), false},
        {"column spans.htm", table + ("<tr>" + QByteArray("<td colspan=1000>x").repeated(103)).repeated(100), false},
        {"loose cells.htm", QByteArray("<td>x").repeated(3'990), true},
        {"loose cells past.htm", QByteArray("<td>x").repeated(4'001), false},
        {"lines in nested tables.htm", QByteArray("<table><tr><td>").repeated(8) + "<pre>" + QByteArray(8'000, '\n') + "x</pre>", false},
        {"glued Chinese.htm", "<p>" + QString(QStringLiteral("中\u00A0")).repeated(60'000).toUtf8(), false},
        {"joined Chinese.htm", "<p>" + QString(QStringLiteral("中&#x2060;")).repeated(30'000).toUtf8(), false},
    };
    auto& p = Forms::get<Page>();
    p.Show();
    for (const auto& c : cases) {
        install.writeBytes(QStringLiteral("data/") + QLatin1String(c.name), c.bytes);
        EXPECT_EQ(p.Web->Navigate(install.path(QStringLiteral("data/") + QLatin1String(c.name))), c.shown) << c.name;
        EXPECT_EQ(p.Web->documentText() == QStringLiteral("past the limits"), !c.shown) << c.name;
    }

    // Imported sheets count with the page, each once: the heavy one is left out, the others apply.
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/imports.htm"))));
    EXPECT_NE(document(p)->find(QStringLiteral("x")).charFormat().foreground().color(), QColor(0, 255, 0));
    install.writeBytes(QStringLiteral("data/light.htm"), page("<link rel=stylesheet type=text/css href=light.css>", "<b>bold</b> <i>it</i>"));
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/light.htm"))));
    EXPECT_EQ(document(p)->find(QStringLiteral("bold")).charFormat().foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(document(p)->find(QStringLiteral("it")).charFormat().foreground().color(), QColor(0, 0, 255));

    // A picture used many times goes to the engine once, at the largest size the page gives it;
    // each use is paid for, so the same picture at its own size that often is left out.
    const QUrl bigUrl = QUrl::fromLocalFile(QFileInfo(install.path(QStringLiteral("data/big.png"))).canonicalFilePath());
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/picture many times.htm"))));
    EXPECT_EQ(document(p)->resource(QTextDocument::ImageResource, bigUrl).value<QPixmap>().size(), QSize(50, 50));
    install.writeBytes(QStringLiteral("data/pictures.htm"), page({}, "<img src=big.png>"));
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/pictures.htm"))));
    EXPECT_EQ(document(p)->resource(QTextDocument::ImageResource, bigUrl).value<QPixmap>().size(), QSize(4000, 4000));
    install.writeBytes(QStringLiteral("data/pictures.htm"), page({}, "<img src=big.png width=20 height=60><img src=big.png width=70 height=10>"));
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/pictures.htm"))));
    EXPECT_EQ(document(p)->resource(QTextDocument::ImageResource, bigUrl).value<QPixmap>().size(), QSize(70, 60));
    install.writeBytes(QStringLiteral("data/pictures.htm"), page({}, "<img src=big.png width=20 height=60><img src=big.png>"));
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/pictures.htm"))));
    EXPECT_EQ(document(p)->resource(QTextDocument::ImageResource, bigUrl).value<QPixmap>().size(), QSize(1, 1));
}

// A page slow in a way the limits do not know is refused once its layout off the window runs
// past its time, and the process laying it out is ended. A process that never got as far as
// reading the page says nothing of it: the page is shown on its measure alone.
TEST_F(WebViewTest, APageWhoseLayoutRunsPastItsTimeIsRefused)
{
    // Large enough that a process which does not read it leaves the write failing.
    install.writeBytes(QStringLiteral("data/page.txt"), "a light page\n" + QByteArray("abcde\n").repeated(40'000));
    auto& p = Forms::get<Page>();
    p.Show();
    const auto shown = [&] { return p.Web->documentText().startsWith(QStringLiteral("a light page")); };
    ASSERT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/page.txt"))));
    EXPECT_TRUE(shown());

    // The pipes to a process and what stands for it (the toolkit's threads keep files of their own).
    const auto openFiles = [] {
        const QFileInfoList files = QDir(QStringLiteral("/proc/self/fd")).entryInfoList(QDir::Files | QDir::System);
        return std::count_if(files.begin(), files.end(), [](const QFileInfo& f) {
            const QString target = f.symLinkTarget();
            return target.contains(QLatin1String("pipe:")) || target.contains(QLatin1String("pidfd"));
        });
    };
    const auto filesBefore = openFiles();
    const QString pidFile = install.path(QStringLiteral("pid"));
    const QString busy = install.path(QStringLiteral("busy"));
    enum ClockMoves { Still, OnceBusy, Always };
    const struct {
        const char* script; // stands for the layout process; %1 a file for its id, %2 one it
                            // leaves once it is busy with the page
        ClockMoves clock;   // whether the clock moves while the view waits
        bool shown;
    } cases[] = {
        {"echo ready; echo $$ >'%1'; touch '%2'; exec sleep 60", OnceBusy, false}, // slow
        {"echo ready; kill -SEGV $$", Still, false},                          // crashed on the page
        {"echo ready; cat >/dev/null; exit 3", Still, false},                 // failed
        {"echo ready; head -c 1000000 /dev/zero", Still, false},              // talks past its lines
        {"echo ready; cat >/dev/null; echo 'laid out'", Still, true},         // in time
        {"head -c 1000000 /dev/zero >&2; echo ready; cat >/dev/null; echo 'laid out'", Still, true},
        {"exit 0", Still, true},                                              // never ready
        {"kill -SEGV $$", Still, true},
        {"echo $$ >'%1'; exec sleep 60", Always, true},                        // never ready in time
    };
    for (const auto& c : cases) {
        QFile::remove(pidFile);
        QFile::remove(busy);
        const QString script = QString::fromLatin1(c.script).replace(QStringLiteral("%1"), pidFile).replace(QStringLiteral("%2"), busy);
        WebView::setLayoutProcessHooks({QStringLiteral("/bin/sh"), QStringLiteral("-c"), script, QStringLiteral("sh")}, [&] {
            if (c.clock == Always || (c.clock == OnceBusy && QFile::exists(busy)))
                platform::Clock::advance(100);
        });
        const std::int64_t before = platform::Clock::nowMs();
        EXPECT_EQ(p.Web->Navigate(install.path(QStringLiteral("data/page.txt"))), c.shown) << c.script;
        EXPECT_EQ(shown(), c.shown) << c.script;
        EXPECT_EQ(p.Web->documentText() == QStringLiteral("past the limits"), !c.shown) << c.script;
        EXPECT_LE(platform::Clock::nowMs() - before, 800) << c.script;
        // Ended and reaped: not even a zombie is left.
        QFile id(pidFile);
        if (id.open(QIODevice::ReadOnly)) {
            const pid_t pid = id.readAll().trimmed().toInt();
            ASSERT_GT(pid, 0);
            EXPECT_NE(::kill(pid, 0), 0) << c.script;
        }
    }

    EXPECT_EQ(openFiles(), filesBefore) << "the pipes to the processes are closed";

    // A program that cannot be started at all is not tried again: the toolkit leaves a pipe
    // open at each try.
    WebView::setLayoutProcessHooks({install.path(QStringLiteral("no such program"))}, {});
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(p.Web->Navigate(install.path(QStringLiteral("data/page.txt"))));
        EXPECT_TRUE(shown());
    }
    EXPECT_LE(openFiles(), filesBefore + 1);
}

} // namespace

// The web view's benchmark: the time from Navigate until the page is laid out and drawn in a
// pane of the cover's size, for the sample's help pages, for pages past the limits (shown as a
// notice) and for the worst pages within the limits of platform::webPageLimits. Goal: every page
// within 0.5 s, so that no page holds the window longer than that.

#include "platform/vb.h"
#include "platform/web_page.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QTemporaryDir>

namespace {

class Pane : public vb::Form {
public:
    vb::WebView* Web = new vb::WebView(this);
    Pane()
    {
        setBorderStyle(0);
        Move(0, 0, 9090, 5880);
        Web->Move(0, 0, 9090, 5880);
    }
};

QByteArray repeatedTo(const QByteArray& unit, qsizetype bytes, const QByteArray& before = {})
{
    return before + unit.repeated((bytes - before.size()) / unit.size());
}

QTemporaryDir& folder()
{
    static QTemporaryDir dir;
    return dir;
}

QString write(const QString& name, const QByteArray& bytes)
{
    const QString path = folder().filePath(QStringLiteral("data/") + name);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

void registerPages()
{
    const auto& limits = platform::webPageLimits;
    const qsizetype most = limits.bytes;
    struct Row {
        std::string name;
        QString path;
        int shown; // 1 shown, 0 refused, -1 either (the growing pages)
    };
    std::vector<Row> rows;
    for (int i = 0; i <= 4; ++i)
        rows.push_back({"sample" + std::to_string(i), QStringLiteral(TALVESK_SAMPLE_DIR "/data/l3818%1.mxy").arg(i), 1});
    // Pictures of one colour that together take the whole budget of pixels.
    for (int i = 0; i < 4; ++i) {
        QImage picture(2000, 2000, QImage::Format_RGB32);
        picture.fill(Qt::darkCyan);
        picture.save(folder().filePath(QStringLiteral("data/p%1.png").arg(i)));
    }
    write(QStringLiteral("heavy.css"), QByteArray("b { color: green }").repeated(limits.styleWork / limits.elements));
    const QByteArray words = QByteArray("abcdefgh ").repeated(7); // 56 letters
    const qint64 lettersInATable = limits.text / 8;
    const QByteArray cell = "<td>" + words;
    const QByteArray tables = QByteArray("<table><tr><td>").repeated(7);
    const QByteArray list = QByteArray("<ul><li>").repeated(limits.depth / 2 - 1);
    const struct {
        const char* name;
        QByteArray bytes;
        bool shown;
    } pages[] = {
        {"empty", QByteArray(""), true},
        {"past/50 MB", QByteArray(50 * 1024 * 1024, 'x'), false},
        {"past/200000 nested", QByteArray("<div>").repeated(200'000), false},
        {"past/one word", QByteArray(most, 'x'), false},
        {"past/text in a table", "<table><tr>" + cell.repeated(lettersInATable / 56 + 1), false},
        {"within/text", repeatedTo("abcdefgh ", most), true},
        {"within/text as HTML", repeatedTo("abcdefgh ", most, "<p>"), true},
        {"within/Chinese", repeatedTo("测试文字", most), true},
        {"within/words at the longest", repeatedTo(QByteArray(limits.run, 'x') + ' ', most, "<p>"), true},
        {"within/no-break spaces", repeatedTo(QByteArray("x&nbsp;").repeated(limits.run / 2 - 1) + ' ', most, "<p>"), true},
        {"within/rows without a table", QByteArray("<tr><td>x").repeated(limits.elements / 2), true},
        {"within/cells", "<table><tr>" + QByteArray("<td>x").repeated(limits.elements - 3), true},
        {"within/cells in a row with text", "<table><tr>" + cell.repeated(lettersInATable / 56), true},
        {"within/rows with text", "<table>" + ("<tr>" + cell).repeated(lettersInATable / 56), true},
        {"within/text in nested tables", "<table><tr><td><table><tr><td>" + words.repeated(lettersInATable / 2 / 56), true},
        {"within/nested tables", tables + QByteArray("<b>x</b> ").repeated((limits.elements - 400) / 64), true},
        {"within/deepest list", list + QByteArray("<span>x</span> ").repeated(limits.elements - limits.depth), true},
        {"within/style rules matching every element", "<style>" + QByteArray("b, i { color: green }").repeated(limits.styleWork / limits.elements / 2 - 1) + "</style>" +
                                                       QByteArray("<b><i>x</i></b> ").repeated(limits.elements / 2 - 1), true},
        {"within/a style sheet matching every element", "<link rel=stylesheet type=text/css href=heavy.css>" + QByteArray("<b>x</b> ").repeated(limits.elements - 2), true},
        {"within/pictures", "<p><img src=p0.png><img src=p1.png><img src=p2.png><img src=p3.png>", true},
        {"within/a picture at a large size", "<p><img src=p0.png width=30000 height=30000>", true},
    };
    // The pages that held the window past the limits before, and the worst within and just past
    // each limit of what the engine lays out.
    QImage big(4000, 4000, QImage::Format_RGB32);
    big.fill(Qt::darkCyan);
    big.save(folder().filePath(QStringLiteral("data/big.png")));
    write(QStringLiteral("loop.css"), "@import url(loop.css); @import url(loop2.css);");
    write(QStringLiteral("loop2.css"), QByteArray("p, ").repeated(19'999) + "p { color: green }");
    const qint64 selectors = limits.styleWork / limits.elements;
    const QByteArray nested = QByteArray("<table><tr><td>").repeated(8);
    const auto wide = [](int n) { return "<table><tr>" + QByteArray("<td>x").repeated(n) + QByteArray("<tr><td>x").repeated(n); };
    const auto spans = [](int n, const char* cell) { return "<table>" + ("<tr>" + QByteArray(cell)).repeated(n); };
    const struct {
        const char* name;
        QByteArray bytes;
        bool shown;
    } hostile[] = {
        {"held/selector list", "<style>" + QByteArray("p span, ").repeated(15'000) + "b {}</style>" + QByteArray("<p><span>a</span></p>").repeated(1'900), false},
        {"held/imports", "<style>@import url(loop.css);</style>" + QByteArray("<p>x").repeated(3'000), true},
        {"held/a picture 3000 times", QByteArray("<img src=big.png width=50 height=50>").repeated(3'000), true},
        {"held/one wide row", wide(400), false},
        {"held/row spans", spans(400, "<td rowspan=1000>x"), false},
        {"held/column spans", "<table>" + ("<tr>" + QByteArray("<td colspan=1000>x").repeated(103)).repeated(100), false},
        {"held/loose cells", QByteArray("<td>x").repeated(3'990), true},
        {"held/lines in nested tables", nested + "<pre>" + QByteArray(8'000, '\n') + "x</pre>", false},
        {"held/glued Chinese", repeatedTo(QStringLiteral("中\u00A0").toUtf8(), most, "<p>"), false},
        {"within/selectors", "<style>" + QByteArray("p, ").repeated(selectors - 2) + "p {}</style>" + QByteArray("<p>x").repeated(limits.elements - 1), true},
        {"past/selectors", "<style>" + QByteArray("p, ").repeated(selectors) + "p {}</style>" + QByteArray("<p>x").repeated(limits.elements - 1), false},
        {"within/grid", "<table>" + ("<tr>" + QByteArray("<td>x").repeated(62)).repeated(62), true},
        {"past/grid", "<table>" + ("<tr>" + QByteArray("<td>x").repeated(64)).repeated(64), false},
        {"within/row spans", spans(62, "<td rowspan=1000>x"), true},
        {"within/column spans", "<table><tr><td colspan=3997>x", true},
        {"within/lines in pre", "<pre>" + QByteArray(limits.elements - 2, '\n') + "x</pre>", true},
        {"within/a picture as often as the budget", QByteArray("<img src=big.png width=60 height=60>").repeated(limits.elements - 1), true},
        {"within/joined Chinese", repeatedTo("中&#x2060;中 ", most, "<p>"), true},
    };
    for (const auto& p : pages)
        rows.push_back({p.name, write(QString::fromLatin1(p.name).replace(u'/', u'-') + QStringLiteral(".htm"), p.bytes), p.shown ? 1 : 0});
    for (const auto& p : hostile)
        rows.push_back({p.name, write(QString::fromLatin1(p.name).replace(u'/', u'-') + QStringLiteral(".htm"), p.bytes), p.shown});
    // Each shape at growing sizes up to the file's limit: shown or refused, never slow.
    const struct {
        const char* name;
        QByteArray unit;
        QByteArray before;
    } shapes[] = {
        {"selector list", "p span, ", "<p><span>a</span></p>"},
        {"paragraphs under a long selector list", "<p><span>a</span></p>", "<style>" + QByteArray("p span, ").repeated(4'000) + "b {}</style>"},
        {"a picture many times", "<img src=big.png width=50 height=50>", {}},
        {"one-cell rows under a wide row", "<tr><td>x", "<table><tr>" + QByteArray("<td>x").repeated(400)},
        {"row spans", "<tr><td rowspan=1000>x", "<table>"},
        {"column spans", "<td colspan=1000>x", "<table><tr>"},
        {"loose cells", "<td>x", {}},
        {"lines in nested tables", "\n", nested + "<pre>"},
        {"glued Chinese", QStringLiteral("中\u00A0").toUtf8(), "<p>"},
    };
    for (const auto& shape : shapes)
        for (qsizetype bytes = 1024; bytes <= most; bytes *= 4)
            rows.push_back({std::string("growing/") + shape.name + "/" + std::to_string(bytes / 1024) + " KiB",
                            write(QStringLiteral("growing-%1-%2.htm").arg(QString::fromLatin1(shape.name)).arg(bytes), repeatedTo(shape.unit, bytes, shape.before)), -1});
    rows.push_back({"missing", folder().filePath(QStringLiteral("data/missing.htm")), 0});

    for (const Row& row : rows) {
        benchmark::RegisterBenchmark(("WebViewNavigate/" + row.name).c_str(), [row](benchmark::State& state) {
            // Pages are laid out off the window by the program itself, as they are when it runs.
            vb::WebView::setLayoutProcessHooks({QStringLiteral(TALVESK_EXE)}, {});
            auto& pane = vb::Forms::get<Pane>();
            pane.Show();
            // A page past the limits that is shown is a fault. A page within them that is not was
            // ended off the window, past its time there, which depends on the machine: counted.
            int ended = 0;
            for (auto _ : state) {
                const bool shown = pane.Web->Navigate(row.path);
                if (row.shown == 0 && shown)
                    state.SkipWithError("shown");
                else if (row.shown == 1 && !shown)
                    ++ended;
                benchmark::DoNotOptimize(pane.Web->widget()->grab()); // laid out and drawn
            }
            if (ended > 0)
                state.counters["ended off the window"] = ended;
            vb::Forms::unloadAll();
        })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
}

const bool registered = (registerPages(), true);

} // namespace

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

QByteArray repeatedTo(const QByteArray& piece, qsizetype bytes, const QByteArray& before = {})
{
    return before + piece.repeated((bytes - before.size()) / piece.size());
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
        bool shown;
    };
    std::vector<Row> rows;
    for (int i = 0; i <= 4; ++i)
        rows.push_back({"sample" + std::to_string(i), QStringLiteral(TALVESK_SAMPLE_DIR "/data/l3818%1.mxy").arg(i), true});
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
    for (const auto& p : pages)
        rows.push_back({p.name, write(QString::fromLatin1(p.name).replace(u'/', u'-') + QStringLiteral(".htm"), p.bytes), p.shown});
    rows.push_back({"missing", folder().filePath(QStringLiteral("data/missing.htm")), false});

    for (const Row& row : rows) {
        benchmark::RegisterBenchmark(("WebViewNavigate/" + row.name).c_str(), [row](benchmark::State& state) {
            // Pages are laid out off the window by the program itself, as they are when it runs.
            vb::WebView::setLayoutProcessHooks({QStringLiteral(TALVESK_EXE)}, {});
            auto& pane = vb::Forms::get<Pane>();
            pane.Show();
            for (auto _ : state) {
                if (pane.Web->Navigate(row.path) != row.shown)
                    state.SkipWithError(row.shown ? "not shown" : "shown");
                benchmark::DoNotOptimize(pane.Web->widget()->grab()); // laid out and drawn
            }
            vb::Forms::unloadAll();
        })
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime()
            ->Iterations(3);
    }
}

const bool registered = (registerPages(), true);

} // namespace

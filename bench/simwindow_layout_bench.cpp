// Click to layout in a large session: a 500-question session whose step file holds 5,000 or
// 50,000 records (the benchmark's argument: steps per question); a click on target 1 in the last
// question advances to a step with four 800 x 600 step pictures (read the record, load the
// pictures, lay out). A step should cost the same at both sizes. Beside it, the floor: decoding
// those four pictures alone.

#include "platform/files.h"
#include "platform/vb.h"
#include "session/frm_tm.h"
#include "session_state/session_state.h"
#include "simwindow/frm_main.h"

#include <benchmark/benchmark.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QTemporaryDir>

#include <map>
#include <memory>

namespace {

constexpr int Questions = 500;

QString field(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QChar(u'0')); }

// A record laid out like the session files: every field at its column, 212 columns.
QString record(const QString& code, const QString& back, const std::array<QString, 3>& images)
{
    QString line(212, u' ');
    const auto put = [&line](int col, const QString& text) { line.replace(col - 1, text.size(), text); };
    put(4, QStringLiteral("A7"));
    put(8, code);
    put(12, back);
    const int cols[3] = {18, 34, 50};
    for (int k = 0; k < 3; ++k) {
        put(cols[k], field(300 * k, 5));
        put(cols[k] + 5, QStringLiteral("0"));
        put(cols[k] + 6, field(1200, 4));
        put(cols[k] + 10, images[static_cast<std::size_t>(k)]);
    }
    put(66, field(3000, 5) + QStringLiteral("0") + field(3000, 4) + field(900, 5) + field(300, 5));
    put(86, QString(20, u'0'));
    put(106, QStringLiteral("000000"));
    put(112, field(600, 5) + field(900, 5) + QStringLiteral("001"));
    put(135, field(0, 5) + QStringLiteral("0") + field(0, 4) + QStringLiteral("000000"));
    put(151, QString(10, u'0') + QStringLiteral("000000"));
    put(187, QString(10, u'0'));
    put(197, QString(9, u'0') + QStringLiteral("000000"));
    return line;
}

// A screenshot-like picture: a sheet's grid, a few words, a coloured band.
void writeScreenshot(const QString& path, int seed)
{
    QImage img(800, 600, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.fillRect(0, 0, 800, 48, QColor(195, 217, 249));
    p.setPen(QColor(208, 215, 229));
    for (int y = 48; y < 600; y += 18)
        p.drawLine(0, y, 800, y);
    for (int x = 40; x < 800; x += 72)
        p.drawLine(x, 48, x, 600);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("WenQuanYi Micro Hei"), 9));
    for (int r = 0; r < 20; ++r)
        p.drawText(44 + (r * 37 + seed * 11) % 600, 62 + r * 18 * 1, QStringLiteral("数据 %1").arg(r * seed + 17));
    p.fillRect(100 + seed * 40, 300, 200, 120, QColor(255, 255, 192));
    p.end();
    img.save(path, "PNG");
}

struct LargeSession {
    QTemporaryDir dir;
    QStringList pictures;
    int lastQuestion = Questions;
    int clickStep; // a 0001 step; the next one loads four pictures
    QString clickRecord;

    explicit LargeSession(int steps) : clickStep(steps - 2)
    {
        SessionState& s = S();
        vb::setScreenSizeOverride(1024, 768);
        s.ScaleX = vb::twipsPerPixelX() / 15;
        s.ScaleY = vb::twipsPerPixelY() / 15;
        s.QuestionCount = Questions;
        s.DisplayMode = 2;
        QDir(dir.path()).mkdir(QStringLiteral("data"));
        const QString data = dir.path() + QStringLiteral("/data/");

        for (int i = 0; i < 4; ++i) {
            pictures << QStringLiteral("5%1").arg(i + 1, 5, 10, QChar(u'0'));
            writeScreenshot(data + pictures.last() + QStringLiteral(".mxy"), i + 1);
        }
        QStringList texts;
        for (int i = 1; i <= 300; ++i)
            texts << field(i, 3) + QStringLiteral("请单击单元格 B%1|hint %1").arg(i);
        platform::saveText(data + QStringLiteral("288890.mxy"), texts.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));

        QStringList lines;
        const std::array<QString, 3> keep{QStringLiteral("888888"), QStringLiteral("888888"), QStringLiteral("888888")};
        for (int q = 1; q <= Questions; ++q) {
            for (int k = 1; k <= steps; ++k) {
                const bool pictured = k == 1 || k == steps - 1;
                const QString code = k == steps ? QStringLiteral("9999") : QStringLiteral("0001");
                lines << (pictured ? record(code, pictures[0], {pictures[1], pictures[2], pictures[3]})
                                   : record(code, QStringLiteral("888888"), keep));
            }
        }
        clickRecord = lines[(lastQuestion - 1) * steps + clickStep - 1];
        platform::saveText(data + QStringLiteral("288819.mxy"), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    }
};

// One session per size, built once; the session variables are those of the last one asked for.
LargeSession& largeSession(int stepsPerQuestion = 10)
{
    static std::map<int, std::unique_ptr<LargeSession>> sessions;
    auto& session = sessions[stepsPerQuestion];
    if (!session)
        session = std::make_unique<LargeSession>(stepsPerQuestion);
    SessionState& s = S();
    s.AppPath = session->dir.path();
    s.DataDir = session->dir.path() + QStringLiteral("/data/");
    s.StepFilePath = s.DataDir + QStringLiteral("288819.mxy");
    s.TextTablePath = s.DataDir + QStringLiteral("288890.mxy");
    for (int q = 1; q <= Questions; ++q) {
        s.QuestionFirstLine[static_cast<std::size_t>(q)] = (q - 1) * stepsPerQuestion + 1;
        s.QuestionStepCount[static_cast<std::size_t>(q)] = stepsPerQuestion;
    }
    s.CurrentQuestion = session->lastQuestion;
    return *session;
}

// The click on target 1 of the last question's step before the pictured step. With `cold`,
// each picture file gets a new modification time before the click, so that every picture is
// decoded again (a step shown for the first time); otherwise the step is shown again.
void clickToLayout(benchmark::State& state, bool cold)
{
    LargeSession& ls = largeSession(static_cast<int>(state.range(0)));
    state.SetLabel(QStringLiteral("%1 records").arg(Questions * state.range(0)).toStdString());
    FrmMain& w = frmMain();
    S().CurrentQuestion = ls.lastQuestion;
    S().SavedStep[static_cast<std::size_t>(ls.lastQuestion)] = ls.clickStep;
    frmTm().DqExam();
    w.setData();
    int stamp = 0;
    for (auto _ : state) {
        if (cold) {
            state.PauseTiming();
            const QDateTime when = QDateTime::currentDateTime().addSecs(++stamp);
            for (const QString& code : ls.pictures) {
                QFile f(S().DataDir + code + QStringLiteral(".mxy"));
                if (f.open(QIODevice::ReadWrite))
                    f.setFileTime(when, QFileDevice::FileModificationTime);
            }
            state.ResumeTiming();
        }
        // Back on the click step without laying it out again.
        S().CurrentStep = ls.clickStep;
        S().StepRecord = ls.clickRecord;
        w.Label1_MouseUp(vb::vbLeftButton, 0, 10, 10);
        benchmark::DoNotOptimize(w.Image3->Picture());
        if (S().CurrentStep != ls.clickStep + 1)
            state.SkipWithError("the click did not advance");
    }
    vb::Forms::unloadAll();
    vb::DoEvents();
}

void ClickToLayout(benchmark::State& state) { clickToLayout(state, false); }
void ClickToLayoutFirstShow(benchmark::State& state) { clickToLayout(state, true); }

void DecodeFourPictures(benchmark::State& state)
{
    LargeSession& ls = largeSession();
    for (auto _ : state) {
        for (const QString& code : ls.pictures) {
            QImageReader reader(S().DataDir + code + QStringLiteral(".mxy"));
            reader.setDecideFormatFromContent(true);
            QImage img = reader.read();
            benchmark::DoNotOptimize(img);
        }
    }
}

} // namespace

BENCHMARK(DecodeFourPictures)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(ClickToLayout)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK(ClickToLayoutFirstShow)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

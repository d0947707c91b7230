// The cover page's benchmarks.
//
// Start and memory, each program started as a separate process on a copy of the sample
// installation, in alternating runs so that a change in the machine's load meets all of them
// alike. The probes run on the screen they are judged at: the X display when there is one
// (e.g. under `xvfb-run -s "-screen 0 1024x768x24"`), unless QT_QPA_PLATFORM says otherwise;
// offscreen without a display. Each probe's window counts as shown once it is mapped with its
// first frame drawn (bench/probes/first_frame.h):
// - StartToCover: start until the cover page is shown, against the bare window with one
//   宋体 label (bench/probes/label_probe.cpp) started the same way; goal: the cover within
//   1.2 x (the label window + the splash's 100 ms tick). BareWindowStart: the bare window alone.
// - ResidentMemory: each process reads its own resident memory one second after its window is
//   shown: the program on the cover, the program in a unit practice session, the label window;
//   goal: both within 1.5 x the label window.
// CoverBuild against DecodeCoverFaces: the page build on a bank of 20 units of 42 questions,
// against decoding the face pictures it shows (goal: within 1.5 x); CoverLoad adds the window's
// first load (its controls and the load sequence) to the build.
// SessionBuildAndLaunch: building and launching a 500-question session from banks of 20 units
// of 25, 50 and 99 questions of 10 steps each (goal: under 100 ms, linear in the bank's size).

#include "cover/cover_faces.h"
#include "cover/frm_fengmian.h"
#include "cover/session_builder.h"
#include "platform/files.h"
#include "platform/vb.h"
#include "platform/vb_picture.h"
#include "session_state/session_state.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <optional>
#include <vector>

namespace {

void writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    platform::saveText(path, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// A copy of the sample installation (its folders and the files beside them) that the started
// programs may write their records into.
QString sampleCopy()
{
    static QTemporaryDir dir;
    static const bool copied = [] {
        const QDir from(QStringLiteral(TALVESK_SAMPLE_DIR));
        const auto copy = [&from](const QString& rel) { QFile::copy(from.filePath(rel), dir.filePath(rel)); };
        for (const QString& folder : {QStringLiteral("data"), QStringLiteral("examdata"), QStringLiteral("ksdata")}) {
            QDir().mkpath(dir.filePath(folder));
            for (const QString& f : QDir(from.filePath(folder)).entryList(QDir::Files))
                copy(folder + u'/' + f);
        }
        for (const QString& f : from.entryList({QStringLiteral("*.CUR"), QStringLiteral("sMenu.sys"), QStringLiteral("ver.txt")}, QDir::Files))
            copy(f);
        return true;
    }();
    (void)copied;
    return dir.path();
}

struct Probe {
    QString program;
    QStringList args;
};

Probe labelProbe(const QStringList& args = {}) { return {QStringLiteral(TALVESK_LABEL_PROBE), args}; }
Probe programProbe(const QStringList& args = {}) { return {QStringLiteral(TALVESK_START_PROBE), QStringList{sampleCopy()} + args}; }

// Runs a probe until it prints `until`; the wall time from the start of the process in ms and
// the rest of that output line, or nothing when the probe failed.
std::optional<std::pair<double, QByteArray>> runProbe(const Probe& probe, const QByteArray& until)
{
    QTemporaryDir tmp; // a lock folder of its own: another running copy must not refuse this one
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    if (!env.contains(QStringLiteral("QT_QPA_PLATFORM")) && !env.value(QStringLiteral("DISPLAY")).isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    QProcess p;
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(probe.program, probe.args);
    QByteArray out;
    while (!out.contains(until + ' ') && !out.contains(until + '\n')) {
        if (!p.waitForReadyRead(10000)) {
            p.kill();
            p.waitForFinished(5000);
            return std::nullopt;
        }
        out += p.readAllStandardOutput();
    }
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    p.waitForFinished(5000);
    out += p.readAllStandardOutput();
    const qsizetype at = out.indexOf(until) + until.size();
    return std::pair{ms, out.mid(at, out.indexOf('\n', at) - at).trimmed()};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n == 0 ? 0.0 : n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Median, lowest and highest of a figure, as counters named after it.
void reportFigure(benchmark::State& state, const std::string& name, const std::vector<double>& v)
{
    state.counters[name] = median(v);
    state.counters[name + "_min"] = v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
    state.counters[name + "_max"] = v.empty() ? 0.0 : *std::max_element(v.begin(), v.end());
}

void StartToCover(benchmark::State& state)
{
    std::vector<double> cover, label;
    for (auto _ : state) {
        const auto l = runProbe(labelProbe(), "shown");
        const auto c = runProbe(programProbe(), "shown");
        if (!l || !c) {
            state.SkipWithError("a probe did not show its window");
            return;
        }
        label.push_back(l->first);
        cover.push_back(c->first);
        state.SetIterationTime(c->first / 1e3);
    }
    reportFigure(state, "cover_ms", cover);
    reportFigure(state, "label_ms", label);
    state.counters["ratio"] = median(cover) / (median(label) + 100.0);
}

void BareWindowStart(benchmark::State& state)
{
    for (auto _ : state) {
        const auto b = runProbe({QStringLiteral(TALVESK_BARE_PROBE), {}}, "shown");
        if (!b) {
            state.SkipWithError("the probe did not show its window");
            return;
        }
        state.SetIterationTime(b->first / 1e3);
    }
}

void ResidentMemory(benchmark::State& state)
{
    std::vector<double> cover, practice, label;
    const auto mib = [](const auto& run) { return run->second.toDouble() / 1024.0; };
    for (auto _ : state) {
        const auto l = runProbe(labelProbe({QStringLiteral("rss")}), "rss");
        const auto c = runProbe(programProbe({QStringLiteral("rss-cover")}), "rss");
        const auto p = runProbe(programProbe({QStringLiteral("rss-practice")}), "rss");
        if (!l || !c || !p) {
            state.SkipWithError("a probe did not report its memory");
            return;
        }
        label.push_back(mib(l));
        cover.push_back(mib(c));
        practice.push_back(mib(p));
        state.SetIterationTime((l->first + c->first + p->first) / 1e3);
    }
    reportFigure(state, "cover_MiB", cover);
    reportFigure(state, "practice_MiB", practice);
    reportFigure(state, "label_MiB", label);
    state.counters["cover_ratio"] = median(cover) / median(label);
    state.counters["practice_ratio"] = median(practice) / median(label);
}

// An installation holding the sample's faces, 20 units of 42 questions and their progress.
struct CoverInstallation {
    QTemporaryDir app;
    CoverInstallation()
    {
        resetSession();
        SessionState& s = S();
        s.AppPath = app.path();
        s.DataDir = app.filePath(QStringLiteral("data")) + u'/';
        QDir().mkpath(app.filePath(QStringLiteral("ksdata")));
        const QDir sample(QStringLiteral(TALVESK_SAMPLE_DIR "/data"));
        QDir().mkpath(s.DataDir);
        for (const QString& f : sample.entryList({QStringLiteral("l*.mxy"), QStringLiteral("9l0015.mxy")}, QDir::Files))
            QFile::copy(sample.filePath(f), s.DataDir + f);
        QString counts, progress;
        QStringList lines;
        for (int u = 0; u < 20; ++u) {
            counts += QStringLiteral("42");
            s.UnitTable[static_cast<std::size_t>(u)][0] = QStringLiteral("第%1章 单元").arg(u + 1);
            lines << QStringLiteral("TF").repeated(21);
        }
        writeLines(s.DataDir + QStringLiteral("288891.mxy"), {QStringLiteral("0020"), counts});
        writeLines(app.filePath(QStringLiteral("ksdata/288893.mxy")), lines);
        writeLines(s.DataDir + QStringLiteral("288895.mxy"), {QStringLiteral("202601011200")});
        writeLines(app.filePath(QStringLiteral("ksdata/170100.mxy")), {QStringLiteral("公告"), QStringLiteral("&HFF")});
        s.sysInfo[29] = QStringLiteral("&H666666");
    }
};

// The first load of the window on an installation not seen before (no picture decoded yet):
// its controls, the load and the build.
void CoverLoad(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            CoverInstallation inst;
            state.ResumeTiming();
            benchmark::DoNotOptimize(&frmFengmian());
            state.PauseTiming();
            vb::Forms::unloadAll();
        }
        state.ResumeTiming();
    }
}

// The page build on a loaded window, as every return from a session runs it.
void CoverBuild(benchmark::State& state)
{
    CoverInstallation inst;
    FrmFengmian& f = frmFengmian();
    for (auto _ : state)
        f.FengMainCsh();
    vb::Forms::unloadAll();
}

void DecodeCoverFaces(benchmark::State& state)
{
    CoverInstallation inst;
    const QStringList names = cover::coverFaceNames();
    for (auto _ : state) {
        for (const QString& n : names)
            benchmark::DoNotOptimize(QImage(S().DataDir + n + QStringLiteral(".mxy")));
        benchmark::DoNotOptimize(vb::LoadCursor(S().DataDir + QStringLiteral("9l0015.mxy")));
    }
}

void SessionBuildAndLaunch(benchmark::State& state)
{
    const int perUnit = static_cast<int>(state.range(0));
    QTemporaryDir app;
    resetSession();
    SessionState& s = S();
    s.AppPath = app.path();
    s.DataDir = app.filePath(QStringLiteral("data")) + u'/';
    QDir().mkpath(app.filePath(QStringLiteral("ksdata")));
    const QString record = QString(212, u'7');
    for (int u = 0; u < 20; ++u) {
        QStringList questions, steps;
        for (int q = 1; q <= perUnit; ++q) {
            questions << QStringLiteral("%1%2%3").arg(u, 2, 10, QChar(u'0')).arg(q, 2, 10, QChar(u'0')).arg(10) +
                             QStringLiteral("在工作表中完成第%1题的操作。").arg(q);
            for (int k = 0; k < 10; ++k)
                steps << record;
        }
        writeLines(s.DataDir + QStringLiteral("2888%1.mxy").arg(70 + u), questions);
        writeLines(s.DataDir + QStringLiteral("2888%1.mxy").arg(20 + u), steps);
    }
    QString list;
    for (int i = 0; i < 500; ++i)
        list += QStringLiteral("%1%2").arg(i % 20, 2, 10, QChar(u'0')).arg((i * 7) % perUnit + 1, 2, 10, QChar(u'0'));
    writeLines(app.filePath(QStringLiteral("ksdata/288862.mxy")), {list.left(400)});
    for (auto _ : state) {
        cover::InitShiTi(list, 19);
        s.SessionKind = 9;
        s.SetIndex = 10;
        benchmark::DoNotOptimize(cover::prepareLaunch(s));
    }
    state.counters["bank_lines"] = 20.0 * perUnit * 11;
}

} // namespace

BENCHMARK(BareWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(StartToCover)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(21);
BENCHMARK(ResidentMemory)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(9);
BENCHMARK(DecodeCoverFaces)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(CoverBuild)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(CoverLoad)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SessionBuildAndLaunch)->Arg(25)->Arg(50)->Arg(99)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

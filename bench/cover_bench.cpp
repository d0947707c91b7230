// The cover page's benchmarks.
//
// StartToCover against BareWindowStart: the program started as a separate process on the sample
// installation until its cover page first paints, against a bare Qt Widgets window program
// started the same way (goal: within 1.2 x the bare start plus the splash's 100 ms tick).
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

namespace {

void writeLines(const QString& path, const QStringList& lines)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    platform::saveText(path, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

// Runs a probe until it prints "shown"; the wall time from the start of the process.
void startProcess(benchmark::State& state, const QString& program, const QStringList& args)
{
    QTemporaryDir tmp; // a lock folder of its own: another running copy must not refuse this one
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("TMPDIR"), tmp.path());
    for (auto _ : state) {
        QProcess p;
        p.setProcessEnvironment(env);
        QElapsedTimer t;
        t.start();
        p.start(program, args);
        while (!p.readAllStandardOutput().contains("shown")) {
            if (!p.waitForReadyRead(5000)) {
                state.SkipWithError("the probe did not show its window");
                return;
            }
        }
        state.SetIterationTime(static_cast<double>(t.nsecsElapsed()) / 1e9);
        p.waitForFinished(5000);
    }
}

void StartToCover(benchmark::State& state)
{
    startProcess(state, QStringLiteral(TALVESK_START_PROBE), {QStringLiteral(TALVESK_SAMPLE_DIR)});
}
void BareWindowStart(benchmark::State& state) { startProcess(state, QStringLiteral(TALVESK_BARE_PROBE), {}); }

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
BENCHMARK(StartToCover)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(DecodeCoverFaces)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(CoverBuild)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(CoverLoad)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(SessionBuildAndLaunch)->Arg(25)->Arg(50)->Arg(99)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

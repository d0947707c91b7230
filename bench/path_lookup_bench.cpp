// Lookups without regard to case, and the updater's planning, in folders of many files.
//
// LookupOtherCase against LookupExact: one name of a folder of 4 000 files, asked in another
// case than the file's against as spelled, once the folder has been listed (goal: within a few
// times the exact one).
// PlanRun: the update run's plan of a list of 1 000, 10 000 and 40 000 entries whose files are
// all missing, with 20 and 4 000 files in the data folder (goal: time linear in the entries and
// flat in the size of the folder).
//
// The folders stand as an installation's do, last changed long before the lookups.

#include "platform/files.h"
#include "update/update_run.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <ctime>
#include <fcntl.h>
#include <map>
#include <sys/stat.h>

namespace {

// An installation whose data folder holds `files` files "L2NNNNN.MXY", made once for each size.
QString installationWith(int files)
{
    static std::map<int, std::unique_ptr<QTemporaryDir>> made;
    auto& dir = made[files];
    if (!dir) {
        dir = std::make_unique<QTemporaryDir>();
        const QString data = dir->filePath(QStringLiteral("data"));
        QDir().mkpath(data);
        for (int i = 0; i < files; ++i) {
            QFile f(data + QStringLiteral("/L2%1.MXY").arg(i, 5, 10, QLatin1Char('0')));
            f.open(QIODevice::WriteOnly);
        }
        const timespec times[2] = {{0, UTIME_OMIT}, {::time(nullptr) - 3600, 0}};
        ::utimensat(AT_FDCWD, QFile::encodeName(data).constData(), times, 0);
    }
    return dir->path();
}

void LookupExact(benchmark::State& state)
{
    const QString path = installationWith(4000) + QStringLiteral("/data/L201234.MXY");
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::resolvePath(path));
}
BENCHMARK(LookupExact)->Unit(benchmark::kMicrosecond);

void LookupOtherCase(benchmark::State& state)
{
    const QString path = installationWith(4000) + QStringLiteral("/data/l201234.mxy");
    if (platform::resolvePath(path) == path)
        state.SkipWithError("not found");
    for (auto _ : state)
        benchmark::DoNotOptimize(platform::resolvePath(path));
}
BENCHMARK(LookupOtherCase)->Unit(benchmark::kMicrosecond);

void PlanRun(benchmark::State& state)
{
    const int entries = static_cast<int>(state.range(0));
    const update::RunPlace place{installationWith(static_cast<int>(state.range(1))), QStringLiteral("data"), QStringLiteral("http://127.0.0.1:81"),
                                 QStringLiteral("Excel"), QStringLiteral("talvesk.exe"), false};
    QStringList lines{QStringLiteral("201601021530")};
    for (int i = 0; i < entries; ++i)
        lines << QStringLiteral("D201601021530m%1.mxy").arg(i, 6, 10, QLatin1Char('0'));
    for (auto _ : state)
        benchmark::DoNotOptimize(update::planRun(lines, place));
    state.SetItemsProcessed(state.iterations() * entries);
}
BENCHMARK(PlanRun)
    ->ArgNames({"entries", "files"})
    ->ArgsProduct({{1000, 10000, 40000}, {20, 4000}})
    ->Unit(benchmark::kMillisecond);

} // namespace

// The rename run and its restore, each beside the plainest loop that does
// the same renames and writes the same lines (buffered, written once).
// Columns: ours_ms and plain_ms are medians of wall time, ratio the median
// of the per-iteration ratios (ours / plain), cpu_ratio the same for
// processor time.
#include "batch/script.h"
#include "platform/rename.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <sys/resource.h>

namespace {

constexpr int kFiles = 20000;
const QString kPrefix = QStringLiteral("A");

// A folder of kFiles small files that is the working directory while the
// benchmarks run. QM_BENCH_DIR chooses where it is made.
class Folder {
public:
    Folder()
        : dir_(qEnvironmentVariableIsSet("QM_BENCH_DIR")
                   ? qEnvironmentVariable("QM_BENCH_DIR") + "/qm-bench-XXXXXX"
                   : QDir::tempPath() + "/qm-bench-XXXXXX")
    {
        if (!dir_.isValid() || !QDir::setCurrent(dir_.path()))
            std::abort();
        for (int i = 0; i < kFiles; ++i) {
            const QString name = QStringLiteral("photo_%1.jpg").arg(i, 5, 10, QChar(u'0'));
            QFile file(name);
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            file.write("x");
            names_ << name;
        }
    }

    const QStringList& names() const { return names_; }

private:
    QTemporaryDir dir_;
    QStringList names_;
};

Folder& folder()
{
    static Folder f;
    return f;
}

renamer::Transform prefixTransform()
{
    return [](const QString& name, int) { return renamer::addPrefix(name, kPrefix); };
}

void runForward()
{
    renamer::RunOptions options;
    options.refreshEveryEntry = true;
    options.progress = [](int counter) { benchmark::DoNotOptimize(counter); };
    const auto report = renamer::runRename(folder().names(), prefixTransform(), options);
    if (report.renamed != kFiles)
        std::abort();
}

void restore()
{
    const auto report = batch::runScript(QStringLiteral("modosu.bat"));
    if (report.renamed != kFiles)
        std::abort();
}

// The plain loop: rename without replacing, the undo line gathered in a
// buffer and written once at the end.
void plainForward()
{
    QByteArray lines;
    for (const QString& old : folder().names()) {
        const QString name = kPrefix + old;
        lines += "ren    " + QFile::encodeName(name) + "    " + QFile::encodeName(old) + "\r\n";
        if (platform::renameNoReplace(old, name) != platform::RenameStatus::Renamed)
            std::abort();
    }
    QFile script(QStringLiteral("plain.bat"));
    if (!script.open(QIODevice::WriteOnly) || script.write(lines) != lines.size())
        std::abort();
}

void plainBack()
{
    QFile script(QStringLiteral("plain.bat"));
    if (!script.open(QIODevice::ReadOnly))
        std::abort();
    benchmark::DoNotOptimize(script.readAll());
    const QStringList& names = folder().names();
    for (qsizetype i = names.size() - 1; i >= 0; --i) {
        if (platform::renameNoReplace(kPrefix + names[i], names[i]) != platform::RenameStatus::Renamed)
            std::abort();
    }
}

// Wall and processor time of one call.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
};

template <typename F>
Timing timed(F&& f)
{
    const auto wall = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    f();
    const std::clock_t cpuEnd = std::clock();
    const auto wallEnd = std::chrono::steady_clock::now();
    return {std::chrono::duration<double, std::milli>(wallEnd - wall).count(),
            1000.0 * double(cpuEnd - cpu) / CLOCKS_PER_SEC};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The machine is shared, so each iteration times our side and the plain side
// back to back (alternating which goes first) and the ratio is taken per
// pair; a slow spell then hits both sides of a pair alike.
void compare(benchmark::State& state, void (*ours)(), void (*plain)(), void (*setUpOurs)(), void (*setUpPlain)(),
             void (*tearDownOurs)(), void (*tearDownPlain)())
{
    folder();
    std::vector<double> wallRatios, cpuRatios, oursMs, plainMs;
    bool oursFirst = false;
    for (auto _ : state) {
        Timing a, b;
        for (int side = 0; side < 2; ++side) {
            if ((side == 0) == oursFirst) {
                setUpOurs();
                a = timed(ours);
                tearDownOurs();
            } else {
                setUpPlain();
                b = timed(plain);
                tearDownPlain();
            }
        }
        oursFirst = !oursFirst;
        state.SetIterationTime(a.wallMs / 1000.0);
        oursMs.push_back(a.wallMs);
        plainMs.push_back(b.wallMs);
        wallRatios.push_back(a.wallMs / b.wallMs);
        cpuRatios.push_back(b.cpuMs > 0 ? a.cpuMs / b.cpuMs : 0);
    }
    state.counters["ours_ms"] = median(oursMs);
    state.counters["plain_ms"] = median(plainMs);
    state.counters["ratio"] = median(wallRatios);
    state.counters["cpu_ratio"] = median(cpuRatios);
    state.SetItemsProcessed(state.iterations() * kFiles);
    // Peak of the whole process: run_bench.sh runs each benchmark alone.
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
}

void nothing() {}

void BM_RenameRun(benchmark::State& state)
{
    compare(state, runForward, plainForward, nothing, nothing, restore, plainBack);
}

void BM_Restore(benchmark::State& state)
{
    compare(state, restore, plainBack, runForward, plainForward, nothing, nothing);
}

BENCHMARK(BM_RenameRun)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(9);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

// The rename run and its restore, each beside the plain C loop that does
// the same durable work (qmb_loop.c) over the same folder of mixed names.
// Columns: ours_ms and c_ms are medians of wall time, ratio the median of
// the per-iteration ratios (ours / C), cpu_ratio the same for processor
// time; *_user_ms and *_sys_ms are medians of its two parts.
#include "batch/undo_line.h"
#include "batch/undo_script.h"
#include "platform/heap.h"
#include "renamer/core/listed_folder.h"
#include "renamer/core/rename_run.h"
#include "renamer/core/transforms.h"

#include "qmb.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace {

constexpr int kFiles = 20000;
constexpr char kPrefix[] = "new_";

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "rename_bench: %s\n", what);
    std::abort();
}

// A folder of kFiles mixed names that is the working directory while the
// benchmarks run. QM_BENCH_DIR chooses where it is made.
class Folder {
public:
    Folder()
        : dir_(qEnvironmentVariableIsSet("QM_BENCH_DIR")
                   ? qEnvironmentVariable("QM_BENCH_DIR") + "/qm-bench-XXXXXX"
                   : QDir::tempPath() + "/qm-bench-XXXXXX")
    {
        const QByteArray path = QFile::encodeName(dir_.path() + "/files");
        if (!dir_.isValid() || qmb_make_folder(path.constData(), kFiles) != 0 || ::chdir(path.constData()) != 0)
            fail("cannot make the folder of names");
        char *first = nullptr, *last = nullptr;
        qmb_result plan{};
        if (qmb_plan_prefix(kPrefix, &plan, &first, &last) != 0)
            fail("cannot plan the run");
        std::free(first);
        std::free(last);
        renames_ = kFiles - int(plan.skipped);
    }

    // Renames a prefix run makes here: every name but the .exe and .dll.
    int renames() const { return renames_; }

private:
    QTemporaryDir dir_;
    int renames_ = 0;
};

Folder& folder()
{
    static Folder f;
    return f;
}

const QString kScript = QStringLiteral("modosu.bat");

// The run as the window starts it, but from the listing, as the C loop does.
// Every side asks for the folder first: it is what makes the folder the
// working directory, and nothing may be renamed anywhere else.
void runOurs()
{
    const int expected = folder().renames();
    renamer::ListedFolder listed(QStringLiteral("."));
    if (listed.files().isEmpty())
        fail("cannot list the folder");
    renamer::RunOptions options;
    options.refreshEveryEntry = true;
    options.listed = &listed;
    options.progress = [](int counter) { benchmark::DoNotOptimize(counter); };
    const QString prefix = QString::fromLatin1(kPrefix);
    const auto transform = [&](const QString& name, int) { return renamer::addPrefix(name, prefix); };
    if (renamer::runRename(listed.files(), transform, options).renamed != expected)
        fail("our run renamed too few");
}

void restoreOurs()
{
    const int expected = folder().renames();
    if (batch::runUndoScript(kScript).restored != expected)
        fail("our restore renamed too few");
}

void runC()
{
    const int expected = folder().renames();
    qmb_result result{};
    if (qmb_run_prefix(kPrefix, &result) != 0 || result.renamed != expected)
        fail("the C run renamed too few");
}

void restoreC()
{
    const int expected = folder().renames();
    qmb_result result{};
    if (qmb_restore("modosu.bat", &result) != 0 || result.renamed != expected)
        fail("the C restore renamed too few");
}

// Without a look at any line's shape: the plainest restore there is.
void restorePlainC()
{
    const int expected = folder().renames();
    qmb_result result{};
    if (qmb_restore_plain("modosu.bat", &result) != 0 || result.renamed != expected)
        fail("the plain C restore renamed too few");
}

QByteArray scriptBytes()
{
    QFile script(kScript);
    if (!script.open(QIODevice::ReadOnly))
        fail("no undo script");
    return script.readAll();
}

// Both sides must do the same work: the same script, byte for byte.
void checkSameScript()
{
    static bool checked = false;
    if (checked)
        return;
    runOurs();
    const QByteArray ours = scriptBytes();
    restoreOurs();
    runC();
    const QByteArray c = scriptBytes();
    restoreC();
    if (ours != c)
        fail("our undo script and the C loop's differ");
    checked = true;
}

// Each side starts with the disk idle: no writeback left over from the
// other side's work is charged to it.
void settle()
{
    ::sync();
}

void dropScript()
{
    folder();
    QFile::remove(kScript);
}

// Wall and processor time of one call, the latter also split into the
// time in the program and the time in the kernel.
struct Timing {
    double wallMs = 0;
    double cpuMs = 0;
    double userMs = 0;
    double systemMs = 0;
};

double milliseconds(const timeval& t)
{
    return double(t.tv_sec) * 1000.0 + double(t.tv_usec) / 1000.0;
}

template <typename F>
Timing timed(F&& f)
{
    struct rusage usage {}, usageEnd {};
    getrusage(RUSAGE_SELF, &usage);
    const auto wall = std::chrono::steady_clock::now();
    const std::clock_t cpu = std::clock();
    f();
    const std::clock_t cpuEnd = std::clock();
    const auto wallEnd = std::chrono::steady_clock::now();
    getrusage(RUSAGE_SELF, &usageEnd);
    return {std::chrono::duration<double, std::milli>(wallEnd - wall).count(),
            1000.0 * double(cpuEnd - cpu) / CLOCKS_PER_SEC,
            milliseconds(usageEnd.ru_utime) - milliseconds(usage.ru_utime),
            milliseconds(usageEnd.ru_stime) - milliseconds(usage.ru_stime)};
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The machine is shared, so each iteration times our side and the C side
// back to back (alternating which goes first) and the ratio is taken per
// pair; a slow spell then hits both sides of a pair alike.
void compare(benchmark::State& state, void (*ours)(), void (*plain)(), void (*setUpOurs)(), void (*setUpPlain)(),
             void (*tearDownOurs)(), void (*tearDownPlain)())
{
    folder();
    checkSameScript();
    std::vector<double> wallRatios, cpuRatios, oursMs, plainMs, oursUser, plainUser, oursSystem, plainSystem;
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
        oursUser.push_back(a.userMs);
        plainUser.push_back(b.userMs);
        oursSystem.push_back(a.systemMs);
        plainSystem.push_back(b.systemMs);
        wallRatios.push_back(a.wallMs / b.wallMs);
        cpuRatios.push_back(b.cpuMs > 0 ? a.cpuMs / b.cpuMs : 0);
    }
    state.counters["ours_ms"] = median(oursMs);
    state.counters["c_ms"] = median(plainMs);
    state.counters["ratio"] = median(wallRatios);
    state.counters["cpu_ratio"] = median(cpuRatios);
    // Where a gap lies: in the program or in the kernel's work.
    state.counters["ours_user_ms"] = median(oursUser);
    state.counters["c_user_ms"] = median(plainUser);
    state.counters["ours_sys_ms"] = median(oursSystem);
    state.counters["c_sys_ms"] = median(plainSystem);
    state.SetItemsProcessed(state.iterations() * kFiles);
    // Peak of the whole process: run_bench.sh runs each benchmark alone.
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = double(usage.ru_maxrss) / 1024.0;
}

void BM_RenameRun(benchmark::State& state)
{
    compare(state, runOurs, runC, settle, settle, [] { restoreOurs(); dropScript(); }, [] { restoreC(); dropScript(); });
}

void BM_Restore(benchmark::State& state)
{
    compare(state, restoreOurs, restoreC, [] { runOurs(); settle(); }, [] { runC(); settle(); }, dropScript, dropScript);
}

void BM_RestorePlain(benchmark::State& state)
{
    compare(state, restoreOurs, restorePlainC, [] { runOurs(); settle(); }, [] { runC(); settle(); }, dropScript,
            dropScript);
}

BENCHMARK(BM_RenameRun)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(21);
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(21);
BENCHMARK(BM_RestorePlain)->Unit(benchmark::kMillisecond)->UseManualTime()->Iterations(21);

} // namespace

int main(int argc, char** argv)
{
    // As the window's process does: the runs and restores of one process
    // reuse the pages the ones before them freed.
    platform::keepFreedMemory();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

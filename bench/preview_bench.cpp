// The mode buttons' preview over a full work list (20,001 mixed names): it
// is worked out while the pointer rests on a button, so it must take well
// under a frame of a slow screen (20 ms). Touches no file.
#include "renamer/core/rename_run.h"
#include "renamer/ui/preview_text.h"

#include "qmb.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

const QStringList& workList()
{
    static const QStringList names = [] {
        char** mixed = qmb_mixed_names(renamer::kNameTableSize);
        if (!mixed) {
            std::fprintf(stderr, "preview_bench: out of memory\n");
            std::abort();
        }
        QStringList list;
        for (int i = 0; i < renamer::kNameTableSize; ++i)
            list.append(QString::fromUtf8(mixed[i]));
        qmb_free_names(mixed, renamer::kNameTableSize);
        return list;
    }();
    return names;
}

// The parameters a user would type: start "1" for numbering.
void BM_Preview(benchmark::State& state, const renamer::ModeParams& params)
{
    const QStringList& names = workList();
    for (auto _ : state)
        benchmark::DoNotOptimize(quillmere::previewText(renamer::previewRun(params, names)));
}

using renamer::ModeParams;
BENCHMARK_CAPTURE(BM_Preview, prefix, ModeParams(renamer::Prefix{"new_"}))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, replace, ModeParams(renamer::Replace{"a", "ア"}))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, number_front, ModeParams(renamer::Number{{}, 1, false}))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, delete_before, ModeParams(renamer::DeleteBefore{"-", false}))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, remove_tag, ModeParams(renamer::RemoveTag{}))->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

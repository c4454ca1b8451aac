// The mode buttons' preview over a full work list (20,001 mixed names): it
// is worked out while the pointer rests on a button, so it must take well
// under a frame of a slow screen (20 ms). Touches no file.
#include "renamer/core/preview.h"
#include "renamer/core/rename_run.h"

#include "qmb.h"

#include <QStringList>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>

namespace {

using renamer::Mode;

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

void BM_Preview(benchmark::State& state, Mode mode)
{
    renamer::Boxes boxes;
    boxes.text6 = QStringLiteral("new_");
    boxes.text4 = QStringLiteral("a");
    boxes.text5 = QStringLiteral("ア");
    boxes.text8 = QStringLiteral("1");
    boxes.text11 = QStringLiteral("-");
    const QStringList& names = workList();
    for (auto _ : state)
        benchmark::DoNotOptimize(renamer::previewText(renamer::previewRun(mode, boxes, names)));
}

BENCHMARK_CAPTURE(BM_Preview, prefix, Mode::Prefix)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, replace, Mode::Replace)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, number_front, Mode::NumberFront)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, delete_before, Mode::DeleteBefore)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Preview, remove_tag, Mode::RemoveTag)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

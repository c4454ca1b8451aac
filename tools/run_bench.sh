#!/bin/sh
# Runs the benchmarks of a build folder made with -DQM_BENCH=ON: each rename
# benchmark in a process of its own (so its peak memory is its own), then the
# start-up of quillmere in a folder of 20,000 files.
# Usage: tools/run_bench.sh BUILD_FOLDER [benchmark options]
set -eu
build=${1:?usage: tools/run_bench.sh BUILD_FOLDER}
shift
bin="$build/bin/rename_bench"
if [ ! -x "$bin" ]; then
    echo "run_bench: $bin is missing; configure with -DQM_BENCH=ON and build first" >&2
    exit 1
fi
for name in BM_RenameRun BM_Restore; do
    "$bin" --benchmark_color=false --benchmark_filter="^$name/" "$@"
done
"$(dirname "$0")/bench_startup.sh" "$build"

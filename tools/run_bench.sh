#!/bin/sh
# Runs the benchmarks of a build folder made with -DQM_BENCH=ON.
# Usage: tools/run_bench.sh BUILD_FOLDER [benchmark options]
set -eu
build=${1:?usage: tools/run_bench.sh BUILD_FOLDER}
shift
bin="$build/bin/rename_bench"
if [ ! -x "$bin" ]; then
    echo "run_bench: $bin is missing; configure with -DQM_BENCH=ON and build first" >&2
    exit 1
fi
exec "$bin" --benchmark_color=false "$@"

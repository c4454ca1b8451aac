#!/bin/sh
# Runs the benchmarks of a build folder made with -DQM_BENCH=ON, then prints
# one table: each figure beside its baseline and target.
#   - rename_bench: the run and the restore beside the C loops, each
#     benchmark in a process of its own (so its peak memory is its own);
#   - bench_gui.sh: the same from outside, through the window;
#   - bench_startup.sh: start-up in folders of 20,000 and 100,000 names.
# Usage: tools/run_bench.sh BUILD_FOLDER [benchmark options]
set -eu
build=${1:?usage: tools/run_bench.sh BUILD_FOLDER}
shift
tools=$(dirname "$0")
bin="$build/bin/rename_bench"
if [ ! -x "$bin" ]; then
    echo "run_bench: $bin is missing; configure with -DQM_BENCH=ON and build first" >&2
    exit 1
fi
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
QM_BENCH_RESULTS="$tmp/results"
export QM_BENCH_RESULTS
: >"$QM_BENCH_RESULTS"

# A counter of the benchmark's JSON report (one key a line).
field() {
    sed -n "s/^ *\"$1\": \\([-+.0-9eE]*\\),\\{0,1\\}\$/\\1/p" "$2" | head -n1
}

for name in BM_RenameRun BM_Restore; do
    "$bin" --benchmark_color=false --benchmark_filter="^$name/" \
        --benchmark_out="$tmp/$name.json" --benchmark_out_format=json "$@"
    case $name in
        BM_RenameRun) what="rename run" ;;
        *) what="restore" ;;
    esac
    printf '%s (rename_bench)\t%.0f ms\t%.0f ms\t%.3f\t<=\t1.05\n' "$what" \
        "$(field ours_ms "$tmp/$name.json")" "$(field c_ms "$tmp/$name.json")" \
        "$(field ratio "$tmp/$name.json")" >>"$QM_BENCH_RESULTS"
done
"$tools/bench_gui.sh" "$build"
"$tools/bench_startup.sh" "$build" 20000
"$tools/bench_startup.sh" "$build" 100000

echo
echo "Figures (ratios: ours / C loop, median of per-pair ratios):"
awk -F '\t' '
    BEGIN {
        fmt = "| %-48s | %-9s | %-9s | %-7s | %-10s | %-4s |\n"
        printf fmt, "Measurement", "Ours", "Baseline", "Figure", "Target", "Met"
        printf fmt, "---", "---", "---", "---", "---", "---"
    }
    {
        met = ($5 == "<") ? ($4 + 0 < $6 + 0) : ($4 + 0 <= $6 + 0)
        printf fmt, $1, $2, $3, $4, $5 " " $6 ($7 == "" ? "" : " " $7), met ? "yes" : "no"
    }' "$QM_BENCH_RESULTS"

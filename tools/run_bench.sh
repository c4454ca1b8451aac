#!/bin/sh
# Runs the benchmarks of a build folder (a Release build), then prints
# one table: each figure beside its baseline and target.
#   - rename_bench: the run and the restore beside the C loops (the restore
#     also beside a plainer loop that looks at no line), each benchmark in a
#     process of its own (so its peak memory is its own);
#   - bench_gui.sh: the same from outside, through the window;
#   - preview_bench: the mode buttons' preview over 20,001 names;
#   - bench_startup.sh: start-up in folders of 20,000 and 100,000 names.
# Usage: tools/run_bench.sh BUILD_FOLDER [benchmark options]
set -eu
build=${1:?usage: tools/run_bench.sh BUILD_FOLDER}
shift
# Options for rename_bench, split at blanks.
bench_options="$*"
tools=$(dirname "$0")
bin="$build/bin/rename_bench"
if [ ! -x "$bin" ]; then
    echo "run_bench: $bin is missing; build it first (make bench)" >&2
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

# A part that fails still gets its rows, marked so, and the rest goes on.
failed=0
part() {
    rows=$1
    shift
    if ! "$@"; then
        printf "$rows" >>"$QM_BENCH_RESULTS"
        failed=1
    fi
}
# One benchmark of rename_bench (in a process of its own) and its row.
cxx_bench() {
    # shellcheck disable=SC2086
    "$bin" --benchmark_color=false --benchmark_filter="^$1/" \
        --benchmark_out="$tmp/$1.json" --benchmark_out_format=json $bench_options || return 1
    printf '%s (rename_bench)\t%.0f ms\t%.0f ms\t%.3f\t<=\t%s\n' "$2" \
        "$(field ours_ms "$tmp/$1.json")" "$(field c_ms "$tmp/$1.json")" \
        "$(field ratio "$tmp/$1.json")" "$3" >>"$QM_BENCH_RESULTS"
}
part 'rename run (rename_bench)\tfailed\t-\t-\t<=\t1.05\n' cxx_bench BM_RenameRun "rename run" 1.05
part 'restore (rename_bench)\tfailed\t-\t-\t<=\t1.05\n' cxx_bench BM_Restore restore 1.05
part 'restore, plainer loop (rename_bench)\tfailed\t-\t-\t<=\t1.15\n' \
    cxx_bench BM_RestorePlain "restore, plainer loop" 1.15
part 'rename run (window, from outside)\tfailed\t-\t-\t<=\t1.15\nrestore (window, from outside)\tfailed\t-\t-\t<=\t1.15\nrestore, plainer loop (window, from outside)\tfailed\t-\t-\t<=\t1.15\n' \
    "$tools/bench_gui.sh" "$build"
# The mode buttons' preview over a full work list: the slowest mode, whose
# mean must stay under 20 ms.
preview_bench() {
    "$build/bin/preview_bench" --benchmark_color=false \
        --benchmark_out="$tmp/preview.json" --benchmark_out_format=json >/dev/null || return 1
    worst=$(sed -n 's/^ *"real_time": \([-+.0-9eE]*\),\{0,1\}$/\1/p' "$tmp/preview.json" | sort -g | tail -n1)
    printf 'preview, 20,001 names (slowest mode)\t%.1f ms\t-\t%.1f\t<\t20\tms\n' "$worst" "$worst" >>"$QM_BENCH_RESULTS"
}
part 'preview, 20,001 names (slowest mode)\tfailed\t-\t-\t<\t20\tms\n' preview_bench
for files in 20000 100000; do
    if [ "$files" -le 20001 ]; then ms=300; else ms=600; fi
    part "start-up, $files files (until the window)\tfailed\t-\t-\t<\t$ms\tms\n" \
        "$tools/bench_startup.sh" "$build" "$files"
done

echo
echo "Figures (ratios: ours / C loop, median of per-pair ratios):"
awk -F '\t' '
    BEGIN {
        fmt = "| %-48s | %-9s | %-9s | %-7s | %-10s | %-4s |\n"
        printf fmt, "Measurement", "Ours", "Baseline", "Figure", "Target", "Met"
        printf fmt, "---", "---", "---", "---", "---", "---"
    }
    {
        met = $4 != "-" && (($5 == "<") ? ($4 + 0 < $6 + 0) : ($4 + 0 <= $6 + 0))
        printf fmt, $1, $2, $3, $4, $5 " " $6 ($7 == "" ? "" : " " $7), met ? "yes" : "no"
    }' "$QM_BENCH_RESULTS"
exit "$failed"

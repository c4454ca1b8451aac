#!/usr/bin/env bash
# Start-up of quillmere in a folder of mixed names (20,000 by default),
# measured from outside the process: from the start of the program until its
# main window is mapped. The window is shown only after its load step has
# filled the work list, so this is the time until the user sees every name.
# Also reports the peak memory.
#
# Past 20,001 files the load step first tells, in a message box, how many
# names were left out, and the main window shows only once it is closed. The
# script closes it (Return) and leaves out the time the box stood waiting:
# the figure is the program's own time until the box, plus from the Return
# until the main window. The main window is told from the box by its size.
#
# Usage: tools/bench_startup.sh BUILD_FOLDER [FILES] [RUNS]
# With QM_BENCH_RESULTS set, appends its figures there for run_bench.sh.
set -euo pipefail
build=$(cd "${1:?usage: tools/bench_startup.sh BUILD_FOLDER [FILES] [RUNS]}" && pwd)
files=${2:-20000}
runs=${3:-5}
program="$build/bin/quillmere"
cloop="$build/bin/qm_c_loop"
for p in "$program" "$cloop"; do
    [ -x "$p" ] || { echo "bench_startup: $p is missing" >&2; exit 1; }
done
if (( files <= 20001 )); then target_ms=300; else target_ms=600; fi
target_mib=64

tmp=$(mktemp -d "${QM_BENCH_DIR:-${TMPDIR:-/tmp}}/qm-startup-XXXXXX")
pids=()
cleanup() {
    for p in "${pids[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
    # An X server still going down could leave its display to the next one
    # half taken.
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir "$tmp/data"
export XDG_DATA_HOME="$tmp/data"
"$cloop" make "$tmp/work" "$files"

own_display=""
if [ -z "${DISPLAY:-}" ]; then
    source "$(dirname "$0")/xvfb.sh"
    xvfb_start 1280x1024 "$tmp"
    pids+=("$XVFB_PID")
    own_display=1
fi
export QT_QPA_PLATFORM=xcb
# On a shared machine a private X server has been seen to go from under a
# client; such a run is tried again on a new one.
restart_display() {
    [ -n "$own_display" ] || return 1
    echo "bench_startup: no window on display $DISPLAY; trying again on a new X server" >&2
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    xvfb_start 1280x1024 "$tmp"
    pids+=("$XVFB_PID")
}

title='ファイルネーム一括変更'
now_us() { echo "${EPOCHREALTIME//[.,]/}"; }
# The id of the main window once it is mapped; closes a message box on the
# way (the box bears the same title). Sets end, box_us (the time until the
# box, 0 without one) and dismissed (when the Return was pressed).
wait_main_window() {
    local start="$1" pid="$2" deadline=$(( $1 + 30000000 )) id WIDTH HEIGHT
    box_us=0 dismissed=""
    while :; do
        for id in $(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null || true); do
            WIDTH="" HEIGHT=""
            eval "$(xdotool getwindowgeometry --shell "$id" 2>/dev/null || true)"
            if [ "${WIDTH:-}" = 924 ] && [ "${HEIGHT:-}" = 348 ]; then
                end=$(now_us)
                return 0
            fi
            # A box: the first sight of it ends the program's part; the
            # time until the Return goes unmeasured (pressed again should
            # the first one be lost).
            if [ -z "$dismissed" ] || (( $(now_us) - dismissed > 500000 )); then
                (( box_us > 0 )) || box_us=$(( $(now_us) - start ))
                dismissed=$(now_us)
                xdotool key Return
            fi
        done
        if ! kill -0 "$pid" 2>/dev/null || (( $(now_us) > deadline )); then
            return 1
        fi
        sleep 0.005
    done
}

times=()
rss=()
boxes=0
for _ in $(seq 1 "$runs"); do
    cd "$tmp/work"
    for attempt in 1 2 3; do
        start=$(now_us)
        /usr/bin/time -f %M -o "$tmp/rss" "$program" >"$tmp/log" 2>&1 &
        pid=$!
        wait_main_window "$start" "$pid" && break
        pkill -TERM -P "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
        if (( attempt == 3 )) || ! restart_display; then
            echo "bench_startup: the window never showed:" >&2
            cat "$tmp/log" >&2
            exit 1
        fi
    done
    if (( box_us > 0 )); then
        boxes=$(( boxes + 1 ))
        start=$(( dismissed - box_us ))
    fi
    # Let it settle, then end it; /usr/bin/time still reports the peak.
    sleep 0.3
    pkill -TERM -P "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    times+=($(( (end - start) / 1000 )))
    rss+=($(( $(tail -n1 "$tmp/rss") / 1024 )))
done

median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
ms=$(median "${times[@]}")
mib=$(median "${rss[@]}")
note=""
(( boxes == 0 )) || note="; the message box was closed in $boxes of $runs runs"
echo "quillmere start-up, $files files, $runs runs: median $ms ms" \
     "(all: ${times[*]} ms), peak memory median $mib MiB$note"
if [ -n "${QM_BENCH_RESULTS:-}" ]; then
    printf 'start-up, %s files (until the window)\t%s ms\t-\t%s\t<\t%s\tms\n' "$files" "$ms" "$ms" "$target_ms" >>"$QM_BENCH_RESULTS"
    printf 'peak memory, start-up with %s files\t%s MiB\t-\t%s\t<\t%s\tMiB\n' "$files" "$mib" "$mib" "$target_mib" >>"$QM_BENCH_RESULTS"
fi

#!/usr/bin/env bash
# Start-up of quillmere in a folder of 20,000 files, measured from outside the
# process: from the start of the program until its main window is mapped. The
# window is shown only after its load step has filled the work list, so this
# is the time until the user sees every name. Also reports the peak memory.
# Usage: tools/bench_startup.sh BUILD_FOLDER [FILES] [RUNS]
set -euo pipefail
build=$(cd "${1:?usage: tools/bench_startup.sh BUILD_FOLDER [FILES] [RUNS]}" && pwd)
files=${2:-20000}
runs=${3:-7}
program="$build/bin/quillmere"
[ -x "$program" ] || { echo "bench_startup: $program is missing" >&2; exit 1; }

tmp=$(mktemp -d)
pids=()
cleanup() {
    for p in "${pids[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
    rm -rf "$tmp"
}
trap cleanup EXIT
mkdir "$tmp/work" "$tmp/data"
export XDG_DATA_HOME="$tmp/data"
(cd "$tmp/work" && seq -f "写真_%05g.jpg" 1 "$files" | xargs touch)

if [ -z "${DISPLAY:-}" ]; then
    source "$(dirname "$0")/xvfb.sh"
    xvfb_start 1280x1024 "$tmp"
    pids+=("$XVFB_PID")
fi
export QT_QPA_PLATFORM=xcb

title='ファイルネーム一括変更'
times=()
rss=()
for run in $(seq 1 "$runs"); do
    cd "$tmp/work"
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$tmp/rss" "$program" >"$tmp/log" 2>&1 &
    pid=$!
    deadline=$(( start + 30000000000 ))
    while ! xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do
        if ! kill -0 "$pid" 2>/dev/null || [ "$(date +%s%N)" -gt "$deadline" ]; then
            echo "bench_startup: the window never showed:" >&2
            cat "$tmp/log" >&2
            exit 1
        fi
        sleep 0.005
    done
    end=$(date +%s%N)
    # Let it settle, then end it; /usr/bin/time still reports the peak.
    sleep 0.3
    pkill -TERM -P "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    times+=($(( (end - start) / 1000000 )))
    rss+=($(( $(tail -n1 "$tmp/rss") / 1024 )))
done

median() { printf '%s\n' "$@" | sort -n | sed -n "$(( ($# + 1) / 2 ))p"; }
echo "quillmere start-up, $files files, $runs runs: median $(median "${times[@]}") ms" \
     "(all: ${times[*]} ms), peak memory median $(median "${rss[@]}") MiB"

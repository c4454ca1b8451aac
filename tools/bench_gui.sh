#!/usr/bin/env bash
# The prefix run and its restore as a user sees them: quillmere under Xvfb in
# a folder of mixed names, "new_" typed into Text6, Command6 clicked; timed
# from the click until the last rename, then from the click on 復元
# (Command12) until the last name is back. Beside it, in pairs (alternating
# which goes first), the C loops run by qm_c_loop on a second folder of the
# same names, timed from start to exit; the restore also beside a plainer C
# loop that looks at no line's shape. Ratios are medians of per-pair ratios.
#
# The end is seen with one stat a millisecond (qm_c_loop wait), never a
# listing. The run renames in list order after writing each line, so the
# last rename is done when the last line's new name exists (the script has
# its final size by then, and this is checked first). The restore goes from
# the last line to the first, so the first line's old name comes back last.
#
# Usage: tools/bench_gui.sh BUILD_FOLDER [RUNS] [FILES]
# With QM_BENCH_RESULTS set, appends its figures there for run_bench.sh.
set -euo pipefail
build=$(cd "${1:?usage: tools/bench_gui.sh BUILD_FOLDER [RUNS] [FILES]}" && pwd)
runs=${2:-11}
files=${3:-20000}
program="$build/bin/quillmere"
cloop="$build/bin/qm_c_loop"
for p in "$program" "$cloop"; do
    [ -x "$p" ] || { echo "bench_gui: $p is missing" >&2; exit 1; }
done

tmp=$(mktemp -d "${QM_BENCH_DIR:-${TMPDIR:-/tmp}}/qm-gui-XXXXXX")
pids=()
cleanup() {
    for p in "${pids[@]:-}"; do [ -n "$p" ] && kill "$p" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT
export XDG_DATA_HOME="$tmp/data"
"$cloop" make "$tmp/gui" "$files"
"$cloop" make "$tmp/c" "$files"
prefix=new_
{ read -r size; read -r first_old; read -r last_new; } < <(cd "$tmp/gui" && "$cloop" plan "$prefix")

source "$(dirname "$0")/xvfb.sh"
xvfb_start 1280x1024 "$tmp"
pids+=("$XVFB_PID")
export QT_QPA_PLATFORM=xcb
title='ファイルネーム一括変更'

now_us() { echo "${EPOCHREALTIME//[.,]/}"; }
# Centre of a control given in twips (left top width height), in pixels: cx cy.
centre() { cx=$(( ($1 + $3 / 2) / 15 )); cy=$(( ($2 + $4 / 2) / 15 )); }

# Presses the mouse on a control, starts the watcher, then releases: the
# release is the click. Prints the milliseconds until the watcher saw its end.
click_and_time() {
    local wid="$1" x="$2" y="$3" file="$4" bytes="$5" name="$6" watcher t0
    xdotool mousemove --window "$wid" "$x" "$y" mousedown 1
    sync
    "$cloop" wait "$file" "$bytes" "$name" >"$tmp/seen" &
    watcher=$!
    sleep 0.05
    t0=$(now_us)
    xdotool mouseup 1
    wait "$watcher" || { echo "bench_gui: the end never came: $(cat "$tmp/log")" >&2; exit 1; }
    echo $(( ($(<"$tmp/seen") - t0) / 1000 ))
}

# Starts the program; sets app and wid. On a shared machine a private X
# server has been seen to go from under a client: then once more on a new one.
start_program() {
    local try _
    for try in 1 2; do
        "$program" >"$tmp/log" 2>&1 &
        app=$!
        pids+=("$app")
        wid=""
        for _ in $(seq 1 300); do
            wid=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true)
            [ -n "$wid" ] && return 0
            kill -0 "$app" 2>/dev/null || break
            sleep 0.05
        done
        kill "$app" 2>/dev/null || true
        wait "$app" 2>/dev/null || true
        echo "bench_gui: no window on display $DISPLAY (try $try); starting a new X server" >&2
        kill "$XVFB_PID" 2>/dev/null || true
        wait "$XVFB_PID" 2>/dev/null || true
        xvfb_start 1280x1024 "$tmp"
        pids+=("$XVFB_PID")
    done
    echo "bench_gui: no window: $(cat "$tmp/log")" >&2
    exit 1
}

gui_pair() {
    cd "$tmp/gui"
    rm -f modosu.bat
    start_program
    centre 6360 840 4575 270   # Text6
    xdotool mousemove --window "$wid" "$cx" "$cy" click 1
    sleep 0.1
    xdotool type --delay 10 "$prefix"
    sleep 0.1
    centre 11160 840 2535 252   # Command6
    gui_run=$(click_and_time "$wid" "$cx" "$cy" modosu.bat "$size" "$last_new")
    # The window re-reads the folder after a run; let it finish first.
    sleep 1
    centre 240 4180 852 255   # Command12
    gui_restore=$(click_and_time "$wid" "$cx" "$cy" - 0 "$first_old")
    [ ! -e "$last_new" ] || { echo "bench_gui: the restore left $last_new" >&2; exit 1; }
    kill "$app"
    wait "$app" 2>/dev/null || true
}

c_pair() {
    cd "$tmp/c"
    rm -f modosu.bat
    local t0
    sync
    t0=$(now_us)
    "$cloop" run "$prefix"
    c_run=$(( ($(now_us) - t0) / 1000 ))
    sync
    t0=$(now_us)
    "$cloop" restore
    c_restore=$(( ($(now_us) - t0) / 1000 ))
    # Once more, for the plainer restore that looks at no line's shape.
    rm -f modosu.bat
    "$cloop" run "$prefix"
    sync
    t0=$(now_us)
    "$cloop" restore-plain
    c_plain=$(( ($(now_us) - t0) / 1000 ))
}

run_ms=() run_c=() run_ratio=() back_ms=() back_c=() back_ratio=() plain_c=() plain_ratio=()
for run in $(seq 1 "$runs"); do
    if (( run % 2 )); then gui_pair; c_pair; else c_pair; gui_pair; fi
    cmp -s "$tmp/gui/modosu.bat" "$tmp/c/modosu.bat" \
        || { echo "bench_gui: the program's undo script differs from the C loop's" >&2; exit 1; }
    run_ms+=("$gui_run") run_c+=("$c_run") back_ms+=("$gui_restore") back_c+=("$c_restore") plain_c+=("$c_plain")
    run_ratio+=("$(awk -v a="$gui_run" -v b="$c_run" 'BEGIN { printf "%.3f", a / (b > 0 ? b : 1) }')")
    back_ratio+=("$(awk -v a="$gui_restore" -v b="$c_restore" 'BEGIN { printf "%.3f", a / (b > 0 ? b : 1) }')")
    plain_ratio+=("$(awk -v a="$gui_restore" -v b="$c_plain" 'BEGIN { printf "%.3f", a / (b > 0 ? b : 1) }')")
done

median() { printf '%s\n' "$@" | sort -g | sed -n "$(( ($# + 1) / 2 ))p"; }
report() {
    local what="$1" ours="$2" c="$3" ratio="$4" target="${5:-1.15}"
    echo "$what, $files files, $runs pairs: ours median $ours ms, C loop $c ms, ratio median $ratio"
    if [ -n "${QM_BENCH_RESULTS:-}" ]; then
        printf '%s\t%s ms\t%s ms\t%s\t<=\t%s\n' "$what (window, from outside)" "$ours" "$c" "$ratio" "$target" >>"$QM_BENCH_RESULTS"
    fi
}
report "rename run" "$(median "${run_ms[@]}")" "$(median "${run_c[@]}")" "$(median "${run_ratio[@]}")"
echo "  pairs (ms): ours ${run_ms[*]}; C ${run_c[*]}"
report "restore" "$(median "${back_ms[@]}")" "$(median "${back_c[@]}")" "$(median "${back_ratio[@]}")"
echo "  pairs (ms): ours ${back_ms[*]}; C ${back_c[*]}"
report "restore, plainer loop" "$(median "${back_ms[@]}")" "$(median "${plain_c[@]}")" "$(median "${plain_ratio[@]}")"
echo "  pairs (ms): C ${plain_c[*]}"

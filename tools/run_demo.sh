#!/usr/bin/env bash
# Starts quillmere on a folder of sample files: BUILD_DIR/demo.
# With a display it simply runs. Without one it runs under Xvfb, saves a
# screenshot to BUILD_DIR/demo-shot.png and stops.
set -euo pipefail

build="$(cd "${1:?usage: run_demo.sh BUILD_DIR}" && pwd)"
tools="$(cd "$(dirname "$0")" && pwd)"
program="$build/bin/quillmere"
demo="$build/demo"
[ -x "$program" ] || { echo "no program at $program (build it first)" >&2; exit 1; }

rm -rf "$demo"
"$tools/make_demo_folder.sh" "$demo"
cd "$demo"

if [ -n "${DISPLAY:-}" ]; then
    exec "$program"
fi

shot="$build/demo-shot.png"
tmp=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]:-}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$tmp"
}
trap cleanup EXIT

# Keep the demo away from the user's own memorial file.
export XDG_DATA_HOME="$tmp/data"

source "$tools/xvfb.sh"
xvfb_start 1024x480 "$tmp" || exit 1
pids+=("$XVFB_PID")

QT_QPA_PLATFORM=xcb "$program" >"$tmp/quillmere.log" 2>&1 &
pids+=($!)

window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --onlyvisible --name '^ファイルネーム一括変更$' 2>/dev/null | head -n1 || true)
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "the window did not show up; log:" >&2
    cat "$tmp/quillmere.log" >&2
    exit 1
fi
sleep 0.5
import -window "$window" "$shot"
echo "screenshot: $shot"

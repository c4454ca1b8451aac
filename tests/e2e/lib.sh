# Shared by the end-to-end tests: a private X server, a temporary working
# folder and system folder, and small helpers around xdotool.
# Usage: source "$(dirname "$0")/lib.sh"; then e2e_setup.

set -euo pipefail

: "${QM_BUILD_DIR:?QM_BUILD_DIR must name the build folder}"
: "${QM_SOURCE_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)}"

E2E_PIDS=()
# shellcheck source=../../tools/xvfb.sh
source "$QM_SOURCE_DIR/tools/xvfb.sh"

e2e_cleanup() {
    local pid
    for pid in "${E2E_PIDS[@]:-}"; do
        [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    [ -n "${E2E_TMP:-}" ] && rm -rf "$E2E_TMP"
}

e2e_fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ] && command -v import >/dev/null; then
        local shot="${QM_BUILD_DIR}/e2e-failure-$(basename "$0" .sh).png"
        import -window root "$shot" 2>/dev/null && echo "screenshot: $shot" >&2
    fi
    local log
    for log in "${E2E_TMP:-/nonexistent}"/app-*.log; do
        [ -s "$log" ] && { echo "--- $(basename "$log"):" >&2; tail -n 40 "$log" >&2; }
    done
    exit 1
}

# Starts Xvfb, makes a temporary folder E2E_TMP with a
# working folder E2E_WORK and points the system folder into it (E2E_SYS).
e2e_setup() {
    E2E_TMP=$(mktemp -d)
    E2E_WORK="$E2E_TMP/work"
    export XDG_DATA_HOME="$E2E_TMP/data"
    E2E_SYS="$XDG_DATA_HOME/quillmere"
    mkdir -p "$E2E_WORK" "$E2E_SYS"
    trap e2e_cleanup EXIT

    xvfb_start 1280x1024 "$E2E_TMP" || e2e_fail "no X display"
    E2E_PIDS+=("$XVFB_PID")
    export QT_QPA_PLATFORM=xcb
}

# Starts a program in the background (in the current folder); its pid goes
# to E2E_LAST_PID.
e2e_start() {
    "$@" >"$E2E_TMP/app-$(basename "$1").log" 2>&1 &
    E2E_LAST_PID=$!
    E2E_PIDS+=($E2E_LAST_PID)
}

# Prints the id of the visible window whose title is exactly $1; waits up to
# $2 seconds (default 15).
e2e_wait_window() {
    local title="$1" timeout="${2:-15}" i id
    for i in $(seq 1 $((timeout * 10))); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no window titled '$title' after ${timeout}s"
}

# Clicks at (x, y) pixels inside window $1's client area.
e2e_click() {
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.15
}

# Clicks at the centre of a control given in twips (left, top, width, height).
e2e_click_twips() {
    local wid="$1" l="$2" t="$3" w="$4" h="$5"
    e2e_click "$wid" $(( (l + w / 2) / 15 )) $(( (t + h / 2) / 15 ))
}

# Types text (Unicode allowed) into the focused control. xdotool types a
# character missing from the keymap by binding it to a spare key for one
# keystroke; a busy program that reads the keymap after the binding is undone
# loses that character. So each such character is bound for good first, to a
# multimedia key no test presses.
E2E_NEXT_KEYCODE=220
declare -A E2E_BOUND=()
e2e_type() {
    local LC_ALL=C.UTF-8 text="$1" i ch binds=()   # characters, not bytes, whatever the caller's locale
    for ((i = 0; i < ${#text}; i++)); do
        ch=${text:i:1}
        [[ $ch == [[:ascii:]] || -n ${E2E_BOUND[$ch]:-} ]] && continue
        ((E2E_NEXT_KEYCODE <= 255)) || e2e_fail "no spare key left for '$ch'"
        binds+=(-e "keycode $E2E_NEXT_KEYCODE = $(printf 'U%04X' "'$ch")")
        E2E_BOUND[$ch]=$((E2E_NEXT_KEYCODE++))
    done
    ((${#binds[@]} == 0)) || xmodmap "${binds[@]}"
    xdotool type --delay 20 -- "$1"
    sleep 0.1
}

e2e_key() {
    xdotool key "$@"
    sleep 0.1
}

# Waits until the command "$@" succeeds (up to 10 s).
e2e_wait_for() {
    local i
    for i in $(seq 1 100); do
        "$@" && return 0
        sleep 0.1
    done
    e2e_fail "condition never met: $*"
}

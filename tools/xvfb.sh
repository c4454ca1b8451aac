# Sourced by every script that needs a private X server. The server picks a
# free display itself (-displayfd), so two scripts never race for a number.
# Usage: xvfb_start WIDTHxHEIGHT TMPDIR; sets DISPLAY and XVFB_PID.
xvfb_start() {
    local size="$1" tmp="$2" i
    rm -f "$tmp/xvfb-display"
    Xvfb -displayfd 3 -noreset -screen 0 "${size}x24" -nolisten tcp 3>"$tmp/xvfb-display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for i in $(seq 1 100); do
        [ -s "$tmp/xvfb-display" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || { echo "Xvfb did not start" >&2; return 1; }
        sleep 0.05
    done
    [ -s "$tmp/xvfb-display" ] || { echo "Xvfb never named its display" >&2; return 1; }
    export DISPLAY=":$(tr -dc 0-9 <"$tmp/xvfb-display")"
    for i in $(seq 1 100); do
        xdpyinfo >/dev/null 2>&1 && return 0
        sleep 0.05
    done
    echo "could not connect to display $DISPLAY" >&2
    return 1
}

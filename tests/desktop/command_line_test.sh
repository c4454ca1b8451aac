#!/usr/bin/env bash
# quillmere's options: --help and --version need no display at all; an unknown
# option and an extra folder are refused with status 2 and the usage on
# standard error. (The folder argument itself is tested under Xvfb.)
set -euo pipefail
: "${QM_BUILD_DIR:?}" "${QM_VERSION:?}"
q="$QM_BUILD_DIR/bin/quillmere"
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

nodisplay() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$tmp/out" 2>"$tmp/err"; }
nodisplay "$q" --version || fail "--version: status $?"
[ "$(cat "$tmp/out")" = "quillmere $QM_VERSION" ] && [ ! -s "$tmp/err" ] || fail "--version printed: $(cat "$tmp/out" "$tmp/err")"
nodisplay "$q" --help || fail "--help: status $?"
grep -q "^使い方: quillmere \[フォルダ\]" "$tmp/out" && [ ! -s "$tmp/err" ] || fail "--help printed: $(cat "$tmp/out" "$tmp/err")"
# Qt's options are still in argv at that point.
nodisplay "$q" -platform offscreen --version || fail "-platform offscreen --version: status $?"

while read -r args; do
    status=0
    # shellcheck disable=SC2086
    QT_QPA_PLATFORM=offscreen timeout 20 "$q" $args >"$tmp/out" 2>"$tmp/err" || status=$?
    [ "$status" = 2 ] || fail "quillmere $args: status $status, not 2"
    [ ! -s "$tmp/out" ] && grep -q "^使い方:" "$tmp/err" || fail "quillmere $args printed: $(cat "$tmp/out" "$tmp/err")"
done <<'ROWS'
-style fusion --bogus
ROWS
echo ok

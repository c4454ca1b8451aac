#!/usr/bin/env bash
# Both programs read their options before any display is needed: with no
# display at all, each row's status and where its text goes (out, err or
# none) hold. Qt's own options are left to Qt.
set -euo pipefail
: "${QM_BUILD_DIR:?}" "${QM_VERSION:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
cd "$tmp"   # quillmere-undo's default script is not there

# program | arguments | status | stream holding the text | its first line (a grep pattern)
while IFS='|' read -r program args status stream pattern; do
    got=0
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 20 \
        "$QM_BUILD_DIR/bin/$program" $args >out 2>err || got=$?
    row="$program $args"
    [ "$got" = "$status" ] || fail "$row: status $got, not $status: $(cat out err)"
    quiet=$([ "$stream" = out ] && echo err || echo out)
    [ ! -s "$quiet" ] || fail "$row wrote to std$quiet: $(cat "$quiet")"
    head -n1 "$stream" | grep -q -- "$pattern" || fail "$row: std$stream starts '$(head -n1 "$stream")'"
done <<ROWS
quillmere|--version|0|out|^quillmere $QM_VERSION\$
quillmere|-V|0|out|^quillmere $QM_VERSION\$
quillmere|--help|0|out|^使い方: quillmere \[フォルダ\]
quillmere|-h|0|out|^使い方: quillmere
quillmere|-platform offscreen --version|0|out|^quillmere $QM_VERSION\$
quillmere|photos -h|0|out|^使い方:
quillmere|--bogus|2|err|^quillmere: 不明なオプションです: --bogus
quillmere|-v|2|err|^quillmere: 不明なオプションです: -v
quillmere|-style fusion --bogus|2|err|--bogus
quillmere|-style|2|err|-style
quillmere|a b|2|err|１つ
quillmere-undo|--version|0|out|^quillmere-undo $QM_VERSION\$
quillmere-undo|-V|0|out|^quillmere-undo $QM_VERSION\$
quillmere-undo|--help|0|out|^使い方: quillmere-undo
quillmere-undo|-h|0|out|^使い方: quillmere-undo
quillmere-undo|-v|2|err|^使い方: quillmere-undo
quillmere-undo|--bogus|2|err|^使い方: quillmere-undo
quillmere-undo|a.bat b.bat|2|err|^使い方: quillmere-undo
ROWS
echo ok

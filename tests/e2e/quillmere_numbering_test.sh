#!/usr/bin/env bash
# Numbering in front of twelve entries (three-digit fields), an .exe left
# alone, then the restore.
source "$(dirname "$0")/lib.sh"
e2e_setup

cd "$E2E_WORK"
for i in $(seq -w 1 11); do printf '%s' "$i" >"doc$i.txt"; done
printf 'x' >"tool.exe"
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更")

names() { ls -A | LC_ALL=C sort | tr '\n' ' '; }
restored_names=$({ ls -A; echo modosu.bat; } | LC_ALL=C sort | tr '\n' ' ')

# Command8 with the start number as it stands ("1").
e2e_click_twips "$win" 9480 4080 1935 252
expected="$(for i in $(seq -w 1 11); do printf '0%s-doc%s.txt ' "$i" "$i"; done)modosu.bat tool.exe "
numbered() { [ "$(names)" = "$expected" ]; }
e2e_wait_for numbered
[ "$(cat 011-doc11.txt)" = 11 ] || e2e_fail "011-doc11.txt is not the old doc11.txt"
[ "$(wc -l <modosu.bat)" = 11 ] || e2e_fail "undo script should hold 11 lines"

e2e_click_twips "$win" 240 4180 852 255
restored() { [ "$(names)" = "$restored_names" ]; }
e2e_wait_for restored
echo "ok"

#!/usr/bin/env bash
# Command8 numbers twelve listed files with three digits, leaving tool.exe alone; Command12 undoes it.
source "$(dirname "$0")/lib.sh"
e2e_setup; cd "$E2E_WORK"; printf x >tool.exe
for i in $(seq -w 1 11); do printf '%s' "$i" >"doc$i.txt"; done
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更")
names_are() { [ "$(ls -A | LC_ALL=C sort | tr '\n' ' ')" = "$1" ]; }
before=$({ ls -A; echo modosu.bat; } | LC_ALL=C sort | tr '\n' ' ')
e2e_click_twips "$win" 9480 4080 1935 252   # Command8, start number "1" as it stands
e2e_wait_for names_are "$(for i in $(seq -w 1 11); do printf '0%s-doc%s.txt ' "$i" "$i"; done)modosu.bat tool.exe "
[ "$(cat 011-doc11.txt)" = 11 ] && [ "$(wc -l <modosu.bat)" = 11 ] || e2e_fail "011-doc11.txt or the 11-line undo script is wrong"
e2e_click_twips "$win" 240 4180 852 255     # Command12
e2e_wait_for names_are "$before"
echo ok

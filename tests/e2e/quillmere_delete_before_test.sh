#!/usr/bin/env bash
# Everything in front of "-" deleted, the "-" too (Check1 ticked), a name
# without "-" left alone; then the restore.
source "$(dirname "$0")/lib.sh"
e2e_setup

cd "$E2E_WORK"
printf '1' >"abcd-x.eee"
printf '2' >"2008-memo.txt"
printf '3' >"plain.txt"
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更")

names() { ls -A | LC_ALL=C sort | tr '\n' '|'; }

e2e_click_twips "$win" 7440 4800 255 255    # Check1
e2e_click_twips "$win" 11160 4800 2535 252  # Command10
changed() { [ "$(names)" = "memo.txt|modosu.bat|plain.txt|x.eee|" ]; }
e2e_wait_for changed
[ "$(cat x.eee)" = 1 ] || e2e_fail "x.eee is not the old abcd-x.eee"

e2e_click_twips "$win" 240 4180 852 255
restored() { [ "$(names)" = "2008-memo.txt|abcd-x.eee|modosu.bat|plain.txt|" ]; }
e2e_wait_for restored
echo "ok"

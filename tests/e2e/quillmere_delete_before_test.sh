#!/usr/bin/env bash
# Command10 with Check1 ticked drops all up to "-"; a name without "-" stays; Command12 undoes it.
source "$(dirname "$0")/lib.sh"
e2e_setup; cd "$E2E_WORK"; printf 1 >abcd-x.eee; printf 2 >2008-memo.txt; printf 3 >plain.txt
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更")
names_are() { [ "$(ls -A | LC_ALL=C sort | tr '\n' '|')" = "$1" ]; }
e2e_click_twips "$win" 7440 4800 255 255 && e2e_click_twips "$win" 11160 4800 2535 252   # Check1, Command10
e2e_wait_for names_are "memo.txt|modosu.bat|plain.txt|x.eee|"
[ "$(cat x.eee)" = 1 ] || e2e_fail "x.eee is not the old abcd-x.eee"
e2e_click_twips "$win" 240 4180 852 255     # Command12
e2e_wait_for names_are "2008-memo.txt|abcd-x.eee|modosu.bat|plain.txt|"
echo ok

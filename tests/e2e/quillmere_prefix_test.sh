#!/usr/bin/env bash
# A prefix run through Text6 and Command6, its undo script, and Command12 putting the names back.
source "$(dirname "$0")/lib.sh"
e2e_setup; cd "$E2E_WORK"; printf a >a.txt; printf b >"my file.txt"; printf c >写真.jpg; printf d >tool.exe
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更")
names_are() { [ "$(ls -A | LC_ALL=C sort | tr '\n' '|')" = "$1" ]; }
e2e_click_twips "$win" 6360 840 4575 270 && e2e_type "new_" && e2e_click_twips "$win" 11160 840 2535 252   # Text6, Command6
e2e_wait_for names_are "modosu.bat|new_a.txt|new_my file.txt|new_写真.jpg|tool.exe|"
{ printf 'ren    new_a.txt    a.txt\r\nren    new_my file.txt    my file.txt\r\n'
  printf 'ren    new_写真.jpg    写真.jpg\r\n' | iconv -f UTF-8 -t CP932; } >"$E2E_TMP/expected"
cmp modosu.bat "$E2E_TMP/expected" || e2e_fail "unexpected undo script: $(od -c modosu.bat | head)"
e2e_click_twips "$win" 240 4180 852 255     # Command12
e2e_wait_for names_are "a.txt|modosu.bat|my file.txt|tool.exe|写真.jpg|"
[ "$(cat a.txt)" = a ] && kill -0 "$E2E_LAST_PID" || e2e_fail "a.txt lost its content or quillmere ended"
echo ok

#!/usr/bin/env bash
# quillmere FOLDER, started from another folder, works in FOLDER as if started there: the work list
# holds its files, a prefix run renames them and writes modosu.bat there, 復元 and 終　了 act there.
# A missing FOLDER is told in a box and on standard error, and ends with status 2. Both programs have an icon.
source "$(dirname "$0")/lib.sh"
e2e_setup
folder="$E2E_TMP/写真 2026"; mkdir "$folder"; printf a >"$folder/a.txt"; printf b >"$folder/b c.jpg"
cd "$E2E_WORK"; printf w >w.txt
names_in() { [ "$(ls -A "$1" | LC_ALL=C sort | tr '\n' '|')" = "$2" ]; }

e2e_start "$QM_BUILD_DIR/bin/quillmere" "../写真 2026"
app=$E2E_LAST_PID
win=$(e2e_wait_window "ファイルネーム一括変更")
has_icon() { xprop -id "$win" _NET_WM_ICON | grep -q CARDINAL; }   # set just after the window shows
e2e_wait_for has_icon
e2e_click_twips "$win" 6360 840 4575 270 && e2e_type "new_" && e2e_click_twips "$win" 11160 840 2535 252   # Text6, Command6
e2e_wait_for names_in "$folder" "modosu.bat|new_a.txt|new_b c.jpg|"
names_in . "w.txt|" || e2e_fail "the starting folder changed: $(ls -A)"
e2e_click_twips "$win" 240 4180 852 255     # Command12
e2e_wait_for names_in "$folder" "a.txt|b c.jpg|modosu.bat|"
two_windows() { [ "$(xdotool search --onlyvisible --name '^ファイルネーム一括変更$' | wc -l)" = 2 ]; }
e2e_wait_for two_windows   # the restore's report, closed with Return
e2e_key Return
e2e_click_twips "$win" 4680 4560 852 372    # Command3
status=0; wait "$app" || status=$?
[ "$status" = 0 ] && names_in "$folder" "a.txt|b c.jpg|" || e2e_fail "exit: status $status, folder holds $(ls -A "$folder")"

e2e_start "$QM_BUILD_DIR/bin/quillmere" "$E2E_TMP/nowhere"
app=$E2E_LAST_PID
box=$(e2e_wait_window "ファイルネーム一括変更")
line="quillmere: フォルダ「$E2E_TMP/nowhere」が見つかりません。"
e2e_wait_for grep -qxF "$line" "$E2E_TMP/app-quillmere.log"
xdotool windowfocus --sync "$box" key Return
e2e_wait_for bash -c "! kill -0 $app 2>/dev/null"   # the main window never opens
status=0; wait "$app" || status=$?
[ "$status" = 2 ] || e2e_fail "a missing folder ended with status $status"
names_in . "w.txt|" || e2e_fail "the starting folder changed: $(ls -A)"

e2e_start "$QM_BUILD_DIR/bin/setup"   # the installer carries the same icon
win=$(e2e_wait_window "セットアップ")
e2e_wait_for has_icon
echo ok

#!/usr/bin/env bash
# Keys in the folder list: a held arrow key adds the names once (X repeats its
# release), and the "work list is full" message closed with Enter appears once.
source "$(dirname "$0")/lib.sh"
e2e_setup; cd "$E2E_WORK"; printf a >a.txt
# A message box carries the main window's title.
windows() { xdotool search --onlyvisible --name '^ファイルネーム一括変更$' 2>/dev/null | wc -l; }
message_open() { [ "$(windows)" = 2 ]; }
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更")
e2e_click_twips "$win" 240 2280 5295 264                  # Text1, then Tab to Command3 and the folder list
e2e_key Tab; e2e_key Tab                                   # the Tab released in the list adds a.txt
xdotool keydown Down; sleep 1.5; xdotool keyup Down; sleep 0.3
e2e_click_twips "$win" 11160 840 2535 252                 # Command6 with A empty: one undo line per entry
some_lines() { [ -e modosu.bat ] && [ "$(wc -l <modosu.bat)" -ge 3 ]; }
e2e_wait_for some_lines; sleep 0.5
lines=$(wc -l <modosu.bat)                                 # start-up, the Tab, the held key
[ "$lines" = 3 ] || e2e_fail "the work list held $lines entries, not 3"
kill "$E2E_LAST_PID"

mkdir "$E2E_TMP/full"; cd "$E2E_TMP/full"
seq 1 20001 | xargs touch                                 # the list is full at start-up, with nothing left out
e2e_start "$QM_BUILD_DIR/bin/quillmere"
win=$(e2e_wait_window "ファイルネーム一括変更" 60)
e2e_click "$win" 40 62                                     # the first entry of the folder list: nothing fits
e2e_wait_for message_open
e2e_key Return
for _ in $(seq 1 20); do
    [ "$(windows)" = 1 ] || e2e_fail "the message came back after Enter"
    sleep 0.1
done
kill -0 "$E2E_LAST_PID" || e2e_fail "quillmere ended"
echo ok

#!/usr/bin/env bash
# On an anniversary the greeting opens beside the main window and its button closes it alone.
# (That none opens without the memorial data file is the greeting's unit test's.)
source "$(dirname "$0")/lib.sh"
e2e_setup; cd "$E2E_WORK"
{ printf 'たろう' | iconv -f UTF-8 -t CP932; printf '\r\n1990/%s\r\n0000/00/00\r\n0000/00/00\r\n' "$(date +%m/%d)"; } >"$E2E_SYS/quillmere.ini"
e2e_start "$QM_BUILD_DIR/bin/quillmere"
first=$E2E_LAST_PID
main=$(e2e_wait_window "ファイルネーム一括変更")
form5=$(e2e_wait_window "Form5")
sleep 0.5   # the greeting follows the main window once that is shown
eval "$(xdotool getwindowgeometry --shell "$main" | sed 's/^/m/')"
eval "$(xdotool getwindowgeometry --shell "$form5" | sed 's/^/f/')"
((fWIDTH == 312 && fHEIGHT == 213)) || e2e_fail "Form5 is ${fWIDTH}x$fHEIGHT"
((fX >= mX + mWIDTH || fX + fWIDTH <= mX || fY >= mY + mHEIGHT || fY + fHEIGHT <= mY)) || e2e_fail "Form5 lies over the main window"
((fX >= 0 && fY >= 0 && fX + fWIDTH <= 1280 && fY + fHEIGHT <= 1024)) || e2e_fail "Form5 is not on the screen"
e2e_click_twips "$form5" 1800 2400 1215 375
e2e_wait_for bash -c "! xdotool search --onlyvisible --name '^Form5\$' >/dev/null 2>&1"
kill -0 "$first" 2>/dev/null || e2e_fail "quillmere ended with the greeting"
echo PASS

#!/usr/bin/env bash
# On an anniversary the greeting opens beside the main window and its button
# closes it alone; without the memorial data file no greeting shows.
source "$(dirname "$0")/lib.sh"
e2e_setup
app="$QM_BUILD_DIR/bin/quillmere"
main_title="ファイルネーム一括変更"
[ -x "$app" ] || e2e_fail "$app is not built"

{
    printf 'たろう' | iconv -f UTF-8 -t CP932
    printf '\r\n1990/%s\r\n0000/00/00\r\n0000/00/00\r\n' "$(date +%m/%d)"
} >"$E2E_SYS/quillmere.ini"

geometry() {   # X Y WIDTH HEIGHT of window $1
    local X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    echo "$X $Y $WIDTH $HEIGHT"
}

cd "$E2E_WORK"
e2e_start "$app"
first=$E2E_LAST_PID
main=$(e2e_wait_window "$main_title")
form5=$(e2e_wait_window "Form5")
sleep 0.5   # the greeting follows the main window once that is shown
read -r mx my mw mh <<<"$(geometry "$main")"
read -r fx fy fw fh <<<"$(geometry "$form5")"
echo "main $mx,$my ${mw}x$mh; Form5 $fx,$fy ${fw}x$fh"
[ "$fw" -eq 312 ] && [ "$fh" -eq 213 ] || e2e_fail "Form5 is ${fw}x$fh"
[ "$fx" -ge $((mx + mw)) ] || [ $((fx + fw)) -le "$mx" ] || [ "$fy" -ge $((my + mh)) ] ||
    [ $((fy + fh)) -le "$my" ] || e2e_fail "Form5 lies over the main window"
[ "$fx" -ge 0 ] && [ "$fy" -ge 0 ] && [ $((fx + fw)) -le 1280 ] && [ $((fy + fh)) -le 1024 ] ||
    e2e_fail "Form5 is not on the screen"

e2e_click_twips "$form5" 1800 2400 1215 375
e2e_wait_for bash -c "! xdotool search --onlyvisible --name '^Form5\$' >/dev/null 2>&1"
kill -0 "$first" 2>/dev/null || e2e_fail "quillmere ended with the greeting"
kill "$first"
wait "$first" 2>/dev/null || true

rm "$E2E_SYS/quillmere.ini"
e2e_start "$app"
e2e_wait_window "$main_title" >/dev/null
e2e_expect_no_window "Form5" 3
echo PASS

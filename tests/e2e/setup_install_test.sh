#!/usr/bin/env bash
# The shipped archive installs the program through setup's wizard, the
# installed program starts and greets on the date just entered, and setup's
# uninstall removes the installation again.
source "$(dirname "$0")/lib.sh"
e2e_setup
for bin in setup quillmere; do
    [ -x "$QM_BUILD_DIR/bin/$bin" ] || e2e_fail "$QM_BUILD_DIR/bin/$bin is not built"
done
wizard_title="セットアップ"

# True once process $1 has ended (a zombie counts as ended).
gone() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null || true)
    [ -z "$state" ] || [[ "$state" == Z* ]]
}

# The id of the visible wizard page once it is no longer window $1.
next_page() {
    local title="$1" old="$2" i id
    for i in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n1 || true)
        if [ -n "$id" ] && [ "$id" != "$old" ]; then
            sleep 0.2
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    e2e_fail "no new '$title' page after window $old"
}

"$QM_SOURCE_DIR/tools/make_dist.sh" "$QM_BUILD_DIR" "$E2E_WORK/quillmere.zip" >/dev/null ||
    e2e_fail "make_dist.sh failed"
cd "$E2E_WORK"
unzip -q quillmere.zip
image_size=$(stat -c %s 'quillmere.$_$')

# Welcome page, 次へ.
e2e_start ./setup
setup_pid=$E2E_LAST_PID
page1=$(e2e_wait_window "$wizard_title")
sleep 0.3
e2e_click_twips "$page1" 1080 2520 855 375

# Date page: the focus is in the name box; today's date goes into row 1.
page2=$(next_page "$wizard_title" "$page1")
e2e_type "たろう"
e2e_key Tab
e2e_type "$(date +%Y)"
e2e_key Tab
e2e_type "$(date +%-m)"
e2e_key Tab
e2e_type "$(date +%-d)"
e2e_click_twips "$page2" 1080 3000 855 375

# Confirmation page, 実行: the completion page follows.
page3=$(next_page "$wizard_title" "$page2")
e2e_click_twips "$page3" 1080 3000 855 375
page4=$(e2e_wait_window "Form4")
[ -f "$E2E_SYS/cpy.bat" ] || e2e_fail "cpy.bat was not written"
[ "$(stat -c %s "$E2E_SYS/qmnull.dam")" -eq 2 ] || e2e_fail "qmnull.dam is not 2 bytes"
e2e_click_twips "$page4" 1320 2640 1575 375
e2e_wait_for gone "$setup_pid"

[ -x quillmere.exe ] || e2e_fail "quillmere.exe is missing or not executable"
[ "$(stat -c %s quillmere.exe)" -eq $((image_size + 2)) ] || e2e_fail "quillmere.exe is not the image + 2 bytes"
[ "$(tail -c 2 quillmere.exe | od -An -tx1 | tr -d ' ')" = "0d0a" ] || e2e_fail "quillmere.exe does not end in CR LF"
[ ! -e 'quillmere.$_$' ] || e2e_fail "the image was not removed"
[ "$(ls "$E2E_SYS")" = "quillmere.ini" ] || e2e_fail "system folder holds: $(ls "$E2E_SYS" | tr '\n' ' ')"
expected=$({
    printf 'たろう' | iconv -f UTF-8 -t CP932
    printf '\r\n%s\r\n0000/00/00\r\n0000/00/00\r\n' "$(date +%Y/%m/%d)"
} | od -An -tx1)
[ "$(od -An -tx1 <"$E2E_SYS/quillmere.ini")" = "$expected" ] || e2e_fail "quillmere.ini differs: $(od -c "$E2E_SYS/quillmere.ini")"

# The installed program runs and greets on today's date.
e2e_start ./quillmere.exe
program_pid=$E2E_LAST_PID
e2e_wait_window "ファイルネーム一括変更" >/dev/null
e2e_wait_window "Form5" >/dev/null
kill "$program_pid"
wait "$program_pid" 2>/dev/null || true
rm -f modosu.bat

# Uninstall: 削除, then 終了 on its completion page.
e2e_start ./setup
setup_pid=$E2E_LAST_PID
page1=$(e2e_wait_window "$wizard_title")
sleep 0.3
e2e_click_twips "$page1" 2880 3120 855 375
page5=$(e2e_wait_window "Form5")
e2e_click_twips "$page5" 1320 3000 1575 375
e2e_wait_for gone "$setup_pid"

left=$(ls -A | tr '\n' ' ')
[ "$left" = "setup " ] || e2e_fail "left after uninstall: $left"
[ -z "$(ls -A "$E2E_SYS")" ] || e2e_fail "system folder not empty: $(ls -A "$E2E_SYS")"
echo PASS

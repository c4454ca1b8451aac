#!/usr/bin/env bash
# The shipped archive installs through setup's wizard, the installed program
# starts and greets, and setup's uninstall removes it again; all of it in
# setup's own folder, though setup is started from another one.
source "$(dirname "$0")/lib.sh"
e2e_setup
[ -x "$QM_BUILD_DIR/bin/setup" ] && [ -x "$QM_BUILD_DIR/bin/quillmere" ] || e2e_fail "setup or quillmere is not built"
title="セットアップ"
gone() { ! ps -o stat= -p "$1" 2>/dev/null | grep -qv '^Z'; }   # a zombie counts as ended
new_page() {   # the wizard's pages share one title: wait for one that is not window $1 and has the keyboard
    page=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true)
    [ -n "$page" ] && [ "$page" != "$1" ] && [ "$(xdotool getwindowfocus -f 2>/dev/null)" = "$page" ]
}
"$QM_SOURCE_DIR/tools/make_dist.sh" "$QM_BUILD_DIR" "$E2E_WORK/quillmere.zip" >/dev/null || e2e_fail "make_dist.sh failed"
cd "$E2E_WORK" && unzip -q quillmere.zip
image_size=$(stat -c %s 'quillmere.$_$')
mkdir elsewhere && for f in readme.txt quillmere.zip quillmere.exe 'quillmere.$_$'; do printf keep >"elsewhere/$f"; done
untouched() { for f in readme.txt quillmere.zip quillmere.exe 'quillmere.$_$'; do [ "$(cat "elsewhere/$f")" = keep ] || return 1; done; }

# 次へ; the name box has the focus; today into row 1; 次へ, 実行, then 終了.
cd elsewhere && e2e_start ../setup && cd ..
setup_pid=$E2E_LAST_PID
page=$(e2e_wait_window "$title")
sleep 0.3
e2e_click_twips "$page" 1080 2520 855 375
e2e_wait_for new_page "$page"
e2e_type "たろう"
for part in "$(date +%Y)" "$(date +%-m)" "$(date +%-d)"; do e2e_key Tab; e2e_type "$part"; done
e2e_click_twips "$page" 1080 3000 855 375
e2e_wait_for new_page "$page"
e2e_click_twips "$page" 1080 3000 855 375
e2e_click_twips "$(e2e_wait_window "Form4")" 1320 2640 1575 375
e2e_wait_for gone "$setup_pid"
[ -x quillmere.exe ] && [ "$(stat -c %s quillmere.exe)" -eq $((image_size + 2)) ] &&
    [ "$(tail -c 2 quillmere.exe | od -An -tx1 | tr -d ' ')" = "0d0a" ] || e2e_fail "quillmere.exe is not the image + CR LF"
[ ! -e 'quillmere.$_$' ] && [ "$(ls "$E2E_SYS")" = "quillmere.ini" ] || e2e_fail "left: $(ls . "$E2E_SYS" | tr '\n' ' ')"
expected=$({ printf 'たろう' | iconv -f UTF-8 -t CP932; printf '\r\n%s\r\n0000/00/00\r\n0000/00/00\r\n' "$(date +%Y/%m/%d)"; } | od -An -tx1)
[ "$(od -An -tx1 <"$E2E_SYS/quillmere.ini")" = "$expected" ] || e2e_fail "quillmere.ini differs: $(od -c "$E2E_SYS/quillmere.ini")"

# The installed program starts, and today is the recorded anniversary.
e2e_start ./quillmere.exe
e2e_wait_window "ファイルネーム一括変更" >/dev/null
e2e_wait_window "Form5" >/dev/null
kill "$E2E_LAST_PID"; wait "$E2E_LAST_PID" 2>/dev/null || true

# Uninstall: 削除, then 終了 on its completion page.
cd elsewhere && e2e_start ../setup && cd ..
setup_pid=$E2E_LAST_PID
page=$(e2e_wait_window "$title")
sleep 0.3
e2e_click_twips "$page" 2880 3120 855 375
e2e_click_twips "$(e2e_wait_window "Form5")" 1320 3000 1575 375
e2e_wait_for gone "$setup_pid"
[ "$(ls -A | tr '\n' ' ')" = "elsewhere setup " ] && [ -z "$(ls -A "$E2E_SYS")" ] || e2e_fail "left: $(ls -A . "$E2E_SYS" | tr '\n' ' ')"
untouched || e2e_fail "setup touched the folder it was started from: $(ls -A elsewhere | tr '\n' ' ')"
echo PASS

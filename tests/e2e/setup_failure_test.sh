#!/usr/bin/env bash
# Without the program image the installation says so in a message box, stays
# on the confirmation page and leaves no program file; 中止 then ends setup.
source "$(dirname "$0")/lib.sh"
e2e_setup
[ -x "$QM_BUILD_DIR/bin/setup" ] || e2e_fail "$QM_BUILD_DIR/bin/setup is not built"
title="セットアップ"

visible_pages() { xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | sort; }
gone() {
    local state
    state=$(ps -o stat= -p "$1" 2>/dev/null || true)
    [ -z "$state" ] || [[ "$state" == Z* ]]
}

cd "$E2E_WORK"
cp "$QM_BUILD_DIR/bin/setup" .
e2e_start ./setup
pid=$E2E_LAST_PID
page=$(e2e_wait_window "$title")
sleep 0.3
e2e_click_twips "$page" 1080 2520 855 375
sleep 0.5
page=$(e2e_wait_window "$title")
e2e_type "taro"
e2e_click_twips "$page" 1080 3000 855 375
sleep 0.5
page=$(e2e_wait_window "$title")
e2e_click_twips "$page" 1080 3000 855 375

# The message box carries the same caption as the page under it.
e2e_wait_for bash -c "[ \$(xdotool search --onlyvisible --name '^${title}\$' | wc -l) -ge 2 ]"
e2e_expect_no_window "Form4" 1
e2e_key Return
e2e_wait_for bash -c "[ \$(xdotool search --onlyvisible --name '^${title}\$' | wc -l) -eq 1 ]"
[ "$(visible_pages)" = "$page" ] || e2e_fail "the confirmation page is gone"
[ ! -e quillmere.exe ] || e2e_fail "quillmere.exe was made"
[ -z "$(ls -A "$E2E_SYS")" ] || e2e_fail "system folder holds: $(ls -A "$E2E_SYS")"

e2e_click_twips "$page" 2280 3000 855 375
e2e_wait_for gone "$pid"
[ "$(ls -A)" = "setup" ] || e2e_fail "left behind: $(ls -A)"
echo PASS

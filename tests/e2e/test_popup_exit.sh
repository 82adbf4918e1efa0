#!/usr/bin/env bash
# A right click shows the owner-drawn popup menu (grey icon strip, near-white text field); the
# item under the mouse gets the black frame and the lavender fill; choosing "  Exit" ends the
# program with exit code 0. A dismissed menu leaves the program running.
source "$(dirname "$0")/lib.sh"

pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)],%[fx:int(255*p{$2,$3}.g)],%[fx:int(255*p{$2,$3}.b)]" info:; }
near() { # near "r,g,b" "r,g,b": every channel within 3
    local IFS=,
    read -r a b c <<<"$1"
    read -r x y z <<<"$2"
    for d in $((a - x)) $((b - y)) $((c - z)); do [ "${d#-}" -le 3 ] || return 1; done
}

# The popup menu is a window of its own: how many visible windows the program shows.
windows_shown() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l; }
menu_open() { [ "$(windows_shown)" -gt "$without_menu" ]; }
menu_closed() { [ "$(windows_shown)" -eq "$without_menu" ]; }
# $1 (a screenshot) shows "r,g,b" ($3) near pixel ($2 = "x y").
shows_at() {
    e2e_shot "$1"
    near "$(pixel "$1" $2)" "$3"
}

e2e_start_x 1280 1024
e2e_start_app
window=$(e2e_wait_window)
without_menu=$(windows_shown)

# Dismissing the menu with Esc leaves the program running.
xdotool mousemove 600 500 click 3
e2e_poll 10 menu_open || fail "no menu after a right click"
xdotool key Escape
e2e_poll 10 menu_closed || fail "Esc did not close the menu"
kill -0 "$APP_PID" 2>/dev/null || fail "Esc in the menu ended the program"
pass "a dismissed menu leaves the program running"

left=300 top=200
e2e_shot "$E2E_SCRATCH/before.png"
xdotool mousemove "$left" "$top" click 3
e2e_poll 10 shows_at "$E2E_SCRATCH/menu.png" "$((left + 2)) $((top + 46))" 219,216,209 ||
    fail "no icon strip: $(pixel "$E2E_SCRATCH/menu.png" $((left + 2)) $((top + 46)))"
change=$(e2e_region_difference "$E2E_SCRATCH/before.png" "$E2E_SCRATCH/menu.png" "140x384+$left+$top")
awk -v c="$change" 'BEGIN { exit !(c > 0.1) }' || fail "the menu region did not change ($change)"
near "$(pixel "$E2E_SCRATCH/menu.png" $((left + 120)) $((top + 7 * 48 + 4)))" 249,248,247 ||
    fail "no text field under the last item"
pass "a right click shows the menu"

# Over "  Exit", the eighth item: the black frame and the lavender fill.
exit_top=$((top + 7 * 48))
xdotool mousemove $((left + 70)) $((exit_top + 24))
e2e_poll 10 shows_at "$E2E_SCRATCH/exit.png" "$((left + 120)) $((exit_top + 4))" 177,185,207 ||
    fail "Exit is not highlighted: $(pixel "$E2E_SCRATCH/exit.png" $((left + 120)) $((exit_top + 4)))"
near "$(pixel "$E2E_SCRATCH/exit.png" $((left + 60)) "$exit_top")" 0,0,0 || fail "no black frame"
near "$(pixel "$E2E_SCRATCH/exit.png" $((left + 120)) $((top + 4)))" 249,248,247 ||
    fail "the first item is highlighted too"
pass "the item under the mouse is highlighted in lavender"

xdotool click 1
e2e_wait_exit "$APP_PID" 5
[ "$EXIT_CODE" = 0 ] || fail "Exit gave '$EXIT_CODE' (expected exit code 0)"
pass "\"  Exit\" ends the program with exit code 0"

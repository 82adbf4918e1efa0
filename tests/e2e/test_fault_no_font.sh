#!/usr/bin/env bash
# No font at all (fontconfig given an empty configuration): the help text cannot be drawn, but
# the program starts, draws the tank, toggles the help with F1, opens its popup menu, and Esc
# ends it with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
e2e_start_x 1280 1024
printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig>\n<cachedir>%s</cachedir>\n</fontconfig>\n' \
    "$E2E_SCRATCH/fontcache" >"$E2E_SCRATCH/fonts.conf"
export FONTCONFIG_FILE="$E2E_SCRATCH/fonts.conf"
[ -z "$(fc-list 2>/dev/null)" ] || fail "fontconfig still finds fonts"
e2e_start_app
window=$(e2e_wait_window)
fault_check_drawing "without fonts"
fault_press "$window" F1
windows_shown() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l; }
without_menu=$(windows_shown)
menu_open() { [ "$(windows_shown)" -gt "$without_menu" ]; }
xdotool mousemove 600 500 click 3
e2e_poll 10 menu_open || fail "no popup menu without fonts"
e2e_shot "$E2E_SCRATCH/menu.png"
[ -n "${QUELMARINE_SHOTS:-}" ] && cp "$E2E_SCRATCH/menu.png" "$QUELMARINE_SHOTS/no_font_menu.png"
xdotool key Escape
e2e_poll 10 eval '! menu_open' || fail "the menu did not close"
fault_check_drawing "after the menu, without fonts"
fault_check_esc_exit "$window" "no fonts"
fault_check_log_clean "no fonts"
pass "without fonts the program draws, opens its menu, and Esc ends it with status 0"

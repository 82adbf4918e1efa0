#!/usr/bin/env bash
# The desktop program on a headless sway, in a Wayland session started by hand (a Wayland
# display, no X display, no XDG_SESSION_TYPE): Qt chooses Wayland and the tank is drawn full
# screen; F1 shows and hides the help; a right click opens the popup menu at the pointer;
# "  Add/Delete Fish" opens the Fish Settings dialog above the tank and belonging to it; Esc
# closes the dialog, and Esc ends the program with status 0.
source "$(dirname "$0")/lib.sh"
POINTER_TOOL="$QUELMARINE_BINARY_DIR/tests/quelmarine_virtual_pointer"
[ -x "$POINTER_TOOL" ] || fail "no virtual pointer tool at $POINTER_TOOL"
for tool in sway swaymsg grim wtype; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# sway refuses to run as root: then the compositor, the program and the tools run as
# "nobody", the test's folders handed over.
cp "$POINTER_TOOL" "$E2E_SCRATCH/virtual_pointer"
mkfifo "$E2E_SCRATCH/pointer.in"
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$E2E_SCRATCH"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
session=("${as_user[@]}" env -i HOME="$E2E_SCRATCH" PATH=/usr/bin:/bin
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME")
# sway's own defaults, but a window that asks for the keyboard gets it (by default sway only
# marks it urgent): the dialog's request is what this test sees.
echo 'focus_on_window_activation focus' >"$E2E_SCRATCH/sway.conf"
"${session[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway ${E2E_SWAY_DEBUG:+-d} -c "$E2E_SCRATCH/sway.conf" >"$E2E_SCRATCH/sway.log" 2>&1 &
E2E_PIDS+=($!)
wayland_socket() { find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n 1; }
sway_socket() { find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'sway-ipc.*' | head -n 1; }
e2e_poll 30 eval '[ -n "$(wayland_socket)" ] && [ -n "$(sway_socket)" ]' ||
    fail "sway did not start: $(tail -n 3 "$E2E_SCRATCH/sway.log")"
session+=(WAYLAND_DISPLAY="$(wayland_socket)" SWAYSOCK="$(sway_socket)")

"${session[@]}" ${E2E_APP_ENV:-} "$PROGRAM" >"$E2E_SCRATCH/app.log" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)
shot() { "${session[@]}" grim "$1" 2>/dev/null; }
# The tank on the output (1280 x 720 on sway's headless back end): bright where it is drawn.
drawn() {
    shot "$E2E_SCRATCH/shot.png" &&
        awk -v m="$(e2e_mean "$E2E_SCRATCH/shot.png" 1280x720+0+0)" 'BEGIN { exit !(m > 0.15) }'
}
e2e_poll 60 drawn || fail "no tank on the Wayland output: $(cat "$E2E_SCRATCH/app.log")"
! grep -q 'cannot open' "$E2E_SCRATCH/app.log" || fail "$(cat "$E2E_SCRATCH/app.log")"
pass "with only WAYLAND_DISPLAY set the tank is drawn on Wayland"

# Keys from one virtual keyboard each time (a new one may lose its first key: the help is
# toggled until it shows, and then until it goes).
key() { "${session[@]}" wtype -s 300 -P "$1" -s 100 -p "$1"; }
# White pixels where the help text stands, in the middle of the output.
help_pixels() {
    shot "$E2E_SCRATCH/help.png" &&
        convert "$E2E_SCRATCH/help.png" -crop 600x200+480+228 +repage -colorspace Gray \
            -threshold 94% -format '%[fx:round(mean*w*h)]' info:
}
help_shown() { [ "$(help_pixels)" -gt 1500 ]; }
help_gone() { [ "$(help_pixels)" -lt 400 ]; }
e2e_poll 60 help_gone || fail "the start-up help did not go"
toggled=0
until help_shown; do
    [ $((toggled += 1)) -le 3 ] || fail "F1 did not show the help ($(help_pixels) white pixels)"
    key F1
    e2e_poll 5 help_shown || true
done
key F1
e2e_poll 10 help_gone || fail "F1 again did not hide the help"
pass "F1 shows the help and F1 again hides it"

# One virtual pointer (sway's headless back end has none); each command is waited for until
# the compositor has it.
"${session[@]}" "$E2E_SCRATCH/virtual_pointer" <"$E2E_SCRATCH/pointer.in" >"$E2E_SCRATCH/pointer.out" 2>&1 &
E2E_PIDS+=($!)
exec 8>"$E2E_SCRATCH/pointer.in"
e2e_poll 10 grep -q ready "$E2E_SCRATCH/pointer.out" || fail "no virtual pointer: $(cat "$E2E_SCRATCH/pointer.out")"
pointer() {
    local before
    before=$(grep -c done "$E2E_SCRATCH/pointer.out" || true)
    echo "$*" >&8
    e2e_poll 10 eval '[ "$(grep -c done "$E2E_SCRATCH/pointer.out")" -gt "$before" ]' ||
        fail "the virtual pointer did not $*"
}
# A keyboard that stays, as a user's does (each of wtype's lasts only as long as it runs): the
# window that had the keyboard asks for it for the dialog.
"${session[@]}" wtype -s 600000 &
E2E_PIDS+=($!)
# To the top-left corner, then to (300, 150).
pointer move -4000 -4000
pointer move 300 150
shot "$E2E_SCRATCH/before-menu.png"
pointer button right
# The menu's rows are 48 pixels high, from its top-left corner at the pointer.
menu_open() {
    shot "$E2E_SCRATCH/menu.png" &&
        awk -v d="$(e2e_region_difference "$E2E_SCRATCH/before-menu.png" "$E2E_SCRATCH/menu.png" 150x380+305+155)" \
            'BEGIN { exit !(d > 0.1) }'
}
e2e_poll 20 menu_open || fail "no popup menu at the pointer"
pass "a right click opens the popup menu at the pointer"

# "  Add/Delete Fish", the fifth row.
pointer move 40 $((4 * 48 + 24))
pointer button
tree() { "${session[@]}" swaymsg -t get_tree 2>/dev/null; }
fish_settings_rect() {
    tree | python3 -c '
import json, sys
def walk(node):
    yield node
    for child in node.get("nodes", []) + node.get("floating_nodes", []):
        yield from walk(child)
for node in walk(json.load(sys.stdin)):
    if (node.get("name") or "").startswith("Fish Settings") and node.get("visible"):
        r = node["rect"]
        print(r["x"], r["y"], r["width"], r["height"], node["type"])
'
}
e2e_poll 20 eval '[ -n "$(fish_settings_rect)" ]' || fail "no Fish Settings dialog: $(tree | head -c 2000)"
read -r dx dy dw dh dtype < <(fish_settings_rect)
[ "$dtype" = floating_con ] || fail "the dialog is tiled beside the tank ($dtype), not above it"
dialog_on_top() {
    shot "$E2E_SCRATCH/dialog.png" &&
        awk -v d="$(e2e_region_difference "$E2E_SCRATCH/before-menu.png" "$E2E_SCRATCH/dialog.png" "${dw}x${dh}+${dx}+${dy}")" \
            'BEGIN { exit !(d > 0.1) }'
}
e2e_poll 20 dialog_on_top || fail "the dialog is not drawn above the tank"
pass "the Fish Settings dialog floats above the tank at ${dx},${dy} (${dw}x${dh})"

[ -n "${E2E_SHOTS:-}" ] && cp "$E2E_SCRATCH/menu.png" "$E2E_SCRATCH/dialog.png" "$E2E_SHOTS"/
[ -n "${E2E_SHOTS:-}" ] && tree > "$E2E_SHOTS/tree.json" && cp "$E2E_SCRATCH/app.log" "$E2E_SCRATCH/sway.log" "$E2E_SHOTS/"
tries=0
until [ -z "$(fish_settings_rect)" ]; do
    [ $((tries += 1)) -le 3 ] || fail "Esc did not close the dialog"
    key Escape
    e2e_poll 5 eval '[ -z "$(fish_settings_rect)" ]' || true
done
kill -0 "$APP_PID" || fail "Esc in the dialog ended the program"
pass "Esc closes the dialog and leaves the tank running"

key Escape
e2e_wait_exit "$APP_PID" 5
if [ "$EXIT_CODE" = running ]; then # the key went to a keyboard the compositor was still adding
    key Escape
    e2e_wait_exit "$APP_PID" 5
fi
[ "$EXIT_CODE" = 0 ] || fail "Esc gave '$EXIT_CODE'"
pass "Esc ends the program with status 0"

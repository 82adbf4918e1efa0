#!/usr/bin/env bash
# "  Add/Delete Fish" from the popup opens the modal Fish Settings dialog, centred on the
# screen, found by its caption; the tank beside it keeps moving; C empties the settings file's
# counts within a second, and the tank; Esc closes the dialog and the program runs on. Prints
# the time from the menu click to the dialog on the screen.
source "$(dirname "$0")/lib.sh"

CAPTION='^Fish Settings - Quelmarine Fish 3D Screensaver 1.0$'
now_ms() { echo $(($(date +%s%N) / 1000000)); }
# The dialog's window id, or nothing.
dialog_window() { xdotool search --onlyvisible --name "$CAPTION" 2>/dev/null | head -n 1 || true; }
# The share (0 ... 1) of fish-coloured pixels (orange, red, yellow) in a region WxH+X+Y.
fish_share() {
    convert "$1" -crop "$2" +repage -scale 25% -fx '(r > 0.7 && b < 0.45) ? 1 : 0' \
        -format '%[fx:mean]' info:
}
fish_counts() { tr -d '\r' <"$SETTINGS_FILE" | sed -n '/^\[Fish Number\]/,/^\[/p' | grep '^Fish' | cut -d= -f2 | tr '\n' ' '; }

mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '[Fish Number]\r\nFish0=5\r\nFish1=5\r\nFish2=5\r\nFish3=5\r\nFish4=5\r\n' >"$SETTINGS_FILE"
e2e_start_x 1280 1024
e2e_start_app
e2e_wait_window >/dev/null
sleep 1.5

# 1. The popup's fifth item opens the dialog, found by its caption.
left=300 top=200
xdotool mousemove "$left" "$top" click 3
sleep 0.8
xdotool mousemove $((left + 70)) $((top + 4 * 48 + 24))
sleep 0.3
clicked=$(now_ms)
xdotool click 1
dialog=""
until [ -n "$dialog" ]; do
    [ $(($(now_ms) - clicked)) -gt 5000 ] && fail "no window with the dialog's caption"
    dialog=$(dialog_window)
    [ -n "$dialog" ] || sleep 0.01
done
echo "menu click to dialog shown: $(($(now_ms) - clicked)) ms (xdotool polling included)"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH" = 501 ] && [ "$HEIGHT" = 561 ] || fail "dialog size ${WIDTH}x$HEIGHT"
read -r X Y < <(e2e_window_position "$dialog")
centre_x=$((X + WIDTH / 2)) centre_y=$((Y + HEIGHT / 2))
# Under a window manager its frame (title bar and borders) may shift the dialog by its size.
slack=4
[ -n "${E2E_WM:-}" ] && slack=$((slack + $(e2e_frame_extent "$dialog")))
[ "$((centre_x - 640))" -le "$slack" ] && [ "$((640 - centre_x))" -le "$slack" ] &&
    [ "$((centre_y - 512))" -le "$slack" ] && [ "$((512 - centre_y))" -le "$slack" ] ||
    fail "the dialog is not centred: $X,$Y"
pass "the dialog opens, centred, with its caption"

# 2. The tank beside the dialog keeps moving.
beside="380x1024+0+0"
sleep 0.5
e2e_shot "$E2E_SCRATCH/open1.png"
sleep 0.4
e2e_shot "$E2E_SCRATCH/open2.png"
change=$(e2e_region_difference "$E2E_SCRATCH/open1.png" "$E2E_SCRATCH/open2.png" "$beside")
awk -v c="$change" 'BEGIN { exit !(c > 0.003) }' || fail "the tank stood still behind the dialog ($change)"
pass "the tank keeps moving behind the dialog ($change)"
# The fish swim in and out of the strip beside the dialog: wait for a moment when some are in it.
fish_in_strip() {
    e2e_shot "$E2E_SCRATCH/before.png"
    fish_before=$(fish_share "$E2E_SCRATCH/before.png" "$beside")
    awk -v b="$fish_before" 'BEGIN { exit !(b > 0.002) }'
}
e2e_poll 20 fish_in_strip || fail "no fish swam beside the dialog in 20 s (share $fish_before)"

# 3. C: within a second the file holds five zeros and the tank empties.
[ "$(fish_counts)" = "5 5 5 5 5 " ] || fail "counts before C: $(fish_counts)"
xdotool key c
pressed=$(now_ms)
until [ "$(fish_counts)" = "0 0 0 0 0 " ]; do
    [ $(($(now_ms) - pressed)) -gt 1000 ] && fail "the file holds '$(fish_counts)' a second after C"
    sleep 0.02
done
pass "C: the settings file holds five zeros after $(($(now_ms) - pressed)) ms"
strip_emptied() {
    e2e_shot "$E2E_SCRATCH/cleared.png"
    fish_after=$(fish_share "$E2E_SCRATCH/cleared.png" "$beside")
    awk -v b="$fish_before" -v a="$fish_after" 'BEGIN { exit !(a < b / 4) }'
}
e2e_poll 3 strip_emptied ||
    fail "the tank did not empty (fish-coloured share $fish_before before, $fish_after after)"
pass "the tank empties (fish-coloured share $fish_before -> $fish_after)"

# Under a window manager: minimising the dialog (openbox minimises the tank with it) brings
# both back, the dialog still modal and working.
if [ -n "${E2E_WM:-}" ]; then
    tank=$(e2e_find_window)
    xdotool windowminimize "$dialog"
    e2e_poll 10 eval 'e2e_shown "$tank" && e2e_shown "$dialog"' ||
        fail "minimising the dialog took the tank away (tank $(e2e_map_state "$tank"), dialog $(e2e_map_state "$dialog"))"
    e2e_shot "$E2E_SCRATCH/restored.png"
    awk -v m="$(e2e_mean "$E2E_SCRATCH/restored.png" "$beside")" 'BEGIN { exit !(m > 0.08) }' ||
        fail "the screen beside the dialog is black after the minimise"
    pass "minimising the dialog: the tank and the dialog come back"
fi

# 4. Esc closes the dialog; the program runs on and the tank still moves.
xdotool key Escape
closed=$(now_ms)
while [ -n "$(dialog_window)" ]; do
    [ $(($(now_ms) - closed)) -gt 2000 ] && fail "Esc left the dialog open"
    sleep 0.05
done
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || fail "the program ended with the dialog"
e2e_shot "$E2E_SCRATCH/after1.png"
sleep 0.4
e2e_shot "$E2E_SCRATCH/after2.png"
change=$(e2e_region_difference "$E2E_SCRATCH/after1.png" "$E2E_SCRATCH/after2.png" "600x600+340+200")
awk -v c="$change" 'BEGIN { exit !(c > 0.003) }' || fail "the tank stopped after the dialog ($change)"
[ "$(fish_counts)" = "0 0 0 0 0 " ] || fail "Esc changed the file: $(fish_counts)"
pass "Esc closes the dialog and the program runs on"

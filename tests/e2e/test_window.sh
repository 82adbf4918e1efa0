#!/usr/bin/env bash
# The window covers the screen at two sizes, a second copy ends quietly, no asset file stays
# behind, and Esc ends the program with exit code 0 within a second.
source "$(dirname "$0")/lib.sh"

for size in 1280x1024 1920x1080; do
    w=${size%x*} h=${size#*x}
    e2e_start_x "$w" "$h"
    e2e_start_app
    window=$(e2e_wait_window)
    covers_screen() {
        geometry=$(xdotool getwindowgeometry "$window" | awk '/Geometry/ {print $2}')
        [ "$geometry" = "$size" ]
    }
    e2e_poll 10 covers_screen || fail "window is $geometry on a $size screen"
    pass "window covers the $size screen"

    # A second copy ends with exit code 0 and leaves the first one running.
    second_rc=0
    timeout 10 "$PROGRAM" >/dev/null 2>&1 || second_rc=$?
    [ "$second_rc" = 0 ] || fail "second copy ended with $second_rc"
    kill -0 "$APP_PID" 2>/dev/null || fail "the first copy died when the second started"
    [ "$(xdotool search --onlyvisible --name '^QuelmarineScr$' | wc -l)" = 1 ] ||
        fail "more than one window"
    pass "second copy ends quietly"

    leftovers=$(find "$ASSET_FOLDER" -name '*.ad' -o -name '*.bmp' -o -name '*.wav' | wc -l)
    [ "$leftovers" = 0 ] || fail "asset files left in $ASSET_FOLDER: $(ls "$ASSET_FOLDER")"
    [ "$(stat -c %a "$ASSET_FOLDER")" = 700 ] || fail "asset folder is not private"
    pass "no asset file stays behind"

    xdotool key --window "$window" Escape
    e2e_wait_exit "$APP_PID" 1
    [ "$EXIT_CODE" = 0 ] || fail "Esc gave '$EXIT_CODE' (expected exit code 0 within a second)"
    pass "Esc ends the program with 0 at $size"
    e2e_stop
done

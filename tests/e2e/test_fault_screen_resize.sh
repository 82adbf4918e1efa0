#!/usr/bin/env bash
# The screen changes size while the program runs (xrandr): it keeps running and drawing, its
# window covers the new screen, and Esc ends it with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
fault_start_resizable_x
e2e_start_app
window=$(e2e_wait_window)

window_size() { xdotool getwindowgeometry "$window" | awk '/Geometry:/ { print $2 }'; }
for size in 1024x768 800x600 1280x1024; do
    xrandr -s "$size"
    [ "$(fault_screen_size)" = "$size" ] || fail "xrandr did not make the screen $size"
    e2e_poll 10 eval '[ "$(window_size)" = "$size" ]' || fail "the window is $(window_size) on a $size screen"
    width=${size%x*} height=${size#*x}
    e2e_shot "$E2E_SCRATCH/first.png"
    sleep 1
    e2e_shot "$E2E_SCRATCH/second.png"
    change=$(e2e_region_difference "$E2E_SCRATCH/first.png" "$E2E_SCRATCH/second.png" "${size}+0+0")
    awk -v c="$change" 'BEGIN { exit !(c > 0.0005) }' || fail "nothing moves on the $size screen ($change)"
    [ -n "${QUELMARINE_SHOTS:-}" ] && cp "$E2E_SCRATCH/second.png" "$QUELMARINE_SHOTS/resized_$size.png"
    pass "screen $size: the window covers it and the tank moves"
done
fault_check_esc_exit "$window" "after resizing"
fault_check_log_clean "after resizing"
pass "Esc ends it with status 0 after the resizes"

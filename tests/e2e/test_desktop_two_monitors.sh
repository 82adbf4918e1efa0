#!/usr/bin/env bash
# Two monitors side by side on one X screen (Xorg's dummy driver, split with `xrandr
# --setmonitor`): the program covers the monitor under the pointer, left or right, draws there,
# and Esc ends it with status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
fault_start_resizable_x
output=$(xrandr | awk '/ connected/ { print $1; exit }')
xrandr --setmonitor left 800/211x1024/270+0+0 "$output" >/dev/null
xrandr --setmonitor right 480/127x1024/270+800+0 none >/dev/null
[ "$(xrandr --listmonitors | sed -n 1p)" = "Monitors: 2" ] || fail "xrandr made no two monitors"

# The window's geometry on the screen, WxH+X+Y.
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
        /^  Width/ { w = $NF } /^  Height/ { h = $NF } END { print w "x" h "+" x "+" y }'
}

for monitor in "left 400 500 800x1024+0+0" "right 1040 500 480x1024+800+0"; do
    read -r name x y expected <<<"$monitor"
    xdotool mousemove "$x" "$y"
    e2e_start_app
    window=$(e2e_wait_window)
    e2e_poll 20 eval '[ "$(geometry "$window")" = "$expected" ]' ||
        fail "pointer on the $name monitor: the window is at $(geometry "$window"), not $expected"
    # The tank moves on that monitor.
    e2e_shot "$E2E_SCRATCH/first.png"
    moved() {
        e2e_shot "$E2E_SCRATCH/second.png"
        awk -v c="$(e2e_region_difference "$E2E_SCRATCH/first.png" "$E2E_SCRATCH/second.png" \
            "$expected")" 'BEGIN { exit !(c > 0.0005) }'
    }
    e2e_poll 20 moved || fail "nothing moves on the $name monitor"
    fault_check_esc_exit "$window" "on the $name monitor"
    pass "pointer on the $name monitor: the tank covers it ($expected), and Esc ends it"
done

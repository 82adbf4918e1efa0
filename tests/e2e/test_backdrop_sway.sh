#!/usr/bin/env bash
# The built-in backdrop is drawn, and its top sways while its bottom stays still.
source "$(dirname "$0")/lib.sh"

# No fish and no bubbles in front of the backdrop.
mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '[Aquarium Settings]\nQIPAONUM=110\n[Fish Number]\nFish0=0\nFish1=0\nFish2=0\nFish3=0\nFish4=0\n' >"$SETTINGS_FILE"

for size in 1280x1024 1920x1080; do
    w=${size%x*} h=${size#*x}
    e2e_start_x "$w" "$h"
    e2e_start_app
    e2e_wait_window >/dev/null
    e2e_wait_overlay_gone
    for n in 1 2 3; do
        e2e_shot "$E2E_SCRATCH/shot$n.png"
        sleep 0.6 # the interval over which the sway is measured
    done

    band=$((h / 8))
    top="${w}x${band}+0+0"
    bottom="${w}x$((band / 2))+0+$((h - band / 2))"
    middle="$((w / 2))x$((h / 2))+$((w / 4))+$((h / 4))"
    brightness=$(e2e_mean "$E2E_SCRATCH/shot1.png" "$middle")
    awk -v b="$brightness" 'BEGIN { exit !(b > 0.08) }' || fail "no backdrop at $size (mean $brightness)"
    # The sway turns about every two seconds, so one of the two intervals moves steadily.
    top_change=0 bottom_change=0
    for pair in "1 2" "2 3"; do
        set -- $pair
        t=$(e2e_region_difference "$E2E_SCRATCH/shot$1.png" "$E2E_SCRATCH/shot$2.png" "$top")
        b=$(e2e_region_difference "$E2E_SCRATCH/shot$1.png" "$E2E_SCRATCH/shot$2.png" "$bottom")
        top_change=$(awk -v a="$top_change" -v b="$t" 'BEGIN { print (a > b ? a : b) }')
        bottom_change=$(awk -v a="$bottom_change" -v b="$b" 'BEGIN { print (a > b ? a : b) }')
    done
    awk -v t="$top_change" 'BEGIN { exit !(t > 0.005) }' || fail "the top did not sway ($top_change)"
    # The surface is a coarse 3 x 3 grid, so the lowest rows follow the sway by a fraction of a
    # pixel: far less than the top, never visibly.
    awk -v b="$bottom_change" -v t="$top_change" 'BEGIN { exit !(b < 0.01 && b * 4 < t) }' ||
        fail "the bottom moved ($bottom_change against $top_change at the top)"
    pass "backdrop at $size: brightness $brightness, top change $top_change, bottom change $bottom_change"

    e2e_stop
done

#!/usr/bin/env bash
# Five fish of each species swim in the running program: against the same tank without fish,
# many separate fish-sized shapes appear, and they move between two screenshots.
source "$(dirname "$0")/lib.sh"

W=1280 H=1024
mkdir -p "$(dirname "$SETTINGS_FILE")"
# No bubbles, so only the fish (and the backdrop's sway at the top) change the picture.
settings() {
    printf '[Aquarium Settings]\nQIPAONUM=110\n[Fish Number]\n'
    for i in 0 1 2 3 4; do printf 'Fish%d=%d\n' "$i" "$1"; done
}

run_and_shoot() { # count, shot names...
    local count="$1"
    shift
    settings "$count" >"$SETTINGS_FILE"
    e2e_start_x "$W" "$H"
    e2e_start_app
    e2e_wait_window >/dev/null
    e2e_wait_overlay_gone
    for name in "$@"; do
        e2e_shot "$E2E_SCRATCH/$name.png"
        sleep 1 # the interval over which the fish move
    done
    e2e_stop
}

run_and_shoot 0 empty
run_and_shoot 5 fish1 fish2
grep -q '^Fish4=5' "$SETTINGS_FILE" || fail "the settings file lost the counts"

# Below the swaying top band of the backdrop.
region="${W}x$((H * 7 / 8))+0+$((H / 8))"
mask() { # a b out: white where the two shots differ clearly
    convert "$E2E_SCRATCH/$1.png" "$E2E_SCRATCH/$2.png" -crop "$region" +repage \
        -compose difference -composite -colorspace Gray -threshold 12% "$E2E_SCRATCH/$3.png"
}
# Separate shapes of at least 150 pixels in a mask.
shapes() {
    convert "$E2E_SCRATCH/$1.png" -define connected-components:verbose=true \
        -define connected-components:area-threshold=150 -connected-components 8 null: |
        awk 'NR > 1 && $NF == "gray(255)" { n++ } END { print n + 0 }'
}
mask empty fish1 fish-vs-empty
mask fish1 fish2 moved
present=$(shapes fish-vs-empty)
moving=$(shapes moved)
changed=$(convert "$E2E_SCRATCH/moved.png" -format '%[fx:mean*w*h]' info:)

# The swimming box (x -50 ... 50) is wider than the view at the fishes' depth, so some of the
# 25 are always off to the sides; at least ten are in view at once.
[ "$present" -ge 10 ] || fail "only $present fish-sized shapes against the empty tank"
[ "$moving" -ge 10 ] || fail "only $moving shapes changed between the two screenshots"
awk -v c="$changed" 'BEGIN { exit !(c > 20000) }' || fail "the fish hardly moved ($changed pixels)"
pass "$present fish in view, $moving moving shapes, $changed pixels changed in a second"

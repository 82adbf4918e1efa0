#!/usr/bin/env bash
# The saver's picture, as the kept frame test checks the program's: the full tank on a 640x480
# root window with two seconds between frames. Its second frame is the tank after eleven steps
# (one for the first frame, ten, the most a frame takes, for the two seconds after it) whatever
# the machine's speed, so it must look as kept in tests/data/saver-frame2.png. To keep a new
# picture (only when what the tank shows is meant to change), run the test with
# QUELMARINE_KEEP_SAVER_FRAME=<path>.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"
KEPT="$(dirname "$0")/../data/saver-frame2.png"

e2e_start_x 640 480
mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '[Aquarium Settings]\nQIPAONUM=0\n[Fish Number]\nFish0=5\nFish1=5\nFish2=5\nFish3=5\nFish4=5\n' \
    >"$SETTINGS_FILE"
saver_start --root --delay 2000000
# The first frame is white with fog; the second shows the water.
saver_wait_tank "$E2E_SCRATCH/frame2.png" 30 600x440+20+20
if [ -n "${QUELMARINE_KEEP_SAVER_FRAME:-}" ]; then
    cp "$E2E_SCRATCH/frame2.png" "$QUELMARINE_KEEP_SAVER_FRAME"
fi
# compare's status tells only whether the pictures differ at all.
difference=$({ compare -metric MAE "$E2E_SCRATCH/frame2.png" "$KEPT" null: 2>&1 || true; } |
    sed -n 's/.*(\(.*\)).*/\1/p')
echo "the saver's second frame differs from the kept picture by $difference of full scale"
awk -v d="$difference" 'BEGIN { exit !(d != "" && d < 0.005) }' ||
    fail "the saver's second frame is not the kept picture (difference ${difference:-unknown})"
saver_terminate "$SAVER_PID"
[ "$END_CODE" = 0 ] || fail "the saver ended with status $END_CODE"
pass "the saver's second frame looks as kept"

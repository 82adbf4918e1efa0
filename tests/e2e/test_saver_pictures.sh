#!/usr/bin/env bash
# The user's own background pictures in the saver: a large progressive JPEG and a PNG from the
# settings file's list, cycled every second ("Repeat All"); a pipe in the list is skipped
# without blocking; the built-in backdrop shows while the large picture is still decoded.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"

pictures="$E2E_SCRATCH/pictures"
mkdir -p "$pictures" "$(dirname "$SETTINGS_FILE")"
convert -size 5000x3000 gradient:'#e02010-#f05030' -interlace Plane -quality 90 "$pictures/red.jpg"
convert -size 800x600 gradient:'#10c020-#30e040' "$pictures/green.png"
mkfifo "$pictures/pipe.png"
cat >"$SETTINGS_FILE" <<SETTINGS
[Custom Images]
RandomImage=0
CycImage=1
RepeatImage=0
OwnImage=1
ImageTime=1
ImageSum=3
ImageList0=$pictures/red.jpg
ImageList1=$pictures/pipe.png
ImageList2=$pictures/green.png
SETTINGS
settings_before=$(md5sum <"$SETTINGS_FILE")

e2e_start_x 800 600
saver_start -root
colours=""
for _ in $(seq 1 14); do
    sleep 0.25
    colours+="$(import -window root -resize 32x32! -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info:)"$'\n'
done
# What each sample showed: the built-in water (blue), the red picture or the green one.
kinds=$(echo "$colours" | awk 'NF == 3 {
    if ($1 > $2 + 0.3 && $1 > $3 + 0.3) print "red";
    else if ($2 > $1 + 0.3 && $2 > $3 + 0.3) print "green";
    else if ($3 > $1 + 0.1) print "water";
    else print "other" }' | uniq | tr '\n' ' ')
echo "seen: $kinds"
[[ "$kinds" == *water*red* ]] || fail "the built-in backdrop did not show before the large picture"
[[ "$kinds" == *red*green* ]] || fail "the pictures did not cycle from red to green"
[[ "$kinds" == *green*red* ]] || fail "Repeat All did not come back to the first picture"
pass "the saver shows the user's pictures in turn, the backdrop while they load"

grep -q "($pictures/pipe.png)image loading error." "$E2E_SCRATCH/saver.log" ||
    fail "the pipe was not reported: $(cat "$E2E_SCRATCH/saver.log")"
# (The 100 ms bound is checked where nothing else loads the machine, in test_saver_alone; here
# the saver has just decoded a 15-megapixel picture and the process is larger to tear down.)
saver_terminate "$SAVER_PID"
[ "$END_MS" != running ] && [ "$END_MS" -le 250 ] && [ "$END_CODE" = 0 ] ||
    fail "SIGTERM took $END_MS ms, status $END_CODE"
[ "$(md5sum <"$SETTINGS_FILE")" = "$settings_before" ] || fail "the settings file was changed"
pass "a pipe in the list is skipped and reported, the settings stay as they were"

#!/usr/bin/env bash
# The user's own background pictures in the saver: a large grainy PNG and a JPEG from the
# settings file's list, cycled every second ("Repeat All"); a pipe in the list is skipped
# without blocking; the built-in backdrop shows while the large picture is still decoded (a
# 5000 x 3000 PNG full of grain takes a second or more to read; a JPEG would be read, scaled
# down by its decoder, in a fraction of a frame's samples).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"

pictures="$E2E_SCRATCH/pictures"
mkdir -p "$pictures" "$(dirname "$SETTINGS_FILE")"
python3 - "$pictures/red.png" <<'PY'
import os, struct, sys, zlib
width, height = 5000, 3000
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
# Red with grain in its low bits: rows from a random pool, so the file does not compress.
grain = bytes.maketrans(bytes(range(256)), bytes((b & 31) for b in range(256)))
pool = os.urandom(width * 3 * 67).translate(grain)
base = bytes((200, 20, 20)) * width
rows = []
for y in range(64):
    noise = pool[y * width * 3:(y + 1) * width * 3]
    rows.append(b'\0' + bytes(a + b for a, b in zip(base, noise)))
raw = b''.join(rows[y % 64] for y in range(height))
with open(sys.argv[1], 'wb') as out:
    out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)) +
              chunk(b'IDAT', zlib.compress(raw, 1)) + chunk(b'IEND', b''))
PY
convert -size 800x600 gradient:'#10c020-#30e040' -interlace Plane "$pictures/green.jpg"
mkfifo "$pictures/pipe.png"
cat >"$SETTINGS_FILE" <<SETTINGS
[Custom Images]
RandomImage=0
CycImage=1
RepeatImage=0
OwnImage=1
ImageTime=1
ImageSum=3
ImageList0=$pictures/red.png
ImageList1=$pictures/pipe.png
ImageList2=$pictures/green.jpg
SETTINGS
settings_before=$(md5sum <"$SETTINGS_FILE")

e2e_start_x 800 600
saver_start -root
# What the screen shows now: the built-in water (blue), the red picture or the green one.
screen_kind() {
    import -window root -resize 32x32! -format '%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]' info: |
        awk 'NF == 3 {
            if ($1 > $2 + 0.3 && $1 > $3 + 0.3) print "red";
            else if ($2 > $1 + 0.3 && $2 > $3 + 0.3) print "green";
            else if ($3 > $1 + 0.1) print "water";
            else print "other" }'
}
# Samples until the pictures have come round once (water, red, green, red again), for at most
# 60 s: a busy machine decodes and shoots more slowly, so the count of samples cannot be fixed.
kinds="" deadline=$(( $(date +%s) + 60 ))
while [[ "$kinds" != *water*red*green*red* ]] && [ "$(date +%s)" -lt "$deadline" ]; do
    kind=$(screen_kind)
    [[ "$kinds" == *"$kind " ]] || kinds+="$kind "
    sleep 0.1
done
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

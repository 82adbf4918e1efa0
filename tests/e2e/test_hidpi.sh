#!/usr/bin/env bash
# On HiDPI screens (Qt scaling 2 and 1.5): the tank fills the screen at its own pixels, the
# popup menu's icons are the pictures drawn at twice the size (fine detail, not blocks), and the
# feeding cursor is the larger picture at the screen's pixels with its hot spot where it belongs.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"
CURSOR_IMAGE="$(dirname "$0")/cursor_image.py"

# The share of 2 x 2 pixel blocks of a region WxH+X+Y whose four pixels are not all alike: 0 for
# a picture blown up to twice its size, clearly above for one drawn at that size.
detailed_share() {
    convert "$1" -crop "$2" +repage "$E2E_SCRATCH/region.ppm"
    python3 - "$E2E_SCRATCH/region.ppm" <<'PY'
import sys
data = open(sys.argv[1], "rb").read()
fields, rest = data.split(b"\n", 3)[:3], data.split(b"\n", 3)[3]
w, h = map(int, fields[1].split())
px = lambda x, y: rest[3 * (y * w + x):3 * (y * w + x) + 3]
blocks = detailed = 0
for y in range(0, h - 1, 2):
    for x in range(0, w - 1, 2):
        a, b, c, d = px(x, y), px(x + 1, y), px(x, y + 1), px(x + 1, y + 1)
        blocks += 1
        detailed += not (a == b == c == d)
print(round(detailed / blocks, 3))
PY
}

windows_shown() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l; }
menu_open() { [ "$(windows_shown)" -gt "$without_menu" ]; }

for scale in 2 1.5; do
    s() { awk -v v="$1" -v s="$scale" 'BEGIN { printf "%d", v * s }'; }
    e2e_start_x "$(s 1280)" "$(s 800)"
    QT_SCALE_FACTOR=$scale "$PROGRAM" >"$E2E_SCRATCH/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
    e2e_wait_window >/dev/null
    e2e_wait_overlay_gone

    # The tank at the screen's pixels: the right and the top are drawn as the rest.
    e2e_shot "$E2E_SCRATCH/tank.png"
    for region in "$(s 300)x$(s 200)+$(s 960)+0" "$(s 300)x$(s 200)+0+0"; do
        m=$(e2e_mean "$E2E_SCRATCH/tank.png" "$region")
        awk -v m="$m" 'BEGIN { exit !(m > 0.15) }' || fail "scale $scale: $region is dark ($m)"
    done

    # The menu at logical (200, 120): the icon strip of its first five items. A loaded machine
    # may lose the click on a tank that is not ready yet: the user clicks again.
    without_menu=$(windows_shown)
    open_menu() { xdotool mousemove "$(s 200)" "$(s 120)" click 3 && e2e_poll 10 menu_open; }
    open_menu || open_menu || fail "scale $scale: the popup menu did not open"
    # Each item is 48 logical pixels high with its icon in the top 24 x 24 of its strip: the mean
    # share over the five icons (0 for icons blown up pixel by pixel; about 0.4 when drawn at
    # twice the size).
    fine_icons() {
        e2e_shot "$E2E_SCRATCH/menu.png"
        share=$(for i in 0 1 2 3 4; do
            detailed_share "$E2E_SCRATCH/menu.png" "$(s 24)x$(s 24)+$(s 202)+$(s $((120 + 48 * i)))"
        done | awk '{ sum += $1 } END { printf "%.3f", sum / NR }')
        awk -v d="$share" 'BEGIN { exit !(d > 0.2) }'
    }
    e2e_poll 20 fine_icons || fail "scale $scale: no menu with fine icons (detailed share $share)"
    pass "scale $scale: the tank fills the screen, the menu icons are fine ($share of blocks detailed)"

    # "  Feed Fish": over the tank the cursor is the feeding picture at the screen's pixels.
    xdotool mousemove "$(s 270)" "$(s 144)" sleep 0.3 click 1
    xdotool mousemove "$(s 640)" "$(s 400)"
    side=$(s 32) hot=$(awk -v s="$scale" 'BEGIN { printf "%d", 3 * s + 0.5 }')
    e2e_poll 10 eval '[ "$(python3 "$CURSOR_IMAGE" | cut -d" " -f1)" = "$side" ]' ||
        fail "scale $scale: the cursor is $(python3 "$CURSOR_IMAGE"), not $side pixels square"
    read -r w h x y < <(python3 "$CURSOR_IMAGE" "$E2E_SCRATCH/cursor.ppm")
    [ "$w $h $x $y" = "$side $side $hot $hot" ] || fail "scale $scale: cursor $w x $h, hot spot $x,$y"
    share=$(detailed_share "$E2E_SCRATCH/cursor.ppm" "${side}x${side}+0+0")
    awk -v d="$share" 'BEGIN { exit !(d > 0.1) }' || fail "scale $scale: the cursor is blocky ($share)"
    pass "scale $scale: the feeding cursor is $side pixels square, hot spot $hot,$hot"
    e2e_stop
done

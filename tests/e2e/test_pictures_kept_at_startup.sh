#!/usr/bin/env bash
# Ten large photos are the user's own backgrounds ("Use your own image" on). As soon as the
# program's window is there, while the photos are still being read, the user opens "Custom
# Background" from the popup menu and closes it with Esc. From the program's start until every
# photo has been read, the settings file (read every 50 ms) must hold all ten, in their order.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/dialog_lib.sh"

e2e_start_x 1280 1024

# The photos, 5120 x 2880, as slow to read as a camera's: PNGs full of grain (written with
# zlib), grainy JPEGs (baseline and progressive), and last a plain red PNG. The program reads
# them one after the other in list order, so the red one is the last to be ready; with Repeat
# All every second, the red backdrop shows that every photo has been read.
photos="$E2E_SCRATCH/Fotos vom Meer 2024"
mkdir -p "$photos" "$(dirname "$SETTINGS_FILE")"
python3 - "$photos" <<'PY'
import os, struct, sys, zlib

def chunk(kind, data):
    return (struct.pack('>I', len(data)) + kind + data +
            struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff))

def png(path, rows, width=5120, height=2880):
    header = struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0)
    with open(path, 'wb') as out:
        out.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) +
                  chunk(b'IDAT', zlib.compress(b''.join(rows), 1)) + chunk(b'IEND', b''))

folder, width, height = sys.argv[1], 5120, 2880
pool = os.urandom(width * 3 * 64)
grain = [b'\x04' + pool[(y * 7919) % (len(pool) - width * 3):][:width * 3] for y in range(height)]
png(f'{folder}/grain.png', grain)
red = [b'\x00' + bytes((225 - y // 64, 30, 30)) * width for y in range(height)]
png(f'{folder}/IMG_0010.png', red)
PY
grain="-size 640x360 xc:gray50 +noise Random -write mpr:grain +delete -size 5120x2880 tile:mpr:grain -quality 90"
convert $grain "$photos/grain.jpg"
convert $grain -interlace Plane "$photos/grain-progressive.jpg"
expected="$E2E_SCRATCH/expected.txt"
for i in $(seq 1 9); do
    name="$photos/IMG_$(printf %04d "$i")"
    case $((i % 3)) in
    0) cp "$photos/grain.png" "$name.png" && echo "$name.png" ;;
    1) cp "$photos/grain.jpg" "$name.JPG" && echo "$name.JPG" ;;
    2) cp "$photos/grain-progressive.jpg" "$name.jpg" && echo "$name.jpg" ;;
    esac
done >"$expected"
echo "$photos/IMG_0010.png" >>"$expected"
rm "$photos"/grain*
{
    printf '[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\nImageTime=1\nImageSum=10\n'
    i=0
    while read -r path; do
        echo "ImageList$i=$path"
        i=$((i + 1))
    done <"$expected"
} >"$SETTINGS_FILE"

# Reads the settings file every 50 ms until told to stop, and notes when a photo file has been
# read (closed by its reader). One line per event: the time (Unix epoch, ms), then "ImageSum=N
# kept" (the ten rows there in order) or "ImageSum=N changed", or "read NAME".
poll_log="$E2E_SCRATCH/polls.txt"
stop_file="$E2E_SCRATCH/stop-polling"
python3 - "$SETTINGS_FILE" "$expected" "$poll_log" "$stop_file" "$photos" <<'PY' &
import ctypes, ctypes.util, os, struct, sys, time
settings, expected_file, log, stop, folder = sys.argv[1:6]
expected = open(expected_file, encoding='utf-8').read().splitlines()
libc = ctypes.CDLL(ctypes.util.find_library('c'), use_errno=True)
watch = libc.inotify_init1(os.O_NONBLOCK)
IN_CLOSE_NOWRITE = 0x10
if watch < 0 or libc.inotify_add_watch(watch, os.fsencode(folder), IN_CLOSE_NOWRITE) < 0:
    sys.exit('no inotify')
with open(log, 'w') as out:
    while not os.path.exists(stop):
        now = int(time.time() * 1000)
        try:
            events = os.read(watch, 65536)
        except BlockingIOError:
            events = b''
        at = 0
        while at < len(events):
            length = struct.unpack_from('iIII', events, at)[3]
            name = events[at + 16:at + 16 + length].rstrip(b'\0').decode()
            out.write(f'{now} read {name}\n')
            at += 16 + length
        try:
            text = open(settings, encoding='utf-8', errors='replace').read()
        except OSError:
            text = ''
        section, values = None, {}
        for line in text.splitlines():
            line = line.strip()
            if line.startswith('[') and line.endswith(']'):
                section = line[1:-1].strip().lower()
            elif section == 'custom images' and '=' in line:
                key, value = line.split('=', 1)
                values.setdefault(key.strip().lower(), value.strip())
        count = values.get('imagesum', '')
        rows = [values.get(f'imagelist{i}') for i in range(int(count) if count.isdigit() else 0)]
        out.write(f"{now} ImageSum={count or '(none)'} {'kept' if rows == expected else 'changed'}\n")
        out.flush()
        time.sleep(0.05)
PY
poller=$!
E2E_PIDS+=($poller)

windows_shown() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | wc -l; }
menu_open() { [ "$(windows_shown)" -gt "$without_menu" ]; }
dialog_id() { xdotool search --onlyvisible --name "^$BACKGROUND_CAPTION\$" 2>/dev/null | head -n 1; }
dialog_shown() { [ -n "$(dialog_id)" ]; }
# Esc must reach the dialog: on the tank it would end the program.
dialog_focused() { local id; id=$(dialog_id) && [ -n "$id" ] && [ "$(xdotool getwindowfocus)" = "$id" ]; }
dialog_hidden() { ! dialog_shown; }
# The backdrop is the red photo, the last to be read: every photo has been read. (It shows one
# second in ten: a small grab, quickly repeated, catches it.)
all_read() {
    if ! kill -0 "$APP_PID" 2>/dev/null; then
        e2e_wait_exit "$APP_PID" 1
        fail "the program ended with status $EXIT_CODE: $(tail -n 5 "$E2E_SCRATCH/app.log")"
    fi
    import -window root -crop 100x100+150+300 +repage "$E2E_SCRATCH/corner.png"
    is_reddish "$E2E_SCRATCH/corner.png" "100x100+0+0"
}
# Milliseconds since the program's start.
since_start() { echo $((($(date +%s%N) - started) / 1000000)); }

# The poller reads the file before the program starts.
e2e_poll 10 test -s "$poll_log" || fail "the settings file is not being read"
started=$(date +%s%N)
e2e_start_app
e2e_wait_window >/dev/null
without_menu=$(windows_shown)
# Deliberately at once, while the photos are being read: the menu, "  Custom Background", Esc.
# A loaded machine may lose a click on a menu that is not ready yet: the user tries again.
open_background() {
    xdotool mousemove 300 200 click 3
    e2e_poll 10 menu_open || return 1
    click_at 370 $((200 + 6 * 48 + 24))
    e2e_poll 10 dialog_shown
}
close_menu() { ! menu_open || { xdotool key Escape && e2e_poll 5 eval '! menu_open'; }; }
open_background || { close_menu && open_background; } || fail "Custom Background did not open"
# The key goes to the dialog's window itself (without a window manager the focus may still be on
# the tank, where Esc would end the program).
# On a loaded machine the focus may still be moving when the dialog shows (an Esc that lands
# on the tank ends the program): it must be on the dialog twice, 300 ms apart.
focus_settled() { dialog_focused && sleep 0.3 && dialog_focused; }
e2e_poll 10 focus_settled || true
xdotool key --window "$(dialog_id)" Escape
esc_ms=$(since_start)
e2e_poll 20 dialog_hidden || fail "Esc did not close Custom Background"
closed_ms=$(since_start)

e2e_poll 60 all_read || fail "the last photo did not become the backdrop within 60 s"
read_ms=$(since_start)
# A few more reads of the file after the last photo came.
polls_then=$(wc -l <"$poll_log")
e2e_poll 10 eval '[ "$(wc -l <"$poll_log")" -ge $((polls_then + 5)) ]' || fail "the file is no longer read"
touch "$stop_file"
wait "$poller"

start_ms=$((started / 1000000))
last_read=$(awk -v start=$start_ms '$2 == "read" && $3 == "IMG_0010.png" { print $1 - start; exit }' "$poll_log")
[ -n "$last_read" ] || fail "the last photo's file was never read"
[ "$last_read" -gt "$esc_ms" ] ||
    fail "every photo had been read ($last_read ms) before Esc ($esc_ms ms): nothing was tested"
pass "Esc in Custom Background $esc_ms ms after the start, the last photo read at $last_read ms"

polls=$(grep -c ' ImageSum=' "$poll_log")
[ "$polls" -ge 20 ] || fail "only $polls reads of the settings file"
if grep ' ImageSum=' "$poll_log" | grep -qv ' ImageSum=10 kept$'; then
    echo "the settings file while the photos were read (ms since the start):" >&2
    grep ' ImageSum=' "$poll_log" |
        awk -v start=$start_ms '$2 " " $3 != last { last = $2 " " $3; print "  " $1 - start, last }' |
        head -n 20 >&2
    fail "the saved photos were not all kept during the start-up"
fi
pass "all ten photos kept in order in $polls reads until all were read ($read_ms ms)"

kill -0 "$APP_PID" 2>/dev/null || fail "the program ended"
xdotool key --window "$(e2e_find_window)" Escape
e2e_wait_exit "$APP_PID" 10
[ "$EXIT_CODE" = 0 ] || fail "Esc on the tank gave '$EXIT_CODE'"
diff <(sed -n 's/^ImageList[0-9]*=//p' "$SETTINGS_FILE") "$expected" >&2 ||
    fail "after the program ended the file does not hold the ten photos in order"
pass "after the program ended the file still holds the ten photos in order"

#!/usr/bin/env bash
# quelmarine-saver installed by `cmake --install` (scratch DESTDIR, prefix /usr) on a headless
# sway with two outputs of different sizes, run as an ordinary user (sway refuses root): a
# full-screen tank on each output, drawn and moving; an output added while it runs gets one, an
# output that goes is let go; at scale 2 it draws at the output's pixels; a pointer that jitters by a few pixels leaves it running; a key
# press ends it with status 0, as a pointer movement, a button press and the idle daemons'
# resume command (SIGTERM) do; when the compositor goes it ends with status 1.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"
for tool in sway swaymsg swayidle grim wtype; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
POINTER_TOOL="$QUELMARINE_BINARY_DIR/tests/quelmarine_virtual_pointer"
[ -x "$POINTER_TOOL" ] || fail "no virtual pointer tool at $POINTER_TOOL"

# Everything the user must read lives under a scratch folder open to others.
saver_stage_install
INSTALLED="$STAGE/root/usr/bin/quelmarine-saver"
[ -x "$INSTALLED" ] || fail "quelmarine-saver was not installed at /usr/bin/quelmarine-saver"
[ -f "$STAGE/root/usr/share/man/man6/quelmarine-saver.6.gz" ] || fail "no manual page installed"
pass "cmake --install puts quelmarine-saver and its manual page in place"

# sway refuses root: as root, a test user made for the run (removed after it).
saver_run_user quelmarine-wl-e2e
USER_HOME="$STAGE/home"
mkdir -p "$USER_HOME/config/QuelmarineScr" "$USER_HOME/runtime" "$USER_HOME/shots"
chmod 700 "$USER_HOME/runtime"
printf '[Fish Number]\nFish0=2\nFish1=2\nFish2=2\nFish3=2\nFish4=2\n' \
    >"$USER_HOME/config/QuelmarineScr/QuelmarineSet.ini"
settings_before=$(md5sum <"$USER_HOME/config/QuelmarineScr/QuelmarineSet.ini")
cat >"$USER_HOME/sway.conf" <<'CONFIG'
output HEADLESS-1 mode 1024x768 position 0 0
output HEADLESS-2 mode 800x600 position 1024 0
default_border none
CONFIG
cp "$POINTER_TOOL" "$USER_HOME/virtual_pointer"
mkfifo "$USER_HOME/pointer.in"
chown -R "$RUN_USER" "$USER_HOME"

# The command that runs what follows it as the user, in the user's environment: USER_COMMAND.
# Started in the background as "${USER_COMMAND[@]}" PROGRAM &, $! is runuser's (or env's) pid.
user_command() {
    USER_COMMAND=(env -i PATH=/usr/bin:/bin HOME="$USER_HOME" LANG=C.UTF-8
        XDG_CONFIG_HOME="$USER_HOME/config" XDG_RUNTIME_DIR="$USER_HOME/runtime"
        ${WAYLAND_NAME:+WAYLAND_DISPLAY=$WAYLAND_NAME} ${SWAYSOCK:+SWAYSOCK=$SWAYSOCK})
    [ "$(id -u)" = 0 ] && USER_COMMAND=(runuser -u "$RUN_USER" -- "${USER_COMMAND[@]}")
    return 0
}
as_user() {
    user_command
    "${USER_COMMAND[@]}" "$@"
}

# The process that runuser ($1) runs, or $1 itself when the test is not root.
run_by() {
    if [ "$(id -u)" = 0 ]; then pgrep -P "$1" | head -n 1; else echo "$1"; fi
}

SWAY_RUNNER="" SWAY_PID="" SAVER_PID="" POINTER_PID="" IDLE_PID=""
sway_cleanup() {
    e2e_own_shell || return 0
    # Ended by their own ids: runuser does not always pass a signal on.
    local pid
    exec 8>&- || true
    for pid in $IDLE_PID $SAVER_PID $POINTER_PID $SWAY_PID $SWAY_RUNNER; do kill "$pid" 2>/dev/null || true; done
    [ -n "$SWAY_RUNNER" ] && wait "$SWAY_RUNNER" 2>/dev/null || true
    e2e_cleanup
    if [ -n "$CREATED_USER" ]; then userdel "$CREATED_USER" || echo "userdel failed" >&2; fi
    rm -rf "$STAGE"
}
trap sway_cleanup EXIT

WAYLAND_NAME="" SWAYSOCK=""
user_command
"${USER_COMMAND[@]}" WLR_BACKENDS=headless WLR_HEADLESS_OUTPUTS=2 WLR_RENDERER=pixman \
    WLR_LIBINPUT_NO_DEVICES=1 sway -c "$USER_HOME/sway.conf" >"$STAGE/sway.log" 2>&1 &
SWAY_RUNNER=$!
sway_ready() {
    WAYLAND_NAME=$(cd "$USER_HOME/runtime" && ls wayland-[0-9]* 2>/dev/null | grep -v lock | head -n 1)
    SWAYSOCK=$(ls "$USER_HOME"/runtime/sway-ipc.*.sock 2>/dev/null | head -n 1)
    [ -n "$WAYLAND_NAME" ] && [ -n "$SWAYSOCK" ] && as_user swaymsg -t get_outputs >/dev/null 2>&1
}
e2e_poll 30 sway_ready || fail "sway did not start: $(tail -n 5 "$STAGE/sway.log")"
SWAY_PID=$(run_by "$SWAY_RUNNER")

# The user's saver; SAVER_PID is the saver itself (not runuser), SAVER_RUNNER what to wait for.
start_saver() {
    user_command
    "${USER_COMMAND[@]}" "$INSTALLED" "$@" >>"$STAGE/saver.log" 2>&1 &
    SAVER_RUNNER=$!
    E2E_PIDS+=($SAVER_RUNNER)
    e2e_poll 10 eval 'SAVER_PID=$(run_by "$SAVER_RUNNER"); [ -n "$SAVER_PID" ]' ||
        fail "the saver did not start"
}
# Shoots output $1 into $2.
shoot() {
    as_user grim -o "$1" "$USER_HOME/shots/shot.png" && cp "$USER_HOME/shots/shot.png" "$2"
}
# The middle half of output $1 shows the tank's water within $2 seconds; its size in SIZE.
wait_output_tank() {
    local deadline=$(($(date +%s) + $2))
    while :; do
        if shoot "$1" "$E2E_SCRATCH/$1.png" 2>/dev/null; then
            SIZE=$(identify -format '%wx%h' "$E2E_SCRATCH/$1.png")
            local w=${SIZE%x*} h=${SIZE#*x}
            MIDDLE="$((w / 2))x$((h / 2))+$((w / 4))+$((h / 4))"
            at_least "$(saver_blueness "$E2E_SCRATCH/$1.png" "$MIDDLE")" 0.1 &&
                at_least "$(saver_detail "$E2E_SCRATCH/$1.png" "$MIDDLE")" 0.03 && return 0
        fi
        [ "$(date +%s)" -lt "$deadline" ] || fail "no tank on $1 after $2 s"
        sleep 0.3
    done
}
# Output $1 shows a picture other than the last one shot of it.
output_moved() {
    shoot "$1" "$E2E_SCRATCH/$1-later.png" &&
        at_least "$(e2e_region_difference "$E2E_SCRATCH/$1.png" "$E2E_SCRATCH/$1-later.png" "$MIDDLE")" 0.002
}
# Output $1 shows the moving tank, $2 pixels in size.
expect_tank() {
    wait_output_tank "$1" 40
    [ "$SIZE" = "$2" ] || fail "the tank on $1 is $SIZE, not $2"
    e2e_poll 20 output_moved "$1" || fail "the tank on $1 does not move"
}
# The saver has drawn since the input just sent, and runs.
expect_running() {
    wait_output_tank HEADLESS-1 5
    e2e_poll 20 output_moved HEADLESS-1 || fail "the saver stopped drawing after $1"
    kill -0 "$SAVER_PID" 2>/dev/null || fail "$1 ended the saver"
}
expect_ended() {
    e2e_wait_exit "$SAVER_RUNNER" 10
    [ "$EXIT_CODE" = 0 ] || fail "$1: the saver's status is $EXIT_CODE ($(tail -n 3 "$STAGE/saver.log"))"
}

start_saver
expect_tank HEADLESS-1 1024x768
cp "$E2E_SCRATCH/HEADLESS-1.png" "$E2E_SCRATCH/first-1.png"
expect_tank HEADLESS-2 800x600
[ "$(as_user swaymsg -t get_tree | grep -c '"app_id": "quelmarine-saver"')" = 2 ] ||
    fail "the saver has not two windows"
pass "a full-screen tank on each output (1024x768 and 800x600), drawn and moving"

# A third output comes: it gets its tank. It goes again: the saver goes on.
as_user swaymsg create_output >/dev/null || fail "sway made no third output"
expect_tank HEADLESS-3 "$(as_user swaymsg -t get_outputs -r | python3 -c '
import json, sys
for o in json.load(sys.stdin):
    if o["name"] == "HEADLESS-3": print("%dx%d" % (o["current_mode"]["width"], o["current_mode"]["height"]))')"
as_user swaymsg output HEADLESS-3 disable >/dev/null
expect_running "an output going"
pass "an output that comes gets a tank, one that goes is let go"

# HiDPI: at scale 2 the tank is drawn at the output's own pixels. A tank drawn at half the size
# and blown up by the compositor makes neighbouring columns alike (measured here: 0 blown up
# by repeating pixels, 0.009 by interpolating them, 0.019 drawn at full size).
neighbour_difference() {
    local w h
    read -r w h < <(identify -format '%w %h' "$1")
    convert "$1" -crop "$((w - 2))x${h}+0+0" +repage -sample 50% "$E2E_SCRATCH/even.png"
    convert "$1" -crop "$((w - 2))x${h}+1+0" +repage -sample 50% "$E2E_SCRATCH/odd.png"
    { compare -metric RMSE "$E2E_SCRATCH/even.png" "$E2E_SCRATCH/odd.png" null: 2>&1 || true; } |
        sed -E 's/.*\(([0-9.e-]+)\).*/\1/'
}
sharp_at_scale_2() {
    shoot HEADLESS-1 "$E2E_SCRATCH/scaled.png" &&
        [ "$(identify -format '%wx%h' "$E2E_SCRATCH/scaled.png")" = 1024x768 ] &&
        at_least "$(neighbour_difference "$E2E_SCRATCH/scaled.png")" 0.013
}
as_user swaymsg output HEADLESS-1 scale 2 >/dev/null
e2e_poll 20 sharp_at_scale_2 ||
    fail "at scale 2 the tank is not drawn at full size (neighbour difference $(neighbour_difference "$E2E_SCRATCH/scaled.png"))"
wait_output_tank HEADLESS-1 10
pass "at scale 2 the tank is drawn at the output's pixels (neighbour difference $(neighbour_difference "$E2E_SCRATCH/scaled.png"))"

# One virtual pointer for the rest of the test (sway's headless back end has none); each
# command is waited for until the compositor has it.
user_command
"${USER_COMMAND[@]}" "$USER_HOME/virtual_pointer" <"$USER_HOME/pointer.in" >"$STAGE/pointer.out" 2>&1 &
POINTER_RUNNER=$!
E2E_PIDS+=($POINTER_RUNNER)
exec 8>"$USER_HOME/pointer.in"
e2e_poll 10 grep -q ready "$STAGE/pointer.out" || fail "no virtual pointer: $(cat "$STAGE/pointer.out")"
POINTER_PID=$(run_by "$POINTER_RUNNER")
pointer() {
    local before
    before=$(grep -c done "$STAGE/pointer.out" || true)
    echo "$*" >&8
    e2e_poll 10 eval '[ "$(grep -c done "$STAGE/pointer.out")" -gt "$before" ]' ||
        fail "the virtual pointer did not $*"
}

# The first movement shows the saver where the pointer rests; movements within a few pixels
# of there leave it running.
pointer move 1 1
expect_running "the pointer turning up"
pointer move 3 2
pointer move -4 -3
expect_running "a pointer jitter of a few pixels"
pass "the pointer may jitter by a few pixels"

# One wtype across the press: a new virtual keyboard may lose a key sent at once.
user_command
"${USER_COMMAND[@]}" wtype -s 1000 -k space -s 1000 &
E2E_PIDS+=($!)
expect_ended "a key press"
pass "a key press ends it with status 0"

start_saver
wait_output_tank HEADLESS-1 40
pointer move 40 0
expect_ended "a pointer movement"
pass "a pointer movement ends it with status 0"

start_saver
wait_output_tank HEADLESS-1 40
pointer button
expect_ended "a button press"
pass "a button press ends it with status 0"

# As an idle daemon runs it: by name through sh, ended by the README's resume command (pkill
# -x alone would find nothing: process names are cut at 15 characters).
user_command
"${USER_COMMAND[@]}" PATH="$STAGE/root/usr/bin:/usr/bin:/bin" sh -c quelmarine-saver \
    >>"$STAGE/saver.log" 2>&1 &
SAVER_RUNNER=$!
E2E_PIDS+=($SAVER_RUNNER)
wait_output_tank HEADLESS-1 40
as_user pkill -xf quelmarine-saver || fail "pkill -xf quelmarine-saver found no saver"
expect_ended "SIGTERM from pkill"
pass "started by name through sh, pkill -xf quelmarine-saver ends it with status 0"

# The README's swayidle line with a timeout of one second: the saver comes when the seat is
# idle, a key ends it, and it comes back after another idle second.
saver_by_name() { pgrep -u "$RUN_USER" -xf quelmarine-saver | head -n 1; }
user_command
"${USER_COMMAND[@]}" PATH="$STAGE/root/usr/bin:/usr/bin:/bin" swayidle -w \
    timeout 1 'quelmarine-saver' resume 'pkill -xf quelmarine-saver' >"$STAGE/swayidle.log" 2>&1 &
IDLE_RUNNER=$!
E2E_PIDS+=($IDLE_RUNNER)
e2e_poll 10 eval 'IDLE_PID=$(run_by "$IDLE_RUNNER"); [ -n "$IDLE_PID" ]' || fail "swayidle did not start"
e2e_poll 30 eval 'SAVER_PID=$(saver_by_name); [ -n "$SAVER_PID" ]' || fail "swayidle started no saver"
wait_output_tank HEADLESS-2 40
first_saver=$SAVER_PID
"${USER_COMMAND[@]}" wtype -s 1000 -k space -s 1000 &
E2E_PIDS+=($!)
e2e_poll 10 eval '! kill -0 "$first_saver" 2>/dev/null' || fail "a key did not end the saver swayidle started"
e2e_poll 30 eval 'SAVER_PID=$(saver_by_name); [ -n "$SAVER_PID" ] && [ "$SAVER_PID" != "$first_saver" ]' ||
    fail "swayidle did not start the saver again"
wait_output_tank HEADLESS-1 40
kill "$IDLE_PID" "$SAVER_PID" 2>/dev/null || true
pass "swayidle -w timeout 1 'quelmarine-saver' resume 'pkill -xf quelmarine-saver': it comes, a key ends it, it comes again"

[ "$(md5sum <"$USER_HOME/config/QuelmarineScr/QuelmarineSet.ini")" = "$settings_before" ] ||
    fail "the settings file was changed"
pass "the settings file is as it was"

# The compositor goes away under the saver: it ends with status 1 and says so, never hangs.
start_saver
wait_output_tank HEADLESS-1 40
kill "$SWAY_PID"
e2e_wait_exit "$SAVER_RUNNER" 10
[ "$EXIT_CODE" = 1 ] || fail "after the compositor went the saver's status is $EXIT_CODE"
grep -q '^quelmarine-saver: ' "$STAGE/saver.log" || fail "the saver said nothing when the compositor went"
pass "when the compositor goes it ends with status 1: $(grep '^quelmarine-saver: ' "$STAGE/saver.log" | tail -n 1)"

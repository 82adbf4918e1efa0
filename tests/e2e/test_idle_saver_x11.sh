#!/usr/bin/env bash
# quelmarine-saver on X11 with two monitors of different sizes on one screen (Xorg's dummy
# driver, split with `xrandr --setmonitor`): a window over each, each tank drawn and moving;
# monitors that go and come are followed; a pointer that jitters leaves it running, while a
# key, a button, a pointer that moves, SIGTERM and SIGINT each end it with status 0; the
# settings file is left as it was; when the X server goes it ends with status 1.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"
source "$(dirname "$0")/fault_lib.sh"
# The asset folders of savers that are left in the runtime folder, one per line.
saver_folders() { ls -A "$ASSET_FOLDER" 2>/dev/null | grep saver- || true; }
[ -x "$IDLE_SAVER" ] || fail "no quelmarine-saver at $IDLE_SAVER"

mkdir -p "$(dirname "$SETTINGS_FILE")"
printf '[Fish Number]\nFish0=2\nFish1=2\nFish2=2\nFish3=2\nFish4=2\n' >"$SETTINGS_FILE"
settings_before=$(stat -c '%Y %s' "$SETTINGS_FILE"; md5sum <"$SETTINGS_FILE")

# No display at all, and a wrong option: one line on standard error and status 1.
rc=0
env -u DISPLAY -u WAYLAND_DISPLAY -u WAYLAND_SOCKET "$IDLE_SAVER" >"$E2E_SCRATCH/none.out" 2>&1 || rc=$?
[ "$rc" = 1 ] && grep -q '^quelmarine-saver: cannot open the display$' "$E2E_SCRATCH/none.out" ||
    fail "without a display: status $rc, $(cat "$E2E_SCRATCH/none.out")"
rc=0
"$IDLE_SAVER" -root >"$E2E_SCRATCH/usage.out" 2>&1 || rc=$?
[ "$rc" = 1 ] && [ "$(wc -l <"$E2E_SCRATCH/usage.out")" = 1 ] &&
    grep -q "unknown option '-root'; usage: quelmarine-saver" "$E2E_SCRATCH/usage.out" ||
    fail "a wrong option: status $rc, $(cat "$E2E_SCRATCH/usage.out")"
pass "without a display, or with a wrong option, one line and status 1"

fault_start_resizable_x
X_PID=${E2E_PIDS[-1]}
output=$(xrandr | awk '/ connected/ { print $1; exit }')
xrandr --setmonitor left 800/211x1024/270+0+0 "$output" >/dev/null
xrandr --setmonitor right 480/127x1024/270+800+0 none >/dev/null
[ "$(xrandr --listmonitors | sed -n 1p)" = "Monitors: 2" ] || fail "xrandr made no two monitors"
# The middle of each monitor (a tall monitor shows the tank between dark bands).
left=600x300+100+362 right=360x300+860+362

# Starts the saver and waits until both monitors show a moving tank.
start_and_wait() {
    idle_saver_start "$@"
    saver_wait_tank "$E2E_SCRATCH/tank.png" 40 "$left" "$right"
    e2e_poll 20 saver_drew_since "$E2E_SCRATCH/tank.png" "$left" || fail "the left tank does not move"
    e2e_poll 20 saver_drew_since "$E2E_SCRATCH/tank.png" "$right" || fail "the right tank does not move"
}

# Waits until the saver has drawn a frame after the input just sent (so it has seen the
# input), then checks that it still runs.
expect_running() {
    e2e_shot "$E2E_SCRATCH/after-input.png"
    e2e_poll 20 saver_drew_since "$E2E_SCRATCH/after-input.png" "$left" ||
        fail "the saver stopped drawing after $1"
    kill -0 "$SAVER_PID" 2>/dev/null || fail "$1 ended the saver"
}

# Expects the saver to end with status 0 within 10 s.
expect_ended() {
    e2e_wait_exit "$SAVER_PID" 10
    [ "$EXIT_CODE" = 0 ] || fail "$1: the saver's status is $EXIT_CODE ($(tail -n 3 "$E2E_SCRATCH/idle-saver.log"))"
}

xdotool mousemove 400 500
start_and_wait
windows=$(idle_saver_x_windows | tr '\n' ' ')
[ "$windows" = "480x1024+800+0 800x1024+0+0 " ] || fail "the saver's windows are $windows"
pass "a window over each monitor (800x1024 and 480x1024), each tank drawn and moving"

# The right monitor goes: its window with it, the left one draws on. It comes back elsewhere,
# smaller: a window over it with the tank.
xrandr --delmonitor right >/dev/null
e2e_poll 10 eval '[ "$(idle_saver_x_windows)" = 800x1024+0+0 ]' ||
    fail "the window stayed after its monitor went: $(idle_saver_x_windows)"
expect_running "a monitor going"
xrandr --setmonitor lower 480/127x600/159+800+424 none >/dev/null
e2e_poll 10 eval '[ "$(idle_saver_x_windows | tr "\n" " ")" = "480x600+800+424 800x1024+0+0 " ]' ||
    fail "no window over the new monitor: $(idle_saver_x_windows)"
saver_wait_tank "$E2E_SCRATCH/lower.png" 20 360x200+860+624
pass "monitors that go and come are followed"

# A jitter of a few pixels is no user.
xdotool mousemove_relative 3 2
expect_running "a pointer jitter of 3 pixels"
xdotool mousemove_relative -- -2 -3
expect_running "a pointer jitter back"
pass "the pointer may jitter by a few pixels"

xdotool key space
expect_ended "a key press"
pass "a key press ends it with status 0"

xrandr --delmonitor lower >/dev/null
xrandr --setmonitor right 480/127x1024/270+800+0 none >/dev/null
start_and_wait
xdotool click 1
expect_ended "a button press"
pass "a button press ends it with status 0"

start_and_wait
xdotool mousemove_relative 40 0
expect_ended "a pointer movement"
pass "a pointer movement of 40 pixels ends it with status 0"

for signal in TERM INT; do
    start_and_wait
    kill -"$signal" "$SAVER_PID"
    expect_ended "SIG$signal"
    pass "SIG$signal ends it with status 0"
done

[ "$(stat -c '%Y %s' "$SETTINGS_FILE"; md5sum <"$SETTINGS_FILE")" = "$settings_before" ] ||
    fail "the settings file was changed"
[ -z "$(saver_folders)" ] || fail "asset folders were left: $(saver_folders)"
pass "the settings file is as it was, and no asset folder is left"

# The X server goes away under the saver: it ends with status 1, never hangs, and cleans up
# (killed by SIGPIPE on a write to the gone server, it did neither).
start_and_wait
kill "$X_PID"
e2e_wait_exit "$SAVER_PID" 10
[ "$EXIT_CODE" = 1 ] || fail "after the X server went the saver's status is $EXIT_CODE"
[ -z "$(saver_folders)" ] || fail "the X server went and an asset folder was left: $(saver_folders)"
pass "when the X server goes it ends with status 1 and leaves no asset folder"

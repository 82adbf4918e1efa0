#!/usr/bin/env bash
# The installed saver under Debian's real XScreenSaver daemon: installed into a scratch DESTDIR
# with prefix /usr, the daemon (run as an unprivileged user, as it demands) blanks the screen
# with the moving tank on -activate, and -deactivate ends the saver. The user's settings file
# is shown and left as it was.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"
command -v xscreensaver >/dev/null || fail "xscreensaver is not installed"

# Everything the daemon's user must read lives under a scratch folder open to others.
saver_stage_install
INSTALLED="$STAGE/root/usr/libexec/xscreensaver/quelmarine"
[ -x "$INSTALLED" ] || fail "the saver was not installed at /usr/libexec/xscreensaver/quelmarine"
[ -f "$STAGE/root/usr/share/xscreensaver/config/quelmarine.xml" ] || fail "no config XML installed"
pass "installed into a scratch DESTDIR with prefix /usr"

# The daemon refuses to run as root: as root, a test user made for the run (removed after it).
saver_run_user quelmarine-e2e
as_user() {
    local environment=(env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" HOME="$USER_HOME"
        XDG_CONFIG_HOME="$USER_HOME/config" XDG_RUNTIME_DIR="$USER_HOME/runtime")
    if [ "$(id -u)" = 0 ]; then
        runuser -u "$RUN_USER" -- "${environment[@]}" "$@"
    else
        "${environment[@]}" "$@"
    fi
}

USER_HOME="$STAGE/home"
mkdir -p "$USER_HOME/config/QuelmarineScr" "$USER_HOME/runtime"
chmod 700 "$USER_HOME/runtime"
cat >"$USER_HOME/.xscreensaver" <<CONFIG
mode: one
selected: 0
timeout: 0:30:00
lock: False
fade: False
unfade: False
splash: False
programs: GL: $INSTALLED --root \\n
CONFIG
printf '[Fish Number]\nFish0=2\nFish1=2\nFish2=2\nFish3=2\nFish4=2\n' \
    >"$USER_HOME/config/QuelmarineScr/QuelmarineSet.ini"
settings_before=$(md5sum <"$USER_HOME/config/QuelmarineScr/QuelmarineSet.ini")
chown -R "$RUN_USER" "$USER_HOME"

DAEMON_RUNNER=""
SAVER_PID=""
saver_daemon_cleanup() {
    e2e_own_shell || return 0
    if [ -n "$DAEMON_RUNNER" ]; then
        as_user xscreensaver-command -exit >/dev/null 2>&1 || true
        for _ in $(seq 1 30); do kill -0 "$DAEMON_RUNNER" 2>/dev/null || break; sleep 0.1; done
        for pid in $(pgrep -P "$DAEMON_RUNNER") "$DAEMON_RUNNER"; do kill "$pid" 2>/dev/null || true; done
    fi
    [ -n "$SAVER_PID" ] && kill "$SAVER_PID" 2>/dev/null || true
    e2e_cleanup
    if [ -n "$CREATED_USER" ]; then userdel "$CREATED_USER" || echo "userdel failed" >&2; fi
    rm -rf "$STAGE"
}
trap saver_daemon_cleanup EXIT

e2e_start_x 1280 1024
as_user xscreensaver -no-splash -verbose >"$STAGE/daemon.log" 2>&1 &
DAEMON_RUNNER=$!
for _ in $(seq 1 50); do
    as_user xscreensaver-command -version >/dev/null 2>&1 && break
    sleep 0.1
done
as_user xscreensaver-command -version >/dev/null 2>&1 || fail "the daemon did not start: $(cat "$STAGE/daemon.log")"
pass "the XScreenSaver daemon runs as $RUN_USER"

e2e_shot "$E2E_SCRATCH/desktop.png"
as_user xscreensaver-command -activate >/dev/null || fail "-activate failed"
for _ in $(seq 1 50); do
    SAVER_PID=$(sed -n 's/.*forked "[^"]*quelmarine --root" in pid \([0-9]*\).*/\1/p' "$STAGE/daemon.log" | tail -n 1)
    [ -n "$SAVER_PID" ] && break
    sleep 0.1
done
[ -n "$SAVER_PID" ] || fail "the daemon did not start the saver: $(tail -n 20 "$STAGE/daemon.log")"
grep -q "$INSTALLED" "/proc/$SAVER_PID/cmdline" 2>/dev/null || fail "pid $SAVER_PID is not the saver"
saver_wait_tank "$E2E_SCRATCH/blanked1.png" 20 1280x1024+0+0
sleep 0.7
e2e_shot "$E2E_SCRATCH/blanked2.png"
at_least "$(saver_detail "$E2E_SCRATCH/blanked1.png" 1280x1024+0+0)" 0.05 ||
    fail "the blanked screen shows no scene"
at_least "$(e2e_region_difference "$E2E_SCRATCH/blanked1.png" "$E2E_SCRATCH/blanked2.png" 1280x1024+0+0)" 0.002 ||
    fail "the tank does not move"
pass "-activate shows the moving tank full screen"

as_user xscreensaver-command -deactivate >/dev/null || fail "-deactivate failed"
gone=""
for _ in $(seq 1 40); do
    if ! kill -0 "$SAVER_PID" 2>/dev/null || grep -q ') Z ' "/proc/$SAVER_PID/stat" 2>/dev/null; then
        gone=yes
        break
    fi
    sleep 0.05
done
[ -n "$gone" ] || fail "the saver still runs after -deactivate"
SAVER_PID=""
[ -z "$(find "$USER_HOME/runtime" -mindepth 2 2>/dev/null)" ] ||
    fail "the saver left files: $(find "$USER_HOME/runtime" -mindepth 1)"
[ "$(md5sum <"$USER_HOME/config/QuelmarineScr/QuelmarineSet.ini")" = "$settings_before" ] ||
    fail "the saver changed the settings file"
pass "-deactivate ends the saver, leaving nothing behind"

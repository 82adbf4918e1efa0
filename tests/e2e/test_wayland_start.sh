#!/usr/bin/env bash
# In a Wayland session started by hand (a Wayland display, no X display, no XDG_SESSION_TYPE)
# the program lets Qt choose Wayland: on a headless sway it draws the tank full screen and Esc
# ends it with status 0.
source "$(dirname "$0")/lib.sh"

# sway refuses to run as root: then the compositor, the program and the screenshots run as
# "nobody", the test's folders handed over.
as_user=()
if [ "$(id -u)" = 0 ]; then
    chown -R nobody:nogroup "$E2E_SCRATCH"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
fi
session=("${as_user[@]}" env -i HOME="$E2E_SCRATCH" PATH=/usr/bin:/bin
    XDG_RUNTIME_DIR="$XDG_RUNTIME_DIR" XDG_CONFIG_HOME="$XDG_CONFIG_HOME")
"${session[@]}" WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c /dev/null >"$E2E_SCRATCH/sway.log" 2>&1 &
E2E_PIDS+=($!)
wayland_socket() { find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name 'wayland-*' -printf '%f\n' | head -n 1; }
e2e_poll 30 eval '[ -n "$(wayland_socket)" ]' || fail "sway did not start: $(tail -n 3 "$E2E_SCRATCH/sway.log")"
session+=(WAYLAND_DISPLAY="$(wayland_socket)")

"${session[@]}" "$PROGRAM" >"$E2E_SCRATCH/app.log" 2>&1 &
APP_PID=$!
E2E_PIDS+=($APP_PID)
# The tank on the output (1280 x 720 on sway's headless back end): bright where it is drawn.
drawn() {
    "${session[@]}" grim "$E2E_SCRATCH/shot.png" 2>/dev/null &&
        awk -v m="$(e2e_mean "$E2E_SCRATCH/shot.png" 1280x720+0+0)" 'BEGIN { exit !(m > 0.15) }'
}
e2e_poll 60 drawn || fail "no tank on the Wayland output: $(cat "$E2E_SCRATCH/app.log")"
! grep -q 'cannot open' "$E2E_SCRATCH/app.log" || fail "$(cat "$E2E_SCRATCH/app.log")"
pass "with only WAYLAND_DISPLAY set the tank is drawn on Wayland"

# Esc, held a moment, from one virtual keyboard (a new one may lose its first key: twice).
"${session[@]}" wtype -s 300 -P Escape -s 100 -p Escape -s 500 -P Escape -s 100 -p Escape
e2e_wait_exit "$APP_PID" 5
[ "$EXIT_CODE" = 0 ] || fail "Esc gave '$EXIT_CODE'"
pass "Esc ends the program with status 0"

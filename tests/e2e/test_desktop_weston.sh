#!/usr/bin/env bash
# The program on weston (headless, pixman renderer), in a Wayland session started by hand (no
# X display, no XDG_SESSION_TYPE): the tank is drawn full screen and moves, no warning about a
# window that never shows is printed, and SIGTERM ends it with status 0. (weston's headless
# back end has no input device and no protocol for a virtual one: keys, the popup menu and the
# dialogs are tried on sway, in test_wayland_start.sh.)
source "$(dirname "$0")/lib.sh"
command -v weston >/dev/null || fail "weston is missing (one of the test packages)"
unset DISPLAY
unset XDG_SESSION_TYPE
export WAYLAND_DISPLAY=quelmarine-test
weston --backend=headless-backend.so --use-pixman --socket="$WAYLAND_DISPLAY" --width=1024 \
    --height=768 --debug --idle-time=0 >"$E2E_SCRATCH/weston.log" 2>&1 &
E2E_PIDS+=($!)
e2e_poll 20 test -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" || fail "weston did not start"

# shot FILE: the compositor's whole output (its screenshooter writes into the working folder).
shot() {
    rm -f "$E2E_SCRATCH"/wayland-screenshot-*.png
    (cd "$E2E_SCRATCH" && timeout 20 weston-screenshooter >/dev/null 2>&1) || return 1
    mv "$E2E_SCRATCH"/wayland-screenshot-*.png "$1"
}
# The tank is blue: weston's own background and a blank or black window are not.
tank_shown() {
    shot "$E2E_SCRATCH/first.png" &&
        awk -v v="$(convert "$E2E_SCRATCH/first.png" -format '%[fx:mean.b-mean.r]' info:)" \
            'BEGIN { exit !(v > 0.1) }'
}

e2e_start_app
e2e_poll 60 tank_shown || fail "the tank was not drawn on weston (see $E2E_SCRATCH/first.png)"
pass "the tank is drawn on weston"
changed_pixels() {
    shot "$E2E_SCRATCH/next.png" || return 1
    # compare's status is 1 when the pictures differ: only its count counts.
    local changed
    changed=$(compare -metric AE -fuzz 2% "$E2E_SCRATCH/first.png" "$E2E_SCRATCH/next.png" null: 2>&1 || true)
    [ "${changed%%.*}" -gt 2000 ] 2>/dev/null
}
e2e_poll 30 changed_pixels || fail "the tank does not move on weston"
pass "the tank moves"
kill -TERM "$APP_PID"
e2e_wait_exit "$APP_PID" 5
[ "$EXIT_CODE" = 0 ] || fail "SIGTERM: exit status $EXIT_CODE"
! grep -q "has not let the tank show a frame" "$E2E_SCRATCH/app.log" ||
    fail "the program said its window never showed: $(cat "$E2E_SCRATCH/app.log")"
pass "SIGTERM ends it with status 0, and it printed no warning"

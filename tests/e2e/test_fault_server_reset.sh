#!/usr/bin/env bash
# An X server with no other client resets itself when its last client leaves (Xvfb, a bare
# Xorg) and drops the connections made during the reset. The program starts every time all the
# same, as the only client of such a server right after the previous copy has left: no abort
# from Qt's X plugin, no "cannot open display". The server runs at the lowest priority beside
# two busy loops, so that a reset lasts long enough for a start to run into it.
E2E_X_RESETS=1 E2E_X_NICE=19
source "$(dirname "$0")/lib.sh"
e2e_start_x 800 600
for _ in 1 2; do (while :; do :; done) & E2E_PIDS+=($!); done
for start in 1 2 3 4 5 6 7 8; do
    e2e_start_app
    sleep 2.5 # nothing else connects meanwhile
    if ! kill -0 "$APP_PID" 2>/dev/null || grep -q ') Z ' "/proc/$APP_PID/stat" 2>/dev/null; then
        cat "$E2E_SCRATCH/app.log" >&2
        fail "start $start: the program ended at once"
    fi
    kill -TERM "$APP_PID"
    e2e_wait_exit "$APP_PID" 10
    [ "$EXIT_CODE" = 0 ] || fail "start $start: SIGTERM gave exit status $EXIT_CODE"
    unset 'E2E_PIDS[-1]' # the X server and the busy loops stay
    ! grep -Eq 'could not connect|cannot open display|Aborted' "$E2E_SCRATCH/app.log" ||
        fail "start $start: $(cat "$E2E_SCRATCH/app.log")"
done
pass "8 starts on an X server that resets when its last client leaves"

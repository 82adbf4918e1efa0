#!/usr/bin/env bash
# Without an X display the program ends at once with one line on standard error and exit
# status 1: no abort, no page of advice, nothing on standard output.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"

for display in "" ":$((90 + RANDOM % 9)).0" "no-such-host:0"; do
    status=0
    if [ -z "$display" ]; then
        env -u DISPLAY -u WAYLAND_DISPLAY "$PROGRAM" >"$E2E_SCRATCH/out" 2>"$E2E_SCRATCH/err" || status=$?
    else
        env -u WAYLAND_DISPLAY DISPLAY="$display" "$PROGRAM" >"$E2E_SCRATCH/out" 2>"$E2E_SCRATCH/err" || status=$?
    fi
    [ "$status" = 1 ] || fail "DISPLAY='$display': exit status $status, expected 1"
    [ ! -s "$E2E_SCRATCH/out" ] || fail "DISPLAY='$display': standard output is not empty"
    [ "$(wc -l <"$E2E_SCRATCH/err")" = 1 ] || fail "DISPLAY='$display': not one line on standard error:
$(cat "$E2E_SCRATCH/err")"
    grep -q 'cannot open display' "$E2E_SCRATCH/err" || fail "DISPLAY='$display': $(cat "$E2E_SCRATCH/err")"
    pass "DISPLAY='$display': $(cat "$E2E_SCRATCH/err"), exit status 1"
done
# A Wayland display named but not there, and no X display: both are named.
status=0
env -u DISPLAY -u XDG_SESSION_TYPE -u QT_QPA_PLATFORM WAYLAND_DISPLAY=wayland-gone "$PROGRAM" \
    >"$E2E_SCRATCH/out" 2>"$E2E_SCRATCH/err" || status=$?
[ "$status" = 1 ] && [ "$(cat "$E2E_SCRATCH/err")" = \
    "quelmarine: cannot open display (DISPLAY is not set) nor Wayland display wayland-gone" ] ||
    fail "no Wayland display either: status $status, $(cat "$E2E_SCRATCH/err")"
pass "no Wayland display either: $(cat "$E2E_SCRATCH/err"), exit status 1"
[ ! -e "$SETTINGS_FILE" ] || fail "a settings file was written without a display"
pass "nothing written without a display"

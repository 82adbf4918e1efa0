#!/usr/bin/env bash
# SIGTERM at any moment of the program's life (before the window, while assets are unpacked,
# while it draws): it ends within 3 s, leaves no asset file and no single-instance marker in
# its runtime folder, and exits with status 0 once its handler is in place.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
e2e_start_x 1280 1024

leftovers() { find "$ASSET_FOLDER" -mindepth 1 2>/dev/null || true; }

# Ends the running program with SIGTERM and checks how it ends; $1 names the moment.
terminate_and_check() {
    kill -TERM "$APP_PID"
    e2e_wait_exit "$APP_PID" 3
    [ "$EXIT_CODE" != running ] || fail "$1: still running 3 s after SIGTERM"
    fault_forget_pid "$APP_PID"
    # Killed by the signal itself (143) only before the handler exists.
    [ "$EXIT_CODE" = 0 ] || [ "$EXIT_CODE" = 143 -a "$2" = early ] ||
        fail "$1: exit status $EXIT_CODE"
    [ -d "$E2E_SCRATCH" ] || fail "$1: the test's scratch folder is gone"
    fault_check_log_clean "$1"
    [ -z "$(leftovers)" ] || fail "$1: left behind: $(leftovers | tr '\n' ' ')"
    pass "$1: ended with status $EXIT_CODE, nothing left in the runtime folder"
}

# "at once" mostly ends the shell's child before it has started the program, so it also checks
# that such a child leaves the test's scratch folder alone.
for delay in "at once" 0 0.02 0.1 0.25 0.5; do
    e2e_start_app
    label="$delay"
    [ "$delay" = "at once" ] || { sleep "$delay" && label="after $delay s"; }
    terminate_and_check "$label" early
done
# The moment the first packed asset file appears, and at random moments while assets load. An
# asset file lives only while it is read, so its creation is watched for rather than polled.
mkdir -m 0700 -p "$ASSET_FOLDER"
for round in 1 2 3; do
    rm -f "$E2E_SCRATCH/watching"
    "$(dirname "$0")/wait_for_create.py" "$ASSET_FOLDER" "$E2E_SCRATCH/watching" 30 .ad .bmp \
        >"$E2E_SCRATCH/created" &
    watcher=$!
    e2e_poll 10 test -e "$E2E_SCRATCH/watching" || fail "the asset folder could not be watched"
    e2e_start_app
    wait "$watcher" || fail "no asset file was created"
    [ "$round" = 1 ] || sleep "0.0$((RANDOM % 10))"
    terminate_and_check "while assets unpack (round $round)"
done
e2e_start_app
window=$(e2e_wait_window)
fault_check_drawing "before SIGTERM"
terminate_and_check "while drawing"
# The next start is not taken for a second copy.
e2e_start_app
window=$(e2e_wait_window)
fault_check_esc_exit "$window" "start after SIGTERM"
pass "the next start runs normally"

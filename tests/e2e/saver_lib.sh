# Shared by the screensaver's end-to-end tests (source it after lib.sh): the built saver,
# windows made for it, and timing its end.
SAVER="${QUELMARINE_BINARY_DIR:?}/saver/quelmarine"
[ -x "$SAVER" ] || fail "no saver at $SAVER"

# Starts the saver with the given arguments in the background; its pid is in SAVER_PID.
saver_start() {
    "$SAVER" "$@" >>"$E2E_SCRATCH/saver.log" 2>&1 &
    SAVER_PID=$!
    E2E_PIDS+=($SAVER_PID)
}

# Opens a plain window (xev's) WxH at +X+Y; its id is in TEST_WINDOW, its process in
# TEST_WINDOW_PID.
saver_test_window() {
    local log="$E2E_SCRATCH/xev.$RANDOM"
    xev -geometry "${1}x${2}+${3}+${4}" -event structure >"$log" 2>&1 &
    TEST_WINDOW_PID=$!
    E2E_PIDS+=($TEST_WINDOW_PID)
    TEST_WINDOW=""
    for _ in $(seq 1 100); do
        TEST_WINDOW=$(sed -n 's/^Outer window is \(0x[0-9a-f]*\).*/\1/p' "$log" | head -n 1)
        [ -n "$TEST_WINDOW" ] && xwininfo -id "$TEST_WINDOW" 2>/dev/null | grep -q IsViewable &&
            return 0
        sleep 0.05
    done
    fail "the test window did not appear"
}

# Sends SIGTERM to $1 (a child of this shell) and sets END_MS to the milliseconds until it was
# gone (or "running" after 2 s) and END_CODE to its exit code.
saver_terminate() {
    local start now
    start=$(date +%s%N)
    kill -TERM "$1"
    END_MS=running
    while [ $(( ($(date +%s%N) - start) / 1000000 )) -lt 2000 ]; do
        if ! kill -0 "$1" 2>/dev/null || grep -q ') Z ' "/proc/$1/stat" 2>/dev/null; then
            now=$(date +%s%N)
            END_MS=$(( (now - start) / 1000000 ))
            break
        fi
        sleep 0.002
    done
    END_CODE=0
    [ "$END_MS" = running ] || wait "$1" || END_CODE=$?
}

# Mean of the blue minus the mean of the red channel (0 ... 1) of a region: the backdrop's
# water is clearly blue, a blank or black window is not.
saver_blueness() {
    convert "$1" -crop "$2" +repage -format '%[fx:mean.b-mean.r]' info:
}

# Standard deviation of the brightness of a region: 0 for a plain colour.
saver_detail() {
    convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:standard_deviation]' info:
}

# True when $1 >= $2 (decimal numbers).
at_least() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a >= b) }'; }

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
    # Made here: the background job may open it only after the first read below.
    : >"$log"
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

# Sends SIGTERM to $1 (a child of this shell) and sets END_MS to the milliseconds until it had
# ended (measured with the shell's own clock, no process started in between) and END_CODE to
# its exit status; after 2 s it is killed and END_MS is "running".
saver_terminate() {
    local start end watchdog
    (sleep 2 && kill -KILL "$1" 2>/dev/null && touch "$E2E_SCRATCH/killed.$1") &
    watchdog=$!
    start=$EPOCHREALTIME
    kill -TERM "$1"
    END_CODE=0
    wait "$1" || END_CODE=$?
    end=$EPOCHREALTIME
    kill "$watchdog" 2>/dev/null || true
    wait "$watchdog" 2>/dev/null || true
    END_MS=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%d", (b - a) * 1000 }')
    [ ! -e "$E2E_SCRATCH/killed.$1" ] || END_MS=running
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

# Waits up to $2 seconds until every region given after it shows the tank's water (the screen is
# shot into $1); fails naming the region that did not.
saver_wait_tank() {
    local shot="$1" seconds="$2" deadline area ready
    shift 2
    deadline=$(( $(date +%s) + seconds ))
    while :; do
        e2e_shot "$shot"
        ready=yes
        for area in "$@"; do
            at_least "$(saver_blueness "$shot" "$area")" 0.1 || { ready=""; break; }
        done
        [ -n "$ready" ] && return 0
        [ "$(date +%s)" -ge "$deadline" ] && fail "no tank at $area after $seconds s"
        sleep 0.3
    done
}

# quelmarine-saver, the saver for idle daemons, built beside the XScreenSaver host.
IDLE_SAVER="${QUELMARINE_BINARY_DIR}/saver/quelmarine-saver"

# Starts quelmarine-saver (or the program $IDLE_SAVER names) with the given arguments in the
# background; its pid is in SAVER_PID.
idle_saver_start() {
    "$IDLE_SAVER" "$@" >>"$E2E_SCRATCH/idle-saver.log" 2>&1 &
    SAVER_PID=$!
    E2E_PIDS+=($SAVER_PID)
}

# The geometry (WxH+X+Y) of each of quelmarine-saver's windows on the X display, one a line,
# sorted.
idle_saver_x_windows() {
    xwininfo -root -children | awk '/\("quelmarine-saver" / { print $(NF - 1) }' | sort
}

# True while the picture of region $2 keeps changing: a shot taken now differs there from $1.
saver_drew_since() {
    e2e_shot "$E2E_SCRATCH/since.png"
    at_least "$(e2e_region_difference "$1" "$E2E_SCRATCH/since.png" "$2")" 0.002
}

# Installs the build with prefix /usr into $STAGE/root, $STAGE being a scratch folder made here
# and open to others (a test user must read what is installed).
saver_stage_install() {
    STAGE="$(mktemp -d)"
    chmod 755 "$STAGE"
    DESTDIR="$STAGE/root" cmake --install "$QUELMARINE_BINARY_DIR" --prefix /usr \
        >"$STAGE/install.log" || fail "cmake --install failed: $(cat "$STAGE/install.log")"
}

# Sets RUN_USER to the user the test runs things as: as root (which sway and XScreenSaver's
# daemon refuse), user $1, made for the run when missing and then named in CREATED_USER for
# removal; else the current user.
saver_run_user() {
    RUN_USER="$(id -un)"
    CREATED_USER=""
    [ "$(id -u)" = 0 ] || return 0
    RUN_USER="$1"
    if ! id "$RUN_USER" >/dev/null 2>&1; then
        useradd --no-create-home --shell /usr/sbin/nologin "$RUN_USER" || fail "useradd failed"
        CREATED_USER="$RUN_USER"
    fi
}

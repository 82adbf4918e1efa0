# Shared by the end-to-end tests: a private X server of a chosen size, private XDG folders,
# the real program, screenshots. Source it, then call e2e_start_x WIDTH HEIGHT.
set -euo pipefail
PROGRAM="$1"
E2E_SCRATCH="$(mktemp -d)"
export XDG_CONFIG_HOME="$E2E_SCRATCH/config" XDG_RUNTIME_DIR="$E2E_SCRATCH/runtime"
mkdir -p "$XDG_CONFIG_HOME" && mkdir -m 0700 -p "$XDG_RUNTIME_DIR"
SETTINGS_FILE="$XDG_CONFIG_HOME/QuelmarineScr/QuelmarineSet.ini"
ASSET_FOLDER="$XDG_RUNTIME_DIR/QuelmarineScr"
E2E_PIDS=()

e2e_cleanup() {
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    rm -rf "$E2E_SCRATCH"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Starts Xvfb with a screen of WIDTH x HEIGHT on a free display and exports DISPLAY.
e2e_start_x() {
    local fifo="$E2E_SCRATCH/displayfd"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    local number
    read -r -t 10 number <"$fifo" || fail "Xvfb did not start"
    export DISPLAY=":$number"
}

# Starts the program in the background; its pid is in APP_PID.
e2e_start_app() {
    "$PROGRAM" >"$E2E_SCRATCH/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
}

# Waits until the program's window is mapped; prints its window id.
e2e_wait_window() {
    local id=""
    for _ in $(seq 1 100); do
        id=$(xdotool search --onlyvisible --name '^QuelmarineScr$' 2>/dev/null | head -n 1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.1
    done
    fail "the window did not appear"
}

# Writes a screenshot of the whole screen to $1.
e2e_shot() { import -window root "$1"; }

# Mean brightness (0 ... 1) of a region WxH+X+Y of a picture.
e2e_mean() { convert "$1" -crop "$2" +repage -colorspace Gray -format '%[fx:mean]' info:; }

# Normalised difference (0 = identical) of the same region in two pictures.
e2e_region_difference() {
    convert "$1" -crop "$3" +repage "$E2E_SCRATCH/a.png"
    convert "$2" -crop "$3" +repage "$E2E_SCRATCH/b.png"
    { compare -metric RMSE "$E2E_SCRATCH/a.png" "$E2E_SCRATCH/b.png" null: 2>&1 || true; } |
        sed -E 's/.*\(([0-9.e-]+)\).*/\1/'
}

# Waits up to $2 seconds for process $1 (a child of this shell) to end; sets EXIT_CODE to its
# exit code, or to "running".
e2e_wait_exit() {
    local deadline=$(($(date +%s%N) / 1000000 + $2 * 1000))
    EXIT_CODE=running
    while kill -0 "$1" 2>/dev/null && ! grep -q ') Z ' "/proc/$1/stat" 2>/dev/null; do
        [ $(($(date +%s%N) / 1000000)) -ge "$deadline" ] && return 0
        sleep 0.02
    done
    EXIT_CODE=0
    wait "$1" || EXIT_CODE=$?
}

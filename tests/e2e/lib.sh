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

# Ends the program and the X server this test started, and waits for both: the one way every
# test stops what it runs, between rounds and at the end.
e2e_stop() {
    for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${E2E_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
    E2E_PIDS=()
    rm -f "$E2E_SCRATCH/displayfd"
}

# True in the test's own shell. A child that bash forked for a background command, ended by a
# signal before it has started its program (a test that kills the program at once), runs the
# test's EXIT trap too: without this check it would delete the scratch folder under the test.
e2e_own_shell() { [ "$BASHPID" = "$$" ]; }

e2e_cleanup() {
    e2e_own_shell || return 0
    e2e_stop
    rm -rf "$E2E_SCRATCH"
}
trap e2e_cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Starts Xvfb with a screen of WIDTH x HEIGHT on a free display and exports DISPLAY. The server
# does not reset itself when its last client leaves (it would drop the connections made
# meanwhile, and a test's next xdotool or program start with them), unless E2E_X_RESETS=1.
e2e_start_x() {
    local fifo="$E2E_SCRATCH/displayfd" reset=(-noreset)
    [ "${E2E_X_RESETS:-0}" = 1 ] && reset=()
    mkfifo "$fifo"
    ${E2E_X_NICE:+nice -n "$E2E_X_NICE"} Xvfb -displayfd 3 -screen 0 "${1}x${2}x24" -nolisten tcp "${reset[@]}" 3>"$fifo" >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    local number
    read -r -t 10 number <"$fifo" || fail "Xvfb did not start"
    export DISPLAY=":$number"
    [ -n "${E2E_WM:-}" ] && e2e_start_wm
    return 0
}

# Starts the window manager named in E2E_WM (openbox) on $DISPLAY and waits until it manages
# the screen: its check window is announced on the root window.
e2e_start_wm() {
    case "$E2E_WM" in
    openbox) openbox --sm-disable >"$E2E_SCRATCH/wm.log" 2>&1 & ;;
    *) fail "unknown window manager '$E2E_WM'" ;;
    esac
    E2E_PIDS+=($!)
    e2e_poll 20 eval 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' ||
        fail "$E2E_WM did not start"
}

# The map state of window $1 (IsViewable, IsUnMapped, ...); shown: viewable and not hidden by
# the window manager (minimised).
e2e_map_state() { xwininfo -id "$1" 2>/dev/null | awk '/Map State:/ { print $NF }'; }
e2e_shown() {
    [ "$(e2e_map_state "$1")" = IsViewable ] &&
        ! xprop -id "$1" _NET_WM_STATE 2>/dev/null | grep -q _NET_WM_STATE_HIDDEN
}

# The largest side of the window manager's frame round window $1 (0 without one).
e2e_frame_extent() {
    xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | tr -c '0-9\n' ' ' |
        awk '{ for (i = 1; i <= NF; i++) if ($i > m) m = $i } END { print m + 0 }'
}

# The position "X Y" of the window $1's own area (inside a window manager's frame) on the
# screen. (xdotool's geometry adds the frame's offset twice under a reparenting manager.)
e2e_window_position() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF } END { print x, y }'
}

# Starts the program in the background; its pid is in APP_PID.
e2e_start_app() {
    "$PROGRAM" >"$E2E_SCRATCH/app.log" 2>&1 &
    APP_PID=$!
    E2E_PIDS+=($APP_PID)
}

# Waits (up to 30 s: a loaded machine starts slowly) until the program's window is mapped;
# prints its window id.
e2e_find_window() { xdotool search --onlyvisible --name '^QuelmarineScr$' 2>/dev/null | head -n 1; }
e2e_wait_window() {
    e2e_poll 30 eval '[ -n "$(e2e_find_window)" ]' || fail "the window did not appear"
    e2e_find_window
}

# Runs the command (the arguments) until it succeeds, for at most $1 seconds; fails on time-out.
e2e_poll() {
    local deadline=$(($(date +%s%N) / 1000000 + $1 * 1000))
    shift
    until "$@"; do
        [ $(($(date +%s%N) / 1000000)) -lt "$deadline" ] || return 1
        sleep 0.05
    done
}

# White pixels where the help text stands (the middle of the screen), in a fresh screenshot.
e2e_text_pixels() {
    local w h
    read -r w h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')
    e2e_shot "$E2E_SCRATCH/text.png"
    convert "$E2E_SCRATCH/text.png" -crop "600x200+$((w / 2 - 160))+$((h / 2 - 132))" +repage \
        -colorspace Gray -threshold 94% -format '%[fx:round(mean*w*h)]' info:
}

# Waits (up to 90 s: a loaded machine draws slowly) until the help text of the start-up has
# been shown and has gone again: its white pixels fall below 400, or below a third of the most
# seen (white fish may stand there too).
e2e_wait_overlay_gone() {
    local deadline=$(($(date +%s) + 90)) peak=0 count
    while true; do
        count=$(e2e_text_pixels)
        [ "$count" -gt "$peak" ] && peak=$count
        if [ "$peak" -gt 1500 ] && { [ "$count" -lt 400 ] || [ $((count * 3)) -lt "$peak" ]; }; then
            return 0
        fi
        [ "$(date +%s)" -le "$deadline" ] || fail "the help text did not come and go (now $count, most $peak)"
        sleep 0.1
    done
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

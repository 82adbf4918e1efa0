# Shared by the fault tests (test_fault_*.sh), after lib.sh: the program's windows by size,
# running it as an ordinary user, and the checks every fault test makes.

# The ids of the program's visible top-level windows titled $1 (default: the program's name).
fault_windows() { xdotool search --onlyvisible --name "^${1:-QuelmarineScr}\$" 2>/dev/null || true; }

# Width of window $1.
fault_window_width() { xdotool getwindowgeometry "$1" | awk '/Geometry:/ { split($2, g, "x"); print g[1] }'; }

# Prints the first of the program's visible windows titled $2 (its own title when empty) whose
# width is -lt or -ge ($1) 1000 pixels; fails when there is none.
fault_find_by_width() {
    local id
    for id in $(fault_windows ${2:+"$2"}); do
        [ "$(fault_window_width "$id")" "$1" 1000 ] && { echo "$id"; return 0; }
    done
    return 1
}

# Waits up to 30 s for a visible window titled $1 narrower than the screen (a message box);
# prints its id.
fault_wait_message_box() {
    e2e_poll 30 fault_find_by_width -lt "$1" >/dev/null || fail "no message box titled '$1' appeared"
    fault_find_by_width -lt "$1"
}

# Waits up to 30 s for the program's full-screen window; prints its id.
fault_wait_frame() {
    e2e_poll 30 fault_find_by_width -ge "" >/dev/null || fail "the program's window did not appear"
    fault_find_by_width -ge ""
}

# The program keeps drawing: two screenshots a second apart differ where the fish swim.
fault_check_drawing() {
    e2e_shot "$E2E_SCRATCH/first.png"
    sleep 1
    e2e_shot "$E2E_SCRATCH/second.png"
    local change
    change=$(e2e_region_difference "$E2E_SCRATCH/first.png" "$E2E_SCRATCH/second.png" 1280x1024+0+0)
    awk -v c="$change" 'BEGIN { exit !(c > 0.0005) }' || fail "the picture does not change ($change): $1"
}

# Gives window $1 the keyboard focus and presses the key $2 (no window manager does it).
fault_press() { xdotool windowfocus --sync "$1" key "$2"; }

# Takes process $1, which has ended and been waited for, off the list e2e_stop ends.
fault_forget_pid() {
    local kept=() pid
    for pid in "${E2E_PIDS[@]}"; do [ "$pid" = "$1" ] || kept+=("$pid"); done
    E2E_PIDS=("${kept[@]}")
}

# Presses Esc in window $1 and checks that the program ends with exit status 0 within 5 s.
fault_check_esc_exit() {
    fault_press "$1" Escape
    e2e_wait_exit "$APP_PID" 5
    [ "$EXIT_CODE" = 0 ] || fail "Esc: exit status $EXIT_CODE, expected 0 ($2)"
    fault_forget_pid "$APP_PID"
}

# The program's log holds no sanitizer report, abort or crash.
fault_check_log_clean() {
    if grep -Eq 'AddressSanitizer|runtime error|Aborted|Segmentation|core dumped' "$E2E_SCRATCH/app.log"; then
        cat "$E2E_SCRATCH/app.log" >&2
        fail "the program's log shows a crash ($1)"
    fi
}

# Mounts made by the test, undone (last first) before the scratch folder goes.
FAULT_MOUNTS=()
fault_unmount_all() {
    local i
    for ((i = ${#FAULT_MOUNTS[@]} - 1; i >= 0; i--)); do umount "${FAULT_MOUNTS[i]}" 2>/dev/null || true; done
    FAULT_MOUNTS=()
}
trap 'e2e_own_shell && fault_unmount_all; e2e_cleanup' EXIT

# Makes folder $1 unwritable also for root (as on CI machines): a read-only bind mount; for
# an ordinary user its permission bits do it.
fault_make_read_only() {
    if [ "$(id -u)" -eq 0 ]; then
        mount --bind "$1" "$1" && FAULT_MOUNTS+=("$1")
        mount -o remount,bind,ro "$1"
    else
        chmod a-w "$1"
    fi
}
fault_make_writable() {
    if [ "$(id -u)" -eq 0 ]; then
        umount "$1"
        local kept=() mount
        for mount in "${FAULT_MOUNTS[@]}"; do [ "$mount" = "$1" ] || kept+=("$mount"); done
        FAULT_MOUNTS=("${kept[@]}")
    else
        chmod u+w "$1"
    fi
}

# Starts an X server whose screen xrandr can resize (Xvfb's cannot): Xorg with the dummy video
# driver, 1280 x 1024 at first, also 1024 x 768 and 800 x 600. Exports DISPLAY.
fault_start_resizable_x() {
    local fifo="$E2E_SCRATCH/displayfd"
    mkfifo "$fifo"
    Xorg -noreset -nolisten tcp -config "$(dirname "${BASH_SOURCE[0]}")/faults/resizable-screen.conf" \
        -configdir "$E2E_SCRATCH/no-config" -logfile "$E2E_SCRATCH/xorg.log" -displayfd 3 3>"$fifo" \
        >/dev/null 2>&1 &
    E2E_PIDS+=($!)
    local number
    read -r -t 20 number <"$fifo" || fail "Xorg did not start: $(tail -n 5 "$E2E_SCRATCH/xorg.log")"
    export DISPLAY=":$number"
}

# The screen's size, WxH.
fault_screen_size() { xdpyinfo | awk '/dimensions:/ { print $2 }'; }

# Starts the program and checks that it keeps drawing, that Esc ends it with status 0 and that
# its log shows no crash; $1 names the case.
fault_run_to_esc() {
    e2e_start_app
    local window
    window=$(e2e_wait_window)
    fault_check_drawing "$1"
    fault_check_esc_exit "$window" "$1"
    fault_check_log_clean "$1"
}

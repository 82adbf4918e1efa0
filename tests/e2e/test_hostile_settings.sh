#!/usr/bin/env bash
# The table of hostile settings files (hostile/settings_cases.py): for each, the real program
# starts, stays up and keeps drawing, stays within its memory bound, ends with status 0 on Esc,
# and leaves a file its load has repaired (with the lists of the "entry-..." cases exactly as
# written), or, for what it must not read (too large, a FIFO, a folder, a link loop, a device),
# the folder exactly as it was. HOSTILE_CASES="name ..." runs only those cases.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
cases="$(dirname "$0")/hostile/settings_cases.py"
e2e_start_x 1280 1024
folder="$(dirname "$SETTINGS_FILE")"
rss_limit_kb=$((600 * 1024))
folder_state() { (cd "$folder" && find . -printf '%p %y %s %l\n' | sort && find . -type f -exec sha256sum {} + | sort); }
# A failed case shows what the program said.
trap 'status=$?; e2e_own_shell || exit $status; [ $status -eq 0 ] || { echo "--- the program said:" >&2; tail -n 40 "$E2E_SCRATCH/app.log" >&2; }; fault_unmount_all; e2e_cleanup' EXIT

# The program keeps drawing: two uncompressed screenshots half a second apart differ (PNG
# screenshots of the whole screen cost seconds each on a loaded machine). A large file read again
# just after the first frame (the list dialogs load their sections then) may hold the picture
# for a moment on a loaded machine: the pair is taken again, for up to 20 s.
picture_changes() {
    import -window root "$E2E_SCRATCH/first.ppm"
    sleep 0.5
    import -window root "$E2E_SCRATCH/second.ppm"
    change=$({ compare -metric RMSE "$E2E_SCRATCH/first.ppm" "$E2E_SCRATCH/second.ppm" null: 2>&1 || true; } |
        sed -E 's/.*\(([0-9.e-]+)\).*/\1/')
    awk -v c="$change" 'BEGIN { exit !(c > 0.0005) }'
}
check_drawing() {
    local change
    e2e_poll 20 picture_changes || fail "the picture does not change ($change): $1"
}

names=${HOSTILE_CASES:-$(python3 "$cases" list)}
count=0 started=$(date +%s)
for name in $names; do
    rm -rf "$folder"
    mkdir -p "$folder"
    kind=$(python3 "$cases" make "$name" "$folder")
    before=$(folder_state)
    e2e_start_app
    window=$(e2e_wait_window)
    check_drawing "$name"
    rss=$(awk '/VmRSS/ { print $2 }' "/proc/$APP_PID/status")
    [ "$rss" -lt "$rss_limit_kb" ] || fail "$name: the program uses $rss kB"
    fault_check_esc_exit "$window" "$name"
    fault_check_log_clean "$name"
    if [ "$kind" = untouched ]; then
        [ "$(folder_state)" = "$before" ] || fail "$name: the settings folder changed"
    else
        problem=$(python3 "$cases" check "$kind" "$folder" "$name" 2>&1) || fail "$name: not repaired: $problem"
        [ "$(ls -A "$folder")" = QuelmarineSet.ini ] || fail "$name: stray files: $(ls -A "$folder")"
    fi
    pass "$name ($kind): ran, drew, ${rss} kB, ended with status 0"
    count=$((count + 1))
done
[ -n "${HOSTILE_CASES:-}" ] || [ "$count" -ge 30 ] || fail "only $count cases ran"
pass "$count hostile settings files in $(($(date +%s) - started)) s"

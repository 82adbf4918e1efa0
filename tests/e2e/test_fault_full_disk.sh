#!/usr/bin/env bash
# A full disk under the settings folder (a small tmpfs mounted there): the start-up load cannot
# store its repairs, and the settings file stays exactly as it was, never truncated or half
# written, with no temporary copy left; the program runs and draws all the same. Once there is
# room again the next start stores the repaired file whole.
if [ "$(id -u)" -ne 0 ]; then
    # Mounting needs root: an ordinary user becomes root of a private user and mount namespace.
    exec unshare --user --map-root-user --mount bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
e2e_start_x 1280 1024
folder="$(dirname "$SETTINGS_FILE")"
mkdir -p "$folder"
mount -t tmpfs -o size=64k,mode=0755 quelmarine-full "$folder"
FAULT_MOUNTS+=("$folder")

# Fills the tmpfs, then frees $1 bytes again.
fill_leaving() {
    rm -f "$folder/filler"
    dd if=/dev/zero of="$folder/filler" bs=4096 2>/dev/null || true
    [ "$1" -eq 0 ] || truncate -s "-$1" "$folder/filler"
}

# A settings file the load must repair (forced keys, missing keys and fish counts), larger than
# a page when $1 says so, so that a rewrite fills a first page and then finds no room.
write_settings() {
    {
        printf '[Aquarium Settings]\nShow Water=1\nQIPAONUM=42\n'
        [ "$1" = large ] && for i in $(seq 1 150); do printf '; note %03d: a line the user wrote\n' "$i"; done
        printf '[Fish Number]\nFish0=3\n'
    } >"$SETTINGS_FILE"
}

run_and_check() {
    local before
    before=$(sha256sum <"$SETTINGS_FILE")
    fault_run_to_esc "$1"
    [ "$(sha256sum <"$SETTINGS_FILE")" = "$before" ] || fail "$1: the settings file changed"
    [ "$(ls -A "$folder" | sort | tr '\n' ' ')" = "QuelmarineSet.ini filler " ] ||
        fail "$1: stray files: $(ls -A "$folder")"
    pass "$1: the settings file is as it was, nothing else written, the program ran"
}

write_settings small
fill_leaving 0
run_and_check "no room at all"

rm -f "$folder/filler"
write_settings large
[ "$(stat -c %s "$SETTINGS_FILE")" -gt 4096 ] || fail "the large settings file is too small"
fill_leaving 4096
run_and_check "room for one page of a two-page file"

# With room again, the repair is stored whole.
rm -f "$folder/filler"
e2e_start_app
window=$(e2e_wait_window)
fault_check_esc_exit "$window" "room again"
grep -qx 'Show Water=0' "$SETTINGS_FILE" || fail "the forced key was not repaired"
grep -qx 'QIPAONUM=42' "$SETTINGS_FILE" || fail "the user's value was lost"
grep -qx '; note 150: a line the user wrote' "$SETTINGS_FILE" || fail "the user's lines were lost"
grep -qx 'Fish4=[01]' "$SETTINGS_FILE" || fail "the missing fish counts were not stored"
[ "$(ls -A "$folder")" = QuelmarineSet.ini ] || fail "stray files: $(ls -A "$folder")"
pass "with room again the repaired file is stored whole"

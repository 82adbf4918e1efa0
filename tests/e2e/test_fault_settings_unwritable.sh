#!/usr/bin/env bash
# A settings folder the program may not write: it starts, draws and ends with Esc as usual, and the folder keeps exactly what it
# held: no new file, no temporary copy, the old settings file byte for byte.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
e2e_start_x 1280 1024
folder="$(dirname "$SETTINGS_FILE")"

# Runs the program as the user, checks it draws and ends with Esc, then checks the folder.
run_and_check() {
    local before
    before=$(cd "$folder" && ls -A | xargs -r sha256sum)
    fault_run_to_esc "$1"
    [ "$(cd "$folder" && ls -A | xargs -r sha256sum)" = "$before" ] || fail "$1: the folder changed: $(ls -A "$folder")"
    pass "$1: runs, draws, ends with Esc; the folder is unchanged"
}

# An empty folder that cannot be written: no settings file appears.
mkdir -p "$folder"
fault_make_read_only "$folder"
run_and_check "empty read-only folder"

# A settings file that the start-up load would repair, in a read-only folder.
fault_make_writable "$folder"
printf '[Aquarium Settings]\nShow Water=1\nQIPAONUM=42\n' >"$SETTINGS_FILE"
fault_make_read_only "$folder"
run_and_check "settings to repair in a read-only folder"

# No settings folder, and its parent cannot be written.
fault_make_writable "$folder"
rm -rf "$folder"
fault_make_read_only "$XDG_CONFIG_HOME"
folder="$XDG_CONFIG_HOME"
run_and_check "no settings folder and none can be made"

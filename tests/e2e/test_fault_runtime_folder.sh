#!/usr/bin/env bash
# A runtime folder (where assets are unpacked and the single-instance markers live) that is not
# private: someone else's, open to everyone, or a symbolic link. The program refuses it: one
# "Error Find TempPath." message, nothing written into it or through it, and it runs on (the
# scene without the unpacked pictures) until Esc ends it with exit status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
e2e_start_x 1280 1024
elsewhere="$E2E_SCRATCH/elsewhere"

# Checks one hostile folder set up by the caller; $1 names it.
run_and_check() {
    local before
    before=$(ls -lA "$ASSET_FOLDER/" "$elsewhere" 2>&1)
    e2e_start_app
    local box
    box=$(fault_wait_message_box ERROR)
    e2e_shot "$E2E_SCRATCH/box.png"
    fault_press "$box" Return
    local window
    window=$(fault_wait_frame)
    sleep 1
    [ -z "$(fault_windows ERROR)" ] || fail "$1: a second message box"
    fault_check_esc_exit "$window" "$1"
    fault_check_log_clean "$1"
    [ "$(ls -lA "$ASSET_FOLDER/" "$elsewhere" 2>&1)" = "$before" ] || fail "$1: files were written:
$(ls -lA "$ASSET_FOLDER/" "$elsewhere")"
    pass "$1: refused with one message, nothing written, Esc ends it with status 0"
}

mkdir -p "$elsewhere"
chmod 0700 "$elsewhere"
ln -s "$elsewhere" "$ASSET_FOLDER"
run_and_check "a symbolic link to a private folder"
rm "$ASSET_FOLDER"

mkdir -m 0777 "$ASSET_FOLDER"
chmod 0777 "$ASSET_FOLDER"
run_and_check "a folder open to everyone"

if [ "$(id -u)" -eq 0 ]; then
    chmod 0700 "$ASSET_FOLDER"
    chown nobody:nogroup "$ASSET_FOLDER"
    run_and_check "someone else's folder"
else
    # An ordinary user cannot give a folder away: a folder that cannot be made at all.
    rmdir "$ASSET_FOLDER"
    XDG_RUNTIME_DIR=/proc run_and_check "a folder that cannot be made"
fi

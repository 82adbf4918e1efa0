#!/usr/bin/env bash
# No sound server to play the ambient loop through: the program runs silently, keeps drawing
# for some seconds (the loop is started and restarted meanwhile), and Esc ends it with
# status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
e2e_start_x 1280 1024
export PULSE_SERVER="unix:$E2E_SCRATCH/no-such-server" PIPEWIRE_REMOTE="$E2E_SCRATCH/no-such-server"
e2e_start_app
window=$(e2e_wait_window)
for second in 1 2 3; do fault_check_drawing "second $second without a sound server"; done
fault_check_esc_exit "$window" "no sound server"
fault_check_log_clean "no sound server"
pass "without a sound server the program draws on and Esc ends it with status 0"

#!/usr/bin/env bash
# A display whose GL driver cannot make a rendering context (a preloaded shim refuses every
# request): the program shows the one message box for it, keeps running without drawing, and
# Esc still ends it with exit status 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/fault_lib.sh"
[ -f "${QUELMARINE_NO_GL_CONTEXT:-}" ] || fail "the shim is missing: QUELMARINE_NO_GL_CONTEXT='${QUELMARINE_NO_GL_CONTEXT:-}'"
e2e_start_x 1280 1024

LD_PRELOAD="$QUELMARINE_NO_GL_CONTEXT" e2e_start_app
box=$(fault_wait_message_box QuelmarineScr)
e2e_shot "$E2E_SCRATCH/box.png"
[ -n "${QUELMARINE_SHOTS:-}" ] && cp "$E2E_SCRATCH/box.png" "$QUELMARINE_SHOTS/no_gl_context_box.png"
pass "a message box appears"
[ "$(fault_windows | wc -l)" = 1 ] || fail "more than the message box is shown"
fault_press "$box" Return
frame=$(fault_wait_frame)
sleep 1
kill -0 "$APP_PID" || fail "the program ended after the message box"
[ -z "$(fault_windows | grep -vx "$frame")" ] || fail "a second message box followed"
pass "after OK the frame is shown and the program keeps running"
fault_check_esc_exit "$frame" "no GL context"
fault_check_log_clean "no GL context"
pass "Esc ends it with exit status 0"

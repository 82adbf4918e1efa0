#!/usr/bin/env bash
# Nothing lost under kill -9: the real program is killed with SIGKILL while its dialogs save the
# settings file (KILL9_ROUNDS times, 200 by default; ctest runs two seeds of 100 side by side);
# every time the file holds either the old or the new values, whole. See kill9/kill9_rounds.py.
source "$(dirname "$0")/lib.sh"
e2e_start_x 800 600
export E2E_SCRATCH
python3 "$(dirname "$0")/kill9/kill9_rounds.py" "$PROGRAM" "${KILL9_ROUNDS:-200}" ||
    { tail -n 20 "$E2E_SCRATCH/kill9-app.log" >&2; fail "a kill -9 left a damaged settings file (or the rounds could not run)"; }

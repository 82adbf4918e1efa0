#!/usr/bin/env bash
# The first start creates the settings file with every key in its order; forced keys are
# repaired at every start while the user's own values stay.
source "$(dirname "$0")/lib.sh"
e2e_start_x 1280 1024

expected="[Aquarium Settings]
Show Water
Show Light
Show Terra
FRONT GUDING
FRONTCOLOR
FRONT MANJIANBIAN
FRONT COLOR1
FRONT COLOR2
FRONT AUTOJIANBIAN
CHECK LOCKFORE
LOCKFORE ROT
BACK GUDING
BACKCOLOR
BACK MANJIANBIAN
BACK COLOR1
BACK COLOR2
BACK AUTOJIANBIAN
CHECK LOCKBACK
LOCKBACK ROT
YINLIANG
QIPAONUM
BACKGROUND
FOGNONGDU
LIGHTQIANGDU
CHECK VIEWS
VIEWSLEFTRIGHT
VIEWSNEARFAR
[Fish Number]
Fish0
Fish1
Fish2
Fish3
Fish4"

e2e_start_app
e2e_wait_window >/dev/null
[ -f "$SETTINGS_FILE" ] || fail "no settings file at $SETTINGS_FILE"
keys=$(sed -E 's/=.*//' "$SETTINGS_FILE" | tr -d '\r' | grep -v '^$')
[ "$keys" = "$expected" ] || fail "keys differ:
$(diff <(echo "$expected") <(echo "$keys"))"
grep -qx 'YINLIANG=32767.5' "$SETTINGS_FILE" || fail "YINLIANG default"
grep -Eqx 'Fish[0-4]=[01]' "$SETTINGS_FILE" || fail "fish counts are not 0 or 1"
pass "first start writes the 27 + 5 keys in order"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# Hand edits: forced keys fall back, others stay.
sed -i -e 's/^Show Water=.*/Show Water=1/' -e 's/^BACKCOLOR=.*/BACKCOLOR=255/' \
    -e 's/^QIPAONUM=.*/QIPAONUM=42/' -e 's/^FOGNONGDU=.*/FOGNONGDU=30/' "$SETTINGS_FILE"
e2e_start_app
e2e_wait_window >/dev/null
grep -qx 'Show Water=0' "$SETTINGS_FILE" || fail "Show Water not forced"
grep -qx 'BACKCOLOR=0' "$SETTINGS_FILE" || fail "BACKCOLOR not forced"
grep -qx 'QIPAONUM=42' "$SETTINGS_FILE" || fail "the user's bubble level was lost"
grep -qx 'FOGNONGDU=25' "$SETTINGS_FILE" || fail "out-of-range fog not repaired"
[ "$(ls -A "$(dirname "$SETTINGS_FILE")")" = "QuelmarineSet.ini" ] || fail "stray files beside the settings"
pass "second start repairs forced keys and keeps the rest"

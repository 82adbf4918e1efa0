#!/usr/bin/env bash
# The help text shows after start-up, hides itself, comes back with F1 and goes at once with a
# second F1 (keys go where the window system has put the focus, as a user's would).
source "$(dirname "$0")/lib.sh"

e2e_start_x 1280 1024
e2e_start_app
window=$(e2e_wait_window)

# Waits up to $2 seconds until the text is shown ($1 = shown) or gone ($1 = hidden). A loaded
# machine takes seconds for one screenshot, so the limits are generous; the frame counts
# themselves are checked by the unit tests.
wait_for_text() {
    local deadline=$(($(date +%s) + $2)) count
    while true; do
        count=$(e2e_text_pixels)
        if [ "$1" = shown ] && [ "$count" -gt 1500 ]; then return 0; fi
        if [ "$1" = hidden ] && [ "$count" -lt 400 ]; then return 0; fi
        [ "$(date +%s)" -le "$deadline" ] || fail "the help text is not $1 after $2 s (white pixels: $count)"
        sleep 0.1
    done
}
press_f1() { xdotool key F1; }

wait_for_text shown 15
pass "the help text shows after start-up"
wait_for_text hidden 30
pass "it hides itself"
sleep 1 # the time over which it must stay away
[ "$(e2e_text_pixels)" -lt 400 ] || fail "the help text came back by itself"
# F1 shows the text for 100 frames, a second on a quiet machine: less than one screenshot may
# take on a loaded one. So the screen is captured raw, as fast as it goes, from before the key
# for 5 s (or until the text is seen), and the captures are looked at afterwards.
text_pixels_in() {
    convert "xwd:$1" -crop "600x200+$((1280 / 2 - 160))+$((1024 / 2 - 132))" +repage \
        -colorspace Gray -threshold 94% -format '%[fx:round(mean*w*h)]' info:
}
burst="$E2E_SCRATCH/burst"
mkdir -p "$burst"
(
    end=$(($(date +%s) + 5)) i=0
    while [ "$(date +%s)" -lt "$end" ] && [ ! -e "$burst/stop" ]; do
        xwd -root -silent >"$burst/$((i += 1)).xwd"
    done
) &
capturer=$!
sleep 0.2
press_f1
seen=0 capturing=1
while [ "$seen" = 0 ] && [ "$capturing" = 1 ]; do
    kill -0 "$capturer" 2>/dev/null || capturing=0 # then one last look at what is left
    for shot in $(ls -v "$burst" | grep '\.xwd$'); do
        [ "$(text_pixels_in "$burst/$shot" 2>/dev/null || echo 0)" -gt 1500 ] && { seen=1; break; }
        rm -f "$burst/$shot"
    done
    sleep 0.05
done
touch "$burst/stop"
wait "$capturer" || true
[ "$seen" = 1 ] || fail "F1 did not show the help text"
pass "F1 shows it again"
press_f1
wait_for_text hidden 10
pass "F1 while shown hides it"
xdotool key --window "$window" Escape
e2e_wait_exit "$APP_PID" 2
[ "$EXIT_CODE" = 0 ] || fail "Esc gave '$EXIT_CODE'"

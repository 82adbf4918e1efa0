#!/usr/bin/env bash
# The saver's sound: silent by default, the ambient loop with --sound, heard on a private
# PulseAudio server's null sink.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/saver_lib.sh"

pulse="$E2E_SCRATCH/pulse"
mkdir -p "$pulse"
socket="$pulse/native"
env HOME="$pulse" XDG_RUNTIME_DIR="$pulse" XDG_CONFIG_HOME="$pulse" XDG_STATE_HOME="$pulse" \
    PULSE_RUNTIME_PATH="$pulse" pulseaudio -n --daemonize=no --exit-idle-time=-1 \
    --use-pid-file=no --disable-shm=yes \
    "--load=module-null-sink sink_name=saver_test rate=44100 channels=2" \
    "--load=module-native-protocol-unix auth-anonymous=1 socket=$socket" >"$pulse/log" 2>&1 &
E2E_PIDS+=($!)
export PULSE_SERVER="unix:$socket"
for _ in $(seq 1 100); do pactl info >/dev/null 2>&1 && break; sleep 0.05; done
pactl info >/dev/null 2>&1 || fail "the test's PulseAudio server did not start: $(cat "$pulse/log")"

e2e_start_x 640 480

# The number of the sound server's playback streams.
streams() { pactl list short sink-inputs | grep -c . || true; }

# Records from the null sink's monitor until it holds $1 seconds of sound (waiting for the bytes,
# not for the clock) and prints their RMS amplitude (0 ... 1).
recorded_rms() {
    local bytes=$(( 44100 * 2 * $1 )) file="$pulse/recording.raw" recorder
    : >"$file"
    parec --device=saver_test.monitor --format=s16le --rate=44100 --channels=1 --raw \
        --latency-msec=50 >"$file" 2>/dev/null &
    recorder=$!
    e2e_poll 30 eval '[ "$(stat -c %s "$file")" -ge "$bytes" ]' || fail "$1 s of sound not recorded in 30 s"
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
    head -c "$bytes" "$file" | sox -t raw -r 44100 -e signed -b 16 -c 1 - -n stat 2>&1 |
        awk '/RMS +amplitude/ {print $3}'
}

# The saver drawing in a window of the test's own with "$@". Its RMS amplitude of what the null
# sink plays once the tank shows (and with --sound, once its stream has started) is in LOUDNESS;
# the number of streams it had then is in STREAMS.
listen_to_saver() {
    saver_test_window 320 240 100 100
    saver_start -window-id "$TEST_WINDOW" "$@"
    saver_wait_tank "$pulse/tank.png" 30 300x220+110+110
    [ "${1:-}" != --sound ] || e2e_poll 30 eval '[ "$(streams)" -ge 1 ]' ||
        fail "the saver's sound stream did not start: $(cat "$E2E_SCRATCH/saver.log")"
    LOUDNESS=$(recorded_rms 2)
    STREAMS=$(streams)
    saver_terminate "$SAVER_PID"
    kill "$TEST_WINDOW_PID" 2>/dev/null || true
    [ -n "$LOUDNESS" ] || fail "nothing was recorded"
}

listen_to_saver
[ "$STREAMS" -eq 0 ] || fail "the saver opened $STREAMS sound streams without --sound"
at_least 0.001 "$LOUDNESS" || fail "the saver played sound without --sound (RMS $LOUDNESS)"
pass "silent by default (RMS $LOUDNESS, no stream)"

listen_to_saver --sound
at_least "$LOUDNESS" 0.01 || fail "--sound played nothing (RMS $LOUDNESS): $(cat "$E2E_SCRATCH/saver.log")"
pass "--sound plays the ambient loop (RMS $LOUDNESS)"

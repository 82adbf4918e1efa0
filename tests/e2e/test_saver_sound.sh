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

# The RMS amplitude (0 ... 1) of what the null sink plays while the saver runs with "$@".
loudness_with() {
    saver_start -window "$@"
    sleep 2
    parec --device=saver_test.monitor --format=s16le --rate=44100 --channels=1 --raw \
        >"$pulse/recording.raw" 2>/dev/null &
    local recorder=$!
    sleep 2
    kill "$recorder"
    wait "$recorder" 2>/dev/null || true
    saver_terminate "$SAVER_PID"
    sox -t raw -r 44100 -e signed -b 16 -c 1 "$pulse/recording.raw" -n stat 2>&1 |
        awk '/RMS +amplitude/ {print $3}'
}

silent=$(loudness_with)
[ -n "$silent" ] || fail "nothing was recorded"
at_least 0.001 "$silent" || fail "the saver played sound without --sound (RMS $silent)"
pass "silent by default (RMS $silent)"

loud=$(loudness_with --sound)
at_least "$loud" 0.01 || fail "--sound played nothing (RMS $loud): $(cat "$E2E_SCRATCH/saver.log")"
pass "--sound plays the ambient loop (RMS $loud)"

#!/usr/bin/env bash
# The soak's judgement (tests/soak/summary.sh) on made-up sample series: each case is a series
# of resident memory and descriptor counts, one sample every 5 s, with its quiet samples marked,
# and whether the bounds must hold. A leak must fail; what an action holds for a moment, or a
# sample taken while own music was off, must not.
set -euo pipefail
summary="$(cd "$(dirname "$0")/../.." && pwd)/tests/soak/summary.sh"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

# Writes a samples file for one program run: $1 the quiet sample's second, then "RSS/FDS"
# pairs for the samples at 5, 10, 15 ... s; the sample at the quiet second is marked "warmup",
# the last one "end".
series() {
    local warm="$1" t=0 pair mark
    shift
    echo "seconds,pid,rss_kib,descriptors,mark"
    for pair in "$@"; do
        t=$((t + 5))
        mark=""
        [ "$t" -eq "$warm" ] && mark=warmup
        [ "$t" -eq $((5 * $#)) ] && mark=end
        echo "$t,100,${pair%/*},${pair#*/},$mark"
    done
}

# The warm-up is 30 s; the quiet sample at 30 s; 26 samples, so 100 s are judged in two
# windows of 20 s (at 30 ... 50 s and 110 ... 130 s).
steady=(100000/18 100400/20 100800/24 101000/20 101000/20 101000/18)
after() { for _ in $(seq 1 "$1"); do printf '%s ' "$2"; done; }
leak_rss() { for i in $(seq 1 20); do printf '%s ' "$((101000 + i * 512))/18"; done; }
leak_fds() { for i in $(seq 1 20); do printf '%s ' "101000/$((18 + i))"; done; }
status=0
check() { # NAME EXPECTED(pass|fail) CRASHES SAMPLES...
    local name="$1" expected="$2" crashes="$3" got=pass
    shift 3
    series 30 "$@" >"$scratch/samples.csv"
    "$summary" "$scratch/samples.csv" "$crashes" 0 0 30 >"$scratch/out" || got=fail
    if [ "$got" = "$expected" ]; then
        echo "ok: $name ($got)"
    else
        echo "FAIL: $name: expected $expected, got $got" >&2
        sed 's/^/    /' "$scratch/out" >&2
        status=1
    fi
}
# shellcheck disable=SC2046 # the pairs are words on purpose
{
    check "steady" pass 0 "${steady[@]}" $(after 20 101000/18)
    check "memory held for a moment in the last window" pass 0 "${steady[@]}" \
        $(after 16 101000/18) 104000/18 104000/18 101100/18 101000/18
    check "memory grown by 2 MiB exactly" pass 0 "${steady[@]}" $(after 20 103048/18)
    check "memory grown by a step of 3 MiB" fail 0 "${steady[@]}" $(after 10 101000/18) \
        $(after 10 104100/18)
    check "memory leaking 512 KiB a sample" fail 0 "${steady[@]}" $(leak_rss)
    check "a descriptor held in every sample but the quiet ones" pass 0 "${steady[@]}" \
        $(after 19 101000/19) 101000/18
    check "descriptors fewer during an action after the warm-up than when quiet" pass 0 \
        "${steady[@]}" 101000/12 $(after 19 101000/18)
    check "descriptors fewer during an action, then one more kept" fail 0 \
        "${steady[@]}" 101000/12 $(after 19 101000/19)
    check "descriptors leaking one a sample" fail 0 "${steady[@]}" $(leak_fds)
    check "a crash" fail 1 "${steady[@]}" $(after 20 101000/18)
    check "too short to judge" fail 0 "${steady[@]}" $(after 3 101000/18)
}
exit $status

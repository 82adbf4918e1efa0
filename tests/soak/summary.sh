#!/usr/bin/env bash
# The soak's closing figures from its samples (SAMPLES.csv: seconds,pid,rss_kib,descriptors,
# mark; "ended,pid,status" where a program ended), CRASHES, EXITS, GL_ERRORS and the WARMUP in
# seconds. Memory and descriptors are judged on the last program run, after its warm-up (from
# its quiet "warmup" sample, taken once the warm-up is over and no action is under way): the
# fewest of the samples in the first window after it against the fewest in the last window
# (each a sixth of the time after it, at least 20 s). A file or a buffer held
# for a moment raises a sample or two, not the fewest of a window; a leak raises them all.
# Resident memory may grow by at most 2 MiB. Descriptors may not grow: the fewest of the last
# window against the quiet "warmup" sample (the actions open and close windows, files and sound
# streams, so a sample taken during one can hold fewer than the quiet state; the quiet samples
# are taken in the same state each time). Exits non-zero when a bound is broken.
set -euo pipefail
[ $# -eq 5 ] || { echo "usage: $0 SAMPLES.csv CRASHES EXITS GL_ERRORS WARMUP_SECONDS" >&2; exit 2; }
samples="$1" crashes="$2" exits="$3" gl_errors="$4" warmup="$5"
read -r runs first_fds most_fds last_s window from_s early_rss late_rss early_fds late_fds warm_rss \
    end_rss warm_fds end_fds < <(awk -F, -v warmup="$warmup" '
    NR == 1 || $1 == "ended" { next }
    $2 != pid { pid = $2; runs++; n = 0; first = $4; most = 0; warm = "-"; end = "-"; warm_fds = "-"; end_fds = "-"; from = warmup }
    { if ($4 > most) most = $4; n++; t[n] = $1; rss[n] = $3; fds[n] = $4 }
    $5 == "warmup" { warm = $3; warm_fds = $4; from = $1 }
    $5 == "end" { end = $3; end_fds = $4 }
    function least(values, from, to,    i, m) {
        m = ""
        for (i = 1; i <= n; i++)
            if (t[i] >= from && t[i] <= to && (m == "" || values[i] + 0 < m + 0)) m = values[i]
        return m == "" ? "-" : m
    }
    END {
        if (runs == 0 || n == 0) { print 0, "-", 0, "-", "-", "-", "- - - -", "- - - -"; exit }
        last = t[n]; w = (last - from) / 6; if (w < 20) w = 20
        print runs, first, most, last, w, from,
              least(rss, from, from + w), least(rss, last - w, last),
              least(fds, from, from + w), least(fds, last - w, last), warm, end, warm_fds, end_fds
    }' "$samples")
status=0
broken() { echo "  BROKEN: $*"; status=1; }
echo "soak results ($samples):"
echo "  crashes: $crashes (exits with status 0: $exits; program runs: $runs)"
echo "  GL errors: $gl_errors"
[ "$crashes" -eq 0 ] || broken "the program crashed"
[ "$gl_errors" -eq 0 ] || broken "OpenGL reported errors"
if [ "$last_s" = - ] || [ "$early_rss" = - ] || [ "$late_rss" = - ] ||
    [ "$(awk -v l="$last_s" -v f="$from_s" -v n="$window" 'BEGIN { print (l - n >= f + n) }')" != 1 ]; then
    broken "the last program run has no samples in both windows after its ${warmup} s warm-up"
else
    growth=$((late_rss - early_rss))
    echo "  after the ${warmup} s warm-up (from ${from_s} s), the fewest of the first and of the last ${window%.*} s:" \
        "RSS ${early_rss} KiB then ${late_rss} KiB (growth ${growth} KiB);" \
        "descriptors ${early_fds} then ${late_fds}"
    echo "  quiet samples: RSS ${warm_rss} KiB after the warm-up, ${end_rss} KiB at the end" \
        "(${last_s} s); descriptors ${warm_fds} after the warm-up, ${end_fds} at the end;" \
        "first ${first_fds}, most ${most_fds}"
    [ "$growth" -le 2048 ] || broken "RSS grew by ${growth} KiB (the bound is 2048)"
    [ "$warm_fds" = - ] && warm_fds=$early_fds # a run cut short before its quiet sample
    [ "$late_fds" -le "$warm_fds" ] ||
        broken "descriptors grew from ${warm_fds} (the quiet sample after the warm-up) to ${late_fds}"
fi
[ "$status" -eq 0 ] && echo "  all bounds held" || echo "  soak FAILED"
exit $status

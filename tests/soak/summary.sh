#!/usr/bin/env bash
# The soak's closing figures from its samples (SAMPLES.csv: seconds,pid,rss_kib,descriptors,
# mark; "ended,pid,status" where a program ended), CRASHES, EXITS and GL_ERRORS. Memory and
# descriptors are judged on the last program run, between its two quiet samples (marks
# "minute" and "end"): RSS may grow by less than 2 MiB, and the descriptors may not grow.
# Exits non-zero when a bound is broken.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 SAMPLES.csv CRASHES EXITS GL_ERRORS" >&2; exit 2; }
samples="$1" crashes="$2" exits="$3" gl_errors="$4"
read -r runs first_fds most_fds minute_s minute_rss minute_fds end_s end_rss end_fds < <(awk -F, '
    NR == 1 || $1 == "ended" { next }
    $2 != pid { pid = $2; runs++; first = $4; most = 0; minute = "- - -"; end = "- - -" }
    { if ($4 > most) most = $4 }
    $5 == "minute" { minute = $1 " " $3 " " $4 }
    $5 == "end" { end = $1 " " $3 " " $4 }
    END { if (runs == 0) { first = "-"; minute = end = "- - -" }
          print runs + 0, first, most + 0, minute, end }' "$samples")
status=0
broken() { echo "  BROKEN: $*"; status=1; }
echo "soak results ($samples):"
echo "  crashes: $crashes (exits with status 0: $exits; program runs: $runs)"
echo "  GL errors: $gl_errors"
[ "$crashes" -eq 0 ] || broken "the program crashed"
[ "$gl_errors" -eq 0 ] || broken "OpenGL reported errors"
if [ "$minute_s" = - ] || [ "$end_s" = - ]; then
    broken "the last program run has no quiet samples at one minute and at the end"
else
    growth=$((end_rss - minute_rss))
    echo "  RSS at ${minute_s} s: ${minute_rss} KiB; at the end (${end_s} s): ${end_rss} KiB;" \
        "growth after the first minute: ${growth} KiB"
    echo "  descriptors: first ${first_fds}, at ${minute_s} s ${minute_fds}, at the end" \
        "${end_fds} (most ${most_fds})"
    [ "$growth" -lt 2048 ] || broken "RSS grew by ${growth} KiB (the bound is 2048)"
    [ "$end_fds" -le "$minute_fds" ] || broken "descriptors grew from ${minute_fds} to ${end_fds}"
fi
[ "$status" -eq 0 ] && echo "  all bounds held" || echo "  soak FAILED"
exit $status

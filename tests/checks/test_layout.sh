#!/usr/bin/env bash
# The tree shows the two libraries: nothing under src/tank (or the Qt-free saver) includes a Qt
# or desktop header, and programs built from the tank library alone load no Qt.
# Usage: test_layout.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$1"
status=0
for side in tank saver music; do
    [ -d "$root/src/$side" ] || continue
    offenders=$(grep -rlE '#include *[<"](Q[A-Za-z]*|qt[a-z]*/|desktop/)' "$root/src/$side" || true)
    if [ -n "$offenders" ]; then
        echo "FAIL: Qt or desktop headers included under src/$side:" >&2
        echo "$offenders" >&2
        status=1
    else
        echo "ok: src/$side includes no Qt or desktop header"
    fi
done
# The unit tests link the tank library and nothing of Qt.
if ldd "$build/tests/quelmarine_unit_tests" | grep -i 'libQt'; then
    echo "FAIL: the tank library brings Qt into the unit tests' link" >&2
    status=1
else
    echo "ok: the tank library links no Qt"
fi
# quelmarine-saver is the tank library, X11, Wayland and EGL: no Qt either.
if ldd "$build/saver/quelmarine-saver" | grep -i 'libQt'; then
    echo "FAIL: quelmarine-saver links Qt" >&2
    status=1
else
    echo "ok: quelmarine-saver links no Qt"
fi
# Every folder with sources belongs to one side.
while read -r folder; do
    case "$folder" in
    src/tank | src/tank/* | src/desktop | src/desktop/* | src/saver | src/saver/* | src/music) ;;
    *) echo "FAIL: $folder is outside src/tank, src/desktop, src/saver and src/music" >&2; status=1 ;;
    esac
done < <(cd "$root" && find src -name '*.cpp' -o -name '*.h' | xargs -n1 dirname | sort -u)
exit $status

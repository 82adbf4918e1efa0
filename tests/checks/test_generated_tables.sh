#!/usr/bin/env bash
# The checked-in mesh tables are exactly what their generators print today.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
status=0
for pair in tools/fishmesh/fishmesh.py:src/tank/fish/FishMeshTables.cpp \
            tools/foodmesh/foodmesh.py:src/tank/fish/FoodFishMeshTables.cpp; do
    generator="${pair%%:*}" table="${pair#*:}"
    if python3 "$root/$generator" | diff -u "$root/$table" - >/tmp/table-diff.$$; then
        echo "ok: $table matches $generator"
    else
        echo "FAIL: $table differs from what $generator prints:" >&2
        head -n 20 /tmp/table-diff.$$ >&2
        status=1
    fi
done
rm -f /tmp/table-diff.$$
exit $status

#!/usr/bin/env bash
# Prints the size of the test code against the program: non-blank lines of
# .cpp, .cc, .h, .hpp and .sh files under tests/ and fuzz/ against those under
# src/. Case folders and tables are data and do not count. Fails when the
# tests pass 36 % of the program, the share we hold them to.
set -euo pipefail
cd "$(dirname "$0")/.."
count() {
    if git rev-parse --git-dir >/dev/null 2>&1; then
        git ls-files -co --exclude-standard -- "$@"
    else
        find "$@" -type f
    fi | grep -E '\.(cpp|cc|h|hpp|sh)$' | while read -r f; do [ -f "$f" ] && cat "$f"; done |
        grep -c -v '^[[:space:]]*$' || true
}
src=$(count src)
tests=$(count tests fuzz)
pct=$(awk -v t="$tests" -v s="$src" 'BEGIN { printf "%.1f", 100 * t / s }')
echo "Size: $tests lines of test code (tests/, fuzz/) against $src of program code (src/): $pct % (at most 36 %)"
awk -v t="$tests" -v s="$src" 'BEGIN { exit !(100 * t <= 36 * s) }'

#!/usr/bin/env bash
# Prints the size of the test code against the program: the lines of .cpp,
# .cc, .h, .hpp and .sh files under tests/ and fuzz/ against those under src/,
# counted alike on both sides: lines that are neither blank nor comments
# (// in C++, # in shell scripts). Case folders and tables are data and do
# not count. Fails when the tests pass 36 % of the program, the share we
# hold them to.
set -euo pipefail
cd "$(dirname "$0")/.."
files() {
    if git rev-parse --git-dir >/dev/null 2>&1; then
        git ls-files -co --exclude-standard -- "$@"
    else
        find "$@" -type f
    fi | grep -E '\.(cpp|cc|h|hpp|sh)$' || true
}
count() {
    files "$@" | while read -r f; do
        [ -f "$f" ] || continue
        case "$f" in
        *.sh) grep -v -e '^[[:space:]]*$' -e '^[[:space:]]*#' "$f" || true ;;
        *) grep -v -e '^[[:space:]]*$' -e '^[[:space:]]*//' "$f" || true ;;
        esac
    done | wc -l
}
src=$(count src)
tests=$(count tests fuzz)
pct=$(awk -v t="$tests" -v s="$src" 'BEGIN { printf "%.1f", 100 * t / s }')
echo "Size: $tests lines of test code (tests/, fuzz/) against $src of program code (src/)," \
    "blank and comment lines not counted: $pct % (at most 36 %)"
awk -v t="$tests" -v s="$src" 'BEGIN { exit !(100 * t <= 36 * s) }'

#!/usr/bin/env bash
# Formats the C++ files of src/, tests/, fuzz/ and bench/ as .clang-format
# says. With --check it changes nothing and fails when a file is not so
# formatted (scripts/test.sh runs it); a missing clang-format is then reported
# and passed over, except in CI (CI=true), where it fails.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang-format >/dev/null; then
    if [ "${1:-}" = --check ] && [ "${CI:-}" != true ]; then
        echo "Formatting not checked: clang-format is not installed"
        exit 0
    fi
    echo "clang-format is not installed" >&2
    exit 1
fi
if git rev-parse --git-dir >/dev/null 2>&1; then
    git ls-files -co --exclude-standard -- src tests fuzz bench
else
    find src tests fuzz bench -type f
fi | grep -E '\.(cpp|h)$' | {
    if [ "${1:-}" = --check ]; then
        xargs clang-format --dry-run --Werror && echo "Formatting: every C++ file as .clang-format says"
    else
        xargs clang-format -i
    fi
}

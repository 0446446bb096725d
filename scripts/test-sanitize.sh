#!/usr/bin/env bash
# Builds the checker and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan/ and runs every test under them;
# the end-to-end cases run the sanitized program too. Any finding fails.
#   scripts/test-sanitize.sh       JOBS=1 limits the build and the tests to one job
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-2}
cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIMCHECK_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$jobs"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1}
ctest --test-dir build-asan -j"$jobs" --output-on-failure

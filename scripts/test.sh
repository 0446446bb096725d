#!/usr/bin/env bash
# Builds the checker and its tests in build/ and runs every test, prints the
# size of the tests against the program (failing above 36 %) and checks the
# formatting (scripts/format.sh --check); then the
# Windows suite (dimcheck.exe under Wine), which says so when it is skipped
# because the cross compiler or Wine is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_TESTS=ON >/dev/null
cmake --build build -j2
ctest --test-dir build -j2 --output-on-failure
scripts/size.sh
scripts/format.sh --check
scripts/test-windows.sh

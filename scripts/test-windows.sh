#!/usr/bin/env bash
# The Windows suite: cross-builds dimcheck.exe and the ZIP package, then runs
# the end-to-end cases, the Windows-only cases, the Linux/Windows comparison
# and the package test under Wine (see docs/windows.md). Skipped, and said
# so, when the cross compiler or Wine is missing; in CI (CI set to true) a
# missing tool fails the run instead, so that CI never passes untested.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
for tool in x86_64-w64-mingw32-g++ x86_64-w64-mingw32-objdump wine wineserver wineboot iconv; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "Windows suite skipped: ${missing[*]} not found" \
        "(apt-get install g++-mingw-w64-x86-64 mingw-w64 wine wine64)"
    if [ "${CI:-}" = true ]; then echo "CI needs the Windows suite: failing"; exit 1; fi
    exit 0
fi

scripts/package-windows.sh >/dev/null
exe=$PWD/build-win/dimcheck.exe
zip=$(ls "$PWD"/build-win/dimcheck-*-win64.zip)

# A native build of the test programs, apart from build/ so that the
# native suite never depends on a Windows build.
cmake -S . -B build-wine -DCMAKE_BUILD_TYPE=Release \
    -DDIMCHECK_WINE_EXE="$exe" -DDIMCHECK_WINE_ZIP="$zip" >/dev/null
cmake --build build-wine -j2 --target dimcheck dimcheck_wine_tests
ctest --test-dir build-wine -L wine -j2 --output-on-failure

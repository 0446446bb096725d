#!/usr/bin/env bash
# The Windows suite: cross-builds dimcheck.exe, then runs the end-to-end
# cases, the Windows-only cases and the Linux/Windows comparison under Wine.
# Skipped, and said so, when the cross compiler or Wine is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

missing=()
for tool in x86_64-w64-mingw32-g++ x86_64-w64-mingw32-objdump wine wineserver wineboot; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if [ ${#missing[@]} -ne 0 ]; then
    echo "Windows suite skipped: ${missing[*]} not found" \
        "(apt-get install g++-mingw-w64-x86-64 mingw-w64 wine wine64)"
    exit 0
fi

cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_TESTS=OFF >/dev/null
cmake --build build-win -j2
exe=$PWD/build-win/dimcheck.exe

# A native build of the test programs, apart from build/ so that the
# native suite never depends on a Windows build.
cmake -S . -B build-wine -DCMAKE_BUILD_TYPE=Release \
    -DDIMCHECK_WINE_EXE="$exe" >/dev/null
cmake --build build-wine -j2 --target dimcheck dimcheck_wine_tests
ctest --test-dir build-wine -L wine -j2 --output-on-failure

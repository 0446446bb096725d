#!/usr/bin/env bash
# Cross-builds dimcheck.exe with MinGW-w64 in build-win/ and packs the
# Windows ZIP: build-win/dimcheck-<version>-win64.zip (the program, the host
# registration file dimcheck.bat, readme.txt and LICENSE.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_TESTS=OFF >/dev/null
cmake --build build-win -j2
(cd build-win && cpack -G ZIP >/dev/null)
ls build-win/dimcheck-*-win64.zip

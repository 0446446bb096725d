#!/usr/bin/env bash
# Builds the fuzz target with clang in build-fuzz/ and runs it for SECONDS
# (default 60). The corpus in build-fuzz/corpus grows from run to run; it is
# seeded from the end-to-end cases, the sample drawing and fuzz/seeds, each
# under a few choices of the two leading option bytes (their bits are listed
# at the top of fuzz/run_fuzzer.cpp). A finding is saved in build-fuzz/ as
# crash-*, leak-* or timeout-* and fails the script.
#   scripts/fuzz.sh [SECONDS]      JOBS=1 limits the build to one job
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDIMCHECK_FUZZ=ON -DDIMCHECK_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"${JOBS:-2}" --target dimcheck_fuzz

# Absolute paths: the target works in a scratch folder of its own.
out=$PWD/build-fuzz
corpus=$out/corpus
seeds=$out/seeds
mkdir -p "$corpus"
rm -rf "$seeds"
mkdir -p "$seeds"
n=0
for f in tests/e2e/cases/*/*/in samples/*.jwc fuzz/seeds/*; do
  [ -f "$f" ] || continue
  # trace level 0 / 1 / 2 / none; nothing / -e / -r / -e -r -n (0x08 -e, 0x10 -r,
  # 0x20 -n); magnification 1 / none / 10 / lower-case name
  for prefix in '\x00\x00' '\x09\x01' '\x12\x02' '\x3c\x81'; do
    { printf '%b' "$prefix"; cat "$f"; } >"$seeds/seed-$n"
    n=$((n + 1))
  done
done

"$out/dimcheck_fuzz" -max_total_time="$seconds" -max_len=12000 -timeout=60 \
  -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/" \
  -dict="$PWD/fuzz/dimcheck.dict" \
  "$corpus" "$seeds"

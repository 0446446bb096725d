#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz/ and runs each for SECONDS
# (default 60): the checker on exchange files, then the reader of .jww
# drawings. WHICH (default both) picks one: checker or reader. The corpora
# in build-fuzz/corpus and build-fuzz/jww-corpus grow from run to run. The
# checker's is seeded from the end-to-end cases, the sample drawing and
# fuzz/seeds, each under a few choices of the two leading option bytes (their
# bits are listed at the top of fuzz/run_fuzzer.cpp); the reader's from the
# host-saved fixtures and the test drawings (tests/jww/drawings, composed by
# jww_compose, which is built in build/ for it). A finding is saved in
# build-fuzz/ as crash-*, leak-*, oom-* or timeout-* and fails the script.
#   scripts/fuzz.sh [SECONDS] [WHICH]      JOBS=1 limits the builds to one job
set -euo pipefail
seconds=${1:-60}
which=${2:-both}
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DDIMCHECK_FUZZ=ON -DDIMCHECK_TESTS=OFF >/dev/null
cmake --build build-fuzz -j"${JOBS:-2}" --target dimcheck_fuzz dimcheck_read_fuzz

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

if [ "$which" != reader ]; then
  "$out/dimcheck_fuzz" -max_total_time="$seconds" -max_len=12000 -timeout=60 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$out/" \
    -dict="$PWD/fuzz/dimcheck.dict" \
    "$corpus" "$seeds"
fi
[ "$which" = checker ] && exit 0

# The reader: every drawing of at most 64 KiB as a seed (the large test
# drawings only repeat what the small ones hold). A read may take memory in
# proportion to the file, never more: the malloc limit is far above what a
# 64 KiB file may need and far below what a count or length taken on trust
# would ask for.
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_TESTS=ON >/dev/null
cmake --build build -j"${JOBS:-2}" --target jww_compose
jww_seeds=$out/jww-seeds
rm -rf "$jww_seeds"
mkdir -p "$jww_seeds" "$out/jww-corpus"
cp tests/jww/fixtures/*.jww "$jww_seeds/"
for d in tests/jww/drawings/*.txt; do
  build/tests/jww_compose "$d" "$jww_seeds/$(basename "$d" .txt).jww"
done
find "$jww_seeds" -size +64k -delete
"$out/dimcheck_read_fuzz" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=2048 -malloc_limit_mb=64 -print_final_stats=1 -artifact_prefix="$out/" \
  -dict="$PWD/fuzz/jww.dict" \
  "$out/jww-corpus" "$jww_seeds"

#!/usr/bin/env bash
# Builds the checker and runs it on the bundled sample drawing in a scratch
# folder, as the host would, then shows the status line in UTF-8. Arguments go
# to the checker: `scripts/demo.sh -e -r` also shows the explanations and the
# report.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-demo -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_TESTS=OFF >/dev/null
cmake --build build-demo -j2 --target dimcheck >/dev/null
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp samples/plan.jwc "$scratch/JWC_TEMP.TXT"
status=0
(cd "$scratch" && "$OLDPWD/build-demo/dimcheck" "$@" >trace.txt) || status=$?
echo "exit status: $status"
grep -a '^h#' "$scratch/JWC_TEMP.TXT" | iconv -f CP932 -t UTF-8
if [ $# -gt 0 ]; then
    grep -a '^ch .*"\*' "$scratch/JWC_TEMP.TXT" | iconv -f CP932 -t UTF-8 || true
    [ -f "$scratch/dimcheck.csv" ] && iconv -f CP932 -t UTF-8 "$scratch/dimcheck.csv" | tr -d '\r'
fi

#!/usr/bin/env bash
# Records what the built program does for one case folder (the format is at the
# top of tests/e2e/cases_test.cpp), for review by hand before it is committed;
# anything over 4 MiB is kept as its size and first and last KiB:
#   tests/e2e/record.sh build/dimcheck tests/e2e/cases/NAME
set -eu
exe=$(realpath "$1"); dir=$(realpath "$2"); repo=$(realpath "$(dirname "$0")/../..")
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
name=JWC_TEMP.TXT; [ -f "$dir/name" ] && name=$(head -n1 "$dir/name")
[ -d "$dir/before" ] && cp -r "$dir/before/." "$scratch/"
[ -f "$dir/in" ] && cp "$dir/in" "$scratch/$name"
[ -f "$dir/source" ] && cat "$repo/$(head -n1 "$dir/source")" >>"$scratch/$name"
[ -f "$dir/generate" ] && awk '{ n = $1; sub(/^[0-9]+ /, ""); for (i = 0; i < n; i++) print }' "$dir/generate" >"$scratch/$name"
limit=(); args=(); [ -f "$dir/args" ] && mapfile -t args <"$dir/args"
[ -f "$dir/setup" ] && while read -r word a b; do
    if [ "$word" = link ]; then ln -s "$b" "$scratch/$a"; else limit=(prlimit "--fsize=$a"); fi
done <"$dir/setup"
(cd "$scratch" && trap '' XFSZ && "${limit[@]}" "$exe" "${args[@]}" >.stdout 2>.stderr) && echo 0 >"$dir/status" || echo $? >"$dir/status"
for pair in expect:JWC_TEMP.TXT 'working:JWC_TEMP.$$$' report:dimcheck.csv stdout:.stdout stderr:.stderr; do
    e=${pair%%:*}; f=$scratch/${pair#*:}; rm -f "$dir/$e" "$dir/$e"-{size,head,tail}
    if [ ! -f "$f" ] || [ -L "$f" ] || { [ ! -s "$f" ] && [[ $e == std* ]]; }; then continue; fi
    if [ "$(stat -c %s "$f")" -le 4194304 ]; then cp "$f" "$dir/$e"; continue; fi
    stat -c %s "$f" >"$dir/$e-size"; head -c 1024 "$f" >"$dir/$e-head"; tail -c 1024 "$f" >"$dir/$e-tail"
done
echo "recorded $(basename "$dir"): status $(cat "$dir/status")"

#!/usr/bin/env bash
# Records what the built program does for one end-to-end case folder, so that
# a new case can be reviewed by hand before it is committed:
#   tests/e2e/record.sh build/dimcheck tests/e2e/cases/NAME
set -eu
exe=$(realpath "$1"); dir=$(realpath "$2")
scratch=$(mktemp -d); trap 'rm -rf "$scratch"' EXIT
name=JWC_TEMP.TXT; [ -f "$dir/name" ] && name=$(head -n1 "$dir/name")
[ -d "$dir/before" ] && cp "$dir/before/." -r "$scratch/"
[ -f "$dir/in" ] && cp "$dir/in" "$scratch/$name"
args=(); [ -f "$dir/args" ] && mapfile -t args < "$dir/args"
set +e; (cd "$scratch" && "$exe" "${args[@]}" >.stdout 2>.stderr); status=$?; set -e
echo "$status" > "$dir/status"
rm -f "$dir/expect" "$dir/working" "$dir/report" "$dir/stdout" "$dir/stderr"
[ -f "$scratch/JWC_TEMP.TXT" ] && cp "$scratch/JWC_TEMP.TXT" "$dir/expect"
[ -f "$scratch/JWC_TEMP.\$\$\$" ] && cp "$scratch/JWC_TEMP.\$\$\$" "$dir/working"
[ -f "$scratch/dimcheck.csv" ] && cp "$scratch/dimcheck.csv" "$dir/report"
[ -s "$scratch/.stdout" ] && cp "$scratch/.stdout" "$dir/stdout"
[ -s "$scratch/.stderr" ] && cp "$scratch/.stderr" "$dir/stderr"
echo "recorded $(basename "$dir"): status $status"

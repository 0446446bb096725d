#!/usr/bin/env bash
# Reproduces the figures of bench/README.md: builds the checker and the
# benchmark (Release, in build-bench/), generates the selections, times whole
# runs of the checker against cp of the same file, and runs the side-by-side
# benchmark of the literal and the fast end-point search.
#
#   bench/run.sh            everything (about a minute)
#   bench/run.sh --quick    fewer repetitions
set -euo pipefail
cd "$(dirname "$0")/.."

reps_small=41
reps_large=7
min_time=1
if [[ "${1:-}" == "--quick" ]]; then
    reps_small=11
    reps_large=3
    min_time=0.3
fi

build=build-bench
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_BENCH=ON -DDIMCHECK_TESTS=OFF \
    >/dev/null
cmake --build "$build" -j2 >/dev/null
exe="$PWD/$build/dimcheck"
gen="$PWD/$build/bench/dimcheck_gen"
bench="$PWD/$build/bench/dimcheck_bench"

echo "== machine"
echo "cpus: $(nproc); $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for kind in typical worst clustered repeated; do
    "$gen" "$kind" 1 >"$scratch/$kind.jwc" 2>>"$scratch/gen.txt"
done
cat "$scratch/gen.txt"
echo

# Microseconds since some point, from bash's own clock (no process started).
now_us() {
    local t=${EPOCHREALTIME/./}
    echo "$((10#$t))"
}

# Prints the minimum and the median of the numbers on standard input.
min_median() {
    sort -n | awk '{ v[NR] = $1 } END { printf "%.2f %.2f\n", v[1] / 1000, v[int((NR + 1) / 2)] / 1000 }'
}

# One whole run as the host makes it: the selection is copied in (timed, the
# cp figure), then the checker runs on it (timed) with its standard output
# going to `sink`.
echo "== whole runs (milliseconds of wall-clock time: minimum and median)"
printf "%-10s %7s %20s %20s %20s %8s\n" selection runs "cp" "checker >/dev/null" \
    "checker >file" "ratio"
cd "$scratch"
mkdir -p run
for kind in typical worst clustered repeated; do
    reps=$reps_large
    [[ "$kind" == typical ]] && reps=$reps_small
    : >cp.txt
    : >null.txt
    : >file.txt
    for ((i = 0; i < reps; i++)); do
        for sink in /dev/null file; do
            t0=$(now_us)
            (cd run && exec cp "../$kind.jwc" JWC_TEMP.TXT)
            t1=$(now_us)
            if [[ "$sink" == file ]]; then
                (cd run && exec "$exe" >trace.txt)
            else
                (cd run && exec "$exe" >/dev/null)
            fi
            t2=$(now_us)
            echo $((t1 - t0)) >>cp.txt
            if [[ "$sink" == file ]]; then echo $((t2 - t1)) >>file.txt; else echo $((t2 - t1)) >>null.txt; fi
        done
    done
    read -r cp_min cp_med < <(min_median <cp.txt)
    read -r null_min null_med < <(min_median <null.txt)
    read -r file_min file_med < <(min_median <file.txt)
    ratio=$(awk -v a="$null_min" -v b="$cp_min" 'BEGIN { printf "%.1f", a / b }')
    printf "%-10s %7d %9s %9s  %9s %9s  %9s %9s %7sx\n" "$kind" "$reps" "$cp_min" "$cp_med" \
        "$null_min" "$null_med" "$file_min" "$file_med" "$ratio"
done
echo "(ratio: fastest checker run to /dev/null over fastest cp; both are started"
echo " the same way, from a subshell that changes into the run folder)"
cd - >/dev/null
echo

# What the judging options of the shipped batch files cost: the same
# selections run without options and with -n -s, in turns, output to
# /dev/null. -s places the found points of every text on its own line; -n
# looks along the line of every plain text that found none.
echo "== whole runs without options and with -n -s (milliseconds: minimum and median)"
printf "%-10s %7s %20s %20s %8s\n" selection runs "no options" "-n -s" "ratio"
cd "$scratch"
for kind in worst clustered; do
    : >plain.txt
    : >span.txt
    for ((i = 0; i < reps_large; i++)); do
        for options in "" "-n -s"; do
            cp "$kind.jwc" run/JWC_TEMP.TXT
            t0=$(now_us)
            # shellcheck disable=SC2086 # the options are words of their own
            (cd run && exec "$exe" $options >/dev/null)
            t1=$(now_us)
            if [[ -z "$options" ]]; then echo $((t1 - t0)) >>plain.txt; else echo $((t1 - t0)) >>span.txt; fi
        done
    done
    read -r plain_min plain_med < <(min_median <plain.txt)
    read -r span_min span_med < <(min_median <span.txt)
    ratio=$(awk -v a="$span_min" -v b="$plain_min" 'BEGIN { printf "%.2f", a / b }')
    printf "%-10s %7d %9s %9s  %9s %9s %7sx\n" "$kind" "$reps_large" "$plain_min" "$plain_med" \
        "$span_min" "$span_med" "$ratio"
done
cd - >/dev/null
echo

echo "== end-point search, literal and fast, on the same state"
"$bench" --benchmark_min_time="$min_time"

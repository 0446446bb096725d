#!/usr/bin/env bash
# The folder check on a set of drawings: builds the checker and the set
# generator (Release, in build-bench/), generates 200 floor plan sheets into a
# temporary folder, times `dimcheck --check -n -s` over the whole set, then
# times the host run on the same selections, one process per layer group as
# the host would start them, and checks that both give the same report rows.
#
#   bench/check-set.sh            5 checks of the set, 3 rounds of host runs
#   bench/check-set.sh --quick    2 checks, 1 round
#
# DIMCHECK_BENCH_BUILD names another build folder (default build-bench).
set -euo pipefail
cd "$(dirname "$0")/.."

count=200
seed=1
reps_check=5
reps_host=3
if [[ "${1:-}" == "--quick" ]]; then
    reps_check=2
    reps_host=1
fi

build=${DIMCHECK_BENCH_BUILD:-build-bench}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DDIMCHECK_BENCH=ON -DDIMCHECK_TESTS=OFF \
    >/dev/null
cmake --build "$build" -j2 --target dimcheck dimcheck_drawing_set >/dev/null
exe="$PWD/$build/dimcheck"
gen="$PWD/$build/bench/dimcheck_drawing_set"

echo "== machine"
echo "cpus: $(nproc); $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //')"
echo "load average at start: $(cut -d' ' -f1-3 /proc/loadavg)"
echo

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cd "$scratch"

# Microseconds since some point, from bash's own clock (no process started).
now_us() {
    local t=${EPOCHREALTIME/./}
    echo "$((10#$t))"
}

# The minimum and the median of the microsecond counts on standard input, in
# seconds.
min_median() {
    sort -n | awk '{ v[NR] = $1 } END { printf "%.2f %.2f\n", v[1] / 1e6, v[int((NR + 1) / 2)] / 1e6 }'
}

# Shift-JIS (the report's and the summary's form) to UTF-8 for the terminal.
utf8() { iconv -f CP932 -t UTF-8; }

echo "== the set (seed $seed)"
"$gen" make set "$count" "$seed" | tee gen.txt
echo

echo "== dimcheck --check -n -s, the whole set ($reps_check runs)"
: >check-times.txt
: >check-sums.txt
for ((i = 0; i < reps_check; i++)); do
    status=0
    t0=$(now_us)
    "$exe" --check -n -s --out out set >check.txt 2>progress.txt || status=$?
    t1=$(now_us)
    echo $((t1 - t0)) >>check-times.txt
    # 1 is the status for a set with crosses, which this one has on purpose.
    if ((status > 1)); then echo "run $((i + 1)): exit status $status"; fi
    cat out/dimcheck.csv out/summary.csv | cksum >>check-sums.txt
done
cat check.txt
echo "exit status of the last run: $status"
echo "runs giving the same report and summary: $(sort check-sums.txt | uniq -c | sed 's/^ *//' | cut -d' ' -f1 | paste -sd/) of $reps_check"
echo "groups by state (summary.csv):"
tail -n +2 out/summary.csv | awk -F, '{ print $NF }' | tr -d '\r' | sort | uniq -c | utf8
read -r check_min check_med < <(min_median <check-times.txt)
echo "seconds: minimum $check_min, median $check_med"
echo

# The check writes, renames and removes a handful of files per group in its
# work folder under TMPDIR; where that folder lies on a disk, removing them
# can cost more than the checking (ext4 mounted with discard, for one).
shm_min=
if [[ -d /dev/shm && -w /dev/shm ]]; then
    echo "== the same with the work folder in memory (TMPDIR=/dev/shm)"
    : >shm-times.txt
    work=$(mktemp -d /dev/shm/dimcheck-set-XXXXXX)
    for ((i = 0; i < reps_check; i++)); do
        t0=$(now_us)
        TMPDIR="$work" "$exe" --check -n -s --out out set >/dev/null 2>&1 || true
        t1=$(now_us)
        echo $((t1 - t0)) >>shm-times.txt
    done
    rmdir "$work"
    read -r shm_min shm_med < <(min_median <shm-times.txt)
    echo "seconds: minimum $shm_min, median $shm_med"
    echo
fi

echo "== the same selections as host runs: dimcheck -n -s -r, one process each"
"$gen" selections set sel | tee sel.txt
selections=$(wc -l <sel/list.txt)
mkdir run
: >host-times.txt
: >host-rows.csv
: >host-status.txt
for ((rep = 0; rep < reps_host; rep++)); do
    total=0
    while read -r number group _; do
        cp "sel/$number.txt" run/JWC_TEMP.TXT
        rm -f run/dimcheck.csv
        status=0
        t0=$(now_us)
        (cd run && exec "$exe" -n -s -r >/dev/null 2>>../host-err.txt) || status=$?
        t1=$(now_us)
        total=$((total + t1 - t0))
        if ((rep == 0)); then
            echo "$status" >>host-status.txt
            # The report's rows without its header, each with its group, as
            # the folder check copies them.
            if [[ -f run/dimcheck.csv ]]; then
                awk -v g="$group" 'BEGIN { RS = "\r\n"; ORS = "\r\n" } NR > 1 { print $0 "," g }' \
                    run/dimcheck.csv >>host-rows.csv
            fi
        fi
    done <sel/list.txt
    echo "$total" >>host-times.txt
    echo "round $((rep + 1)): $(awk -v t="$total" 'BEGIN { printf "%.2f", t / 1e6 }') s"
done
echo "exit statuses: $(sort -n host-status.txt | uniq -c | sed 's/^ *//; s/ /× status /' | paste -sd,)"
if tail -n +2 out/dimcheck.csv | cmp -s - host-rows.csv; then
    echo "report rows: the same as the folder check's ($(wc -l <host-rows.csv) rows)"
else
    echo "report rows: DIFFERENT from the folder check's"
fi
read -r host_min host_med < <(min_median <host-times.txt)
echo "seconds (sum over the $selections runs): minimum $host_min, median $host_med"
echo

echo "== summary"
texts=$(sed -n 's/.*), texts \([0-9]*\):.*/\1/p' check.txt)
groups=$(sed -n 's/.*groups \([0-9]*\) (.*/\1/p' check.txt)
megabytes=$(sed -n 's/.*(\([0-9.]*\) MB)$/\1/p' gen.txt)
echo "drawings $count, layer groups $groups, texts $texts, $megabytes MB of drawings"
echo "--check of the whole set: $check_min s minimum, $check_med s median ($reps_check runs)"
if [[ -n "$shm_min" ]]; then
    echo "--check, work folder in memory: $shm_min s minimum, $shm_med s median"
fi
echo "host runs on the same $selections selections: $host_min s minimum, $host_med s median (rounds: $reps_host)"
awk -v c="$check_min" -v h="$host_min" -v n="$selections" \
    'BEGIN { printf "per selection: --check %.1f ms, host run %.1f ms (minima)\n", 1000 * c / n, 1000 * h / n }'
echo "load average at the end: $(cut -d' ' -f1-3 /proc/loadavg)"

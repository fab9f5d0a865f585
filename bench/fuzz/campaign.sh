#!/bin/sh
# The fuzz campaign: runs every libFuzzer target to a number of executions in a
# plain optimised build (clang, no sanitizer: the fastest a target runs), then
# replays what it grew under AddressSanitizer and UndefinedBehaviorSanitizer (a
# fault that only a sanitizer sees is caught there), minimises the grown corpus
# into tests/fuzz/corpus/<target>/ and prints per target: executions, exec/s,
# coverage, corpus size and crashes. A crash input is kept as crash-* in the
# work folder and named in the table; the campaign fails when there is one.
#
#   bench/fuzz/campaign.sh [executions per target, default 10000000] [targets...]
#
# VANTREL_FUZZ_SECONDS ends each target's run after that many seconds even
# when it has not reached its executions (a machine shared with other work).
# Environment: VANTREL_JOBS (build jobs, default 2), VANTREL_FUZZ_WORK (work
# folder, default build/fuzz-campaign; the grown corpora stay there), and
# VANTREL_CORPUS_MAX_LEN (the largest input tried and kept, default 4096 bytes:
# the kept corpus is replayed in every CI run and must stay small).
set -eu

execs="${1:-10000000}"
[ $# -gt 0 ] && shift
root="$(cd "$(dirname "$0")/../.." && pwd)"
jobs="${VANTREL_JOBS:-2}"
work="${VANTREL_FUZZ_WORK:-$root/build/fuzz-campaign}"
max_len="${VANTREL_CORPUS_MAX_LEN:-4096}"
plain="$root/build/fuzz-bench"
sanitized="$root/build/fuzz"

targets="$*"
[ -n "$targets" ] || targets=$(sed -n 's/^vantrel_fuzz_target(\([a-z_]*\) .*/\1/p' "$root/tests/fuzz/CMakeLists.txt")

# The two builds are configured as bench/fuzz/fuzz_throughput.sh and
# scripts/run-fuzzers.sh configure them, so the three share their folders.
configure() {  # build folder, sanitizer ON/OFF, build type, generator options
    folder=$1 sanitize=$2 type=$3
    shift 3
    cmake -S "$root" -B "$folder" "$@" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE="$type" \
        -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE="$sanitize" \
        -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_BENCH=OFF >/dev/null
    # shellcheck disable=SC2086
    cmake --build "$folder" -j"$jobs" --target $targets >/dev/null
}
echo "== building the targets: plain ($plain) and ASan+UBSan ($sanitized)"
date
configure "$plain" OFF Release -G Ninja
configure "$sanitized" ON RelWithDebInfo

mkdir -p "$work"
table="$work/table.txt"
printf '%-20s %12s %9s %7s %7s %16s %8s\n' target executions "exec/s" cov ft "kept (files)" crashes >"$table"
status=0
for target in $targets; do
    grown="$work/$target"
    kept="$root/tests/fuzz/corpus/$target"
    seeds="$root/tests/fuzz/seeds/$target"
    mkdir -p "$grown" "$kept"
    log="$work/$target.log"
    echo "== $target: $execs executions"
    crashes=0
    # shellcheck disable=SC2046
    if ! (cd "$work" && "$plain/bin/$target" -runs="$execs" -max_total_time="${VANTREL_FUZZ_SECONDS:-0}" \
            -max_len="$max_len" -timeout=20 -rss_limit_mb=2048 \
            -print_final_stats=1 -artifact_prefix="$work/$target-" "$grown" "$kept" \
            $([ -d "$seeds" ] && echo "$seeds") >"$log" 2>&1); then
        crashes=1
    fi
    # Under the sanitizers: every input grown and kept, each once.
    if ! (cd "$work" && "$sanitized/bin/$target" -runs=0 -timeout=60 -rss_limit_mb=4096 \
            -artifact_prefix="$work/$target-asan-" "$grown" "$kept" >"$work/$target-asan.log" 2>&1); then
        crashes=$((crashes + 1))
    fi
    # Minimise: only the inputs that reach code no other one reaches (edges,
    # not hit counts: the kept corpus is replayed in every CI run), none larger
    # than max_len.
    fresh="$work/$target-kept"
    small="$work/$target-small"
    rm -rf "$fresh" "$small" && mkdir -p "$fresh" "$small"
    find "$kept" "$grown" -type f -size -"$((max_len + 1))"c -exec cp {} "$small"/ \;
    "$plain/bin/$target" -merge=1 -use_counters=0 -timeout=20 "$fresh" "$small" >"$work/$target-merge.log" 2>&1 || true
    if [ "$(find "$fresh" -type f | wc -l)" -gt 0 ]; then
        # Regression inputs (named regress-*) stay whatever the merge thinks of them.
        find "$kept" -type f ! -name 'regress-*' -delete
        cp "$fresh"/* "$kept"/
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
    size="$(find "$kept" -type f -exec cat {} + | wc -c) B ($(find "$kept" -type f | wc -l))"
    printf '%-20s %12s %9s %7s %7s %16s %8s\n' "$target" "${runs:-?}" "${rate:-?}" "${cov:-?}" "${ft:-?}" \
        "$size" "$crashes" >>"$table"
    if [ "$crashes" -gt 0 ]; then
        status=1
        echo "== $target: CRASH, see $log, $work/$target-asan.log and $work/$target-*crash-*" >&2
    fi
done
cat "$table"
exit $status

#!/bin/sh
# Builds every libFuzzer target without sanitizers (clang, optimised), runs
# each for a while from its seeds and reports executions per second: what the
# fuzzers reach when nothing but the code under test costs time.
# scripts/run-fuzzers.sh runs the same targets with AddressSanitizer and
# UndefinedBehaviorSanitizer for finding faults.
#
#   bench/fuzz/fuzz_throughput.sh [seconds per target, default 20] [build folder]
set -eu

seconds="${1:-20}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${2:-$root/build/fuzz-bench}"
jobs="${VANTREL_JOBS:-2}"

cmake -S "$root" -B "$build" -G Ninja \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
    -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE=OFF \
    -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_BENCH=OFF >/dev/null
targets=$(sed -n 's/^vantrel_fuzz_target(\([a-z_]*\) .*/\1/p' "$root/tests/fuzz/CMakeLists.txt")
# shellcheck disable=SC2086
cmake --build "$build" -j"$jobs" --target $targets >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
printf '%-24s %14s %12s\n' target "exec/s" runs
for target in $targets; do
    corpus="$work/$target"
    mkdir -p "$corpus"
    seeds="$root/tests/fuzz/seeds/$target"
    [ -d "$seeds" ] && cp "$seeds"/* "$corpus"/
    log="$work/$target.log"
    (cd "$work" && "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 -timeout=20 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus" >"$log" 2>&1) || {
        echo "$target failed (log follows)" >&2
        tail -30 "$log" >&2
        exit 1
    }
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    printf '%-24s %14s %12s\n' "$target" "$rate" "$runs"
done

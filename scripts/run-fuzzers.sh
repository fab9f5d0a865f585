#!/bin/sh
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) in their own build folder, replays each
# target's kept corpus (tests/fuzz/corpus/<target>) and runs each for a
# bounded time. Fails when a kept input or a new one crashes.
#
#   scripts/run-fuzzers.sh [seconds per target, default 60] [build folder]
set -eu

seconds="${1:-60}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${2:-$root/build/fuzz}"
jobs="${VANTREL_JOBS:-2}"
targets="fuzz_program_text fuzz_io_names fuzz_link_replies fuzz_sim_requests fuzz_sim_programs"

cmake -S "$root" -B "$build" \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link" \
    -DVANTREL_FUZZ=ON -DVANTREL_SANITIZE=ON \
    -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_BENCH=OFF
cmake --build "$build" -j"$jobs" --target $targets

status=0
for target in $targets; do
    corpus="$build/fuzz-corpus/$target"
    mkdir -p "$corpus"
    seeds="$root/tests/fuzz/seeds/$target"
    kept="$root/tests/fuzz/corpus/$target"
    # The kept corpus (what the fuzz campaign grew, and the inputs of faults
    # it found) first, each input once: a fault that comes back fails here.
    if [ -d "$kept" ]; then
        echo "== $target: replaying the $(find "$kept" -type f | wc -l) kept inputs"
        if ! (cd "$build" && "$build/bin/$target" -runs=0 -timeout=20 -rss_limit_mb=2048 "$kept" >"$build/$target-replay.log" 2>&1); then
            tail -40 "$build/$target-replay.log" >&2
            echo "== $target FAILED on a kept input (log in $build/$target-replay.log)" >&2
            status=1
            continue
        fi
    fi
    echo "== $target for ${seconds} s"
    if ! (cd "$build" && "$build/bin/$target" -max_total_time="$seconds" -max_len=65536 \
            -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 "$corpus" $( [ -d "$seeds" ] && echo "$seeds" ) \
            $( [ -d "$kept" ] && echo "$kept" )); then
        echo "== $target FAILED (crash input in $build)" >&2
        status=1
    fi
done
exit $status

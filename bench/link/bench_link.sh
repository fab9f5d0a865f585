#!/bin/sh
# Builds the link benchmark without sanitizers (Release) and runs it:
#   bench/link/bench_link.sh [--usb-fs] [--trace FILE] [rounds]
set -e
src=$(cd "$(dirname "$0")/../.." && pwd)
build=${VANTREL_BENCH_BUILD:-$src/build/bench}
cmake -S "$src" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j2 --target bench_link >/dev/null
"$build/bin/bench_link" "$@"

#!/usr/bin/env bash
# Installs what is missing, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test under them, then runs the
# link and simulator tests again under ThreadSanitizer, the Windows stage (a
# mingw-w64 cross build tested under Wine), builds the release build with
# warnings as errors and checks its Debian package, replays the kept fuzz
# corpus and runs the fuzzers for a bounded time. Any sanitizer report fails
# the run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)
# Short: each target first replays its kept corpus, what the long campaign reached.
fuzz_seconds=${VANTREL_FUZZ_SECONDS:-15}

bash scripts/install-deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1

echo "== build: AddressSanitizer + UndefinedBehaviorSanitizer (build/asan)"
cmake -S . -B build/asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_WERROR=ON >/dev/null
cmake --build build/asan -j"$jobs"

echo "== test: every test under ASan + UBSan"
ctest --test-dir build/asan --output-on-failure -j"$jobs" --timeout 300

echo "== build: ThreadSanitizer, the threaded parts (build/tsan)"
cmake -S . -B build/tsan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_TSAN=ON -DVANTREL_BUILD_GUI=OFF \
  -DVANTREL_BUILD_BENCH=OFF -DVANTREL_WERROR=ON >/dev/null
cmake --build build/tsan -j"$jobs" --target test_core_link test_core_platform test_sim test_e2e test_faults test_cli vantrel-cli
echo "== test: link, platform (background file writer), simulator, end-to-end, fault-matrix and command-line tests under TSan"
ctest --test-dir build/tsan --output-on-failure -j"$jobs" --timeout 300 -L 'core-link|core-platform|sim|e2e|faults|cli'

echo "== windows (mingw-w64 + wine): core tests, vantrel-cli.exe against the simulated controller, zip package"
bash scripts/test-windows.sh build/asan/bin

echo "== release build with warnings as errors (only what the package holds), its package and the package's check"
bash scripts/package.sh -DVANTREL_WERROR=ON

if [ -x scripts/run-fuzzers.sh ]; then
  echo "== fuzz: ${fuzz_seconds} s per target"
  bash scripts/run-fuzzers.sh "$fuzz_seconds"
fi

echo "== all tests passed ($root)"

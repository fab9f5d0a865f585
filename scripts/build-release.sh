#!/usr/bin/env bash
# Installs what is missing and builds the release build (build/release): the
# programs and their data files, no tests, no benchmarks. Extra arguments go
# to cmake's configure step (CI adds -DVANTREL_WERROR=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh

echo "== build: release (build/release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF \
  -DVANTREL_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build build/release -j"$jobs"

#!/usr/bin/env bash
# Installs what is missing, builds the release build and its Debian package
# (build/release/vantrel_<version>_amd64.deb), then checks the package:
# unpacked into a temporary folder, each program run, lintian.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh

echo "== build: release (build/release)"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_TESTS=OFF \
  -DVANTREL_BUILD_BENCH=OFF "$@" >/dev/null
cmake --build build/release -j"$jobs"
echo "== package"
rm -f build/release/vantrel_*.deb
(cd build/release && cpack -G DEB >/dev/null)
bash packaging/check-package.sh build/release/vantrel_*_amd64.deb

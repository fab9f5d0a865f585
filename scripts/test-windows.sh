#!/usr/bin/env bash
# The Windows stage: cross-builds the core tests and vantrel-cli.exe with
# mingw-w64 (build/win64), runs the tests under wine64 in a Wine prefix of its
# own (headless: no display is needed), then runs vantrel-cli.exe against
# vantrel-sim on a pseudo-terminal that the prefix sees as COM5 and compares
# every answer with the Linux vantrel-cli's, measures a disconnect while a
# read waits for a silent controller, and builds and tries the zip package.
#
#   scripts/test-windows.sh [folder of the Linux vantrel-sim and vantrel-cli, default build/asan/bin]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
linux_bin=$(cd "${1:-build/asan/bin}" && pwd)
build=$root/build/win64
jobs=$(nproc 2>/dev/null || echo 2)

bash scripts/install-deps.sh windows

wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
[ -x "$wine" ] || { echo "wine64 not found" >&2; exit 1; }
export WINEPREFIX=$build/wine WINEDEBUG=-all WINEARCH=win64
# No Mono, no Gecko (their installers would ask), no window of any kind.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
unset DISPLAY WAYLAND_DISPLAY

echo "== build: mingw-w64 cross build (build/win64)"
# Only what this stage runs: no GUI (no Qt here), no benchmarks.
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
  -DVANTREL_WERROR=ON -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j"$jobs"

echo "== wine: prefix $WINEPREFIX"
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
# The server and Wine's own services are started here, with their output
# dropped: they outlive the programs, and a service started by the first test
# would hold that test's output open, so ctest would wait for it in vain.
"$wineserver" -p 30 >/dev/null 2>&1 || true  # one may run already
trap '"$wineserver" -k 2>/dev/null || true' EXIT
if [ -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot >/dev/null 2>&1
else
  "$wine" wineboot --init >/dev/null 2>&1
fi

echo "== test: the core tests under wine64"
ctest --test-dir "$build" --output-on-failure -j"$jobs" --timeout 120

echo "== package: vantrel-cli for Windows"
package=$(bash scripts/package-windows.sh "$build")
echo "   $package"

echo "== test: vantrel-cli.exe on COM5 against vantrel-sim, beside the Linux vantrel-cli"
bash scripts/windows-e2e.sh "$linux_bin" "$build/bin" "$package"

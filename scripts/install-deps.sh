#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need;
# with "windows", those of the Windows stage instead (scripts/test-windows.sh:
# the mingw-w64 cross compiler, Wine, GoogleTest's sources).
# Idempotent: packages already present are not touched.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n qt6-tools-dev qt6-l10n-tools libgl-dev
  clang libclang-rt-14-dev
  xvfb xauth fonts-noto-cjk
  dpkg-dev file help2man librsvg2-bin lintian
)
if [ "${1:-}" = windows ]; then
  packages=(
    cmake ninja-build nlohmann-json3-dev
    g++-mingw-w64-x86-64-posix wine64 googletest
  )
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "== packages: all ${#packages[@]} present"
  exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "need root or sudo to install: ${missing[*]}" >&2; exit 1; }
  sudo=(sudo)
fi
echo "== packages: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"

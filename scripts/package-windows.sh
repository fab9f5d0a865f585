#!/usr/bin/env bash
# Packs vantrel-cli for Windows from a cross build: vantrel-cli-<version>-win64.zip
# in the build folder, holding vantrel-cli.exe (no DLL needed beside it), the
# data files it reads beside itself (initial.bin, Ncstepini.sys, IoName.txt)
# and its part of the README. Prints the zip's path.
#
#   scripts/package-windows.sh [cross build folder, default build/win64]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=$(cd "${1:-build/win64}" && pwd)

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no version in $build/CMakeCache.txt" >&2; exit 1; }
name=vantrel-cli-$version-win64
stage=$build/package/$name
rm -rf "$build/package"
mkdir -p "$stage"
for f in vantrel-cli.exe initial.bin Ncstepini.sys IoName.txt; do
  cp "$build/bin/$f" "$stage/"
done
# The README's sections on the command-line tool and on Windows, with
# Windows line ends for Notepad.
awk '/^## /{keep = ($0 ~ /^## (vantrel-cli|Building on Windows)/)} keep' "$root/README.md" |
  sed 's/$/\r/' >"$stage/README.txt"
rm -f "$build/$name.zip"
(cd "$build/package" && cmake -E tar cf "$build/$name.zip" --format=zip "$name")
echo "$build/$name.zip"

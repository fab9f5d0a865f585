#!/bin/sh
# Checks a built package as a user would meet it, without installing it: the
# package unpacked into a temporary folder, each program's --version, and
# vantrel-cli listing the packaged default programs (which it can only do when
# it finds initial.bin in the unpacked share/vantrel), then lintian, which must
# report no error.
#
#   packaging/check-package.sh PACKAGE.deb
set -eu

deb="$1"
version=$(dpkg-deb -f "$deb" Version)
unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
bin="$unpacked/usr/bin"
share="$unpacked/usr/share/vantrel"

fail() { echo "package check: $*" >&2; exit 1; }

for program in vantrel vantrel-cli vantrel-sim; do
    [ -x "$bin/$program" ] || fail "$program is missing"
    got=$(QT_QPA_PLATFORM=offscreen "$bin/$program" --version) || fail "$program --version failed"
    [ "$got" = "$program $version" ] || fail "$program --version printed \"$got\", not \"$program $version\""
    echo "  $got"
done
for file in initial.bin Ncstepini.sys IoName.txt VANTREL.bmp; do
    [ -s "$share/$file" ] || fail "$file is missing in share/vantrel"
done

# Run from elsewhere, so nothing beside the working folder helps.
listing=$(cd / && "$bin/vantrel-cli" list "$share/Ncstepini.sys") || fail "vantrel-cli list of the packaged programs failed"
steps=$(printf '%s\n' "$listing" | grep -c .)
[ "$steps" -gt 10 ] || fail "vantrel-cli list printed only $steps lines"
echo "  vantrel-cli list: $steps lines of the default programs"

# lintian: warnings are allowed, errors are not (it exits non-zero on errors).
lintian --allow-root --tag-display-limit 0 "$deb" || fail "lintian reports errors"
echo "== package check passed: $deb"

#!/usr/bin/env bash
# Installs what is missing, builds the release build and its Debian package
# (build/release/vantrel_<version>_amd64.deb), then checks the package:
# unpacked into a temporary folder, each program run, lintian. Extra
# arguments go to cmake's configure step.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-release.sh "$@"
echo "== package"
rm -f build/release/vantrel_*.deb
(cd build/release && cpack -G DEB >/dev/null)
bash packaging/check-package.sh build/release/vantrel_*_amd64.deb

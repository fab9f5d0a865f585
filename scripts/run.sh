#!/usr/bin/env bash
# Installs what is missing, builds the program (release) and starts it against
# the built-in simulated controller. Extra arguments go to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/build-release.sh

bin=build/release/bin
if [ ! -x "$bin/vantrel" ]; then
  echo "The desktop program is not part of this build yet. Built so far in $bin:"
  ls "$bin"
  exit 1
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY is not set). Start it inside a desktop session, or try:"
  echo "  xvfb-run -a $bin/vantrel --demo"
  exit 1
fi
echo "== starting $bin/vantrel --demo $*"
exec "$bin/vantrel" --demo "$@"

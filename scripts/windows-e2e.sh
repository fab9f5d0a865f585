#!/usr/bin/env bash
# vantrel-cli.exe under Wine against the simulated controller: vantrel-sim
# serves a pseudo-terminal, the Wine prefix sees it as COM5, and each command
# runs twice, with the Linux vantrel-cli on the pseudo-terminal and with
# vantrel-cli.exe on COM5. Their output, exit status and files must be the
# same bytes. Then the disconnect while a read waits for a silent controller
# is timed on Windows (a second simulated controller that does not answer
# status polls, as COM6). Last, the zip package is unpacked into an empty
# Wine prefix of its own, where vantrel-cli.exe tells its version and
# identifies the controller on COM5.
#
#   scripts/windows-e2e.sh LINUX_BIN WINDOWS_BIN PACKAGE.zip
# with WINEPREFIX set to a prefix made by wineboot (scripts/test-windows.sh).
set -euo pipefail
linux_bin=$1
windows_bin=$2
package=$3
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=wineserver
: "${WINEPREFIX:?the Wine prefix}"

work=$(mktemp -d "${TMPDIR:-/tmp}/vantrel-windows-e2e-XXXXXX")
sims=()
cleanup() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -f "$WINEPREFIX/dosdevices/com5" "$WINEPREFIX/dosdevices/com6"
  if [ -d "$work/prefix" ]; then WINEPREFIX=$work/prefix "$wineserver" -k 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Starts vantrel-sim with the given options and maps its pseudo-terminal to
# the Wine device $1 (com5); sets $port to the Linux port name.
start_sim() {
  local device=$1 log=$work/sim-$1.log
  shift
  "$linux_bin/vantrel-sim" "$@" </dev/null >"$log" 2>&1 &
  sims+=($!)
  for _ in $(seq 100); do grep -q '^device: ' "$log" && break; sleep 0.05; done
  port=$(sed -n 's/^port: //p' "$log")
  [ -n "$port" ] || { echo "vantrel-sim did not start:" >&2; cat "$log" >&2; exit 1; }
  ln -sfn "$(sed -n 's/^device: //p' "$log")" "$WINEPREFIX/dosdevices/$device"
}

start_sim com5
mkdir -p "$work/linux" "$work/windows"
# A program file named in Japanese: the name must reach the Windows file calls whole.
program=プログラム.ncp
cp "$linux_bin/Ncstepini.sys" "$work/linux/$program"
cp "$linux_bin/Ncstepini.sys" "$work/windows/$program"

failures=0
# Runs one command both ways in the two folders; compares what they print
# and their exit status, and the files named after the command.
both() {
  local what=$1 files=$2
  shift 2
  (cd "$work/linux" && set +e; "$linux_bin/vantrel-cli" "$@" --port "$port" >out.txt 2>err.txt; echo "exit $?" >>out.txt)
  (cd "$work/windows" && set +e; "$wine" "$windows_bin/vantrel-cli.exe" "$@" --port COM5 >out.txt 2>err.txt
   echo "exit $?" >>out.txt)
  local verdict=same
  cmp -s "$work/linux/out.txt" "$work/windows/out.txt" || verdict=different
  for f in $files; do cmp -s "$work/linux/$f" "$work/windows/$f" || verdict="different ($f)"; done
  grep -q '^exit 0$' "$work/linux/out.txt" || verdict="failed on Linux"
  echo "   $what: $verdict ($(wc -c <"$work/windows/out.txt") bytes of output${files:+, $files})"
  if [ "$verdict" != same ]; then
    failures=$((failures + 1))
    diff "$work/linux/out.txt" "$work/windows/out.txt" | head -20 || true
    cat "$work/windows/err.txt" | head -5
  fi
}

both identify "" identify
both read-settings "settings.bin programs.ncp" read-settings -o settings.bin --programs programs.ncp
both write-settings "" write-settings settings.bin
both compile "" compile "$program"
both status "" status --settings settings.bin

# The port list tries COM1..COM256 on Windows: the simulated controller's port is among them.
ports=$("$wine" "$windows_bin/vantrel-cli.exe" ports | tr -d '\r' | tr '\n' ' ')
if [[ " $ports" == *" COM5 "* ]]; then
  echo "   ports: ${ports% }"
else
  echo "   ports: COM5 missing from \"$ports\""
  failures=$((failures + 1))
fi

echo "   disconnect while a read waits (Windows):"
printf 'fault no-reply 170\n' >"$work/silent.txt"
start_sim com6 --script "$work/silent.txt"
"$wine" "$windows_bin/disconnect_while_reading.exe" COM6 5 | sed 's/^/   /' || failures=$((failures + 1))

echo "   the package in an empty Wine prefix:"
main_prefix=$WINEPREFIX
export WINEPREFIX=$work/prefix
"$wineserver" -p 30 >/dev/null 2>&1 || true  # one may run already
"$wine" wineboot --init >/dev/null 2>&1
ln -sfn "$(readlink "$main_prefix/dosdevices/com5")" "$WINEPREFIX/dosdevices/com5"
unpacked=$WINEPREFIX/drive_c/vantrel
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$package")
exe=$(ls "$unpacked"/*/vantrel-cli.exe)
version=$("$wine" "$exe" --version)
identified=$("$wine" "$exe" identify --port COM5) || identified="(exit status $?)"
expected=$(cd "$work/linux" && "$linux_bin/vantrel-cli" identify --port "$port")
if [ "$version" = "$("$linux_bin/vantrel-cli" --version)" ] && [ "$identified" = "$expected" ]; then
  echo "   $(basename "$package"): $version; identify: same"
else
  echo "   $(basename "$package"): \"$version\", identify: \"$identified\" (Linux: \"$expected\")"
  failures=$((failures + 1))
fi
"$wineserver" -k 2>/dev/null || true
export WINEPREFIX=$main_prefix

[ "$failures" -eq 0 ] || { echo "windows end-to-end: $failures failed" >&2; exit 1; }
echo "   windows end-to-end: all passed"

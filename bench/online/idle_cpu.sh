#!/bin/sh
# CPU time of whole runs of online_idle_run: the simulated controller and the
# link polling it, alone and with one online window open and idle (nothing
# changes), over SECONDS each. The window's own share is the difference.
#   bench/online/idle_cpu.sh BUILD_DIR [SECONDS]
# Prints user + system seconds and the share of one core. Run it on a release
# build; under xvfb-run when QT_QPA_PLATFORM is not set.
set -e
build=${1:?build folder}
seconds=${2:-30}
cmake --build "$build" --target online_idle_run -j2 >/dev/null
program=$build/bin/online_idle_run
run() {
    if [ -n "${QT_QPA_PLATFORM:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1600x1000x24" "$@"; fi
}
for window in none status status-trend io alarm; do
    out=$(run /usr/bin/time -f "%U %S %e" "$program" --window "$window" --seconds "$seconds" 2>&1 >/dev/null | tail -1)
    echo "$out" | awk -v w="$window" '{ printf "%-13s user %6.2f s  system %6.2f s  wall %6.2f s  cpu %5.2f %% of one core\n", w, $1, $2, $3, 100 * ($1 + $2) / $3 }'
done

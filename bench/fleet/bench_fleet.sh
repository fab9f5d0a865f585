#!/usr/bin/env bash
# Times vantrel-cli write-settings to a line of 1, 4 and 8 simulated
# controllers that answer at the pace of a USB full-speed controller
# (vantrel-sim --usb-fs), whole runs of the tool from start to exit, and
# reports each time against the one-controller time. The ports run at the same
# time, so the line should cost about what one controller costs.
#
#   bench/fleet/bench_fleet.sh [rounds, default 3] [build folder]
set -euo pipefail

rounds="${1:-3}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${2:-${VANTREL_BENCH_BUILD:-$root/build/bench}}"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DVANTREL_BUILD_GUI=OFF -DVANTREL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"${VANTREL_JOBS:-2}" --target vantrel-cli vantrel-sim >/dev/null
cli="$build/bin/vantrel-cli"
sim="$build/bin/vantrel-sim"

work=$(mktemp -d)
pids=()
stop_sims() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null || true; done
    pids=()
}
trap 'stop_sims; rm -rf "$work"' EXIT

# Starts n paced controllers; their port names go to the array `ports`.
start_sims() {
    ports=()
    for i in $(seq 1 "$1"); do
        "$sim" --usb-fs </dev/null >"$work/sim$i.out" 2>&1 &
        pids+=($!)
    done
    for i in $(seq 1 "$1"); do
        for _ in $(seq 1 100); do
            grep -q '^port: ' "$work/sim$i.out" 2>/dev/null && break
            sleep 0.05
        done
        ports+=("$(sed -n 's/^port: //p' "$work/sim$i.out")")
    done
}

now() { date +%s.%N; }

# The settings the line is provisioned with: those of a controller as it starts.
start_sims 1
"$cli" read-settings --port "${ports[0]}" -o "$work/reference.bin" >/dev/null
stop_sims

printf '%-6s %10s %10s %8s\n' ports "best s" "median s" "x 1 port"
one=""
for n in 1 4 8; do
    start_sims "$n"
    args=()
    for p in "${ports[@]}"; do args+=(--port "$p"); done
    times=()
    for _ in $(seq 1 "$rounds"); do
        begin=$(now)
        "$cli" write-settings "${args[@]}" "$work/reference.bin" >/dev/null 2>"$work/err.txt" || {
            cat "$work/err.txt" >&2
            exit 1
        }
        times+=("$(awk -v end="$(now)" -v begin="$begin" 'BEGIN { printf "%.6f", end - begin }')")
    done
    stop_sims
    sorted=$(printf '%s\n' "${times[@]}" | sort -g)
    best=$(echo "$sorted" | head -n1)
    median=$(echo "$sorted" | sed -n "$(((rounds + 1) / 2))p")
    [ -z "$one" ] && one=$median
    printf '%-6s %10.3f %10.3f %8.2f\n' "$n" "$best" "$median" "$(awk -v m="$median" -v o="$one" 'BEGIN { print m / o }')"
done

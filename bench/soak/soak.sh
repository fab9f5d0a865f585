#!/usr/bin/env bash
# The soak: an hour (or any number of minutes) of use of the desktop program,
# measured from outside. The program runs offscreen against its built-in
# simulated controller (--demo), driven through its hidden --test-driver
# input: connected, the status monitor with its trend, the I/O monitor and the
# network monitor open, the default programs running in automatic run, and in
# every cycle (a few seconds) a JOG, a compile, an edit, a settings file
# written and read back (and sent to the controller), then the programs
# started again. Each second it samples the process' resident memory, CPU
# time, open file descriptors and threads.
#
# It fails when an operation fails, or when after the warm-up (a sixth of the
# run, 1 to 5 minutes) the resident memory rises more than 5 MB over its
# warm-up level, or the descriptors or threads over theirs at all (a level is
# the highest value seen in the warm-up).
#
#   bench/soak/soak.sh [minutes, default 10; 60 for the release soak] [build folder, default build/release]
#
# The samples (seconds rss_kb cpu_percent fds threads) stay in
# build/soak/samples.txt, what the program said in build/soak/driver.log
# (VANTREL_SOAK_WORK names another folder, for two soaks at once).
set -euo pipefail

minutes="${1:-10}"
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="${2:-$root/build/release}"
program="$build/bin/vantrel"
work="${VANTREL_SOAK_WORK:-$root/build/soak}"
rss_margin_kb=5120

[ -x "$program" ] || bash "$root/scripts/build-release.sh"

rm -rf "$work"
mkdir -p "$work/data" "$work/config"
total=$((minutes * 60))
warmup=$((total / 6))
[ "$warmup" -lt 60 ] && warmup=60
[ "$warmup" -gt 300 ] && warmup=300

# A per-user folder of its own: no lock, recovery copy or com.ini of a real session.
coproc GUI {
    exec env QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
        "$program" --demo --test-driver 2>"$work/stderr.log"
}
pid=$GUI_PID
to_gui=${GUI[1]}
from_gui=${GUI[0]}

sampler() {
    local ticks start=$SECONDS last_cpu=0 cpu now
    ticks=$(getconf CLK_TCK)
    while [ -d "/proc/$pid" ]; do
        local rss threads fds
        rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) || break
        threads=$(awk '/^Threads:/ { print $2 }' "/proc/$pid/status" 2>/dev/null) || break
        fds=$(find "/proc/$pid/fd" -mindepth 1 -maxdepth 1 2>/dev/null | wc -l)
        # utime + stime, fields 14 and 15 after the command name.
        cpu=$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null | awk '{ print $12 + $13 }') || break
        now=$((SECONDS - start))
        [ -n "$rss" ] && echo "$now $rss $(((cpu - last_cpu) * 100 / ticks)) $fds $threads"
        last_cpu=$cpu
        sleep 1
    done
}
sampler >"$work/samples.txt" &
sampler_pid=$!

operations=0
failure=""
finish() {
    kill "$sampler_pid" 2>/dev/null || true
    if kill -0 "$pid" 2>/dev/null; then
        # Quit without writing FLASH (the edits were the soak's own).
        printf 'answer yes\nquit\n' >&"$to_gui" 2>/dev/null || true
        sleep 2
        kill "$pid" 2>/dev/null || true
    fi
}
trap finish EXIT

# Sends one command and waits for its "done" line; any other ending fails the soak.
run() {
    local line
    echo "$*" >&"$to_gui"
    while IFS= read -r -t 120 line <&"$from_gui"; do
        echo "$line" >>"$work/driver.log"
        case "$line" in
        "done $1") operations=$((operations + 1)); return 0 ;;
        done*|unknown*) failure="$* -> $line"; return 1 ;;
        esac
    done
    failure="$* -> no answer within 120 s"
    return 1
}
answer() { echo "answer $1" >&"$to_gui"; }

echo "== soak: $minutes min (warm-up $warmup s), pid $pid, samples in $work/samples.txt"
answer no   # keep the current settings before the read
# Axis 1 gets a driver model, as a user connects one: the test-operation window offers only such axes.
run connect && run edit-cell 4 1 1 QS && run open-monitors && run mode 2 && run start ||
    { echo "soak: FAILED at start: $failure" >&2; exit 1; }

cycles=0
settings="$work/soak-settings.bin"
while [ "$SECONDS" -lt "$total" ] && [ -z "$failure" ]; do
    sleep 3  # the programs run
    direction=$((cycles % 2 == 0 ? 1 : -1))
    run mode 0 &&
        run jog $((direction * 5)) &&
        run compile &&
        run edit-cell 10 1500 2 "$((100 + cycles % 50)).25" &&
        run save-settings "$settings" &&
        { answer no; run open-settings "$settings"; } &&
        run mode 2 &&
        run start || break
    cycles=$((cycles + 1))
done
finish
trap - EXIT
wait "$sampler_pid" 2>/dev/null || true

if [ -n "$failure" ]; then
    echo "soak: FAILED after $cycles cycles: $failure (see $work/driver.log, $work/stderr.log)" >&2
    exit 1
fi

# The figures, and the growth over the warm-up levels.
awk -v warmup="$warmup" -v margin="$rss_margin_kb" -v cycles="$cycles" -v ops="$operations" '
    $1 < warmup {
        if ($2 > wrss) wrss = $2; if ($4 > wfds) wfds = $4; if ($5 > wthr) wthr = $5
        next
    }
    {
        n++; cpu += $3; last = $2
        if ($2 > rss) rss = $2; if ($4 > fds) fds = $4; if ($5 > thr) thr = $5
    }
    END {
        printf "soak: %d cycles, %d operations, %d s sampled after a %d s warm-up\n", cycles, ops, n, warmup
        printf "  RSS      warm-up %7.1f MB   highest after %7.1f MB   last %7.1f MB   growth %+6.1f MB (limit +%.1f)\n",
            wrss / 1024, rss / 1024, last / 1024, (rss - wrss) / 1024, margin / 1024
        printf "  fds      warm-up %5d   highest after %5d\n", wfds, fds
        printf "  threads  warm-up %5d   highest after %5d\n", wthr, thr
        printf "  CPU      %.1f %% of one core on average after the warm-up\n", n ? cpu / n : 0
        bad = n == 0 || rss - wrss > margin || fds > wfds || thr > wthr
        print bad ? "soak: FAILED (growth over the warm-up level)" : "soak: passed"
        exit bad
    }' "$work/samples.txt"

#!/bin/sh
# Saves pictures of VANTREL with its built-in simulated controller: starts
# `vantrel --demo` under a virtual X server, connects, reads the controller's
# settings and saves the main window, the progress window, the dialogs and the
# online windows (monitor menu, status monitor with its trend during a JOG,
# I/O monitor, I/O test and its axis output tests, alarm monitor, the
# test-operation window on a pulse axis and on a network driver, the network
# monitor and the network register test), the 通信 menu with its trace item and
# the message that says where the trace goes; then the
# program editor, its palette pages, the program list and a compile error;
# then the flow-control, I/O, timer, counter and calculation editors; then every
# motion command editor on a new and on an existing step.
#
#   scripts/screenshots.sh [BUILD_DIR] [OUTPUT_DIR] [ja|en]
#
# BUILD_DIR defaults to build/release (scripts/run.sh builds it), OUTPUT_DIR to docs/screenshots; the
# windows of the tour speak the language given (default ja; the program editor's picture makers speak
# Japanese), and in English every text of the system they still show in Japanese is reported. Needs
# xvfb-run (package xvfb) and a Japanese font (fonts-noto-cjk).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/release}
out=${2:-$here/docs/screenshots}
language=${3:-ja}
program=$build/bin/vantrel

if [ ! -x "$program" ]; then
    echo "screenshots.sh: $program not found; build the 'vantrel' target first" >&2
    exit 1
fi
if ! command -v xvfb-run >/dev/null 2>&1; then
    echo "screenshots.sh: xvfb-run not found (install the xvfb package)" >&2
    exit 1
fi

# A run of its own: the user's com.ini, profile and lock stay untouched.
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data" "$home/config" "$home/runtime"
chmod 700 "$home/runtime"
mkdir -p "$out"
out=$(cd "$out" && pwd)

XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} \
    xvfb-run -a -s "-screen 0 1280x1024x24" "$program" --lang "$language" --screenshot-dir "$out"

# Runs one of the picture makers built with the benchmarks, against a
# simulated controller of its own; a maker not built is named and skipped.
run_maker() {
    local target=$1 what=$2
    local maker=$build/bin/$target
    if [ ! -x "$maker" ]; then
        echo "screenshots.sh: $maker not found; build the '$target' target for $what" >&2
        return
    fi
    XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$maker" "$out"
}

run_maker program_view_shots "the program editor's pictures"
# The default programs running in automatic run: the program editor with the
# running step beside the status monitor.
run_maker program_run_shots "the running program's picture"
# The motion command editors, opened through the program view.
run_maker motion_editor_shots "the motion editors' pictures"

for picture in main-window.png progress-window.png monitor-menu.png status-monitor.png io-monitor.png io-test.png \
    pulse-output-test.png rivo-output-test.png alarm-monitor.png jog-pulse-axis.png jog-network-driver.png \
    rivo-status-monitor.png register-test.png link-menu.png trace-started-message.png; do
    if [ ! -s "$out/$picture" ]; then
        echo "screenshots.sh: $picture was not saved" >&2
        exit 1
    fi
done
echo "screenshots saved in $out:"
ls "$out"

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
#   scripts/screenshots.sh [BUILD_DIR] [OUTPUT_DIR]
#
# BUILD_DIR defaults to build/release (scripts/run.sh builds it), OUTPUT_DIR to docs/screenshots. Needs
# xvfb-run (package xvfb) and a Japanese font (fonts-noto-cjk).
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/release}
out=${2:-$here/docs/screenshots}
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
    xvfb-run -a -s "-screen 0 1280x1024x24" "$program" --screenshot-dir "$out"

# The program editor's pictures come from a maker of their own (built with the
# benchmarks: the target program_view_shots), against a simulated controller.
shots=$build/bin/program_view_shots
if [ -x "$shots" ]; then
    XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$shots" "$out"
else
    echo "screenshots.sh: $shots not found; build the 'program_view_shots' target for the program editor's pictures" >&2
fi

# The default programs running in automatic run: the program editor with the
# running step beside the status monitor (target program_run_shots).
shots=$build/bin/program_run_shots
if [ -x "$shots" ]; then
    XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$shots" "$out"
else
    echo "screenshots.sh: $shots not found; build the 'program_run_shots' target for the running program's picture" >&2
fi

# The motion command editors, opened through the program view (target motion_editor_shots).
shots=$build/bin/motion_editor_shots
if [ -x "$shots" ]; then
    XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} QT_QPA_PLATFORM=xcb \
        xvfb-run -a -s "-screen 0 1600x1000x24" "$shots" "$out"
else
    echo "screenshots.sh: $shots not found; build the 'motion_editor_shots' target for the motion editors' pictures" >&2
fi

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

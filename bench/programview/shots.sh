#!/bin/sh
# Saves pictures of the program editor, drawn on a virtual X display, with
# per-user folders of their own.
#   bench/programview/shots.sh BUILD_DIR [FOLDER]   (FOLDER defaults to BUILD_DIR/program-shots)
set -e
build=${1:?build folder}
folder=${2:-$build/program-shots}
cmake --build "$build" --target program_view_shots -j2
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/data" "$home/config" "$home/runtime"
chmod 700 "$home/runtime"
XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} QT_QPA_PLATFORM=xcb \
    xvfb-run -a -s "-screen 0 1600x1000x24" "$build/bin/program_view_shots" "$folder"

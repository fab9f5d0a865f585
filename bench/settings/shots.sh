#!/bin/sh
# Saves a picture of every settings view, drawn on a virtual X display.
#   bench/settings/shots.sh BUILD_DIR [FOLDER]   (FOLDER defaults to BUILD_DIR/settings-shots)
set -e
build=${1:?build folder}
folder=${2:-$build/settings-shots}
cmake --build "$build" --target settings_view_shots -j2
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" "$build/bin/settings_view_shots" "$folder"

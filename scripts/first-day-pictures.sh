#!/bin/sh
# Takes pictures of a new user's first day with VANTREL and its built-in
# simulated controller on two screen sizes (1600 x 1000 and 1366 x 768): the
# whole screen under a virtual X server with a window manager (openbox), as a
# user sees it. On each screen it connects and reads the controller's settings,
# shows the program editor with its palette, starts the automatic run with the
# status monitor open, and opens the test-operation window in edit-test mode.
#
#   scripts/first-day-pictures.sh [BUILD_DIR] [OUTPUT_DIR]
#
# BUILD_DIR defaults to build/release, OUTPUT_DIR to docs/screenshots. Needs
# Xvfb, openbox, xdotool, xwininfo, ImageMagick's import and a Japanese font.
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/release}
out=${2:-$here/docs/screenshots}
program=$build/bin/vantrel
for tool in Xvfb openbox xdotool xwininfo import; do
    if ! command -v $tool >/dev/null 2>&1; then
        echo "first-day-pictures.sh: $tool not found" >&2
        exit 1
    fi
done
if [ ! -x "$program" ]; then
    echo "first-day-pictures.sh: $program not found; build the 'vantrel' target first" >&2
    exit 1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
pids=""
stop() {
    for pid in $pids; do kill "$pid" 2>/dev/null || true; done
    pids=""
}
trap 'stop; rm -rf "$work"' EXIT

# The window of that name (the newest), waiting for it to appear.
window() {
    for _ in $(seq 50); do
        id=$(xdotool search --name "$1" 2>/dev/null | tail -1)
        if [ -n "$id" ]; then echo "$id"; return; fi
        sleep 0.2
    done
    echo "first-day-pictures.sh: no window \"$1\"" >&2
    exit 1
}

# Clicks at x, y inside a window (its frame not counted).
click() {
    x=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left X: *//p')
    y=$(xwininfo -id "$1" | sed -n 's/.*Absolute upper-left Y: *//p')
    xdotool mousemove $((x + $2)) $((y + $3)) click 1
}

picture() {
    sleep "${2:-2}"
    import -window root "$out/first-day-$size-$1.png"
}

for size in 1600x1000 1366x768; do
    home=$work/$size
    mkdir -p "$home/data" "$home/config" "$home/runtime"
    chmod 700 "$home/runtime"
    Xvfb -displayfd 3 -screen 0 "${size}x24" 3>"$work/display" >/dev/null 2>&1 &
    pids="$pids $!"
    while [ ! -s "$work/display" ]; do sleep 0.1; done
    DISPLAY=:$(cat "$work/display")
    export DISPLAY
    openbox >/dev/null 2>&1 &
    pids="$pids $!"
    XDG_DATA_HOME=$home/data XDG_CONFIG_HOME=$home/config XDG_RUNTIME_DIR=$home/runtime \
    ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0} "$program" --lang ja --demo --no-splash >/dev/null 2>&1 &
    pids="$pids $!"

    main=$(window '^VANTREL')
    sleep 2
    xdotool windowactivate --sync "$main"
    # 通信 > USB接続, the settings from the controller, not saved first.
    xdotool key alt+c; sleep 0.5; xdotool key n
    window '^接続$' >/dev/null; sleep 0.5; xdotool key Return
    window '^確認$' >/dev/null; sleep 0.5; xdotool key alt+n
    window '^正常終了$' >/dev/null; sleep 0.5; xdotool key Return
    sleep 1
    # The program editor: the last entry of the tree.
    click "$main" 80 265
    window 'コマンドテーブル' >/dev/null
    picture program-editor

    # The status monitor from the monitor menu (toolbar), then the automatic run.
    xdotool windowactivate --sync "$main"; xdotool key alt+m; sleep 0.5; xdotool key m
    menu=$(window 'モニタメニュー')
    sleep 1; click "$menu" 75 37
    window 'パルス列ステータスモニタ' >/dev/null
    xdotool windowactivate --sync "$main"; xdotool key alt+a; sleep 0.5; xdotool key a
    sleep 2
    xdotool key alt+a; sleep 0.5; xdotool key r
    picture auto-run 4

    # Back in edit-test mode, the test-operation window.
    xdotool windowactivate --sync "$main"; xdotool key alt+a; sleep 0.5; xdotool key m
    sleep 3
    xdotool windowactivate --sync "$menu"; sleep 0.5; click "$menu" 241 37
    window '^テスト運転$' >/dev/null
    picture test-operation
    stop
    rm -f "$work/display"
done
echo "pictures saved in $out:"
ls "$out"/first-day-*.png

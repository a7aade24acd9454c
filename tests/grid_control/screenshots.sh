#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: shows a grid like the service list
# (sorted column, marked range, footer, indicator) under Xvfb and saves
# grid.png.
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
prog=$build/tests/grid_control/show_grid
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 800x500x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" 4 &
pid=$!
sleep 2
DISPLAY=$display import -window root "$out/grid.png"
wait $pid || true
echo "screenshot in $out/grid.png"

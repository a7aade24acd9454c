#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: shows a grid like the service list
# (sorted column, marked range, footer, indicator) under Xvfb and saves
# grid.png; then the sheet of the seven header styles and the five tab
# styles of the page control, filled from the real settings set, as styles.png.
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
prog=$build/tests/grid_control/show_grid
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1000x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" 4 &
pid=$!
sleep 2
DISPLAY=$display import -window root "$out/grid.png"
wait $pid || true
styles=$build/tests/grid_control/show_styles
real=$(cd "$(dirname "$0")/../testdata/real/enigma2-v4-astra-bouquets" && pwd)
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$styles" "$real" 4 &
pid=$!
sleep 2
DISPLAY=$display import -window root "$out/styles.png"
wait $pid || true
echo "screenshots in $out (grid.png, styles.png)"

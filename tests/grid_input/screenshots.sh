#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: shows a grid with an open cell
# editor, with the input line being filled, and with a column mid-drag under
# Xvfb, and saves editor.png, input.png and drag.png.
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
prog=$build/tests/grid_input/show_grid_input
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 600x380x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
for mode in editor input drag; do
  DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" "$mode" 7 &
  pid=$!
  sleep 5
  DISPLAY=$display import -window root "$out/$mode.png"
  wait $pid || true
done
echo "screenshots in $out"

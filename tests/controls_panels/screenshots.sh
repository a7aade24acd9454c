#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: shows a Yes/No confirmation, an input
# query and an error message under Xvfb and saves a screenshot of each
# (confirm.png, query.png, error.png).
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
prog=$build/tests/controls_panels/show_dialogs
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
for what in confirm query error; do
    DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" "$what" 4 &
    pid=$!
    sleep 2
    DISPLAY=$display import -window root "$out/$what.png"
    wait $pid || true
done
echo "screenshots in $out"

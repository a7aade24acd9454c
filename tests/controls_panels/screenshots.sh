#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: under Xvfb, shows a Yes/No
# confirmation, an input query and an error message, and the sheet of every
# control in every state (normal, hot, pressed, focused, disabled), and saves
# a screenshot of each (confirm.png, query.png, error.png, controls.png).
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
dialogs=$build/tests/controls_panels/show_dialogs
controls=$build/tests/controls_panels/show_controls
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
for what in confirm query error; do
    DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$dialogs" "$what" 4 &
    pid=$!
    sleep 2
    DISPLAY=$display import -window root "$out/$what.png"
    wait $pid || true
done
# The sheet says "ready" once every focused control has been photographed.
fifo=$(mktemp -u)
mkfifo "$fifo"
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$controls" 30 >"$fifo" &
pid=$!
timeout 30 grep -q ready "$fifo" || true
sleep 1
DISPLAY=$display import -window root "$out/controls.png"
kill $pid 2>/dev/null || true
wait $pid 2>/dev/null || true
rm -f "$fifo"
echo "screenshots in $out"

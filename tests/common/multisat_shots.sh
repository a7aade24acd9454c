#!/usr/bin/env bash
# multisat_shots.sh <program> <out-dir> <seconds> <what>[:<file>] ...: under
# Xvfb, runs <program> <copy of the real multisat set> <what> for each
# <what>, waits <seconds> and saves the screen as <out-dir>/<file>.png
# (<file> defaults to <what>). The screenshot scripts share it.
set -euo pipefail
prog=$1 out=$2 wait=$3
shift 3
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
set_dir=$(mktemp -d)
cp -r "$here/../testdata/real/enigma2-v4-multisat/." "$set_dir/"
config=$(mktemp)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$set_dir" "$config"' EXIT
sleep 1
for item in "$@"; do
    what=${item%%:*}
    file=${item#*:}
    CHANFORGE_CONFIG=$config DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" "$set_dir" "$what" &
    pid=$!
    sleep "$wait"
    DISPLAY=$display import -window root "$out/$file.png"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
done
echo "screenshots in $out"

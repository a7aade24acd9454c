#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: under Xvfb, the main window with a
# copy of the real multisat set loaded (main.png), the About window over it
# (about.png), the developer form with a log (debug.png), each list's context menu open (menu-serv.png,
# menu-list.png, menu-details.png), and a service dragged over a bouquet's
# entries with the drop marker showing (drag.png).
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
prog=$build/tests/main_window/show_main
set_dir=$(mktemp -d)
cp -r "$here/../testdata/real/enigma2-v4-multisat/." "$set_dir/"
config=$(mktemp)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$set_dir" "$config"' EXIT
sleep 1
for what in main about debug menu-serv menu-list menu-details drag; do
    CHANFORGE_CONFIG=$config DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" "$set_dir" "$what" &
    pid=$!
    sleep 4
    DISPLAY=$display import -window root "$out/$what.png"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
done
echo "screenshots in $out"

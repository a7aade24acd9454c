#!/usr/bin/env bash
# dialog_screenshots.sh <build-dir> [out-dir]: under Xvfb, each dialog the
# main window opens, over a copy of the real multisat set: the transponder
# editor in edit mode (tp.png), the list editor's satellite tab editing a
# transponder (xml-sat.png) and its terrestrial tab (xml-ter.png), the
# service details (details.png) and the compare dialog filled from an
# edited copy of the set (compare.png).
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
prog=$build/tests/app/show_editor_dialogs
set_dir=$(mktemp -d)
cp -r "$here/../testdata/real/enigma2-v4-multisat/." "$set_dir/"
config=$(mktemp)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$set_dir" "$config"' EXIT
sleep 1
for what in tp xml-sat xml-ter details compare; do
    CHANFORGE_CONFIG=$config DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" "$set_dir" "$what" &
    pid=$!
    sleep 5
    DISPLAY=$display import -window root "$out/$what.png"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
done
echo "screenshots in $out"

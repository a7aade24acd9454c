#!/usr/bin/env bash
# options_screenshots.sh <build-dir> [out-dir]: under Xvfb, with a copy of the
# real multisat set loaded, the Options window on its Profiles page
# (options-profiles.png) and its Various page (options-various.png), and the
# main window translated to Italian by a test language module
# (main-italian.png).
set -euo pipefail
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
prog=$build/tests/app/show_options
set_dir=$(mktemp -d)
cp -r "$here/../testdata/real/enigma2-v4-multisat/." "$set_dir/"
config=$(mktemp)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true; rm -rf "$set_dir" "$config"' EXIT
sleep 1
for what in profiles various italian; do
    CHANFORGE_CONFIG=$config DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$prog" "$set_dir" "$what" &
    pid=$!
    sleep 4
    name=options-$what
    [ "$what" = italian ] && name=main-italian
    DISPLAY=$display import -window root "$out/$name.png"
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
done
echo "screenshots in $out"

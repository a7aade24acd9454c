#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: under Xvfb, plays the start-up splash
# over a desktop picture while a stand-in of the alert server answers, and
# saves the splash as it plays (splash-01.png .. splash-24.png, 0.2 s apart)
# and the alert box that follows (alert.png).
set -euo pipefail
src=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
work=$(mktemp -d)
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
peer=
trap 'kill $xvfb ${peer:-} 2>/dev/null || true; rm -rf "$work"' EXIT
sleep 1
# Something to be seen under the splash.
convert -size 1024x768 plasma:steelblue-wheat "$work/desktop.png" 2>/dev/null &&
    DISPLAY=$display display -window root "$work/desktop.png" 2>/dev/null || true
printf 'Chanforge news\r\n<br><b>Version 1.3.7</b> reads lamedb 5<br>\r\n<a href="http://example.invalid/">Release notes</a>' >"$work/body"
python3 "$src/peers/alert_peer.py" --body "$work/body" --log "$work/log" >"$work/port" &
peer=$!
for _ in $(seq 50); do grep -q PORT "$work/port" && break; sleep 0.1; done
port=$(awk '/PORT/ {print $2}' "$work/port")
export CHANFORGE_CONFIG=$work/config.ini
DISPLAY=$display QT_QPA_PLATFORM=xcb QT_FONT_DPI=96 "$build/tests/app/show_splash" 20 "http://127.0.0.1:$port" >"$work/said" &
app=$!
# Quick raw shots every 0.2 s while the splash plays (about 4 s), turned
# into pictures afterwards: splash-01.png .. splash-24.png.
for n in $(seq -w 1 24); do
    DISPLAY=$display xwd -root -silent >"$work/s$n.xwd"
    sleep 0.2
done
for _ in $(seq 150); do grep -q alert "$work/said" && break; sleep 0.2; done
sleep 0.5
DISPLAY=$display import -window root "$out/alert.png"
kill $app 2>/dev/null || true
wait $app 2>/dev/null || true
for f in "$work"/s*.xwd; do
    n=$(basename "$f" .xwd)
    convert "xwd:$f" "$out/splash-${n#s}.png"
done
echo "screenshots in $out"

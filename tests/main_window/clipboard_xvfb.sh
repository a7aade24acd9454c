#!/usr/bin/env bash
# clipboard_xvfb.sh <test binary>: runs the clipboard test between two
# running copies under its own X server, where the desktop clipboard is
# shared between processes.
set -euo pipefail
bin=$1
for n in $(seq 1 50); do
    display=:$((200 + RANDOM % 600))
    [ -e "/tmp/.X11-unix/X${display#:}" ] || break
done
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
for n in $(seq 1 50); do
    [ -e "/tmp/.X11-unix/X${display#:}" ] && break
    sleep 0.1
done
DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin"

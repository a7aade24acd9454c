#!/usr/bin/env bash
# screenshots.sh <build-dir> [out-dir]: under Xvfb, the main window with a
# copy of the real multisat set loaded (main.png), the About window over it
# (about.png), the developer form with a log (debug.png), each list's context menu open (menu-serv.png,
# menu-list.png, menu-details.png), and a service dragged over a bouquet's
# entries with the drop marker showing (drag.png).
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exec bash "$here/../common/multisat_shots.sh" "$build/tests/main_window/show_main" "${2:-$build/screenshots}" 4 main about debug menu-serv menu-list menu-details drag

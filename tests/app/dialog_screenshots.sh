#!/usr/bin/env bash
# dialog_screenshots.sh <build-dir> [out-dir]: under Xvfb, each dialog the
# main window opens, over a copy of the real multisat set: the transponder
# editor in edit mode (tp.png), the list editor's satellite tab editing a
# transponder (xml-sat.png) and its terrestrial tab (xml-ter.png), the
# service details (details.png) and the compare dialog filled from an
# edited copy of the set (compare.png).
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exec bash "$here/../common/multisat_shots.sh" "$build/tests/app/show_editor_dialogs" "${2:-$build/screenshots}" 5 tp xml-sat xml-ter details compare

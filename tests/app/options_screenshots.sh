#!/usr/bin/env bash
# options_screenshots.sh <build-dir> [out-dir]: under Xvfb, with a copy of the
# real multisat set loaded, the Options window on its Profiles page
# (options-profiles.png) and its Various page (options-various.png), and the
# main window translated to Italian by a test language module
# (main-italian.png), and the satellite list editor translated by the same
# module (xml-italian.png).
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exec bash "$here/../common/multisat_shots.sh" "$build/tests/app/show_options" "${2:-$build/screenshots}" 4 profiles:options-profiles various:options-various italian:main-italian xml-italian

#!/usr/bin/env bash
# Installs what the program needs, builds it in Release and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
bash "$root/scripts/build.sh" "$root/build-release" -DCMAKE_BUILD_TYPE=Release -DCF_TESTS=OFF -DCF_BENCH=OFF
exec "$root/build-release/app/chanforge" "$@"

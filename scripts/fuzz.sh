#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for a short while.
#   fuzz.sh [seconds-per-target]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
secs=${1:-20}
bash "$root/scripts/deps.sh"
dir="$root/build-fuzz"
CC=clang CXX=clang++ bash "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCF_FUZZ=ON -DCF_TESTS=OFF -DCF_BENCH=OFF
mapfile -t targets < <(find "$dir/fuzz" -type f -executable -name 'fuzz_*' | sort)
failed=0
for t in "${targets[@]}"; do
  name=$(basename "$t")
  corpus="$dir/corpus-$name"; mkdir -p "$corpus"
  seeds="$root/fuzz/seeds/$name"
  args=("$corpus"); [ -d "$seeds" ] && args+=("$seeds")
  if "$t" -max_total_time="$secs" -rss_limit_mb=2048 -print_final_stats=0 "${args[@]}" >"$dir/$name.log" 2>&1; then
    echo "fuzz $name: ok"
  else
    echo "fuzz $name: FAILED"; tail -40 "$dir/$name.log"; failed=1
  fi
done
echo "${#targets[@]} fuzz targets run"
exit $failed

#!/usr/bin/env bash
# Installs what the tests need, builds and runs the whole test suite.
#   test.sh             optimised build with debug info, all tests
#   test.sh --sanitize  the same under AddressSanitizer + UndefinedBehaviorSanitizer
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
jobs=$(nproc)
if [ "${1:-}" = "--sanitize" ]; then
  dir="$root/build-asan"
  CC=clang CXX=clang++ bash "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCF_SANITIZE=ON -DCF_BENCH=OFF
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions="$root/scripts/lsan.supp"
else
  dir="$root/build"
  bash "$root/scripts/build.sh" "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo
fi
cd "$dir"
ctest --output-on-failure --parallel "$((jobs * 2))" --timeout 600

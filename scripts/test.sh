#!/usr/bin/env bash
# Installs what the tests need, builds and runs the whole test suite.
#   test.sh             optimised build with debug info, all tests
#   test.sh --sanitize  the same under AddressSanitizer + UndefinedBehaviorSanitizer
#   test.sh --tsan      only the tests that run threads, under ThreadSanitizer,
#                       each five times over (the picture show control's worker,
#                       thread priorities, the database client against its
#                       scripted server thread)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
bash "$root/scripts/deps.sh"
jobs=$(nproc)
if [ "${1:-}" = "--tsan" ]; then
  dir="$root/build-tsan"
  CC=clang CXX=clang++ cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" -DCF_TSAN=ON -DCF_BENCH=OFF >/dev/null
  cmake --build "$dir" --parallel "$jobs" --target test_reveal_view test_thread_priority test_dbexport_client
  export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1
  cd "$dir"
  ctest --output-on-failure --parallel "$jobs" --timeout 600 --repeat until-fail:5 \
      -R '^(RevealViewThreaded|ThreadPriority|DbFake[A-Za-z]*|DbClientErrors)\.'
  exit
fi
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

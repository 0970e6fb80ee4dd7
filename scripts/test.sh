#!/bin/sh
# Builds the suite and runs every test headless. With SANITIZE=1 the build
# (in build-asan) uses AddressSanitizer and UndefinedBehaviorSanitizer.
# JOBS sets the number of parallel build and test jobs (default: all cores).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
export QT_QPA_PLATFORM=offscreen
if [ "${SANITIZE:-0}" = 1 ]; then
  DIR=build-asan
  OPTS="-DSUITE_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DSUITE_BENCH=OFF"
  export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=0}"
  export LSAN_OPTIONS="${LSAN_OPTIONS:-suppressions=$(pwd)/scripts/lsan.supp:print_suppressions=0}"
  export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
else
  DIR=build
  OPTS="-DCMAKE_BUILD_TYPE=RelWithDebInfo"
fi
JOBS="${JOBS:-$(nproc)}"
cmake -S . -B "$DIR" $OPTS >/dev/null
cmake --build "$DIR" -j"$JOBS"
cd "$DIR"
ctest --output-on-failure -j"$JOBS"

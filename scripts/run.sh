#!/bin/sh
# Builds one program and starts it: Tarvoss5 (default), Quellin5 or Morvane5.
# Only the named program (and the libraries it links) is built; the tests
# are not. It needs a display. JOBS sets the number of parallel build jobs
# (default: all cores).
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
PROGRAM="${1:-Tarvoss5}"
shift 2>/dev/null || true
JOBS="${JOBS:-$(nproc)}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$JOBS" --target "$PROGRAM"
exec "build/bin/$PROGRAM" "$@"

#!/bin/sh
# Builds the suite and starts one program: Tarvoss5 (default), Quellin5 or Morvane5.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
PROGRAM="${1:-Tarvoss5}"
shift 2>/dev/null || true
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target "$PROGRAM"
exec "build/bin/$PROGRAM" "$@"

#!/bin/sh
# Makes the README's pictures of the three main windows from the built
# programs' windows, headless, into docs/screenshots.
set -e
cd "$(dirname "$0")/.."
sh scripts/deps.sh
JOBS="${JOBS:-$(nproc)}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$JOBS" --target Screenshots
mkdir -p docs/screenshots
QT_QPA_PLATFORM=offscreen build/bin/Screenshots docs/screenshots

#!/usr/bin/env bash
# Renders the popover, every Welcome step, every Settings pane, the Studio and the moments in
# light and dark, for a person to look at. Usage: scripts/snapshots.sh [FOLDER]
# (default build/snapshots). Builds only the snapshots tool, in the test build when there is
# one (BUILD=... names another).
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/snapshots}")
build=${BUILD:-build/test}

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
if [ ! -f "$build/CMakeCache.txt" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
fi
cmake --build "$build" --target snapshots -j"${JOBS:-$(nproc)}"
mkdir -p "$out"
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$build/tests/snapshots" "$out"

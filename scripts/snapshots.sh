#!/usr/bin/env bash
# Renders the popover, every Welcome step, every Settings pane, the Studio and the moments in
# light and dark, for a person to look at. Usage: scripts/snapshots.sh [FOLDER]
# (default build/snapshots/pictures). Builds only the snapshots tool, without sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/snapshots/pictures}")

export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
cmake -S . -B build/snapshots -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER_LAUNCHER=ccache >/dev/null
cmake --build build/snapshots --target snapshots -j"${JOBS:-$(nproc)}"
mkdir -p "$out"
QT_QPA_PLATFORM=offscreen build/snapshots/tests/snapshots "$out"

#!/usr/bin/env bash
# Installs what Tessel needs, builds it and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DTESSEL_BUILD_TESTS=OFF
cmake --build build/release -j"$(nproc)"
exec build/release/src/app/tessel "$@"

#!/usr/bin/env bash
# Installs what the tests need, builds them with AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors, and runs the whole suite; then the paper
# tests again in a small Release build of their own, where the kernels are vectorised.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh tests

# Formatting is checked before anything is built, so a stray space fails in seconds.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# ccache keeps compiled objects across clones of the repository.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
# Precompiled headers are cached too; their time stamps differ in every clone.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
jobs=$(nproc)
configure() {
    cmake -S . -B "$1" -G Ninja -DTESSEL_WERROR=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache "${@:2}"
}

# Sources are compiled a few to a file, and with line tables only, which is all a sanitizer's
# report needs: together they take most of the time out of a cold build.
configure build/test -DCMAKE_BUILD_TYPE=Debug -DTESSEL_SANITIZE=ON -DCMAKE_UNITY_BUILD=ON \
    -DCMAKE_CXX_FLAGS_DEBUG=-g1
cmake --build build/test -j"$jobs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure -j"$jobs"

configure build/release -DCMAKE_BUILD_TYPE=Release
cmake --build build/release -j"$jobs" --target paper_test
ctest --test-dir build/release --output-on-failure -j"$jobs" -L paper


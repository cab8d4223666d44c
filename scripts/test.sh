#!/usr/bin/env bash
# Installs what the tests need, builds them with AddressSanitizer and
# UndefinedBehaviorSanitizer, warnings as errors, and runs the whole suite.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Formatting is checked before anything is built, so a stray space fails in seconds.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run -Werror

# ccache keeps compiled objects across clones of the repository.
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
# Precompiled headers are cached too; their time stamps differ in every clone.
export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DTESSEL_WERROR=ON -DTESSEL_SANITIZE=ON -DCMAKE_CXX_COMPILER_LAUNCHER=ccache
cmake --build build/test -j"$(nproc)"

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build/test --output-on-failure -j"$(nproc)"

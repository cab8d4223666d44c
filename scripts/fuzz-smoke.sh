#!/usr/bin/env bash
# Builds the fuzz targets with clang and libFuzzer in build/fuzz, apart from the test build,
# and runs each for FUZZ_SECONDS (15) over its seeds in fuzz/corpus. Inputs found along the
# way collect in build/fuzz/corpus; an input that crashes is kept in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${FUZZ_SECONDS:-15}
jobs=${FUZZ_JOBS:-$(nproc)}
targets=(settings paper_document feed picture_details)

scripts/install-deps.sh tools
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ -DTESSEL_BUILD_FUZZERS=ON -DTESSEL_BUILD_TESTS=OFF \
    -DTESSEL_WERROR=ON "${launcher[@]}"
cmake --build build/fuzz -j"$jobs" --target "${targets[@]/%/_fuzz}"

export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in "${targets[@]}"; do
    found=build/fuzz/corpus/$target
    findings=build/fuzz/findings/$target
    mkdir -p "$found" "$findings"
    echo "== $target: ${seconds}s"
    # The first folder takes what libFuzzer finds, so the committed seeds stay as written.
    "build/fuzz/fuzz/${target}_fuzz" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$findings/" "$found" "fuzz/corpus/$target"
done

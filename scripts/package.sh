#!/usr/bin/env bash
# Builds Tessel for release in build/package, with Debian's hardening flags, and makes the
# Debian package build/package/tessel_<version>_<arch>.deb. PACKAGE_JOBS (nproc) sets how many
# compilers run at once.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh tools
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTESSEL_BUILD_TESTS=OFF "${launcher[@]}" \
    -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)"
cmake --build build/package -j"${PACKAGE_JOBS:-$(nproc)}"
# Only this version's package is left, so scripts can name it by pattern.
rm -f build/package/tessel_*.deb
cpack --config build/package/CPackConfig.cmake -B build/package

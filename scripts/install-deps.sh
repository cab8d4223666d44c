#!/usr/bin/env bash
# Installs the Debian 12 packages Tessel needs to build and run; "tests" adds what the test
# suite needs, "tools" what the developer scripts need as well. Usage: install-deps.sh [tests]
# [tools]. Idempotent: installs nothing when every package is already present.
set -euo pipefail

# What building and running Tessel needs.
packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins
    nlohmann-json3-dev libx11-dev libxcb1-dev libgeonames-dev
    libxcb-xfixes0-dev libxcb-render0-dev libxcb-screensaver0-dev libxcb-randr0-dev
    libxcb-composite0-dev
    # large PNG pictures read row by row
    libpng-dev
    # calls, recordings and screen casts, read from PipeWire's graph
    libpipewire-0.3-dev
    # native Wayland: the client library, wayland-scanner and the protocol files
    libwayland-dev wayland-protocols
    # run: icons of the Settings sidebar and of installed apps (SVG), with a theme to fall back on
    libqt6svg6 adwaita-icon-theme
    # run: Qt's own windows on a Wayland session
    qt6-wayland
    # run: the user's own WebP pictures in Art Mode
    qt6-image-formats-plugins
)

# What the test suite needs (scripts/test.sh).
tests=(
    clang-format libgtest-dev libgmock-dev
    xvfb xauth openbox picom dbus dbus-daemon x11-utils xdotool
    # a private PipeWire daemon with a recorder (pw-record) and pw-link to wire it without a
    # session manager
    pipewire pipewire-bin
    # a real XSETTINGS manager, whose theme the X desktop tests change
    xsettingsd
    trayer libglib2.0-bin gsettings-desktop-schemas desktop-file-utils appstream shared-mime-info groff-base
    # Wayland end-to-end tests: a headless compositor, its screenshots, a virtual keyboard, and
    # setpriv to run it unprivileged
    sway grim wtype util-linux
    # GNOME end-to-end tests: a headless GNOME Shell, which starts XWayland for Tessel's paper
    gnome-shell xwayland
)

# What the developer scripts need beyond the tests: pictures (scripts/screenshot.sh,
# scripts/gnome-headless.sh), figures (bench/desktop-figures.sh, scripts/measure-platforms.sh),
# the Debian package (scripts/package.sh, scripts/package-check.sh) and fuzzing
# (scripts/fuzz-smoke.sh: clang 14, whose runtime package holds libFuzzer).
tools=(
    libbenchmark-dev imagemagick gjs wayland-utils bc heaptrack
    dpkg-dev file lintian debootstrap
    clang libclang-rt-14-dev
)

for group in "$@"; do
    case "$group" in
    tests) packages+=("${tests[@]}") ;;
    tools) packages+=("${tests[@]}" "${tools[@]}") ;;
    *)
        echo "usage: $0 [tests] [tools]" >&2
        exit 2
        ;;
    esac
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

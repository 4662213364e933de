#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-charts-dev qt6-translations-l10n
    libhidapi-dev libudev-dev libjpeg62-turbo-dev libfontconfig-dev
    libgtest-dev libbenchmark-dev
    fonts-dejavu-core poppler-utils
    clang libclang-rt-14-dev
    dpkg-dev lintian desktop-file-utils appstream
    qemu-system-x86 linux-image-amd64 busybox-static cpio xz-utils
)

# With --windows: what cross-building for Windows and testing under Wine
# needs instead (scripts/windows-toolchain).
if [ "${1:-}" = --windows ]; then
    PACKAGES=(
        cmake ninja-build ccache dpkg-dev xz-utils zip unzip
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
        qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgtest-dev
        wine wine64 nsis xvfb xauth x11-utils imagemagick fonts-dejavu-core
    )
fi

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

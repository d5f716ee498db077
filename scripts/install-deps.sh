#!/usr/bin/env bash
# Installs what Findolin needs to build, run and test on Debian 12, and to cross-build it for Windows and test it
# there under Wine.
set -euo pipefail
packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-private-dev qt6-multimedia-dev qt6-qpa-plugins libqt6sql6-sqlite libqt6multimedia6
    qt6-translations-l10n
    mdbtools mdbtools-dev libglib2.0-dev libsqlite3-dev sqlite3
    fonts-liberation fonts-liberation2 fontconfig
    pulseaudio pulseaudio-utils libpulse0 sox faketime
    imagemagick libmagickcore-6.q16-6-extra librsvg2-bin
    libchm-dev libchm-bin
    clang libclang-rt-14-dev lld llvm
    dpkg-dev file lintian desktop-file-utils appstream
    xvfb xauth at-spi2-core python3-pyatspi
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix libz-mingw-w64 qt6-base-dev-tools wine wine64 zip
)
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null

#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test tool chain a fresh
# Debian 12 machine lacks. Quiet and quick when everything is already there.
set -euo pipefail

packages=(
    cmake ninja-build g++ make pkg-config python3
    googletest libgtest-dev libgmock-dev libbenchmark-dev libxsimd-dev
    libosmesa6-dev libglu1-mesa-dev
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    wine64 wine xvfb xauth xdotool x11-utils imagemagick
    fonts-ipafont-gothic locales
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
    nsis clang libclang-rt-14-dev clang-format libx11-dev libxext-dev libgl1-mesa-dev libxrandr-dev
    xserver-xorg-video-dummy x11-xserver-utils
    dpkg-dev lintian man-db
    black flake8 cmake-format
    emscripten nodejs chromium
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q "${missing[@]}"
fi

# The Japanese locale makes Wine's ANSI code page 932, as on the systems the
# product is made for.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    $sudo localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi

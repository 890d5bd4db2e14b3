#!/usr/bin/env bash
# Installs the Debian 12 packages that Korvan's scripts need, by group:
#   build    compile and run the panel and the virtual robot (the default)
#   test     the test suite, sanitizers, fuzzers and the install checks
#   bench    the benchmarks
#   package  the Debian package and its checks
#   windows  the cross build for Windows, its tests under Wine, its installer
#   look     screenshots of what the windows show on a headless X server
# Safe to run again: it installs only what is missing.
set -euo pipefail

declare -A groups=(
    [build]="build-essential cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-svg-dev
             libgl-dev libxkbcommon-dev libvulkan-dev libturbojpeg0-dev fonts-ipafont-gothic help2man xvfb xauth"
    [test]="libgtest-dev libgmock-dev clang-14 libclang-rt-14-dev clang-tidy-14 clang-format-14 desktop-file-utils appstream man-db"
    [bench]="libbenchmark-dev"
    [package]="dpkg-dev file lintian desktop-file-utils appstream man-db"
    [windows]="cmake ninja-build g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
               googletest wine wine64 fonts-wine fonts-ipafont-gothic locales xvfb xauth nsis icoutils"
    [look]="x11-apps imagemagick xdotool"
)

wanted=("$@")
[ ${#wanted[@]} -gt 0 ] || wanted=(build)
packages=()
for group in "${wanted[@]}"; do
    if [ -z "${groups[$group]+set}" ]; then
        echo "install-deps: unknown group '$group' (build, test, bench, package, windows, look)" >&2
        exit 2
    fi
    read -r -a listed <<< "$(echo ${groups[$group]})"
    packages+=("${listed[@]}")
done

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "install-deps: all packages of ${wanted[*]} are present"
    exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"

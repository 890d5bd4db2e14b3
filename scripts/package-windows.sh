#!/usr/bin/env bash
# Makes the Windows installer and the portable zip from a Release cross
# build, in build/windows-package: Korvan-<version>-win64-setup.exe, a
# 64-bit NSIS installer, and Korvan-<version>-win64.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build windows
source scripts/windows-build.sh

build=$PWD/build/windows-package
build_host_programs korvan_iconpng cataloguegen
configure_cross_build "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF
cmake --build "$build"
rm -f "$build"/Korvan-*-win64*
(cd "$build" && cpack)
for package in "$build"/Korvan-*-win64*.{exe,zip}; do
    echo "package-windows: $package, $(stat -c %s "$package") bytes"
done

#!/usr/bin/env bash
# Builds the Debian package of both programs into build/package and checks
# it with lintian, which must report no error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build package
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/package
(cd build/package && cpack)
deb=$(ls build/package/korvan_*.deb)
echo "package: $deb"
lintian --fail-on error --info "$deb"

#!/usr/bin/env bash
# Builds the Debian package of both programs into build/package and checks
# it with lintian, which must report no error.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh build package
# Debian's own hardening flags, as its packages are built with.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr
cmake --build build/package
rm -f build/package/korvan_*.deb
(cd build/package && cpack)
deb=$(ls build/package/korvan_*.deb)
echo "package: $deb"
lintian --fail-on error "$deb"

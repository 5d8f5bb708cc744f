#!/usr/bin/env bash
# Builds the viewer and makes its Debian package in build/.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# The package's time stamps are the last commit's (see release.sh).
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

scripts/ensure-packages.sh "${native_build[@]}" "${debian_package[@]}"

cmake -S . -B build
cmake --build build -j "$(nproc)"
(cd build && cpack -G DEB)

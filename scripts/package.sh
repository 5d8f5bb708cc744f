#!/usr/bin/env bash
# Builds the viewer and makes its Debian package in build/.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

scripts/ensure-packages.sh "${native_build[@]}" "${debian_package[@]}"

cmake -S . -B build
cmake --build build -j "$(nproc)"
(cd build && cpack -G DEB)

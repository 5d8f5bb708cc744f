#!/usr/bin/env bash
# Builds the viewer and makes its Debian package in build/.
set -eu
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh g++ cmake make freeglut3-dev libglu1-mesa-dev libx11-dev libpng-dev dpkg-dev file

cmake -S . -B build
cmake --build build -j "$(nproc)"
(cd build && cpack -G DEB)

#!/usr/bin/env bash
# Builds everything and runs every test: the unit and end-to-end tests in a
# normal build (the Windows program's, under Wine, among them), then the unit
# tests again under AddressSanitizer and UBSan (built alone: the end-to-end
# tests and the programs do not run there), then the web page's tests in
# headless Chromium.
set -eu
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh g++ cmake make freeglut3-dev libglu1-mesa-dev \
    libgtest-dev xvfb libx11-dev libxtst-dev libpng-dev man-db dpkg-dev file valgrind \
    lintian desktop-file-utils emscripten chromium npm \
    g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 xz-utils wine wine64 unzip

jobs=$(nproc)

# The Windows program first: the end-to-end tests run it under Wine.
scripts/windows.sh
cmake -S . -B build -DHAND_BUILD_TESTS=ON -DHAND_WINDOWS_BUILD="$PWD/build-windows"
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

cmake -S . -B build-sanitize -DHAND_BUILD_TESTS=ON -DHAND_SANITIZE=ON
cmake --build build-sanitize -j "$jobs" --target unit-tests
(cd build-sanitize && ctest --output-on-failure -j "$jobs" -L unit)

scripts/web.sh --build
scripts/npm-modules.sh
node --test tests/web/

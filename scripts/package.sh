#!/usr/bin/env bash
# Builds the viewer and makes its Debian package in build/.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# The package's time stamps are the last commit's (see release.sh).
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

scripts/ensure-packages.sh "${native_build[@]}" "${debian_package[@]}"

# The package holds the two programs and files: their build alone, not the
# tests' or benchmarks' (cpack would otherwise build everything first).
cmake -S . -B build -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build build -j "$(nproc)" --target hand-viewer hand-snapshot
(cd build && cpack -G DEB)

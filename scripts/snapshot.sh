#!/usr/bin/env bash
# Builds hand-snapshot and runs it with the arguments given, e.g.
#   bash scripts/snapshot.sh --keys 4 --axes --out beckon.png
# With no X display it draws on a private virtual screen (Xvfb).
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

packages=("${native_build[@]}")
[ -n "${DISPLAY:-}" ] || packages+=(xvfb)
scripts/ensure-packages.sh "${packages[@]}"

cmake -S . -B build >/dev/null
cmake --build build -j "$(nproc)" --target hand-snapshot >/dev/null
if [ -n "${DISPLAY:-}" ]; then
    exec build/hand-snapshot "$@"
fi
exec scripts/with-xvfb.sh build/hand-snapshot "$@"

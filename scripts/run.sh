#!/usr/bin/env bash
# Builds the viewer and runs it. With no X display it runs the viewer on a
# virtual screen instead, saves a picture of it and ends it.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

packages=("${native_build[@]}")
[ -n "${DISPLAY:-}" ] || packages+=(xvfb xdotool x11-apps netpbm)
scripts/ensure-packages.sh "${packages[@]}"

cmake -S . -B build
cmake --build build -j "$(nproc)" --target hand-viewer

if [ -n "${DISPLAY:-}" ]; then
    exec build/hand-viewer "$@"
fi
echo "No X display (DISPLAY is unset): running the viewer on a virtual screen (Xvfb) and saving a picture of it."
exec scripts/with-xvfb.sh scripts/save-viewer-picture.sh build/hand-viewer build/hand-viewer.png

#!/usr/bin/env bash
# Builds hand-snapshot and runs it with the arguments given, in the folder
# it was called from, so relative paths are the caller's, e.g.
#   bash scripts/snapshot.sh --keys 4 --axes --out beckon.png
# With no X display it draws on a private virtual screen (Xvfb).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/packages.sh"

packages=("${native_build[@]}")
[ -n "${DISPLAY:-}" ] || packages+=(xvfb)
"$root/scripts/ensure-packages.sh" "${packages[@]}"

cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" -j "$(nproc)" --target hand-snapshot >/dev/null
if [ -n "${DISPLAY:-}" ]; then
    exec "$root/build/hand-snapshot" "$@"
fi
exec "$root/scripts/with-xvfb.sh" "$root/build/hand-snapshot" "$@"

#!/usr/bin/env bash
# Renders the README's pictures into docs/ and the reference pictures of the
# image tests into tests/golden/, with hand-snapshot on a private Xvfb (Mesa's
# software renderer), so that both come out the same on every machine.
set -eu
cd "$(dirname "$0")/.."

scripts/ensure-packages.sh g++ cmake make freeglut3-dev libglu1-mesa-dev \
    libx11-dev libpng-dev xvfb
cmake -S . -B build
cmake --build build -j "$(nproc)" --target hand-snapshot

if [ -z "${GALLERY_ON_XVFB:-}" ]; then
    GALLERY_ON_XVFB=1 exec scripts/with-xvfb.sh "$0"
fi

snap=build/hand-snapshot
mkdir -p docs tests/golden

# The README's gallery.
$snap --out docs/rest.png
$snap --bend 100,100,100,100,100 --out docs/fist.png
$snap --rot 20,-35,0 --bend 0,30,60,90,50 --out docs/turned.png
$snap --size 150x150 --keys 1 --sheet docs/wave.png --every 4
$snap --size 150x150 --keys 2 --sheet docs/turn-middle.png --every 4
$snap --size 150x150 --keys 3 --sheet docs/thumb-little.png --every 7
$snap --size 150x150 --keys 4 --sheet docs/beckon.png --every 3

# The image tests' references: one pose each that a wrong transform would spoil.
$snap --out tests/golden/rest.png
$snap --bend 100,100,100,100,100 --out tests/golden/fist.png
$snap --bend 0,0,0,50,0 --out tests/golden/index-half.png
$snap --bend 0,0,0,0,100 --out tests/golden/thumb-bent.png
$snap --rot 20,-35,10 --out tests/golden/turned.png
$snap --keys 2 --out tests/golden/turn-middle-end.png

echo "Wrote docs/*.png and tests/golden/*.png; look at them before committing."

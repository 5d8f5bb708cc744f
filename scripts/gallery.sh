#!/usr/bin/env bash
# Renders the README's pictures and moving pictures into docs/ (the web
# page's too), the desktop icons into desktop/ and the reference pictures of
# the image tests into tests/golden/, with hand-snapshot on a private Xvfb
# (Mesa's software renderer), so that all come out the same on every machine.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

scripts/ensure-packages.sh "${native_build[@]}" xvfb imagemagick gifsicle \
    "${web_build[@]}" "${browser[@]}"
cmake -S . -B build
cmake --build build -j "$(nproc)" --target hand-snapshot

if [ -z "${GALLERY_ON_XVFB:-}" ]; then
    GALLERY_ON_XVFB=1 exec scripts/with-xvfb.sh "$0"
fi

root=$PWD
snap=$root/build/hand-snapshot
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Everything is drawn into a scratch copy of the folders first; only what
# changed replaces the tree's files (see the end).
made=$scratch/made
mkdir -p "$made/docs" "$made/desktop" "$made/tests/golden" "$made/src/web/page"
cd "$made"
# ImageMagick's PNGs carry no time, so the same pixels make the same file.
png_without_time=(-define png:exclude-chunks=date,time)

# The README's gallery.
$snap --out docs/rest.png
$snap --bend 100,100,100,100,100 --out docs/fist.png
$snap --rot 20,-35,0 --bend 0,30,60,90,50 --out docs/turned.png
$snap --size 150x150 --keys 1 --sheet docs/wave.png --every 4
$snap --size 150x150 --keys 2 --sheet docs/turn-middle.png --every 4
$snap --size 150x150 --keys 3 --sheet docs/thumb-little.png --every 7
$snap --size 150x150 --keys 4 --sheet docs/beckon.png --every 3

# Moving pictures that loop, about 30 frames a second (GIF counts in
# hundredths: 3 each), every frame as the viewer plays it.
animate() {
    local name=$1 keys=$2
    shift 2
    rm -rf "$scratch/frames"
    $snap --size 160x160 "$@" --keys "$keys" --frames "$scratch/frames"
    convert -delay 3 -loop 0 "$scratch"/frames/frame-*.png "$scratch/$name.gif"
    gifsicle -O3 --colors 64 "$scratch/$name.gif" -o "docs/$name.gif"
}
animate wave 1
animate turn-middle 2
animate thumb-little 3
animate beckon 4
animate close-open '/*'
animate home '\b' --bend 0,60,100,60,0 --rot 40,135,30
# The hierarchy at work: every joint frame's axes through a gesture.
animate beckon-axes 4 --size 240x240 --axes

# The desktop icon: the open hand, drawn large and scaled down so that its
# edges come out smooth, on a transparent ground.
$snap --size 1200x1200 --out "$scratch/icon.png"
for size in 48 128 256; do
    convert "$scratch/icon.png" -crop 700x700+314+163 +repage -transparent black \
        -resize "${size}x$size" "${png_without_time[@]}" "desktop/hand-viewer-$size.png"
done
# The page's icon travels inside the page: the same in 64 colours, a third of the bytes.
convert desktop/hand-viewer-48.png -colors 64 "${png_without_time[@]}" src/web/page/hand-viewer-icon.png
# The Windows program's icon, in the sizes Explorer asks for.
convert desktop/hand-viewer-256.png -define icon:auto-resize=256,128,48,32,16 desktop/hand-viewer.ico

# The web page, as headless Chromium shows it, on a desktop and on a phone,
# and the hierarchy on it.
web=$root/scripts/web.sh
"$web" --screenshot "$made/docs/web-page.png" --page --keys 3
"$web" --screenshot "$made/docs/web-phone.png" --phone --keys 4
"$web" --screenshot "$made/docs/learning.png" --lesson --keys rrrrrr

# The image tests' references: one pose each that a wrong transform would spoil.
$snap --out tests/golden/rest.png
$snap --bend 100,100,100,100,100 --out tests/golden/fist.png
$snap --bend 0,0,0,50,0 --out tests/golden/index-half.png
$snap --bend 0,0,0,0,100 --out tests/golden/thumb-bent.png
$snap --rot 20,-35,10 --out tests/golden/turned.png
$snap --keys 2 --out tests/golden/turn-middle-end.png

# A picture replaces the tree's only where its pixels differ, so a run that
# changes nothing leaves the tree clean.
cd "$root"
changed=()
while IFS= read -r file; do
    if [ -f "$file" ] && { cmp -s "$made/$file" "$file" ||
        { [ "${file##*.}" = png ] && [ "$(compare -metric AE "$made/$file" "$file" null: 2>&1)" = 0 ]; }; }; then
        continue
    fi
    cp "$made/$file" "$file"
    changed+=("$file")
done < <(cd "$made" && find . -type f -printf '%P\n' | sort)
if [ ${#changed[@]} -eq 0 ]; then
    echo "Every picture is as it was."
else
    echo "Changed: ${changed[*]}; look at them before committing."
fi

#!/usr/bin/env bash
# Puts every artefact a release carries in dist/: the Debian package, the
# Windows zip, the web page as one file (hand-viewer.html, to open from disk or
# put anywhere) and as a .tar.gz of its site (unpack it on any static web host),
# and SHA256SUMS over them.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

scripts/ensure-packages.sh "${release[@]}"

version=$(sed -n 's/^project(hand-viewer VERSION \([^ ]*\).*/\1/p' CMakeLists.txt)
# Every time stamp in every archive is the last commit's, so the same commit
# makes the same release, bit for bit, wherever and whenever it is made.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

echo "Release: the Debian package"
scripts/package.sh
echo "Release: the Windows zip"
scripts/windows.sh
echo "Release: the web page"
scripts/web.sh --build
echo "Release: the archives and their sums"

rm -rf dist && mkdir dist
cp build/hand-viewer_"$version"_*.deb build-windows/hand-viewer-"$version"-windows-x64.zip \
    build-web/hand-viewer.html dist/
# The same files always make the same archive: sorted, no owners, the
# commit's time.
tar --create --gzip --file "dist/hand-viewer-$version-web.tar.gz" \
    --sort=name --owner=0 --group=0 --numeric-owner --mtime="@$SOURCE_DATE_EPOCH" \
    --directory build-web --transform "s,^site,hand-viewer-$version-web," site
(cd dist && sha256sum -- * > SHA256SUMS)
ls -l dist

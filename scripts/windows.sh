#!/usr/bin/env bash
# Cross-builds hand-viewer.exe for 64-bit Windows with Debian's mingw-w64 and
# packs it with its README, licence and freeglut's notice into
# build-windows/hand-viewer-<version>-windows-x64.zip.
# Debian has no freeglut for Windows, so its Debian source is fetched
# through apt with a private list and state (the machine's apt setup is left
# alone) and built once as a static library into build-windows/freeglut/.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh
# The zip's time stamps are the last commit's (see release.sh).
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}

scripts/ensure-packages.sh "${windows_build[@]}"

out=$PWD/build-windows
freeglut=$out/freeglut
jobs=$(nproc)

# Source lines for the same archives the machine installs from.
write_source_lists() {
    local lists=$1
    mkdir -p "$lists"
    for file in /etc/apt/sources.list.d/*.sources; do
        if [ -e "$file" ]; then
            sed 's/^Types:.*/Types: deb-src/' "$file" > "$lists/$(basename "$file")"
        fi
    done
    for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
        if [ -e "$file" ]; then
            sed -n 's/^deb /deb-src /p' "$file" > "$lists/$(basename "$file")"
        fi
    done
}

fetch_freeglut_source() {
    local apt=$freeglut/apt
    rm -rf "$apt" && mkdir -p "$apt/lists/partial" "$apt/cache/archives/partial" "$apt/source"
    write_source_lists "$apt/sources"
    local private=(-o Dir::Etc::SourceList=/dev/null -o Dir::Etc::SourceParts="$apt/sources"
                   -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache"
                   -o Debug::NoLocking=1 -o APT::Sandbox::User="$(id -un)")
    apt-get "${private[@]}" -q update >/dev/null
    (cd "$apt/source" && apt-get "${private[@]}" -q source --download-only freeglut >/dev/null)
    rm -rf "$freeglut/source"
    # apt has checked the files against the archive's signed index; the
    # uploader's own signature would need the Debian keyring to check again.
    dpkg-source --no-check -x "$apt"/source/freeglut_*.dsc "$freeglut/source" >/dev/null
}

build_freeglut() {
    cmake -S "$freeglut/source" -B "$freeglut/build" \
        -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$freeglut/install" \
        -DFREEGLUT_BUILD_STATIC_LIBS=ON -DFREEGLUT_BUILD_SHARED_LIBS=OFF \
        -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_REPLACE_GLUT=ON
    cmake --build "$freeglut/build" -j "$jobs"
    cmake --install "$freeglut/build"
}

# Built once; later runs reuse it. Its own warnings are not ours to mend, so
# its output goes to a log, shown only if the build fails.
if [ ! -f "$freeglut/install/lib/libglut.a" ]; then
    echo "Fetching freeglut's Debian source and building it for Windows (once)..."
    mkdir -p "$freeglut"
    fetch_freeglut_source
    if ! build_freeglut > "$freeglut/build.log" 2>&1; then
        cat "$freeglut/build.log" >&2
        exit 1
    fi
fi

cmake -S . -B "$out" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DHAND_WINDOWS_DEPENDENCIES="$freeglut/install" \
    -DHAND_FREEGLUT_COPYING="$freeglut/source/COPYING"
cmake --build "$out" -j "$jobs"
(cd "$out" && cpack)

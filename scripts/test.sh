#!/usr/bin/env bash
# Builds everything and runs every test: the unit and end-to-end tests in a
# normal build (the Windows program's, under Wine, among them), then the unit
# tests again under AddressSanitizer and UBSan (built alone: the end-to-end
# tests and the programs do not run there), the fuzz targets for 10 s, and
# the release made twice from fresh clones to check that it is the same bit
# for bit. The web page's tests in the three browsers run beside those last
# three, and report at the end. With --web, the web page's tests alone.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

# The page's pictures are held against hand-snapshot's, drawn on Xvfb.
browser_tests() {
    cmake --build build -j "$(nproc)" --target hand-snapshot
    scripts/web.sh --build
    scripts/npm-modules.sh
    node --test tests/web/
}

if [ "${1:-}" = --web ]; then
    scripts/ensure-packages.sh "${native_build[@]}" xvfb "${web_build[@]}" "${browser[@]}"
    cmake -S . -B build
    browser_tests
    exit 0
fi

scripts/ensure-packages.sh "${native_build[@]}" "${debian_package[@]}" libgtest-dev xvfb \
    libxtst-dev man-db valgrind lintian desktop-file-utils unzip \
    "${web_build[@]}" "${browser[@]}" "${windows_build[@]}" "${fuzzing[@]}"

jobs=$(nproc)

# The Windows program first: the end-to-end tests run it under Wine.
scripts/windows.sh
cmake -S . -B build -DHAND_BUILD_TESTS=ON -DHAND_WINDOWS_BUILD="$PWD/build-windows"
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")

# The browser tests mostly wait on the browsers, while the builds and checks
# below keep both cores busy: side by side, the run takes over a minute
# less. They run as a job of their own (job control on while it starts), so
# that a failure or Ctrl-C here stops them all.
browser_log=$(mktemp)
set -m
bash scripts/test.sh --web >"$browser_log" 2>&1 </dev/null &
browsers=$!
set +m
trap 'kill -- -"$browsers" 2>/dev/null || true; rm -f "$browser_log"' EXIT

cmake -S . -B build-sanitize -DHAND_BUILD_TESTS=ON -DHAND_SANITIZE=ON
cmake --build build-sanitize -j "$jobs" --target unit-tests
(cd build-sanitize && ctest --output-on-failure -j "$jobs" -L unit)

scripts/fuzz.sh 10

scripts/check-reproducible.sh

echo "The browser tests:"
browsers_passed=yes
wait "$browsers" || browsers_passed=no
cat "$browser_log"
[ "$browsers_passed" = yes ]

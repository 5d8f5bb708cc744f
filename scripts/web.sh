#!/usr/bin/env bash
# Builds the viewer for the web with emscripten into build-web/site/ and
# serves it on http://localhost:8000/. Options:
#   --port N             serve on port N instead
#   --screenshot FILE    load the page in headless Chromium, answer n, save a
#                        PNG of its canvas as FILE and exit
#   --keys KEYS          with --screenshot: type KEYS first ('\b' for
#                        Backspace) and wait until the page is no longer busy
#   --page               with --screenshot: the browser window, not only the canvas
#   --phone              with --screenshot: a phone's screen (390 x 844, touch)
#   --lesson             with --screenshot: the canvas with the joint frames on,
#                        and the index finger's chain of calls beside it
#   --build              build the page and exit
set -eu
caller=$PWD
cd "$(dirname "$0")/.."
. scripts/packages.sh

port=8000 screenshot="" keys="" build_only="" framing=canvas
while [ $# -gt 0 ]; do
    case $1 in
    --port) port=${2:?--port needs a number}; shift 2 ;;
    --screenshot)
        screenshot=${2:?--screenshot needs a file}
        [ "${screenshot#/}" != "$screenshot" ] || screenshot=$caller/$screenshot  # the caller's folder
        shift 2 ;;
    --keys) keys=${2?--keys needs keys}; shift 2 ;;
    --page) framing=page; shift ;;
    --phone) framing=phone; shift ;;
    --lesson) framing=lesson; shift ;;
    --build) build_only=1; shift ;;
    *) sed -n '2,14s/^# \{0,1\}//p' "$0" >&2; exit 2 ;;
    esac
done

# Emscripten brings Node.js, which serves the page; npm only fetches the
# browser driver that screenshots need.
packages=("${web_build[@]}")
[ -z "$screenshot" ] || packages+=("${browser[@]}")
scripts/ensure-packages.sh "${packages[@]}"

# Debian's emscripten needs to be told where its node modules and Python are.
export NODE_PATH=/usr/share/nodejs EMSDK_PYTHON=/usr/bin/python3
# Optimised for size: the page carries its WebAssembly inside itself, and a
# quarter less of it is read, made into a module and sent sooner.
if ! configured=$(emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=MinSizeRel 2>&1); then
    echo "$configured" >&2
    exit 1
fi
cmake --build build-web -j "$(nproc)" --target hand-viewer-html
site=$PWD/build-web/site

[ -z "$build_only" ] || exit 0
if [ -n "$screenshot" ]; then
    scripts/npm-modules.sh
    exec node tests/web/drivers/screenshot.mjs "$site" "$screenshot" "$framing" "$keys"
fi
exec node src/web/tools/serve.mjs "$site" "$port"

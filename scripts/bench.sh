#!/usr/bin/env bash
# Builds the frame benchmark and runs it on a private Xvfb: how fast frames
# are drawn and swapped, which is the pace of every motion. Arguments go to
# the benchmark, e.g. --benchmark_filter=oneFrame.
# With --web instead: the web page's payload, time to its first frame and
# motion pace, in headless Chromium.
set -eu
cd "$(dirname "$0")/.."

if [ "${1:-}" = --web ]; then
    scripts/ensure-packages.sh emscripten cmake make chromium npm
    scripts/web.sh --build
    scripts/npm-modules.sh
    exec node bench/web_bench.mjs build-web/site
fi

scripts/ensure-packages.sh g++ cmake make freeglut3-dev libglu1-mesa-dev libx11-dev \
    libpng-dev libbenchmark-dev xvfb

cmake -S . -B build
cmake --build build -j "$(nproc)" --target frame_bench
exec scripts/with-xvfb.sh build/bench/frame_bench "$@"

#!/usr/bin/env bash
# Builds the frame benchmark and runs it on a private Xvfb: how fast frames
# are drawn and swapped, which is the pace of every motion. Arguments go to
# the benchmark, e.g. --benchmark_filter=oneFrame.
# With --web instead: the web page's payload, time to its first frame (and
# a bare WebGL page's) and motion pace, in headless Chromium. With
# --lighthouse: Lighthouse's mobile and desktop scores for the page.
set -eu
cd "$(dirname "$0")/.."
. scripts/packages.sh

case "${1:-}" in
--web | --lighthouse)
    scripts/ensure-packages.sh "${web_build[@]}" "${browser[@]}"
    scripts/web.sh --build
    scripts/npm-modules.sh
    if [ "$1" = --web ]; then
        exec node bench/web_bench.mjs build-web/site
    fi
    # Lighthouse is large and only measures: it has its own pinned folder.
    (cd bench/lighthouse && npm ci --no-audit --no-fund)
    exec node bench/lighthouse/lighthouse.mjs build-web/site
    ;;
esac

scripts/ensure-packages.sh "${native_build[@]}" libbenchmark-dev xvfb

cmake -S . -B build
cmake --build build -j "$(nproc)" --target frame_bench
exec scripts/with-xvfb.sh build/bench/frame_bench "$@"

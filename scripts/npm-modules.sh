#!/usr/bin/env bash
# Installs the npm packages the page's tools need (Playwright, pngjs), at the
# versions package-lock.json pins, when node_modules is missing or older.
set -eu
cd "$(dirname "$0")/.."
if [ ! -d node_modules ] || [ package-lock.json -nt node_modules ]; then
    npm ci --no-audit --no-fund
    touch node_modules
fi

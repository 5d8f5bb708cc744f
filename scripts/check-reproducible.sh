#!/usr/bin/env bash
# Makes the release twice from the last commit, in two fresh clones in
# different folders, one after the other, and says whether the two
# SHA256SUMS agree: a release is the same bit for bit wherever and whenever
# it is made. Uncommitted changes are not in it.
# Usage: check-reproducible.sh [--keep]   (--keep leaves both clones)
set -eu
cd "$(dirname "$0")/.."

commit=$(git rev-parse HEAD)
scratch=$(mktemp -d)
[ "${1:-}" = --keep ] || trap 'rm -rf "$scratch"' EXIT
for copy in first second; do
    git clone --quiet --no-hardlinks . "$scratch/$copy"
    git -C "$scratch/$copy" checkout --quiet --detach "$commit"
    echo "Making the release in $scratch/$copy ..."
    (cd "$scratch/$copy" && bash scripts/release.sh > "$scratch/$copy.log" 2>&1) || {
        cat "$scratch/$copy.log" >&2
        exit 1
    }
done
if diff "$scratch/first/dist/SHA256SUMS" "$scratch/second/dist/SHA256SUMS"; then
    echo "Reproducible: both releases are the same bit for bit."
    cat "$scratch/first/dist/SHA256SUMS"
else
    echo "Not reproducible: the files above differ between the two releases." >&2
    exit 1
fi

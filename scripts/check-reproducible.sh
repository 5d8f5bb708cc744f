#!/usr/bin/env bash
# Makes the release twice from the last commit, in two fresh clones in
# different folders, both at once, and says whether the two SHA256SUMS
# agree: a release is the same bit for bit wherever and whenever it is made.
# Uncommitted changes are not in it. Its steps are shown as they start.
# Usage: check-reproducible.sh [--keep]   (--keep leaves both clones)
set -eu -o pipefail
cd "$(dirname "$0")/.."
. scripts/packages.sh

# Asked for here, once: two releases installing packages at once would
# fight over apt's lock.
scripts/ensure-packages.sh "${release[@]}"

commit=$(git rev-parse HEAD)
freeglut=build-windows/freeglut
keep=${1:-}
scratch=$(mktemp -d)
# Each release runs as a job of its own (job control on while they start),
# so that a failure or Ctrl-C here stops both, rather than leave them
# writing into a removed folder.
releases=()
finish() {
    [ ${#releases[@]} -eq 0 ] || kill -- "${releases[@]/#/-}" 2>/dev/null || true
    [ "$keep" = --keep ] || rm -rf "$scratch"
}
trap finish EXIT

# Its steps as they start, with the seconds since this check began; the
# whole log when it fails.
make_release() {
    local copy=$1
    echo "Making the release in $scratch/$copy ..."
    if ! (cd "$scratch/$copy" && bash scripts/release.sh 2>&1) | tee "$scratch/$copy.log" |
        sed -nu "s/^Release: \(.*\)/  $copy: \1/p" | while IFS= read -r step; do
            echo "[$SECONDS s] $step"
        done; then
        cat "$scratch/$copy.log" >&2
        return 1
    fi
}

for copy in first second; do
    git clone --quiet --no-hardlinks . "$scratch/$copy"
    git -C "$scratch/$copy" checkout --quiet --detach "$commit"
    # freeglut for Windows is built from Debian's source, not from the commit:
    # both copies take this tree's build of it, as they take its packages.
    if [ -f "$freeglut/install/lib/libglut.a" ]; then
        mkdir -p "$scratch/$copy/$freeglut"
        cp -a "$freeglut/install" "$freeglut/source" "$scratch/$copy/$freeglut/"
    fi
done
# Side by side: much of a release waits on one process at a time (packing,
# linking, lintian), so two at once take less time than one after the other.
set -m
for copy in first second; do
    make_release "$copy" &
    releases+=("$!")
done
set +m
made=yes
for release in "${releases[@]}"; do
    wait "$release" || made=no
done
[ "$made" = yes ] || exit 1

if diff "$scratch/first/dist/SHA256SUMS" "$scratch/second/dist/SHA256SUMS"; then
    echo "Reproducible: both releases are the same bit for bit."
    cat "$scratch/first/dist/SHA256SUMS"
else
    echo "Not reproducible: the files above differ between the two releases." >&2
    exit 1
fi

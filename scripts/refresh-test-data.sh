#!/bin/bash
# Brings tests/data/peer up to date with the shared folder of track files
# written by other programs, so that the tests never read outside the tree.
#   scripts/refresh-test-data.sh [SOURCE]
# SOURCE defaults to ../shared/fixtures/peer beside the repository (beside its
# main checkout when run in a git worktree). Files new or changed there are
# copied, files gone from there are deleted here; each is printed. Commit the
# result.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
src=${1:-$root/../shared/fixtures/peer}
if [ $# -eq 0 ] && [ ! -d "$src" ]; then
    common=$(git -C "$root" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
    [ -n "$common" ] && src=$(dirname "$common")/../shared/fixtures/peer
fi
dst=$root/tests/data/peer

if [ ! -d "$src" ]; then
    echo "no test data folder at $src" >&2
    exit 1
fi
src=$(cd "$src" && pwd)
mkdir -p "$dst"

added=0
changed=0
removed=0

# The shared copies are read-only; the ones in the tree must stay writable so
# that the next refresh and git can replace them.
while IFS= read -r -d '' file; do
    if [ ! -e "$dst/$file" ]; then
        echo "added    $file"
        added=$((added + 1))
    elif ! cmp -s "$src/$file" "$dst/$file"; then
        echo "changed  $file"
        changed=$((changed + 1))
    else
        continue
    fi
    install -D -m 644 "$src/$file" "$dst/$file"
done < <(cd "$src" && find . -type f -printf '%P\0' | sort -z)

while IFS= read -r -d '' file; do
    if [ ! -e "$src/$file" ]; then
        echo "removed  $file"
        rm -f "$dst/$file"
        removed=$((removed + 1))
    fi
done < <(cd "$dst" && find . -type f -printf '%P\0' | sort -z)
find "$dst" -mindepth 1 -type d -empty -delete

if [ $((added + changed + removed)) -eq 0 ]; then
    echo "tests/data/peer is up to date with $src"
else
    echo "$added added, $changed changed, $removed removed in tests/data/peer"
fi

#!/usr/bin/env bash
# Copies this checkout into DEST (made if missing) as a clone would have it,
# plus uncommitted files; no build trees. Without git (in a copy made so),
# everything but build/.
#
# usage: scripts/copy-checkout.sh DEST
set -euo pipefail

if [ $# -ne 1 ]; then
    echo "usage: $0 DEST" >&2
    exit 2
fi
project=$(cd "$(dirname "$0")/.." && pwd)
mkdir -p "$1"
if command -v git >/dev/null && git -C "$project" rev-parse --git-dir >/dev/null 2>&1; then
    git -C "$project" ls-files -z --cached --others --exclude-standard \
        | tar -c -C "$project" --no-recursion --null -T -
else
    tar -c -C "$project" --exclude=./build .
fi | tar -x -C "$1"

#!/usr/bin/env bash
# Runs the package's own tests (debian/tests) with autopkgtest against the
# package that the package test built (build/default/packages), building it
# first when it is missing. autopkgtest's null runner installs the package
# and its tests' packages on this machine: run it in a fresh tree
# (scripts/fresh-tree.sh, as .ci/run does) or on a machine meant for it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh autopkgtest
packages=build/default/packages
shopt -s nullglob
debs=("$packages"/zolta_*.deb)
if [ ${#debs[@]} -eq 0 ]; then
    tests/package/test_package.sh . "$packages"
    debs=("$packages"/zolta_*.deb)
fi
autopkgtest --no-built-binaries "${debs[@]}" ./ -- null

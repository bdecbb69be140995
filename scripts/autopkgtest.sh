#!/usr/bin/env bash
# Runs the package's own tests (debian/tests) with autopkgtest against the
# package that the package test built (build/default/packages), or, without
# one, against a package that autopkgtest builds from this checkout.
# autopkgtest's null runner installs the package and its tests' packages on
# this machine: run it in a fresh tree (scripts/fresh-tree.sh, as .ci/run
# does) or on a machine meant for it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh autopkgtest
shopt -s nullglob
debs=(build/default/packages/zolta_*.deb)
if [ ${#debs[@]} -gt 0 ]; then
    exec autopkgtest --no-built-binaries "${debs[@]}" ./ -- null
fi
exec autopkgtest ./ -- null

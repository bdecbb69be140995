#!/usr/bin/env bash
# Builds Zolta and runs every test:
#   1. clang-tidy and cppcheck over our code (scripts/analyze.sh);
#   2. the suite under AddressSanitizer and UndefinedBehaviorSanitizer, all
#      but the Debian package test (a package is built from the normal tree);
#   3. each fuzzer over its committed corpus, once;
#   4. the whole suite in the normal build: unit and widget tests headless,
#      end-to-end tests in their own X server, the Debian package test.
# The normal run comes last, so that its CTest summary closes the output.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test

cmake --preset default >/dev/null
cmake --build --preset default

echo "== Static analysis"
scripts/analyze.sh

echo "== Sanitizers"
cmake --preset asan >/dev/null
cmake --build --preset asan
ctest --preset asan

echo "== Fuzz corpora"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

echo "== Tests"
ctest --preset default

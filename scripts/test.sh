#!/usr/bin/env bash
# Builds Zolta and runs every test: unit and widget tests headless, end-to-end
# tests in their own X server.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset default >/dev/null
cmake --build --preset default
ctest --preset default

#!/usr/bin/env bash
# Builds Zolta and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
cmake --preset default >/dev/null
cmake --build --preset default --target Zolta
exec build/default/src/Zolta

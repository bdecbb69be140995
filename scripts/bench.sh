#!/usr/bin/env bash
# Builds Zolta and prints its benchmark figures (medians of repeated runs).
#   scripts/bench.sh            draw-all timings
#   scripts/bench.sh --plain    also the plain list-search algorithm at
#                               N = 32767 (takes minutes)
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset default >/dev/null
cmake --build --preset default --target bench_drawall Zolta >/dev/null

plain_max=4096
[ "${1:-}" = "--plain" ] && plain_max=32767

echo "== Draw-all (offscreen): tick = drawing and filling the list; repaint = window paint after it"
QT_QPA_PLATFORM=offscreen build/default/bench/bench_drawall --plain-max "$plain_max" 2>/dev/null

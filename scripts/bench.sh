#!/usr/bin/env bash
# Builds Zolta and prints its benchmark figures (medians of repeated runs).
#   scripts/bench.sh            start-up time and peak memory beside a minimal
#                               Qt window, the draw-all timings and the
#                               exhaustion test of a press on a full list
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake --preset default >/dev/null
cmake --build --preset default --target bench_drawall minimal_window Zolta >/dev/null

echo "== Draw-all under Xvfb: tick = drawing and filling the list; repaint = window paint after it;"
echo "   exhaustion test = what a press with skipping on checks before it draws"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    build/default/bench/bench_drawall 2>/dev/null

echo
echo "== Start-up under Xvfb: process start until the window is mapped; peak resident memory"
xvfb-run -a -s "-screen 0 1024x768x24 -nolisten tcp" \
    /usr/bin/python3 bench/startup_bench.py "${ZOLTA_BENCH_RUNS:-21}" \
    build/default/src/Zolta build/default/bench/minimal_window

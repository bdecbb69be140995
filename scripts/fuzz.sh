#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, ASan, UBSan: the fuzz preset) and
# runs each one for SECONDS (default 60), one after the other, starting from
# its committed corpus in fuzz/corpus/. New inputs go to build/fuzz/scratch/,
# crash inputs to build/fuzz/artifacts/; the committed corpus is only read.
# Exits non-zero when a target found a fault.
#
# usage: scripts/fuzz.sh [SECONDS]
# To read a crash input step by step:
#   ZOLTA_FUZZ_TRACE=1 QT_QPA_PLATFORM=offscreen build/fuzz/fuzz/fuzz_window FILE
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

seconds=${1:-60}
if ! [[ "$seconds" =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [SECONDS]" >&2
    exit 2
fi

scripts/deps.sh fuzz
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$root/sanitizers/lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
# Shorter allocation stacks and a smaller quarantine: the window fuzzer builds a
# whole window per input, and these nearly halve its time per input.
export ASAN_OPTIONS="malloc_context_size=8:quarantine_size_mb=32:max_malloc_fill_size=0"

status=0
summary=()
for target in fuzz_numbers fuzz_window; do
    scratch=build/fuzz/scratch/$target
    artifacts=build/fuzz/artifacts/$target
    log=build/fuzz/$target.log
    mkdir -p "$scratch" "$artifacts"
    options=(-max_total_time="$seconds" -timeout=30 -print_final_stats=1
        -artifact_prefix="$artifacts/")
    if [ "$target" = fuzz_window ]; then
        # A leak check after every window input costs four times the input
        # itself; leaks are still looked for at exit and by the corpus
        # regression tests. Long action sequences from the start: the
        # interesting states lie many actions deep.
        options+=(-detect_leaks=0 -max_len=128 -len_control=0)
    fi

    echo "== $target: ${seconds} s, log in $log"
    # The first corpus folder receives the new inputs: the scratch one.
    if "build/fuzz/fuzz/$target" "${options[@]}" "$scratch" "fuzz/corpus/$target" >"$log" 2>&1; then
        verdict=clean
    else
        verdict="FOUND A FAULT"
        status=1
        grep -E '^(fuzz_[a-z]+: |==[0-9]+==ERROR|SUMMARY|.*runtime error)' "$log" | head -n 5 || true
        grep -E 'Test unit written to' "$log" || true
    fi

    final_stat() { grep -E "^stat::$1:" "$log" | awk '{print $2}' | tail -n 1 || true; }
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$log" | tail -n 1 || true)
    summary+=("$(printf '%-13s %-14s execs %-9s exec/s %-6s %-22s new inputs %s' \
        "$target" "$verdict" "$(final_stat number_of_executed_units)" \
        "$(final_stat average_exec_per_sec)" "${coverage:-cov: ?}" "$(final_stat new_units_added)")")
done

echo
echo "== summary (${seconds} s each)"
printf '%s\n' "${summary[@]}"
exit "$status"

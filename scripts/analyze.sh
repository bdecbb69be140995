#!/usr/bin/env bash
# Static analysis of our own code: clang-tidy with the checks of .clang-tidy
# over every file of src/ in the default build's compile_commands.json,
# cppcheck over src/, and clang-format (.clang-format) over all our C++.
# Exits non-zero on any finding of any of them, and when a tool or the files
# to check are missing.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh analyze
for tool in run-clang-tidy clang-tidy cppcheck clang-format; do
    if ! command -v "$tool" >/dev/null; then
        echo "analyze: $tool is missing" >&2
        exit 2
    fi
done

build=build/default
# The compile database and the configured headers (version.h) come from
# configuring; the moc and rcc output is neither needed nor checked.
if [ ! -f "$build/compile_commands.json" ]; then
    cmake --preset default >/dev/null
fi

# Our translation units: src/ only, not the generated *_autogen or qrc files.
units=$(grep -c "\"file\": \"$root/src/" "$build/compile_commands.json" || true)
if [ "$units" -eq 0 ]; then
    echo "analyze: no file of src/ in $build/compile_commands.json" >&2
    exit 2
fi

status=0
echo "clang-tidy: $units files"
tidy_log=$(mktemp)
trap 'rm -f "$tidy_log"' EXIT
if ! run-clang-tidy -p "$build" -quiet -j "$(nproc)" "^$root/src/" >"$tidy_log" 2>&1; then
    status=1
fi
# Only the findings: not the command lines, nor the "N warnings generated"
# counts of suppressed system-header noise.
grep -v -E '^([0-9]+ warnings? (and [0-9]+ errors? )?generated\.|.*clang-tidy(-[0-9]+)? .*-p=)' \
    "$tidy_log" || true

echo "cppcheck: src/"
# normalCheckLevelMaxBranches (cppcheck 2.11 and later) only says that the
# analysis was bounded.
if ! cppcheck --quiet --error-exitcode=1 --std=c++17 --language=c++ --library=qt \
    --enable=warning,style,performance,portability --inline-suppr \
    --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
    --suppress=normalCheckLevelMaxBranches \
    -I src -I "$build/src" \
    --template='{file}:{line}: {severity} ({id}): {message}' \
    src; then
    status=1
fi

# All our C++, found in the tree itself: a tarball or a fresh tree has no git.
mapfile -t sources < <(find src tests fuzz bench -name '*.cpp' -o -name '*.h' | sort)
echo "clang-format: ${#sources[@]} files"
if [ ${#sources[@]} -eq 0 ]; then
    echo "analyze: found no C++ files to check the format of" >&2
    exit 2
fi
if ! clang-format --dry-run -Werror "${sources[@]}"; then
    status=1
fi

if [ "$status" -eq 0 ]; then
    echo "analyze: no findings"
else
    echo "analyze: findings above" >&2
fi
exit "$status"

#!/usr/bin/env bash
# Static analysis of our own code: clang-tidy with the checks of .clang-tidy
# over every file of src/ in the default build's compile_commands.json,
# cppcheck over src/, and clang-format (.clang-format) over all our C++.
# Exits non-zero on any finding of any of them.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/deps.sh analyze

build=build/default
# The compile database and the configured headers (version.h) come from
# configuring; the moc and rcc output is neither needed nor checked.
if [ ! -f "$build/compile_commands.json" ]; then
    cmake --preset default >/dev/null
fi

# Our translation units: src/ only, not the generated *_autogen or qrc files.
mapfile -t units < <(python3 - "$build/compile_commands.json" "$root/src/" <<'PY'
import json, sys
database, src = sys.argv[1], sys.argv[2]
files = sorted({entry["file"] for entry in json.load(open(database))
                if entry["file"].startswith(src)})
print("\n".join(files))
PY
)
if [ ${#units[@]} -eq 0 ]; then
    echo "analyze: no file of src/ in $build/compile_commands.json" >&2
    exit 2
fi

status=0
echo "clang-tidy: ${#units[@]} files"
tidy_log=$(mktemp)
trap 'rm -f "$tidy_log"' EXIT
# Two at a time: the machine is shared.
if ! printf '%s\0' "${units[@]}" \
    | xargs -0 -n 1 -P 2 clang-tidy -p "$build" --quiet --warnings-as-errors='*' \
        >"$tidy_log" 2>&1; then
    status=1
fi
# clang-tidy prints "N warnings generated" for suppressed system-header noise.
grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$tidy_log" || true

echo "cppcheck: src/"
if ! cppcheck --quiet --error-exitcode=1 --std=c++17 --language=c++ --library=qt \
    --enable=warning,style,performance,portability --inline-suppr \
    --suppress=missingIncludeSystem --suppress=unmatchedSuppression \
    -I src -I "$build/src" \
    --template='{file}:{line}: {severity} ({id}): {message}' \
    src; then
    status=1
fi

echo "clang-format: the C++ sources"
mapfile -t sources < <(git ls-files 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'fuzz/*.cpp' \
    'bench/*.cpp')
if ! clang-format --dry-run -Werror "${sources[@]}"; then
    status=1
fi

if [ "$status" -eq 0 ]; then
    echo "analyze: no findings"
else
    echo "analyze: findings above" >&2
fi
exit "$status"

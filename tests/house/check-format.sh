#!/usr/bin/env bash
# Fails on any C++ file of ours that clang-format would change; run `clang-format -i FILE` to mend it.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
format=${CLANG_FORMAT:-clang-format}
files=$(git ls-files --cached --others --exclude-standard -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
    'fuzz/*.cpp' 'fuzz/*.h' 2>/dev/null || find src tests bench fuzz -name '*.cpp' -o -name '*.h')
count=$(echo "$files" | wc -l)
echo "$files" | xargs "$format" --dry-run -Werror
echo "format: $count files as .clang-format wants them"

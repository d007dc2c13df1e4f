#!/usr/bin/env bash
# Runs shellcheck over every shell script of ours: scripts/ (those with a sh or bash line at the top),
# tests/**/*.sh and .ci/run. Warnings and errors fail; a sourced helper is followed from its caller's
# folder, so a variable set for it counts as used.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
cd "$root"
command -v shellcheck >/dev/null || { echo "shell: shellcheck is missing (scripts/setup installs it)" >&2; exit 1; }
files=()
for f in scripts/*; do
    head -n 1 "$f" | grep -Eq '^#!.*[/ ](ba)?sh$' && files+=("$f")
done
while IFS= read -r f; do
    files+=("$f")
done < <(find tests -name '*.sh' | sort)
files+=(.ci/run)
shellcheck --severity=warning --external-sources --source-path=SCRIPTDIR "${files[@]}"
echo "shell: ${#files[@]} scripts without a shellcheck warning"

#!/usr/bin/env bash
# ESLint (pinned in tests/house/eslint) over the web pages' scripts. The pages load every script from
# its own file, which is what the linter sees; an inline script would escape it, so none is allowed.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
here="$root/tests/house/eslint"
for tool in node npm; do
    command -v "$tool" >/dev/null || { echo "web: $tool is missing (scripts/setup installs it)" >&2; exit 1; }
done
(cd "$here" && { npm ci --offline --no-audit --no-fund >/dev/null 2>&1 || npm ci --no-audit --no-fund >/dev/null; })
cd "$root"
inline=$(grep -nE '<script( [^>]*)?>' src/network/web/*.html | grep -v ' src=' || true)
if [ -n "$inline" ]; then
    echo "web: inline scripts, which ESLint does not see; move them into a .js file:" >&2
    echo "$inline" >&2
    exit 1
fi
"$here/node_modules/.bin/eslint" --max-warnings 0 --config "$here/eslint.config.js" src/network/web
echo "web: $(find src/network/web -name '*.js' | wc -l) scripts without an ESLint finding"

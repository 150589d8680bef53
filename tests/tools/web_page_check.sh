#!/usr/bin/env bash
# One browser test of the web page (see tests/web/page_test.js), in the system Chromium through puppeteer-core.
# Exit 77 (skipped, with the reason) where the page, chromium or the node packages are missing.
# Usage: web_page_check.sh SOURCE_DIR PAGE_DIR NATIVE_HEADLESS WORK_DIR MODE
set -uo pipefail
src="$1" page="$2" native="$3" work="$4" mode="$5"
chromium=${VORNA_CHROMIUM:-/usr/bin/chromium}
command -v node >/dev/null 2>&1 || { echo "skipped: node is not installed"; exit 77; }
[ -x "$chromium" ] || { echo "skipped: $chromium is not installed"; exit 77; }
[ -d "$src/tests/web/node_modules/puppeteer-core" ] ||
  { echo "skipped: puppeteer-core is not installed (scripts/install-deps runs npm ci in tests/web)"; exit 77; }
[ -s "$page/vorna.html" ] || { echo "skipped: the page was not built (emscripten missing?)"; exit 77; }
mkdir -p "$work"
arg=()
if [ "$mode" = load ]; then
  "$native" --frames 200 --dump-dir "$work" --dump-frames 200 >/dev/null || { echo "FAILED: vorna-headless"; exit 1; }
  arg=("$work/frame-000200.png")
fi
export VORNA_CHROMIUM="$chromium"
exec node "$src/tests/web/page_test.js" "$page" "$mode" "${arg[@]}"

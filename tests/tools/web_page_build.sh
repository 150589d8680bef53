#!/usr/bin/env bash
# Builds the game's web page with emscripten into PAGE_DIR for the browser tests. Exit 77 (skipped)
# without em++. Usage: web_page_build.sh SOURCE_DIR BUILD_DIR ASSET_DIR PAGE_DIR
set -uo pipefail
src="$1" dir="$2" assets="$3" page="$4"
for tool in em++ emcmake node; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -f "$src/tests/web/node_modules/js-synthesizer/package.json" ] ||
  { echo "skipped: the page's synthesizer is not installed (npm ci in tests/web)"; exit 77; }
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
mkdir -p "$dir"
emcmake cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNA_DESKTOP=OFF \
  -DVORNA_ASSET_DIR="$assets" -DVORNA_WEB_PAGE_DIR="$page" >"$dir/configure.log" 2>&1 ||
  { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j "${VORNA_CROSS_JOBS:-2}" --target vorna-page >"$dir/page-build.log" 2>&1 ||
  { tail -n 60 "$dir/page-build.log"; exit 1; }
if grep -n "warning:" "$dir/page-build.log"; then exit 1; fi
for f in vorna.html vorna.js vorna.wasm TimGM6mb.sf2 m00.dat js-synthesizer.min.js libfluidsynth-2.4.6.js; do
  [ -s "$page/$f" ] || { echo "FAILED: $page/$f was not made"; exit 1; }
done
echo "page built in $page: $(du -cb "$page"/vorna.{html,js,wasm} "$page"/TimGM6mb.sf2 "$page"/js-synthesizer.min.js \
  "$page"/libfluidsynth-2.4.6.js | tail -n1 | cut -f1) bytes (html, js, wasm, SoundFont, synthesizer)"

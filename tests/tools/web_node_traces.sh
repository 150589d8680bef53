#!/usr/bin/env bash
# Builds vorna-headless with emscripten and checks that under node it gives the native runner's traces
# byte for byte: the attract loop and every committed replay. Exit 77 (skipped) without em++ or node.
# Usage: web_node_traces.sh SOURCE_DIR BUILD_DIR ASSET_DIR NATIVE_HEADLESS REPLAY_DIR WORK_DIR
set -uo pipefail
src="$1" dir="$2" assets="$3" native="$4" replays="$5" work="$6"
for tool in em++ emcmake node; do
  command -v "$tool" >/dev/null 2>&1 || { echo "skipped: $tool is not installed"; exit 77; }
done
# Debian's emscripten finds its JavaScript parser only through NODE_PATH.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
fail() {
  echo "FAILED: $*"
  exit 1
}
mkdir -p "$dir" "$work"
emcmake cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVORNA_DESKTOP=OFF -DVORNA_WERROR=ON \
  -DVORNA_ASSET_DIR="$assets" >"$dir/configure.log" 2>&1 || { cat "$dir/configure.log"; exit 1; }
cmake --build "$dir" -j "${VORNA_CROSS_JOBS:-2}" --target vorna-headless >"$dir/build.log" 2>&1 ||
  { tail -n 60 "$dir/build.log"; exit 1; }
if grep -n "warning:" "$dir/build.log"; then exit 1; fi
web="$dir/src/programs/vorna-headless.js"
[ -f "$web" ] || fail "$web was not built"
# node 20's fetch cannot load a local .wasm; the loader's file reading can.
run_web() { node --no-experimental-fetch "$web" "$@"; }
cd "$work" || exit 1
rm -f ./*.trace
for run in "700 none" "300 /S"; do
  set -- $run
  args=(--frames "$1")
  [ "$2" != none ] && args+=(--switches "$2")
  "$native" "${args[@]}" --trace native.trace || fail "native vorna-headless ${args[*]}"
  run_web "${args[@]}" --trace web.trace || fail "node vorna-headless.js ${args[*]}"
  cmp native.trace web.trace || fail "traces differ for ${args[*]}"
  echo "identical traces: ${args[*]} ($(wc -l <web.trace) frames)"
done
shopt -s nullglob
count=0
for input in "$replays"/*.input; do
  name=$(basename "$input" .input)
  frames=1000
  [ -f "$replays/$name.frames" ] && frames=$(head -n1 "$replays/$name.frames" | tr -d '[:space:]')
  args=(--frames "$frames" --input "$input")
  [ -f "$replays/$name.switches" ] && args+=(--switches "$(head -n1 "$replays/$name.switches")")
  run_web "${args[@]}" --expect "$replays/$name.trace" >/dev/null || fail "replay $name under node"
  count=$((count + 1))
done
[ "$count" -gt 0 ] || fail "no replays found in $replays"
echo "all $count replays pass under node"

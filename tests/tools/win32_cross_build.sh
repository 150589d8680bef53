#!/usr/bin/env bash
# Configures and builds one mingw-w64 cross build of the tree; exit 77 (skipped) without the cross compiler.
# Usage: win32_cross_build.sh SOURCE_DIR BUILD_DIR TOOLCHAIN_FILE [cmake arguments...]
set -uo pipefail
src="$1" dir="$2" toolchain="$3"
shift 3
compiler=$(sed -n 's/^set(CMAKE_CXX_COMPILER \(.*\))$/\1/p' "$toolchain")
if ! command -v "$compiler" >/dev/null 2>&1; then
  echo "skipped: $compiler is not installed"
  exit 77
fi
mkdir -p "$dir"
if ! cmake -S "$src" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DVORNA_WERROR=ON "$@" >"$dir/configure.log" 2>&1; then
  cat "$dir/configure.log"
  exit 1
fi
# The cross build must be as clean as the native one: any warning fails it.
if ! cmake --build "$dir" -j "${VORNA_CROSS_JOBS:-2}" >"$dir/build.log" 2>&1; then
  tail -n 60 "$dir/build.log"
  exit 1
fi
if grep -n "warning:" "$dir/build.log"; then
  exit 1
fi
for exe in vorna.exe vorna-headless.exe; do
  [ -f "$dir/src/programs/$exe" ] || { echo "$exe was not built"; exit 1; }
done
echo "built $dir/src/programs/vorna.exe and vorna-headless.exe"

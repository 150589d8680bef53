#!/usr/bin/env bash
# cmake --install into a temporary DESTDIR and prefix, then moves the whole prefix elsewhere: the program
# must still print its version and find its songs in its data directory, relative to where it now lies.
# Usage: package_relocate.sh BUILD_DIR HEADLESS FRAME_SCALE WORKDIR VERSION
set -u
source "$(dirname "$0")/package_layout.sh"
build="$1"
headless="$2"
scale="$3"
work="$4"
version="$5"

rm -rf "$work"
mkdir -p "$work"
DESTDIR="$work/root" cmake --install "$build" --prefix /opt/vorna >"$work/install.log" 2>&1 ||
  { echo "FAIL: cmake --install"; cat "$work/install.log"; exit 1; }
installed="$work/root/opt/vorna"
got=$(vorna_files_under "$installed")
want=$(vorna_installed_files)
[ "$got" = "$want" ] || { echo "FAIL: installed files differ:"; diff <(echo "$want") <(echo "$got"); exit 1; }
echo "ok: cmake --install with DESTDIR and a prefix writes the $(wc -l <<<"$got") files of the layout"

moved="$work/moved"
mv "$installed" "$moved"
moved=$(realpath "$moved")
out=$("$moved/games/vorna" --version)
rc=$?
[ "$rc" = 0 ] && [ "$out" = "vorna $version" ] || { echo "FAIL: --version gave '$out' (exit $rc)"; exit 1; }
echo "ok: the moved program prints '$out'"

# Started through a link from elsewhere (as from a bin directory), it still goes by its real location.
mkdir -p "$work/bin"
ln -s "$moved/games/vorna" "$work/bin/vorna"
exec "$(dirname "$0")/desktop_smoke.sh" "$work/bin/vorna" "$headless" "$scale" "$work/smoke" installed \
  "$moved/share/games/vorna"

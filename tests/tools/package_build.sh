#!/usr/bin/env bash
# Builds the Debian package with CPack and checks its name, its fields, its files and their modes.
# Usage: package_build.sh BUILD_DIR VERSION
set -u
source "$(dirname "$0")/package_layout.sh"
build="$1"
version="$2"
deb="$build/vorna_${version}_amd64.deb"

command -v dpkg-deb >/dev/null 2>&1 || { echo "skipped: dpkg-deb is not installed"; exit 77; }
command -v dpkg-shlibdeps >/dev/null 2>&1 || { echo "skipped: dpkg-shlibdeps (dpkg-dev) is not installed"; exit 77; }
rm -f "$deb"
(cd "$build" && cpack -G DEB >cpack.log 2>&1) || { echo "FAIL: cpack"; cat "$build/cpack.log"; exit 1; }
[ -f "$deb" ] || { echo "FAIL: cpack wrote no $deb"; ls "$build"/*.deb 2>/dev/null; exit 1; }

field() { dpkg-deb -f "$deb" "$1"; }
fail=0
expect_field() { # name pattern
  local value
  value=$(field "$1")
  if ! grep -Eq "$2" <<<"$value"; then echo "FAIL: $1 is '$value', expected /$2/"; fail=1; fi
}
expect_field Package '^vorna$'
expect_field Version "^${version//./\\.}$"
expect_field Architecture '^amd64$'
expect_field Section '^games$'
expect_field Maintainer '^[^<]+ <[^@>]+@[^>]+>$'
# Computed from the binary: SDL2 and FluidSynth at least; the font is needed, a SoundFont recommended.
expect_field Depends 'libsdl2-2\.0-0'
expect_field Depends 'libfluidsynth'
expect_field Depends 'fonts-ipafont-gothic'
expect_field Recommends 'timgm6mb-soundfont'

listing=$(dpkg-deb -c "$deb")
got=$(awk '$1 !~ /^d/ {sub(/^\.\/usr\//, "", $6); print $6}' <<<"$listing" | LC_ALL=C sort)
want=$(vorna_installed_files)
if [ "$got" != "$want" ]; then
  echo "FAIL: the package's files differ from the installation's:"
  diff <(echo "$want") <(echo "$got")
  fail=1
fi
# Everyone may read everything, only the program is executable, and root owns it all.
bad_modes=$(awk '$1 !~ /^d/ && !(($1 == "-rw-r--r--") || ($1 == "-rwxr-xr-x" && $6 == "./usr/games/vorna")) {print $1, $6}' <<<"$listing")
[ -z "$bad_modes" ] || { echo "FAIL: unexpected modes:"; echo "$bad_modes"; fail=1; }
bad_owners=$(awk '$2 != "root/root" {print $2, $6}' <<<"$listing")
[ -z "$bad_owners" ] || { echo "FAIL: not owned by root:"; echo "$bad_owners"; fail=1; }
[ "$fail" = 0 ] || exit 1
echo "ok: $(basename "$deb") with $(wc -l <<<"$got") files; Depends: $(field Depends)"

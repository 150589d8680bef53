#!/usr/bin/env bash
# Installs the Debian package with dpkg, starts /usr/games/vorna from another directory (its window must
# show the headless frame and its songs must come from /usr/share/games/vorna), removes it and checks that
# no file is left. Root only: skipped otherwise.
# Usage: package_install.sh DEB HEADLESS FRAME_SCALE WORKDIR VERSION
set -u
source "$(dirname "$0")/package_layout.sh"
deb="$1"
headless="$2"
scale="$3"
work="$4"
version="$5"

[ "$(id -u)" = 0 ] || { echo "skipped: installing a package needs root"; exit 77; }
command -v dpkg >/dev/null 2>&1 || { echo "skipped: dpkg is not installed"; exit 77; }
[ -f "$deb" ] || { echo "FAIL: $deb is missing (package.build makes it)"; exit 1; }
status() { dpkg-query -W -f='${db:Status-Status}' vorna 2>/dev/null; }
case "$(status)" in
"" | not-installed) ;;
*) echo "skipped: a vorna package is already installed here; the test does not replace it"; exit 77 ;;
esac

rm -rf "$work"
mkdir -p "$work"
trap '[ "$(status)" = installed ] && dpkg -r vorna >/dev/null 2>&1' EXIT
dpkg -i "$deb" >"$work/dpkg-i.log" 2>&1 || { echo "FAIL: dpkg -i"; cat "$work/dpkg-i.log"; exit 1; }
files=$(vorna_installed_files | sed 's|^|/usr/|')
listed=$(dpkg -L vorna | while read -r f; do [ -f "$f" ] && echo "$f"; done | LC_ALL=C sort)
[ "$listed" = "$files" ] || { echo "FAIL: dpkg -L differs:"; diff <(echo "$files") <(echo "$listed"); exit 1; }
out=$(cd / && /usr/games/vorna --version 2>&1)
[ "$out" = "vorna $version" ] || { echo "FAIL: /usr/games/vorna --version gave '$out'"; exit 1; }
echo "ok: dpkg -i installed $(wc -l <<<"$files") files; the program prints '$out'"

"$(dirname "$0")/desktop_smoke.sh" /usr/games/vorna "$headless" "$scale" "$work/smoke" installed \
  /usr/share/games/vorna || exit 1

dpkg -r vorna >"$work/dpkg-r.log" 2>&1 || { echo "FAIL: dpkg -r"; cat "$work/dpkg-r.log"; exit 1; }
left=$(while read -r f; do [ -e "$f" ] && echo "$f"; done <<<"$files")
for d in /usr/share/games/vorna /usr/share/doc/vorna; do [ -e "$d" ] && left+=$'\n'"$d"; done
[ -z "${left//$'\n'/}" ] || { echo "FAIL: left after dpkg -r:$left"; exit 1; }
[ "$(status)" = not-installed ] || [ -z "$(status)" ] || { echo "FAIL: dpkg status '$(status)' after -r"; exit 1; }
echo "ok: dpkg -r removed every file"

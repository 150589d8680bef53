#!/usr/bin/env bash
# Runs lintian on the package that package.build made: no error may be reported.
# Usage: package_lintian.sh DEB
set -u
deb="$1"
command -v lintian >/dev/null 2>&1 || { echo "skipped: lintian is not installed"; exit 77; }
[ -f "$deb" ] || { echo "FAIL: $deb is missing (package.build makes it)"; exit 1; }
report=$(lintian --tag-display-limit 0 "$deb" 2>&1)
echo "$report"
if grep -q '^E: ' <<<"$report"; then
  echo "FAIL: lintian reports $(grep -c '^E: ' <<<"$report") error(s)"
  exit 1
fi
echo "ok: lintian reports no error ($(grep -c '^W: ' <<<"$report") warning(s))"

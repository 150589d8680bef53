# Sourced by the package tests: the files an installation of vorna holds, relative to its prefix.
# Prints one path a line, sorted.
vorna_installed_files() {
  local app_id="io.github.vorna_tessik.vorna" size n
  {
    echo games/vorna
    for n in 0 1 2 3 4 5 6 7 8 9 a b c d; do echo "share/games/vorna/m0$n.dat"; done
    echo "share/applications/$app_id.desktop"
    echo "share/metainfo/$app_id.metainfo.xml"
    for size in 16 22 24 32 48 64 128 256; do echo "share/icons/hicolor/${size}x${size}/apps/vorna.png"; done
    echo share/man/man6/vorna.6.gz
    echo share/doc/vorna/copyright
    echo share/doc/vorna/changelog.gz
  } | LC_ALL=C sort
}

# The regular files under a directory, relative to it, sorted.
vorna_files_under() {
  (cd "$1" && find . -type f -o -type l) | sed 's|^\./||' | LC_ALL=C sort
}

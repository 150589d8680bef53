# The Debian package through CPack: make package (or cpack in the build) writes vorna_<version>_amd64.deb.
if(NOT TARGET vorna OR NOT TARGET vorna-install-files)
  return()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vorna)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "VORNA-TESSIK Improve developers")
set(CPACK_PACKAGE_CONTACT "VORNA-TESSIK Improve developers <vorna-tessik@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "action game: steer a bouncing globe through ten missions")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_FILE_NAME vorna_${PROJECT_VERSION}_amd64)
# Installed programs carry no debugging symbols (the build tree keeps them).
set(CPACK_STRIP_FILES ON)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_PACKAGE_NAME vorna)
set(CPACK_DEBIAN_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/vorna-tessik/vorna-improve")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The menu and version box need a Japanese font; the music needs a General MIDI SoundFont, but the game
# runs silent without one, so it is only recommended.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "timgm6mb-soundfont | sf2-soundfont-gm")
# The synopsis is the summary above; CPack indents each of these lines by one space.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "A small two-dimensional action game. You steer the globe, a ball with
three forms (SUN, TERA and MOON) that always travels at its heading and
speed across a field of 5 by 10 cells, bouncing off the walls and the
blocks. A mission is won when every destructible block is gone; the tenth
mission has a fleeing creature, VORNA, that must be rammed until its
strength is spent.
.
The game is deterministic: the same input gives the same frames. It plays
in a window of five sizes or full screen, with a keyboard or a joystick.")
include(CPack)

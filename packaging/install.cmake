# cmake --install for the desktop program, in the layout of Debian's games (DESTDIR and any prefix work).
if(NOT TARGET vorna OR NOT TARGET vorna-assetgen)
  return()
endif()

set(VORNA_APP_ID "io.github.vorna_tessik.vorna")
set(VORNA_HOMEPAGE "https://github.com/vorna-tessik/vorna-improve")
set(VORNA_SCREENSHOT_URL "${VORNA_HOMEPAGE}/raw/main/docs/screenshots")
set(VORNA_INSTALL_PROGRAM_DIR games)
set(VORNA_INSTALL_DATA_DIR share/games/vorna)
set(VORNA_ICON_SIZES 16 22 24 32 48 64 128 256)

# The program finds its songs from its own directory, so the relative step is derived from the layout above.
file(RELATIVE_PATH data_from_program /${VORNA_INSTALL_PROGRAM_DIR} /${VORNA_INSTALL_DATA_DIR})
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/backends/sdl2/data_dirs.cpp TARGET_DIRECTORY vorna_sdl2_backend
             APPEND PROPERTY COMPILE_DEFINITIONS VORNA_DATA_FROM_PROGRAM="${data_from_program}")

set(linux_src ${CMAKE_SOURCE_DIR}/packaging/linux)
set(linux_out ${CMAKE_BINARY_DIR}/packaging/linux)
configure_file(${linux_src}/vorna.desktop.in ${linux_out}/${VORNA_APP_ID}.desktop @ONLY)
configure_file(${linux_src}/vorna.metainfo.xml.in ${linux_out}/${VORNA_APP_ID}.metainfo.xml @ONLY)
configure_file(${linux_src}/vorna.6.in ${linux_out}/vorna.6 @ONLY)
configure_file(${linux_src}/changelog.in ${linux_out}/changelog @ONLY)

# Debian wants manuals and changelogs compressed, without a time stamp so that builds repeat.
find_program(VORNA_GZIP gzip REQUIRED)
foreach(doc vorna.6 changelog)
  add_custom_command(
    OUTPUT ${linux_out}/${doc}.gz
    COMMAND ${VORNA_GZIP} -9nf -k ${linux_out}/${doc}
    DEPENDS ${linux_out}/${doc}
    VERBATIM)
endforeach()

# The theme's icons, drawn at each size from the same pictures as the Windows icon.
set(icon_dir ${linux_out}/icons)
set(icon_files)
foreach(size ${VORNA_ICON_SIZES})
  list(APPEND icon_files ${icon_dir}/vorna-${size}.png)
endforeach()
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${icon_dir}
  COMMAND vorna-assetgen --icons ${icon_dir} ${VORNA_ICON_SIZES}
  DEPENDS vorna-assetgen
  COMMENT "Drawing the desktop icons"
  VERBATIM)
add_custom_target(vorna-install-files ALL DEPENDS ${icon_files} ${linux_out}/vorna.6.gz ${linux_out}/changelog.gz)

install(TARGETS vorna RUNTIME DESTINATION ${VORNA_INSTALL_PROGRAM_DIR})
get_property(install_music GLOBAL PROPERTY VORNA_MUSIC_FILES)
install(FILES ${install_music} DESTINATION ${VORNA_INSTALL_DATA_DIR})
install(FILES ${linux_out}/${VORNA_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${linux_out}/${VORNA_APP_ID}.metainfo.xml DESTINATION share/metainfo)
foreach(size ${VORNA_ICON_SIZES})
  install(FILES ${icon_dir}/vorna-${size}.png DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME vorna.png)
endforeach()
install(FILES ${linux_out}/vorna.6.gz DESTINATION share/man/man6)
install(FILES ${linux_src}/copyright ${linux_out}/changelog.gz DESTINATION share/doc/vorna)

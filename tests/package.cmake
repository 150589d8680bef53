# The installation and the Debian package: layout, validators, a relocated prefix, and dpkg -i / -r as root.
if(NOT TARGET vorna OR NOT TARGET vorna-install-files)
  return()
endif()
set(package_tools ${CMAKE_CURRENT_SOURCE_DIR}/tools)
set(package_work ${CMAKE_CURRENT_BINARY_DIR}/package-work)
set(package_deb ${CMAKE_BINARY_DIR}/vorna_${PROJECT_VERSION}_amd64.deb)
set(package_linux ${CMAKE_BINARY_DIR}/packaging/linux)

add_test(NAME package.build COMMAND ${package_tools}/package_build.sh ${CMAKE_BINARY_DIR} ${PROJECT_VERSION})
set_tests_properties(package.build PROPERTIES FIXTURES_SETUP vorna_deb SKIP_RETURN_CODE 77 TIMEOUT 600
                                              RESOURCE_LOCK vorna_package)
add_test(NAME package.lintian COMMAND ${package_tools}/package_lintian.sh ${package_deb})
set_tests_properties(package.lintian PROPERTIES FIXTURES_REQUIRED vorna_deb SKIP_RETURN_CODE 77 TIMEOUT 600
                                                RESOURCE_LOCK vorna_package)

find_program(VORNA_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(VORNA_APPSTREAMCLI appstreamcli)
if(VORNA_DESKTOP_FILE_VALIDATE)
  add_test(NAME package.desktop_entry
           COMMAND ${VORNA_DESKTOP_FILE_VALIDATE} ${package_linux}/io.github.vorna_tessik.vorna.desktop)
else()
  add_test(NAME package.desktop_entry COMMAND sh -c "echo 'skipped: desktop-file-validate is not installed'; exit 77")
endif()
if(VORNA_APPSTREAMCLI)
  add_test(NAME package.metainfo COMMAND ${VORNA_APPSTREAMCLI} validate --no-net --pedantic
                                         ${package_linux}/io.github.vorna_tessik.vorna.metainfo.xml)
else()
  add_test(NAME package.metainfo COMMAND sh -c "echo 'skipped: appstreamcli is not installed'; exit 77")
endif()
set_tests_properties(package.desktop_entry package.metainfo PROPERTIES SKIP_RETURN_CODE 77)

add_test(NAME package.relocate
         COMMAND ${package_tools}/package_relocate.sh ${CMAKE_BINARY_DIR} $<TARGET_FILE:vorna-headless>
                 $<TARGET_FILE:vorna-frame-scale> ${package_work}/relocate ${PROJECT_VERSION})
set_tests_properties(package.relocate PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK vorna_desktop TIMEOUT 300)

add_test(NAME package.install
         COMMAND ${package_tools}/package_install.sh ${package_deb} $<TARGET_FILE:vorna-headless>
                 $<TARGET_FILE:vorna-frame-scale> ${package_work}/install ${PROJECT_VERSION})
set_tests_properties(package.install PROPERTIES FIXTURES_REQUIRED vorna_deb SKIP_RETURN_CODE 77 RUN_SERIAL ON
                                                TIMEOUT 300)

find_program(VORNA_CONVERT convert)
find_program(VORNA_COMPARE compare)
if(VORNA_CONVERT AND VORNA_COMPARE)
  add_test(NAME package.screenshots
           COMMAND ${CMAKE_COMMAND} -DHEADLESS=$<TARGET_FILE:vorna-headless>
                   -DREPLAY=${CMAKE_SOURCE_DIR}/tests/replays/play_all_missions.input
                   -DSCRIPT=${CMAKE_SOURCE_DIR}/packaging/screenshots.cmake
                   -DCOMMITTED=${CMAKE_SOURCE_DIR}/docs/screenshots -DWORK=${package_work}/screenshots
                   -P ${CMAKE_CURRENT_SOURCE_DIR}/tools/check_screenshots.cmake)
endif()

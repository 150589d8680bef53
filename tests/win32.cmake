# The Windows program under Wine: cross builds of the same sources, traces byte-identical with the native
# runner, and vorna.exe started under Xvfb. Skipped when mingw-w64, Wine or Xvfb are not installed.
# This machine runs only 64-bit Wine, so the Wine tests use an x86_64 build; the 32-bit program
# (the one `make win32` delivers) is compiled and linked by its own test.
# Once per checkout is enough: the sanitizer build's programs are no different under Wine.
if(VORNA_SANITIZE OR VORNA_TSAN)
  return()
endif()
set(win32_work ${CMAKE_CURRENT_BINARY_DIR}/win32-work)
set(win32_assets ${CMAKE_BINARY_DIR}/assets)
set(win32_cross_args -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNA_ASSET_DIR=${win32_assets})

foreach(arch x86_64 i686)
  set(cross_dir ${CMAKE_BINARY_DIR}/cross-${arch})
  add_test(NAME win32.build_${arch}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/win32_cross_build.sh ${CMAKE_SOURCE_DIR} ${cross_dir}
                   ${CMAKE_SOURCE_DIR}/cmake/mingw-${arch}.cmake ${win32_cross_args})
  set_tests_properties(win32.build_${arch} PROPERTIES LABELS win32 TIMEOUT 900 SKIP_RETURN_CODE 77
                                                      RESOURCE_LOCK cross_build)
endforeach()
set_tests_properties(win32.build_x86_64 PROPERTIES FIXTURES_SETUP win64_build)

set(win64_programs ${CMAKE_BINARY_DIR}/cross-x86_64/src/programs)
foreach(check traces devices window fullscreen)
  add_test(NAME win32.wine_${check}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/win32_wine_check.sh ${check} ${win64_programs}
                   $<TARGET_FILE:vorna-headless> ${win32_work} ${win32_assets} ${CMAKE_SOURCE_DIR}/tests/replays)
  set_tests_properties(win32.wine_${check} PROPERTIES LABELS win32 TIMEOUT 600 SKIP_RETURN_CODE 77
                                                      FIXTURES_REQUIRED win64_build RESOURCE_LOCK wine)
endforeach()

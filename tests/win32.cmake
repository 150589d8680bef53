# The Windows program under Wine: cross builds of the same sources, the release zip, traces byte-identical
# with the native runner, and vorna.exe started under Xvfb. Skipped when mingw-w64, Wine or Xvfb are missing.
# The 32-bit programs (the ones `make win32` delivers) run every Wine test under 32-bit Wine; the x86_64
# build adds its compile check and its traces, as the 64-bit program's core must agree too.
# Once per checkout is enough: the sanitizer build's programs are no different under Wine.
if(VORNA_SANITIZE OR VORNA_TSAN)
  return()
endif()
set(win32_assets ${CMAKE_BINARY_DIR}/assets)
set(win32_cross_args -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVORNA_ASSET_DIR=${win32_assets})
set(wine_loader_i686 /usr/lib/wine/wine)
set(wine_loader_x86_64 /usr/lib/wine/wine64)
set(wine_checks_i686 traces devices window fullscreen about colours8 failure)
set(wine_checks_x86_64 traces)

foreach(arch x86_64 i686)
  set(cross_dir ${CMAKE_BINARY_DIR}/cross-${arch})
  add_test(NAME win32.build_${arch}
           COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/win32_cross_build.sh ${CMAKE_SOURCE_DIR} ${cross_dir}
                   ${CMAKE_SOURCE_DIR}/cmake/mingw-${arch}.cmake ${win32_cross_args})
  set_tests_properties(win32.build_${arch} PROPERTIES LABELS win32 TIMEOUT 900 SKIP_RETURN_CODE 77
                                                      RESOURCE_LOCK cross_build FIXTURES_SETUP win32_build_${arch})
  # One Wine prefix per architecture, shared by its checks (they take the wine lock one at a time).
  foreach(check ${wine_checks_${arch}})
    add_test(NAME win32.wine_${arch}_${check}
             COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/win32_wine_check.sh ${check} ${cross_dir}/src/programs
                     ${wine_loader_${arch}} $<TARGET_FILE:vorna-headless> ${CMAKE_CURRENT_BINARY_DIR}/wine-${arch}
                     ${win32_assets} ${CMAKE_SOURCE_DIR}/tests/replays ${PROJECT_VERSION})
    set_tests_properties(win32.wine_${arch}_${check}
                         PROPERTIES LABELS win32 TIMEOUT 600 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED win32_build_${arch}
                                    RESOURCE_LOCK wine)
  endforeach()
endforeach()

# The release zip the 32-bit cross build packs, as a Windows player unpacks it.
find_package(Python3 COMPONENTS Interpreter)
if(Python3_FOUND)
  set(i686_dir ${CMAKE_BINARY_DIR}/cross-i686)
  add_test(NAME win32.zip COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tests/tools/win32_zip_check.py ${i686_dir}
                                  ${i686_dir}/src/programs ${PROJECT_VERSION})
  set_tests_properties(win32.zip PROPERTIES LABELS win32 SKIP_RETURN_CODE 77 FIXTURES_REQUIRED win32_build_i686)
endif()

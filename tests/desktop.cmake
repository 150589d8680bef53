# The desktop program's tests: its portable pieces as unit tests, and smoke tests of vorna under Xvfb.
if(NOT TARGET vorna_sdl2_backend)
  return()
endif()
target_link_libraries(vorna_tests PRIVATE vorna_sdl2_backend)
target_compile_definitions(vorna_tests PRIVATE VORNA_HAVE_DESKTOP=1)

find_package(PNG REQUIRED)
add_executable(vorna-frame-scale ${CMAKE_CURRENT_SOURCE_DIR}/tools/frame_scale.cpp)
target_link_libraries(vorna-frame-scale PRIVATE PNG::PNG)

# Under Xvfb with openbox; skipped (code 77) where they are missing. One at a time: each runs its own display.
foreach(mode sizes fullscreen menu about second quit nodisplay)
  add_test(NAME desktop.${mode}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/desktop_smoke.sh $<TARGET_FILE:vorna> $<TARGET_FILE:vorna-headless>
                   $<TARGET_FILE:vorna-frame-scale>
                   ${CMAKE_CURRENT_BINARY_DIR}/desktop-work/${mode} ${mode})
  set_tests_properties(desktop.${mode} PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK vorna_desktop TIMEOUT 300)
endforeach()

# Recorded and replayed sessions: the desktop trace equals vorna-headless's; bad scripts and paths are refused.
foreach(mode badscript refuse replay slowpresent record)
  add_test(NAME desktop.session.${mode}
           COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tools/desktop_session.sh $<TARGET_FILE:vorna> $<TARGET_FILE:vorna-headless>
                   ${CMAKE_CURRENT_SOURCE_DIR}/replays ${CMAKE_CURRENT_BINARY_DIR}/desktop-work/session-${mode} ${mode})
  set_tests_properties(desktop.session.${mode} PROPERTIES SKIP_RETURN_CODE 77 RESOURCE_LOCK vorna_desktop TIMEOUT 900)
endforeach()

# vorna --version prints the build description's one version and exits 0, with no display needed.
add_test(NAME desktop.version
         COMMAND sh -c "out=$(env -u DISPLAY \"$0\" --version) && test \"$out\" = \"vorna $1\" || { echo \"got '$out'\"; exit 1; }"
                 $<TARGET_FILE:vorna> ${PROJECT_VERSION})
